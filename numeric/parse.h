// SPDX-License-Identifier: MIT
#pragma once

#include "numeric/decimal.h"

#include <optional>
#include <string>
#include <string_view>

namespace values {

enum class Unit { None, Ohm, Farad, Volt, Ampere };

struct Parsed {
    std::optional<Decimal> value; // empty when refused
    Unit unit = Unit::None;       // the unit written after it, if any (also beside a refused zero)
    std::string error;            // the message when refused, naming what was typed
    bool zero = false;            // refused because it is zero, which some fields allow
};

// Plain numbers ("4700", "0.1", "1e3", "1E-9"; the given decimal separator and "." both), SI
// prefixes f p n u µ m k K M G T with or without a blank, RKM ("4k7", "2R2", "R47", "470R", "1M0",
// "4n7", "p10"), an optional unit (Ω, ohm, ohms, F, V, A). Refuses zero, negatives and values
// beyond 1e-15 .. 1e15, each with its own message; bad text: "'4x7' is not a value: write 4.7k, 4k7 or 4700".
// One parser for every field and the command line, so a value reads the same everywhere.
Parsed parse(std::string_view text, char decimalSeparator = '.');

// Takes a unit or other suffix and the blanks before it off the end of the text, if it is there;
// letters in either case ("220 OHMS", "12MIL") unless `anyCase` is false.
bool takeSuffix(std::string_view& text, std::string_view suffix, bool anyCase = true);

// Zero as it may be typed where zero is allowed: "0", "0.0", ".0", "00".
bool isZeroText(std::string_view text, char decimalSeparator = '.');

// A message about `inner` (the text without a sign or unit the caller took off), said about what
// was typed instead.
std::string requoted(std::string message, std::string_view inner, std::string_view typed);

// What parse() reads, negative or zero too (an ambient temperature): "-40", "0", "- 2.5".
Parsed parseSigned(std::string_view text, char decimalSeparator = '.');

// A value in the unit it may carry (Unit::None: any unit): "'4n7F' is a capacitance, not a
// resistance".
Parsed parseIn(std::string_view text, Unit unit);

// "10..1M": two values, the lower first, around "..", in the unit they may carry.
struct ParsedRange {
    std::optional<Decimal> lo; // both or neither
    std::optional<Decimal> hi;
    std::string error;
};
ParsedRange parseRange(std::string_view text, Unit unit);

// A whole number from lo to hi, digits only: "10", not "1e1" or "10 ".
std::optional<int> parseWhole(std::string_view text, int lo, int hi);

// A percentage from zero to below 100: "5", "0.5", "5%", "0,5 %" (either decimal separator).
std::optional<Decimal> parseTolerance(std::string_view text, char decimalSeparator = '.');

} // namespace values
