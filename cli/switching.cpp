// SPDX-License-Identifier: MIT
#include "cli/amplifiers.h"

#include "cli/amplifiers_read.h"
#include "cli/json.h"
#include "cli/measured.h"
#include "cli/table.h"

#include "values/heatsink.h"
#include "values/switching.h"
#include "values/wires.h"

#include <ostream>
#include <string>

namespace cli {

namespace {

using amplifiers::five;
using values::Decimal;

constexpr values::Amount watts{values::Unit::None, "W", "a power", "3.5, 3.5W or 500mW"};
constexpr values::Amount volts{values::Unit::Volt, {}, "a voltage", "12, 12V or 500mV"};
constexpr values::Amount amps{values::Unit::Ampere, {}, "a current", "1, 1A or 500mA"};

std::string optionOf(values::SwitchField field)
{
    using F = values::SwitchField;
    switch (field) {
    case F::Load:
        return "--load";
    case F::Drive:
        return "--drive";
    case F::Vbe:
        return "--vbe";
    case F::Gain:
        return "--gain";
    case F::Hfe:
        return "--hfe";
    case F::Overdrive:
        return "--overdrive";
    case F::GateCharge:
        return "--qg";
    case F::Time:
        return "--time";
    case F::Plateau:
        return "--plateau";
    case F::None:
        break;
    }
    return "switch";
}

Json& number(Json& json, const values::Exact& v)
{
    return json.number(v.toDouble());
}

Json& number(Json& json, const std::optional<double>& v)
{
    return v ? json.number(*v) : json.null();
}

std::string kelvins(double v)
{
    return figure(v) + " K/W";
}

std::string celsius(double v)
{
    return figure(v) + " °C";
}

} // namespace

// NOLINTNEXTLINE(readability-function-cognitive-complexity): one flat check per option, in the order they are listed
int runHeatSink(const Arguments& a, std::ostream& out, std::ostream& err)
{
    const bool fromRegulator = a.value("vin") || a.value("vout") || a.value("current");
    if (a.value("power") && fromRegulator)
        return usage(err, "--power: give the power, or --vin, --vout and --current, not both");
    if (!a.value("power") && !(a.value("vin") && a.value("vout") && a.value("current")))
        return usage(err, "heatsink: give --power, or a regulator's --vin, --vout and --current");
    MeasuredOptions read{a, {}};
    const auto power = read.amount("power", watts);
    const auto vin = read.amount("vin", volts);
    const auto vout = read.amount("vout", volts);
    const auto current = read.amount("current", amps);
    const auto temperature = [&](const char* option, double lo, double hi, double fallback) {
        return read.get(
            option, [&](const std::string& t) { return values::parseTemperatureIn(t, lo, hi); }, fallback);
    };
    const auto tjMax = temperature("tj-max", values::minJunctionC, values::maxJunctionC, 125);
    const auto ambient = temperature("ambient", values::minAmbientC, values::maxAmbientC, 25);
    const auto theta = [&](const char* option, std::optional<double> fallback) {
        return read.get(
            option, [](const std::string& t) { return values::parseThermalResistance(t); }, fallback);
    };
    const auto jc = theta("theta-jc", std::nullopt);
    const auto cs = theta("theta-cs", 0.5);
    const auto ja = theta("theta-ja", std::nullopt);
    if (!read.error.empty())
        return usage(err, read.error);
    if (vin && *vin <= *vout)
        return usage(err, "--vout: a linear regulator's output lies below its input");
    values::Thermal thermal;
    thermal.powerW = power ? *power : values::linearLoss(*vin, *vout, *current);
    if (thermal.powerW > values::maxPowerW)
        return usage(err, std::string(power ? "--power" : "--current") + ": above 100 kW");
    if (*tjMax <= *ambient)
        return usage(err, "--tj-max: the junction's limit must lie above the ambient temperature");
    thermal.junctionMaxC = *tjMax;
    thermal.ambientC = *ambient;
    thermal.junctionToCase = *jc;
    thermal.caseToSink = *cs;
    thermal.junctionToAir = ja;
    const values::HeatSink h = values::heatSink(thermal);
    const bool possible = h.sinkMax > 0;

    if (a.flag("json")) {
        Json json;
        json.beginObject().key("power_w").number(thermal.powerW).key("tj_max_degc").number(thermal.junctionMaxC);
        json.key("ambient_degc").number(thermal.ambientC).key("theta_jc_k_per_w").number(thermal.junctionToCase);
        json.key("theta_cs_k_per_w").number(thermal.caseToSink);
        number(json.key("theta_ja_k_per_w"), thermal.junctionToAir);
        number(json.key("bare_junction_degc"), h.bareJunctionC);
        json.key("bare_within");
        h.bareWithin ? json.boolean(*h.bareWithin) : json.null();
        number(json.key("bare_max_w"), h.bareMaxW);
        json.key("sink_possible").boolean(possible).key("sink_max_k_per_w").number(h.sinkMax);
        json.key("case_degc").number(h.caseC).endObject();
        out << json.text() << '\n';
        return exitOk;
    }

    out << shown(thermal.powerW, "W");
    if (!power)
        out << " ((" << shown(*vin, "V") << " - " << shown(*vout, "V") << ") × " << shown(*current, "A") << ")";
    out << "; junction at most " << celsius(thermal.junctionMaxC) << ", ambient " << celsius(thermal.ambientC) << '\n';
    Table t({"without a heat sink",
             h.bareJunctionC
                 ? "junction " + celsius(*h.bareJunctionC) + (*h.bareWithin ? ": within its limit" : ": too hot") +
                     " (θJA " + kelvins(*ja) + (h.bareMaxW ? "; " + shown(*h.bareMaxW, "W") + " at most)" : ")")
                 : std::string("give --theta-ja")});
    t.add({"heat sink",
           possible ? "at most " + kelvins(h.sinkMax) + " (θJC " + kelvins(thermal.junctionToCase) + " + θCS " +
                   kelvins(thermal.caseToSink) + " before it), the case at " + celsius(h.caseC)
                    : "none will do: θJC and θCS alone leave the junction above its limit"});
    t.print(out);
    return exitOk;
}

// NOLINTNEXTLINE(readability-function-cognitive-complexity): one flat check per option, in the order they are listed
int runSwitch(const Arguments& a, std::ostream& out, std::ostream& err)
{
    const bool mosfet = a.value("qg").has_value();
    if (mosfet) {
        if (const auto extra = a.unused("switch --qg", {"qg", "time", "plateau", "drive", "series", "json"}))
            return usage(err, *extra);
        if (!a.value("time") || !a.value("plateau"))
            return usage(err, "switch --qg: give the switching time with --time and the plateau with --plateau");
    } else {
        if (const auto extra =
                a.unused("switch --load", {"load", "drive", "vbe", "gain", "hfe", "overdrive", "series", "json"}))
            return usage(err, *extra);
        if (!a.value("load"))
            return usage(err, "switch: give a bipolar transistor's --load, or an N-MOSFET's --qg");
        if (a.value("overdrive") && !a.value("hfe"))
            return usage(err, "switch without --hfe: --overdrive does not apply; leave it out");
    }
    amplifiers::Reader read{a, {}};
    values::Series series = values::Series::E24;
    if (const auto named = a.value("series"))
        series = seriesArgument("--series", *named, read.error).value_or(series);
    const auto drive = read.value("drive", values::Unit::Volt);

    if (mosfet) {
        values::GateDrive gate;
        const auto qg = read.value("qg", values::Unit::None, std::nullopt, false, "C");
        const auto time = read.value("time", values::Unit::None, std::nullopt, false, "s");
        const auto plateau = read.value("plateau", values::Unit::Volt);
        if (!read.error.empty())
            return usage(err, read.error);
        gate = {*qg, *time, *drive, *plateau, series};
        if (const auto check = values::checkGate(gate); check.change != values::SwitchField::None)
            return usage(err, optionOf(check.change) + ": " + check.message);
        const values::GateDesign d = *values::designGate(gate);
        if (a.flag("json")) {
            Json json;
            json.beginObject().key("gate_current_a");
            number(json, d.gateCurrent).key("exact_ohm");
            number(json, d.ohms).key("choices").beginArray();
            for (const values::GateChoice& c : d.choices) {
                json.beginObject().key("r_ohm").number(c.ohms).key("time_s");
                number(json, c.time).key("peak_a");
                number(json, c.peakCurrent).endObject();
            }
            json.endArray().key("pull_down_ohm");
            d.pullDown ? json.number(*d.pullDown) : json.null();
            json.key("gate_share_pct");
            number(json, d.gateShare * values::Exact::of(100)).key("off_time_s");
            number(json, d.offTime).endObject();
            out << json.text() << '\n';
            return exitOk;
        }
        out << "N-MOSFET: " << five(gate.gateCharge, "C") << " in " << five(gate.time, "s") << " from "
            << five(gate.drive, "V") << " past a " << five(gate.plateau, "V") << " plateau: I G "
            << five(d.gateCurrent, "A") << ", R G " << five(d.ohms, "Ω") << (d.ohms.isDecimal(5) ? "" : " (rounded)")
            << '\n';
        using A = Table::Align;
        Table t({"R G", "switching time", "peak current"}, {A::Right, A::Right, A::Right});
        for (const values::GateChoice& c : d.choices)
            t.add({five(c.ohms, "Ω"), five(c.time, "s"), five(c.peakCurrent, "A")});
        t.print(out);
        if (d.pullDown)
            out << "pull-down " << five(*d.pullDown, "Ω") << ": the gate keeps "
                << values::format((d.gateShare * values::Exact::of(100)).rounded(4), 4)
                << " % of the drive; alone it turns the gate off in about " << five(d.offTime, "s") << '\n';
        return exitOk;
    }

    values::BaseDrive base;
    const auto load = read.value("load", values::Unit::Ampere);
    const auto vbe = read.value("vbe", values::Unit::Volt, base.vbe);
    const auto gain = read.value("gain", values::Unit::None, base.forcedGain);
    const auto hfe = read.value("hfe", values::Unit::None);
    const auto overdrive = read.value("overdrive", values::Unit::None, base.overdrive);
    if (!read.error.empty())
        return usage(err, read.error);
    base = {*load, *drive, *vbe, *gain, hfe, *overdrive, series};
    if (const auto check = values::checkBase(base); check.change != values::SwitchField::None)
        return usage(err, optionOf(check.change) + ": " + check.message);
    const values::BaseDesign d = *values::designBase(base);
    if (a.flag("json")) {
        Json json;
        json.beginObject().key("base_current_a");
        number(json, d.baseCurrent).key("exact_ohm");
        number(json, d.ohms).key("choices").beginArray();
        for (const values::BaseChoice& c : d.choices) {
            json.beginObject().key("r_ohm").number(c.ohms).key("base_current_a");
            number(json, c.baseCurrent).key("forced_gain");
            number(json, c.forcedGain).endObject();
        }
        json.endArray().endObject();
        out << json.text() << '\n';
        return exitOk;
    }
    out << "Bipolar: " << five(base.load, "A") << " from " << five(base.drive, "V") << ", V BE " << five(base.vbe, "V")
        << ", "
        << (hfe ? "hFE min " + values::format(*hfe, 5) + " with " + values::format(base.overdrive, 5) + "x overdrive"
                : "forced gain " + values::format(base.forcedGain, 5))
        << ": I B " << five(d.baseCurrent, "A") << ", R B " << five(d.ohms, "Ω")
        << (d.ohms.isDecimal(5) ? "" : " (rounded)") << '\n';
    using A = Table::Align;
    Table t({"R B", "I B", "forced gain"}, {A::Right, A::Right, A::Right});
    for (const values::BaseChoice& c : d.choices)
        t.add({five(c.ohms, "Ω"), five(c.baseCurrent, "A"), values::format(c.forcedGain.rounded(5), 5)});
    t.print(out);
    return exitOk;
}

} // namespace cli
