// SPDX-License-Identifier: MIT
#pragma once

#include "numeric/decimal.h"

#include <cstdint>

// 113-bit floating point for answers that must come out as the double nearest the true value:
// worked out here, a formula's few roundings stay far below the last rounding to double.
// GCC and Clang both have the type on x86-64; only its arithmetic is used, no maths library.
// Not part of the library's interface.
namespace values::detail {

__extension__ using quad = __float128;

quad toQuad(const Decimal& v); // the mantissa exactly, then at most one rounding
quad squareRoot(quad x);       // x >= 0
quad lnOneMinus(quad w);       // ln(1 - w) for 0 < w < 1, without losing digits for small w

quad pi();
quad ln2();
quad ln3();

// e in percent rounded half away from zero to `decimals` places (e is never an exact half here).
Decimal roundedPercent(quad e, int decimals);

} // namespace values::detail
