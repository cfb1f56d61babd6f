// SPDX-License-Identifier: MIT
#include "cli/board.h"

#include "cli/arguments.h"
#include "cli/json.h"
#include "cli/table.h"

#include "numeric/format.h"
#include "values/board.h"
#include "values/dividerdesign.h"

#include <array>
#include <charconv>
#include <optional>
#include <ostream>

namespace cli {

namespace {

constexpr Option trackOptions[] = {
    {"current", "A", "", "the current, for the width it needs"},
    {"width", "W", "", "the width, for the current it carries"},
    {"rise", "CELSIUS", "10", "the temperature rise allowed"},
    {"copper", "1oz|35u", "1oz", "the copper's weight or thickness"},
    {"internal", "", "", "an inner layer rather than an outer one"},
    {"length", "L", "", "the track's length, for its resistance, drop and loss"},
    {"ambient", "CELSIUS", "20", "the ambient temperature, with --length"},
    jsonOption,
};
constexpr OneOf trackOneOf[] = {
    {"current", "width", "--width: give --current for the width, or --width for the current, not both",
     "track: give --current (for the width) or --width (for the current)"},
};

constexpr Option viaOptions[] = {
    {"hole", "MM", "", "the finished hole", "give it, for example --hole 0.3mm"},
    {"plating", "UM", "", "the barrel's wall", "give it, for example --plating 25u"},
    {"length", "MM", "", "the board's thickness", "give it, for example --length 1.6mm"},
    {"pad", "MM", "", "the pad's diameter", "give it, for example --pad 0.6mm"},
    {"antipad", "MM", "", "the clearance in the planes", "give it, for example --antipad 1mm"},
    {"er", "ER", "4.5", "the board's relative permittivity"},
    {"current", "A", "", "a current, for the drop and the loss"},
    {"rise", "CELSIUS", "10", "the temperature rise allowed"},
    jsonOption,
};

constexpr Option spacingOptions[] = {
    {"voltage", "V", "", "the voltage between the conductors, DC or AC peak",
     "give the peak voltage between the conductors, for example --voltage 48"},
    {"rms", "", "", "the voltage is an AC RMS (230 for mains): its peak is sqrt 2 times as much"},
    jsonOption,
};

constexpr std::string_view trackExamples[] = {"--current 1", "--current 1 --length 100mm", "--width 0.3mm --internal"};
constexpr std::string_view viaExamples[] = {"--hole 0.3mm --plating 25u --length 1.6mm --pad 0.6mm --antipad 1mm",
                                            "--hole 0.3mm --plating 25u --length 1.6mm --pad 0.6mm --antipad 1mm "
                                            "--current 1"};
constexpr std::string_view spacingExamples[] = {"--voltage 48", "--voltage 500.5", "--voltage 230 --rms"};

constexpr std::array<Command, 3> table{{
    {"track", {.options = trackOptions, .oneOf = trackOneOf, .examples = trackExamples}, runTrack},
    {"via", {.options = viaOptions, .examples = viaExamples}, runVia},
    {"spacing", {.options = spacingOptions, .examples = spacingExamples}, runSpacing},
}};

Json& number(Json& json, std::optional<double> value)
{
    return value ? json.number(*value) : json.null();
}

std::string millimetres(double metres)
{
    return values::plain(values::approximate(values::scaled(metres, 3))) + " mm";
}

// Each reader leaves `error` naming the option when the text will not do.
struct Reader {
    const Arguments& a;
    std::string error;

    std::optional<double> length(std::string_view option, values::BareLength bare, bool copper = false)
    {
        const auto text = a.value(option);
        if (!text)
            return std::nullopt;
        const values::QuantityReading r = values::parseLength(*text, bare, copper);
        if (!r.value) {
            error = "--" + std::string(option) + ": " + r.error;
            return std::nullopt;
        }
        return values::nearestDouble(*r.value);
    }

    std::optional<values::Decimal> value(std::string_view option, values::Unit unit, const char* what,
                                         const char* examples)
    {
        const auto text = a.value(option);
        if (!text)
            return std::nullopt;
        const values::Parsed parsed = values::parse(*text);
        if (!parsed.value) {
            error = "--" + std::string(option) + ": " + parsed.error;
            return std::nullopt;
        }
        if (parsed.unit != values::Unit::None && parsed.unit != unit) {
            error = "--" + std::string(option) + ": '" + *text + "' is not " + what + ": write " + examples;
            return std::nullopt;
        }
        return parsed.value;
    }

