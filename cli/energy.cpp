// SPDX-License-Identifier: MIT
// The battery and capacitor commands of the Wires and power window; its table is in wires.cpp.
#include "cli/json.h"
#include "cli/measured.h"
#include "cli/table.h"
#include "cli/wires.h"

#include "values/energy.h"

#include <ostream>

namespace cli {

namespace {

constexpr values::Amount current{values::Unit::Ampere, {}, "a current", "10m, 10mA or 0.01"};
constexpr values::Amount voltage{values::Unit::Volt, {}, "a voltage", "12, 12V or 500mV"};

Json& number(Json& json, std::optional<double> value)
{
    return value ? json.number(*value) : json.null();
}

} // namespace

// NOLINTNEXTLINE(readability-function-cognitive-complexity): one flat check per option, in the order they are listed
int runBattery(const Arguments& a, std::ostream& out, std::ostream& err)
{
    const values::Capacity capacity = values::parseCapacity(*a.value("capacity"));
    if (!capacity.error.empty())
        return usage(err, "--capacity: " + capacity.error);
    if (capacity.wh && !a.value("voltage"))
        return usage(err,
                     "--voltage: missing; a capacity in Wh needs the battery's voltage, for example --voltage 3.7");
    if (!capacity.wh && a.value("voltage"))
        return usage(err, "--voltage: it only converts a capacity in Wh; leave it out");
    if (a.value("rated-hours") && !a.value("peukert"))
        return usage(err, "battery without --peukert: --rated-hours does not apply; leave it out");
    MeasuredOptions read{a, {}};
    const auto volts = read.amount("voltage", voltage, 1.0);
    const auto active = read.amount("current", current);
    const auto duty = read.percent("duty", 0, 100, 1.0);
    const auto sleep = read.amount("sleep", {values::Unit::Ampere, {}, "a current", "10u, 10uA or 0", true}, 0.0);
    const auto selfDischarge = read.percent("self-discharge", 0, 50, 0.0);
    const auto derating = read.percent("derating", 0, 90, 0.0);
    const auto peukert = read.amount("peukert", {values::Unit::None, {}, "an exponent", "1.2"}, 1.0);
    if (read.error.empty() && (*peukert < 1 || *peukert > 2))
        read.error = "--peukert: '" + *a.value("peukert") + "' is outside 1 to 2";
    const auto rated = read.amount("rated-hours", {values::Unit::None, "h", "a time in hours", "20 or 20h"}, 20.0);
    if (read.error.empty() && (*rated < 0.1 || *rated > 1000))
        read.error = "--rated-hours: '" + *a.value("rated-hours") + "' is outside 0.1 to 1000 h";
    if (!read.error.empty())
        return usage(err, read.error);
    const values::Battery b{capacity.ah ? *capacity.ah : *capacity.wh / *volts,
                            *active,
                            *duty,
                            *sleep,
                            *selfDischarge,
                            *derating,
                            *peukert,
                            *rated};
    if (values::drawsNothing(b))
        return usage(err, "--duty: at 0 % with no --sleep current nothing draws on the battery");
    const values::BatteryLife life = values::batteryLife(b);

    if (a.flag("json")) {
        Json json;
        json.beginObject().key("capacity_ah").number(b.capacityAh).key("average_a").number(life.averageA);
        json.key("self_discharge_a").number(life.selfDischargeA).key("usable_ah").number(life.usableAh);
        json.key("life_s").number(life.hours * 3600).endObject();
        out << json.text() << '\n';
        return exitOk;
    }

    out << shown(b.capacityAh, "Ah") << "; " << shown(b.activeA, "A");
    if (b.duty < 1)
        out << " for " << figure(b.duty * 100) << " % of the time, " << shown(b.sleepA, "A") << " the rest";
    out << '\n';
    Table t({"average current", shown(life.averageA, "A")});
    if (life.selfDischargeA > 0)
        t.add({"self-discharge", shown(life.selfDischargeA, "A") + " as a steady current"});
    t.add({"usable capacity", shown(life.usableAh, "Ah")});
    t.add({"life", figure(life.hours) + " h (" + figure(life.days) + " days)"});
    t.print(out);
    return exitOk;
}

int runCapacitor(const Arguments& a, std::ostream& out, std::ostream& err)
{
    const bool load = a.value("current") || a.value("power");
    if (load != a.value("v2").has_value())
        return usage(err,
                     load ? "--v2: missing; the hold-up time needs the lowest voltage, for example --v2 9"
                          : "--v2: give the load too, with --current or --power");
    MeasuredOptions read{a, {}};
    const auto farads = read.amount("c", {values::Unit::Farad, {}, "a capacitance", "1000u, 1000uF or 1m"});
    const auto v1 = read.amount("v", voltage);
    const auto v2 = read.amount("v2", {values::Unit::Volt, {}, "a voltage", "9, 9V or 0", true});
    const auto amps = read.amount("current", current);
    const auto watts = read.amount("power", {values::Unit::None, "W", "a power", "1, 1W or 500mW"});
    if (read.error.empty() && v2 && !(*v2 < *v1))
        read.error = "--v2: '" + *a.value("v2") + "' is not below --v";
    if (!read.error.empty())
        return usage(err, read.error);
    const values::CapacitorCharge charge = values::capacitorCharge(*farads, *v1);
    std::optional<values::HoldUp> hold;
    if (v2)
        hold = values::holdUp(*farads, *v1, *v2, amps ? values::Load::Current : values::Load::Power,
                              amps ? *amps : *watts);

    if (a.flag("json")) {
        Json json;
        json.beginObject().key("capacitance_f").number(*farads).key("voltage_v").number(*v1);
        json.key("energy_j").number(charge.energyJ).key("charge_c").number(charge.chargeC);
        number(json.key("end_voltage_v"), v2);
        number(json.key("hold_up_s"), hold ? std::optional(hold->seconds) : std::nullopt);
        number(json.key("delivered_j"), hold ? std::optional(hold->energyJ) : std::nullopt).endObject();
        out << json.text() << '\n';
        return exitOk;
    }

    out << shown(*farads, "F") << " at " << shown(*v1, "V") << '\n';
    Table t({"energy", shown(charge.energyJ, "J")});
    t.add({"charge", shown(charge.chargeC, "C")});
    if (hold) {
        t.add({"hold-up",
               shown(hold->seconds, "s") + " from " + shown(*v1, "V") + " to " + shown(*v2, "V") + " at " +
                   (amps ? shown(*amps, "A") : shown(*watts, "W"))});
        t.add({"delivered", shown(hold->energyJ, "J")});
    }
    t.print(out);
    return exitOk;
}

} // namespace cli
