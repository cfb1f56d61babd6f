// SPDX-License-Identifier: MIT
#include "values/timing.h"

#include "numeric/big.h"
#include "numeric/format.h"
#include "numeric/quad.h"
#include "values/timing/exact.h"

#include <algorithm>
#include <cmath>
#include <compare>
#include <cstddef>
#include <utility>

namespace values {

using detail::Big;
using detail::quad;
using detail::toQuad;
using namespace detail::timing;

namespace {

struct AstableQ {
    quad high = 0;
    quad low = 0;
    quad charging = 0; // the resistance the high time charges through
    quad total = 0;    // R1 + 2 R2, or R1 + R2 with the diode: the period's resistance
};

AstableQ astableQ(const Decimal& r1, const Decimal& r2, const Decimal& c, bool diode)
{
    AstableQ a;
    const quad q1 = toQuad(r1);
    const quad q2 = toQuad(r2);
    const quad k = detail::ln2() * toQuad(c);
    a.charging = diode ? q1 : q1 + q2;
    a.total = a.charging + q2;
    a.high = k * a.charging;
    a.low = k * q2;
    return a;
}

} // namespace

Astable astable(const Decimal& r1, const Decimal& r2, const Decimal& c, bool diode)
{
    const AstableQ a = astableQ(r1, r2, c, diode);
    return {static_cast<double>(1 / (a.high + a.low)), static_cast<double>(100 * a.charging / a.total),
            static_cast<double>(a.high), static_cast<double>(a.low)};
}

double monostable(const Decimal& r, const Decimal& c)
{
    return static_cast<double>(detail::ln3() * toQuad(r) * toQuad(c));
}

bool reachable(const TimerGoal& goal)
{
    const Decimal least = goal.diode ? Decimal{} : Decimal::of(50, 0);
    return searchable(goal.frequency) && goal.dutyPercent > least && goal.dutyPercent < Decimal::of(100, 0);
}

namespace {

struct TimerCandidate {
    std::size_t r1 = 0; // indexes into the resistors (R1 from the first of at least 1 kΩ)
    std::size_t r2 = 0;
    std::size_t c = 0;
    Point high;   // (R1 + R2) C (q - p), or R1 C (q - p) with the diode
    Point low;    // R2 C p
    Point period; // (R1 + 2 R2) C, or (R1 + R2) C
    bool highIsWorse = false;
    const Point& worst() const { return highIsWorse ? high : low; }
};

class TimerSearch {
public:
    TimerSearch(const TimerGoal& goal, std::span<const Decimal> resistors, std::span<const Decimal> capacitors)
        : goal_(goal)
        , rs_(scaled(resistors))
        , cs_(scaled(capacitors))
    {
        firstR1_ = static_cast<std::size_t>(std::lower_bound(rs_.values.begin(), rs_.values.end(), leastR1) -
                                            rs_.values.begin());
        if (!reachable(goal))
            return;
        // The duty D = p / q. With R C = X 10^E, the high time's target is D / f and the low time's
        // (1 - D) / f; scaling both by p (q - p) / q puts them on one threshold:
        // high misses by (R1 + R2) C (q - p) / s - 1, low by R2 C p / s - 1, with
        // s = p (q - p) / (q f ln 2 10^E); the frequency by s' / ((R1 + 2 R2) C) - 1 with
        // s' = 1 / (f ln 2 10^E).
        split(goal.dutyPercent.mantissa, goal.dutyPercent.exponent, p_, q_);
        q_ = q_ * Big(100);
        const int e = rs_.exponent + cs_.exponent;
        Big fa;
        Big fb;
        split(goal.frequency.mantissa, goal.frequency.exponent + e, fa, fb);
        times_.s = {p_ * (q_ - p_) * fb, q_ * fa, Constant::Ln2};
        times_.form = Form::Proportional;
        frequency_.s = {fb, fa, Constant::Ln2};
        frequency_.form = Form::Inverse;
        // For putting the groups in order, in doubles.
        const double f = goal.frequency.toDouble();
        const double d = goal.dutyPercent.toDouble() / 100;
        lowPerOhmFarad_ = std::log(2.0) * f / (1 - d);
        highPerOhmFarad_ = std::log(2.0) * f / d;
        for (const Decimal& r : rs_.values)
            r_.push_back(r.toDouble());
        for (const Decimal& c : cs_.values)
            c_.push_back(c.toDouble());
    }

