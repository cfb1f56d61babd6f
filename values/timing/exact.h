// SPDX-License-Identifier: MIT
#pragma once

// The exact ranking the RC and 555 designers share; nothing outside them includes it.
//
// Every error ranked here is X / s - 1 or s / X - 1, where X is an exact integer built from the
// parts (R C, (R1 + R2) C ...) and s a threshold common to every candidate of one search:
// a rational times 1, 1 / ln 2 or 1 / (2 pi). Which of two errors is smaller then comes down to
// comparing a rational with s: on the same side of s the nearer X wins; on opposite sides, the
// mean of the two (arithmetic for X / s, harmonic for s / X) against s. Against an irrational s
// the comparison brackets the constant between two 100-digit decimals. Such a rational never
// equals s, and one made of parts with a few significant digits would need astronomically lucky
// values to come within 10^-100 of it, so errors tie only when they truly are equal.

#include "numeric/big.h"
#include "numeric/quad.h"
#include "values/timing.h"

#include <algorithm>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace values::detail::timing {

enum class Constant { One, Ln2, TwoPi };

// s = a / (b k)
struct Threshold {
    Big a = Big(1);
    Big b = Big(1);
    Constant k = Constant::One;

    // The sign of n / d - s.
    std::strong_ordering against(const Big& n, const Big& d) const;
};

enum class Form { Proportional, Inverse }; // error X / s - 1, or s / X - 1

// An exact quantity with the side of s it lies on: -1 below, 0 on it, 1 above.
struct Point {
    Big x;
    int side = 0;
};

struct Scale {
    Threshold s;
    Form form = Form::Proportional;

    Point point(Big x) const;

    // The size of p's error against q's: less when p misses by less.
    std::strong_ordering closer(const Point& p, const Point& q) const;
};

// Values on one exponent, as exact integers.
struct Scaled {
    std::vector<Decimal> values;
    std::vector<Big> ints;
    int exponent = 0;
};

bool searchable(const Decimal& v);
Scaled scaled(std::span<const Decimal> values);

// m 10^e as a / b with integers.
void split(std::int64_t m, int e, Big& a, Big& b);

Miss missOf(quad e);
Miss exactMiss(const Fraction& value, const Fraction& target);
Fraction product(const Decimal& a, const Decimal& b);

// The turns of a binary search over n items.
long long bitsOf(std::size_t n);

// Keeps the best `top` candidates, best first.
template <class Candidate, class Better>
class Best {
public:
    Best(std::size_t top, Better better)
        : top_(top)
        , better_(better)
    {
    }

    bool full() const { return list_.size() >= top_; }
    const Candidate& last() const { return list_.back(); }
    bool admits(const Candidate& c) const { return !full() || better_(c, list_.back()); }

    // False when the candidate does not make the list.
    bool offer(Candidate c)
    {
        if (!admits(c))
            return false;
        list_.insert(std::upper_bound(list_.begin(), list_.end(), c, better_), std::move(c));
        if (list_.size() > top_)
            list_.pop_back();
        return true;
    }

    std::vector<Candidate>& list() { return list_; }

private:
    std::size_t top_;
    Better better_;
    std::vector<Candidate> list_;
};

// The best `top` of every candidate a brute force made, in the search's order and described as
// the designers answer: what the tests hold a designer to.
template <class Search, class Candidate>
auto bestDescribed(const Search& search, std::vector<Candidate> every, int top)
{
    std::sort(every.begin(), every.end(),
              [&search](const Candidate& x, const Candidate& y) { return search.better(x, y); });
    every.resize(std::min(every.size(), static_cast<std::size_t>(top)));
    std::vector<decltype(search.describe(every.front()))> described;
    described.reserve(every.size());
    for (const Candidate& k : every)
        described.push_back(search.describe(k));
    return described;
}

} // namespace values::detail::timing
