// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

// The plain loops' bookkeeping: the ten candidates of smallest error seen so far, in order.
template <class Candidate>
void keepBest(std::vector<Candidate>& best, const Candidate& candidate, std::size_t count = 10)
{
    if (best.size() == count && candidate.error >= best.back().error)
        return;
    best.insert(std::upper_bound(best.begin(), best.end(), candidate,
                                 [](const Candidate& x, const Candidate& y) { return x.error < y.error; }),
                candidate);
    if (best.size() > count)
        best.pop_back();
}
