// SPDX-License-Identifier: MIT
#include "values/filters.h"

#include "numeric/format.h"
#include "values/filters/search.h"
#include "values/timing/exact.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace values {

using namespace detail::filters;

namespace {

constexpr double twoPi = 2 * std::numbers::pi;

// Sallen-Key and multiple feedback: two capacitors a, b and two resistors x, y whose product sets
// f0 = 1 / (2 pi sqrt(x y a b)) in every one of them; Q is the circuit's own.
struct FourParts {
    std::size_t a = 0; // capacitors
    std::size_t b = 0;
    std::size_t x = 0; // resistors
    std::size_t y = 0;
    Errors e;
};

class FourPartSearch {
public:
    FourPartSearch(Circuit circuit, const SectionGoal& goal, std::span<const Decimal> resistors,
                   std::span<const Decimal> capacitors)
        : circuit_(circuit)
        , goal_(goal)
        , rs_(resistors)
        , cs_(capacitors)
        , w_(twoPi * goal.f0Hz)
    {
    }

    bool usable() const { return !rs_.empty() && !cs_.empty() && goal_.f0Hz > 0 && goal_.q > 0; }
    const Parts& resistors() const { return rs_; }
    const Parts& capacitors() const { return cs_; }

    double q(double x, double y, double a, double b) const
    {
        const double root = std::sqrt(x * y * a * b);
        switch (circuit_) {
        case Circuit::SallenKeyLow:
            return root / (b * (x + y));
        case Circuit::SallenKeyHigh:
            return root / (x * (a + b));
        case Circuit::MultipleFeedbackLow:
            return root / (b * (x + 2 * y));
        case Circuit::MultipleFeedbackHigh:
            return root / (x * (2 * a + b));
        default:
            return 0;
        }
    }

    // The most Q any pair of resistors from the list gives with these capacitors.
    double qCeiling(double a, double b) const
    {
        const double spread = std::sqrt(rs_.doubles.back() / rs_.doubles.front());
        switch (circuit_) {
        case Circuit::SallenKeyLow:
            return std::sqrt(a / b) / 2;
        case Circuit::SallenKeyHigh:
            return std::sqrt(a * b) / (a + b) * spread;
        case Circuit::MultipleFeedbackLow:
            return std::sqrt(a / b) / (2 * std::numbers::sqrt2);
        case Circuit::MultipleFeedbackHigh:
            return std::sqrt(a * b) / (2 * a + b) * spread;
        default:
            return 0;
        }
    }

    // The y that hits f0 with these three.
    double idealY(double x, double a, double b) const { return 1 / (w_ * w_ * x * a * b); }

    // Whether some y from lo to hi could bring Q within `bound` of its goal: Q rises with y in the
    // high passes, and in the low passes peaks where y is x (Sallen-Key) or x / 2 (multiple feedback).
    bool qReachable(double x, double a, double b, double lo, double hi, double bound) const
    {
        const double qLo = q(x, lo, a, b);
        const double qHi = q(x, hi, a, b);
        const double least = std::min(qLo, qHi);
        double most = std::max(qLo, qHi);
        const double peak = circuit_ == Circuit::SallenKeyLow ? x
            : circuit_ == Circuit::MultipleFeedbackLow        ? x / 2
                                                              : 0;
        if (peak > lo && peak < hi)
            most = q(x, peak, a, b);
        // A hair of slack: the bound is a double computed another way.
        return most * (1 + 1e-9) >= goal_.q * (1 - bound) && least * (1 - 1e-9) <= goal_.q * (1 + bound);
    }

    double f0Error(std::size_t a, std::size_t b, std::size_t x, std::size_t y) const
    {
        return 1 / (w_ * std::sqrt(rs_.doubles[x] * rs_.doubles[y] * cs_.doubles[a] * cs_.doubles[b])) - 1;
    }

    FourParts candidate(std::size_t a, std::size_t b, std::size_t x, std::size_t y, double f0Error) const
    {
        const double qe = q(rs_.doubles[x], rs_.doubles[y], cs_.doubles[a], cs_.doubles[b]) / goal_.q - 1;
        return {a, b, x, y, Errors::of(f0Error, qe)};
    }

    static bool better(const FourParts& p, const FourParts& o)
    {
        if (const auto c = p.e <=> o.e; std::is_neq(c))
            return std::is_lt(c);
        return std::tie(p.a, p.b, p.x, p.y) < std::tie(o.a, o.b, o.x, o.y);
    }

