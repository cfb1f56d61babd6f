// SPDX-License-Identifier: MIT
#pragma once

#include "numeric/decimal.h"

#include <cstdint>

// Double-double arithmetic (hi + lo, about 106 bits): enough that rounding the result to a double
// once gives the nearest double unless the true value lies within ~1e-30 of a halfway point.
// Where the maths library has no 113-bit functions, formulas written with sums of positive terms,
// products and quotients keep every digit here. Not part of the library's interface.
namespace values::detail {

struct DD {
    double hi = 0;
    double lo = 0;
};

DD operator+(const DD& a, const DD& b);
DD operator-(const DD& a, const DD& b);
DD operator*(const DD& a, const DD& b);
DD operator/(const DD& a, const DD& b);

DD dd(double v);
DD ddOf(std::int64_t m);
DD ddOf(const Decimal& v);

// ln 10 to double-double precision.
inline constexpr DD ln10{2.302585092994046, -2.1707562233822494e-16};

// e^y - 1 for y >= 0, without the cancellation of e^y - 1 near 0 dB.
DD expm1(DD y);

} // namespace values::detail
