// SPDX-License-Identifier: MIT
#pragma once

#include "numeric/decimal.h"
#include "values/nearest.h"
#include "values/networks.h"

#include <optional>
#include <span>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

namespace values {

// The two questions a divider is designed for. R1 is the top resistor and R2 the bottom one.
enum class DividerMode {
    Output,   // V in across R1 + R2, V out across R2: k = V out / V in
    Feedback, // a regulator holds V ref across R2: V out = V ref x (R1 + R2) / R2, k = V ref / V out
};

struct DividerGoal {
    DividerMode mode = DividerMode::Output;
    Decimal source; // V in, or V ref in feedback mode
    Decimal vout;
};

// The value a refused goal asks the user to change.
enum class DividerField { None, Source, Vout };

struct GoalCheck {
    DividerField change = DividerField::None; // None: the goal can be met
    std::string message;                      // names the value to change
};

// k must lie strictly between 0 and 1. V in and V ref are fixed by the circuit, so when k is out
// of reach it is V out the message asks to change.
GoalCheck checkGoal(const DividerGoal& goal);

// k = R2 / (R1 + R2): the double nearest the exact ratio.
double dividerRatio(const DividerGoal& goal);

struct DividerOptions {
    Decimal lo = Decimal::of(1, 3); // R1 and R2 both lie in [lo, hi]
    Decimal hi = Decimal::of(1, 6);
    Decimal tolerancePercent = Decimal::of(1, 0); // 0 up to, not including, 100
    int top = 10;
    // One resistor already chosen ("R2 is 10k"): the other comes from the parts. At most one.
    std::optional<Decimal> fixedR1;
    std::optional<Decimal> fixedR2;
};

// The output over every tolerance corner.
struct VoutRange {
    double min = 0;
    double max = 0;
};

// The figures of a pair are the doubles nearest their exact values.
struct DividerPair {
    Decimal r1;          // top
    Decimal r2;          // bottom
    double vout = 0;     // what the pair gives
    Deviation deviation; // of V out from the goal, in both modes; decided exactly
    VoutRange worstCase;
    double currentA = 0; // through R1 and R2: V in / (R1 + R2), or V ref / R2 in feedback mode
};

// The best `top` pairs from the parts within the range, ranked by the exact deviation, then the
// smaller R1 + R2, then the smaller R1. A part with a count of 1 is never both R1 and R2.
// The goal must pass checkGoal; values beyond 1e-15 .. 1e15 are not searched. Returns nothing
// once `stop` is requested, so a window can drop a search newer input has superseded.
std::vector<DividerPair> designDivider(const DividerGoal& goal, std::span<const Part> parts,
                                       const DividerOptions& options, const std::stop_token& stop = {});

// Whether V out lies beyond every output pairs of the parts give (the ends: the smallest part
// over the largest and the other way round); Reach::limit is then that end's V out.
Reach dividerReach(const DividerGoal& goal, std::span<const Part> parts, const DividerOptions& options);

// Every pair tried and ranked exactly; for checking designDivider, slow.
std::vector<DividerPair> designDividerBruteForce(const DividerGoal& goal, std::span<const Part> parts,
                                                 const DividerOptions& options);

// V out of R1 and R2 when each may be off by up to the tolerance.
VoutRange worstCase(const DividerGoal& goal, double r1, double r2, double tolerancePercent);

} // namespace values
