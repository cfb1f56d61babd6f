// SPDX-License-Identifier: MIT
#pragma once

// What the files of the network finder share, and nothing outside it includes: the shapes, the
// exact ranking and the double search that feeds it.

#include "numeric/big.h"
#include "values/networks.h"

#include <array>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

namespace values::detail::networks {

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

Shape dual(Shape shape);
bool outerAdd(Shape shape);
Topology topologyOf(Shape shape, Kind kind);
int partsOf(Shape shape);

inline constexpr Shape allShapes[] = {
    Shape::One,       Shape::Add2,    Shape::Rec2,    Shape::Add3,      Shape::Rec3,      Shape::AddRec,
    Shape::RecAdd,    Shape::Add4,    Shape::Rec4,    Shape::AddAddRec, Shape::RecRecAdd, Shape::AddRecRec,
    Shape::RecAddAdd, Shape::AddRec3, Shape::RecAdd3, Shape::AddRecAdd, Shape::RecAddRec};

// Indices into the ascending part list in the order of the shape's slots (a, b, c, d above);
// unused ones are -1. The text puts them in order, so any order of equal slots will do.
using Slots = std::array<int, 4>;

// A shape as a tree of Add and Rec joins over slots.
struct Node {
    bool add = true;
    int slot = -1; // a leaf when >= 0
    std::vector<Node> parts;
};

const Node& treeOf(Shape shape);

// For the brute force: bit i set when slots i and i + 1 are parts of one join, so swapping them
// gives the same network.
unsigned tied(Shape shape);

// The value in doubles, for the brute force.
double approximate(const Node& node, const Slots& slots, const std::vector<double>& values);

struct Stock {
    std::vector<Decimal> decimals; // ascending, distinct
    std::vector<double> values;
    std::vector<int> counts;
};

Stock merged(std::span<const Part> parts);

struct Ranked {
    Network network;
    Fraction error; // |V - T| / T, exact
};

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
    long long add(Shape shape, const Slots& slots, double error);

    std::vector<Network> take();

private:
    static double approximateError(const Ranked& r);
    static double toDouble(const Big& b);

    const Stock& stock_;
    Fraction target_;
    Fraction shown_;
    Kind kind_;
    std::size_t top_;
    std::vector<Ranked> best_; // best first
    double limit_ = std::numeric_limits<double>::infinity();
};

struct Searched {
    bool cancelled = false;
    bool limited = false;
    long long steps = 0;
};

// The search in doubles, fewer parts first, offering what may place to `pool`; the budget counts
// from `started`, the thread's CPU seconds.
Searched search(const Stock& stock, Pool& pool, double target, const SearchOptions& options, double started);

} // namespace values::detail::networks
