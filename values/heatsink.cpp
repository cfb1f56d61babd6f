// SPDX-License-Identifier: MIT
#include "values/heatsink.h"

#include "numeric/format.h"
#include "numeric/parse.h"
#include "numeric/text.h"

namespace values {

HeatSink heatSink(const Thermal& thermal)
{
    HeatSink h;
    const double rise = thermal.junctionMaxC - thermal.ambientC;
    if (thermal.junctionToAir) {
        h.bareJunctionC = thermal.ambientC + thermal.powerW * *thermal.junctionToAir;
        h.bareWithin = *h.bareJunctionC <= thermal.junctionMaxC;
        if (*thermal.junctionToAir > 0)
            h.bareMaxW = rise / *thermal.junctionToAir;
    }
    h.sinkMax = rise / thermal.powerW - thermal.junctionToCase - thermal.caseToSink;
    h.caseC = thermal.junctionMaxC - thermal.powerW * thermal.junctionToCase;
    return h;
}

double linearLoss(double vin, double vout, double currentA)
{
    return (vin - vout) * currentA;
}

Measured parseThermalResistance(std::string_view text, char decimalSeparator)
{
    const std::string_view typed = trim(text);
    std::string_view number = typed;
    for (const std::string_view unit : {"K/W", "°C/W", "C/W"}) {
        if (takeSuffix(number, unit))
            break;
    }
    const std::string examples = ": write 5, 5K/W or 62.5";
    if (typed.empty())
        return {std::nullopt, "Type a thermal resistance" + examples};
    if (isZeroText(number, decimalSeparator))
        return {0.0, {}};
    const Parsed parsed = parse(number, decimalSeparator);
    if (!parsed.value && parsed.error.find(" is not a value") == std::string::npos)
        return {std::nullopt, requoted(parsed.error, number, typed)};
    if (!parsed.value || parsed.unit != Unit::None || !plainNumber(number, decimalSeparator))
        return {std::nullopt, quoted(typed) + " is not a thermal resistance" + examples};
    const double value = nearestDouble(*parsed.value);
    if (value > maxThermalResistance)
        return {std::nullopt, quoted(typed) + " is above 1000 K/W"};
    return {value, {}};
}

} // namespace values
