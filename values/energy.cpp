// SPDX-License-Identifier: MIT
#include "values/energy.h"

#include "numeric/parse.h"
#include "numeric/text.h"

#include <cmath>

namespace values {

BatteryLife batteryLife(const Battery& b)
{
    BatteryLife life;
    life.averageA = b.activeA * b.duty + b.sleepA * (1 - b.duty);
    life.selfDischargeA = b.capacityAh * b.selfDischarge / hoursPerMonth;
    life.usableAh = b.capacityAh * (1 - b.derating);
    if (b.peukert != 1 && life.averageA > 0)
        life.usableAh *= std::pow(b.capacityAh / (life.averageA * b.ratedHours), b.peukert - 1);
    life.hours = life.usableAh / (life.averageA + life.selfDischargeA);
    life.days = life.hours / 24;
    return life;
}

Capacity parseCapacity(std::string_view text, char decimalSeparator)
{
    const std::string_view typed = trim(text);
    Capacity c;
    if (typed.empty()) {
        c.error = "Type a capacity: write 2000mAh, 2Ah or 10Wh";
        return c;
    }
    std::string_view number = typed;
    const bool wh = takeSuffix(number, "Wh");
    const bool ah = !wh && takeSuffix(number, "Ah");
    const Parsed parsed = parse(number, decimalSeparator);
    if (!parsed.value || parsed.unit != Unit::None) {
        c.error = parsed.value || parsed.error.find(" is not a value") != std::string::npos
            ? quoted(typed) + " is not a capacity: write 2000mAh, 2Ah or 10Wh"
            : requoted(parsed.error, number, typed);
        return c;
    }
    const double value = nearestDouble(*parsed.value);
    if (wh)
        c.wh = value;
    else
        c.ah = ah ? value : value / 1000;
    return c;
}

CapacitorCharge capacitorCharge(double farads, double volts)
{
    return {farads * volts * volts / 2, farads * volts};
}

HoldUp holdUp(double farads, double v1, double v2, Load load, double amount)
{
    HoldUp h;
    h.energyJ = farads * (v1 * v1 - v2 * v2) / 2;
    h.seconds = load == Load::Current ? farads * (v1 - v2) / amount : h.energyJ / amount;
    return h;
}

} // namespace values
