// SPDX-License-Identifier: MIT
#include "numeric/exact.h"

#include <bit>
#include <cmath>
#include <string>
#include <utility>

namespace values {

using detail::Big;

namespace {

bool evenMantissa(double d)
{
    return (std::bit_cast<std::uint64_t>(d) & 1U) == 0;
}

// Moves `d` to the double nearest the exact value, given that it starts within a few steps;
// `above(mid)` says whether the value lies above the exact number mid (ties: equal).
template <class Above>
double settle(double d, Above above)
{
    for (int step = 0; step < 64; ++step) {
        const double up = std::nextafter(d, INFINITY);
        const auto c = above(Exact::ofDouble(d) + Exact::ofDouble(up));
        if (std::is_gt(c) || (std::is_eq(c) && !evenMantissa(d))) {
            d = up;
            continue;
        }
        if (d <= 0)
            return d;
        const double down = std::nextafter(d, 0.0);
        const auto b = above(Exact::ofDouble(down) + Exact::ofDouble(d));
        if (std::is_lt(b) || (std::is_eq(b) && !evenMantissa(d))) {
            d = down;
            continue;
        }
        return d;
    }
    return d;
}

} // namespace

Exact::Exact(Big num, Big den)
    : num_(std::move(num))
    , den_(std::move(den))
{
}

Exact Exact::of(const Decimal& value)
{
    if (value.mantissa <= 0)
        return {};
    const detail::Fraction f = detail::Fraction::of(value);
    return {f.num, f.den};
}

Exact Exact::of(std::uint64_t value)
{
    return {Big(value), Big(1)};
}

Exact Exact::ofDouble(double value)
{
    if (!(value > 0) || !std::isfinite(value))
        return {};
    int e = 0;
    const double f = std::frexp(value, &e);
    const auto m = static_cast<std::uint64_t>(std::ldexp(f, 53));
    e -= 53;
    if (e >= 0)
        return {Big(m) * Big::pow2(e), Big(1)};
    return {Big(m), Big::pow2(-e)};
}

Exact operator+(const Exact& a, const Exact& b)
{
    if (a.den_ == b.den_)
        return {a.num_ + b.num_, a.den_};
    return {a.num_ * b.den_ + b.num_ * a.den_, a.den_ * b.den_};
}

Exact operator-(const Exact& a, const Exact& b)
{
    if (a.den_ == b.den_)
        return {a.num_ - b.num_, a.den_};
    return {a.num_ * b.den_ - b.num_ * a.den_, a.den_ * b.den_};
}

Exact operator*(const Exact& a, const Exact& b)
{
    return {a.num_ * b.num_, a.den_ * b.den_};
}

Exact operator/(const Exact& a, const Exact& b)
{
    return {a.num_ * b.den_, a.den_ * b.num_};
}

std::strong_ordering operator<=>(const Exact& a, const Exact& b)
{
    return a.num_ * b.den_ <=> b.num_ * a.den_;
}

Decimal Exact::rounded(int significant) const
{
    return detail::roundToDigits(num_, den_, significant);
}

bool Exact::isDecimal(int significant) const
{
    return Exact::of(rounded(significant)) == *this;
}

double Exact::toDouble() const
{
    if (isZero())
        return 0;
    // 17 digits land within a step of the nearest double; the exact midpoints settle it.
    const double guess = rounded(17).nearestDouble();
    const Exact twice = *this + *this;
    return settle(guess, [&](const Exact& sumOfNeighbours) { return twice <=> sumOfNeighbours; });
}

double Exact::sqrtToDouble() const
{
    if (isZero())
        return 0;
    const double guess = std::sqrt(toDouble());
    // sqrt(x) against (a + b) / 2: 4 x against (a + b)^2.
    const Exact four = *this * Exact::of(4);
    return settle(guess, [&](const Exact& sum) { return four <=> sum * sum; });
}

Decimal Exact::sqrtRounded(int significant) const
{
    if (isZero())
        return {};
    const double root = sqrtToDouble();
    int exponent = static_cast<int>(std::floor(std::log10(root))) - (significant - 1);
    const auto limit = static_cast<std::int64_t>(std::llround(std::pow(10.0, significant)));
    for (int tries = 0; tries < 4; ++tries) {
        // m = round(sqrt(x) / 10^e): (2m - 1)^2 <= 4 x 10^-2e < (2m + 1)^2.
        const Exact scaled = exponent <= 0 ? *this * Exact::of(Decimal::of(1, -2 * exponent))
                                           : *this / Exact::of(Decimal::of(1, 2 * exponent));
        const Exact four = scaled * Exact::of(4);
        auto m = static_cast<std::int64_t>(std::llround(root / std::pow(10.0, exponent)));
        const auto square = [](std::int64_t k) {
            const Exact e = Exact::of(static_cast<std::uint64_t>(k));
            return e * e;
        };
        while (m > 0 && four < square(2 * m - 1))
            --m;
        while (!(four < square(2 * m + 1)))
            ++m;
        if (m >= limit) {
            ++exponent;
            continue;
        }
        if (m < limit / 10) {
            --exponent;
            continue;
        }
        return Decimal::of(m, exponent);
    }
    return Decimal::of(std::llround(root / std::pow(10.0, exponent)), exponent);
}

bool Exact::sqrtIsDecimal(int significant) const
{
    const Exact root = Exact::of(sqrtRounded(significant));
    return root * root == *this;
}

} // namespace values
