// SPDX-License-Identifier: MIT
#include "cli/wires.h"

#include "cli/json.h"
#include "cli/measured.h"
#include "cli/table.h"

#include "values/wires.h"

#include <array>
#include <cmath>
#include <numbers>
#include <ostream>
#include <string>
#include <vector>

namespace cli {

namespace {

constexpr Option awgOption{"awg", "N", "", "the gauge, 0000 to 40 (4/0 is 0000)"};
constexpr Option areaOption{"area", "MM2", "", "the section: 2.5mm2, 250kcmil; a bare number in mm²"};
constexpr Option diameterOption{"d", "MM", "", "the diameter of a round wire: 0.5mm, 20mil; a bare number in mm"};
constexpr Option aluminiumOption{"aluminium", "", "", "aluminium rather than copper"};

constexpr Option wireOptions[] = {
    awgOption,
    areaOption,
    diameterOption,
    aluminiumOption,
    {"temperature", "CELSIUS", "20", "the conductor's temperature"},
    jsonOption,
};

constexpr Option dropOptions[] = {
    {"length", "L", "", "the cable's length one way: 10m, 30ft; a bare number in metres",
     "give it, for example --length 10m"},
    {"current", "A", "", "the load's current", "give it, for example --current 10"},
    areaOption,
    awgOption,
    {"supply", "V", "", "the supply's voltage, for the drop in percent"},
    {"max-drop", "LIMIT", "3%", "the drop allowed, in percent of the supply or in volts such as 0.5V"},
    {"three-phase", "", "", "a balanced three-phase load: √3 times one conductor's drop"},
    aluminiumOption,
    {"temperature", "CELSIUS", "20", "the conductors' temperature"},
    jsonOption,
};
constexpr OneOf dropOneOf[] = {
    {"area", "awg", "--awg: give the cable's section with --area or --awg, not both"},
};

constexpr Option fuseOptions[] = {
    awgOption,
    areaOption,
    diameterOption,
    {"width", "MM", "", "a board's track of this width: 0.3mm, 12mil; a bare number in mm"},
    {"copper", "1oz|35u", "1oz", "the track's copper weight or thickness, with --width"},
    {"time", "SECONDS", "1", "how long the current flows: 1, 100ms"},
    {"ambient", "CELSIUS", "25", "the temperature before the current flows"},
    jsonOption,
};

constexpr Option batteryOptions[] = {
    {"capacity", "CAPACITY", "", "2000mAh, 2Ah or 10Wh; a bare number in mAh",
     "give it, for example --capacity 2000mAh"},
    {"voltage", "V", "", "the battery's voltage, for a capacity in Wh"},
    {"current", "A", "", "the load's current while active", "give it, for example --current 10m"},
    {"duty", "PERCENT", "100", "the share of the time the load is active"},
    {"sleep", "A", "0", "the load's current the rest of the time"},
    {"self-discharge", "PERCENT", "0", "the share of the capacity lost a month"},
    {"derating", "PERCENT", "0", "the share of the capacity not to count on: age, cold, cut-off"},
    {"peukert", "K", "1", "Peukert's exponent, 1 to 2; lead-acid 1.1 to 1.3"},
    {"rated-hours", "H", "20", "the discharge time the capacity is rated for, with --peukert"},
    jsonOption,
};

constexpr Option capacitorOptions[] = {
    {"c", "F", "", "the capacitance", "give it, for example --c 1000u"},
    {"v", "V", "", "the voltage it is charged to", "give it, for example --v 12"},
    {"v2", "V", "", "the lowest voltage the load works down to, for the hold-up time"},
    {"current", "A", "", "a constant-current load"},
    {"power", "W", "", "a constant-power load"},
    jsonOption,
};
constexpr OneOf capacitorOneOf[] = {
    {"current", "power", "--power: give the load as --current or --power, not both"},
};

constexpr std::string_view wireExamples[] = {"--awg 24", "--awg 14 --temperature 70"};
constexpr std::string_view dropExamples[] = {"--length 10m --current 10 --area 2.5mm2 --supply 12",
                                             "--length 10m --current 10 --awg 14 --max-drop 0.5V"};
constexpr std::string_view fuseExamples[] = {"--awg 24", "--width 0.3mm --time 100ms"};
// --rated-hours applies only beside --peukert: the lead-acid example is the one that takes its default.
constexpr std::string_view batteryExamples[] = {"--capacity 2000mAh --current 10m --duty 1 --sleep 10u",
                                                "--capacity 7Ah --current 2 --peukert 1.2"};
constexpr std::string_view capacitorExamples[] = {"--c 1000u --v 12 --v2 9 --current 100m",
                                                  "--c 1 --v 5 --v2 3 --power 500m"};

constexpr std::array<Command, 5> table{{
    {"wire", {.forms = "--awg N | --area MM2 | --d MM", .options = wireOptions, .examples = wireExamples}, runWire},
    {"drop", {.options = dropOptions, .oneOf = dropOneOf, .examples = dropExamples}, runDrop},
    {"fuse",
     {.forms = "--awg N | --area MM2 | --d MM | --width MM [--copper 1oz]",
      .options = fuseOptions,
      .examples = fuseExamples},
     runFuse},
    {"battery", {.options = batteryOptions, .examples = batteryExamples}, runBattery},
    {"capacitor", {.options = capacitorOptions, .oneOf = capacitorOneOf, .examples = capacitorExamples}, runCapacitor},
}};

constexpr values::Amount current{values::Unit::Ampere, {}, "a current", "10, 10A or 500mA"};
constexpr values::Amount voltage{values::Unit::Volt, {}, "a voltage", "12, 12V or 500mV"};

Json& number(Json& json, std::optional<double> value)
{
    return value ? json.number(*value) : json.null();
}

// A conductor named by the one of --awg, --area and --d that was given.
struct Conductor {
    double areaM2 = 0;
    std::optional<double> diameterM; // a round wire's
    std::optional<int> awg;
    std::string name; // "AWG 24", "2.5 mm²", "0.5 mm diameter"
};

std::optional<Conductor> conductor(MeasuredOptions& read)
{
    Conductor c;
    if (const auto gauge = read.a.value("awg")) {
        const values::GaugeReading g = values::parseGauge(*gauge);
        if (!g.gauge) {
            read.error = "--awg: " + g.error;
            return std::nullopt;
        }
        c.awg = g.gauge;
        c.diameterM = values::awgDiameter(*g.gauge);
        c.areaM2 = values::roundArea(*c.diameterM);
        c.name = "AWG " + values::awgName(*g.gauge);
        return c;
    }
    if (const auto area = read.get("area", [](const std::string& t) { return values::parseSection(t); })) {
        c.areaM2 = *area;
        c.diameterM = std::sqrt(*area * 4 / std::numbers::pi);
        c.name = figure(*area * 1e6) + " mm²";
        return c;
    }
    if (const auto d = read.get("d", [](const std::string& t) { return values::parseDiameter(t); })) {
        c.diameterM = d;
        c.areaM2 = values::roundArea(*d);
        c.name = figure(*d * 1e3) + " mm diameter";
        return c;
    }
    return std::nullopt;
}

Json& gauge(Json& json, const values::WireSize* size)
{
    return size ? json.string(values::awgName(size->awg)) : json.null();
}

Json& metric(Json& json, const values::WireSize* size)
{
    return size ? json.number(size->areaM2) : json.null();
}

} // namespace

std::span<const Command> wiresCommands()
{
    return table;
}

int runWire(const Arguments& a, std::ostream& out, std::ostream& err)
{
    const int given = (a.value("awg") ? 1 : 0) + (a.value("area") ? 1 : 0) + (a.value("d") ? 1 : 0);
    if (given != 1)
        return usage(err, "wire: give one of --awg, --area and --d, for example --awg 24");
    MeasuredOptions read{a, {}};
    const std::optional<Conductor> c = conductor(read);
    const auto temperature = read.get(
        "temperature",
        [](const std::string& t) { return values::parseTemperatureIn(t, values::minWireC, values::maxWireC); }, 20.0);
    if (!read.error.empty())
        return usage(err, read.error);
    const values::Metal metal = a.flag("aluminium") ? values::Metal::Aluminium : values::Metal::Copper;
    const double perMetre = values::resistancePerMetre(metal, c->areaM2, *temperature);
    const values::Around awg = values::around(values::awgSizes(), c->areaM2);
    const values::Around mm2 = values::around(values::metricSizes(), c->areaM2);

    if (a.flag("json")) {
        Json json;
        json.beginObject().key("metal").string(values::metalData(metal).name);
        json.key("temperature_degc").number(*temperature).key("awg");
        c->awg ? json.string(values::awgName(*c->awg)) : json.null();
        json.key("diameter_m").number(*c->diameterM);
        json.key("area_m2").number(c->areaM2);
        json.key("area_cmil").number(c->areaM2 / values::m2PerCircularMil);
        json.key("resistance_ohm_per_m").number(perMetre);
        json.key("resistance_ohm_per_ft").number(perMetre * values::metresPerFoot);
        gauge(json.key("awg_above"), awg.above);
        gauge(json.key("awg_below"), awg.below);
        metric(json.key("metric_above_m2"), mm2.above);
        metric(json.key("metric_below_m2"), mm2.below).endObject();
        out << json.text() << '\n';
        return exitOk;
    }

    out << c->name << ", " << values::metalData(metal).name << " at " << figure(*temperature) << " °C\n";
    Table t({"diameter", figure(*c->diameterM * 1e3) + " mm (" + figure(*c->diameterM / 25.4e-6) + " mil)"});
    t.add({"section", figure(c->areaM2 * 1e6) + " mm² (" + figure(c->areaM2 / values::m2PerCircularMil) + " cmil)"});
    t.add({"resistance", shown(perMetre, "Ω") + "/m, " + shown(perMetre * values::metresPerFoot, "Ω") + "/ft"});
    t.add({"AWG", values::sizeText(awg.above) + " at or above, " + values::sizeText(awg.below) + " below"});
    t.add({"metric", values::sizeText(mm2.above) + " at or above, " + values::sizeText(mm2.below) + " below"});
    t.print(out);
    return exitOk;
}

// NOLINTNEXTLINE(readability-function-cognitive-complexity): one flat check per option, in the order they are listed
int runDrop(const Arguments& a, std::ostream& out, std::ostream& err)
{
    MeasuredOptions read{a, {}};
    const auto length = read.get("length", [](const std::string& t) { return values::parseCableLength(t); });
    const auto amps = read.amount("current", current);
    const std::optional<Conductor> c = read.error.empty() ? conductor(read) : std::nullopt;
    const auto supply = read.amount("supply", voltage);
    const auto temperature = read.get(
        "temperature",
        [](const std::string& t) { return values::parseTemperatureIn(t, values::minWireC, values::maxWireC); }, 20.0);
    values::DropLimit limit = values::parseDropLimit(a.value("max-drop").value_or("3%"));
    if (read.error.empty() && !limit.error.empty())
        read.error = "--max-drop: " + limit.error;
    if (!read.error.empty())
        return usage(err, read.error);
    values::Cable cable;
    cable.lengthM = *length;
    cable.currentA = *amps;
    cable.metal = a.flag("aluminium") ? values::Metal::Aluminium : values::Metal::Copper;
    cable.feed = a.flag("three-phase") ? values::Feed::ThreePhase : values::Feed::Dc;
    cable.temperatureC = *temperature;
    const std::optional<double> limitV = limit.volts ? limit.volts
        : supply                                     ? std::optional(*supply * *limit.share)
                                                     : std::nullopt;
    if (!c && !limitV)
        return usage(err,
                     "drop: give the cable's section with --area or --awg, or --supply (or a --max-drop in "
                     "volts) for the smallest size");
    // Zeros without a section: only the smallest sizes are asked for.
    const values::Drop d = c ? values::cableDrop(cable, c->areaM2) : values::Drop{};
    const auto ifSection = [&](double value) { return c ? std::optional(value) : std::nullopt; };
    const values::WireSize* smallestAwg = limitV ? values::smallestSize(values::awgSizes(), cable, *limitV) : nullptr;
    const values::WireSize* smallestMetric =
        limitV ? values::smallestSize(values::metricSizes(), cable, *limitV) : nullptr;
    const auto dropOf = [&](const values::WireSize* s) {
        return s ? std::optional(values::cableDrop(cable, s->areaM2).dropV) : std::nullopt;
    };

    if (a.flag("json")) {
        Json json;
        json.beginObject().key("length_m").number(cable.lengthM).key("current_a").number(cable.currentA);
        json.key("metal").string(values::metalData(cable.metal).name);
        json.key("three_phase").boolean(cable.feed == values::Feed::ThreePhase);
        json.key("temperature_degc").number(cable.temperatureC);
        number(json.key("area_m2"), c ? std::optional(c->areaM2) : std::nullopt);
        number(json.key("resistance_ohm"), ifSection(d.resistanceOhm));
        number(json.key("drop_v"), ifSection(d.dropV));
        number(json.key("drop_pct"), supply ? ifSection(d.dropV / *supply * 100) : std::nullopt);
        number(json.key("loss_w"), ifSection(d.lossW));
        number(json.key("limit_v"), limitV);
        gauge(json.key("smallest_awg"), smallestAwg);
        number(json.key("smallest_awg_drop_v"), dropOf(smallestAwg));
        metric(json.key("smallest_metric_m2"), smallestMetric);
        number(json.key("smallest_metric_drop_v"), dropOf(smallestMetric)).endObject();
        out << json.text() << '\n';
        return exitOk;
    }

    const bool three = cable.feed == values::Feed::ThreePhase;
    out << shown(cable.lengthM, "m") << " of " << (c ? c->name + " " : std::string())
        << values::metalData(cable.metal).name << " at " << figure(cable.temperatureC) << " °C, "
        << shown(cable.currentA, "A")
        << (three ? ", three-phase (√3 × one conductor's drop)" : ", DC or single-phase (both conductors)") << '\n';
    std::vector<std::vector<std::string>> rows;
    if (c) {
        rows.push_back({"resistance", shown(d.resistanceOhm, "Ω") + (three ? " each conductor" : " both conductors")});
        rows.push_back({"drop",
                        shown(d.dropV, "V") +
                            (supply ? " (" + figure(d.dropV / *supply * 100) + " % of " + shown(*supply, "V") + ")"
                                    : std::string())});
        rows.push_back({"loss", shown(d.lossW, "W")});
    }
    if (limitV) {
        rows.push_back(
            {"limit",
             limit.share ? figure(*limit.share * 100) + " % (" + shown(*limitV, "V") + ")" : shown(*limitV, "V")});
        const auto row = [&](const char* label, const values::WireSize* s, std::span<const values::WireSize> sizes) {
            rows.push_back({label,
                            s ? "smallest " + values::sizeText(s) + ", dropping " + shown(*dropOf(s), "V")
                              : "none: even " + values::sizeText(&sizes.back()) + " drops more"});
        };
        row("AWG", smallestAwg, values::awgSizes());
        row("metric", smallestMetric, values::metricSizes());
    }
    Table t(rows.front());
    for (std::size_t i = 1; i < rows.size(); ++i)
        t.add(rows[i]);
    t.print(out);
    return exitOk;
}

int runFuse(const Arguments& a, std::ostream& out, std::ostream& err)
{
    const int given =
        (a.value("awg") ? 1 : 0) + (a.value("area") ? 1 : 0) + (a.value("d") ? 1 : 0) + (a.value("width") ? 1 : 0);
    if (given != 1)
        return usage(err, "fuse: give one of --awg, --area, --d and --width, for example --awg 24");
    if (!a.value("width") && a.value("copper"))
        return usage(err, "fuse without --width: --copper does not apply; leave it out");
    MeasuredOptions read{a, {}};
    std::optional<Conductor> c = conductor(read);
    if (const auto width = read.a.value("width"); width && read.error.empty()) {
        const values::QuantityReading w = values::parseLength(*width, values::BareLength::Millimetre);
        const values::QuantityReading copper =
            values::parseLength(a.value("copper").value_or("1oz"), values::BareLength::Micrometre, true);
        if (!w.value)
            read.error = "--width: " + w.error;
        else if (!copper.value)
            read.error = "--copper: " + copper.error;
        else {
            const double widthM = values::nearestDouble(*w.value);
            const double thicknessM = values::nearestDouble(*copper.value);
            c = Conductor{widthM * thicknessM, std::nullopt, std::nullopt,
                          "A " + figure(widthM * 1e3) + " mm track of " + figure(thicknessM * 1e6) + " µm copper"};
            if (c->areaM2 < values::minSectionM2 || c->areaM2 > values::maxSectionM2)
                read.error = "--width: the track's section is outside 0.000001 to 10000 mm²";
        }
    }
    const auto time = read.amount("time", {values::Unit::None, "s", "a time", "1, 1s or 100ms"}, 1.0);
    if (read.error.empty() && (*time < values::minFuseS || *time > values::maxFuseS))
        read.error = "--time: '" + *a.value("time") + "' is outside 1 ms to 100 s";
    const auto ambient = read.get(
        "ambient",
        [](const std::string& t) {
            return values::parseTemperatureIn(t, values::minFuseAmbientC, values::maxFuseAmbientC);
        },
        25.0);
    if (!read.error.empty())
        return usage(err, read.error);
    const double onderdonk = values::onderdonkCurrent(c->areaM2, *time, *ambient);
    const std::optional<double> preece =
        c->diameterM ? std::optional(values::preeceCurrent(*c->diameterM)) : std::nullopt;

    if (a.flag("json")) {
        Json json;
        json.beginObject().key("area_m2").number(c->areaM2);
        json.key("area_cmil").number(c->areaM2 / values::m2PerCircularMil);
        json.key("time_s").number(*time).key("ambient_degc").number(*ambient);
        json.key("melting_degc").number(values::copperMeltingC).key("onderdonk_a").number(onderdonk);
        number(json.key("preece_a"), preece).endObject();
        out << json.text() << '\n';
        return exitOk;
    }

    out << c->name << (a.value("width") ? "" : " copper") << " (" << figure(c->areaM2 / values::m2PerCircularMil)
        << " cmil)\n";
    Table t({"Onderdonk",
             shown(onderdonk, "A") + " melts it in " + shown(*time, "s") + " from " + figure(*ambient) +
                 " °C (copper melts at 1083 °C)"});
    t.add({"Preece",
           preece ? shown(*preece, "A") + " melts it in the long run, in open air"
                  : std::string("for round wires only")});
    t.print(out);
    return exitOk;
}

} // namespace cli
