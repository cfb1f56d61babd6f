// SPDX-License-Identifier: MIT
#include "values/dividerdesign.h"

#include "numeric/big.h"
#include "numeric/format.h"

#include <algorithm>
#include <array>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <utility>

namespace values {

namespace {

__extension__ using u128 = unsigned __int128;

// An unsigned integer wide enough for every product the ranking makes. Values lie within
// 1e-15 .. 1e15 with 64-bit mantissas, so one aligned to the smallest exponent needs at most 164
// bits, a pair's output against the goal 328, and comparing two deviations 656.
class Big {
public:
    static constexpr int capacity = 12;

    Big() = default;
    explicit Big(std::uint64_t v)
    {
        if (v != 0) {
            limbs_[0] = v;
            used_ = 1;
        }
    }

    static Big timesPow10(std::uint64_t m, int power)
    {
        Big r(m);
        for (; power >= 19; power -= 19)
            r.multiplySmall(10'000'000'000'000'000'000ULL);
        std::uint64_t rest = 1;
        for (; power > 0; --power)
            rest *= 10;
        r.multiplySmall(rest);
        return r;
    }

    bool isZero() const { return used_ == 0; }

    friend Big operator+(const Big& a, const Big& b)
    {
        Big r;
        const int n = std::max(a.used_, b.used_);
        u128 carry = 0;
        for (int i = 0; i < n; ++i) {
            const u128 t = u128(a.limb(i)) + b.limb(i) + carry;
            r.limbs_[static_cast<std::size_t>(i)] = static_cast<std::uint64_t>(t);
            carry = t >> 64;
        }
        r.used_ = n;
        if (carry != 0) {
            fits(n + 1);
            r.limbs_[static_cast<std::size_t>(n)] = static_cast<std::uint64_t>(carry);
            r.used_ = n + 1;
        }
        return r;
    }

    // a - b for a >= b.
    friend Big operator-(const Big& a, const Big& b)
    {
        Big r;
        std::uint64_t borrow = 0;
        for (int i = 0; i < a.used_; ++i) {
            const std::uint64_t x = a.limb(i);
            const std::uint64_t y = b.limb(i);
            const std::uint64_t d = x - y - borrow;
            borrow = (x < y || (x == y && borrow != 0)) ? 1 : 0;
            r.limbs_[static_cast<std::size_t>(i)] = d;
        }
        r.used_ = a.used_;
        r.trim();
        return r;
    }

    friend Big operator*(const Big& a, const Big& b)
    {
        Big r;
        if (a.isZero() || b.isZero())
            return r;
        fits(a.used_ + b.used_);
        for (int i = 0; i < a.used_; ++i) {
            u128 carry = 0;
            for (int j = 0; j < b.used_; ++j) {
                auto& slot = r.limbs_[static_cast<std::size_t>(i) + static_cast<std::size_t>(j)];
                const u128 t = u128(a.limb(i)) * b.limb(j) + slot + carry;
                slot = static_cast<std::uint64_t>(t);
                carry = t >> 64;
            }
            r.limbs_[static_cast<std::size_t>(i) + static_cast<std::size_t>(b.used_)] =
                static_cast<std::uint64_t>(carry);
        }
        r.used_ = a.used_ + b.used_;
        r.trim();
        return r;
    }

    friend std::strong_ordering operator<=>(const Big& a, const Big& b)
    {
        if (a.used_ != b.used_)
            return a.used_ <=> b.used_;
        for (int i = a.used_ - 1; i >= 0; --i) {
            if (a.limb(i) != b.limb(i))
                return a.limb(i) <=> b.limb(i);
        }
        return std::strong_ordering::equal;
    }
    friend bool operator==(const Big& a, const Big& b) { return std::is_eq(a <=> b); }

private:
    static void fits(int used)
    {
        if (used > capacity)
            throw std::overflow_error("divider designer: value beyond its exact range");
    }

    std::uint64_t limb(int i) const { return i < used_ ? limbs_[static_cast<std::size_t>(i)] : 0; }