    SectionDesign describe(const FourParts& k) const
    {
        const Decimal& a = cs_.values[k.a];
        const Decimal& b = cs_.values[k.b];
        const Decimal& x = rs_.values[k.x];
        const Decimal& y = rs_.values[k.y];
        std::vector<Decimal> v;
        switch (circuit_) {
        case Circuit::SallenKeyLow:
            v = {x, y, a, b};
            break;
        case Circuit::SallenKeyHigh:
            v = {a, b, x, y};
            break;
        case Circuit::MultipleFeedbackLow:
            v = {x, x, y, a, b};
            break;
        case Circuit::MultipleFeedbackHigh:
            v = {a, a, b, x, y};
            break;
        default:
            break;
        }
        return sectionOf(circuit_, goal_, v);
    }

private:
    Circuit circuit_;
    SectionGoal goal_;
    Parts rs_;
    Parts cs_;
    double w_;
};

std::vector<SectionDesign> designFourParts(const FourPartSearch& search, const SectionGoal& goal, int top, Work& work)
{
    const auto better = [](const FourParts& p, const FourParts& o) { return FourPartSearch::better(p, o); };
    detail::timing::Best<FourParts, decltype(better)> best(static_cast<std::size_t>(top), better);
    const std::vector<double>& r = search.resistors().doubles;
    const std::vector<double>& c = search.capacitors().doubles;
    const long long bits = detail::timing::bitsOf(r.size());
    const auto bound = [&best] { return best.full() ? best.last().e.worst : std::numeric_limits<double>::infinity(); };
    // Whether x can still make the list with these capacitors, f0 held within the bound by y.
    const auto promising = [&](std::size_t a, std::size_t b, std::size_t x, double ideal) {
        const double e = bound();
        return e >= 1 ||
            search.qReachable(r[x], c[a], c[b], ideal / ((1 + e) * (1 + e)), ideal / ((1 - e) * (1 - e)), e);
    };
    for (std::size_t a = 0; a < c.size(); ++a) {
        for (std::size_t b = 0; b < c.size() && !work.spend(); ++b) {
            // Capacitors that cannot reach the Q with any resistors leave every error above the bound.
            if (const double e = bound(); e < 1 && search.qCeiling(c[a], c[b]) * (1 + 1e-9) < goal.q * (1 - e))
                continue;
            for (std::size_t x = 0; x < r.size() && !work.spend(); ++x) {
                // f0 moves one way with y: the ys are taken nearest first until even f0 alone
                // misses by more than the bound.
                const double ideal = search.idealY(r[x], c[a], c[b]);
                if (!promising(a, b, x, ideal) || work.spend(bits))
                    continue;
                outward(
                    position(r, ideal), r.size(), [&](std::size_t y) { return search.f0Error(a, b, x, y); },
                    [&](std::size_t y, double f0Error) {
                        if (std::abs(f0Error) > bound())
                            return false;
                        best.offer(search.candidate(a, b, x, y, f0Error));
                        return true;
                    },
                    work);
            }
        }
    }
    return describeAll(search, best.list());
}

// The equal-component Sallen-Key: R and C set f0 alone, RF / RG sets Q alone, so each is the
// best of its own pairs, and the best sections are among the best of each combined.
struct EqualParts {
    PairHit f0; // u a capacitor, v a resistor
    PairHit q;  // u RG, v RF
    Errors e;
};

SectionDesign describeEqual(Circuit circuit, const SectionGoal& goal, const Parts& rs, const Parts& cs,
                            const EqualParts& k)
{
    const Decimal& c = cs.values[k.f0.u];
    const Decimal& r = rs.values[k.f0.v];
    const Decimal& rg = rs.values[k.q.u];
    const Decimal& rf = rs.values[k.q.v];
    return sectionOf(circuit, goal,
                     circuit == Circuit::SallenKeyEqualLow ? std::vector<Decimal>{r, r, c, c, rf, rg}
                                                           : std::vector<Decimal>{c, c, r, r, rf, rg});
}

bool betterEqual(const EqualParts& p, const EqualParts& o)
{
    if (const auto c = p.e <=> o.e; std::is_neq(c))
        return std::is_lt(c);
    return std::tie(p.f0.u, p.f0.v, p.q.u, p.q.v) < std::tie(o.f0.u, o.f0.v, o.q.u, o.q.v);
}

double equalQError(double rf, double rg, double q)
{
    const double gap = 2 - rf / rg; // 3 - K
    return gap > 0 ? 1 / gap / q - 1 : std::numeric_limits<double>::infinity();
}

std::vector<SectionDesign> designEqual(Circuit circuit, const SectionGoal& goal, const Parts& rs, const Parts& cs,
                                       int top, Work& work)
{
    const double w = twoPi * goal.f0Hz;
    const auto f0s = bestPairs(
        cs.doubles, rs.doubles, [w](double c) { return 1 / (w * c); },
        [w](double c, double r) { return 1 / (w * r * c) - 1; }, top, work);
    const auto qs = bestPairs(
        rs.doubles, rs.doubles, [&goal](double rg) { return rg * (2 - 1 / goal.q); },
        [&goal](double rg, double rf) { return equalQError(rf, rg, goal.q); }, top, work);
    std::vector<EqualParts> every;
    every.reserve(f0s.size() * qs.size());
    for (const PairHit& f : f0s) {
        for (const PairHit& q : qs)
            every.push_back({f, q, Errors::of(f.e, q.e)});
    }
    std::sort(every.begin(), every.end(), betterEqual);
    every.resize(std::min(every.size(), static_cast<std::size_t>(top)));
    std::vector<SectionDesign> found;
    found.reserve(every.size());
    for (const EqualParts& k : every)
        found.push_back(describeEqual(circuit, goal, rs, cs, k));
    return found;
}

// First order: the RC designer's exact ranking, against the corner as the nearest decimal.
std::vector<SectionDesign> designFirstOrder(Circuit circuit, const SectionGoal& goal, std::span<const Decimal> rs,
                                            std::span<const Decimal> cs, int top, const std::stop_token& stop,
                                            DesignBudget* budget, bool bruteForce)
{
    const Decimal target = shortest(goal.f0Hz);
    const std::vector<RcPair> pairs = bruteForce ? designRcBruteForce(RcTarget::Corner, target, rs, cs, top)
                                                 : designRc(RcTarget::Corner, target, rs, cs, top, stop, budget);
    std::vector<SectionDesign> found;
    found.reserve(pairs.size());
    for (const RcPair& p : pairs)
        found.push_back(
            sectionOf(circuit, goal,
                      circuit == Circuit::RcLow ? std::vector<Decimal>{p.r, p.c} : std::vector<Decimal>{p.c, p.r}));
    return found;
}

bool fourParts(Circuit circuit)
{
    return circuit == Circuit::SallenKeyLow || circuit == Circuit::SallenKeyHigh ||
        circuit == Circuit::MultipleFeedbackLow || circuit == Circuit::MultipleFeedbackHigh;
}

} // namespace

