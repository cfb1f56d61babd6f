// SPDX-License-Identifier: MIT
// A Transmission lines answer as the window and the command compute it on every keystroke: the
// model's range, the band over every corner of the tolerances and the analysis with its losses;
// and the width found for an impedance, then rounded. One benchmark per type.
#include "values/lines.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

namespace ln = values::lines;

constexpr double mm = 1e-3;

const ln::Line lines[] = {
    ln::Microstrip{3 * mm, 1.6 * mm, 35e-6, 4.5},
    ln::Stripline{0.2 * mm, 0.6 * mm, 18e-6, 4.3},
    ln::OffsetStripline{0.15 * mm, 0.8 * mm, 0.2 * mm, 18e-6, 3.5},
    ln::Cpw{0.5 * mm, 0.15 * mm, 1 * mm, 35e-6, 4.5},
    ln::Gcpw{0.5 * mm, 0.15 * mm, 0.4 * mm, 35e-6, 4.5},
    ln::CoupledMicrostrip{0.15 * mm, 0.2 * mm, 0.12 * mm, 35e-6, 4.3},
    ln::CoupledStripline{0.1 * mm, 0.15 * mm, 0.5 * mm, 18e-6, 3.5},
    ln::Coax{0.9 * mm, 2.95 * mm, 2.25},
    ln::TwistedPair{0.5 * mm, 1 * mm, 2.2},
};

const ln::Tolerances tolerances{{0.025 * mm}, {0.1, true}, {0.2}, {5e-6}};

void analysed(benchmark::State& state, const ln::Line& line)
{
    for ([[maybe_unused]] auto _ : state) {
        benchmark::DoNotOptimize(ln::refusal(line));
        benchmark::DoNotOptimize(ln::bands(line, tolerances));
        benchmark::DoNotOptimize(ln::analyse(line, {0.02, 1e9, 0.1}));
    }
}

void synthesised(benchmark::State& state, const ln::Line& line)
{
    const ln::Type type = ln::typeOf(line);
    const double goal = ln::coupled(type) ? 100 : 50;
    for ([[maybe_unused]] auto _ : state) {
        const ln::Synthesis s = ln::synthesise(line, ln::dimsOf(type).front(), goal, 0.01 * mm);
        ln::Line found = line;
        ln::set(found, ln::dimsOf(type).front(), s.roundedM);
        benchmark::DoNotOptimize(ln::bands(found, tolerances));
        benchmark::DoNotOptimize(ln::analyse(found, {0.02, 1e9, 0.1}));
    }
}

const bool registered = [] {
    for (const ln::Line& line : lines) {
        const std::string name = ln::typeName(ln::typeOf(line)).command;
        benchmark::RegisterBenchmark(("Analysed/" + name).c_str(), analysed, line);
        benchmark::RegisterBenchmark(("Synthesised/" + name).c_str(), synthesised, line);
    }
    return true;
}();

} // namespace

BENCHMARK_MAIN();