    std::optional<double> temperature(std::string_view option, bool signedValue, double fallback)
    {
        const auto text = a.value(option);
        if (!text)
            return fallback;
        const values::QuantityReading r = values::parseTemperature(*text, signedValue);
        if (!r.value) {
            error = "--" + std::string(option) + ": " + r.error;
            return std::nullopt;
        }
        return values::nearestDouble(*r.value);
    }
};

std::string outsideText(const values::FitLimits& f, bool internal)
{
    std::string parts;
    const auto add = [&](bool outside, const char* what) {
        if (outside)
            parts += (parts.empty() ? "" : ", ") + std::string(what);
    };
    add(f.current, internal ? "current above 17.5 A on an inner layer" : "current above 35 A");
    add(f.width, "width above 400 mil (10.16 mm)");
    add(f.rise, "rise outside 10-100 °C");
    add(f.copper, "copper outside 0.5-3 oz");
    return "Outside the range IPC-2221 was fitted to: " + parts + "; treat the answer as a rough guide.";
}

} // namespace

std::span<const Command> boardCommands()
{
    return table;
}

// NOLINTNEXTLINE(readability-function-cognitive-complexity): one flat check per option, in the order they are listed
int runTrack(const Arguments& a, std::ostream& out, std::ostream& err)
{
    Reader read{a, {}};
    values::Track track;
    track.internal = a.flag("internal");
    const auto current = read.value("current", values::Unit::Ampere, "a current", "1, 1A or 500mA");
    const auto width = read.error.empty() ? read.length("width", values::BareLength::Millimetre) : std::nullopt;
    const auto rise = read.error.empty() ? read.temperature("rise", false, 10) : std::nullopt;
    const auto ambient = read.error.empty() ? read.temperature("ambient", true, 20) : std::nullopt;
    const auto copper = read.error.empty() && a.value("copper")
        ? read.length("copper", values::BareLength::Micrometre, true)
        : std::optional<double>(35e-6);
    const auto length = read.error.empty() ? read.length("length", values::BareLength::Millimetre) : std::nullopt;
    if (!read.error.empty())
        return usage(err, read.error);
    // The ambient temperature only sets the copper's resistance, which needs the length.
    if (!a.value("length")) {
        if (const auto extra =
                a.unused("track without --length", {"current", "width", "rise", "copper", "internal", "json"}))
            return usage(err, *extra);
    }
    track.riseC = *rise;
    track.ambientC = *ambient;
    track.thicknessM = *copper;
    track.lengthM = length.value_or(0);
    const values::TrackResult r =
        current ? values::trackForCurrent(current->toDouble(), track) : values::trackForWidth(*width, track);

    if (a.flag("json")) {
        Json json;
        json.beginObject();
        number(json.key("width_m"), r.widthM);
        number(json.key("width_mil"), r.widthMil);
        number(json.key("area_mil2"), r.areaMil2);
        number(json.key("resistance_ohm"), r.resistanceOhm);
        number(json.key("drop_v"), r.dropV);
        number(json.key("loss_w"), r.lossW);
        number(json.key("current_a"), r.currentA);
        json.key("outside_fit").boolean(r.outside.any()).endObject();
        out << json.text() << '\n';
        return exitOk;
    }

    out << (track.internal ? "Inner" : "Outer") << " layer, " << values::figure(track.thicknessM, "m") << " copper ("
        << values::plain(track.thicknessM / 35e-6) << " oz), " << values::plain(track.riseC)
        << " °C rise (IPC-2221, k = " << (track.internal ? "0.024" : "0.048") << ")\n";
    Table t({"width", millimetres(r.widthM) + " (" + values::plain(r.widthMil) + " mil)"});
    t.add({"section", values::plain(r.areaMil2) + " mil²"});
    t.add({"current", values::figure(r.currentA, "A")});
    if (r.resistanceOhm) {
        t.add({"resistance",
               values::figure(*r.resistanceOhm, "Ω") + " over " + millimetres(track.lengthM) + " at " +
                   values::plain(r.temperatureC) + " °C"});
        t.add({"drop", values::figure(*r.dropV, "V")});
        t.add({"loss", values::figure(*r.lossW, "W")});
    }
    t.print(out);
    if (r.outside.any())
        out << outsideText(r.outside, track.internal) << '\n';
    return exitOk;
}

// NOLINTNEXTLINE(readability-function-cognitive-complexity): one flat check per option, in the order they are listed
int runVia(const Arguments& a, std::ostream& out, std::ostream& err)
{
    Reader read{a, {}};
    values::Via v;
    using B = values::BareLength;
    const auto hole = read.length("hole", B::Millimetre);
    const auto plating = read.error.empty() ? read.length("plating", B::Micrometre) : std::nullopt;
    const auto length = read.error.empty() ? read.length("length", B::Millimetre) : std::nullopt;
    const auto pad = read.error.empty() ? read.length("pad", B::Millimetre) : std::nullopt;
    const auto antipad = read.error.empty() ? read.length("antipad", B::Millimetre) : std::nullopt;
    const auto er = read.error.empty() ? read.value("er", values::Unit::None, "a permittivity", "4.5") : std::nullopt;
    const auto current =
        read.error.empty() ? read.value("current", values::Unit::Ampere, "a current", "1, 1A or 500mA") : std::nullopt;
    const auto rise = read.error.empty() ? read.temperature("rise", false, 10) : std::nullopt;
    if (!read.error.empty())
        return usage(err, read.error);
    v.holeM = *hole;
    v.platingM = *plating;
    v.lengthM = *length;
    v.padM = *pad;
    v.antipadM = *antipad;
    v.er = er ? er->toDouble() : 4.5;
    v.riseC = *rise;
    if (current)
        v.currentA = current->toDouble();
    if (const values::ViaCheck check = values::checkVia(v); check.field != values::ViaField::None) {
        const char* option = check.field == values::ViaField::Pad ? "--pad: "
            : check.field == values::ViaField::Antipad            ? "--antipad: "
            : check.field == values::ViaField::Length             ? "--length: "
                                                                  : "--er: ";
        return usage(err, option + check.message);
    }
    const values::ViaResult r = values::via(v);

    if (a.flag("json")) {
        Json json;
        json.beginObject();
        number(json.key("resistance_ohm"), r.resistanceOhm);
        number(json.key("drop_v"), r.dropV);
        number(json.key("loss_w"), r.lossW);
        number(json.key("current_a"), r.currentA);
        number(json.key("thermal_k_per_w"), r.thermalKPerW);
        number(json.key("capacitance_f"), r.capacitanceF);
        number(json.key("inductance_h"), r.inductanceH);
        json.endObject();
        out << json.text() << '\n';
        return exitOk;
    }

    out << millimetres(v.holeM) << " hole, " << values::figure(v.platingM, "m") << " plating, "
        << millimetres(v.lengthM) << " board, " << millimetres(v.padM) << " pad, " << millimetres(v.antipadM)
        << " antipad, εr " << values::plain(v.er) << '\n';
    Table t({"resistance", values::figure(r.resistanceOhm, "Ω") + " at 20 °C"});
    if (r.dropV) {
        t.add({"drop", values::figure(*r.dropV, "V") + " at " + values::figure(*v.currentA, "A")});
        t.add({"loss", values::figure(*r.lossW, "W")});
    }
    t.add({"current",
           values::figure(r.currentA, "A") + " for a " + values::plain(v.riseC) +
               " °C rise (IPC-2221, outer-layer k = 0.048, on the barrel's section)"});
    t.add({"thermal", values::plain(r.thermalKPerW) + " K/W"});
    t.add({"capacitance", values::figure(r.capacitanceF, "F")});
    t.add({"inductance", values::figure(r.inductanceH, "H")});
    t.print(out);
    return exitOk;
}

int runSpacing(const Arguments& a, std::ostream& out, std::ostream& err)
{
    const values::QuantityReading voltage = values::parseVoltage(*a.value("voltage"));
    if (!voltage.value)
        return usage(err, "--voltage: " + voltage.error);
    const bool rms = a.flag("rms");
    const values::RmsSpacing peak = rms ? values::spacingForRms(*voltage.value) : values::RmsSpacing{};
    const values::SpacingResult r = rms ? peak.spacing : values::spacing(*voltage.value);
    const auto& categories = values::spacingCategories();

    if (a.flag("json")) {
        Json json;
        json.beginObject().key("voltage_v").number(*voltage.value).key("categories").beginArray();
        for (std::size_t i = 0; i < categories.size(); ++i) {
            json.beginObject()
                .key("category")
                .string(categories[i].code)
                .key("spacing_m")
                .number(r.metres[i])
                .key("conductors")
                .string(categories[i].description)
                .endObject();
        }
        json.endArray().key("rms").boolean(rms).key("peak_v");
        rms ? json.number(peak.peakV) : json.number(*voltage.value);
        json.endObject();
        out << json.text() << '\n';
        return exitOk;
    }

    const values::SpacingRow& row = values::spacingTable()[static_cast<std::size_t>(r.row)];
    out << "IPC-2221B table 6-1 at " << values::withUnit(*voltage.value, "V", values::allDigits)
        << (rms ? " RMS (" + values::withUnit(values::approximate(peak.peakV, 5), "V", 5) + " peak): " : " peak: ")
        << (row.toV == 0 ? std::string("the 301-500 V row plus the figure per volt above 500 V")
                         : "the " + std::to_string(row.fromV) + "-" + std::to_string(row.toV) + " V row")
        << '\n';
    Table t({"category", "spacing", "conductors"}, {Table::Align::Left, Table::Align::Right, Table::Align::Left});
    for (std::size_t i = 0; i < categories.size(); ++i)
        t.add({categories[i].code, millimetres(r.metres[i]), categories[i].description});
    t.print(out);
    return exitOk;
}

} // namespace cli
