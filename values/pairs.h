// SPDX-License-Identifier: MIT
#pragma once

// The exact ranking and the search of standard-value pairs that the divider, the op-amp and the
// regulator designers share; nothing outside them includes it.

#include "numeric/big.h"
#include "numeric/decimal.h"
#include "values/nearest.h"
#include "values/networks.h"

#include <optional>
#include <span>
#include <stop_token>
#include <utility>
#include <vector>

namespace values::detail::pairs {

// What a pair R1, R2 gives as a multiple of the goal: X / Y with
//   X = a1 R1 + a2 R2 + a12 R1 R2   and   Y = b1 R1 + b2 R2,
// exact decimals, zero where a term is absent. Every design here moves one way with R2 and the
// other way with R1 (a divider's output rises with its bottom resistor and falls with its top
// one), which is what lets the search bisect.
struct Form {
    Decimal a1;
    Decimal a2;
    Decimal a12;
    Decimal b1;
    Decimal b2;
    bool rising = false; // X / Y grows with R2 and shrinks with R1; else the other way round
};

// X / Y for R1 and R2, exactly; Y must not vanish.
Fraction ratio(const Form& form, const Fraction& r1, const Fraction& r2);

struct Options {
    Decimal lo; // R1 and R2 both lie in [lo, hi]
    Decimal hi;
    int top = 10;
    // One resistor already chosen: the other comes from the parts. At most one.
    std::optional<Decimal> fixedR1;
    std::optional<Decimal> fixedR2;
};

struct Pair {
    Decimal r1;
    Decimal r2;
};

// The best `top` pairs of the parts within the range, ranked by the exact |X / Y - 1|, then the
// smaller R1 + R2, then the smaller R1. A part with a count of 1 is never both R1 and R2. Values
// beyond 1e-15 .. 1e15 are not searched. Returns nothing once `stop` is requested.
std::vector<Pair> best(const Form& form, std::span<const Part> parts, const Options& options,
                       const std::stop_token& stop = {});

// Every pair tried and ranked exactly; for checking best(), slow.
std::vector<Pair> bestBruteForce(const Form& form, std::span<const Part> parts, const Options& options);

// Whether the goal (X / Y = 1) lies beyond every ratio pairs of the parts give (the ends: the
// smallest part against the largest and the other way round, or the fixed resistor against
// each end); the limit is then that end's ratio times `goal`, what the nearest pair gives.
Reach reach(const Form& form, std::span<const Part> parts, const Options& options, const Fraction& goal);

// 1 + t and 1 - t for a tolerance of t percent, 0 <= t < 100: what a part's value is multiplied
// by at its corners.
std::pair<Fraction, Fraction> toleranceFactors(const Decimal& percent);

} // namespace values::detail::pairs
