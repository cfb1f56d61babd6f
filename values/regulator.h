// SPDX-License-Identifier: MIT
#pragma once

#include "numeric/decimal.h"
#include "numeric/exact.h"
#include "values/nearest.h"
#include "values/series.h"

#include <optional>
#include <span>
#include <stop_token>
#include <string>
#include <vector>

// An adjustable regulator's two resistors: V out = V ref (1 + R2 / R1) + I adj R2, with the
// current out of the adjust pin, ranked exactly as the divider designer ranks its pairs, and the
// output over the resistors' tolerance and the ranges of V ref and I adj.
//
// R1 is the resistor V ref sits across; R2 the other, which also carries I adj. On a
// three-terminal regulator R1 runs from OUT to ADJ and R2 from ADJ to ground; on a shunt
// reference R2 runs from the cathode to REF and R1 from REF to the anode. A negative regulator
// is the same with every voltage and current reversed: the figures here are their sizes.
namespace values {

enum class RegulatorKind { ThreeTerminal, Shunt };

// A part's parameters as data sheets give them.
struct RegulatorPart {
    const char* name; // "Adjustable, positive (LM317 type)"
    RegulatorKind kind;
    bool negative;
    Decimal vref;
    Decimal vrefMin;
    Decimal vrefMax;
    Decimal iadj;    // typical
    Decimal iadjMax; // data sheets give no least figure: the worst case takes it as 0
    Decimal minLoad; // the least output current that keeps it regulating; 0 for the shunt
};
// The common kinds: the adjustable three-terminal regulators, positive and negative, the
// low-dropout adjustable and the shunt reference.
std::span<const RegulatorPart> regulatorParts();

struct RegulatorInput {
    Decimal vout; // its size
    Decimal vref;
    Decimal vrefMin;
    Decimal vrefMax;
    Decimal iadj;    // may be zero
    Decimal iadjMin; // may be zero
    Decimal iadjMax;
    Decimal minLoad; // zero: no minimum
};
RegulatorInput regulatorInput(const RegulatorPart& part, const Decimal& vout);

// The value a refused input asks the user to change.
enum class RegulatorField { None, Vout, Vref, VrefRange, Iadj, IadjRange, MinLoad, Range, Tolerance, Fixed };

struct RegulatorCheck {
    RegulatorField change = RegulatorField::None;
    std::string message;
};

struct RegulatorOptions {
    SeriesSet series{Series::E96};
    Decimal lo = Decimal::of(1, 1); // R1 and R2 both lie in [lo, hi]
    Decimal hi = Decimal::of(1, 5);
    Decimal tolerancePercent = Decimal::of(1, 0);
    int top = 10;
    std::optional<Decimal> fixedR1; // "R1 is 240": at most one of the two
    std::optional<Decimal> fixedR2;
};

// V ref from 1 mV to 1 kV, V out above V ref up to 10 kV, I adj up to 10 mA, a minimum load up to
// 100 A: a regulator's figures, within which the exact ranking's numbers stay bounded.
RegulatorCheck checkRegulator(const RegulatorInput& input, const RegulatorOptions& options);

struct RegulatorRange {
    double min = 0;
    double max = 0;
};

struct RegulatorPair {
    Decimal r1;
    Decimal r2;
    double vout = 0;     // typical V ref and I adj
    Deviation deviation; // of V out from the goal, decided exactly
    // R1 and R2 off by up to their tolerance, V ref and I adj over their ranges.
    RegulatorRange worstCase;
    double r1CurrentA = 0;     // V ref / R1: what the divider draws from the output
    bool belowMinLoad = false; // that current is less than the part's minimum load
};

struct RegulatorDesign {
    std::vector<RegulatorPair> pairs; // best first
    Reach reach;                      // of V out
    // With one resistor fixed, the other's exact value: R2 = (V out - V ref) / (V ref / R1 +
    // I adj), R1 = V ref R2 / (V out - V ref - I adj R2); none when no R1 reaches V out.
    std::optional<Exact> partner;
    // The largest R1 whose current meets the minimum load, V ref / minimum load; none without one.
    std::optional<Exact> largestR1;
};

// The best `top` pairs of the series within the range, ranked by the exact deviation of V out
// with I adj, then the smaller R1 + R2, then the smaller R1. Empty when checkRegulator refuses,
// and once `stop` is requested.
RegulatorDesign designRegulator(const RegulatorInput& input, const RegulatorOptions& options,
                                const std::stop_token& stop = {});

// Every pair tried; for checking designRegulator, slow.
std::vector<RegulatorPair> designRegulatorBruteForce(const RegulatorInput& input, const RegulatorOptions& options);

// V out of a pair at the V ref and I adj given, exactly.
Exact regulatorOutput(const Exact& vref, const Exact& iadj, const Exact& r1, const Exact& r2);

} // namespace values