namespace detail::filters {

Parts::Parts(std::span<const Decimal> list)
    : values(detail::timing::scaled(list).values)
{
    for (const Decimal& v : values)
        doubles.push_back(v.nearestDouble());
}

Errors Errors::of(double f0, double q)
{
    Errors e;
    e.f0 = f0;
    e.q = q;
    e.worst = std::max(std::abs(f0), std::abs(q));
    e.other = std::min(std::abs(f0), std::abs(q));
    return e;
}

SectionDesign sectionOf(Circuit circuit, const SectionGoal& goal, const std::vector<Decimal>& values)
{
    SectionDesign s;
    s.circuit = circuit;
    s.goal = goal;
    const std::vector<std::string> names = partNames(circuit);
    for (std::size_t i = 0; i < names.size() && i < values.size(); ++i)
        s.parts.push_back({names[i], values[i]});
    const Biquad h = s.biquad();
    s.f0Hz = h.f0Hz();
    s.q = h.q();
    s.gain = h.a2 != 0 ? (h.b2 != 0 ? h.b2 / h.a2 : h.b0 / h.a0) : (h.b1 != 0 ? h.b1 / h.a1 : h.b0 / h.a0);
    s.f0ErrorPct = 100 * (s.f0Hz / goal.f0Hz - 1);
    s.qErrorPct = goal.q > 0 ? 100 * (s.q / goal.q - 1) : 0;
    return s;
}

std::vector<PairHit> bestPairs(const std::vector<double>& us, const std::vector<double>& vs,
                               const std::function<double(double)>& ideal,
                               const std::function<double(double, double)>& error, int top, Work& work)
{
    const auto better = [](const PairHit& p, const PairHit& o) {
        if (std::abs(p.e) != std::abs(o.e))
            return std::abs(p.e) < std::abs(o.e);
        return std::tie(p.u, p.v) < std::tie(o.u, o.v);
    };
    detail::timing::Best<PairHit, decltype(better)> best(static_cast<std::size_t>(top), better);
    const long long bits = detail::timing::bitsOf(vs.size());
    for (std::size_t u = 0; u < us.size() && !work.spend(bits); ++u) {
        outward(
            position(vs, ideal(us[u])), vs.size(), [&](std::size_t v) { return error(us[u], vs[v]); },
            [&](std::size_t v, double e) {
                return best.offer({u, v, e});
            },
            work);
    }
    return best.list();
}

} // namespace detail::filters

