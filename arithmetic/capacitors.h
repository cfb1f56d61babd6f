// SPDX-License-Identifier: MIT
#pragma once

#include "arithmetic/calculation.h"

// Capacitor networks in microfarads: each returns the result line for the typed texts, or
// throws the run-time error of the first step that fails.
namespace arithmetic {

// Doubles, shown to 15 significant digits.
std::string seriesCapacitors2(std::string_view c1, std::string_view c2, const Display& display = {});
std::string seriesCapacitors3(std::string_view c1, std::string_view c2, std::string_view c3,
                              const Display& display = {});
// Currency, each value rounded to four decimals before adding.
std::string parallelCapacitors(std::string_view c1, std::string_view c2, const Display& display = {});

} // namespace arithmetic
