// SPDX-License-Identifier: MIT
#include "values/nearest.h"

#include "values/big.h"
#include "values/wide.h"

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
    const Big difference = d.below ? t - v : v - t;
    const Big den = value.den * target.num;
    // Percent: the fraction x 100, then two or four decimals.
    const std::int64_t sign = d.below ? -1 : 1;
    d.percent = Decimal::of(sign * roundScaled(difference, den, 4), -2);
    d.precise = Decimal::of(sign * roundScaled(difference, den, 6), -4);
    return d;
}

} // namespace detail

std::string Deviation::text() const
{
    if (exact)
        return "exact";
    const std::uint64_t hundredths = static_cast<std::uint64_t>(detail::magnitude(percent.mantissa)) *
        static_cast<std::uint64_t>(detail::powersOfTen[std::max(percent.exponent + 2, 0)]);
    const std::string whole = std::to_string(hundredths / 100);
    const std::uint64_t cents = hundredths % 100;
    return std::string(below ? "-" : "+") + whole + "." + (cents < 10 ? "0" : "") + std::to_string(cents) + " %";
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

} // namespace values
