// SPDX-License-Identifier: MIT
// The 555 designer over E96 resistors from 1 kohm to 1 Mohm and E12 capacitors from 1 nF to
// 10 uF, beside a plain loop over every triple in doubles that keeps the best ten: what the
// ordered search with exact ranking costs against the simplest search a person would write.
#include "keepbest.h"
#include "values/series.h"
#include "values/timing.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

using namespace values;

const std::vector<Decimal>& resistors()
{
    static const std::vector<Decimal> values = valuesInRange(Series::E96, Decimal::of(1, 3), Decimal::of(1, 6));
    return values;
}

const std::vector<Decimal>& capacitors()
{
    static const std::vector<Decimal> values = valuesInRange(Series::E12, Decimal::of(1, -9), Decimal::of(1, -5));
    return values;
}

const TimerGoal oneKilohertz{Decimal::of(1, 3), Decimal::of(60, 0), false};
const TimerGoal thirtyEightKilohertz{Decimal::of(38, 3), Decimal::of(55, 0), false};
const TimerGoal withDiode{Decimal::of(1, 3), Decimal::of(25, 0), true};

void designed(benchmark::State& state, const TimerGoal& goal)
{
    for ([[maybe_unused]] auto _ : state)
        benchmark::DoNotOptimize(designTimer(goal, resistors(), capacitors(), 10));
    state.counters["triples"] = static_cast<double>(resistors().size() * resistors().size() * capacitors().size());
}

struct Best {
    double error;
    double r1;
    double r2;
    double c;
};

void plainLoop(benchmark::State& state, const TimerGoal& goal)
{
    std::vector<double> rs;
    std::vector<double> cs;
    for (const Decimal& v : resistors())
        rs.push_back(v.toDouble());
    for (const Decimal& v : capacitors())
        cs.push_back(v.toDouble());
    const double f = goal.frequency.toDouble();
    const double duty = goal.dutyPercent.toDouble() / 100;
    const double high = duty / f;
    const double low = (1 - duty) / f;
    const double ln2 = std::log(2.0);
    for ([[maybe_unused]] auto _ : state) {
        std::vector<Best> best;
        for (const double r1 : rs) {
            for (const double r2 : rs) {
                for (const double c : cs) {
                    const double charging = goal.diode ? r1 : r1 + r2;
                    const double error =
                        std::max(std::abs(ln2 * charging * c / high - 1), std::abs(ln2 * r2 * c / low - 1));
                    keepBest(best, Best{error, r1, r2, c});
                }
            }
        }
        benchmark::DoNotOptimize(best);
    }
}

} // namespace

BENCHMARK_CAPTURE(designed, astable_1kHz_60, oneKilohertz)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(plainLoop, astable_1kHz_60, oneKilohertz)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(designed, astable_38kHz_55, thirtyEightKilohertz)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(plainLoop, astable_38kHz_55, thirtyEightKilohertz)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(designed, diode_1kHz_25, withDiode)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(plainLoop, diode_1kHz_25, withDiode)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
