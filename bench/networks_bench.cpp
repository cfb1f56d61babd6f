// SPDX-License-Identifier: MIT
// The network finder on its hardest everyday case, three parts over E192 from 1 ohm to 10 Mohm
// (1345 values), beside trying every combination of the same case in the same run. The
// targets: one with many exact networks to rank (5k), one with few (1.2345k), one near the top.
#include "values/networks.h"
#include "values/series.h"
#include "values/value.h"

#include <benchmark/benchmark.h>

namespace {

using values::Decimal;

const std::vector<values::Part>& e192Parts()
{
    static const std::vector<values::Part> parts =
        values::unlimitedParts(values::valuesInRange(values::Series::E192, Decimal::of(1, 0), Decimal::of(1, 7)));
    return parts;
}

const Decimal targets[] = {Decimal::of(5, 3), Decimal::of(12345, -1), Decimal::of(3333333, 0)};

void finder(benchmark::State& state)
{
    const Decimal target = targets[state.range(0)];
    for ([[maybe_unused]] auto _ : state)
        benchmark::DoNotOptimize(values::findNetworks(target, e192Parts(), {}));
    state.SetLabel(values::format(target) + ", 3 parts, E192 1..10M");
}

void bruteForce(benchmark::State& state)
{
    const Decimal target = targets[state.range(0)];
    for ([[maybe_unused]] auto _ : state)
        benchmark::DoNotOptimize(values::findNetworksBruteForce(target, e192Parts(), {}));
    state.SetLabel(values::format(target) + ", every combination");
}

} // namespace

BENCHMARK(finder)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
// Several seconds a search: one iteration each is enough to compare.
BENCHMARK(bruteForce)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(1);

BENCHMARK_MAIN();
