// SPDX-License-Identifier: MIT
#include "values/networks.h"

#include "values/big.h"
#include "values/value.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <limits>
#include <map>
#include <numeric>
#include <queue>
#include <utility>

namespace values {

namespace {

using detail::Big;
using detail::Fraction;

// The shapes in terms of what the connection does to the values: Add sums them (resistors in
// series, capacitors in parallel), Rec sums their reciprocals. Each kind maps them to a topology.
enum class Shape : std::uint8_t { One, Add2, Rec2, Add3, Rec3, AddRec, RecAdd };

Topology topologyOf(Shape shape, Kind kind)
{
    const bool r = kind == Kind::Resistor;
    switch (shape) {
    case Shape::One:
        return Topology::One;
    case Shape::Add2:
        return r ? Topology::Series2 : Topology::Parallel2;
    case Shape::Rec2:
        return r ? Topology::Parallel2 : Topology::Series2;
    case Shape::Add3:
        return r ? Topology::Series3 : Topology::Parallel3;
    case Shape::Rec3:
        return r ? Topology::Parallel3 : Topology::Series3;
    case Shape::AddRec:
        return r ? Topology::SeriesWithParallel : Topology::ParallelWithSeries;
    case Shape::RecAdd:
        return r ? Topology::ParallelWithSeries : Topology::SeriesWithParallel;
    }
    return Topology::One;
}

int partsOf(Shape shape)
{
    switch (shape) {
    case Shape::One:
        return 1;
    case Shape::Add2:
    case Shape::Rec2:
        return 2;
    default:
        return 3;
    }
}

// Indices into the ascending part list; for the three-part mixed shapes i is the lone part and
// j >= k the pair, otherwise i >= j >= k. Unused ones are -1.
struct Candidate {
    Shape shape;
    int i;
    int j;
    int k;
    double error; // relative, from doubles: only to find candidates, never to rank
};

// Rounding in the double search is below 1e-15 relative; these margins keep every candidate
// the exact ranking could place in the top, at the price of a few extra to rank.
constexpr double relativeMargin = 1e-9;
constexpr double absoluteMargin = 1e-12;

struct Stock {
    std::vector<Decimal> decimals; // ascending, distinct
    std::vector<double> values;
    std::vector<int> counts;
};

Stock merged(std::span<const Part> parts)
{
    std::map<Decimal, long long> byValue;
    for (const Part& p : parts) {
        if (p.value.mantissa > 0 && p.count > 0)
            byValue[p.value] += p.count;
    }
    Stock s;
    for (const auto& [value, count] : byValue) {
        s.decimals.push_back(value);
        s.values.push_back(value.toDouble());
        s.counts.push_back(static_cast<int>(std::min<long long>(count, Part::unlimited)));
    }
    return s;
}

// The pool of candidates and the bound: the top-th smallest error seen so far. Anything worse
// than the bound (with the margin) can never reach the top, so the search prunes by it.
class Pool {
public:
    explicit Pool(int top)
        : top_(static_cast<std::size_t>(std::max(top, 1)))
    {
    }

    double accept() const { return limit_; }

    void add(Shape shape, int i, int j, int k, double error)
    {
        if (!(error <= limit_))
            return;
        candidates_.push_back({shape, i, j, k, error});
        if (best_.size() < top_) {
            best_.push(error);
        } else if (error < best_.top()) {
            best_.pop();
            best_.push(error);
        }
        if (best_.size() == top_)
            limit_ = best_.top() * (1 + relativeMargin) + absoluteMargin;
        if (candidates_.size() >= 2 * pruned_ + 1024)
            prune();
    }

    std::vector<Candidate> take()
    {
        prune();
        return std::move(candidates_);
    }

private:
    void prune()
    {
        std::erase_if(candidates_, [this](const Candidate& c) { return !(c.error <= limit_); });
        pruned_ = candidates_.size();
    }

