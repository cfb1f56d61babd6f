// SPDX-License-Identifier: MIT
#pragma once

#include "numeric/parse.h"

#include <optional>
#include <string>
#include <string_view>

// Measured quantities read from what people type, as doubles in SI units: the figures of the
// wire, battery and capacitor arithmetic, which are measured, not exact.
namespace values {

// The value, or the message saying what to write instead (quoting what was typed).
struct Measured {
    std::optional<double> value;
    std::string error;
};

// A value above zero with an optional SI prefix, in `unit` or bare: "10m", "10 mA", "0.01". Units
// the value parser does not know ("W", "s", "h") are `suffix`, taken off first. Zero, however
// written, only where `zero` allows it. `what` and `examples` make the messages: "'5V' is not a
// current: write 10m, 10mA or 0.01".
struct Amount {
    Unit unit = Unit::None;
    std::string_view suffix = {};
    std::string_view what = "a value";
    std::string_view examples = "4.7k or 4700";
    bool zero = false;
};
Measured parseAmount(std::string_view text, const Amount& q, char decimalSeparator = '.');

// Digits, a sign, a point and an exponent only: no prefix letter, no unit.
bool plainNumber(std::string_view text, char decimalSeparator = '.');

// A percentage, "1", "1%", "0.5 %", from lo to hi (both included); the value is the fraction, 0.01.
Measured parsePercent(std::string_view text, double lo, double hi, char decimalSeparator = '.');

} // namespace values