    void multiplySmall(std::uint64_t m)
    {
        u128 carry = 0;
        for (int i = 0; i < used_; ++i) {
            auto& slot = limbs_[static_cast<std::size_t>(i)];
            const u128 t = u128(slot) * m + carry;
            slot = static_cast<std::uint64_t>(t);
            carry = t >> 64;
        }
        if (carry != 0) {
            fits(used_ + 1);
            limbs_[static_cast<std::size_t>(used_++)] = static_cast<std::uint64_t>(carry);
        }
        if (m == 0)
            used_ = 0;
    }

    void trim()
    {
        while (used_ > 0 && limbs_[static_cast<std::size_t>(used_ - 1)] == 0)
            --used_;
    }

    std::array<std::uint64_t, capacity> limbs_{};
    int used_ = 0;
};

const Decimal smallest = Decimal::of(1, -15);
const Decimal largest = Decimal::of(1, 15);

bool searchable(const Decimal& v)
{
    return v.mantissa > 0 && v >= smallest && v <= largest;
}

const char* sourceName(DividerMode mode)
{
    return mode == DividerMode::Output ? "V in" : "V ref";
}

// A pair's output against the goal as X / Y, so its deviation is (X - Y) / Y.
struct Miss {
    Big off;            // |X - Y|
    Big base;           // Y
    bool below = false; // X < Y
};

std::strong_ordering compareSize(const Miss& a, const Miss& b)
{
    if (a.off.isZero() || b.off.isZero())
        return b.off.isZero() <=> a.off.isZero();
    return a.off * b.base <=> b.off * a.base;
}

struct Candidate {
    std::size_t r1 = 0; // indexes into the sorted parts, so they also order by value
    std::size_t r2 = 0;
    Miss miss;
    Big sum;
};

// The ranking: exact deviation, then the smaller R1 + R2, then the smaller R1.
bool better(const Candidate& a, const Candidate& b)
{
    if (const auto c = compareSize(a.miss, b.miss); std::is_neq(c))
        return std::is_lt(c);
    if (const auto c = a.sum <=> b.sum; std::is_neq(c))
        return std::is_lt(c);
    return a.r1 < b.r1;
}

struct Pool {
    std::vector<Decimal> values; // ascending, distinct; a fixed resistor follows them, at index size()
    std::vector<int> counts;
    std::vector<Big> scaled; // values / 10^exponent, all on one exponent so sums are exact
    std::optional<Decimal> fixed;
    std::size_t size() const { return counts.size(); }
};

std::optional<Decimal> fixedResistor(const DividerOptions& options)
{
    return options.fixedR1 ? options.fixedR1 : options.fixedR2;
}

Pool pool(std::span<const Part> parts, const DividerOptions& options)
{
    std::vector<Part> kept;
    for (const Part& p : parts) {
        if (p.count > 0 && searchable(p.value) && p.value >= options.lo && p.value <= options.hi)
            kept.push_back(p);
    }
    std::sort(kept.begin(), kept.end(), [](const Part& a, const Part& b) { return a.value < b.value; });

    Pool result;
    for (const Part& p : kept) {
        if (!result.values.empty() && result.values.back() == p.value) {
            int& count = result.counts.back();
            count = (count > Part::unlimited - p.count) ? Part::unlimited : count + p.count;
            continue;
        }
        result.values.push_back(p.value);
        result.counts.push_back(p.count);
    }
    result.fixed = fixedResistor(options);
    if (result.fixed)
        result.values.push_back(*result.fixed);
    int exponent = 0;
    for (const Decimal& v : result.values)
        exponent = std::min(exponent, v.exponent);
    for (const Decimal& v : result.values)
        result.scaled.push_back(Big::timesPow10(static_cast<std::uint64_t>(v.mantissa), v.exponent - exponent));
    return result;
}

class Ranker {
public:
    Ranker(const DividerGoal& goal, const Pool& pool)
        : feedback_(goal.mode == DividerMode::Feedback)
        , pool_(pool)
    {
        // source / vout as the integers a / b
        const int e = std::min(goal.source.exponent, goal.vout.exponent);
        a_ = Big::timesPow10(static_cast<std::uint64_t>(goal.source.mantissa), goal.source.exponent - e);
        b_ = Big::timesPow10(static_cast<std::uint64_t>(goal.vout.mantissa), goal.vout.exponent - e);
    }

