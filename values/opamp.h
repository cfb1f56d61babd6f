// SPDX-License-Identifier: MIT
#pragma once

#include "numeric/decimal.h"
#include "numeric/exact.h"
#include "values/nearest.h"
#include "values/series.h"

#include <optional>
#include <stop_token>
#include <string>
#include <vector>

// An op-amp's gain set by two resistors: the standard pairs nearest a gain, ranked exactly as the
// divider designer ranks its pairs, with the gain over the resistors' tolerance.
namespace values {

// Rf is the feedback resistor; Rg the one to ground (non-inverting) or from the input
// (inverting; the difference amplifier has a matched pair of each).
enum class OpAmpCircuit {
    NonInverting, // G = 1 + Rf / Rg
    Inverting,    // G = -Rf / Rg
    Difference,   // V out = Rf / Rg (V+ - V-), Rf and Rg each twice, matched
};

struct OpAmpGoal {
    OpAmpCircuit circuit = OpAmpCircuit::NonInverting;
    Decimal gain; // its size: 10 for a gain of 10 or of -10
};

// The value a refused input asks the user to change.
enum class OpAmpField { None, Gain, Range, Tolerance, Fixed };

struct OpAmpCheck {
    OpAmpField change = OpAmpField::None;
    std::string message;
};

struct OpAmpOptions {
    SeriesSet series{Series::E24};
    Decimal lo = Decimal::of(1, 3); // Rf and Rg both lie in [lo, hi]
    Decimal hi = Decimal::of(1, 6);
    Decimal tolerancePercent = Decimal::of(1, 0); // 0 up to, not including, 100
    int top = 10;
    // One resistor already chosen ("Rg is 10k"): the other comes from the series. At most one.
    std::optional<Decimal> fixedRf;
    std::optional<Decimal> fixedRg;
};

// The gain (its size) with every resistor off by up to its tolerance.
struct GainRange {
    double min = 0;
    double max = 0;
};

// The figures of a pair are the doubles nearest their exact values.
struct OpAmpPair {
    Decimal rf;
    Decimal rg;
    double gain = 0;     // its size
    Deviation deviation; // of the gain from the goal, decided exactly
    GainRange worstCase;
    // What the source sees: Rg (inverting), 2 Rg between the two inputs (difference); none for
    // the non-inverting amplifier, whose input is the op-amp's own.
    std::optional<Decimal> inputOhms;
    // For the bias currents to cancel the other input sees Rf || Rg; not for the difference
    // amplifier, whose inputs see that already.
    std::optional<double> balanceOhms;
    std::optional<Decimal> balance; // the nearest value of the series
    // The difference amplifier's common-mode rejection at the worst corner of the tolerances,
    // 20 log10 of the gain over the common-mode gain; none with exact parts.
    std::optional<double> cmrrDb;
};

struct OpAmpDesign {
    std::vector<OpAmpPair> pairs; // best first
    Reach reach;                  // of the gain
    // With one resistor fixed, the other's exact value.
    std::optional<Exact> partner;
};

// The gain is a value the parser gives (1e-15 .. 1e15); above 1 for the non-inverting amplifier,
// whose gain is never below 1 (1 is a follower, without resistors).
OpAmpCheck checkOpAmp(const OpAmpGoal& goal, const OpAmpOptions& options);

// The best `top` pairs of the series within the range, ranked by the exact deviation of the
// gain, then the smaller Rf + Rg, then the smaller Rf. Empty when checkOpAmp refuses, and once
// `stop` is requested.
OpAmpDesign designOpAmp(const OpAmpGoal& goal, const OpAmpOptions& options, const std::stop_token& stop = {});

// Every pair tried; for checking designOpAmp, slow.
std::vector<OpAmpPair> designOpAmpBruteForce(const OpAmpGoal& goal, const OpAmpOptions& options);

// The gain's size of a pair, exactly: 1 + Rf / Rg, or Rf / Rg.
Exact opAmpGain(OpAmpCircuit circuit, const Decimal& rf, const Decimal& rg);

} // namespace values
