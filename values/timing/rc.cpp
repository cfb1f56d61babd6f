// SPDX-License-Identifier: MIT
#include "values/timing.h"

#include "numeric/big.h"
#include "numeric/quad.h"
#include "values/timing/exact.h"

#include <algorithm>
#include <compare>
#include <cstddef>
#include <utility>

namespace values {

using detail::Big;
using detail::quad;
using detail::toQuad;
using namespace detail::timing;

namespace {

struct RcCandidate {
    std::size_t r = 0;
    std::size_t c = 0;
    Point p; // R C
};

class RcSearch {
public:
    RcSearch(RcTarget kind, const Decimal& target, std::span<const Decimal> resistors,
             std::span<const Decimal> capacitors)
        : kind_(kind)
        , target_(target)
        , rs_(scaled(resistors))
        , cs_(scaled(capacitors))
    {
        // R C = X 10^E. The time constant misses by X / s - 1 with s = T / 10^E; the corner by
        // s / X - 1 with s = 1 / (2 pi F 10^E).
        const int e = rs_.exponent + cs_.exponent;
        if (kind == RcTarget::TimeConstant) {
            split(target.mantissa, target.exponent - e, scale_.s.a, scale_.s.b);
            scale_.form = Form::Proportional;
        } else {
            // F 10^E = fa / fb, so s = fb / (fa 2 pi).
            Big fa;
            Big fb;
            split(target.mantissa, target.exponent + e, fa, fb);
            scale_.s = {fb, fa, Constant::TwoPi};
            scale_.form = Form::Inverse;
        }
    }

    bool usable() const { return searchable(target_) && !rs_.values.empty() && !cs_.values.empty(); }
    std::size_t resistorCount() const { return rs_.values.size(); }
    std::size_t capacitorCount() const { return cs_.values.size(); }

    RcCandidate candidate(std::size_t r, std::size_t c) const
    {
        return {r, c, scale_.point(rs_.ints[r] * cs_.ints[c])};
    }

    bool better(const RcCandidate& x, const RcCandidate& y) const
    {
        if (const auto o = scale_.closer(x.p, y.p); std::is_neq(o))
            return std::is_lt(o);
        if (x.c != y.c)
            return x.c < y.c;
        return x.r < y.r;
    }

    const Scale& scale() const { return scale_; }

    RcPair describe(const RcCandidate& k) const
    {
        RcPair pair;
        pair.r = rs_.values[k.r];
        pair.c = cs_.values[k.c];
        const quad rc = toQuad(pair.r) * toQuad(pair.c);
        if (kind_ == RcTarget::TimeConstant) {
            pair.value = static_cast<double>(rc);
            pair.miss = exactMiss(product(pair.r, pair.c), detail::Fraction::of(target_));
            pair.miss.percent = pair.miss.exact ? 0 : static_cast<double>(100 * (rc / toQuad(target_) - 1));
        } else {
            const quad fc = 1 / (2 * detail::pi() * rc);
            pair.value = static_cast<double>(fc);
            pair.miss = missOf(fc / toQuad(target_) - 1);
        }
        return pair;
    }

private:
    RcTarget kind_;
    Decimal target_;
    Scaled rs_;
    Scaled cs_;
    Scale scale_;
};

} // namespace

std::vector<RcPair> designRc(RcTarget kind, const Decimal& target, std::span<const Decimal> resistors,
                             std::span<const Decimal> capacitors, int top, const std::stop_token& stop,
                             DesignBudget* budget)
{
    const RcSearch search(kind, target, resistors, capacitors);
    if (!search.usable() || top < 1)
        return {};
    DesignBudget defaults;
    DesignBudget& spent = budget != nullptr ? *budget : defaults;
    Meter meter({spent.maxSteps, spent.maxCpuSeconds}, nullptr, stop);
    const auto better = [&search](const RcCandidate& x, const RcCandidate& y) { return search.better(x, y); };
    Best<RcCandidate, decltype(better)> best(static_cast<std::size_t>(top), better);
    const std::size_t n = search.resistorCount();
    // Work: a binary search over the resistors for each capacitor, then a few candidates each.
    const long long perSearch = bitsOf(n);
    for (std::size_t c = 0; c < search.capacitorCount(); ++c) {
        if (meter.spend(perSearch))
            break;
        // R C grows with R: from where it crosses the target, the error grows both ways, so the
        // best resistors for this capacitor come from merging the two sides outwards.
        std::size_t lo = 0;
        std::size_t hi = n;
        while (lo < hi) {
            const std::size_t mid = lo + (hi - lo) / 2;
            if (search.candidate(mid, c).p.side >= 0)
                hi = mid;
            else
                lo = mid + 1;
        }
        std::size_t below = lo;
        std::size_t above = lo;
        while ((below > 0 || above < n) && !meter.spend(2)) {
            bool down = above >= n;
            if (below > 0 && above < n)
                down = better(search.candidate(below - 1, c), search.candidate(above, c));
            if (!best.offer(search.candidate(down ? --below : above++, c)))
                break;
        }
    }
    spent.limited = meter.limited();
    spent.steps = meter.steps();
    if (meter.cancelled() || stop.stop_requested())
        return {};
    std::vector<RcPair> pairs;
    for (const RcCandidate& k : best.list())
        pairs.push_back(search.describe(k));
    return pairs;
}

std::vector<RcPair> designRcBruteForce(RcTarget kind, const Decimal& target, std::span<const Decimal> resistors,
                                       std::span<const Decimal> capacitors, int top)
{
    const RcSearch search(kind, target, resistors, capacitors);
    if (!search.usable() || top < 1)
        return {};
    std::vector<RcCandidate> every;
    for (std::size_t r = 0; r < search.resistorCount(); ++r) {
        for (std::size_t c = 0; c < search.capacitorCount(); ++c)
            every.push_back(search.candidate(r, c));
    }
    return bestDescribed(search, std::move(every), top);
}

} // namespace values
