// SPDX-License-Identifier: MIT
#include "values/timing.h"

#include "numeric/quad.h"
#include "values/timing/exact.h"

#include <algorithm>
#include <cstddef>

namespace values {

using detail::quad;
using detail::toQuad;
using detail::timing::missOf;
using detail::timing::scaled;
using detail::timing::searchable;

std::vector<TankCapacitor> designTank(const Decimal& f0, const Decimal& l, std::span<const Decimal> capacitors, int top)
{
    if (!searchable(f0) || !searchable(l) || top < 1)
        return {};
    struct Ranked {
        TankCapacitor part;
        quad size = 0;
    };
    std::vector<Ranked> ranked;
    const quad target = toQuad(f0);
    const quad twoPiRootL = 2 * detail::pi() * detail::squareRoot(toQuad(l));
    for (const Decimal& c : scaled(capacitors).values) {
        const quad f = 1 / (twoPiRootL * detail::squareRoot(toQuad(c)));
        const quad e = f / target - 1;
        ranked.push_back({{c, static_cast<double>(f), missOf(e)}, e < 0 ? -e : e});
    }
    // Values come ascending, so a stable sort leaves the smaller capacitor first on a tie.
    std::stable_sort(ranked.begin(), ranked.end(), [](const Ranked& a, const Ranked& b) { return a.size < b.size; });
    ranked.resize(std::min(ranked.size(), static_cast<std::size_t>(top)));
    std::vector<TankCapacitor> result;
    result.reserve(ranked.size());
    for (const Ranked& r : ranked)
        result.push_back(r.part);
    return result;
}

} // namespace values
