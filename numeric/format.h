// SPDX-License-Identifier: MIT
#pragma once

#include "numeric/decimal.h"
#include "numeric/parse.h"

#include <string>
#include <string_view>

// Every way the program writes a number, so a tool that prints one needs no other tool's header.
namespace values {

// At most `significant` significant digits (rounded half away from zero; exact input stays
// exact when it fits), an SI prefix from f to T, trailing zeros dropped: "4.7k", "4.99k",
// "1.234k", "147n", "10", "1f".
// No unit; windows append "Ω"/"F" (so "4.7 kΩ" style is the window's choice). Micro is "µ".
std::string format(const Decimal& v, int significant = 4);

// format() with a blank and the unit: "4.7 kΩ", "3.297 V", "362.3 µA".
std::string withUnit(const Decimal& value, std::string_view unit, int significant = 4);

// The RKM (letter-for-decimal-point) code of an exact value, or "" when it needs more than
// `significant` digits: resistors upper case R K M G T ("4K7", "2R2", "R47", "470R", "1M0"),
// capacitors lower case p n u m ("4n7", "p10", "100n"). Unit::None, Volt and Ampere use the
// resistor letters.
std::string formatRkm(const Decimal& v, Unit unit, int significant = 4);

// The digits with the point where it belongs, no prefix and no exponent: "0.25", "1500", "-0.005".
std::string plain(const Decimal& v);

// Every digit with at least `decimals` after the point: (2, 2) "2.00", (5e-3, 2) "0.005".
std::string fixed(const Decimal& v, int decimals);

// Every digit, one before the point and the power of ten after: "4.7e-9", "-1.5e16", "3e17".
std::string scientific(const Decimal& v);

// A measured figure to `significant` digits without an exponent or an SI prefix, trailing zeros
// dropped: "0.3004", "11.83", "16.3", "1235". For lengths shown in mm and mil.
std::string plain(double value, int significant = 4);

// A measured figure (volts, amperes) to `significant` digits, for format() and JSON; 0 stays 0.
Decimal approximate(double value, int significant);

// The shortest decimal that reads back as the double (what std::to_chars writes): JSON numbers
// at full precision without a tail of noise digits. Zero for anything not finite, which the JSON
// writer could not carry anyway.
Decimal shortest(double value);

// The shortest digits that read back as the same finite double, plain where short ("5000",
// "0.47", "-0.0012"), else with an exponent ("4.7e-9", "1.5e16"): numbers as JSON writes them.
std::string shortestText(double value);

// For reading, not for exactness: ohms with at least two decimals and four significant digits
// ("150.48 Ω", "10.10 Ω", "5.556 Ω"), with a prefix from 10 kΩ ("29.9970 kΩ") and below 1 Ω.
std::string ohmsText(double ohms);

// Decibels to three decimals: "6.009 dB".
std::string dbText(double db);

} // namespace values
