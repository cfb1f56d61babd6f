// SPDX-License-Identifier: MIT
#pragma once

#include "values/decimal.h"

#include <optional>
#include <string>
#include <string_view>

namespace values {

enum class Unit { None, Ohm, Farad, Volt, Ampere };

struct Parsed {
    std::optional<Decimal> value; // empty when refused
    Unit unit = Unit::None;       // the unit written after it, if any
    std::string error;            // the message when refused, naming what was typed
    bool zero = false;            // refused because it is zero, which some fields allow
};

// Plain numbers ("4700", "0.1", "1e3", "1E-9"; the given decimal separator and "." both), SI
// prefixes f p n u µ m k K M G T with or without a blank, RKM ("4k7", "2R2", "R47", "470R", "1M0",
// "4n7", "p10"), an optional unit (Ω, ohm, ohms, F, V, A). Refuses zero, negatives and values
// beyond 1e-15 .. 1e15, each with its own message; bad text: "'4x7' is not a value: write 4.7k, 4k7 or 4700".
// One parser for every field and the command line, so a value reads the same everywhere.
Parsed parse(std::string_view text, char decimalSeparator = '.');

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

} // namespace values
