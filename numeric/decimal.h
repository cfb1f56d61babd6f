// SPDX-License-Identifier: MIT
#pragma once

#include <compare>
#include <cstdint>

namespace values {

// An exact decimal, mantissa x 10^exponent; normalised: no trailing zeros in the mantissa
// (zero is {0, 0}), so == compares values. Decimal because people type decimals: "0.1" and
// "100n" must stay exact so that an exact hit can be reported as exact.
struct Decimal {
    std::int64_t mantissa = 0;
    int exponent = 0;
    static Decimal of(std::int64_t mantissa, int exponent); // normalises
    int digits() const;                                     // significant digits (0 for zero)
    double toDouble() const;                                // for display maths only, never for exactness
    double nearestDouble() const;                           // the double nearest the exact value
    friend bool operator==(const Decimal&, const Decimal&) = default;
};
std::strong_ordering operator<=>(const Decimal& a, const Decimal& b); // exact (128-bit)

// The double nearest the exact decimal (correctly rounded, unlike a multiply by a power of ten).
inline double nearestDouble(const Decimal& value)
{
    return value.nearestDouble();
}

} // namespace values
