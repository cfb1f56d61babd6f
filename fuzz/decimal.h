// SPDX-License-Identifier: MIT
#pragma once

#include "runtime/error.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A judge for the parsers that shares no code with them: a number text is kept as its own
// digit string and a power of ten, and rounding is decided by comparing digit strings, so a
// fault in the runtime's integer arithmetic cannot hide behind the same fault here.
namespace fuzz {

// (-1)^negative x digits x 10^exponent, digits without leading zeros (empty for zero).
struct ExactDecimal {
    bool negative = false;
    std::string digits;
    std::int64_t exponent = 0;
};

// The number a text spells: blanks (space, tab) around it, an optional sign, digits with an
// optional fraction after the separator, at least one digit, then an optional E or e with an
// optional sign and at least one digit. Nothing else, the empty text included.
std::optional<ExactDecimal> readNumber(std::string_view text, std::string_view separator);

// The magnitude times 10^shift rounded to a whole number, ties to even, as decimal digits
// ("0" for zero); nullopt when it has more than 40 digits, beyond every range checked here.
std::optional<std::string> roundedDigits(const ExactDecimal& value, int shift);

// What a parser should do with a text: give a value, written as a signed decimal integer
// (of ten-thousandths for Currency), or raise the error.
struct Expected {
    std::optional<runtime::ErrorNumber> error; // none, Overflow or TypeMismatch
    std::string value;
};

Expected expectedLong(std::string_view text, std::string_view separator);
Expected expectedCurrency(std::string_view text, std::string_view separator);

// For Doubles the judge is glibc's strtod, which rounds correctly on every digit it is given
// and is a different implementation from the runtime's. `value` is meaningful when there is no error.
struct ExpectedDouble {
    std::optional<runtime::ErrorNumber> error;
    double value = 0;
};
ExpectedDouble expectedDouble(std::string_view text, std::string_view separator);

} // namespace fuzz
