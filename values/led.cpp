// SPDX-License-Identifier: MIT
#include "values/led.h"

#include "numeric/format.h"
#include "values/power.h"

#include <array>
#include <cmath>

namespace values {

namespace {

const Decimal hundred = Decimal::of(100, 0);

Exact percentBelow(const Decimal& v, const Decimal& percent) // v (100 - p) / 100
{
    return Exact::of(v) * (Exact::of(hundred) - Exact::of(percent)) / Exact::of(hundred);
}

Exact percentAbove(const Decimal& v, const Decimal& percent) // v (100 + p) / 100
{
    return Exact::of(v) * (Exact::of(hundred) + Exact::of(percent)) / Exact::of(hundred);
}

Decimal forwardMin(const LedInput& input)
{
    return input.forwardMin.value_or(input.forward);
}

Decimal forwardMax(const LedInput& input)
{
    return input.forwardMax.value_or(input.forward);
}

Exact string(const LedInput& input, const Decimal& forward) // n V f
{
    return Exact::of(static_cast<std::uint64_t>(input.count)) * Exact::of(forward);
}

std::string volts(const Exact& v)
{
    return withUnit(v.rounded(shownDigits), "V");
}

bool percentInRange(const Decimal& p)
{
    return p.mantissa >= 0 && p < hundred;
}

constexpr std::array<LedColour, 9> colours{{
    {"infrared (850-940 nm)", {14, -1}, {12, -1}, {16, -1}},
    {"red", {2, 0}, {18, -1}, {22, -1}},
    {"orange", {21, -1}, {19, -1}, {22, -1}},
    {"yellow", {21, -1}, {19, -1}, {22, -1}},
    {"yellow-green (GaP)", {22, -1}, {19, -1}, {25, -1}},
    {"green (InGaN)", {32, -1}, {29, -1}, {36, -1}},
    {"blue", {32, -1}, {29, -1}, {36, -1}},
    {"white", {32, -1}, {29, -1}, {36, -1}},
    {"ultraviolet (395-405 nm)", {34, -1}, {31, -1}, {4, 0}},
}};

} // namespace

std::span<const LedColour> ledColours()
{
    return colours;
}

LedCheck checkLed(const LedInput& input)
{
    if (input.supply.mantissa <= 0)
        return {LedField::Supply, "The supply must be above zero"};
    if (!percentInRange(input.supplyTolerance))
        return {LedField::SupplyTolerance, "The supply's tolerance lies from 0 to below 100 %"};
    if (input.forward.mantissa <= 0)
        return {LedField::Forward, "The forward voltage must be above zero"};
    const Decimal lo = forwardMin(input);
    const Decimal hi = forwardMax(input);
    if (lo.mantissa <= 0 || hi.mantissa <= 0)
        return {LedField::ForwardRange, "The forward voltage's range must lie above zero"};
    if (input.forward < lo || hi < input.forward)
        return {LedField::ForwardRange,
                "The range must run from its lowest V f through the typical one to its highest"};
    if (input.count < 1 || input.count > maxLedCount)
        return {LedField::Count, "The string holds from 1 to " + std::to_string(maxLedCount) + " LEDs"};
    if (input.current.mantissa <= 0)
        return {LedField::Current, "The current must be above zero"};
    if (!percentInRange(input.tolerance))
        return {LedField::Tolerance, "The resistor's tolerance lies from 0 to below 100 %"};
    if (input.margin < Decimal::of(1, 0))
        return {LedField::Margin, "The margin is at least 1x"};
    const Exact lowest = percentBelow(input.supply, input.supplyTolerance);
    const Exact drop = string(input, hi);
    if (lowest <= drop) {
        std::string message =
            "The supply cannot drive the string: at its lowest, " + volts(lowest) + ", it is not above ";
        message += input.count == 1 ? "the LED's " + volts(drop)
                                    : std::to_string(input.count) + " x " + withUnit(hi, "V") + " = " + volts(drop);
        return {LedField::Supply, message};
    }
    return {};
}

LedChoice ledChoice(const LedInput& input, const Exact& ohms)
{
    LedChoice c;
    c.ohms = ohms;
    const Exact supply = Exact::of(input.supply);
    const Exact typicalDrop = supply - string(input, input.forward);
    const Exact highestDrop = percentAbove(input.supply, input.supplyTolerance) - string(input, forwardMin(input));
    const Exact lowestDrop = percentBelow(input.supply, input.supplyTolerance) - string(input, forwardMax(input));
    const Exact rLow = ohms * percentBelow(Decimal::of(1, 0), input.tolerance);
    const Exact rHigh = ohms * percentAbove(Decimal::of(1, 0), input.tolerance);
    // The current falls as R and every V f rise and as the supply falls, so its extremes are two
    // opposite corners; the resistor's power, drop squared over R, peaks at the highest current.
    c.current = typicalDrop / ohms;
    c.currentMin = lowestDrop / rHigh;
    c.currentMax = highestDrop / rLow;
    c.power = typicalDrop * typicalDrop / ohms;
    c.powerMax = highestDrop * highestDrop / rLow;
    c.rating = powerRating(c.power, input.margin, c.powerMax);
    c.ledPower = string(input, input.forward) * c.current;
    c.efficiency = string(input, input.forward) / supply;
    return c;
}

std::optional<LedDesign> designLed(const LedInput& input)
{
    if (checkLed(input).change != LedField::None)
        return std::nullopt;
    const Exact exact = (Exact::of(input.supply) - string(input, input.forward)) / Exact::of(input.current);
    LedDesign design;
    design.exact = ledChoice(input, exact);

    // Three decades around it hold its neighbours on both sides; the comparison is exact.
    const int order = static_cast<int>(std::floor(std::log10(exact.toDouble())));
    const std::vector<Decimal> near = valuesInRange(input.series, Decimal::of(1, order - 1), Decimal::of(1, order + 2));
    std::optional<Decimal> above;
    std::optional<Decimal> below;
    for (const Decimal& v : near) {
        if (Exact::of(v) >= exact) {
            above = v;
            break;
        }
        below = v;
    }
    if (above)
        design.choices.push_back(ledChoice(input, Exact::of(*above)));
    if (below)
        design.choices.push_back(ledChoice(input, Exact::of(*below)));
    return design;
}

} // namespace values
