// SPDX-License-Identifier: MIT
// The network finder's search in doubles: each shape walked over the sorted parts within the bound
// the exact ranking sets, in the values and in their reciprocals.
#include "values/budget.h"
#include "values/networks_detail.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <iterator>
#include <limits>

namespace values::detail::networks {

namespace {

// One side of the search: the values themselves (Add sums them) or their reciprocals (Rec sums
// those), so each algorithm below is written once, for sums, and runs in both.
struct Domain {
    std::vector<double> x; // ascending
    bool reciprocal = false;
    double t = 0; // the target in this domain
    std::size_t n() const { return x.size(); }
    int partIndex(std::size_t d) const { return reciprocal ? static_cast<int>(x.size() - 1 - d) : static_cast<int>(d); }
    // The relative error of the real value when the domain's sum is s.
    double error(double s) const { return reciprocal ? std::abs(t - s) / s : std::abs(s - t) / t; }
    // The sums whose error can be at most e, a little widened.
    double low(double e) const
    {
        const double w = e * (1 + 1e-6) + 1e-12;
        return reciprocal ? t / (1 + w) : t * (1 - w);
    }
    double high(double e) const
    {
        const double w = e * (1 + 1e-6) + 1e-12;
        if (reciprocal)
            return w >= 1 ? std::numeric_limits<double>::infinity() : t / (1 - w);
        return t * (1 + w);
    }
};

class Search {
public:
    Search(const Stock& stock, Pool& pool, double target, const SearchOptions& options, double started)
        : stock_(stock)
        , pool_(pool)
        , maxParts_(std::min(options.maxParts, 4))
        , meter_(Budget{options.maxSteps, options.maxCpuSeconds}, options.cancel, {}, started)
    {
        direct_.x = stock.values;
        direct_.t = target;
        inverse_.reciprocal = true;
        inverse_.t = 1 / target;
        inverse_.x.reserve(stock.values.size());
        std::transform(stock.values.rbegin(), stock.values.rend(), std::back_inserter(inverse_.x),
                       [](double x) { return 1 / x; });
    }

    // Fewer parts first: exact networks of few parts end the search for more.
    void run()
    {
        // The nearest single parts whatever the limit: a handful of steps.
        unlimited_ = true;
        one();
        unlimited_ = false;
        for (const Domain* d : {&direct_, &inverse_}) {
            const bool add = d == &direct_;
            if (maxParts_ >= 2)
                two(*d, add ? Shape::Add2 : Shape::Rec2);
        }
        for (const Domain* d : {&direct_, &inverse_}) {
            const bool add = d == &direct_;
            if (maxParts_ >= 3 && open(3)) {
                three(*d, add ? Shape::Add3 : Shape::Rec3);
                mixed(*d, add ? Shape::AddRec : Shape::RecAdd);
            }
        }
        for (const Domain* d : {&direct_, &inverse_}) {
            const auto shape = [&](Shape s) { return d == &direct_ ? s : dual(s); };
            if (maxParts_ >= 4 && open(4)) {
                four(*d, shape(Shape::Add4));
                twoWithPair(*d, shape(Shape::AddAddRec));
                twoPairs(*d, shape(Shape::AddRecRec));
                oneWithThree(*d, shape(Shape::AddRec3));
                oneWithPairOfPair(*d, shape(Shape::AddRecAdd));
            }
        }
    }

    bool cancelled() const { return meter_.cancelled(); }
    bool limited() const { return meter_.limited(); }
    long long steps() const { return meter_.steps(); }

private:
    // One turn of a loop, a step: true when the search must end, cancelled or out of budget.
    // Every loop of the search asks at the top of each turn, so none runs uncounted.
    bool halted() { return !unlimited_ && meter_.spend(1); }
    void spend(long long steps)
    {
        if (!unlimited_)
            meter_.spend(steps);
    }

    // Networks of `parts` parts may still place, and the search goes on.
    bool open(int parts) { return pool_.canPlace(parts) && !halted(); }

    // Whether the parts at these indices of the domain may all be taken, each as often as it
    // comes: a loop skips a start that no network can use (a part of which there is one, taken
    // twice) rather than trying everything after it.
    bool fits(const Domain& d, std::initializer_list<std::size_t> slots) const
    {
        return std::ranges::all_of(slots, [&](std::size_t i) {
            const auto uses = std::count(slots.begin(), slots.end(), i);
            return uses == 1 || uses <= stock_.counts[static_cast<std::size_t>(d.partIndex(i))];
        });
    }

