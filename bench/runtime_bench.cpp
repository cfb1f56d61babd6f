// SPDX-License-Identifier: MIT
// Each conversion and format of the runtime against the standard library's nearest operation on
// the same inputs, and the ratio of the two. The inputs are what people type into the
// calculators and what the calculators show; each operation is timed over the whole set.
#include "runtime/convert.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace {

using runtime::Currency;

const std::vector<std::string> longTexts{"0", "470", "2200", "-15", "4700000", "2147483647", "-2147483648", "100000"};
const std::vector<std::string> decimalTexts{
    "470", "2.2", "0.001", "1E3", "-12.5", "4.7E-6", "3.14159265358979", "1.7976931348623157E308"};
const std::vector<std::string> currencyTexts{"470",     "2.5",     "3.25",   "0.0001",
                                             "-12.345", "1000000", "6.6667", "922337203685477.5807"};
const std::vector<double> doubles{470, 2.2, 0.001, 1e20, -12.5, 4.7e-6, 2.0 / 3, 1.7976931348623157e308};
const std::vector<std::int64_t> scaledValues{4700000, 25000, 32500, 1, -123450, 10000000000, 66667, INT64_MAX};

constexpr std::size_t inputsPerRun = 8;

template <class Operation, class Input>
void timeOver(benchmark::State& state, const std::vector<Input>& inputs, Operation operation)
{
    if (inputs.size() != inputsPerRun)
        state.SkipWithError("every input set has the same number of values");
    for (auto _ : state) {
        for (const Input& input : inputs)
            benchmark::DoNotOptimize(operation(input));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * inputs.size()));
}

struct Pair {
    const char* operation;
    const char* counterpart;
    std::function<void(benchmark::State&)> ours;
    std::function<void(benchmark::State&)> theirs;
};

std::vector<Pair> pairs()
{
    return {
        {"I4Str", "std::from_chars<int32_t>",
         [](benchmark::State& s) { timeOver(s, longTexts, [](const std::string& t) { return runtime::I4Str(t); }); },
         [](benchmark::State& s) {
             timeOver(s, longTexts, [](const std::string& t) {
                 std::int32_t v = 0;
                 std::from_chars(t.data(), t.data() + t.size(), v);
                 return v;
             });
         }},
        {"R8Str", "std::from_chars<double>",
         [](benchmark::State& s) { timeOver(s, decimalTexts, [](const std::string& t) { return runtime::R8Str(t); }); },
         [](benchmark::State& s) {
             timeOver(s, decimalTexts, [](const std::string& t) {
                 double v = 0;
                 std::from_chars(t.data(), t.data() + t.size(), v);
                 return v;
             });
         }},
        // No standard type reads a decimal fraction exactly; the Double parse is the nearest.
        {"CyStr", "std::from_chars<double>",
         [](benchmark::State& s) {
             timeOver(s, currencyTexts, [](const std::string& t) { return runtime::CyStr(t).scaled(); });
         },
         [](benchmark::State& s) {
             timeOver(s, currencyTexts, [](const std::string& t) {
                 double v = 0;
                 std::from_chars(t.data(), t.data() + t.size(), v);
                 return v;
             });
         }},
        {"StrR8", "std::to_chars(general, 15)",
         [](benchmark::State& s) { timeOver(s, doubles, [](double v) { return runtime::StrR8(v); }); },
         [](benchmark::State& s) {
             timeOver(s, doubles, [](double v) {
                 char buffer[32];
                 return std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 15).ptr - buffer;
             });
         }},
        {"StrCy", "std::to_chars<int64_t>",
         [](benchmark::State& s) {
             timeOver(s, scaledValues, [](std::int64_t v) { return runtime::StrCy(Currency::fromScaled(v)); });
         },
         [](benchmark::State& s) {
             timeOver(s, scaledValues, [](std::int64_t v) {
                 char buffer[32];
                 return std::to_chars(buffer, buffer + sizeof buffer, v).ptr - buffer;
             });
         }},
    };
}

// Keeps each benchmark's time per call, the median of the repetitions when there are any, while
// the console shows the usual table.
class Collector : public benchmark::ConsoleReporter {
public:
    Collector()
        : ConsoleReporter(OO_Tabular)
    {
    }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            const std::string& name = run.run_name.function_name;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const bool single = run.run_type == Run::RT_Iteration && run.iterations > 0 && !nanoseconds.contains(name);
            if (median || single)
                nanoseconds[name] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> nanoseconds;
};

} // namespace

int main(int argc, char** argv)
{
    const std::vector<Pair> all = pairs();
    auto counterpartName = [](const Pair& p) { return std::string(p.counterpart) + " [" + p.operation + "]"; };
    for (const Pair& p : all) {
        benchmark::RegisterBenchmark(p.operation, p.ours);
        benchmark::RegisterBenchmark(counterpartName(p).c_str(), p.theirs);
    }
    benchmark::Initialize(&argc, argv);
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);

    std::printf("\n%-16s %12s   %-32s %12s %8s\n", "operation", "ns per call", "standard counterpart", "ns per call",
                "ratio");
    for (const Pair& p : all) {
        const auto ours = collector.nanoseconds.find(p.operation);
        const auto theirs = collector.nanoseconds.find(counterpartName(p));
        if (ours == collector.nanoseconds.end() || theirs == collector.nanoseconds.end())
            continue;
        const double count = inputsPerRun;
        std::printf("%-16s %12.1f   %-32s %12.1f %7.2fx\n", p.operation, ours->second / count, p.counterpart,
                    theirs->second / count, ours->second / theirs->second);
    }
    return 0;
}
