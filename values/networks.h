// SPDX-License-Identifier: MIT
#pragma once

#include "numeric/decimal.h"
#include "values/budget.h"
#include "values/nearest.h"

#include <atomic>
#include <climits>
#include <span>
#include <string>
#include <vector>

namespace values {

// For capacitors the parallel connection adds and the series one is reciprocal; for resistors the
// other way round. The text always writes "+" for series and "||" for parallel.
enum class Kind { Resistor, Capacitor };

enum class Topology {
    One,                // A
    Series2,            // A + B
    Parallel2,          // A || B
    Series3,            // A + B + C
    Parallel3,          // A || B || C
    SeriesWithParallel, // A + (B || C)
    ParallelWithSeries, // A || (B + C)
    // Four parts.
    Series4,                    // A + B + C + D
    Parallel4,                  // A || B || C || D
    TwoSeriesWithParallel,      // A + B + (C || D)
    TwoParallelWithSeries,      // A || B || (C + D)
    ParallelPairsInSeries,      // (A || B) + (C || D)
    SeriesPairsInParallel,      // (A + B) || (C + D)
    SeriesWithParallel3,        // A + (B || C || D)
    ParallelWithSeries3,        // A || (B + C + D)
    SeriesWithParallelSeries,   // A + (B || (C + D))
    ParallelWithSeriesParallel, // A || (B + (C || D))
};

// A part that may be used: a series value (as many as wanted) or a stock item (`count` of them).
struct Part {
    static constexpr int unlimited = INT_MAX;
    Decimal value;
    int count = unlimited;
};
std::vector<Part> unlimitedParts(std::span<const Decimal> values);

struct Network {
    Topology topology = Topology::One;
    std::vector<Decimal> parts; // in the order of the text: A, then B, then C
    // Larger value first in each group, single parts before bracketed groups: "1.2k + (68 || 68)",
    // "10k || 10k", "(15k || 15k) + (1k || 1k)".
    std::string text;
    Decimal value;       // as it is shown: to shownDigits significant digits, whole when it hits the target
    double precise = 0;  // the double nearest the exact value, for the command line's JSON
    Deviation deviation; // from the target, decided from the exact value
    int partCount = 1;
    int distinctValues = 1;
};

struct SearchOptions {
    Kind kind = Kind::Resistor;
    int maxParts = 3; // 1 to 4
    int top = 10;     // how many networks to return
    // Polled now and then; when it reads true the search stops and reports `cancelled`, so a
    // window can drop a search a newer input has superseded without waiting for it.
    const std::atomic<bool>* cancel = nullptr;
    // The work the search may do, in steps of a few nanoseconds each (every turn of every loop,
    // a candidate tried, an exact ranking counts more), and the CPU time of its thread: at
    // whichever comes first it stops and says so, with the best it found until then
    // (values/budget.h).
    long long maxSteps = defaultMaxSteps;
    double maxCpuSeconds = Budget::defaultCpuSeconds;
    static constexpr long long defaultMaxSteps = 150'000'000;
};

struct SearchResult {
    std::vector<Network> networks; // best first
    bool cancelled = false;        // networks is empty then
    // The search stopped at its budget: the networks are the best of those it tried, and a better
    // one may exist.
    bool limited = false;
    long long steps = 0; // the work done after the single parts, at most a ranking beyond maxSteps
};

// A network as a tree, the shape its text writes: one part, or networks joined in series ("+")
// or in parallel ("||"), to any depth.
struct NetworkNode {
    enum class Join { Part, Series, Parallel };
    Join join = Join::Part;
    Decimal value;                  // a part's value
    std::vector<NetworkNode> parts; // Series and Parallel: in the order of the text
};
NetworkNode tree(const Network& network);

// The best `top` networks of 1 .. maxParts parts (every series-parallel network of up to four) for the target, ranked
// by the exact relative error, then fewer parts, then fewer distinct values, then the text. Never uses more of a part
// than its count. A double-based search with a safety margin finds the candidates; exact rational
// arithmetic ranks them, so an exact network shows as exact and ties break as stated.
// Parts need not be sorted or distinct (equal values are merged, counts added). Nothing is tried
// outside what the parts can reach (networkReach): a target beyond it gets the networks nearest
// the end it lies past, at once. The work is bounded by maxSteps and maxCpuSeconds, the memory
// by `top`.
SearchResult findNetworks(const Decimal& target, std::span<const Part> parts, const SearchOptions& options);

// Whether the target lies beyond what any network of the parts gives: below the parallel of the
// smallest parts allowed (the series, for capacitors), or above the series of the largest.
Reach networkReach(const Decimal& target, std::span<const Part> parts, const SearchOptions& options);

// Every combination tried, for checking findNetworks and for comparing speeds; slow.
SearchResult findNetworksBruteForce(const Decimal& target, std::span<const Part> parts, const SearchOptions& options);

} // namespace values
