// SPDX-License-Identifier: MIT
// A whole filter designed from standard parts: the 4th-order Butterworth low pass at 1 kHz from E24
// resistors (1 kohm to 1 Mohm) and E12 capacitors (1 nF to 1 uF) in each topology, the 8th-order
// Chebyshev high pass whose sharpest stage no resistor pair can reach, and E96 for the same 4th
// order; then the curves the window plots (the ideal, the response and 200 draws over the
// tolerances).
#include "values/filters.h"
#include "values/series.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using namespace values;

std::vector<Decimal> range(Series series, Decimal lo, Decimal hi)
{
    return valuesInRange(series, lo, hi);
}

const std::vector<Decimal>& e24()
{
    static const std::vector<Decimal> v = range(Series::E24, Decimal::of(1, 3), Decimal::of(1, 6));
    return v;
}

const std::vector<Decimal>& e96()
{
    static const std::vector<Decimal> v = range(Series::E96, Decimal::of(1, 3), Decimal::of(1, 6));
    return v;
}

const std::vector<Decimal>& e12()
{
    static const std::vector<Decimal> v = range(Series::E12, Decimal::of(1, -9), Decimal::of(1, -6));
    return v;
}

void designed(benchmark::State& state, FilterGoal goal, const std::vector<Decimal>& resistors)
{
    for ([[maybe_unused]] auto _ : state)
        benchmark::DoNotOptimize(designFilter(goal, resistors, e12()));
}

void curves(benchmark::State& state)
{
    const FilterDesign d =
        designFilter({{Response::Butterworth, 4}, Pass::LowPass, FilterTopology::SallenKey, 1000}, e24(), e12());
    for ([[maybe_unused]] auto _ : state)
        benchmark::DoNotOptimize(filterCurves(d, {1, 5}));
}

const FilterGoal butterworth4{{Response::Butterworth, 4}, Pass::LowPass, FilterTopology::SallenKey, 1000};

} // namespace

BENCHMARK_CAPTURE(designed, butterworth4_sallen_key_e24, butterworth4, e24())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(designed, butterworth4_equal_parts_e24,
                  FilterGoal{{Response::Butterworth, 4}, Pass::LowPass, FilterTopology::SallenKeyEqual, 1000}, e24())
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(designed, butterworth4_mfb_e24,
                  FilterGoal{{Response::Butterworth, 4}, Pass::LowPass, FilterTopology::MultipleFeedback, 1000}, e24())
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(designed, butterworth4_sallen_key_e96, butterworth4, e96())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(designed, chebyshev8_high_pass_e24,
                  FilterGoal{{Response::Chebyshev, 8, 3}, Pass::HighPass, FilterTopology::SallenKey, 33}, e24())
    ->Unit(benchmark::kMillisecond);
BENCHMARK(curves)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
