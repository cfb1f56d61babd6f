// SPDX-License-Identifier: MIT
// The op-amp and regulator designers over E192 + E24 from 1 ohm to 10 Mohm (1436 values), and the
// Zener shunt's window over E192 across thirty decades: each search a window runs on a keystroke.
#include "values/opamp.h"
#include "values/regulator.h"
#include "values/series.h"
#include "values/zener.h"

#include <benchmark/benchmark.h>

namespace {

using namespace values;

const SeriesSet wide{Series::E192, Series::E24};

void opamp(benchmark::State& state, OpAmpCircuit circuit, Decimal gain)
{
    OpAmpOptions options;
    options.series = wide;
    options.lo = Decimal::of(1, 0);
    options.hi = Decimal::of(1, 7);
    for ([[maybe_unused]] auto _ : state)
        benchmark::DoNotOptimize(designOpAmp({circuit, gain}, options));
}

void regulator(benchmark::State& state, bool fixed)
{
    RegulatorOptions options;
    options.series = wide;
    options.lo = Decimal::of(1, 0);
    options.hi = Decimal::of(1, 7);
    if (fixed)
        options.fixedR1 = Decimal::of(240, 0);
    const RegulatorInput input = regulatorInput(regulatorParts()[0], Decimal::of(5, 0));
    for ([[maybe_unused]] auto _ : state)
        benchmark::DoNotOptimize(designRegulator(input, options));
}

void zener(benchmark::State& state)
{
    ZenerInput input;
    input.supplyMin = Decimal::of(100, 0);
    input.supplyMax = Decimal::of(1, 15);
    input.vz = Decimal::of(1, 0);
    input.izMin = Decimal::of(1, -15);
    input.pzRating = Decimal::of(1, 15);
    input.loadMax = Decimal::of(1, -15);
    input.series = Series::E192;
    input.top = 1000;
    for ([[maybe_unused]] auto _ : state)
        benchmark::DoNotOptimize(designZener(input));
}

} // namespace

BENCHMARK_CAPTURE(opamp, non_inverting_10, OpAmpCircuit::NonInverting, Decimal::of(10, 0))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(opamp, inverting_4V7, OpAmpCircuit::Inverting, Decimal::of(47, -1))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(opamp, difference_1, OpAmpCircuit::Difference, Decimal::of(1, 0))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(regulator, pairs_5V, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(regulator, r1_240_5V, true)->Unit(benchmark::kMillisecond);
BENCHMARK(zener)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
