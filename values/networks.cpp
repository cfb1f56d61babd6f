// SPDX-License-Identifier: MIT
#include "values/networks.h"

#include "numeric/big.h"
#include "numeric/format.h"
#include "numeric/parse.h"
#include "values/budget.h"

#include <algorithm>
#include <array>
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
// Each shape sits beside its dual, the same drawing with the two connections swapped.
enum class Shape : std::uint8_t {
    One,
    Add2,
    Rec2,
    Add3,
    Rec3,
    AddRec,
    RecAdd, // a + (b ~ c)
    Add4,
    Rec4, // a + b + c + d
    AddAddRec,
    RecRecAdd, // a + b + (c ~ d)
    AddRecRec,
    RecAddAdd, // (a ~ b) + (c ~ d)
    AddRec3,
    RecAdd3, // a + (b ~ c ~ d)
    AddRecAdd,
    RecAddRec, // a + (b ~ (c + d))
};

Shape dual(Shape shape)
{
    if (shape == Shape::One)
        return shape;
    const auto n = static_cast<std::uint8_t>(shape);
    return static_cast<Shape>(n % 2 == 1 ? n + 1 : n - 1);
}

bool outerAdd(Shape shape)
{
    return shape != Shape::One && static_cast<std::uint8_t>(shape) % 2 == 1;
}

Topology topologyOf(Shape shape, Kind kind)
{
    // The resistor's topology of the Add shape of each pair, then of the Rec one.
    static constexpr Topology pairs[][2] = {
        {Topology::Series2, Topology::Parallel2},
        {Topology::Series3, Topology::Parallel3},
        {Topology::SeriesWithParallel, Topology::ParallelWithSeries},
        {Topology::Series4, Topology::Parallel4},
        {Topology::TwoSeriesWithParallel, Topology::TwoParallelWithSeries},
        {Topology::ParallelPairsInSeries, Topology::SeriesPairsInParallel},
        {Topology::SeriesWithParallel3, Topology::ParallelWithSeries3},
        {Topology::SeriesWithParallelSeries, Topology::ParallelWithSeriesParallel},
    };
    if (shape == Shape::One)
        return Topology::One;
    const auto n = static_cast<std::size_t>(shape) - 1;
    const bool add = outerAdd(shape) == (kind == Kind::Resistor);
    return pairs[n / 2][add ? 0 : 1];
}

int partsOf(Shape shape)
{
    switch (shape) {
    case Shape::One:
        return 1;
    case Shape::Add2:
    case Shape::Rec2:
        return 2;
    case Shape::Add3:
    case Shape::Rec3:
    case Shape::AddRec:
    case Shape::RecAdd:
        return 3;
    default:
        return 4;
    }
}

constexpr Shape allShapes[] = {Shape::One,       Shape::Add2,      Shape::Rec2,      Shape::Add3,    Shape::Rec3,
                               Shape::AddRec,    Shape::RecAdd,    Shape::Add4,      Shape::Rec4,    Shape::AddAddRec,
                               Shape::RecRecAdd, Shape::AddRecRec, Shape::RecAddAdd, Shape::AddRec3, Shape::RecAdd3,
                               Shape::AddRecAdd, Shape::RecAddRec};

// Indices into the ascending part list in the order of the shape's slots (a, b, c, d above);
// unused ones are -1. The text puts them in order, so any order of equal slots will do.
using Slots = std::array<int, 4>;

// A shape as a tree of Add and Rec joins over slots.
struct Node {
    bool add = true;
    int slot = -1; // a leaf when >= 0
    std::vector<Node> parts;
};

Node shapeTree(Shape shape)
{
    const auto leaf = [](int s) { return Node{true, s, {}}; };
    const auto join = [](bool add, std::vector<Node> parts) { return Node{add, -1, std::move(parts)}; };
    const bool a = outerAdd(shape);
    switch (shape) {
    case Shape::One:
        return leaf(0);
    case Shape::Add2:
    case Shape::Rec2:
        return join(a, {leaf(0), leaf(1)});
    case Shape::Add3:
    case Shape::Rec3:
        return join(a, {leaf(0), leaf(1), leaf(2)});
    case Shape::AddRec:
    case Shape::RecAdd:
        return join(a, {leaf(0), join(!a, {leaf(1), leaf(2)})});
    case Shape::Add4:
    case Shape::Rec4:
        return join(a, {leaf(0), leaf(1), leaf(2), leaf(3)});
    case Shape::AddAddRec:
    case Shape::RecRecAdd:
        return join(a, {leaf(0), leaf(1), join(!a, {leaf(2), leaf(3)})});
    case Shape::AddRecRec:
    case Shape::RecAddAdd:
        return join(a, {join(!a, {leaf(0), leaf(1)}), join(!a, {leaf(2), leaf(3)})});
    case Shape::AddRec3:
    case Shape::RecAdd3:
        return join(a, {leaf(0), join(!a, {leaf(1), leaf(2), leaf(3)})});
    case Shape::AddRecAdd:
    case Shape::RecAddRec:
        return join(a, {leaf(0), join(!a, {leaf(1), join(a, {leaf(2), leaf(3)})})});
    }
    return leaf(0);
}