    std::size_t top_;
    std::priority_queue<double> best_;
    double limit_ = std::numeric_limits<double>::infinity();
    std::vector<Candidate> candidates_;
    std::size_t pruned_ = 0;
};

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
    Search(const Stock& stock, double target, int maxParts, int top, const std::atomic<bool>* cancel)
        : stock_(stock)
        , pool_(top)
        , maxParts_(maxParts)
        , cancel_(cancel)
    {
        direct_.x = stock.values;
        direct_.t = target;
        inverse_.reciprocal = true;
        inverse_.t = 1 / target;
        std::transform(stock.values.rbegin(), stock.values.rend(), std::back_inserter(inverse_.x),
                       [](double x) { return 1 / x; });
    }

    bool run()
    {
        one();
        if (maxParts_ >= 2) {
            two(direct_, Shape::Add2);
            two(inverse_, Shape::Rec2);
        }
        if (maxParts_ >= 3) {
            three(direct_, Shape::Add3);
            three(inverse_, Shape::Rec3);
            mixed(direct_, Shape::AddRec);
            mixed(inverse_, Shape::RecAdd);
        }
        return !cancelled();
    }

    std::vector<Candidate> candidates() { return pool_.take(); }

private:
    bool cancelled() const { return cancel_ != nullptr && cancel_->load(std::memory_order_relaxed); }

    bool allowed(int i, int j, int k) const
    {
        // Only a repeated index can exceed a count.
        auto uses = [&](int p) { return (p == i) + (p == j) + (p == k); };
        return std::ranges::all_of(std::initializer_list<int>{i, j, k}, [&](int p) {
            return p < 0 || uses(p) <= stock_.counts[static_cast<std::size_t>(p)];
        });
    }

    void offer(Shape shape, int i, int j, int k, double error)
    {
        if (allowed(i, j, k))
            pool_.add(shape, i, j, k, error);
    }

    void one()
    {
        const Domain& d = direct_;
        const auto start = static_cast<std::size_t>(std::lower_bound(d.x.begin(), d.x.end(), d.t) - d.x.begin());
        walk(
            d, start, 0, d.n(), [&](std::size_t p) { return d.x[p]; },
            [&](std::size_t p, double e) { offer(Shape::One, d.partIndex(p), -1, -1, e); });
    }

    // The parts sorted descending by value, as the text writes them.
    static void descending(int& a, int& b)
    {
        if (a < b)
            std::swap(a, b);
    }

    void two(const Domain& d, Shape shape)
    {
        // p >= q: x[p] is at least half the sum.
        for (std::size_t p = lowerIndex(d, d.low(bound()) / 2); p < d.n() && d.x[p] <= d.high(bound()); ++p) {
            if (cancelled())
                return;
            const double rest = d.t - d.x[p];
            walk(
                d, lowerIndex(d, rest), 0, p + 1, [&](std::size_t q) { return d.x[p] + d.x[q]; },
                [&](std::size_t q, double e) {
                    int a = d.partIndex(p);
                    int b = d.partIndex(q);
                    descending(a, b);
                    offer(shape, a, b, -1, e);
                });
        }
    }

    void three(const Domain& d, Shape shape)
    {
        // p >= q >= r: x[p] is at least a third of the sum, x[q] at least half of what is left.
        for (std::size_t p = lowerIndex(d, d.low(bound()) / 3); p < d.n() && d.x[p] <= d.high(bound()); ++p) {
            if (cancelled())
                return;
            for (std::size_t q = lowerIndex(d, (d.low(bound()) - d.x[p]) / 2);
                 q <= p && d.x[p] + d.x[q] <= d.high(bound()); ++q) {
                const double rest = d.t - d.x[p] - d.x[q];
                walk(
                    d, lowerIndex(d, rest), 0, q + 1, [&](std::size_t r) { return d.x[p] + d.x[q] + d.x[r]; },
                    [&](std::size_t r, double e) {
                        int idx[3] = {d.partIndex(p), d.partIndex(q), d.partIndex(r)};
                        std::sort(idx, idx + 3, std::greater<>());
                        offer(shape, idx[0], idx[1], idx[2], e);
                    });
            }
        }
    }

