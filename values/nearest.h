// SPDX-License-Identifier: MIT
#pragma once

#include "numeric/decimal.h"
#include "numeric/exact.h"
#include "values/series.h"

#include <optional>
#include <string>
#include <vector>

namespace values {

// How far a value lies from a target: (value - target) / target in percent, decided exactly.
struct Deviation {
    // Rounded half away from zero as it is shown: to two decimals; a miss that would round to
    // 0.00 to two significant digits (0.000045), so rankings stay visible; from a million percent
    // on to three significant digits.
    Decimal percent;
    double precise = 0; // the double nearest the exact percentage, for the command line's JSON
    bool exact = false; // value == target; a tiny miss is never shown as exact
    bool below = false; // value < target
    // "+2.00 %", "-0.20 %", "+0.000045 %", "+3.33e17 %", "-6.8e-29 %", "exact".
    std::string text() const;
};
Deviation deviation(const Decimal& value, const Decimal& target);

// Whether a target lies beyond every value the parts can give: then the best answer is the
// nearest end, and the windows and tables say so beside it.
struct Reach {
    enum class Side { Within, Below, Above };
    Side side = Side::Within; // Below: the target lies below the lowest value the parts give
    Decimal limit;            // that lowest (or highest) value, to shownDigits significant digits
    double precise = 0;       // the double nearest it, for the command line's JSON
};

// A series' answer for one target.
struct Nearest {
    Series series = Series::E24;
    Decimal nearest;    // smallest |ln(N / T)|; on an exact tie the higher one
    Decimal below;      // the largest series value strictly below the target
    Decimal above;      // the smallest series value strictly above the target
    bool exact = false; // the series holds the target itself (then nearest == target)
};

// Decided exactly: the geometric midpoint between neighbours is compared as N1 x N2 against T^2,
// so no rounding can move a target to the wrong side. The target must be positive.
Nearest nearest(const Decimal& target, Series series);
std::vector<Nearest> nearestInEverySeries(const Decimal& target); // E3 ... E192, in that order

// The values of a series or union around an exact value (a resistance worked out, not typed):
// the smallest at or above it and the largest below it, none beyond 1e-15 .. 1e15.
struct Bracket {
    std::optional<Decimal> atOrAbove;
    std::optional<Decimal> below;
};
Bracket bracket(const SeriesSet& set, const Exact& value);
// Of the two the nearer on a log scale, decided exactly (value² against their product; a tie
// goes up, as nearest() does).
std::optional<Decimal> nearer(const Bracket& around, const Exact& value);

} // namespace values

// The same from the exact fractions the searches rank with (numeric/big.h).
namespace values::detail {

struct Fraction;

// How far value lies from target, in percent, both exact.
Deviation deviationOf(const Fraction& value, const Fraction& target);

// A target beyond `limit`, the nearest end of what the parts give, on `side`.
Reach reachBeyond(Reach::Side side, const Fraction& limit);

} // namespace values::detail
