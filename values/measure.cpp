// SPDX-License-Identifier: MIT
#include "values/measure.h"

#include "numeric/text.h"

#include <array>

namespace values {

namespace {

struct Words {
    Measure measure;
    std::string_view noun;
    std::string_view examples;
    Unit unit; // what the value parser reads after it; None: no unit of the parser's
};

constexpr std::array<Words, 15> table{{
    {Measure::Resistance, "a resistance", "4.7k, 4k7 or 4700", Unit::Ohm},
    {Measure::Capacitance, "a capacitance",
     "100n, 4u7 or 0.1\xC2\xB5"
     "F",
     Unit::Farad},
    {Measure::Inductance, "an inductance", "10m, 4.7u or 100uH", Unit::None},
    {Measure::Frequency, "a frequency", "1k, 50 or 2.4GHz", Unit::None},
    {Measure::Time, "a time", "1m, 10u or 4.7 ms", Unit::None},
    {Measure::Voltage, "a voltage", "5, 3.3 or 12V", Unit::Volt},
    {Measure::Current, "a current", "10m, 20mA or 0.5", Unit::Ampere},
    {Measure::Power, "a power", "250m, 0.5 or 2W", Unit::None},
    {Measure::Impedance, "an impedance", "50, 75 or 600", Unit::Ohm},
    {Measure::Permittivity, "a permittivity", "4.5, 3.5 or 10", Unit::None},
    {Measure::DutyCycle, "a duty cycle", "60, 25% or 75.5", Unit::None},
    {Measure::Attenuation, "an attenuation", "6, 10.5 or 20 dB", Unit::None},
    {Measure::Length, "a length", "0.3mm, 35um, 12mil or 0.1in", Unit::None},
    {Measure::CopperWeight, "a copper weight", "1oz, 35um or 1.4mil", Unit::None},
    {Measure::Temperature, "a temperature",
     "20 or 20 \xC2\xB0"
     "C",
     Unit::None},
}};

// Looked up by position: each row stands where its measure does.
constexpr bool inOrder()
{
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].measure != static_cast<Measure>(i))
            return false;
    }
    return true;
}
static_assert(inOrder());

const Words& words(Measure measure)
{
    return table[static_cast<std::size_t>(measure)];
}

} // namespace

std::string_view noun(Measure measure)
{
    return words(measure).noun;
}

std::string_view unitSymbol(Measure measure)
{
    switch (measure) {
    case Measure::Resistance:
        return "Ω";
    case Measure::Capacitance:
        return "F";
    case Measure::Inductance:
        return "H";
    case Measure::Frequency:
        return "Hz";
    case Measure::Time:
        return "s";
    case Measure::Voltage:
        return "V";
    case Measure::DutyCycle:
        return "%";
    default:
        return {};
    }
}

std::string_view examples(Measure measure)
{
    return words(measure).examples;
}

std::string notA(std::string_view typed, Measure measure)
{
    return quoted(typed) + " is not " + std::string(noun(measure)) + ": write " + std::string(examples(measure));
}

std::string typeA(Measure measure)
{
    return "Type " + std::string(noun(measure)) + ": write " + std::string(examples(measure));
}

std::string refusal(const Parsed& parsed, std::string_view inner, std::string_view typed, Measure measure)
{
    if (parsed.error.starts_with("Type a value"))
        return trim(typed).empty() ? typeA(measure) : notA(typed, measure);
    if (parsed.error.find(" is not a value") != std::string::npos)
        return notA(typed, measure);
    return requoted(parsed.error, inner, typed);
}

Parsed parseMeasure(std::string_view text, Measure measure, char decimalSeparator)
{
    const std::string_view typed = trim(text);
    std::string_view number = typed;
    // "1kHz" and "1 kHz", in the case units are written; "H" alone is a bad value, not a unit.
    const auto takeUnit = [&](std::string_view unit) {
        return number.size() > unit.size() && takeSuffix(number, unit, false);
    };
    switch (measure) {
    case Measure::Inductance:
        takeUnit("H");
        break;
    case Measure::Frequency:
        if (!takeUnit("Hz"))
            takeUnit("hz");
        break;
    case Measure::Time:
        takeUnit("s");
        break;
    case Measure::Power:
        if (!takeUnit("W"))
            takeUnit("w");
        break;
    case Measure::DutyCycle:
        takeUnit("%");
        break;
    default:
        break;
    }
    Parsed parsed = parse(number, decimalSeparator);
    if (!parsed.value) {
        parsed.error = refusal(parsed, number, typed, measure);
        return parsed;
    }
    if (parsed.unit != Unit::None && parsed.unit != words(measure).unit) {
        parsed.error = notA(typed, measure);
        parsed.value.reset();
    }
    return parsed;
}

} // namespace values
