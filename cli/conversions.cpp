// SPDX-License-Identifier: MIT
#include "cli/conversions.h"

#include "cli/json.h"
#include "cli/measured.h"
#include "cli/table.h"

#include "values/conversions.h"

#include <array>
#include <cmath>
#include <ostream>

namespace cli {

namespace {

constexpr Option convertOptions[] = {
    {"z", "OHMS", "50", "the impedance, for a level"},
    {"er", "ER", "1", "the medium's relative permittivity, for a wavelength"},
    {"vf", "VF", "", "the medium's velocity factor, 0 to 1, instead of --er"},
    jsonOption,
};
constexpr OneOf convertOneOf[] = {
    {"er", "vf", "--vf: give the medium as --er or as --vf, not both"},
};

// Each form a value takes, and a wave without --er as well as with it, so that its default is tried.
constexpr std::string_view convertExamples[] = {"0dBm",          "10dBm", "0dBu --z 600", "1GHz",
                                                "1GHz --er 4.5", "3dB",   "2:1",          "4.7uF"};

constexpr std::array<Command, 1> table{{
    {"convert",
     {.positional = "VALUE",
      .missing = "a value, for example: voltiva convert 10dBm",
      .options = convertOptions,
      .oneOf = convertOneOf,
      .examples = convertExamples},
     runConvert},
}};

using values::Level;
using values::Wave;

// Decibels to five significant digits, and what rounding left of a zero as 0.
std::string decibels(double db)
{
    return figure(std::abs(db) < 1e-9 ? 0 : db);
}

constexpr std::array<std::pair<Level, const char*>, values::levelCount> levelKeys{{
    {Level::Dbm, "level_dbm"},
    {Level::Dbw, "level_dbw"},
    {Level::Dbuv, "level_dbuv"},
    {Level::Dbu, "level_dbu"},
    {Level::Dbv, "level_dbv"},
    {Level::Watt, "power_w"},
    {Level::VoltRms, "rms_v"},
    {Level::VoltPeak, "peak_v"},
    {Level::VoltPeakToPeak, "peak_to_peak_v"},
}};

int printLevels(const Arguments& a, const values::Conversion& c, std::ostream& out, std::ostream& err)
{
    MeasuredOptions read{a, {}};
    const auto z = read.amount("z", {values::Unit::Ohm, {}, "an impedance", "50, 75 or 600"}, 50.0);
    if (!read.error.empty())
        return usage(err, read.error);
    const values::Levels l = values::levels(c.level, c.value, *z);
    if (a.flag("json")) {
        Json json;
        json.beginObject().key("kind").string("level").key("impedance_ohm").number(*z);
        for (const auto& [level, key] : levelKeys)
            json.key(key).number(l[static_cast<std::size_t>(level)]);
        json.endObject();
        out << json.text() << '\n';
        return exitOk;
    }
    const bool inDb = static_cast<std::size_t>(c.level) < 5;
    out << (inDb ? decibels(c.value) + " " + std::string(values::levelUnit(c.level))
                 : shown(c.value, values::levelUnit(c.level)))
        << " at " << shown(*z, "Ω") << " (voltages of a sine wave)\n";
    Table t({std::string(values::levelUnit(Level::Dbm)), decibels(l[0])});
    for (std::size_t i = 1; i < values::levelCount; ++i) {
        const auto level = static_cast<Level>(i);
        const std::string unit(values::levelUnit(level));
        if (i < 5) {
            t.add({unit, decibels(l[i])});
            continue;
        }
        // "V rms" is in volts.
        t.add({unit, shown(l[i], unit.substr(0, unit.find(' ')))});
    }
    t.print(out);
    return exitOk;
}

int printWaves(const Arguments& a, const values::Conversion& c, std::ostream& out, std::ostream& err)
{
    MeasuredOptions read{a, {}};
    const auto er = read.amount("er", {values::Unit::None, {}, "a permittivity", "4.5"}, 1.0);
    if (read.error.empty() && *er < 1)
        read.error = "--er: '" + *a.value("er") + "' is below 1, the permittivity of a vacuum";
    const auto vf = read.amount("vf", {values::Unit::None, {}, "a velocity factor", "0.66"});
    if (read.error.empty() && vf && *vf > 1)
        read.error = "--vf: '" + *a.value("vf") + "' is above 1: nothing outruns light in a vacuum";
    if (!read.error.empty())
        return usage(err, read.error);
    const double permittivity = vf ? values::erOfVelocityFactor(*vf) : *er;
    const double factor = vf ? *vf : values::velocityFactorOfEr(*er);
    const values::Waves w = values::waves(c.wave, c.value, permittivity);
    const auto at = [&](Wave wave) { return w[static_cast<std::size_t>(wave)]; };
    if (a.flag("json")) {
        Json json;
        json.beginObject().key("kind").string("wave").key("er").number(permittivity);
        json.key("velocity_factor").number(factor).key("frequency_hz").number(at(Wave::Frequency));
        json.key("period_s").number(at(Wave::Period)).key("wavelength_m").number(at(Wave::Wavelength));
        json.key("quarter_wave_m").number(at(Wave::Wavelength) / 4);
        json.key("wavelength_medium_m").number(at(Wave::MediumWavelength));
        json.key("quarter_wave_medium_m").number(at(Wave::MediumQuarter)).endObject();
        out << json.text() << '\n';
        return exitOk;
    }
    out << "In a medium of εr " << figure(permittivity) << " (velocity factor " << figure(factor) << ")\n";
    Table t({"frequency", shown(at(Wave::Frequency), "Hz")});
    t.add({"period", shown(at(Wave::Period), "s")});
    t.add({"wavelength",
           shown(at(Wave::Wavelength), "m") + " in vacuum, " + shown(at(Wave::MediumWavelength), "m") +
               " in the medium"});
    t.add({"quarter wave",
           shown(at(Wave::Wavelength) / 4, "m") + " in vacuum, " + shown(at(Wave::MediumQuarter), "m") +
               " in the medium"});
    t.print(out);
    return exitOk;
}

int printRatios(const Arguments& a, const values::Conversion& c, std::ostream& out)
{
    const bool gain = c.kind == values::Conversion::Kind::Gain;
    const values::Ratios asPower = values::ratios(gain ? values::Ratio::Decibels : values::Ratio::Power, c.value);
    const values::Ratios asVoltage = values::ratios(gain ? values::Ratio::Decibels : values::Ratio::Voltage, c.value);
    if (a.flag("json")) {
        Json json;
        if (gain)
            json.beginObject().key("kind").string("gain").key("gain_db").number(c.value).key("power_ratio");
        else
            json.beginObject().key("kind").string("ratio").key("ratio").number(c.value).key("power_db");
        json.number(gain ? asPower.power : asPower.db).key(gain ? "voltage_ratio" : "voltage_db");
        json.number(gain ? asVoltage.voltage : asVoltage.db).endObject();
        out << json.text() << '\n';
        return exitOk;
    }
    if (gain) {
        Table t({"power ratio", figure(asPower.power) + ":1"});
        t.add({"voltage ratio", figure(asVoltage.voltage) + ":1"});
        out << decibels(c.value) << " dB\n";
        t.print(out);
    } else {
        Table t({"as a power ratio", decibels(asPower.db) + " dB"});
        t.add({"as a voltage ratio", decibels(asVoltage.db) + " dB"});
        out << figure(c.value) << ":1\n";
        t.print(out);
    }
    return exitOk;
}

int printPrefixes(const Arguments& a, const values::Conversion& c, std::ostream& out)
{
    const auto forms = values::prefixForms(c.exact);
    if (a.flag("json")) {
        Json json;
        json.beginObject().key("kind").string("prefixes").key("value").number(c.exact);
        json.key("unit").string(c.unit).key("exact").boolean(true).key("forms").beginArray();
        for (const values::PrefixForm& f : forms)
            json.beginObject().key("prefix").string(f.prefix).key("text").string(f.digits).endObject();
        json.endArray().endObject();
        out << json.text() << '\n';
        return exitOk;
    }
    Table t({forms[0].digits, std::string(forms[0].prefix) + c.unit}, {Table::Align::Right, Table::Align::Left});
    for (std::size_t i = 1; i < forms.size(); ++i)
        t.add({forms[i].digits, std::string(forms[i].prefix) + c.unit});
    t.print(out);
    return exitOk;
}

} // namespace

std::span<const Command> conversionsCommands()
{
    return table;
}

int runConvert(const Arguments& a, std::ostream& out, std::ostream& err)
{
    using Kind = values::Conversion::Kind;
    const values::Conversion c = values::parseConversion(a.positionals().front());
    if (!c.ok())
        return usage(err, "convert: " + c.error);
    std::optional<std::string> extra;
    if (c.kind == Kind::Level)
        extra = a.unused("convert, for a level", {"z", "json"});
    else if (c.kind == Kind::Wave)
        extra = a.unused("convert, for a frequency, period or wavelength", {"er", "vf", "json"});
    else if (c.kind == Kind::Prefixes)
        extra = a.unused("convert, for prefixes", {"json"});
    else
        extra = a.unused("convert, for a gain or a ratio", {"json"});
    if (extra)
        return usage(err, *extra);
    switch (c.kind) {
    case Kind::Level:
        return printLevels(a, c, out, err);
    case Kind::Wave:
        return printWaves(a, c, out, err);
    case Kind::Gain:
    case Kind::Ratio:
        return printRatios(a, c, out);
    case Kind::Prefixes:
        break;
    }
    return printPrefixes(a, c, out);
}

} // namespace cli
