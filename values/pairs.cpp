// SPDX-License-Identifier: MIT
#include "values/pairs.h"

#include <algorithm>
#include <array>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <utility>

namespace values::detail::pairs {

namespace {

__extension__ using u128 = unsigned __int128;

// An unsigned integer wide enough for every product the ranking makes, on the stack: the ranking
// makes a few for every pair it looks at. Values lie within 1e-15 .. 1e15 with at most 18
// significant digits, so one aligned to the smallest exponent needs at most 160 bits; the
// coefficients aligned to one another at most 230 within the designers' checks (the widest
// spread is the regulator's I adj, carrying a part's exponent, against its V out). X and Y then
// need at most 390 bits, and comparing two deviations 780.
// NOLINTBEGIN(cppcoreguidelines-pro-type-member-init): only the limbs in use are ever written
class Wide {
public:
    static constexpr int capacity = 16;

    Wide() = default;
    explicit Wide(std::uint64_t v)
    {
        if (v != 0) {
            limbs_[0] = v;
            used_ = 1;
        }
    }

    static Wide timesPow10(std::uint64_t m, int power)
    {
        Wide r(m);
        for (; power >= 19; power -= 19)
            r.multiplySmall(10'000'000'000'000'000'000ULL);
        std::uint64_t rest = 1;
        for (; power > 0; --power)
            rest *= 10;
        r.multiplySmall(rest);
        return r;
    }

    bool isZero() const { return used_ == 0; }

