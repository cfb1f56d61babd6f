// SPDX-License-Identifier: MIT
#include "values/regulator.h"

#include "numeric/big.h"
#include "numeric/format.h"
#include "values/networks.h"
#include "values/pairs.h"

#include <array>

namespace values {

namespace {

using detail::Fraction;

constexpr std::array<RegulatorPart, 4> parts{{
    {"Adjustable, positive (LM317 type)",
     RegulatorKind::ThreeTerminal,
     false,
     {125, -2},
     {12, -1},
     {13, -1},
     {5, -5},
     {1, -4},
     {1, -2}},
    {"Adjustable, negative (LM337 type)",
     RegulatorKind::ThreeTerminal,
     true,
     {125, -2},
     {12, -1},
     {13, -1},
     {5, -5},
     {1, -4},
     {1, -2}},
    {"Low-dropout adjustable (LM1117 type)",
     RegulatorKind::ThreeTerminal,
     false,
     {125, -2},
     {1225, -3},
     {127, -2},
     {6, -5},
     {12, -5},
     {5, -3}},
    {"Shunt reference (TL431 type)",
     RegulatorKind::Shunt,
     false,
     {2495, -3},
     {244, -2},
     {255, -2},
     {2, -6},
     {4, -6},
     {0, 0}},
}};

bool searchable(const Decimal& v)
{
    return v.mantissa > 0 && v >= Decimal::of(1, -15) && v <= Decimal::of(1, 15);
}

const Decimal millivolt = Decimal::of(1, -3);
const Decimal maxVref = Decimal::of(1, 3);
const Decimal maxVout = Decimal::of(1, 4);
const Decimal maxIadj = Decimal::of(1, -2);
const Decimal maxLoad = Decimal::of(100, 0);

bool within(const Decimal& v, const Decimal& lo, const Decimal& hi)
{
    return v.mantissa >= 0 && !(v < lo) && !(hi < v);
}

// V out against the goal, R1 first: (V ref R1 + V ref R2 + I adj R1 R2) / (V out R1), rising
// with R2 and falling with R1.
detail::pairs::Form formOf(const RegulatorInput& input)
{
    const Decimal none;
    return {input.vref, input.vref, input.iadj, input.vout, none, true};
}

detail::pairs::Options pairOptions(const RegulatorOptions& options)
{
    return {options.lo, options.hi, options.top, options.fixedR1, options.fixedR2};
}

std::vector<Part> partsOf(const RegulatorOptions& options)
{
    return unlimitedParts(valuesInRange(options.series, options.lo, options.hi));
}

Exact factor(const Decimal& percent, bool up) // 1 + t or 1 - t
{
    const Exact hundred = Exact::of(100);
    return (up ? hundred + Exact::of(percent) : hundred - Exact::of(percent)) / hundred;
}

RegulatorPair describe(const RegulatorInput& input, const detail::pairs::Pair& found, const RegulatorOptions& options)
{
    RegulatorPair pair;
    pair.r1 = found.r1;
    pair.r2 = found.r2;
    const Fraction ratio = detail::pairs::ratio(formOf(input), Fraction::of(pair.r1), Fraction::of(pair.r2));
    pair.vout = detail::nearestDouble(ratio * Fraction::of(input.vout));
    pair.deviation = detail::deviationOf(ratio, Fraction{1, 1});
    // V out rises with V ref, I adj and R2 and falls with R1.
    const Exact r1 = Exact::of(pair.r1);
    const Exact r2 = Exact::of(pair.r2);
    const Exact up = factor(options.tolerancePercent, true);
    const Exact down = factor(options.tolerancePercent, false);
    pair.worstCase.min =
        regulatorOutput(Exact::of(input.vrefMin), Exact::of(input.iadjMin), r1 * up, r2 * down).toDouble();
    pair.worstCase.max =
        regulatorOutput(Exact::of(input.vrefMax), Exact::of(input.iadjMax), r1 * down, r2 * up).toDouble();
    const Exact current = Exact::of(input.vref) / r1;
    pair.r1CurrentA = current.toDouble();
    pair.belowMinLoad = current < Exact::of(input.minLoad);
    return pair;
}

std::vector<RegulatorPair> described(const RegulatorInput& input, const std::vector<detail::pairs::Pair>& found,
                                     const RegulatorOptions& options)
{
    std::vector<RegulatorPair> pairs;
    pairs.reserve(found.size());
    for (const detail::pairs::Pair& p : found)
        pairs.push_back(describe(input, p, options));
    return pairs;
}

} // namespace

std::span<const RegulatorPart> regulatorParts()
{
    return parts;
}

RegulatorInput regulatorInput(const RegulatorPart& part, const Decimal& vout)
{
    return {vout, part.vref, part.vrefMin, part.vrefMax, part.iadj, Decimal{}, part.iadjMax, part.minLoad};
}

Exact regulatorOutput(const Exact& vref, const Exact& iadj, const Exact& r1, const Exact& r2)
{
    return vref * (r1 + r2) / r1 + iadj * r2;
}

// NOLINTNEXTLINE(readability-function-cognitive-complexity): one flat check per value, in the order they are shown
RegulatorCheck checkRegulator(const RegulatorInput& input, const RegulatorOptions& options)
{
    using F = RegulatorField;
    if (!within(input.vref, millivolt, maxVref))
        return {F::Vref, "V ref lies from 1 mV to 1 kV"};
    if (!within(input.vrefMin, millivolt, maxVref) || !within(input.vrefMax, millivolt, maxVref) ||
        input.vref < input.vrefMin || input.vrefMax < input.vref)
        return {F::VrefRange,
                "V ref's range runs from its lowest through the typical V ref to its highest, "
                "within 1 mV to 1 kV"};
    if (!within(input.iadj, Decimal{}, maxIadj))
        return {F::Iadj, "I adj lies from 0 to 10 mA"};
    if (!within(input.iadjMin, Decimal{}, maxIadj) || !within(input.iadjMax, Decimal{}, maxIadj) ||
        input.iadj < input.iadjMin || input.iadjMax < input.iadj)
        return {F::IadjRange,
                "I adj's range runs from its lowest through the typical I adj to its highest, "
                "within 0 to 10 mA"};
    if (!within(input.minLoad, Decimal{}, maxLoad))
        return {F::MinLoad, "The minimum load lies from 0 to 100 A"};
    if (input.vout <= input.vref)
        return {F::Vout, "V out must be higher than V ref, " + withUnit(input.vref, "V") + ": change V out"};
    if (!within(input.vout, millivolt, maxVout))
        return {F::Vout, "V out lies up to 10 kV"};
    if (!searchable(options.lo) || !searchable(options.hi) || options.hi < options.lo)
        return {F::Range, "The range runs from the lower value to the higher one, within 1e-15 to 1e15 Ω"};
    if (options.tolerancePercent.mantissa < 0 || !(options.tolerancePercent < Decimal::of(100, 0)))
        return {F::Tolerance, "The resistors' tolerance lies from 0 to below 100 %"};
    if (options.fixedR1 && options.fixedR2)
        return {F::Fixed, "Fix R1 or R2, not both"};
    const auto fixed = options.fixedR1 ? options.fixedR1 : options.fixedR2;
    if (fixed && !searchable(*fixed))
        return {F::Fixed, "The resistor already chosen must lie between 1e-15 and 1e15 Ω"};
    return {};
}

RegulatorDesign designRegulator(const RegulatorInput& input, const RegulatorOptions& options,
                                const std::stop_token& stop)
{
    RegulatorDesign design;
    if (checkRegulator(input, options).change != RegulatorField::None || options.top < 1)
        return design;
    const std::vector<Part> all = partsOf(options);
    design.pairs = described(input, detail::pairs::best(formOf(input), all, pairOptions(options), stop), options);
    if (stop.stop_requested())
        return {};
    design.reach = detail::pairs::reach(formOf(input), all, pairOptions(options), Fraction::of(input.vout));
    const Exact vref = Exact::of(input.vref);
    const Exact vout = Exact::of(input.vout);
    const Exact iadj = Exact::of(input.iadj);
    if (options.fixedR1)
        design.partner = (vout - vref) / (vref / Exact::of(*options.fixedR1) + iadj);
    if (options.fixedR2) {
        const Exact r2 = Exact::of(*options.fixedR2);
        if (vref + iadj * r2 < vout)
            design.partner = vref * r2 / (vout - vref - iadj * r2);
    }
    if (input.minLoad.mantissa > 0)
        design.largestR1 = vref / Exact::of(input.minLoad);
    return design;
}

std::vector<RegulatorPair> designRegulatorBruteForce(const RegulatorInput& input, const RegulatorOptions& options)
{
    if (checkRegulator(input, options).change != RegulatorField::None || options.top < 1)
        return {};
    return described(input, detail::pairs::bestBruteForce(formOf(input), partsOf(options), pairOptions(options)),
                     options);
}

} // namespace values