    bool usable() const { return reachable(goal_) && firstR1_ < rs_.values.size() && !cs_.values.empty(); }
    std::size_t resistorCount() const { return rs_.values.size(); }
    std::size_t capacitorCount() const { return cs_.values.size(); }
    std::size_t firstR1() const { return firstR1_; }

    // The low time's error in doubles, to take the (R2, C) groups in a good order.
    double lowMissGuess(std::size_t r2, std::size_t c) const
    {
        return std::abs(lowPerOhmFarad_ * rs_.values[r2].toDouble() * cs_.values[c].toDouble() - 1);
    }
    double worstGuess(const TimerCandidate& k) const
    {
        const Decimal& r = rs_.values[k.highIsWorse ? k.r1 : k.r2];
        const double d = goal_.dutyPercent.toDouble() / 100;
        if (!k.highIsWorse)
            return lowMissGuess(k.r2, k.c);
        const double charging = goal_.diode ? r.toDouble() : r.toDouble() + rs_.values[k.r2].toDouble();
        return std::abs(std::log(2.0) * goal_.frequency.toDouble() / d * charging * cs_.values[k.c].toDouble() - 1);
    }

    // A lower bound of the worst time's miss of every triple with this R2 and C, in doubles, as
    // the larger of two parts: `falling` never grows with R2 (the low time short of its target,
    // or the high time short of it even with the largest R1), `rising` never shrinks (the low
    // time beyond, or the high time beyond even with the smallest R1). The bound is the larger
    // of the two; where they cross it is least.
    double falling(std::size_t r2, std::size_t c) const
    {
        const double low = lowPerOhmFarad_ * r_[r2] * c_[c];
        const double charging = goal_.diode ? r_.back() : r_.back() + r_[r2];
        const double high = highPerOhmFarad_ * charging * c_[c];
        return std::max({1 - low, 1 - high, 0.0});
    }
    double rising(std::size_t r2, std::size_t c) const
    {
        const double low = lowPerOhmFarad_ * r_[r2] * c_[c];
        const double charging = goal_.diode ? r_[firstR1_] : r_[firstR1_] + r_[r2];
        const double high = highPerOhmFarad_ * charging * c_[c];
        return std::max({low - 1, high - 1, 0.0});
    }

    Point low(std::size_t r2, std::size_t c) const { return times_.point(rs_.ints[r2] * cs_.ints[c] * p_); }
    Point high(std::size_t r1, std::size_t r2, std::size_t c) const
    {
        const Big charging = goal_.diode ? rs_.ints[r1] : rs_.ints[r1] + rs_.ints[r2];
        return times_.point(charging * cs_.ints[c] * (q_ - p_));
    }
    Point period(std::size_t r1, std::size_t r2, std::size_t c) const
    {
        const Big total = goal_.diode ? rs_.ints[r1] + rs_.ints[r2] : rs_.ints[r1] + Big(2) * rs_.ints[r2];
        return frequency_.point(total * cs_.ints[c]);
    }

    TimerCandidate candidate(std::size_t r1, std::size_t r2, std::size_t c, Point high, const Point& low) const
    {
        TimerCandidate k{r1, r2, c, std::move(high), low, period(r1, r2, c), false};
        k.highIsWorse = std::is_gt(times_.closer(k.high, k.low));
        return k;
    }

    bool better(const TimerCandidate& x, const TimerCandidate& y) const
    {
        if (const auto o = times_.closer(x.worst(), y.worst()); std::is_neq(o))
            return std::is_lt(o);
        if (const auto o = frequency_.closer(x.period, y.period); std::is_neq(o))
            return std::is_lt(o);
        if (x.c != y.c)
            return x.c < y.c;
        if (x.r1 != y.r1)
            return x.r1 < y.r1;
        return x.r2 < y.r2;
    }

    const Scale& times() const { return times_; }
    const Scale& frequency() const { return frequency_; }