double SectionDesign::worstPct() const
{
    return std::max(std::abs(f0ErrorPct), std::abs(qErrorPct));
}

std::vector<double> SectionDesign::values() const
{
    std::vector<double> v;
    for (const SectionPart& p : parts)
        v.push_back(p.value.nearestDouble());
    return v;
}

Biquad SectionDesign::biquad() const
{
    return biquadOf(circuit, values());
}

std::vector<SectionDesign> designSection(Circuit circuit, const SectionGoal& goal, std::span<const Decimal> resistors,
                                         std::span<const Decimal> capacitors, int top, const std::stop_token& stop,
                                         DesignBudget* budget)
{
    if (top < 1 || !(goal.f0Hz > 0) || !std::isfinite(goal.f0Hz))
        return {};
    if (isFirstOrder(circuit))
        return designFirstOrder(circuit, goal, resistors, capacitors, top, stop, budget, false);
    DesignBudget defaults;
    DesignBudget& spent = budget != nullptr ? *budget : defaults;
    Meter meter({spent.maxSteps, spent.maxCpuSeconds}, nullptr, stop);
    Work work(meter);
    std::vector<SectionDesign> found;
    if (fourParts(circuit)) {
        const FourPartSearch search(circuit, goal, resistors, capacitors);
        if (search.usable())
            found = designFourParts(search, goal, top, work);
    } else {
        const Parts rs(resistors);
        const Parts cs(capacitors);
        if (!rs.values.empty() && !cs.values.empty() && goal.q > 0)
            found = designEqual(circuit, goal, rs, cs, top, work);
    }
    spent.limited = meter.limited();
    spent.steps = meter.steps();
    if (meter.cancelled() || stop.stop_requested())
        return {};
    return found;
}

std::vector<SectionDesign> designSectionBruteForce(Circuit circuit, const SectionGoal& goal,
                                                   std::span<const Decimal> resistors,
                                                   std::span<const Decimal> capacitors, int top)
{
    if (top < 1 || !(goal.f0Hz > 0))
        return {};
    if (isFirstOrder(circuit))
        return designFirstOrder(circuit, goal, resistors, capacitors, top, {}, nullptr, true);
    if (fourParts(circuit)) {
        const FourPartSearch search(circuit, goal, resistors, capacitors);
        if (!search.usable())
            return {};
        const std::size_t nr = search.resistors().values.size();
        const std::size_t nc = search.capacitors().values.size();
        std::vector<FourParts> every;
        for (std::size_t a = 0; a < nc; ++a) {
            for (std::size_t b = 0; b < nc; ++b) {
                for (std::size_t x = 0; x < nr; ++x) {
                    for (std::size_t y = 0; y < nr; ++y)
                        every.push_back(search.candidate(a, b, x, y, search.f0Error(a, b, x, y)));
                }
            }
        }
        return detail::timing::bestDescribed(search, std::move(every), top);
    }
    const Parts rs(resistors);
    const Parts cs(capacitors);
    const double w = twoPi * goal.f0Hz;
    std::vector<EqualParts> every;
    for (std::size_t c = 0; c < cs.values.size(); ++c) {
        for (std::size_t r = 0; r < rs.values.size(); ++r) {
            const PairHit f0{c, r, 1 / (w * rs.doubles[r] * cs.doubles[c]) - 1};
            for (std::size_t rg = 0; rg < rs.values.size(); ++rg) {
                for (std::size_t rf = 0; rf < rs.values.size(); ++rf) {
                    const PairHit q{rg, rf, equalQError(rs.doubles[rf], rs.doubles[rg], goal.q)};
                    every.push_back({f0, q, Errors::of(f0.e, q.e)});
                }
            }
        }
    }
    std::sort(every.begin(), every.end(), betterEqual);
    every.resize(std::min(every.size(), static_cast<std::size_t>(top)));
    std::vector<SectionDesign> found;
    found.reserve(every.size());
    for (const EqualParts& k : every)
        found.push_back(describeEqual(circuit, goal, rs, cs, k));
    return found;
}

} // namespace values
