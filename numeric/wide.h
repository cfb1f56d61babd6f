// SPDX-License-Identifier: MIT
#pragma once

#include <compare>
#include <cstdint>

// 128-bit helpers shared by the library's sources; not part of its interface.
namespace values::detail {

__extension__ using u128 = unsigned __int128;

inline constexpr double powersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                         1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

inline u128 magnitude(std::int64_t v)
{
    // Through unsigned so INT64_MIN does not overflow.
    const auto bits = static_cast<std::uint64_t>(v);
    return v < 0 ? u128(std::uint64_t(0) - bits) : u128(bits);
}

inline u128 pow10(int n)
{
    u128 r = 1;
    for (int i = 0; i < n; ++i)
        r *= 10;
    return r;
}

inline int digitCount(u128 v)
{
    int n = 0;
    while (v != 0) {
        v /= 10;
        ++n;
    }
    return n;
}

// The double nearest mantissa x 10^exponent, correctly rounded.
double nearestDouble(u128 mantissa, int exponent);

// a x 10^ea against b x 10^eb for non-negative a, b; by order of magnitude first, then by
// division, so nothing is multiplied past 128 bits.
inline std::strong_ordering compareScaled(u128 a, int ea, u128 b, int eb)
{
    // The common cases without dividing (a stock of integers, values of one series): the same
    // exponent, or 64-bit mantissas whose exponents differ by so little that scaling one up
    // stays within 128 bits.
    if (ea == eb)
        return a <=> b;
    if ((a >> 64) == 0 && (b >> 64) == 0 && ea - eb <= 19 && eb - ea <= 19)
        return ea > eb ? a * pow10(ea - eb) <=> b : a <=> b * pow10(eb - ea);
    if (a == 0 || b == 0)
        return (a != 0) <=> (b != 0);
    const int da = digitCount(a);
    const int db = digitCount(b);
    if (da + ea != db + eb)
        return da + ea <=> db + eb;
    // Same magnitude: bring the one with more digits down to the other's and compare, then the
    // remainder decides.
    if (da >= db) {
        const u128 p = pow10(da - db);
        const u128 q = a / p;
        if (q != b)
            return q <=> b;
        return (a % p != 0) ? std::strong_ordering::greater : std::strong_ordering::equal;
    }
    const u128 p = pow10(db - da);
    const u128 q = b / p;
    if (q != a)
        return a <=> q;
    return (b % p != 0) ? std::strong_ordering::less : std::strong_ordering::equal;
}

} // namespace values::detail
