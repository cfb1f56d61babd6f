// SPDX-License-Identifier: MIT
#pragma once

#include "currency.h"

#include <cstdint>
#include <string>
#include <string_view>

// Text to number and number to text. Texts are UTF-8; the decimal separator is the
// caller's locale's (one or more bytes), "." when not given.
namespace runtime {

// Parsing accepts blanks around the number, an optional sign, digits with an optional
// fraction, and an optional exponent ("E"/"e", optional sign, digits). Anything else,
// the empty text included, raises 13. Rounding is decided on the exact decimal value of
// the text, and the range is checked after rounding (6).
std::int32_t I4Str(std::string_view text, std::string_view decimalSeparator = ".");
double R8Str(std::string_view text, std::string_view decimalSeparator = ".");
Currency CyStr(std::string_view text, std::string_view decimalSeparator = ".");

// 15 significant digits; E notation from 1E+15 up, below 0.0001, and where the fixed
// form would need more than 15 decimals.
std::string StrR8(double value, std::string_view decimalSeparator = ".");
// Exact, never E notation, trailing fractional zeros dropped.
std::string StrCy(Currency value, std::string_view decimalSeparator = ".");

Currency CyAdd(Currency a, Currency b);
Currency CyMul(Currency a, Currency b);
double R8Cy(Currency value);
// A checked floating-point result to Currency: times 10,000, ties to even; 6 when out of
// range or NaN.
Currency FpCy(double value);

// Display rounding to a number of decimals (0 to 4 for Currency, 0 to 15 for Double),
// ties to even on the exact value.
Currency RoundCy(Currency value, int decimals);
double RoundR8(double value, int decimals);

} // namespace runtime
