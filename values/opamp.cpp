// SPDX-License-Identifier: MIT
#include "values/opamp.h"

#include "numeric/big.h"
#include "values/networks.h"
#include "values/pairs.h"

#include <cmath>
#include <utility>

namespace values {

namespace {

using detail::Fraction;

const Decimal one = Decimal::of(1, 0);

bool nonInverting(const OpAmpGoal& goal)
{
    return goal.circuit == OpAmpCircuit::NonInverting;
}

// Rf is R1 and Rg R2: the gain against the goal is (Rf + Rg) / (G Rg), or Rf / (G Rg); it falls
// as Rg grows.
detail::pairs::Form formOf(const OpAmpGoal& goal)
{
    const Decimal none;
    return {one, nonInverting(goal) ? one : none, none, none, goal.gain, false};
}

detail::pairs::Options pairOptions(const OpAmpOptions& options)
{
    return {options.lo, options.hi, options.top, options.fixedRf, options.fixedRg};
}

std::vector<Part> partsOf(const OpAmpOptions& options)
{
    return unlimitedParts(valuesInRange(options.series, options.lo, options.hi));
}

Fraction gainOf(OpAmpCircuit circuit, const Fraction& rf, const Fraction& rg)
{
    return circuit == OpAmpCircuit::NonInverting ? quotient(rf + rg, rg) : quotient(rf, rg);
}

Exact factor(const Decimal& percent, bool up) // 1 + t or 1 - t
{
    const Exact hundred = Exact::of(100);
    return (up ? hundred + Exact::of(percent) : hundred - Exact::of(percent)) / hundred;
}

// The difference amplifier's common-mode gain R4 / (R3 + R4) (R1 + R2) / R1 - R2 / R1, with R1
// and R3 the two Rg, R2 and R4 the two Rf, is (R1 R4 - R2 R3) / (R1 (R3 + R4)). It rises with R1
// and R4 and falls with R2 and R3, so its two extremes are the two corners where each pair is
// off in opposite directions; the worst is the larger of the two in size.
std::optional<double> worstRejection(const Decimal& rf, const Decimal& rg, const Decimal& percent)
{
    if (percent.mantissa == 0)
        return std::nullopt;
    const Exact f = Exact::of(rf);
    const Exact g = Exact::of(rg);
    const Exact up = factor(percent, true);
    const Exact down = factor(percent, false);
    // Both corners have |R1 R4 - R2 R3| = Rf Rg (up² - down²).
    const Exact spread = f * g * (up * up - down * down);
    const Exact first = spread / (g * up * (g * down + f * up));    // R1, R4 up; R2, R3 down
    const Exact second = spread / (g * down * (g * up + f * down)); // R1, R4 down; R2, R3 up
    const Exact common = first < second ? second : first;
    return 20 * std::log10((f / g / common).toDouble());
}

OpAmpPair describe(const OpAmpGoal& goal, const detail::pairs::Pair& found, const OpAmpOptions& options)
{
    OpAmpPair pair;
    pair.rf = found.r1;
    pair.rg = found.r2;
    const Fraction rf = Fraction::of(pair.rf);
    const Fraction rg = Fraction::of(pair.rg);
    const Fraction gain = gainOf(goal.circuit, rf, rg);
    pair.gain = detail::nearestDouble(gain);
    pair.deviation = detail::deviationOf(gain, Fraction::of(goal.gain));
    // Every gain here rises with Rf and falls with Rg (the difference amplifier's too: its gain
    // with four resistors rises with both Rf and falls with both Rg), so its extremes sit at
    // opposite corners.
    const auto [up, down] = detail::pairs::toleranceFactors(options.tolerancePercent);
    pair.worstCase.min = detail::nearestDouble(gainOf(goal.circuit, rf * down, rg * up));
    pair.worstCase.max = detail::nearestDouble(gainOf(goal.circuit, rf * up, rg * down));
    if (goal.circuit == OpAmpCircuit::Inverting)
        pair.inputOhms = pair.rg;
    if (goal.circuit == OpAmpCircuit::Difference) {
        pair.inputOhms = Decimal::of(2 * pair.rg.mantissa, pair.rg.exponent);
        pair.cmrrDb = worstRejection(pair.rf, pair.rg, options.tolerancePercent);
    } else {
        const Exact balance = Exact::of(pair.rf) * Exact::of(pair.rg) / (Exact::of(pair.rf) + Exact::of(pair.rg));
        pair.balanceOhms = balance.toDouble();
        pair.balance = nearer(bracket(options.series, balance), balance);
    }
    return pair;
}

std::vector<OpAmpPair> described(const OpAmpGoal& goal, const std::vector<detail::pairs::Pair>& found,
                                 const OpAmpOptions& options)
{
    std::vector<OpAmpPair> pairs;
    pairs.reserve(found.size());
    for (const detail::pairs::Pair& p : found)
        pairs.push_back(describe(goal, p, options));
    return pairs;
}

bool searchable(const Decimal& v)
{
    return v.mantissa > 0 && v >= Decimal::of(1, -15) && v <= Decimal::of(1, 15);
}

} // namespace

Exact opAmpGain(OpAmpCircuit circuit, const Decimal& rf, const Decimal& rg)
{
    const Exact ratio = Exact::of(rf) / Exact::of(rg);
    return circuit == OpAmpCircuit::NonInverting ? Exact::of(1) + ratio : ratio;
}

OpAmpCheck checkOpAmp(const OpAmpGoal& goal, const OpAmpOptions& options)
{
    if (!searchable(goal.gain))
        return {OpAmpField::Gain, "The gain's size must lie between 1e-15 and 1e15"};
    if (nonInverting(goal) && goal.gain <= one)
        return {OpAmpField::Gain,
                goal.gain == one ? "A gain of 1 needs no resistors: a follower"
                                 : "A non-inverting amplifier's gain is above 1: for less, divide the input"};
    if (!searchable(options.lo) || !searchable(options.hi) || options.hi < options.lo)
        return {OpAmpField::Range, "The range runs from the lower value to the higher one, within 1e-15 to 1e15 Ω"};
    if (options.tolerancePercent.mantissa < 0 || !(options.tolerancePercent < Decimal::of(100, 0)))
        return {OpAmpField::Tolerance, "The resistors' tolerance lies from 0 to below 100 %"};
    if (options.fixedRf && options.fixedRg)
        return {OpAmpField::Fixed, "Fix Rf or Rg, not both"};
    const auto fixed = options.fixedRf ? options.fixedRf : options.fixedRg;
    if (fixed && !searchable(*fixed))
        return {OpAmpField::Fixed, "The resistor already chosen must lie between 1e-15 and 1e15 Ω"};
    return {};
}

OpAmpDesign designOpAmp(const OpAmpGoal& goal, const OpAmpOptions& options, const std::stop_token& stop)
{
    OpAmpDesign design;
    if (checkOpAmp(goal, options).change != OpAmpField::None || options.top < 1)
        return design;
    const std::vector<Part> parts = partsOf(options);
    design.pairs = described(goal, detail::pairs::best(formOf(goal), parts, pairOptions(options), stop), options);
    if (stop.stop_requested())
        return {};
    design.reach = detail::pairs::reach(formOf(goal), parts, pairOptions(options), Fraction::of(goal.gain));
    // Rf = (G - 1) Rg or G Rg.
    const Exact g = Exact::of(goal.gain);
    const Exact perRg = nonInverting(goal) ? g - Exact::of(1) : g;
    if (options.fixedRg)
        design.partner = perRg * Exact::of(*options.fixedRg);
    if (options.fixedRf)
        design.partner = Exact::of(*options.fixedRf) / perRg;
    return design;
}

std::vector<OpAmpPair> designOpAmpBruteForce(const OpAmpGoal& goal, const OpAmpOptions& options)
{
    if (checkOpAmp(goal, options).change != OpAmpField::None || options.top < 1)
        return {};
    return described(goal, detail::pairs::bestBruteForce(formOf(goal), partsOf(options), pairOptions(options)),
                     options);
}

} // namespace values