    friend Wide operator+(const Wide& a, const Wide& b)
    {
        Wide r;
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
    friend Wide operator-(const Wide& a, const Wide& b)
    {
        Wide r;
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

    friend Wide operator*(const Wide& a, const Wide& b)
    {
        Wide r;
        if (a.isZero() || b.isZero())
            return r;
        fits(a.used_ + b.used_);
        std::fill_n(r.limbs_.begin(), a.used_ + b.used_, 0);
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

    friend std::strong_ordering operator<=>(const Wide& a, const Wide& b)
    {
        if (a.used_ != b.used_)
            return a.used_ <=> b.used_;
        for (int i = a.used_ - 1; i >= 0; --i) {
            if (a.limb(i) != b.limb(i))
                return a.limb(i) <=> b.limb(i);
        }
        return std::strong_ordering::equal;
    }
    friend bool operator==(const Wide& a, const Wide& b) { return std::is_eq(a <=> b); }

private:
    static void fits(int used)
    {
        if (used > capacity)
            throw std::overflow_error("pair designer: value beyond its exact range");
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

    // Only the first used_ limbs mean anything: clearing all of them on every temporary would cost
    // more than the arithmetic.
    std::array<std::uint64_t, capacity> limbs_;
    int used_ = 0;
};
// NOLINTEND(cppcoreguidelines-pro-type-member-init)

const Decimal smallest = Decimal::of(1, -15);
const Decimal largest = Decimal::of(1, 15);

bool searchable(const Decimal& v)
{
    return v.mantissa > 0 && v >= smallest && v <= largest;
}

Wide scaledTo(const Decimal& v, int exponent)
{
    return Wide::timesPow10(static_cast<std::uint64_t>(v.mantissa), v.exponent - exponent);
}

// A pair's output against the goal as X / Y, so its deviation is (X - Y) / Y.
struct Miss {
    Wide off;           // |X - Y|
    Wide base;          // Y
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
    Wide sum;
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
    std::vector<Wide> scaled; // values / 10^exponent, all on one exponent so sums are exact
    int exponent = 0;
    std::optional<Decimal> fixed;
    std::size_t size() const { return counts.size(); }
};

std::optional<Decimal> fixedResistor(const Options& options)
{
    return options.fixedR1 ? options.fixedR1 : options.fixedR2;
}

bool usable(const Options& options)
{
    return options.top > 0 && options.lo <= options.hi && !(options.fixedR1 && options.fixedR2) &&
        (!fixedResistor(options) || searchable(*fixedResistor(options)));
}

Pool pool(std::span<const Part> parts, const Options& options)
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
    for (const Decimal& v : result.values)
        result.exponent = std::min(result.exponent, v.exponent);
    for (const Decimal& v : result.values)
        result.scaled.push_back(scaledTo(v, result.exponent));
    return result;
}

// The form's coefficients as integers on the pool's scale. With R = s 10^e, X and Y share the
// factor 10^e, which leaves a12 with one of its own; the coefficients then go on one exponent.
struct Coefficients {
    Wide a1;
    Wide a2;
    Wide a12;
    Wide b1;
    Wide b2;
    bool aSame = false; // a1 == a2: X's linear part from R1 + R2
    bool bSame = false;
};

Coefficients coefficientsOf(const Form& form, int poolExponent)
{
    const Decimal a12 =
        form.a12.mantissa == 0 ? form.a12 : Decimal::of(form.a12.mantissa, form.a12.exponent + poolExponent);
    const Decimal* all[] = {&form.a1, &form.a2, &a12, &form.b1, &form.b2};
    int exponent = 0;
    bool any = false;
    for (const Decimal* c : all) {
        if (c->mantissa != 0) {
            exponent = any ? std::min(exponent, c->exponent) : c->exponent;
            any = true;
        }
    }
    const auto integer = [&](const Decimal& c) { return c.mantissa == 0 ? Wide() : scaledTo(c, exponent); };
    Coefficients k{integer(form.a1), integer(form.a2), integer(a12), integer(form.b1), integer(form.b2)};
    k.aSame = k.a1 == k.a2;
    k.bSame = k.b1 == k.b2;
    return k;
}

class Ranker {
public:
    Ranker(const Form& form, const Pool& pool)
        : rising_(form.rising)
        , pool_(pool)
        , k_(coefficientsOf(form, pool.exponent))
    {
    }

    Candidate candidate(std::size_t r1, std::size_t r2) const
    {
        Candidate c;
        c.r1 = r1;
        c.r2 = r2;
        c.sum = pool_.scaled[r1] + pool_.scaled[r2];
        const Wide x = top(r1, r2, c.sum);
        const Wide y = linear(k_.b1, k_.b2, k_.bSame, r1, r2, c.sum);
        c.miss.below = x < y;
        c.miss.off = c.miss.below ? y - x : x - y;
        c.miss.base = y;
        return c;
    }

    // Whether the pair's output reaches the goal from the side a larger R2 moves it to. The
    // output is monotonic in R2, so this splits the R2 list in two for a binary search.
    bool reached(std::size_t r1, std::size_t r2) const
    {
        const Wide sum = pool_.scaled[r1] + pool_.scaled[r2];
        const Wide x = top(r1, r2, sum);
        const Wide y = linear(k_.b1, k_.b2, k_.bSame, r1, r2, sum);
        return rising_ ? x >= y : x <= y;
    }

private:
    // c1 R1 + c2 R2, from the sum when the two are equal (a divider's R1 + R2).
    Wide linear(const Wide& c1, const Wide& c2, bool same, std::size_t r1, std::size_t r2, const Wide& sum) const
    {
        if (same)
            return c1 * sum;
        if (c1.isZero())
            return c2 * pool_.scaled[r2];
        if (c2.isZero())
            return c1 * pool_.scaled[r1];
        return c1 * pool_.scaled[r1] + c2 * pool_.scaled[r2];
    }

    Wide top(std::size_t r1, std::size_t r2, const Wide& sum) const
    {
        Wide x = linear(k_.a1, k_.a2, k_.aSame, r1, r2, sum);
        if (!k_.a12.isZero())
            x = x + k_.a12 * pool_.scaled[r1] * pool_.scaled[r2];
        return x;
    }

    bool rising_;
    const Pool& pool_;
    Coefficients k_;
};

std::vector<Pair> pairsOf(const Pool& pool, const std::vector<Candidate>& ranked, std::size_t count)
{
    std::vector<Pair> pairs;
    pairs.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        pairs.push_back({pool.values[ranked[i].r1], pool.values[ranked[i].r2]});
    return pairs;
}

// With one resistor fixed every candidate for the other is tried: one pass over the parts.
std::vector<Pair> withFixed(const Form& form, const Pool& all, const Options& options)
{
    const Ranker ranker(form, all);
    const std::size_t fixed = all.size();
    std::vector<Candidate> every;
    every.reserve(all.size());
    for (std::size_t other = 0; other < all.size(); ++other)
        every.push_back(options.fixedR1 ? ranker.candidate(fixed, other) : ranker.candidate(other, fixed));
    const std::size_t keep = std::min(every.size(), static_cast<std::size_t>(options.top));
    std::partial_sort(every.begin(), every.begin() + static_cast<std::ptrdiff_t>(keep), every.end(), better);
    return pairsOf(all, every, keep);
}

Fraction term(const Decimal& c, const Fraction& r)
{
    return Fraction::of(c) * r;
}

} // namespace

std::pair<Fraction, Fraction> toleranceFactors(const Decimal& percent)
{
    if (percent.mantissa == 0)
        return {Fraction{1, 1}, Fraction{1, 1}};
    const Fraction t = quotient(Fraction::of(percent), Fraction::of(Decimal::of(100, 0)));
    return {Fraction{t.den + t.num, t.den}, Fraction{t.den - t.num, t.den}};
}

Fraction ratio(const Form& form, const Fraction& r1, const Fraction& r2)
{
    const auto sum = [](std::optional<Fraction> a, const Fraction& b) { return a ? *a + b : b; };
    std::optional<Fraction> x;
    if (form.a1.mantissa != 0)
        x = term(form.a1, r1);
    if (form.a2.mantissa != 0)
        x = sum(x, term(form.a2, r2));
    if (form.a12.mantissa != 0)
        x = sum(x, term(form.a12, r1 * r2));
    std::optional<Fraction> y;
    if (form.b1.mantissa != 0)
        y = term(form.b1, r1);
    if (form.b2.mantissa != 0)
        y = sum(y, term(form.b2, r2));
    if (!x)
        return Fraction{detail::Big(0), detail::Big(1)};
    return quotient(*x, *y);
}

// NOLINTNEXTLINE(readability-function-cognitive-complexity): the merge reads best as one loop
std::vector<Pair> best(const Form& form, std::span<const Part> parts, const Options& options,
                       const std::stop_token& stop)
{
    if (!usable(options))
        return {};
    const Pool all = pool(parts, options);
    if (all.fixed)
        return stop.stop_requested() ? std::vector<Pair>{} : withFixed(form, all, options);
    const Ranker ranker(form, all);
    const std::size_t n = all.size();
    const auto top = static_cast<std::size_t>(options.top);

    // The worst of the best so far at the front.
    std::vector<Candidate> kept;
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
            if (kept.size() == top && !better(*next, kept.front()))
                break;
            kept.push_back(*next);
            next.reset();
            std::push_heap(kept.begin(), kept.end(), worse);
            if (kept.size() > top) {
                std::pop_heap(kept.begin(), kept.end(), worse);
                kept.pop_back();
            }
        }
    }

