// SPDX-License-Identifier: MIT
// A field solution of each type's cross-section at the accuracy the window and the command ask
// for: every grid until two estimates agree, with and without the dielectrics, both modes of a
// pair. The lines are those of bench_lines, the outer ones also under solder mask with their sides
// etched at 30°.
#include "values/field.h"

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
};

void solved(benchmark::State& state, const ln::Line& line, const ln::field::Options& options)
{
    ln::field::Solution s;
    for ([[maybe_unused]] auto _ : state) {
        s = ln::field::solve(line, options);
        benchmark::DoNotOptimize(s);
    }
    state.counters["cells"] = s.gridCells;
    state.counters["apart_pct"] = s.convergedPercent;
}

const bool registered = [] {
    for (const ln::Line& line : lines) {
        const ln::Type type = ln::typeOf(line);
        const std::string name = ln::typeName(type).command;
        benchmark::RegisterBenchmark(("Field/" + name).c_str(), solved, line, ln::field::Options{})
            ->Unit(benchmark::kMillisecond);
        if (type == ln::Type::Microstrip || type == ln::Type::Cpw || type == ln::Type::Gcpw ||
            type == ln::Type::CoupledMicrostrip)
            benchmark::RegisterBenchmark(("Field/" + name + "/masked-etched").c_str(), solved, line,
                                         ln::field::Options{.mask = true, .etchDeg = 30})
                ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

} // namespace

BENCHMARK_MAIN();