    bool allowed(const Slots& slots) const
    {
        // Only a repeated index can exceed a count.
        return std::ranges::all_of(slots, [&](int p) {
            return p < 0 || std::count(slots.begin(), slots.end(), p) <= stock_.counts[static_cast<std::size_t>(p)];
        });
    }

    void offer(Shape shape, const Domain& d, Slots slots, double error)
    {
        for (int& p : slots) {
            if (p >= 0)
                p = d.partIndex(static_cast<std::size_t>(p));
        }
        if (allowed(slots))
            spend(pool_.add(shape, slots, error));
    }

    void one()
    {
        const Domain& d = direct_;
        walk(
            d, lowerIndex(d, d.t), 0, d.n(), [&](std::size_t p) { return d.x[p]; },
            [&](std::size_t p, double e) {
                offer(Shape::One, d, {slot(p), -1, -1, -1}, e);
            });
    }

    static int slot(std::size_t p) { return static_cast<int>(p); }

    void two(const Domain& d, Shape shape)
    {
        // p >= q: x[p] is at least half the sum.
        for (std::size_t p = lowerIndex(d, d.low(bound()) / 2); p < d.n() && d.x[p] <= d.high(bound()); ++p) {
            if (halted())
                return;
            walk(
                d, lowerIndex(d, d.t - d.x[p]), 0, p + 1, [&](std::size_t q) { return d.x[p] + d.x[q]; },
                [&](std::size_t q, double e) {
                    offer(shape, d, {slot(p), slot(q), -1, -1}, e);
                });
        }
    }

    void three(const Domain& d, Shape shape)
    {
        // p >= q >= r: x[p] is at least a third of the sum, x[q] at least half of what is left.
        for (std::size_t p = lowerIndex(d, d.low(bound()) / 3); p < d.n() && d.x[p] <= d.high(bound()); ++p) {
            if (halted())
                return;
            for (std::size_t q = lowerIndex(d, (d.low(bound()) - d.x[p]) / 2);
                 q <= p && d.x[p] + d.x[q] <= d.high(bound()); ++q) {
                if (halted())
                    return;
                if (!fits(d, {p, q}))
                    continue;
                walk(
                    d, lowerIndex(d, d.t - d.x[p] - d.x[q]), 0, q + 1,
                    [&](std::size_t r) { return d.x[p] + d.x[q] + d.x[r]; },
                    [&](std::size_t r, double e) {
                        offer(shape, d, {slot(p), slot(q), slot(r), -1}, e);
                    });
            }
        }
    }

    // Where a walk over b starts for the pair b ~ c (b >= c) to meet `wanted`: the pair's value
    // grows with x[b] from x[c] / 2 towards x[c]; at the end that comes closest when it cannot.
    static std::size_t pairStart(const Domain& d, std::size_t c, double wanted)
    {
        if (wanted >= d.x[c])
            return d.n();
        if (wanted > d.x[c] / 2)
            return std::max(lowerIndex(d, 1 / (1 / wanted - 1 / d.x[c])), c);
        return c;
    }

    static double pair(double b, double c) { return b * c / (b + c); }

    // a + (b ~ c) in the domain, b >= c: the pair's value lies in [x[c] / 2, x[c]).
    void mixed(const Domain& d, Shape shape)
    {
        // Nothing below reach: the pair gives at most half the largest part.
        for (std::size_t a = lowerIndex(d, d.low(bound()) - d.x.back() / 2); a < d.n() && d.x[a] < d.high(bound());
             ++a) {
            if (halted())
                return;
            const double pairLow = std::max(d.low(bound()) - d.x[a], 0.0);
            for (std::size_t c = upperIndex(d, pairLow); c < d.n() && d.x[c] <= 2 * (d.high(bound()) - d.x[a]); ++c) {
                if (halted())
                    return;
                if (!fits(d, {a, c}))
                    continue;
                walk(
                    d, pairStart(d, c, d.t - d.x[a]), c, d.n(),
                    [&](std::size_t b) { return d.x[a] + pair(d.x[b], d.x[c]); },
                    [&](std::size_t b, double e) {
                        offer(shape, d, {slot(a), slot(b), slot(c), -1}, e);
                    });
            }
        }
    }

