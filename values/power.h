// SPDX-License-Identifier: MIT
#pragma once

#include "numeric/decimal.h"
#include "numeric/exact.h"
#include "values/dividerdesign.h"

#include <array>
#include <optional>
#include <string>

namespace values {

// The resistor power ratings sold, in watts: 1/16, 1/10, 1/8, 1/4, 1/2, 1, 2, 3 and 5 W.
inline const std::array<Decimal, 9> powerRatings{Decimal::of(625, -4), Decimal::of(1, -1), Decimal::of(125, -3),
                                                 Decimal::of(25, -2),  Decimal::of(5, -1), Decimal::of(1, 0),
                                                 Decimal::of(2, 0),    Decimal::of(3, 0),  Decimal::of(5, 0)};

// The smallest rating that holds `watts` with the margin (watts x margin <= rating), decided
// exactly, so 62.5 mW at 1x is a 1/16 W part; empty above 5 W. Also never below `worstWatts`,
// what the part dissipates at the worst corner of the tolerances: the margin is for the typical
// dissipation, and no corner may exceed the part's own rating.
std::optional<Decimal> powerRating(const Exact& watts, const Decimal& margin, const Exact& worstWatts = {});

// "1/16 W", "1/4 W", "1 W", "5 W": the way ratings are printed on the bag.
std::string ratingText(const Decimal& rating);

// The margin as people write it: "2", "2x", "1.5×"; from 1x to 10x. Empty when refused.
std::optional<Decimal> parseMargin(std::string_view text, char decimalSeparator = '.');

struct ResistorPower {
    Exact watts;
    std::optional<Decimal> rating; // powerRating(watts, margin); empty above 5 W
};

// What R1 and R2 of a divider dissipate: one current through both, the pair's own
// (DividerPair::currentA): V in / (R1 + R2), or V ref / R2 in feedback mode.
std::array<ResistorPower, 2> dividerPower(const DividerGoal& goal, const Decimal& r1, const Decimal& r2,
                                          const Decimal& margin);

} // namespace values