const Node& treeOf(Shape shape)
{
    // Never destroyed: a search a closed window left behind may still run while the program ends.
    static const auto* const trees = [] {
        auto* all = new std::vector<Node>;
        for (Shape s : allShapes)
            all->push_back(shapeTree(s));
        return all;
    }();
    return (*trees)[static_cast<std::size_t>(shape)];
}

// For the brute force: bit i set when slots i and i + 1 are parts of one join, so swapping them
// gives the same network.
unsigned tied(Shape shape)
{
    switch (shape) {
    case Shape::One:
        return 0;
    case Shape::Add2:
    case Shape::Rec2:
        return 0b1;
    case Shape::Add3:
    case Shape::Rec3:
        return 0b11;
    case Shape::AddRec:
    case Shape::RecAdd:
        return 0b10;
    case Shape::Add4:
    case Shape::Rec4:
        return 0b111;
    case Shape::AddAddRec:
    case Shape::RecRecAdd:
    case Shape::AddRecRec:
    case Shape::RecAddAdd:
        return 0b101;
    case Shape::AddRec3:
    case Shape::RecAdd3:
        return 0b110;
    case Shape::AddRecAdd:
    case Shape::RecAddRec:
        return 0b100;
    }
    return 0;
}

// The value in doubles, for the brute force.
double approximate(const Node& node, const Slots& slots, const std::vector<double>& values)
{
    if (node.slot >= 0)
        return values[static_cast<std::size_t>(slots[static_cast<std::size_t>(node.slot)])];
    double sum = 0;
    for (const Node& part : node.parts) {
        const double v = approximate(part, slots, values);
        sum += node.add ? v : 1 / v;
    }
    return node.add ? sum : 1 / sum;
}

// Rounding in the double search is below 1e-15 relative (a few operations of 1.1e-16 each); these
// margins keep every candidate the exact ranking could place in the top, and no more: a wider
// absolute margin lets millions of "1 + 1f + 1f" through when the best are exact.
constexpr double relativeMargin = 1e-9;
constexpr double absoluteMargin = 1e-13;

// What an exact ranking costs against one step of the double search.
constexpr long long rankSteps = 64;

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
    s.decimals.reserve(byValue.size());
    s.values.reserve(byValue.size());
    s.counts.reserve(byValue.size());
    for (const auto& [value, count] : byValue) {
        s.decimals.push_back(value);
        s.values.push_back(value.toDouble());
        s.counts.push_back(static_cast<int>(std::min<long long>(count, Part::unlimited)));
    }
    return s;
}

std::string partText(const Decimal& v)
{
    return format(v, std::max(v.digits(), 1));
}

struct Ranked {
    Network network;
    Fraction error; // |V - T| / T, exact
};

// A network built from its shape: exact value, text in order, the parts as the text lists them.
struct Built {
    Fraction value;
    std::string text;
    std::vector<Decimal> parts;
    bool leaf = false;
    Decimal leafValue;
};

Fraction exactValue(const Node& node, const Slots& slots, const Stock& stock)
{
    if (node.slot >= 0)
        return Fraction::of(stock.decimals[static_cast<std::size_t>(slots[static_cast<std::size_t>(node.slot)])]);
    Fraction value = exactValue(node.parts.front(), slots, stock);
    for (std::size_t i = 1; i < node.parts.size(); ++i) {
        const Fraction next = exactValue(node.parts[i], slots, stock);
        value = node.add ? value + next : detail::parallel(value, next);
    }
    return value;
}

