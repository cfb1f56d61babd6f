// SPDX-License-Identifier: MIT
#pragma once

#include "numeric/big.h"
#include "numeric/decimal.h"

#include <compare>
#include <cstdint>

namespace values {

// A non-negative exact rational, for answers that are fractions of what was typed (5 V / 220 Ω)
// and must round once, at the end, to what is shown or to the nearest double. Unreduced: it only
// ever meets a few operations before it is rounded.
class Exact {
public:
    Exact() = default;                     // zero
    static Exact of(const Decimal& value); // value >= 0
    static Exact of(std::uint64_t value);
    static Exact ofDouble(double value); // finite, >= 0; exactly the double's value

    bool isZero() const { return num_.isZero(); }

    friend Exact operator+(const Exact& a, const Exact& b);
    friend Exact operator-(const Exact& a, const Exact& b); // a >= b
    friend Exact operator*(const Exact& a, const Exact& b);
    friend Exact operator/(const Exact& a, const Exact& b); // b not zero
    friend std::strong_ordering operator<=>(const Exact& a, const Exact& b);
    friend bool operator==(const Exact& a, const Exact& b) { return std::is_eq(a <=> b); }

    // The double nearest the value (ties to even), as JSON writes it.
    double toDouble() const;
    // To `significant` digits, half away from zero.
    Decimal rounded(int significant) const;
    // Whether rounded(significant) is the value itself.
    bool isDecimal(int significant) const;

    // The same for the square root of the value.
    double sqrtToDouble() const;
    Decimal sqrtRounded(int significant) const;
    bool sqrtIsDecimal(int significant) const;

private:
    Exact(detail::Big num, detail::Big den);
    detail::Big num_;
    detail::Big den_ = detail::Big(1);
};

} // namespace values
