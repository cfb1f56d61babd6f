// SPDX-License-Identifier: MIT
#include "values/switching.h"

#include "numeric/format.h"

#include <algorithm>

namespace values {

namespace {

const Decimal one = Decimal::of(1, 0);

} // namespace

Neighbours neighbours(Series series, const Exact& value)
{
    // A decade either way holds both neighbours in every series.
    const double v = value.toDouble();
    const double lo = std::max(v / 10, 1e-15);
    const double hi = std::min(v * 10, 1e15);
    Neighbours a;
    if (value.isZero() || lo > hi)
        return a;
    const std::vector<Decimal> near = valuesInRange(series, approximate(lo, 3), approximate(hi, 3));
    const auto above =
        std::partition_point(near.begin(), near.end(), [&](const Decimal& d) { return !(value < Exact::of(d)); });
    if (above != near.end())
        a.above = *above;
    if (above != near.begin())
        a.atOrBelow = *(above - 1);
    return a;
}

SwitchCheck checkBase(const BaseDrive& drive)
{
    if (drive.load.mantissa <= 0)
        return {SwitchField::Load, "The load's current must be above zero"};
    if (drive.vbe.mantissa <= 0)
        return {SwitchField::Vbe, "V BE must be above zero"};
    if (drive.drive <= drive.vbe)
        return {SwitchField::Drive, "The drive must be above V BE, " + withUnit(drive.vbe, "V")};
    if (drive.hfeMin) {
        if (drive.overdrive < one)
            return {SwitchField::Overdrive, "The overdrive is at least 1x"};
        if (*drive.hfeMin <= drive.overdrive)
            return {SwitchField::Hfe, "hFE min must be above the overdrive: the transistor would not amplify"};
    } else if (drive.forcedGain < one) {
        return {SwitchField::Gain, "The forced gain is at least 1"};
    }
    return {};
}

std::optional<BaseDesign> designBase(const BaseDrive& drive)
{
    if (checkBase(drive).change != SwitchField::None)
        return std::nullopt;
    BaseDesign d;
    const Exact ic = Exact::of(drive.load);
    d.baseCurrent =
        drive.hfeMin ? ic * Exact::of(drive.overdrive) / Exact::of(*drive.hfeMin) : ic / Exact::of(drive.forcedGain);
    const Exact across = Exact::of(drive.drive) - Exact::of(drive.vbe);
    d.ohms = across / d.baseCurrent;
    const Neighbours around = neighbours(drive.series, d.ohms);
    for (const auto& r : {around.atOrBelow, around.above}) {
        if (!r)
            continue;
        const Exact ib = across / Exact::of(*r);
        d.choices.push_back({*r, ib, ic / ib});
    }
    return d;
}

SwitchCheck checkGate(const GateDrive& drive)
{
    if (drive.gateCharge.mantissa <= 0)
        return {SwitchField::GateCharge, "The gate charge must be above zero"};
    if (drive.time.mantissa <= 0)
        return {SwitchField::Time, "The switching time must be above zero"};
    if (drive.plateau.mantissa <= 0)
        return {SwitchField::Plateau, "The plateau voltage must be above zero"};
    if (drive.drive <= drive.plateau)
        return {SwitchField::Drive,
                "The drive must be above the plateau, " + withUnit(drive.plateau, "V") +
                    ", or the gate never gets past it"};
    return {};
}

std::optional<GateDesign> designGate(const GateDrive& drive)
{
    if (checkGate(drive).change != SwitchField::None)
        return std::nullopt;
    GateDesign d;
    const Exact qg = Exact::of(drive.gateCharge);
    const Exact v = Exact::of(drive.drive);
    const Exact across = v - Exact::of(drive.plateau);
    d.gateCurrent = qg / Exact::of(drive.time);
    d.ohms = across / d.gateCurrent;
    const Neighbours around = neighbours(drive.series, d.ohms);
    for (const auto& r : {around.atOrBelow, around.above}) {
        if (!r)
            continue;
        const Exact ohms = Exact::of(*r);
        d.choices.push_back({*r, qg * ohms / across, v / ohms});
    }
    const Exact hundredFold = d.ohms * Exact::of(100);
    const Exact least = Exact::of(Decimal::of(1, 4)) < hundredFold ? hundredFold : Exact::of(Decimal::of(1, 4));
    const Neighbours pull = neighbours(drive.series, least);
    d.pullDown = pull.atOrBelow && Exact::of(*pull.atOrBelow) == least ? pull.atOrBelow : pull.above;
    if (d.pullDown) {
        const Exact rpd = Exact::of(*d.pullDown);
        d.gateShare = rpd / (d.ohms + rpd);
        d.offTime = qg * rpd / Exact::of(drive.plateau);
    }
    return d;
}

} // namespace values