    // a + b + c + e, a >= b >= c >= e.
    void four(const Domain& d, Shape shape)
    {
        for (std::size_t p = lowerIndex(d, d.low(bound()) / 4); p < d.n() && d.x[p] <= d.high(bound()); ++p) {
            if (halted())
                return;
            for (std::size_t q = lowerIndex(d, (d.low(bound()) - d.x[p]) / 3);
                 q <= p && d.x[p] + d.x[q] <= d.high(bound()); ++q) {
                if (halted())
                    return;
                if (!fits(d, {p, q}))
                    continue;
                const double pq = d.x[p] + d.x[q];
                for (std::size_t r = lowerIndex(d, (d.low(bound()) - pq) / 2); r <= q && pq + d.x[r] <= d.high(bound());
                     ++r) {
                    if (halted())
                        return;
                    if (!fits(d, {p, q, r}))
                        continue;
                    walk(
                        d, lowerIndex(d, d.t - pq - d.x[r]), 0, r + 1,
                        [&](std::size_t e) { return pq + d.x[r] + d.x[e]; },
                        [&](std::size_t e, double err) {
                            offer(shape, d, {slot(p), slot(q), slot(r), slot(e)}, err);
                        });
                }
            }
        }
    }

    // a + b + (c ~ e), a >= b, c >= e: after a and b, the pair as in mixed().
    void twoWithPair(const Domain& d, Shape shape)
    {
        // Nothing below reach: b is no larger and the pair gives at most half the largest part.
        for (std::size_t a = lowerIndex(d, (d.low(bound()) - d.x.back() / 2) / 2);
             a < d.n() && d.x[a] < d.high(bound()); ++a) {
            if (halted())
                return;
            for (std::size_t b = lowerIndex(d, d.low(bound()) - d.x[a] - d.x.back() / 2);
                 b <= a && d.x[a] + d.x[b] < d.high(bound()); ++b) {
                if (halted())
                    return;
                if (!fits(d, {a, b}))
                    continue;
                const double ab = d.x[a] + d.x[b];
                const double pairLow = std::max(d.low(bound()) - ab, 0.0);
                for (std::size_t e = upperIndex(d, pairLow); e < d.n() && d.x[e] <= 2 * (d.high(bound()) - ab); ++e) {
                    if (halted())
                        return;
                    if (!fits(d, {a, b, e}))
                        continue;
                    walk(
                        d, pairStart(d, e, d.t - ab), e, d.n(),
                        [&](std::size_t c) { return ab + pair(d.x[c], d.x[e]); },
                        [&](std::size_t c, double err) {
                            offer(shape, d, {slot(a), slot(b), slot(c), slot(e)}, err);
                        });
                }
            }
        }
    }

    // (a ~ b) + (c ~ e), a >= b, c >= e, the first pair the larger: at least half the sum.
    void twoPairs(const Domain& d, Shape shape)
    {
        for (std::size_t b = upperIndex(d, d.low(bound()) / 2); b < d.n() && d.x[b] <= 2 * d.high(bound()); ++b) {
            if (halted())
                return;
            for (std::size_t a = b; a < d.n(); ++a) {
                if (halted())
                    return;
                if (!fits(d, {a, b}))
                    continue;
                const double first = pair(d.x[a], d.x[b]);
                if (first > d.high(bound()))
                    break;
                if (first < d.low(bound()) / 2)
                    continue;
                const double pairLow = std::max(d.low(bound()) - first, 0.0);
                for (std::size_t e = upperIndex(d, pairLow); e < d.n() && d.x[e] <= 2 * (d.high(bound()) - first);
                     ++e) {
                    if (halted())
                        return;
                    if (!fits(d, {a, b, e}))
                        continue;
                    walk(
                        d, pairStart(d, e, d.t - first), e, d.n(),
                        [&](std::size_t c) { return first + pair(d.x[c], d.x[e]); },
                        [&](std::size_t c, double err) {
                            offer(shape, d, {slot(a), slot(b), slot(c), slot(e)}, err);
                        });
                }
            }
        }
    }

    // a + (b ~ c ~ e), b >= c >= e: the three together lie in [x[e] / 3, x[e]).
    void oneWithThree(const Domain& d, Shape shape)
    {
        // Nothing below reach: the three together give at most a third of the largest part.
        for (std::size_t a = lowerIndex(d, d.low(bound()) - d.x.back() / 3); a < d.n() && d.x[a] < d.high(bound());
             ++a) {
            if (halted())
                return;
            const double restLow = std::max(d.low(bound()) - d.x[a], 0.0);
            const double restHigh = d.high(bound()) - d.x[a];
            for (std::size_t e = upperIndex(d, restLow); e < d.n() && d.x[e] <= 3 * restHigh; ++e) {
                if (halted())
                    return;
                if (!fits(d, {a, e}))
                    continue;
                for (std::size_t c = e; c < d.n(); ++c) {
                    if (halted())
                        return;
                    // Smallest with b = c, largest with b unbounded, which is c ~ e.
                    if (1 / (2 / d.x[c] + 1 / d.x[e]) > restHigh)
                        break;
                    if (pair(d.x[c], d.x[e]) < restLow || !fits(d, {a, e, c}))
                        continue;
                    const double ce = 1 / d.x[c] + 1 / d.x[e];
                    const double wanted = d.t - d.x[a];
                    // 1 / b = 1 / wanted - 1 / c - 1 / e
                    const double inverseB = 1 / wanted - ce;
                    // Past the top of what the three reach, b as large as there is; a alone
                    // above the target, b as small as it may be.
                    std::size_t start = inverseB <= 0 ? d.n() : std::max(lowerIndex(d, 1 / inverseB), c);
                    if (wanted <= 0)
                        start = c;
                    walk(
                        d, start, c, d.n(), [&](std::size_t b) { return d.x[a] + 1 / (1 / d.x[b] + ce); },
                        [&](std::size_t b, double err) {
                            offer(shape, d, {slot(a), slot(b), slot(c), slot(e)}, err);
                        });
                }
            }
        }
    }

