// SPDX-License-Identifier: MIT
#include "ratio.h"

#include "error.h"

#include <cstdint>
#include <limits>

namespace runtime {

namespace {
__extension__ using Int128 = __int128;
__extension__ using UInt128 = unsigned __int128;

UInt128 magnitude(Int128 v)
{
    return v < 0 ? UInt128(0) - UInt128(v) : UInt128(v);
}
} // namespace

Currency CyMulDiv(Currency a, Currency b, Currency c, Currency d)
{
    // Scaled values: (a*b/s^2) / ((c+d)/s) = a*b / (c+d) / s, so the scaled result is
    // a*b / (c+d) with a, b, c, d all in ten-thousandths. |a*b| < 2^126, |c+d| < 2^64.
    const Int128 numerator = Int128(a.scaled()) * b.scaled();
    const Int128 denominator = Int128(c.scaled()) + d.scaled();
    if (denominator == 0)
        throw Error(b.scaled() == 0 ? ErrorNumber::Overflow : ErrorNumber::DivisionByZero);

    const bool negative = (numerator < 0) != (denominator < 0);
    const UInt128 n = magnitude(numerator);
    const UInt128 q0 = n / magnitude(denominator);
    const UInt128 r = n % magnitude(denominator);
    const UInt128 twice = r * 2; // r < |denominator| < 2^65: no overflow
    UInt128 q = q0;
    if (twice > magnitude(denominator) || (twice == magnitude(denominator) && (q0 & 1)))
        ++q;

    const UInt128 limit = negative ? UInt128(std::numeric_limits<std::int64_t>::max()) + 1
                                   : UInt128(std::numeric_limits<std::int64_t>::max());
    if (q > limit)
        throw Error(ErrorNumber::Overflow);
    const std::int64_t scaled = negative ? static_cast<std::int64_t>(UInt128(0) - q) : static_cast<std::int64_t>(q);
    return Currency::fromScaled(scaled);
}

} // namespace runtime