// Single parts first, larger first; then the bracketed groups, larger first, then by text.
Built build(const Node& node, const Slots& slots, const Stock& stock, Kind kind)
{
    Built b;
    if (node.slot >= 0) {
        b.leaf = true;
        b.leafValue = stock.decimals[static_cast<std::size_t>(slots[static_cast<std::size_t>(node.slot)])];
        b.value = Fraction::of(b.leafValue);
        b.text = partText(b.leafValue);
        b.parts = {b.leafValue};
        return b;
    }
    std::vector<Built> parts;
    parts.reserve(node.parts.size());
    for (const Node& part : node.parts)
        parts.push_back(build(part, slots, stock, kind));
    std::sort(parts.begin(), parts.end(), [](const Built& x, const Built& y) {
        if (x.leaf != y.leaf)
            return x.leaf;
        if (x.leaf)
            return y.leafValue < x.leafValue;
        if (const auto c = detail::compare(x.value, y.value); std::is_neq(c))
            return std::is_gt(c);
        return x.text < y.text;
    });
    // Add is "+" for resistors and "||" for capacitors.
    const std::string op = node.add == (kind == Kind::Resistor) ? " + " : " || ";
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const Built& part = parts[i];
        b.value = i == 0 ? part.value : node.add ? b.value + part.value : detail::parallel(b.value, part.value);
        if (i > 0)
            b.text += op;
        b.text += part.leaf ? part.text : "(" + part.text + ")";
        b.parts.insert(b.parts.end(), part.parts.begin(), part.parts.end());
    }
    return b;
}

// |V - T| / T = |vn td - tn vd| / (vd tn)
Fraction errorOf(const Fraction& value, const Fraction& target)
{
    const Big v = value.num * target.den;
    const Big t = target.num * value.den;
    return {v >= t ? v - t : t - v, value.den * target.num};
}

int distinctSlots(Slots slots)
{
    std::sort(slots.begin(), slots.end());
    int n = 0;
    for (std::size_t i = 0; i < slots.size(); ++i)
        n += slots[i] >= 0 && (i == 0 || slots[i] != slots[i - 1]);
    return n;
}

// The exact error, then fewer parts, then fewer distinct values, then the text.
bool before(const Ranked& a, const Ranked& b)
{
    if (const auto e = detail::compare(a.error, b.error); std::is_neq(e))
        return std::is_lt(e);
    if (a.network.partCount != b.network.partCount)
        return a.network.partCount < b.network.partCount;
    if (a.network.distinctValues != b.network.distinctValues)
        return a.network.distinctValues < b.network.distinctValues;
    return a.network.text < b.network.text;
}

// The best `top` networks so far, ranked exactly as they come, and the bound that follows: the
// double error a candidate must not exceed to have a chance against the worst of them. Memory
// stays at `top` networks whatever the search tries; exactly equal networks beyond the top are
// turned away by the later keys.
class Pool {
public:
    // Ranks by the error from `aim` and shows the deviation from `target`: the same ranking
    // whenever no network lies between the two (the aim is the nearest end of the reach).
    Pool(const Stock& stock, Fraction aim, const Decimal& target, Kind kind, int top)
        : stock_(stock)
        , target_(std::move(aim))
        , shown_(Fraction::of(target))
        , kind_(kind)
        , top_(static_cast<std::size_t>(std::max(top, 1)))
    {
    }

    double accept() const { return limit_; }

    // Whether a network of `parts` parts could still enter: with the top full of exact networks
    // of fewer parts, none can.
    bool canPlace(int parts) const
    {
        return best_.size() < top_ || !best_.back().error.num.isZero() || best_.back().network.partCount >= parts;
    }

    // Returns the steps it cost.
    long long add(Shape shape, const Slots& slots, double error)
    {
        if (!(error <= limit_))
            return 0;
        const Node& tree = treeOf(shape);
        Ranked r;
        r.network.partCount = partsOf(shape);
        r.network.distinctValues = distinctSlots(slots);
        const Fraction value = exactValue(tree, slots, stock_);
        r.error = errorOf(value, target_);
        if (best_.size() == top_) {
            const Ranked& worst = best_.back();
            // No better than the worst kept: a larger error, or as large with more parts.
            const auto e = detail::compare(r.error, worst.error);
            if (std::is_gt(e) ||
                (std::is_eq(e) &&
                 std::pair(r.network.partCount, r.network.distinctValues) >
                     std::pair(worst.network.partCount, worst.network.distinctValues)))
                return rankSteps;
        }
        const Built built = build(tree, slots, stock_, kind_);
        Network& n = r.network;
        n.topology = topologyOf(shape, kind_);
        n.parts = built.parts;
        n.text = built.text;
        if (best_.size() == top_ && !before(r, best_.back()))
            return rankSteps;
        // The same network reached another way.
        if (std::any_of(best_.begin(), best_.end(), [&](const Ranked& b) { return b.network.text == n.text; }))
            return rankSteps;
        n.value = detail::roundToDigits(value.num, value.den, 4);
        n.precise = detail::nearestDouble(value);
        n.deviation = detail::deviationOf(value, shown_);
        best_.insert(std::upper_bound(best_.begin(), best_.end(), r, before), std::move(r));
        if (best_.size() > top_)
            best_.pop_back();
        if (best_.size() == top_) {
            // The double error of the worst kept network is within rounding of its exact one.
            limit_ = std::min(limit_, approximateError(best_.back()) * (1 + relativeMargin) + absoluteMargin);
        }
        // Kept: written out, and compared with and moved past the networks kept before it.
        return 4 * rankSteps + 2 * static_cast<long long>(best_.size());
    }