    // a + (b ~ (c + e)), c >= e: the pair c + e = S lies in [x[c], 2 x[c]], and b ~ S grows with e.
    void oneWithPairOfPair(const Domain& d, Shape shape)
    {
        // Nothing below reach: b ~ (c + e) gives at most two thirds of the largest part.
        for (std::size_t a = lowerIndex(d, d.low(bound()) - d.x.back() * 2 / 3); a < d.n() && d.x[a] < d.high(bound());
             ++a) {
            if (halted())
                return;
            const double restLow = std::max(d.low(bound()) - d.x[a], 0.0);
            const double restHigh = d.high(bound()) - d.x[a];
            // b ~ S < b, so b is above what is wanted.
            for (std::size_t b = upperIndex(d, restLow); b < d.n(); ++b) {
                if (halted())
                    return;
                if (!fits(d, {a, b}))
                    continue;
                // S = 1 / (1 / rest - 1 / b): the sum the pair must reach, for each end.
                const double sumLow = restLow > 0 ? 1 / (1 / restLow - 1 / d.x[b]) : 0;
                const double sumHigh =
                    d.x[b] > restHigh ? 1 / (1 / restHigh - 1 / d.x[b]) : std::numeric_limits<double>::infinity();
                if (!(sumLow >= 0))
                    continue;
                for (std::size_t c = lowerIndex(d, sumLow / 2); c < d.n() && d.x[c] <= sumHigh; ++c) {
                    if (halted())
                        return;
                    if (!fits(d, {a, b, c}))
                        continue;
                    const double wanted = d.t - d.x[a];
                    const double sum = 1 / (1 / wanted - 1 / d.x[b]);
                    const std::size_t start = wanted >= d.x[b] ? c + 1 : lowerIndex(d, sum - d.x[c]);
                    walk(
                        d, start, 0, c + 1, [&](std::size_t e) { return d.x[a] + pair(d.x[b], d.x[c] + d.x[e]); },
                        [&](std::size_t e, double err) {
                            offer(shape, d, {slot(a), slot(b), slot(c), slot(e)}, err);
                        });
                }
            }
        }
    }

    double bound() const { return pool_.accept(); }

    static std::size_t lowerIndex(const Domain& d, double v)
    {
        return static_cast<std::size_t>(std::lower_bound(d.x.begin(), d.x.end(), v) - d.x.begin());
    }
    static std::size_t upperIndex(const Domain& d, double v)
    {
        return static_cast<std::size_t>(std::upper_bound(d.x.begin(), d.x.end(), v) - d.x.begin());
    }

    // The sum is monotonic in the walked index, so the error grows away from the target on
    // both sides: walk down from start - 1 and up from start, within [from, to), while the
    // error stays within the bound.
    template <class Sum, class Take>
    void walk(const Domain& d, std::size_t start, std::size_t from, std::size_t to, Sum sum, Take take)
    {
        start = std::clamp(start, from, to);
        spend(8); // the search for the start
        for (std::size_t q = start; q-- > from && !halted();) {
            const double e = d.error(sum(q));
            if (!(e <= bound()))
                break;
            take(q, e);
        }
        for (std::size_t q = start; q < to && !halted(); ++q) {
            const double e = d.error(sum(q));
            if (!(e <= bound()))
                break;
            take(q, e);
        }
    }

    const Stock& stock_;
    Pool& pool_;
    Domain direct_;
    Domain inverse_;
    int maxParts_;
    Meter meter_;
    bool unlimited_ = false;
};

} // namespace

Searched search(const Stock& stock, Pool& pool, double target, const SearchOptions& options, double started)
{
    Search search(stock, pool, target, options, started);
    search.run();
    return {search.cancelled(), search.limited(), search.steps()};
}

} // namespace values::detail::networks