    Candidate candidate(std::size_t r1, std::size_t r2) const
    {
        Candidate c;
        c.r1 = r1;
        c.r2 = r2;
        c.sum = pool_.scaled[r1] + pool_.scaled[r2];
        // Output: V in R2 / (V out (R1 + R2)); feedback: V ref (R1 + R2) / (V out R2).
        const Big x = a_ * (feedback_ ? c.sum : pool_.scaled[r2]);
        const Big y = b_ * (feedback_ ? pool_.scaled[r2] : c.sum);
        c.miss.below = x < y;
        c.miss.off = c.miss.below ? y - x : x - y;
        c.miss.base = y;
        return c;
    }

    // Whether the pair's output reaches the goal from the side a larger R2 moves it to. The
    // output is monotonic in R2, so this splits the R2 list in two for a binary search.
    bool reached(std::size_t r1, std::size_t r2) const
    {
        const Big sum = pool_.scaled[r1] + pool_.scaled[r2];
        const Big x = a_ * (feedback_ ? sum : pool_.scaled[r2]);
        const Big y = b_ * (feedback_ ? pool_.scaled[r2] : sum);
        return feedback_ ? x <= y : x >= y;
    }

private:
    bool feedback_;
    const Pool& pool_;
    Big a_;
    Big b_;
};

using detail::Fraction;

// 1 + t and 1 - t for a tolerance of t percent below 100.
std::pair<Fraction, Fraction> toleranceFactors(const Decimal& percent)
{
    const Fraction t = quotient(Fraction::of(percent), Fraction::of(Decimal::of(100, 0)));
    if (percent.mantissa == 0)
        return {Fraction{1, 1}, Fraction{1, 1}};
    return {Fraction{t.den + t.num, t.den}, Fraction{t.den - t.num, t.den}};
}

// V out of R1 and R2 from the source, exactly.
Fraction output(const DividerGoal& goal, const Fraction& r1, const Fraction& r2)
{
    const Fraction source = Fraction::of(goal.source);
    return goal.mode == DividerMode::Output ? quotient(source * r2, r1 + r2) : quotient(source * (r1 + r2), r2);
}

DividerPair describe(const DividerGoal& goal, const Pool& pool, const Candidate& c, const DividerOptions& options)
{
    DividerPair pair;
    pair.r1 = pool.values[c.r1];
    pair.r2 = pool.values[c.r2];
    const Fraction r1 = Fraction::of(pair.r1);
    const Fraction r2 = Fraction::of(pair.r2);
    const Fraction out = output(goal, r1, r2);
    pair.vout = detail::nearestDouble(out);
    pair.deviation = detail::deviationOf(out, Fraction::of(goal.vout));
    // The output rises with R2 and falls with R1 in output mode, the other way round in feedback
    // mode, so its extremes sit at opposite corners.
    const auto [up, down] = toleranceFactors(options.tolerancePercent);
    const bool rising = goal.mode == DividerMode::Output;
    pair.worstCase.min = detail::nearestDouble(output(goal, r1 * (rising ? up : down), r2 * (rising ? down : up)));
    pair.worstCase.max = detail::nearestDouble(output(goal, r1 * (rising ? down : up), r2 * (rising ? up : down)));
    // The regulator holds V ref across R2, so the current is V ref / R2 whatever R1 gives.
    const Fraction source = Fraction::of(goal.source);
    pair.currentA = detail::nearestDouble(rising ? quotient(source, r1 + r2) : quotient(source, r2));
    return pair;
}

bool usable(const DividerGoal& goal, const DividerOptions& options)
{
    return checkGoal(goal).change == DividerField::None && options.top > 0 && options.lo <= options.hi &&
        options.tolerancePercent.mantissa >= 0 && options.tolerancePercent < Decimal::of(100, 0) &&
        !(options.fixedR1 && options.fixedR2) && (!fixedResistor(options) || searchable(*fixedResistor(options)));
}

// With one resistor fixed every candidate for the other is tried: one pass over the parts.
std::vector<DividerPair> withFixed(const DividerGoal& goal, const Pool& all, const DividerOptions& options)
{
    const Ranker ranker(goal, all);
    const std::size_t fixed = all.size();
    std::vector<Candidate> every;
    every.reserve(all.size());
    for (std::size_t other = 0; other < all.size(); ++other)
        every.push_back(options.fixedR1 ? ranker.candidate(fixed, other) : ranker.candidate(other, fixed));
    const std::size_t keep = std::min(every.size(), static_cast<std::size_t>(options.top));
    std::partial_sort(every.begin(), every.begin() + static_cast<std::ptrdiff_t>(keep), every.end(), better);
    std::vector<DividerPair> pairs;
    pairs.reserve(keep);
    for (std::size_t i = 0; i < keep; ++i)
        pairs.push_back(describe(goal, all, every[i], options));
    return pairs;
}

} // namespace

GoalCheck checkGoal(const DividerGoal& goal)
{
    const std::string source = sourceName(goal.mode);
    if (!searchable(goal.source))
        return {DividerField::Source, source + " must lie between 1e-15 and 1e15 V"};
    if (!searchable(goal.vout))
        return {DividerField::Vout, "V out must lie between 1e-15 and 1e15 V"};
    if (goal.mode == DividerMode::Output && goal.vout >= goal.source)
        return {DividerField::Vout, "V out must be lower than V in: change V out"};
    if (goal.mode == DividerMode::Feedback && goal.vout <= goal.source)
        return {DividerField::Vout, "V out must be higher than V ref: change V out"};
    return {};
}

double dividerRatio(const DividerGoal& goal)
{
    const Fraction source = Fraction::of(goal.source);
    const Fraction vout = Fraction::of(goal.vout);
    return detail::nearestDouble(goal.mode == DividerMode::Output ? quotient(vout, source) : quotient(source, vout));
}

VoutRange worstCase(const DividerGoal& goal, double r1, double r2, double tolerancePercent)
{
    const double t = tolerancePercent / 100;
    const double source = goal.source.toDouble();
    // The output rises with R2 and falls with R1 in output mode, the other way round in feedback
    // mode, so its extremes sit at opposite corners.
    if (goal.mode == DividerMode::Output) {
        const auto out = [&](double top, double bottom) { return source * bottom / (top + bottom); };
        return {out(r1 * (1 + t), r2 * (1 - t)), out(r1 * (1 - t), r2 * (1 + t))};
    }
    const auto out = [&](double top, double bottom) { return source * (top + bottom) / bottom; };
    return {out(r1 * (1 - t), r2 * (1 + t)), out(r1 * (1 + t), r2 * (1 - t))};
}

// NOLINTNEXTLINE(readability-function-cognitive-complexity): the merge reads best as one loop
std::vector<DividerPair> designDivider(const DividerGoal& goal, std::span<const Part> parts,
                                       const DividerOptions& options, const std::stop_token& stop)
{
    if (!usable(goal, options))
        return {};
    const Pool all = pool(parts, options);
    if (all.fixed)
        return stop.stop_requested() ? std::vector<DividerPair>{} : withFixed(goal, all, options);
    const Ranker ranker(goal, all);
    const std::size_t n = all.size();
    const auto top = static_cast<std::size_t>(options.top);

    // The worst of the best so far at the front.
    std::vector<Candidate> best;
    const auto worse = [](const Candidate& a, const Candidate& b) { return better(a, b); };

    for (std::size_t r1 = 0; r1 < n; ++r1) {
        if (stop.stop_requested())
            return {};
        std::size_t lo = 0;
        std::size_t hi = n;
        while (lo < hi) {
            const std::size_t mid = lo + (hi - lo) / 2;
            if (ranker.reached(r1, mid))
                hi = mid;
            else
                lo = mid + 1;
        }
        // Moving away from the goal on either side the deviation only grows, so the best pairs
        // for this R1 come from merging the two sides outwards, and the first that cannot enter
        // the list ends both.
        const auto allowed = [&](std::size_t r2) { return r2 != r1 || all.counts[r1] >= 2; };
        std::size_t below = lo; // one past the next R2 below the goal
        std::size_t above = lo;
        std::optional<Candidate> down;
        std::optional<Candidate> up;
        for (;;) {
            while (!down && below > 0) {
                --below;
                if (allowed(below))
                    down = ranker.candidate(r1, below);
            }
            while (!up && above < n) {
                if (allowed(above))
                    up = ranker.candidate(r1, above);
                ++above;
            }
            if (!down && !up)
                break;
            std::optional<Candidate>& next = (!up || (down && better(*down, *up))) ? down : up;
            if (best.size() == top && !better(*next, best.front()))
                break;
            best.push_back(*next);
            next.reset();
            std::push_heap(best.begin(), best.end(), worse);
            if (best.size() > top) {
                std::pop_heap(best.begin(), best.end(), worse);
                best.pop_back();
            }
        }
    }

    std::sort_heap(best.begin(), best.end(), worse);
    std::vector<DividerPair> pairs;
    pairs.reserve(best.size());
    for (const Candidate& c : best)
        pairs.push_back(describe(goal, all, c, options));
    return pairs;
}

Reach dividerReach(const DividerGoal& goal, std::span<const Part> parts, const DividerOptions& options)
{
    if (!usable(goal, options))
        return {};
    const Pool all = pool(parts, options);
    const std::size_t n = all.size();
    if (n == 0 || (n == 1 && !all.fixed && all.counts[0] < 2))
        return {};
    // V out rises with R2 and falls with R1 in output mode, the other way round in feedback mode;
    // one part alone makes only the pair of itself.
    const Fraction smallest = Fraction::of(all.values.front());
    const Fraction largest = Fraction::of(all.values[n - 1]);
    Fraction lowest;
    Fraction highest;
    const bool rising = goal.mode == DividerMode::Output;
    if (options.fixedR1) {
        const Fraction r1 = Fraction::of(*options.fixedR1);
        lowest = output(goal, r1, rising ? smallest : largest);
        highest = output(goal, r1, rising ? largest : smallest);
    } else if (options.fixedR2) {
        const Fraction r2 = Fraction::of(*options.fixedR2);
        lowest = output(goal, rising ? largest : smallest, r2);
        highest = output(goal, rising ? smallest : largest, r2);
    } else {
        lowest = rising ? output(goal, largest, smallest) : output(goal, smallest, largest);
        highest = rising ? output(goal, smallest, largest) : output(goal, largest, smallest);
    }
    const Fraction vout = Fraction::of(goal.vout);
    if (std::is_lt(detail::compare(vout, lowest)))
        return detail::reachBeyond(Reach::Side::Below, lowest);
    if (std::is_gt(detail::compare(vout, highest)))
        return detail::reachBeyond(Reach::Side::Above, highest);
    return {};
}

std::vector<DividerPair> designDividerBruteForce(const DividerGoal& goal, std::span<const Part> parts,
                                                 const DividerOptions& options)
{
    if (!usable(goal, options))
        return {};
    const Pool all = pool(parts, options);
    if (all.fixed)
        return withFixed(goal, all, options);
    const Ranker ranker(goal, all);
    std::vector<Candidate> every;
    for (std::size_t r1 = 0; r1 < all.size(); ++r1) {
        for (std::size_t r2 = 0; r2 < all.size(); ++r2) {
            if (r1 != r2 || all.counts[r1] >= 2)
                every.push_back(ranker.candidate(r1, r2));
        }
    }
    const std::size_t keep = std::min(every.size(), static_cast<std::size_t>(options.top));
    std::partial_sort(every.begin(), every.begin() + static_cast<std::ptrdiff_t>(keep), every.end(), better);
    std::vector<DividerPair> pairs;
    for (std::size_t i = 0; i < keep; ++i)
        pairs.push_back(describe(goal, all, every[i], options));
    return pairs;
}

} // namespace values
