// SPDX-License-Identifier: MIT
#pragma once

#include "values/decimal.h"
#include "values/series.h"

#include <string>
#include <vector>

namespace values {

// How far a value lies from a target: (value - target) / target in percent, decided exactly.
struct Deviation {
    Decimal percent;    // rounded half away from zero to two decimals, as the windows show it
    Decimal precise;    // the same to four decimals, for the command line's JSON
    bool exact = false; // value == target; a tiny miss that rounds to 0.00 is not exact
    bool below = false; // value < target, so a miss that rounds to zero still shows its side
    // "+2.00 %", "-0.20 %", "exact"; a miss that rounds to zero keeps its sign ("+0.00 %").
    std::string text() const;
};
Deviation deviation(const Decimal& value, const Decimal& target);

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

} // namespace values
