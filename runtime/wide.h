// SPDX-License-Identifier: MIT
#pragma once

#include "currency.h"
#include "error.h"

#include <cstdint>

// 128-bit integers for exact Currency products and ratios, and their one rounding.
namespace runtime::wide {

__extension__ using int128 = __int128;
__extension__ using uint128 = unsigned __int128;

// Round-to-nearest-even of magnitude / divisor.
inline uint128 divideToEven(uint128 magnitude, uint128 divisor)
{
    uint128 quotient = magnitude / divisor;
    const uint128 twice = (magnitude % divisor) * 2;
    if (twice > divisor || (twice == divisor && (quotient & 1) != 0))
        ++quotient;
    return quotient;
}

inline uint128 magnitudeOf(int128 value)
{
    return value < 0 ? uint128{0} - static_cast<uint128>(value) : static_cast<uint128>(value);
}

// The Currency of that many ten-thousandths, or 6 when it holds none.
inline Currency currencyFrom(bool negative, uint128 magnitude)
{
    constexpr std::uint64_t negativeLimit = std::uint64_t{1} << 63; // |int64 min|
    if (magnitude > (negative ? negativeLimit : negativeLimit - 1))
        raise(ErrorNumber::Overflow);
    const auto m = static_cast<std::uint64_t>(magnitude);
    return Currency::fromScaled(negative ? static_cast<std::int64_t>(std::uint64_t{0} - m)
                                         : static_cast<std::int64_t>(m));
}

} // namespace runtime::wide
