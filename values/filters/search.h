// SPDX-License-Identifier: MIT
#pragma once

// What the section and passive designers share; nothing outside values/filters/ includes it.

#include "values/budget.h"
#include "values/filters.h"

#include <algorithm>
#include <cmath>
#include <compare>
#include <cstddef>
#include <functional>
#include <span>
#include <vector>

namespace values::detail::filters {

// The budget's steps are sized for the exact designers, an exact comparison or so each; the
// searches here take a few tens of turns of their loops in that time, so they pay a step for
// every `perStep` turns.
class Work {
public:
    static constexpr long long perStep = 32;
    explicit Work(Meter& meter)
        : meter_(meter)
    {
    }
    // True once the search must end.
    bool spend(long long turns = 1)
    {
        turns_ += turns;
        if (turns_ < perStep)
            return meter_.ended();
        const long long steps = turns_ / perStep;
        turns_ %= perStep;
        return meter_.spend(steps);
    }

private:
    Meter& meter_;
    long long turns_ = 0;
};

// The items of an ascending list outward from `start`, where a signed error that moves one way
// along it crosses zero: the smaller error first, so each side's errors only grow. `visit(i, e)`
// is given each in turn until it returns false or the work runs out.
template <class Error, class Visit>
void outward(std::size_t start, std::size_t n, const Error& error, const Visit& visit, Work& work)
{
    std::size_t above = start;
    std::size_t below = start;
    while ((below > 0 || above < n) && !work.spend()) {
        const double down = below > 0 ? error(below - 1) : 0;
        const double up = above < n ? error(above) : 0;
        const bool takeDown = above >= n || (below > 0 && std::abs(down) <= std::abs(up));
        const std::size_t i = takeDown ? --below : above++;
        if (!visit(i, takeDown ? down : up))
            return;
    }
}

// Where `value` would go in an ascending list.
inline std::size_t position(const std::vector<double>& list, double value)
{
    return static_cast<std::size_t>(std::lower_bound(list.begin(), list.end(), value) - list.begin());
}

// A list of parts as the designers search it: ascending, without repeats, within 1e-15 .. 1e15,
// and the doubles nearest them.
struct Parts {
    explicit Parts(std::span<const Decimal> list);
    std::vector<Decimal> values;
    std::vector<double> doubles;
    bool empty() const { return values.empty(); }
};

// A candidate's relative errors of f0 and Q, ranked by the larger, then the smaller.
struct Errors {
    double f0 = 0;
    double q = 0;
    double worst = 0;
    double other = 0;
    static Errors of(double f0, double q);
    friend std::partial_ordering operator<=>(const Errors& a, const Errors& b)
    {
        if (const auto c = a.worst <=> b.worst; std::is_neq(c))
            return c;
        return a.other <=> b.other;
    }
};

// A section from its parts' values in partNames' order, with what they give and how far off.
SectionDesign sectionOf(Circuit circuit, const SectionGoal& goal, const std::vector<Decimal>& values);

// A pair (u from one list, v from the other) with its signed relative error.
struct PairHit {
    std::size_t u = 0;
    std::size_t v = 0;
    double e = 0;
};
// The best `top` pairs by |error|, then u, then v, where for each u the error moves one way
// with v and meets zero at `ideal(u)`: for each u the vs are taken nearest first.
std::vector<PairHit> bestPairs(const std::vector<double>& us, const std::vector<double>& vs,
                               const std::function<double(double)>& ideal,
                               const std::function<double(double, double)>& error, int top, Work& work);

// The candidates a search kept, described as the designers answer.
template <class Search, class Candidate>
std::vector<decltype(std::declval<Search>().describe(std::declval<Candidate>()))>
describeAll(const Search& search, const std::vector<Candidate>& kept)
{
    std::vector<decltype(search.describe(kept.front()))> described;
    described.reserve(kept.size());
    for (const Candidate& k : kept)
        described.push_back(search.describe(k));
    return described;
}

} // namespace values::detail::filters
