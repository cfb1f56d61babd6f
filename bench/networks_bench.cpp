// SPDX-License-Identifier: MIT
// The network finder on its hardest everyday cases, beside trying every combination of a
// smaller case in the same run: three parts over E192 from 1 ohm to 10 Mohm (1345 values), four
// over E24 from 10 ohm to 1 Mohm and over E96 from 1 ohm to 10 Mohm. The targets: one with many
// exact networks to rank, one with few, one near the top. Then the inputs that must stay within
// the finder's limits: E192 over its widest range (1e-15 to 1e15, 5761 values), the integers to
// 30000, and 100,000 distinct parts.
#include "numeric/format.h"
#include "values/networks.h"
#include "values/series.h"

#include <benchmark/benchmark.h>

#include <random>
#include <set>

namespace {

using values::Decimal;
using values::Series;

std::vector<values::Part> inRange(Series series, Decimal lo, Decimal hi)
{
    return values::unlimitedParts(values::valuesInRange(series, lo, hi));
}

const std::vector<values::Part>& e192Parts()
{
    static const auto parts = inRange(Series::E192, Decimal::of(1, 0), Decimal::of(1, 7));
    return parts;
}

const Decimal targets[] = {Decimal::of(5, 3), Decimal::of(12345, -1), Decimal::of(3333333, 0)};

void run(benchmark::State& state, const Decimal& target, const std::vector<values::Part>& parts, int maxParts,
         const std::string& label, bool bruteForce = false)
{
    values::SearchOptions options;
    options.maxParts = maxParts;
    bool limited = false;
    for ([[maybe_unused]] auto _ : state) {
        const auto r = bruteForce ? values::findNetworksBruteForce(target, parts, options)
                                  : values::findNetworks(target, parts, options);
        limited = r.limited;
        benchmark::DoNotOptimize(r);
    }
    state.SetLabel(values::format(target) + ", " + std::to_string(maxParts) + " parts, " + label +
                   (limited ? " (stopped at its limit)" : ""));
}

void finder(benchmark::State& state)
{
    run(state, targets[state.range(0)], e192Parts(), 3, "E192 1..10M");
}

// Every combination of three parts over E96 from 10 ohm to 100 kohm (385 values).
void bruteForce(benchmark::State& state)
{
    static const auto parts = inRange(Series::E96, Decimal::of(10, 0), Decimal::of(1, 5));
    run(state, targets[state.range(0)], parts, 3, "E96 10..100k, every combination", true);
}

void finderSmall(benchmark::State& state)
{
    static const auto parts = inRange(Series::E96, Decimal::of(10, 0), Decimal::of(1, 5));
    run(state, targets[state.range(0)], parts, 3, "E96 10..100k");
}

const Decimal fourTargets[] = {Decimal::of(7777, 0), Decimal::of(12345, -1), Decimal::of(33, 5)};

void fourE24(benchmark::State& state)
{
    static const auto parts = inRange(Series::E24, Decimal::of(10, 0), Decimal::of(1, 6));
    run(state, fourTargets[state.range(0)], parts, 4, "E24 10..1M");
}

void fourE96(benchmark::State& state)
{
    static const auto parts = inRange(Series::E96, Decimal::of(1, 0), Decimal::of(1, 7));
    run(state, fourTargets[state.range(0)], parts, 4, "E96 1..10M");
}

// Every combination of four parts over E12 from 10 ohm to 1 kohm (25 values).
void fourBruteForce(benchmark::State& state)
{
    static const auto parts = inRange(Series::E12, Decimal::of(10, 0), Decimal::of(1, 3));
    run(state, Decimal::of(7777, -1), parts, 4, "E12 10..1k, every combination", true);
}

void fourE12Small(benchmark::State& state)
{
    static const auto parts = inRange(Series::E12, Decimal::of(10, 0), Decimal::of(1, 3));
    run(state, Decimal::of(7777, -1), parts, 4, "E12 10..1k");
}

const Decimal wideTargets[] = {Decimal::of(1, 0), Decimal::of(475, -1), Decimal::of(5, 3), Decimal::of(123456789, -8)};

void widest(benchmark::State& state)
{
    static const auto parts = inRange(Series::E192, Decimal::of(1, -15), Decimal::of(1, 15));
    run(state, wideTargets[state.range(0)], parts, static_cast<int>(state.range(1)), "E192 1e-15..1e15");
}

void integers(benchmark::State& state)
{
    static const auto parts = [] {
        std::vector<values::Part> all;
        for (int i = 1; i <= 30000; ++i)
            all.push_back({Decimal::of(i, 0), values::Part::unlimited});
        return all;
    }();
    run(state, Decimal::of(5, 3), parts, static_cast<int>(state.range(0)), "the integers 1..30000");
}

void distinct(benchmark::State& state)
{
    static const auto parts = [] {
        std::mt19937_64 random(1);
        std::set<std::int64_t> seen;
        while (seen.size() < 100000)
            seen.insert(static_cast<std::int64_t>(random() % 1'000'000'000) + 1);
        std::vector<values::Part> all;
        all.reserve(seen.size());
        for (const std::int64_t v : seen)
            all.push_back({Decimal::of(v, 0), 1});
        return all;
    }();
    run(state, Decimal::of(5, 3), parts, static_cast<int>(state.range(0)), "100000 distinct parts");
}

} // namespace

BENCHMARK(finder)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
// Several seconds a search: one iteration each is enough to compare.
BENCHMARK(finderSmall)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(bruteForce)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(1);
BENCHMARK(fourE24)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(fourE96)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(fourE12Small)->Unit(benchmark::kMillisecond);
BENCHMARK(fourBruteForce)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(1);
BENCHMARK(widest)->ArgsProduct({{0, 1, 2}, {3}})->Args({3, 3})->Args({3, 4})->Unit(benchmark::kMillisecond);
BENCHMARK(integers)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(distinct)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
