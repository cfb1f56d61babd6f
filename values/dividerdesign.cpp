// SPDX-License-Identifier: MIT
#include "values/dividerdesign.h"

#include "numeric/big.h"
#include "numeric/format.h"
#include "values/pairs.h"

#include <string>
#include <utility>

namespace values {

namespace {

const Decimal smallest = Decimal::of(1, -15);
const Decimal largest = Decimal::of(1, 15);

bool searchable(const Decimal& v)
{
    return v.mantissa > 0 && v >= smallest && v <= largest;
}

const char* sourceName(DividerMode mode)
{
    return mode == DividerMode::Output ? "V in" : "V ref";
}

// V out against the goal. Output: V in R2 / (V out (R1 + R2)), rising with R2; feedback:
// V ref (R1 + R2) / (V out R2), falling with it.
detail::pairs::Form formOf(const DividerGoal& goal)
{
    const Decimal none;
    if (goal.mode == DividerMode::Output)
        return {none, goal.source, none, goal.vout, goal.vout, true};
    return {goal.source, goal.source, none, none, goal.vout, false};
}

detail::pairs::Options pairOptions(const DividerOptions& options)
{
    return {options.lo, options.hi, options.top, options.fixedR1, options.fixedR2};
}

using detail::Fraction;

// V out of R1 and R2 from the source, exactly.
Fraction output(const DividerGoal& goal, const Fraction& r1, const Fraction& r2)
{
    const Fraction source = Fraction::of(goal.source);
    return goal.mode == DividerMode::Output ? quotient(source * r2, r1 + r2) : quotient(source * (r1 + r2), r2);
}

DividerPair describe(const DividerGoal& goal, const detail::pairs::Pair& found, const DividerOptions& options)
{
    DividerPair pair;
    pair.r1 = found.r1;
    pair.r2 = found.r2;
    const Fraction r1 = Fraction::of(pair.r1);
    const Fraction r2 = Fraction::of(pair.r2);
    const Fraction out = output(goal, r1, r2);
    pair.vout = detail::nearestDouble(out);
    pair.deviation = detail::deviationOf(out, Fraction::of(goal.vout));
    // The output rises with R2 and falls with R1 in output mode, the other way round in feedback
    // mode, so its extremes sit at opposite corners.
    const auto [up, down] = detail::pairs::toleranceFactors(options.tolerancePercent);
    const bool rising = goal.mode == DividerMode::Output;
    pair.worstCase.min = detail::nearestDouble(output(goal, r1 * (rising ? up : down), r2 * (rising ? down : up)));
    pair.worstCase.max = detail::nearestDouble(output(goal, r1 * (rising ? down : up), r2 * (rising ? up : down)));
    // The regulator holds V ref across R2, so the current is V ref / R2 whatever R1 gives.
    const Fraction source = Fraction::of(goal.source);
    pair.currentA = detail::nearestDouble(rising ? quotient(source, r1 + r2) : quotient(source, r2));
    return pair;
}

bool usable(const DividerGoal& goal, const DividerOptions& options)
{
    return checkGoal(goal).change == DividerField::None && options.tolerancePercent.mantissa >= 0 &&
        options.tolerancePercent < Decimal::of(100, 0);
}

std::vector<DividerPair> described(const DividerGoal& goal, const std::vector<detail::pairs::Pair>& found,
                                   const DividerOptions& options)
{
    std::vector<DividerPair> pairs;
    pairs.reserve(found.size());
    for (const detail::pairs::Pair& p : found)
        pairs.push_back(describe(goal, p, options));
    return pairs;
}

} // namespace

GoalCheck checkGoal(const DividerGoal& goal)
{
    const std::string source = sourceName(goal.mode);
    if (!searchable(goal.source))
        return {DividerField::Source, source + " must lie between 1e-15 and 1e15 V"};
    if (!searchable(goal.vout))
        return {DividerField::Vout, "V out must lie between 1e-15 and 1e15 V"};
    if (goal.mode == DividerMode::Output && goal.vout >= goal.source)
        return {DividerField::Vout, "V out must be lower than V in: change V out"};
    if (goal.mode == DividerMode::Feedback && goal.vout <= goal.source)
        return {DividerField::Vout, "V out must be higher than V ref: change V out"};
    return {};
}

double dividerRatio(const DividerGoal& goal)
{
    const Fraction source = Fraction::of(goal.source);
    const Fraction vout = Fraction::of(goal.vout);
    return detail::nearestDouble(goal.mode == DividerMode::Output ? quotient(vout, source) : quotient(source, vout));
}

VoutRange worstCase(const DividerGoal& goal, double r1, double r2, double tolerancePercent)
{
    const double t = tolerancePercent / 100;
    const double source = goal.source.toDouble();
    // The output rises with R2 and falls with R1 in output mode, the other way round in feedback
    // mode, so its extremes sit at opposite corners.
    if (goal.mode == DividerMode::Output) {
        const auto out = [&](double top, double bottom) { return source * bottom / (top + bottom); };
        return {out(r1 * (1 + t), r2 * (1 - t)), out(r1 * (1 - t), r2 * (1 + t))};
    }
    const auto out = [&](double top, double bottom) { return source * (top + bottom) / bottom; };
    return {out(r1 * (1 - t), r2 * (1 + t)), out(r1 * (1 + t), r2 * (1 - t))};
}

std::vector<DividerPair> designDivider(const DividerGoal& goal, std::span<const Part> parts,
                                       const DividerOptions& options, const std::stop_token& stop)
{
    if (!usable(goal, options))
        return {};
    return described(goal, detail::pairs::best(formOf(goal), parts, pairOptions(options), stop), options);
}

Reach dividerReach(const DividerGoal& goal, std::span<const Part> parts, const DividerOptions& options)
{
    if (!usable(goal, options))
        return {};
    return detail::pairs::reach(formOf(goal), parts, pairOptions(options), Fraction::of(goal.vout));
}

std::vector<DividerPair> designDividerBruteForce(const DividerGoal& goal, std::span<const Part> parts,
                                                 const DividerOptions& options)
{
    if (!usable(goal, options))
        return {};
    return described(goal, detail::pairs::bestBruteForce(formOf(goal), parts, pairOptions(options)), options);
}

} // namespace values
