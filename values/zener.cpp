// SPDX-License-Identifier: MIT
#include "values/zener.h"

#include "numeric/format.h"
#include "values/power.h"

#include <algorithm>
#include <cmath>

namespace values {

namespace {

const Decimal hundred = Decimal::of(100, 0);

Exact percentOf(const Exact& v, const Decimal& percent, bool up) // v (100 +- p) / 100
{
    const Exact h = Exact::of(hundred);
    return v * (up ? h + Exact::of(percent) : h - Exact::of(percent)) / h;
}

bool percentInRange(const Decimal& p)
{
    return p.mantissa >= 0 && p < hundred;
}

std::string volts(const Exact& v)
{
    return withUnit(v.rounded(4), "V");
}

std::string watts(const Exact& v)
{
    return withUnit(v.rounded(4), "W");
}

// The corners the design looks at, exactly.
struct Corners {
    Exact supplyMin;
    Exact supplyMax;
    Exact vz;
    Exact vzLow;
    Exact vzHigh;
    Exact izMin;
    Exact pz;
    Exact loadMin;
    Exact loadMax;
};

Corners cornersOf(const ZenerInput& input)
{
    Corners c;
    c.supplyMin = Exact::of(input.supplyMin);
    c.supplyMax = Exact::of(input.supplyMax);
    c.vz = Exact::of(input.vz);
    c.vzLow = percentOf(c.vz, input.vzTolerance, false);
    c.vzHigh = percentOf(c.vz, input.vzTolerance, true);
    c.izMin = Exact::of(input.izMin);
    c.pz = Exact::of(input.pzRating);
    c.loadMin = Exact::of(input.loadMin);
    c.loadMax = Exact::of(input.loadMax);
    return c;
}

// (v - drop) / r - load, or zero where the Zener would take no current.
Exact current(const Exact& v, const Exact& drop, const Exact& r, const Exact& load)
{
    if (v <= drop)
        return {};
    const Exact through = (v - drop) / r;
    return through > load ? through - load : Exact{};
}

// The Zener's largest power through `r` at the highest supply and the smallest load, over every
// V z of its range: V z ((V s - V z) / r - I load) is a parabola in V z, largest at
// (V s - I load r) / 2, so over the range at that point moved into it.
Exact worstZenerPower(const Corners& c, const Exact& r)
{
    const Exact held = c.loadMin * r;
    if (c.supplyMax <= held)
        return {};
    Exact v = (c.supplyMax - held) / Exact::of(2);
    v = v < c.vzLow ? c.vzLow : (c.vzHigh < v ? c.vzHigh : v);
    return v * current(c.supplyMax, v, r, c.loadMin);
}

// The least resistance that keeps the Zener within its rating: the largest over V z's range of
// V z (V s - V z) / (P z + I load V z), which rises to where I load V z² + 2 P z V z = V s P z
// and falls after.
double leastResistance(const Corners& c)
{
    const auto at = [&](const Exact& v) { return (v * (c.supplyMax - v) / (c.pz + c.loadMin * v)).toDouble(); };
    const double s = c.supplyMax.toDouble();
    const double p = c.pz.toDouble();
    const double l = c.loadMin.toDouble();
    const double peak = s * p / (p + std::sqrt(p * p + l * s * p)); // the root, without cancelling
    if (peak <= c.vzLow.toDouble())
        return at(c.vzLow);
    if (peak >= c.vzHigh.toDouble())
        return at(c.vzHigh);
    return peak * (s - peak) / (p + l * peak);
}

bool inside(const ZenerInput& input, const Corners& c, const Exact& rMax, const Decimal& ohms)
{
    const Exact r = Exact::of(ohms);
    return percentOf(r, input.tolerance, true) <= rMax &&
        worstZenerPower(c, percentOf(r, input.tolerance, false)) <= c.pz;
}

} // namespace

// NOLINTNEXTLINE(readability-function-cognitive-complexity): one flat check per value, in the order they are shown
ZenerCheck checkZener(const ZenerInput& input)
{
    if (input.supplyMin.mantissa <= 0 || input.supplyMax < input.supplyMin)
        return {ZenerField::Supply, "The supply's range runs from its lowest to its highest, above zero"};
    if (input.vz.mantissa <= 0)
        return {ZenerField::Vz, "V z must be above zero"};
    if (!percentInRange(input.vzTolerance))
        return {ZenerField::VzTolerance, "V z's tolerance lies from 0 to below 100 %"};
    if (input.izMin.mantissa <= 0)
        return {ZenerField::IzMin, "The Zener's least current must be above zero"};
    if (input.pzRating.mantissa <= 0)
        return {ZenerField::Pz, "The Zener's power rating must be above zero"};
    if (input.loadMin.mantissa < 0 || input.loadMax < input.loadMin)
        return {ZenerField::Load, "The load's range runs from its least current to its largest"};
    if (!percentInRange(input.tolerance))
        return {ZenerField::Tolerance, "The resistor's tolerance lies from 0 to below 100 %"};
    if (input.margin < Decimal::of(1, 0))
        return {ZenerField::Margin, "The margin is at least 1x"};
    return {};
}

ZenerChoice zenerChoice(const ZenerInput& input, const Decimal& ohms)
{
    const Corners c = cornersOf(input);
    const Exact r = Exact::of(ohms);
    const Exact low = percentOf(r, input.tolerance, false);
    const Exact high = percentOf(r, input.tolerance, true);
    ZenerChoice choice;
    choice.ohms = ohms;
    choice.izMin = current(c.supplyMin, c.vzHigh, high, c.loadMax);
    choice.izMax = current(c.supplyMax, c.vzLow, low, c.loadMin);
    choice.pzMax = worstZenerPower(c, low);
    // The resistor drops what the Zener does not: its power does not depend on the load.
    const auto dissipated = [](const Exact& v, const Exact& vz, const Exact& rr) {
        return v <= vz ? Exact{} : (v - vz) * (v - vz) / rr;
    };
    choice.power = dissipated(c.supplyMax, c.vz, r);
    choice.powerMax = dissipated(c.supplyMax, c.vzLow, low);
    choice.rating = powerRating(choice.power, input.margin, choice.powerMax);
    return choice;
}

std::optional<ZenerDesign> designZener(const ZenerInput& input)
{
    if (checkZener(input).change != ZenerField::None)
        return std::nullopt;
    const Corners c = cornersOf(input);
    ZenerDesign design;
    if (c.supplyMin <= c.vzHigh) {
        design.limit = ZenerLimit::Supply;
        design.why = "At its lowest, " + volts(c.supplyMin) + ", the supply is not above the Zener's highest V z, " +
            volts(c.vzHigh) + ": a higher supply or a lower V z";
        return design;
    }
    design.rMax = (c.supplyMin - c.vzHigh) / (c.izMin + c.loadMax);
    design.rMin = leastResistance(c);
    design.pzAtRMax = worstZenerPower(c, design.rMax);
    if (c.pz < design.pzAtRMax) {
        design.limit = ZenerLimit::Power;
        design.why = "The Zener's rating: the largest resistor that keeps " + withUnit(input.izMin, "A") +
            " in it at the lowest supply and the largest load, " + withUnit(design.rMax.rounded(4), "Ω") +
            ", lets it dissipate " + watts(design.pzAtRMax) +
            " at the highest supply and the smallest load: a Zener rated for that, or a narrower supply or load range";
        return design;
    }
    // Every value that may lie inside is looked at; a value's tolerance only narrows the window.
    const double lo = std::max(design.rMin * 0.98, 1e-15);
    const double hi = std::min(design.rMax.toDouble() * 1.02, 1e15);
    if (lo <= hi) {
        for (const Decimal& v : valuesInRange(input.series, approximate(lo, 3), approximate(hi, 3))) {
            if (!inside(input, c, design.rMax, v))
                continue;
            if (static_cast<int>(design.choices.size()) < input.top)
                design.choices.push_back(zenerChoice(input, v));
            else
                ++design.more;
        }
    }
    if (design.choices.empty()) {
        design.limit = ZenerLimit::Series;
        design.why = "No " + std::string(name(input.series)) + " value stays inside the window, " +
            withUnit(approximate(design.rMin, 4), "Ω") + " to " + withUnit(design.rMax.rounded(4), "Ω") +
            ", over its " + format(input.tolerance, 6) + " % tolerance";
    }
    return design;
}

} // namespace values
