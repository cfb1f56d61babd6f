// SPDX-License-Identifier: MIT
#include "numeric/doubledouble.h"

#include "numeric/wide.h"

#include <cmath>

namespace values::detail {

namespace {

DD quickTwoSum(double a, double b)
{
    const double s = a + b;
    return {s, b - (s - a)};
}

DD twoSum(double a, double b)
{
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

} // namespace

DD operator+(const DD& a, const DD& b)
{
    DD s = twoSum(a.hi, b.hi);
    const DD t = twoSum(a.lo, b.lo);
    s.lo += t.hi;
    s = quickTwoSum(s.hi, s.lo);
    s.lo += t.lo;
    return quickTwoSum(s.hi, s.lo);
}

DD operator-(const DD& a, const DD& b)
{
    return a + DD{-b.hi, -b.lo};
}

DD operator*(const DD& a, const DD& b)
{
    const double p = a.hi * b.hi;
    const double e = std::fma(a.hi, b.hi, -p);
    return quickTwoSum(p, e + (a.hi * b.lo + a.lo * b.hi));
}

DD operator/(const DD& a, const DD& b)
{
    const double q1 = a.hi / b.hi;
    DD r = a - b * DD{q1, 0};
    const double q2 = r.hi / b.hi;
    r = r - b * DD{q2, 0};
    const double q3 = r.hi / b.hi;
    return quickTwoSum(q1, q2) + DD{q3, 0};
}

DD dd(double v)
{
    return {v, 0};
}

DD ddOf(std::int64_t m)
{
    const auto hi = static_cast<double>(m);
    // hi is within 2^10 of m (m < 2^63): the difference is exact in 64 bits.
    return quickTwoSum(hi, static_cast<double>(m - static_cast<std::int64_t>(hi)));
}

namespace {

DD pow10dd(int n)
{
    DD r = dd(1);
    for (; n >= 22; n -= 22)
        r = r * dd(1e22);
    return r * dd(powersOfTen[n]);
}

} // namespace

DD ddOf(const Decimal& v)
{
    const DD m = ddOf(v.mantissa);
    return v.exponent >= 0 ? m * pow10dd(v.exponent) : m / pow10dd(-v.exponent);
}

// e^y - 1 for y >= 0: halve y until the series converges at once, then undo each halving with
// e^2y - 1 = u (u + 2), which adds and multiplies positive numbers only.
DD expm1(DD y)
{
    int halvings = 0;
    while (y.hi > 0x1p-10) {
        y = {y.hi / 2, y.lo / 2};
        ++halvings;
    }
    DD u = y;
    DD term = y;
    for (int k = 2; k < 40 && term.hi > 1e-36 * u.hi; ++k) {
        term = term * y / dd(k);
        u = u + term;
    }
    for (int i = 0; i < halvings; ++i)
        u = u * (u + dd(2));
    return u;
}

} // namespace values::detail