    std::sort_heap(kept.begin(), kept.end(), worse);
    return pairsOf(all, kept, kept.size());
}

std::vector<Pair> bestBruteForce(const Form& form, std::span<const Part> parts, const Options& options)
{
    if (!usable(options))
        return {};
    const Pool all = pool(parts, options);
    if (all.fixed)
        return withFixed(form, all, options);
    const Ranker ranker(form, all);
    std::vector<Candidate> every;
    for (std::size_t r1 = 0; r1 < all.size(); ++r1) {
        for (std::size_t r2 = 0; r2 < all.size(); ++r2) {
            if (r1 != r2 || all.counts[r1] >= 2)
                every.push_back(ranker.candidate(r1, r2));
        }
    }
    const std::size_t keep = std::min(every.size(), static_cast<std::size_t>(options.top));
    std::partial_sort(every.begin(), every.begin() + static_cast<std::ptrdiff_t>(keep), every.end(), better);
    return pairsOf(all, every, keep);
}

Reach reach(const Form& form, std::span<const Part> parts, const Options& options, const Fraction& goal)
{
    if (!usable(options))
        return {};
    const Pool all = pool(parts, options);
    const std::size_t n = all.size();
    if (n == 0 || (n == 1 && !all.fixed && all.counts[0] < 2))
        return {};
    // The ratio moves one way with R2 and the other with R1, so its ends pair the smallest part
    // with the largest; one part alone makes only the pair of itself.
    const Fraction smallest = Fraction::of(all.values.front());
    const Fraction largest = Fraction::of(all.values[n - 1]);
    const bool rising = form.rising;
    Fraction lowest;
    Fraction highest;
    if (options.fixedR1) {
        const Fraction r1 = Fraction::of(*options.fixedR1);
        lowest = ratio(form, r1, rising ? smallest : largest);
        highest = ratio(form, r1, rising ? largest : smallest);
    } else if (options.fixedR2) {
        const Fraction r2 = Fraction::of(*options.fixedR2);
        lowest = ratio(form, rising ? largest : smallest, r2);
        highest = ratio(form, rising ? smallest : largest, r2);
    } else {
        lowest = rising ? ratio(form, largest, smallest) : ratio(form, smallest, largest);
        highest = rising ? ratio(form, smallest, largest) : ratio(form, largest, smallest);
    }
    const Fraction one{detail::Big(1), detail::Big(1)};
    if (std::is_lt(compare(one, lowest)))
        return reachBeyond(Reach::Side::Below, lowest * goal);
    if (std::is_gt(compare(one, highest)))
        return reachBeyond(Reach::Side::Above, highest * goal);
    return {};
}

} // namespace values::detail::pairs
