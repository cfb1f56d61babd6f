// SPDX-License-Identifier: MIT
#pragma once

#include "numeric/parse.h"

#include <string>
#include <string_view>

// What a field holds, and the words its messages use for it: one table, so a voltage refused
// anywhere is answered with voltages to copy ("write 5, 3.3 or 12V"), never with resistors.
namespace values {

enum class Measure {
    Resistance,
    Capacitance,
    Inductance,
    Frequency,
    Time,
    Voltage,
    Current,
    Power,
    Impedance,
    Permittivity,
    DutyCycle,
    // Read by readers of their own (board.h, pads.h), not by parseMeasure.
    Attenuation,
    Length,
    CopperWeight,
    Temperature,
};

// "a voltage", and what to write instead, each example read as that kind: "5, 3.3 or 12V".
std::string_view noun(Measure measure);

// The unit a field of the kind is typed in, beside it: "Ω", "Hz"; empty where it has none of
// its own (a length, read in several).
std::string_view unitSymbol(Measure measure);
std::string_view examples(Measure measure);

// "'12x' is not a voltage: write 5, 3.3 or 12V"
std::string notA(std::string_view typed, Measure measure);
// "Type a voltage: write 5, 3.3 or 12V"
std::string typeA(Measure measure);

// The value parser's refusal of `inner` (the text a suffix was taken off) said of what was
// typed: its "not a value" and "Type a value", whose examples are resistors, in the measure's own
// words; the rest (zero, too large, too many digits) as the parser says them.
std::string refusal(const Parsed& parsed, std::string_view inner, std::string_view typed, Measure measure);

// parse() with the measure's unit allowed and any other refused ("10 mH", "1kHz", "4.7ms",
// "250mW", "60%"), its messages in the measure's words. Not for the measures with readers of
// their own.
Parsed parseMeasure(std::string_view text, Measure measure, char decimalSeparator = '.');

} // namespace values
