// SPDX-License-Identifier: MIT
// The exact ranking of the network finder: every candidate the double search lets through is
// valued as a fraction and placed, so the order never depends on rounding.
#include "numeric/format.h"
#include "values/networks_detail.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace values::detail::networks {

namespace {

// Rounding in the double search is below 1e-15 relative (a few operations of 1.1e-16 each); these
// margins keep every candidate the exact ranking could place in the top, and no more: a wider
// absolute margin lets millions of "1 + 1f + 1f" through when the best are exact.
constexpr double relativeMargin = 1e-9;
constexpr double absoluteMargin = 1e-13;

// What an exact ranking costs against one step of the double search.
constexpr long long rankSteps = 64;

std::string partText(const Decimal& v)
{
    return format(v, allDigits);
}

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

} // namespace

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

long long Pool::add(Shape shape, const Slots& slots, double error)
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
    n.precise = detail::nearestDouble(value);
    n.deviation = detail::deviationOf(value, shown_);
    // An exact hit is the target as typed, every digit of it.
    n.value = detail::roundToDigits(value.num, value.den, n.deviation.exact ? allDigits : shownDigits);
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

std::vector<Network> Pool::take()
{
    std::vector<Network> out;
    out.reserve(best_.size());
    for (Ranked& r : best_)
        out.push_back(std::move(r.network));
    return out;
}

double Pool::approximateError(const Ranked& r)
{
    // Big to double, well within the margin.
    return toDouble(r.error.num) / toDouble(r.error.den);
}

double Pool::toDouble(const Big& b)
{
    const int digits = b.decimalDigits();
    if (digits <= 18)
        return static_cast<double>(b.low64());
    Big q;
    Big rem;
    Big::divide(b, Big::pow10(digits - 18), q, rem);
    return static_cast<double>(q.low64()) * std::pow(10.0, digits - 18);
}

} // namespace values::detail::networks