    TimerDesign describe(const TimerCandidate& k) const
    {
        TimerDesign d;
        d.r1 = rs_.values[k.r1];
        d.r2 = rs_.values[k.r2];
        d.c = cs_.values[k.c];
        d.result = astable(d.r1, d.r2, d.c, goal_.diode);
        const AstableQ a = astableQ(d.r1, d.r2, d.c, goal_.diode);
        const quad f = toQuad(goal_.frequency);
        const quad duty = toQuad(goal_.dutyPercent) / 100;
        d.high = missOf(a.high * f / duty - 1);
        d.low = missOf(a.low * f / (1 - duty) - 1);
        d.worst = k.highIsWorse ? d.high : d.low;
        d.frequency = missOf(1 / ((a.high + a.low) * f) - 1);
        // The duty as an exact fraction of the resistors, against the target.
        const Big& i1 = rs_.ints[k.r1];
        const Big& i2 = rs_.ints[k.r2];
        const Big charging = goal_.diode ? i1 : i1 + i2;
        const Big total = charging + i2;
        d.duty = exactMiss({charging * Big(100), total}, detail::Fraction::of(goal_.dutyPercent));
        d.duty.percent =
            d.duty.exact ? 0 : static_cast<double>(100 * (100 * a.charging / a.total / toQuad(goal_.dutyPercent) - 1));
        d.dutyRounded =
            d.duty.exact ? goal_.dutyPercent : detail::roundToDigits(charging * Big(100), total, shownDigits);
        return d;
    }

private:
    TimerGoal goal_;
    Scaled rs_;
    Scaled cs_;
    std::size_t firstR1_ = 0;
    Big p_;
    Big q_;
    Scale times_;
    Scale frequency_;
    double lowPerOhmFarad_ = 0;
    double highPerOhmFarad_ = 0;
    std::vector<double> r_; // the values as doubles
    std::vector<double> c_;
};

// The first index in [lo, hi) where `pred` turns true (it must be false, then true).
template <class Pred>
std::size_t firstWhere(std::size_t lo, std::size_t hi, Pred pred)
{
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (pred(mid))
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

template <class Best>
void searchGroup(const TimerSearch& search, std::size_t r2, std::size_t c, Best& best, Meter& meter)
{
    const Point low = search.low(r2, c);
    if (best.full() && std::is_gt(search.times().closer(low, best.last().worst())))
        return;
    const std::size_t first = search.firstR1();
    const std::size_t n = search.resistorCount();
    // Four binary searches over R1.
    if (meter.spend(4 * bitsOf(n - first)))
        return;
    const auto high = [&](std::size_t r1) { return search.high(r1, r2, c); };
    // The high time grows with R1. Around where it crosses its target lie the R1 whose high time
    // misses by no more than the low time does: there the low time is the worst, and the
    // frequency ranks them. Further out the high time is the worst, and grows both ways.
    const std::size_t crossing = firstWhere(first, n, [&](std::size_t r1) { return high(r1).side >= 0; });
    const auto within = [&](std::size_t r1) { return !std::is_gt(search.times().closer(high(r1), low)); };
    const std::size_t from = firstWhere(first, crossing, within);
    const std::size_t to = firstWhere(crossing, n, [&](std::size_t r1) { return !within(r1); });

    const auto offer = [&](std::size_t r1) { return best.offer(search.candidate(r1, r2, c, high(r1), low)); };
    const std::size_t middle = firstWhere(from, to, [&](std::size_t r1) { return search.period(r1, r2, c).side >= 0; });
    std::size_t below = middle;
    std::size_t above = middle;
    while ((below > from || above < to) && !meter.spend(3)) {
        bool down = above >= to;
        if (below > from && above < to)
            down = !std::is_gt(search.frequency().closer(search.period(below - 1, r2, c), search.period(above, r2, c)));
        if (!offer(down ? --below : above++))
            return;
    }
    // Outside: the high time's error, from the edges of the run above outwards.
    below = from;
    above = to;
    while ((below > first || above < n) && !meter.spend(3)) {
        bool down = above >= n;
        if (below > first && above < n)
            down = !std::is_gt(search.times().closer(high(below - 1), high(above)));
        const std::size_t r1 = down ? --below : above++;
        if (!offer(r1))
            return;
    }
}

} // namespace

std::vector<TimerDesign> designTimer(const TimerGoal& goal, std::span<const Decimal> resistors,
                                     std::span<const Decimal> capacitors, int top, const std::stop_token& stop,
                                     DesignBudget* budget)
{
    const TimerSearch search(goal, resistors, capacitors);
    if (!search.usable() || top < 1)
        return {};
    DesignBudget defaults;
    DesignBudget& spent = budget != nullptr ? *budget : defaults;
    Meter meter({spent.maxSteps, spent.maxCpuSeconds}, nullptr, stop);
    const auto better = [&search](const TimerCandidate& x, const TimerCandidate& y) { return search.better(x, y); };
    Best<TimerCandidate, decltype(better)> best(static_cast<std::size_t>(top), better);

    // No triple misses by less than its low time does, which R2 and C alone fix, nor by less than
    // its high time does with the R1 that brings it nearest: take the (R2, C) groups from the
    // least of the two bounds on, and stop where even that cannot make the list. The groups are
    // never all held (there may be tens of millions): for each capacitor the bound falls to a
    // least R2 and rises after it, so two runs from there outwards, merged over the capacitors
    // in a heap, give them in order.
    struct Group {
        double bound;
        std::uint32_t r2;
        std::uint32_t c;
        bool up; // the run towards larger R2
    };
    const auto after = [](const Group& a, const Group& b) { return a.bound > b.bound; };
    std::vector<Group> heap;
    const std::size_t rn = search.resistorCount();
    const auto push = [&](std::size_t r2, std::size_t c, bool up) {
        const double bound = up ? search.rising(r2, c) : search.falling(r2, c);
        heap.push_back({bound, static_cast<std::uint32_t>(r2), static_cast<std::uint32_t>(c), up});
        std::push_heap(heap.begin(), heap.end(), after);
    };
    heap.reserve(2 * search.capacitorCount());
    for (std::size_t c = 0; c < search.capacitorCount(); ++c) {
        if (meter.spend(bitsOf(rn)))
            break;
        const std::size_t least =
            firstWhere(0, rn, [&](std::size_t r2) { return search.rising(r2, c) >= search.falling(r2, c); });
        if (least > 0)
            push(least - 1, c, false);
        if (least < rn)
            push(least, c, true);
    }
    while (!heap.empty() && !meter.spend(bitsOf(heap.size()))) {
        std::pop_heap(heap.begin(), heap.end(), after);
        const Group g = heap.back();
        heap.pop_back();
        // The doubles are good to about 1e-15; with this margin the groups left all miss by more.
        if (best.full()) {
            const double worst = search.worstGuess(best.last());
            if (g.bound > worst + 1e-12 + worst * 1e-9)
                break;
        }
        if (g.up && g.r2 + 1 < rn)
            push(g.r2 + 1, g.c, true);
        else if (!g.up && g.r2 > 0)
            push(g.r2 - 1, g.c, false);
        searchGroup(search, g.r2, g.c, best, meter);
    }
    spent.limited = meter.limited();
    spent.steps = meter.steps();
    if (meter.cancelled() || stop.stop_requested())
        return {};
    std::vector<TimerDesign> designs;
    for (const TimerCandidate& k : best.list())
        designs.push_back(search.describe(k));
    return designs;
}

std::vector<TimerDesign> designTimerBruteForce(const TimerGoal& goal, std::span<const Decimal> resistors,
                                               std::span<const Decimal> capacitors, int top)
{
    const TimerSearch search(goal, resistors, capacitors);
    if (!search.usable() || top < 1)
        return {};
    std::vector<TimerCandidate> every;
    for (std::size_t r1 = search.firstR1(); r1 < search.resistorCount(); ++r1) {
        for (std::size_t r2 = 0; r2 < search.resistorCount(); ++r2) {
            for (std::size_t c = 0; c < search.capacitorCount(); ++c)
                every.push_back(search.candidate(r1, r2, c, search.high(r1, r2, c), search.low(r2, c)));
        }
    }
    return bestDescribed(search, std::move(every), top);
}

} // namespace values
