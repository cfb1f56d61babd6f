// SPDX-License-Identifier: MIT
#include "values/power.h"

#include "numeric/format.h"
#include "numeric/text.h"

namespace values {

std::optional<Decimal> powerRating(const Exact& watts, const Decimal& margin, const Exact& worstWatts)
{
    const Exact needed = watts * Exact::of(margin);
    for (const Decimal& rating : powerRatings) {
        const Exact r = Exact::of(rating);
        if (needed <= r && worstWatts <= r)
            return rating;
    }
    return std::nullopt;
}

std::string ratingText(const Decimal& rating)
{
    if (rating == Decimal::of(625, -4))
        return "1/16 W";
    if (rating == Decimal::of(1, -1))
        return "1/10 W";
    if (rating == Decimal::of(125, -3))
        return "1/8 W";
    if (rating == Decimal::of(25, -2))
        return "1/4 W";
    if (rating == Decimal::of(5, -1))
        return "1/2 W";
    return format(rating) + " W";
}

std::optional<Decimal> parseMargin(std::string_view text, char decimalSeparator)
{
    std::string_view number = trim(text);
    if (!takeSuffix(number, "x"))
        takeSuffix(number, "×");
    const Parsed parsed = parse(number, decimalSeparator);
    if (!parsed.value || parsed.unit != Unit::None || *parsed.value < Decimal::of(1, 0) ||
        *parsed.value > Decimal::of(10, 0))
        return std::nullopt;
    return parsed.value;
}

std::array<ResistorPower, 2> dividerPower(const DividerGoal& goal, const Decimal& r1, const Decimal& r2,
                                          const Decimal& margin)
{
    const Exact source = Exact::of(goal.source);
    const Exact a = Exact::of(r1);
    const Exact b = Exact::of(r2);
    // I^2 R with the pair's own current: the regulator holds V ref across R2 whatever V out the
    // pair gives, so the goal's V out would misstate it by the pair's deviation.
    const Exact across = goal.mode == DividerMode::Output ? a + b : b;
    const Exact squared = source * source / (across * across);
    std::array<ResistorPower, 2> p{ResistorPower{squared * a, {}}, ResistorPower{squared * b, {}}};
    for (ResistorPower& one : p)
        one.rating = powerRating(one.watts, margin);
    return p;
}

} // namespace values
