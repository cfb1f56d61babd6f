// SPDX-License-Identifier: MIT
// The network finder against trying every combination, on small series: the same networks in
// the same order. The bytes choose the series, the range, the target, the kind, the number of
// parts, a limit of work and, for a parts list, how many there are of each. A search never goes
// past its limit by more than a ranking, and one that stays within it agrees in full.
#include "support.h"

#include "numeric/format.h"
#include "values/networks.h"
#include "values/series.h"

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 9)
        return -1;
    using values::Decimal;
    const int maxParts = 1 + (data[7] >> 1) % 4;
    // E3 ... E24, or E3 ... E12 over one decade with four parts: brute force stays quick.
    const values::Series series = values::allSeries[data[0] % (maxParts == 4 ? 3 : 4)];
    const int firstDecade = data[1] % 24 - 12;
    const int decades = maxParts == 4 ? 1 : 1 + data[2] % 2;
    const auto parts =
        values::valuesInRange(series, Decimal::of(1, firstDecade), Decimal::of(1, firstDecade + decades));
    // A target around the range: 1 to 6 digits at an exponent near it.
    const std::int64_t mantissa = 1 + ((data[3] << 16 | data[4] << 8 | data[5]) % 999999);
    const Decimal target = Decimal::of(mantissa, firstDecade - 5 + data[6] % 8);
    values::SearchOptions options;
    options.kind = data[7] & 1 ? values::Kind::Capacitor : values::Kind::Resistor;
    options.maxParts = maxParts;
    options.top = 1 + (data[7] >> 3) % 12;
    // Mostly unlimited; else a small limit, 1 to 25000 steps.
    if (data[8] < 128)
        options.maxSteps = 1 + data[8] * 200;
    std::vector<values::Part> stock = values::unlimitedParts(parts);
    for (std::size_t i = 9; i < size && i - 9 < stock.size(); ++i)
        stock[i - 9].count = data[i] % 4;

    const auto fast = values::findNetworks(target, stock, options);
    if (fast.steps > options.maxSteps + 1024)
        fuzz::fail("took " + std::to_string(fast.steps) + " steps with a limit of " + std::to_string(options.maxSteps),
                   {values::format(target)});
    if (fast.limited) {
        if (fast.networks.empty())
            fuzz::fail("stopped at its limit without the single parts", {values::format(target)});
        return 0;
    }
    const auto slow = values::findNetworksBruteForce(target, stock, options);
    if (fast.networks.size() != slow.networks.size())
        fuzz::fail("found " + std::to_string(fast.networks.size()) + " networks, every combination gives " +
                       std::to_string(slow.networks.size()),
                   {values::format(target)});
    for (std::size_t i = 0; i < fast.networks.size(); ++i) {
        if (fast.networks[i].text != slow.networks[i].text)
            fuzz::fail("row " + std::to_string(i + 1) + " is " + fast.networks[i].text + ", every combination gives " +
                           slow.networks[i].text,
                       {values::format(target)});
    }
    return 0;
}