    std::vector<Network> take()
    {
        std::vector<Network> out;
        out.reserve(best_.size());
        for (Ranked& r : best_)
            out.push_back(std::move(r.network));
        return out;
    }

private:
    static double approximateError(const Ranked& r)
    {
        // Big to double, well within the margin.
        return toDouble(r.error.num) / toDouble(r.error.den);
    }
    static double toDouble(const Big& b)
    {
        const int digits = b.decimalDigits();
        if (digits <= 18)
            return static_cast<double>(b.low64());
        Big q;
        Big rem;
        Big::divide(b, Big::pow10(digits - 18), q, rem);
        return static_cast<double>(q.low64()) * std::pow(10.0, digits - 18);
    }

    const Stock& stock_;
    Fraction target_;
    Fraction shown_;
    Kind kind_;
    std::size_t top_;
    std::vector<Ranked> best_; // best first
    double limit_ = std::numeric_limits<double>::infinity();
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

bool usable(const Decimal& target, const SearchOptions& options)
{
    return target.mantissa > 0 && options.top > 0 && options.maxParts >= 1;
}

} // namespace

NetworkNode tree(const Network& network)
{
    using Join = NetworkNode::Join;
    std::vector<NetworkNode> l;
    for (const Decimal& v : network.parts)
        l.push_back({Join::Part, v, {}});
    const auto join = [](Join how, std::vector<NetworkNode> parts) { return NetworkNode{how, {}, std::move(parts)}; };
    const Join s = Join::Series;
    const Join p = Join::Parallel;
    switch (network.topology) {
    case Topology::One:
        return l.at(0);
    case Topology::Series2:
    case Topology::Series3:
    case Topology::Series4:
        return join(s, std::move(l));
    case Topology::Parallel2:
    case Topology::Parallel3:
    case Topology::Parallel4:
        return join(p, std::move(l));
    case Topology::SeriesWithParallel:
        return join(s, {l.at(0), join(p, {l.at(1), l.at(2)})});
    case Topology::ParallelWithSeries:
        return join(p, {l.at(0), join(s, {l.at(1), l.at(2)})});
    case Topology::TwoSeriesWithParallel:
        return join(s, {l.at(0), l.at(1), join(p, {l.at(2), l.at(3)})});
    case Topology::TwoParallelWithSeries:
        return join(p, {l.at(0), l.at(1), join(s, {l.at(2), l.at(3)})});
    case Topology::ParallelPairsInSeries:
        return join(s, {join(p, {l.at(0), l.at(1)}), join(p, {l.at(2), l.at(3)})});
    case Topology::SeriesPairsInParallel:
        return join(p, {join(s, {l.at(0), l.at(1)}), join(s, {l.at(2), l.at(3)})});
    case Topology::SeriesWithParallel3:
        return join(s, {l.at(0), join(p, {l.at(1), l.at(2), l.at(3)})});
    case Topology::ParallelWithSeries3:
        return join(p, {l.at(0), join(s, {l.at(1), l.at(2), l.at(3)})});
    case Topology::SeriesWithParallelSeries:
        return join(s, {l.at(0), join(p, {l.at(1), join(s, {l.at(2), l.at(3)})})});
    case Topology::ParallelWithSeriesParallel:
        return join(p, {l.at(0), join(s, {l.at(1), join(p, {l.at(2), l.at(3)})})});
    }
    return l.at(0);
}

std::vector<Part> unlimitedParts(std::span<const Decimal> values)
{
    std::vector<Part> parts;
    parts.reserve(values.size());
    for (const Decimal& v : values)
        parts.push_back({v, Part::unlimited});
    return parts;
}

