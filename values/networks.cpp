// SPDX-License-Identifier: MIT
#include "values/networks.h"

#include "values/budget.h"
#include "values/networks_detail.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace values::detail::networks {

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
namespace {

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

} // namespace

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

} // namespace values::detail::networks

namespace values {

namespace {

using detail::Fraction;
using detail::networks::allShapes;
using detail::networks::approximate;
using detail::networks::merged;
using detail::networks::Node;
using detail::networks::partsOf;
using detail::networks::Pool;
using detail::networks::Shape;
using detail::networks::Slots;
using detail::networks::Stock;
using detail::networks::tied;
using detail::networks::treeOf;

bool usable(const Decimal& target, const SearchOptions& options)
{
    return target.mantissa > 0 && options.top > 0 && options.maxParts >= 1;
}
} // namespace

NetworkNode tree(const Network& network)
{
    using Join = NetworkNode::Join;
    std::vector<NetworkNode> l;
    l.reserve(network.parts.size());
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
    const auto search = detail::networks::search(stock, pool, aimed, options, started);
    if (search.cancelled)
        return {{}, true};
    return {pool.take(), false, search.limited, search.steps};
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