    // a + (b ⊗ c) in the domain, b >= c: the pair's value P lies in [x[c] / 2, x[c]).
    void mixed(const Domain& d, Shape shape)
    {
        for (std::size_t a = 0; a < d.n() && d.x[a] < d.high(bound()); ++a) {
            if (cancelled())
                return;
            const double pairLow = std::max(d.low(bound()) - d.x[a], 0.0);
            for (std::size_t c = upperIndex(d, pairLow); c < d.n() && d.x[c] <= 2 * (d.high(bound()) - d.x[a]); ++c) {
                const double wanted = d.t - d.x[a];
                // P = xb xc / (xb + xc) grows with xb from x[c] / 2 towards x[c]: the walk starts
                // where P meets what is wanted, or at the end that comes closest when it cannot.
                std::size_t start = c;
                if (wanted >= d.x[c])
                    start = d.n();
                else if (wanted > d.x[c] / 2)
                    start = std::max(lowerIndex(d, 1 / (1 / wanted - 1 / d.x[c])), c);
                walk(
                    d, start, c, d.n(), [&](std::size_t b) { return d.x[a] + d.x[b] * d.x[c] / (d.x[b] + d.x[c]); },
                    [&](std::size_t b, double e) {
                        int pb = d.partIndex(b);
                        int pc = d.partIndex(c);
                        descending(pb, pc);
                        offer(shape, d.partIndex(a), pb, pc, e);
                    });
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
        for (std::size_t q = start; q-- > from;) {
            const double e = d.error(sum(q));
            if (!(e <= bound()))
                break;
            take(q, e);
        }
        for (std::size_t q = start; q < to; ++q) {
            const double e = d.error(sum(q));
            if (!(e <= bound()))
                break;
            take(q, e);
        }
    }

    const Stock& stock_;
    Domain direct_;
    Domain inverse_;
    Pool pool_;
    int maxParts_;
    const std::atomic<bool>* cancel_;
};

std::string partText(const Decimal& v)
{
    return format(v, std::max(v.digits(), 1));
}

struct Ranked {
    Network network;
    Fraction error; // |V - T| / T, exact
};

Ranked rank(const Candidate& c, const Stock& stock, const Fraction& target, Kind kind)
{
    auto part = [&](int i) { return stock.decimals[static_cast<std::size_t>(i)]; };
    auto exact = [&](int i) { return Fraction::of(part(i)); };
    auto rec = [](const Fraction& a, const Fraction& b) { return detail::parallel(a, b); };
    const bool resistor = kind == Kind::Resistor;
    // The text operators: Add is "+" for resistors and "||" for capacitors.
    const std::string add = resistor ? " + " : " || ";
    const std::string recText = resistor ? " || " : " + ";

    Ranked r;
    Network& n = r.network;
    n.topology = topologyOf(c.shape, kind);
    n.partCount = partsOf(c.shape);
    Fraction value;
    switch (c.shape) {
    case Shape::One:
        value = exact(c.i);
        n.parts = {part(c.i)};
        n.text = partText(part(c.i));
        break;
    case Shape::Add2:
    case Shape::Rec2: {
        const bool isAdd = c.shape == Shape::Add2;
        value = isAdd ? exact(c.i) + exact(c.j) : rec(exact(c.i), exact(c.j));
        n.parts = {part(c.i), part(c.j)};
        n.text = partText(part(c.i)) + (isAdd ? add : recText) + partText(part(c.j));
        break;
    }
    case Shape::Add3:
    case Shape::Rec3: {
        const bool isAdd = c.shape == Shape::Add3;
        value = isAdd ? exact(c.i) + exact(c.j) + exact(c.k) : rec(rec(exact(c.i), exact(c.j)), exact(c.k));
        n.parts = {part(c.i), part(c.j), part(c.k)};
        const std::string& op = isAdd ? add : recText;
        n.text = partText(part(c.i)) + op + partText(part(c.j)) + op + partText(part(c.k));
        break;
    }
    case Shape::AddRec:
    case Shape::RecAdd: {
        const bool outerAdd = c.shape == Shape::AddRec;
        value = outerAdd ? exact(c.i) + rec(exact(c.j), exact(c.k)) : rec(exact(c.i), exact(c.j) + exact(c.k));
        n.parts = {part(c.i), part(c.j), part(c.k)};
        n.text = partText(part(c.i)) + (outerAdd ? add : recText) + "(" + partText(part(c.j)) +
            (outerAdd ? recText : add) + partText(part(c.k)) + ")";
        break;
    }
    }
    std::vector<Decimal> distinct = n.parts;
    std::sort(distinct.begin(), distinct.end());
    n.distinctValues = static_cast<int>(std::unique(distinct.begin(), distinct.end()) - distinct.begin());
    n.value = detail::roundToDigits(value.num, value.den, 4);
    n.precise = detail::nearestDouble(value);
    n.deviation = detail::deviationOf(value, target);
    // |V - T| / T = |vn td - tn vd| / (vd tn)
    const Big v = value.num * target.den;
    const Big t = target.num * value.den;
    r.error = {v >= t ? v - t : t - v, value.den * target.num};
    return r;
}

SearchResult ranked(const std::vector<Candidate>& candidates, const Stock& stock, const Decimal& target,
                    const SearchOptions& options)
{
    const Fraction exactTarget = Fraction::of(target);
    std::vector<Ranked> all;
    all.reserve(candidates.size());
    for (const Candidate& c : candidates)
        all.push_back(rank(c, stock, exactTarget, options.kind));
    auto before = [](const Ranked& a, const Ranked& b) {
        if (const auto e = detail::compare(a.error, b.error); std::is_neq(e))
            return std::is_lt(e);
        if (a.network.partCount != b.network.partCount)
            return a.network.partCount < b.network.partCount;
        if (a.network.distinctValues != b.network.distinctValues)
            return a.network.distinctValues < b.network.distinctValues;
        return a.network.text < b.network.text;
    };
    const std::size_t top = std::min(all.size(), static_cast<std::size_t>(std::max(options.top, 0)));
    std::partial_sort(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(top), all.end(), before);
    SearchResult result;
    for (std::size_t i = 0; i < top; ++i)
        result.networks.push_back(std::move(all[i].network));
    return result;
}

bool usable(const Decimal& target, const SearchOptions& options)
{
    return target.mantissa > 0 && options.top > 0 && options.maxParts >= 1;
}

} // namespace

NetworkNode tree(const Network& network)
{
    using Join = NetworkNode::Join;
    std::vector<NetworkNode> leaves;
    for (const Decimal& v : network.parts)
        leaves.push_back({Join::Part, v, {}});
    const auto join = [](Join how, std::vector<NetworkNode> parts) { return NetworkNode{how, {}, std::move(parts)}; };
    switch (network.topology) {
    case Topology::One:
        return leaves.at(0);
    case Topology::Series2:
    case Topology::Series3:
        return join(Join::Series, std::move(leaves));
    case Topology::Parallel2:
    case Topology::Parallel3:
        return join(Join::Parallel, std::move(leaves));
    case Topology::SeriesWithParallel:
        return join(Join::Series, {leaves.at(0), join(Join::Parallel, {leaves.at(1), leaves.at(2)})});
    case Topology::ParallelWithSeries:
        return join(Join::Parallel, {leaves.at(0), join(Join::Series, {leaves.at(1), leaves.at(2)})});
    }
    return leaves.at(0);
}

std::vector<Part> unlimitedParts(std::span<const Decimal> values)
{
    std::vector<Part> parts;
    parts.reserve(values.size());
    for (const Decimal& v : values)
        parts.push_back({v, Part::unlimited});
    return parts;
}

SearchResult findNetworks(const Decimal& target, std::span<const Part> parts, const SearchOptions& options)
{
    const Stock stock = merged(parts);
    if (!usable(target, options) || stock.values.empty())
        return {};
    Search search(stock, target.toDouble(), std::min(options.maxParts, 3), options.top, options.cancel);
    if (!search.run())
        return {{}, true};
    return ranked(search.candidates(), stock, target, options);
}

Reach networkReach(const Decimal& target, std::span<const Part> parts, const SearchOptions& options)
{
    const Stock stock = merged(parts);
    if (!usable(target, options) || stock.values.empty())
        return {};
    // The units of the smallest and of the largest parts, as many as a network holds.
    const auto units = [&](auto first, auto last) {
        std::vector<Fraction> taken;
        for (auto i = first; i != last && std::cmp_less(taken.size(), options.maxParts); ++i) {
            const auto index = static_cast<std::size_t>(*i);
            for (int c = 0; c < stock.counts[index] && std::cmp_less(taken.size(), options.maxParts); ++c)
                taken.push_back(Fraction::of(stock.decimals[index]));
        }
        return taken;
    };
    std::vector<int> order(stock.decimals.size());
    std::iota(order.begin(), order.end(), 0);
    const std::vector<Fraction> small = units(order.begin(), order.end());
    const std::vector<Fraction> large = units(order.rbegin(), order.rend());
    // Reciprocals summed (parallel resistors, series capacitors) go lowest, values summed highest.
    const auto join = [](const std::vector<Fraction>& v, bool add) {
        Fraction total = v.front();
        for (std::size_t i = 1; i < v.size(); ++i)
            total = add ? total + v[i] : detail::parallel(total, v[i]);
        return total;
    };
    const Fraction lowest = join(small, false);
    const Fraction highest = join(large, true);
    const Fraction t = Fraction::of(target);
    Reach reach;
    if (std::is_lt(detail::compare(t, lowest)))
        reach = {Reach::Side::Below, detail::roundToDigits(lowest.num, lowest.den, 4)};
    else if (std::is_gt(detail::compare(t, highest)))
        reach = {Reach::Side::Above, detail::roundToDigits(highest.num, highest.den, 4)};
    return reach;
}

SearchResult findNetworksBruteForce(const Decimal& target, std::span<const Part> parts, const SearchOptions& options)
{
    const Stock stock = merged(parts);
    if (!usable(target, options) || stock.values.empty())
        return {};
    const std::vector<double>& v = stock.values;
    const int n = static_cast<int>(v.size());
    const double t = target.toDouble();
    Pool pool(options.top);
    auto uses = [&](int i, int j, int k) {
        return std::ranges::all_of(std::initializer_list<int>{i, j, k}, [&](int p) {
            return p < 0 || (p == i) + (p == j) + (p == k) <= stock.counts[static_cast<std::size_t>(p)];
        });
    };
    auto offer = [&](Shape shape, int i, int j, int k, double value) {
        if (uses(i, j, k))
            pool.add(shape, i, j, k, std::abs(value - t) / t);
    };
    auto cancelled = [&] { return options.cancel != nullptr && options.cancel->load(std::memory_order_relaxed); };
    const int maxParts = std::min(options.maxParts, 3);
    for (int i = 0; i < n; ++i) {
        if (cancelled())
            return {{}, true};
        offer(Shape::One, i, -1, -1, v[i]);
        if (maxParts < 2)
            continue;
        for (int j = 0; j <= i; ++j) {
            offer(Shape::Add2, i, j, -1, v[i] + v[j]);
            offer(Shape::Rec2, i, j, -1, 1 / (1 / v[i] + 1 / v[j]));
            if (maxParts < 3)
                continue;
            for (int k = 0; k <= j; ++k) {
                offer(Shape::Add3, i, j, k, v[i] + v[j] + v[k]);
                offer(Shape::Rec3, i, j, k, 1 / (1 / v[i] + 1 / v[j] + 1 / v[k]));
            }
        }
    }
    // The mixed shapes: the lone part a is any part, the pair j >= k.
    for (int j = 0; j < n && maxParts >= 3; ++j) {
        if (cancelled())
            return {{}, true};
        for (int k = 0; k <= j; ++k) {
            const double pairRec = v[j] * v[k] / (v[j] + v[k]);
            const double pairAdd = v[j] + v[k];
            for (int a = 0; a < n; ++a) {
                offer(Shape::AddRec, a, j, k, v[a] + pairRec);
                offer(Shape::RecAdd, a, j, k, v[a] * pairAdd / (v[a] + pairAdd));
            }
        }
    }
    return ranked(pool.take(), stock, target, options);
}

} // namespace values