namespace {

// The lowest and the highest value a network of the parts gives: the parallel of the smallest
// parts allowed (the series, for capacitors) and the series of the largest, as many as a network
// holds. Nothing lies outside, so nothing needs to be tried there.
struct Extremes {
    Fraction lowest;
    Fraction highest;
};

Extremes extremes(const Stock& stock, const SearchOptions& options)
{
    const int most = std::min(options.maxParts, 4);
    // The units of the smallest and of the largest parts, as many as a network holds.
    const auto units = [&](bool fromTop) {
        std::vector<Fraction> taken;
        const std::size_t n = stock.decimals.size();
        for (std::size_t k = 0; k < n && std::cmp_less(taken.size(), most); ++k) {
            const std::size_t index = fromTop ? n - 1 - k : k;
            for (int c = 0; c < stock.counts[index] && std::cmp_less(taken.size(), most); ++c)
                taken.push_back(Fraction::of(stock.decimals[index]));
        }
        return taken;
    };
    // Reciprocals summed (parallel resistors, series capacitors) go lowest, values summed highest.
    const auto join = [](const std::vector<Fraction>& v, bool add) {
        Fraction total = v.front();
        for (std::size_t i = 1; i < v.size(); ++i)
            total = add ? total + v[i] : detail::parallel(total, v[i]);
        return total;
    };
    return {join(units(false), false), join(units(true), true)};
}

} // namespace

SearchResult findNetworks(const Decimal& target, std::span<const Part> parts, const SearchOptions& options)
{
    const double started = threadCpuSeconds(); // merging a long stock is part of the budget
    const Stock stock = merged(parts);
    if (!usable(target, options) || stock.values.empty())
        return {};
    // A target out of reach is ranked against the nearest end of the reach instead: every network
    // lies on the same side of both, so the order is the same (the nearer end first), and the
    // search stays near what can be made rather than trying everything as "equally far".
    const Extremes reach = extremes(stock, options);
    const Fraction t = Fraction::of(target);
    Fraction aim = t;
    double aimed = target.toDouble();
    if (std::is_lt(detail::compare(t, reach.lowest)))
        aim = reach.lowest;
    else if (std::is_gt(detail::compare(t, reach.highest)))
        aim = reach.highest;
    if (std::is_neq(detail::compare(aim, t)))
        aimed = detail::nearestDouble(aim);
    Pool pool(stock, aim, target, options.kind, options.top);
    Search search(stock, pool, aimed, options, started);
    search.run();
    if (search.cancelled())
        return {{}, true};
    return {pool.take(), false, search.limited(), search.steps()};
}

Reach networkReach(const Decimal& target, std::span<const Part> parts, const SearchOptions& options)
{
    const Stock stock = merged(parts);
    if (!usable(target, options) || stock.values.empty())
        return {};
    const auto [lowest, highest] = extremes(stock, options);
    const Fraction t = Fraction::of(target);
    Reach reach;
    if (std::is_lt(detail::compare(t, lowest)))
        reach = detail::reachBeyond(Reach::Side::Below, lowest);
    else if (std::is_gt(detail::compare(t, highest)))
        reach = detail::reachBeyond(Reach::Side::Above, highest);
    return reach;
}

SearchResult findNetworksBruteForce(const Decimal& target, std::span<const Part> parts, const SearchOptions& options)
{
    const Stock stock = merged(parts);
    if (!usable(target, options) || stock.values.empty())
        return {};
    const int n = static_cast<int>(stock.values.size());
    const double t = target.toDouble();
    Pool pool(stock, Fraction::of(target), target, options.kind, options.top);
    const auto cancelled = [&] { return options.cancel != nullptr && options.cancel->load(std::memory_order_relaxed); };
    // Every shape with every part in every slot, equal networks reached twice counted once.
    for (const Shape shape : allShapes) {
        const int k = partsOf(shape);
        if (k > std::min(options.maxParts, 4))
            continue;
        const Node& tree = treeOf(shape);
        Slots slots{-1, -1, -1, -1};
        std::fill_n(slots.begin(), k, 0);
        for (;;) {
            if (cancelled())
                return {{}, true};
            const bool allowed = std::ranges::all_of(slots, [&](int p) {
                return p < 0 || std::count(slots.begin(), slots.end(), p) <= stock.counts[static_cast<std::size_t>(p)];
            });
            if (allowed)
                pool.add(shape, slots, std::abs(approximate(tree, slots, stock.values) - t) / t);
            // Slots that only swap places in the text take their parts in one order.
            int i = 0;
            for (; i < k; ++i) {
                const auto at = static_cast<std::size_t>(i);
                const int end = (tied(shape) >> i & 1) != 0 ? slots[at + 1] + 1 : n;
                if (++slots[at] < end)
                    break;
                slots[at] = 0;
            }
            if (i == k)
                break;
        }
    }
    return {pool.take(), false, false, 0};
}

} // namespace values
