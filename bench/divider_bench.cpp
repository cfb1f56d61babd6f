// SPDX-License-Identifier: MIT
// The divider designer over E192 + E24 from 1 ohm to 10 Mohm, in both modes, beside a plain loop
// over every pair in doubles that keeps the best ten: what the exact ranking costs against the
// simplest search a person would write.
#include "keepbest.h"
#include "values/dividerdesign.h"
#include "values/series.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

using namespace values;

const std::vector<Decimal>& pool()
{
    static const std::vector<Decimal> values =
        valuesInRange(*seriesSetNamed("E192+E24"), Decimal::of(1, 0), Decimal::of(1, 7));
    return values;
}

const DividerGoal output{DividerMode::Output, Decimal::of(5, 0), Decimal::of(33, -1)};
const DividerGoal feedback{DividerMode::Feedback, Decimal::of(8, -1), Decimal::of(33, -1)};

DividerOptions wholeRange()
{
    DividerOptions options;
    options.lo = Decimal::of(1, 0);
    options.hi = Decimal::of(1, 7);
    return options;
}

void designed(benchmark::State& state, const DividerGoal& goal)
{
    const std::vector<Part> parts = unlimitedParts(pool());
    const DividerOptions options = wholeRange();
    for ([[maybe_unused]] auto _ : state)
        benchmark::DoNotOptimize(designDivider(goal, parts, options));
    state.counters["values"] = static_cast<double>(pool().size());
}

struct Best {
    double error;
    double r1;
    double r2;
};

void plainLoop(benchmark::State& state, const DividerGoal& goal)
{
    std::vector<double> values;
    for (const Decimal& v : pool())
        values.push_back(v.toDouble());
    const double source = goal.source.toDouble();
    const double vout = goal.vout.toDouble();
    const bool feedback = goal.mode == DividerMode::Feedback;
    for ([[maybe_unused]] auto _ : state) {
        std::vector<Best> best;
        for (const double r1 : values) {
            for (const double r2 : values) {
                const double v = feedback ? source * (r1 + r2) / r2 : source * r2 / (r1 + r2);
                keepBest(best, Best{std::abs(v - vout) / vout, r1, r2});
            }
        }
        benchmark::DoNotOptimize(best);
    }
}

} // namespace

BENCHMARK_CAPTURE(designed, output_5V_to_3V3, output)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(plainLoop, output_5V_to_3V3, output)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(designed, feedback_0V8_to_3V3, feedback)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(plainLoop, feedback_0V8_to_3V3, feedback)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
