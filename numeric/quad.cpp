// SPDX-License-Identifier: MIT
#include "numeric/quad.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace values::detail {

namespace {

// Powers of ten up to 10^48 are exact in 113 bits (5^48 < 2^113).
quad tenTo(int n)
{
    quad r = 1;
    for (int i = 0; i < n; ++i)
        r *= 10;
    return r;
}

// A constant from its double and the double nearest what that misses: about 106 bits.
quad twoDoubles(double high, double low)
{
    return quad(high) + quad(low);
}

} // namespace

quad toQuad(const Decimal& v)
{
    const quad m = quad(v.mantissa);
    if (v.exponent >= 0)
        return v.exponent <= 48 ? m * tenTo(v.exponent) : m * tenTo(48) * tenTo(v.exponent - 48);
    const int n = -v.exponent;
    return n <= 48 ? m / tenTo(n) : m / tenTo(48) / tenTo(n - 48);
}

quad squareRoot(quad x)
{
    if (!(x > 0))
        return 0;
    // Two Newton steps from the double's 53 bits reach past 113.
    quad r = std::sqrt(static_cast<double>(x));
    r = (r + x / r) / 2;
    r = (r + x / r) / 2;
    return r;
}

quad lnOneMinus(quad w)
{
    // ln m = 2 atanh(t) with t = (m - 1) / (m + 1); for m = 1 - w that is t = -w / (2 - w), with
    // no cancellation for small w. Larger w are first brought to m in [0.7, 1.4] by powers of two.
    if (!(w > 0))
        return 0;
    if (!(w < 1))
        return static_cast<quad>(-std::numeric_limits<double>::infinity()); // the level is never reached
    int k = 0;
    quad t = 0;
    if (w < quad(0.29)) {
        t = -w / (2 - w);
    } else {
        quad m = 1 - w;
        while (m < quad(0.7)) {
            m *= 2;
            --k;
        }
        t = (m - 1) / (m + 1);
    }
    const quad t2 = t * t;
    quad term = t;
    quad sum = 0;
    for (int n = 1; n < 200; n += 2) {
        const quad next = term / n;
        sum += next;
        if (next == 0 || std::abs(static_cast<double>(next / sum)) < 1e-36)
            break;
        term *= t2;
    }
    return 2 * sum + quad(k) * ln2();
}

quad pi()
{
    return twoDoubles(3.141592653589793, 1.2246467991473532e-16);
}

quad ln2()
{
    return twoDoubles(0.6931471805599453, 2.3190468138462996e-17);
}

quad ln3()
{
    return twoDoubles(1.0986122886681098, -9.07129723500153e-17);
}

Decimal roundedPercent(quad e, int decimals)
{
    const bool negative = e < 0;
    const quad scaled = (negative ? -e : e) * 100 * tenTo(decimals) + quad(0.5);
    // Beyond 18 digits the percentage is far from any target and its last digits do not matter.
    const auto whole =
        scaled < quad(9e18) ? static_cast<std::int64_t>(scaled) : std::int64_t(9'000'000'000'000'000'000);
    return Decimal::of(negative ? -whole : whole, -decimals);
}

} // namespace values::detail
