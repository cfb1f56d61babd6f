// SPDX-License-Identifier: MIT
#include "values/nearest.h"

#include "numeric/big.h"
#include "numeric/format.h"
#include "numeric/wide.h"

#include <algorithm>
#include <compare>

namespace values {

namespace detail {

Deviation deviationOf(const Fraction& value, const Fraction& target)
{
    Deviation d;
    const Big v = value.num * target.den;
    const Big t = target.num * value.den;
    if (v == t) {
        d.exact = true;
        return d;
    }
    d.below = v < t;
    // |V - T| / T x 100 = hundred / den
    const Big hundred = (d.below ? t - v : v - t) * Big(100);
    const Big den = value.den * target.num;
    const std::int64_t sign = d.below ? -1 : 1;
    d.precise = static_cast<double>(sign) * nearestDouble(hundred, den);
    Decimal shown;
    if (hundred * Big(200) < den) // below 0.005 %
        shown = roundToDigits(hundred, den, 2);
    else if (hundred >= den * Big(1'000'000))
        shown = roundToDigits(hundred, den, 3);
    else
        shown = Decimal::of(roundScaled(hundred, den, 2), -2);
    d.percent = Decimal::of(sign * shown.mantissa, shown.exponent);
    return d;
}

Reach reachBeyond(Reach::Side side, const Fraction& limit)
{
    return {side, roundToDigits(limit.num, limit.den, shownDigits), nearestDouble(limit)};
}

} // namespace detail

std::string Deviation::text() const
{
    if (exact)
        return "exact";
    const std::string sign = below ? "-" : "+";
    const Decimal magnitude =
        Decimal::of(percent.mantissa < 0 ? -percent.mantissa : percent.mantissa, percent.exponent);
    const int order = magnitude.digits() - 1 + magnitude.exponent;
    // Past six places either way the zeros would outnumber the digits read.
    if (order >= 6 || order <= -7)
        return sign + scientific(magnitude) + " %";
    // Two decimals, or as many as the two significant digits of a small miss need.
    return sign + fixed(magnitude, 2) + " %";
}

Deviation deviation(const Decimal& value, const Decimal& target)
{
    return detail::deviationOf(detail::Fraction::of(value), detail::Fraction::of(target));
}

Nearest nearest(const Decimal& target, Series series)
{
    Nearest n;
    n.series = series;
    // The decades around the target hold both its neighbours: 9.95 lies between 9.88 and 10.
    const int order = target.digits() - 1 + target.exponent;
    std::vector<Decimal> around;
    for (int e = order - 1; e <= order + 1; ++e) {
        for (const Decimal& d : decade(series))
            around.push_back(Decimal::of(d.mantissa, d.exponent + e));
    }
    const auto lower = std::lower_bound(around.begin(), around.end(), target);
    const auto upper = std::upper_bound(around.begin(), around.end(), target);
    n.below = *(lower - 1);
    n.above = *upper;
    n.exact = lower != upper;
    if (n.exact) {
        n.nearest = target;
        return n;
    }
    // Below is nearer when T / below < above / T, that is T^2 < below x above; a tie goes up.
    const detail::u128 t = detail::magnitude(target.mantissa);
    const auto closer = detail::compareScaled(t * t, 2 * target.exponent,
                                              detail::magnitude(n.below.mantissa) * detail::magnitude(n.above.mantissa),
                                              n.below.exponent + n.above.exponent);
    n.nearest = std::is_lt(closer) ? n.below : n.above;
    return n;
}

std::vector<Nearest> nearestInEverySeries(const Decimal& target)
{
    std::vector<Nearest> all;
    all.reserve(allSeries.size());
    for (const Series series : allSeries)
        all.push_back(nearest(target, series));
    return all;
}

Bracket bracket(const SeriesSet& set, const Exact& value)
{
    // A decade either way holds both neighbours of any value in every series; each series is
    // looked at on its own, which spares sorting their union.
    const double v = value.toDouble();
    const double lo = std::max(v / 10, 1e-15);
    const double hi = std::min(v * 10, 1e15);
    Bracket b;
    if (value.isZero() || lo > hi)
        return b;
    for (const Series series : set) {
        const std::vector<Decimal> near = valuesInRange(series, approximate(lo, 3), approximate(hi, 3));
        const auto at =
            std::partition_point(near.begin(), near.end(), [&](const Decimal& d) { return Exact::of(d) < value; });
        if (at != near.end() && (!b.atOrAbove || *at < *b.atOrAbove))
            b.atOrAbove = *at;
        if (at != near.begin() && (!b.below || *b.below < *(at - 1)))
            b.below = *(at - 1);
    }
    return b;
}

std::optional<Decimal> nearer(const Bracket& around, const Exact& value)
{
    if (!around.below || !around.atOrAbove)
        return around.atOrAbove ? around.atOrAbove : around.below;
    if (Exact::of(*around.atOrAbove) == value)
        return around.atOrAbove;
    return value * value < Exact::of(*around.below) * Exact::of(*around.atOrAbove) ? around.below : around.atOrAbove;
}

} // namespace values
