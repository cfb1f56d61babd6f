// SPDX-License-Identifier: MIT
#include "values/conversions.h"

#include "numeric/format.h"
#include "numeric/parse.h"
#include "numeric/text.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <span>

namespace values {

namespace {

constexpr std::size_t at(Level level)
{
    return static_cast<std::size_t>(level);
}

constexpr std::size_t at(Wave wave)
{
    return static_cast<std::size_t>(wave);
}

// 0 dBu: the voltage that puts 1 mW into 600 Ω.
const double dbuVolts = std::sqrt(0.6);

bool isPower(Level level)
{
    return level == Level::Dbm || level == Level::Dbw || level == Level::Watt;
}

// A value above zero with an optional prefix and no unit of the parser's own.
std::optional<double> positive(std::string_view number, std::string_view typed, std::string& error,
                               char decimalSeparator)
{
    const Parsed parsed = parse(number, decimalSeparator);
    if (!parsed.value) {
        error = requoted(parsed.error, number, typed);
        return std::nullopt;
    }
    if (parsed.unit != Unit::None) {
        error = quoted(typed) + " has two units";
        return std::nullopt;
    }
    return nearestDouble(*parsed.value);
}

} // namespace

Ratios ratios(Ratio given, double value)
{
    Ratios r;
    switch (given) {
    case Ratio::Decibels:
        r = {value, std::pow(10.0, value / 10), std::pow(10.0, value / 20)};
        break;
    case Ratio::Power:
        r = {10 * std::log10(value), value, std::sqrt(value)};
        break;
    case Ratio::Voltage:
        r = {20 * std::log10(value), value * value, value};
        break;
    }
    return r;
}

Levels levels(Level given, double value, double impedanceOhm)
{
    // The power and the RMS voltage, each straight from what was given where it can be, so that
    // a form converted and converted back lands where it started.
    double watts = 0;
    double volts = 0;
    switch (given) {
    case Level::Dbm:
        watts = 1e-3 * std::pow(10.0, value / 10);
        break;
    case Level::Dbw:
        watts = std::pow(10.0, value / 10);
        break;
    case Level::Watt:
        watts = value;
        break;
    case Level::Dbuv:
        volts = 1e-6 * std::pow(10.0, value / 20);
        break;
    case Level::Dbu:
        volts = dbuVolts * std::pow(10.0, value / 20);
        break;
    case Level::Dbv:
        volts = std::pow(10.0, value / 20);
        break;
    case Level::VoltRms:
        volts = value;
        break;
    case Level::VoltPeak:
        volts = value / std::numbers::sqrt2;
        break;
    case Level::VoltPeakToPeak:
        volts = value / (2 * std::numbers::sqrt2);
        break;
    }
    Levels l{};
    if (isPower(given)) {
        // V² = P Z: each voltage and its decibels from the one product, rounded once more.
        const double squared = watts * impedanceOhm;
        l[at(Level::Dbuv)] = 10 * std::log10(squared) + 120;
        l[at(Level::Dbu)] = 10 * std::log10(squared / 0.6);
        l[at(Level::Dbv)] = 10 * std::log10(squared);
        l[at(Level::VoltRms)] = std::sqrt(squared);
        l[at(Level::VoltPeak)] = std::sqrt(2 * squared);
        l[at(Level::VoltPeakToPeak)] = 2 * std::sqrt(2 * squared);
    } else {
        watts = volts * volts / impedanceOhm;
        l[at(Level::Dbuv)] = 20 * std::log10(volts / 1e-6);
        l[at(Level::Dbu)] = 20 * std::log10(volts / dbuVolts);
        l[at(Level::Dbv)] = 20 * std::log10(volts);
        l[at(Level::VoltRms)] = volts;
        l[at(Level::VoltPeak)] = volts * std::numbers::sqrt2;
        l[at(Level::VoltPeakToPeak)] = 2 * std::numbers::sqrt2 * volts;
    }
    l[at(Level::Dbm)] = 10 * std::log10(watts / 1e-3);
    l[at(Level::Dbw)] = 10 * std::log10(watts);
    l[at(Level::Watt)] = watts;
    l[at(given)] = value;
    return l;
}

std::string_view levelUnit(Level level)
{
    static constexpr std::string_view units[] = {"dBm", "dBW", "dBµV", "dBu", "dBV", "W", "V rms", "V peak", "V p-p"};
    return units[at(level)];
}

Waves waves(Wave given, double value, double er)
{
    const double medium = speedOfLight / std::sqrt(er);
    double hz = 0;
    switch (given) {
    case Wave::Frequency:
        hz = value;
        break;
    case Wave::Period:
        hz = 1 / value;
        break;
    case Wave::Wavelength:
        hz = speedOfLight / value;
        break;
    case Wave::MediumWavelength:
        hz = medium / value;
        break;
    case Wave::MediumQuarter:
        hz = medium / (4 * value);
        break;
    }
    Waves w{};
    w[at(Wave::Frequency)] = hz;
    w[at(Wave::Period)] = 1 / hz;
    w[at(Wave::Wavelength)] = speedOfLight / hz;
    w[at(Wave::MediumWavelength)] = medium / hz;
    w[at(Wave::MediumQuarter)] = medium / hz / 4;
    w[at(given)] = value;
    return w;
}

double erOfVelocityFactor(double vf)
{
    return 1 / (vf * vf);
}

double velocityFactorOfEr(double er)
{
    return 1 / std::sqrt(er);
}

std::array<PrefixForm, 10> prefixForms(const Decimal& value)
{
    static constexpr std::string_view prefixes[] = {"f", "p", "n", "µ", "m", "", "k", "M", "G", "T"};
    std::array<PrefixForm, 10> forms;
    for (std::size_t i = 0; i < forms.size(); ++i) {
        const int exponent = 3 * (static_cast<int>(i) - 5);
        forms[i] = {prefixes[i], plain(Decimal::of(value.mantissa, value.exponent - exponent))};
    }
    return forms;
}

std::optional<double> parseDecibels(std::string_view text, std::string& error, char decimalSeparator)
{
    const std::string_view typed = trim(text);
    if (typed.empty()) {
        error = "Type a level: write 10, -3 or 0";
        return std::nullopt;
    }
    if (!plainNumber(typed, decimalSeparator)) {
        error = quoted(typed) + " is not a number of decibels: write 10, -3 or 0";
        return std::nullopt;
    }
    const Parsed parsed = parseSigned(typed, decimalSeparator);
    if (!parsed.value) {
        error = parsed.error;
        return std::nullopt;
    }
    const double db = nearestDouble(*parsed.value);
    if (std::abs(db) > maxDecibels) {
        error = quoted(typed) + " is beyond ±500 dB";
        return std::nullopt;
    }
    return db;
}

namespace {

using Kind = Conversion::Kind;

Conversion refused(std::string error)
{
    Conversion c;
    c.error = std::move(error);
    return c;
}

// Each reader below takes the texts of its form and leaves the others (nothing).

std::optional<Conversion> ratioForm(std::string_view typed, char decimalSeparator)
{
    const std::size_t colon = typed.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    const std::string_view a = trim(typed.substr(0, colon));
    const std::string_view b = trim(typed.substr(colon + 1));
    if (a.empty() || b.empty())
        return refused(quoted(typed) + " is not a ratio: write 2:1 or 1:10");
    std::string error;
    const auto x = positive(a, typed, error, decimalSeparator);
    const auto y = x ? positive(b, typed, error, decimalSeparator) : std::nullopt;
    if (!y)
        return refused(error);
    Conversion c;
    c.kind = Kind::Ratio;
    c.value = *x / *y;
    return c;
}

struct Suffix {
    std::string_view text;
    bool anyCase;
    Kind kind;
    Level level;
    bool decibels;
};

// Longest first where one ends another.
constexpr Suffix suffixes[] = {
    {"dBuV", true, Kind::Level, Level::Dbuv, true},
    {"dB\xC2\xB5V", false, Kind::Level, Level::Dbuv, true},
    {"dB\xCE\xBCV", false, Kind::Level, Level::Dbuv, true},
    {"dBm", true, Kind::Level, Level::Dbm, true},
    {"dBW", true, Kind::Level, Level::Dbw, true},
    {"dBu", true, Kind::Level, Level::Dbu, true},
    {"dBV", true, Kind::Level, Level::Dbv, true},
    {"dB", true, Kind::Gain, Level::Dbm, true},
    {"Vrms", true, Kind::Level, Level::VoltRms, false},
    {"Vp-p", true, Kind::Level, Level::VoltPeakToPeak, false},
    {"Vpp", true, Kind::Level, Level::VoltPeakToPeak, false},
    {"Vpk", true, Kind::Level, Level::VoltPeak, false},
    {"Vp", false, Kind::Level, Level::VoltPeak, false},
    {"V", false, Kind::Level, Level::VoltRms, false},
    {"W", false, Kind::Level, Level::Watt, false},
    {"Hz", true, Kind::Wave, Level::Dbm, false},
};

std::optional<Conversion> unitForm(std::string_view typed, char decimalSeparator)
{
    for (const Suffix& s : suffixes) {
        std::string_view number = typed;
        if (!takeSuffix(number, s.text, s.anyCase) || (!s.decibels && number.empty()))
            continue;
        std::string error;
        const auto value = s.decibels ? parseDecibels(number, error, decimalSeparator)
                                      : positive(number, typed, error, decimalSeparator);
        if (!value)
            return refused(s.decibels ? requoted(error, trim(number), typed) : error);
        Conversion c;
        c.kind = s.kind;
        c.level = s.level;
        c.wave = Wave::Frequency;
        c.value = *value;
        return c;
    }
    return std::nullopt;
}

// A period or a wavelength, unless what comes before the "s" or "m" is no value ("5 ohm") or a
// value with a unit of its own ("4.7 kohms"); the value parser has the last word on those.
std::optional<Conversion> waveForm(std::string_view typed, char decimalSeparator)
{
    for (const auto& [unit, wave] : {std::pair{"s", Wave::Period}, std::pair{"m", Wave::Wavelength}}) {
        std::string_view number = typed;
        if (!takeSuffix(number, unit, false) || number.empty())
            continue;
        const Parsed parsed = parse(number, decimalSeparator);
        if (!parsed.value || parsed.unit != Unit::None)
            return std::nullopt;
        Conversion c;
        c.kind = Kind::Wave;
        c.wave = wave;
        c.value = nearestDouble(*parsed.value);
        return c;
    }
    return std::nullopt;
}

// The units the value parser does not know, longest first where one ends another.
constexpr std::string_view ownUnits[] = {"Hz", "H", "W", "s"};

Conversion prefixForm(std::string_view typed, char decimalSeparator, std::span<const std::string_view> units)
{
    std::string_view number = typed;
    std::string_view unit;
    for (const std::string_view u : units) {
        if (takeSuffix(number, u, false) && !number.empty()) {
            unit = u;
            break;
        }
        number = typed;
    }
    const Parsed parsed = parse(number, decimalSeparator);
    if (!parsed.value && parsed.error.find(" is not a value") != std::string::npos)
        return refused(quoted(typed) + " is not a value: write 10dBm, 3dB, 2:1, 1GHz, 1ns or 4.7uF");
    if (!parsed.value)
        return refused(requoted(parsed.error, number, typed));
    if (!unit.empty() && parsed.unit != Unit::None)
        return refused(quoted(typed) + " has two units");
    Conversion c;
    c.kind = Kind::Prefixes;
    c.exact = *parsed.value;
    c.value = nearestDouble(*parsed.value);
    c.unit = !unit.empty()            ? std::string(unit)
        : parsed.unit == Unit::Ohm    ? "Ω"
        : parsed.unit == Unit::Farad  ? "F"
        : parsed.unit == Unit::Volt   ? "V"
        : parsed.unit == Unit::Ampere ? "A"
                                      : "";
    return c;
}

} // namespace

Conversion parseConversion(std::string_view text, char decimalSeparator)
{
    const std::string_view typed = trim(text);
    if (typed.empty())
        return refused("Type a value: write 10dBm, 3dB, 2:1, 1GHz or 4.7uF");
    if (auto c = ratioForm(typed, decimalSeparator))
        return *c;
    if (auto c = unitForm(typed, decimalSeparator))
        return *c;
    if (auto c = waveForm(typed, decimalSeparator))
        return *c;
    // Only henries are left: watts, hertz and seconds were taken as a level or a wave.
    return prefixForm(typed, decimalSeparator, std::span(ownUnits).subspan(1, 1));
}

Conversion parsePrefixed(std::string_view text, char decimalSeparator)
{
    const std::string_view typed = trim(text);
    if (typed.empty())
        return refused("Type a value: write 4.7uF, 100nH or 2.4GHz");
    return prefixForm(typed, decimalSeparator, ownUnits);
}

Measured parseWavelength(std::string_view text, char decimalSeparator)
{
    const std::string_view typed = trim(text);
    if (typed.empty())
        return {std::nullopt, "Type a wavelength: write 300mm or 0.3m"};
    std::string_view number = typed;
    takeSuffix(number, "m", false);
    const Parsed parsed = parse(number, decimalSeparator);
    if (!parsed.value && parsed.error.find(" is not a value") == std::string::npos)
        return {std::nullopt, requoted(parsed.error, number, typed)};
    if (!parsed.value || parsed.unit != Unit::None)
        return {std::nullopt, quoted(typed) + " is not a wavelength: write 300mm or 0.3m"};
    return {nearestDouble(*parsed.value), {}};
}

} // namespace values
