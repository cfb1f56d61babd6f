// SPDX-License-Identifier: MIT
#pragma once

#include "numeric/decimal.h"
#include "numeric/parse.h"

#include <string>
#include <string_view>

// Every way the program writes a number, so a tool that prints one needs no other tool's header.
//
// A figure people read, in the windows and in the command line's plain text, follows one rule
// (JSON keeps every digit, see shortestText):
// - a computed figure shows `shownDigits` significant digits, trailing zeros dropped, with an SI
//   prefix from f to T: "1.5915k", "993.59", "47n", the same in an answer line and in a table;
// - it is rounded half away from zero on its exact decimal value. A double is taken as the
//   shortest decimal that reads back as it (the number JSON prints), so a result computed to the
//   nearest double ties where its decimal does: 0.250625 shows as 0.25063 and 2.00005 as 2.0001,
//   though both doubles lie just below those decimals;
// - what was typed, and a value the program knows exactly and says so ("= 28.8 Ω" in Ohm's law,
//   "exact" beside eval's value), is written whole: `allDigits`, or `exactDigits` for a result;
// - hertz take no prefix below 1 ("0.99359 Hz": "mHz" reads as "MHz"), and a computed frequency
//   below 1 Hz shows its period beside it (but in the windows' tables, whose columns are sized
//   for a figure); decibels take no prefix at all ("0.001 dB").
// Deviations ("+2.00 %", nearest.h) are differences from a target and keep their own form.
namespace values {

inline constexpr int shownDigits = 5;
inline constexpr int allDigits = 18;   // every digit of a typed value (the reader takes 18)
inline constexpr int exactDigits = 15; // an exact result shows in full up to this many digits

// At most `significant` significant digits, an SI prefix from f to T, trailing zeros dropped:
// "4.7k", "4.99k", "1.234k", "147n", "10", "1f". No unit; windows append "Ω"/"F" (so "4.7 kΩ"
// style is the window's choice). Micro is "µ".
std::string format(const Decimal& v, int significant = shownDigits);

// format() with a blank and the unit: "4.7 kΩ", "3.2971 V", "362.32 µA"; in hertz below 1 and in
// decibels without a prefix: "0.5 Hz", "0.001 dB".
std::string withUnit(const Decimal& value, std::string_view unit, int significant = shownDigits);

// A computed figure with its unit, by the rule above: "159.15 Hz", "1.0788 ms", "50.238 Ω",
// "67.036 dB", "0.99359 Hz (period 1.0064 s)".
std::string figure(double value, std::string_view unit);

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

// A computed figure to `significant` digits without an exponent or an SI prefix, trailing zeros
// dropped: "0.30043", "11.828", "16.3", "1234.6". For lengths shown in mm and mil.
std::string plain(double value, int significant = shownDigits);

// A computed figure (volts, amperes) to `significant` digits, rounded as the rule says, for
// format() and withUnit(); 0, and what is not finite, is 0.
Decimal approximate(double value, int significant = shownDigits);
Decimal approximate(const Decimal& value, int significant = shownDigits);

// The double's shortest decimal times 10^power, shifted rather than multiplied: metres shown in
// millimetres keep their exact digits (2.5125e-4 m x 1000 in doubles is 0.25125000000000003).
Decimal scaled(double value, int power);

// The shortest decimal that reads back as the double (what std::to_chars writes): JSON numbers
// at full precision without a tail of noise digits. Zero for anything not finite, which the JSON
// writer could not carry anyway.
Decimal shortest(double value);

// The shortest digits that read back as the same finite double, plain where short ("5000",
// "0.47", "-0.0012"), else with an exponent ("4.7e-9", "1.5e16"): numbers as JSON writes them.
std::string shortestText(double value);

} // namespace values
