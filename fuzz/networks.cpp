// SPDX-License-Identifier: MIT
// The network finder against trying every combination, on small series: the same networks in
// the same order. The bytes choose the series, the range, the target, the kind, the number of
// parts and, for a parts list, how many there are of each.
#include "support.h"

#include "values/networks.h"
#include "values/series.h"
#include "values/value.h"

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 8)
        return -1;
    using values::Decimal;
    const values::Series series = values::allSeries[data[0] % 4]; // E3 ... E24: brute force stays quick
    const int firstDecade = data[1] % 24 - 12;
    const int decades = 1 + data[2] % 2;
    const auto parts =
        values::valuesInRange(series, Decimal::of(1, firstDecade), Decimal::of(1, firstDecade + decades));
    // A target around the range: 1 to 6 digits at an exponent near it.
    const std::int64_t mantissa = 1 + ((data[3] << 16 | data[4] << 8 | data[5]) % 999999);
    const Decimal target = Decimal::of(mantissa, firstDecade - 5 + data[6] % 8);
    values::SearchOptions options;
    options.kind = data[7] & 1 ? values::Kind::Capacitor : values::Kind::Resistor;
    options.maxParts = 1 + (data[7] >> 1) % 3;
    options.top = 1 + (data[7] >> 3) % 12;
    std::vector<values::Part> stock = values::unlimitedParts(parts);
    for (std::size_t i = 8; i < size && i - 8 < stock.size(); ++i)
        stock[i - 8].count = data[i] % 4;

    const auto fast = values::findNetworks(target, stock, options);
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
