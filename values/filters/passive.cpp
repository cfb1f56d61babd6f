// SPDX-License-Identifier: MIT
#include "values/filters.h"

#include "numeric/format.h"
#include "values/filters/search.h"
#include "values/timing/exact.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <tuple>

namespace values {

using namespace detail::filters;

namespace {

constexpr double twoPi = 2 * std::numbers::pi;

PassiveDesign describe(PassiveForm form, const SectionGoal& goal, const Decimal& r, const Decimal& l, const Decimal& c)
{
    PassiveDesign d;
    d.r = r;
    d.l = l;
    d.c = c;
    d.parts = {r.nearestDouble(), l.nearestDouble(), c.nearestDouble()};
    const Biquad h = passiveBiquad(form, d.parts);
    d.f0Hz = h.f0Hz();
    d.q = h.q();
    d.f0ErrorPct = 100 * (d.f0Hz / goal.f0Hz - 1);
    d.qErrorPct = isSecondOrder(form) ? 100 * (d.q / goal.q - 1) : 0;
    return d;
}

// L and C for f0 and Q; with `damping` the resistors, R too (series RLC), else R is the load given.
struct Tank {
    std::size_t l = 0;
    std::size_t c = 0;
    std::size_t r = 0;
    Errors e;
};

std::vector<PassiveDesign> designTank(PassiveForm form, const SectionGoal& goal, const Decimal& load, const Parts& rs,
                                      const Parts& ls, const Parts& cs, int top, Work& work)
{
    const bool series = !rs.empty();
    const double w = twoPi * goal.f0Hz;
    const double fixedR = load.nearestDouble();
    const auto better = [](const Tank& p, const Tank& o) {
        if (const auto c = p.e <=> o.e; std::is_neq(c))
            return std::is_lt(c);
        return std::tie(p.l, p.c, p.r) < std::tie(o.l, o.c, o.r);
    };
    detail::timing::Best<Tank, decltype(better)> best(static_cast<std::size_t>(top), better);
    const auto bound = [&best] { return best.full() ? best.last().e.worst : std::numeric_limits<double>::infinity(); };
    const std::vector<double>& cv = cs.doubles;
    const std::vector<double>& rv = rs.doubles;
    const long long bits = detail::timing::bitsOf(cv.size()) + (series ? detail::timing::bitsOf(rv.size()) : 0);
    // Q of the series circuit falls with R, of the loaded one rises with it.
    const auto qOf = [series, fixedR](double l, double c, double r) {
        return series ? std::sqrt(l / c) / r : fixedR * std::sqrt(c / l);
    };
    // With L and C chosen: the load given, or the resistors nearest the ideal one first.
    const auto resistors = [&](std::size_t l, std::size_t c, double ef) {
        const double lv = ls.doubles[l];
        if (!series) {
            best.offer({l, c, 0, Errors::of(ef, qOf(lv, cv[c], fixedR) / goal.q - 1)});
            return;
        }
        outward(
            position(rv, std::sqrt(lv / cv[c]) / goal.q), rv.size(),
            [&](std::size_t r) { return qOf(lv, cv[c], rv[r]) / goal.q - 1; },
            [&](std::size_t r, double eq) {
                if (std::abs(eq) > bound())
                    return false;
                best.offer({l, c, r, Errors::of(ef, eq)});
                return true;
            },
            work);
    };
    for (std::size_t l = 0; l < ls.doubles.size() && !work.spend(bits); ++l) {
        const double lv = ls.doubles[l];
        outward(
            position(cv, 1 / (w * w * lv)), cv.size(),
            [&](std::size_t c) { return 1 / (w * std::sqrt(lv * cv[c])) - 1; },
            [&](std::size_t c, double ef) {
                if (std::abs(ef) > bound())
                    return false;
                resistors(l, c, ef);
                return true;
            },
            work);
    }
    std::vector<PassiveDesign> found;
    found.reserve(best.list().size());
    for (const Tank& t : best.list())
        found.push_back(describe(form, goal, series ? rs.values[t.r] : load, ls.values[t.l], cs.values[t.c]));
    return found;
}

} // namespace

std::vector<PassiveDesign> designPassive(PassiveForm form, const SectionGoal& goal, const Decimal& load,
                                         std::span<const Decimal> resistors, std::span<const Decimal> inductors,
                                         std::span<const Decimal> capacitors, int top, const std::stop_token& stop,
                                         DesignBudget* budget)
{
    if (top < 1 || !(goal.f0Hz > 0) || !std::isfinite(goal.f0Hz) || (isSecondOrder(form) && !(goal.q > 0)))
        return {};
    std::vector<PassiveDesign> found;
    if (form == PassiveForm::RcLow || form == PassiveForm::RcHigh) {
        // The RC page's own designer, and its exact ranking.
        for (const RcPair& p :
             designRc(RcTarget::Corner, shortest(goal.f0Hz), resistors, capacitors, top, stop, budget))
            found.push_back(describe(form, goal, p.r, {}, p.c));
        return found;
    }
    DesignBudget defaults;
    DesignBudget& spent = budget != nullptr ? *budget : defaults;
    Meter meter({spent.maxSteps, spent.maxCpuSeconds}, nullptr, stop);
    Work work(meter);
    const Parts ls(inductors);
    if (form == PassiveForm::RlLow || form == PassiveForm::RlHigh) {
        const Parts rs(resistors);
        const double w = twoPi * goal.f0Hz;
        for (const PairHit& hit : bestPairs(
                 ls.doubles, rs.doubles, [w](double l) { return w * l; },
                 [w](double l, double r) { return r / (w * l) - 1; }, top, work))
            found.push_back(describe(form, goal, rs.values[hit.v], ls.values[hit.u], {}));
    } else {
        const bool series = form == PassiveForm::RlcLow || form == PassiveForm::RlcHigh ||
            form == PassiveForm::RlcBand || form == PassiveForm::RlcNotch;
        const Parts rs(series ? resistors : std::span<const Decimal>{});
        const Parts cs(capacitors);
        if (!ls.empty() && !cs.empty() && (series ? !rs.empty() : load.mantissa > 0))
            found = designTank(form, goal, load, rs, ls, cs, top, work);
    }
    spent.limited = meter.limited();
    spent.steps = meter.steps();
    if (meter.cancelled() || stop.stop_requested())
        return {};
    return found;
}

} // namespace values
