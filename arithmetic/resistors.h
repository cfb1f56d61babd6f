// SPDX-License-Identifier: MIT
#pragma once

#include "arithmetic/calculation.h"

// Resistor networks: each returns the result line for the typed texts, or throws the
// run-time error of the first step that fails.
namespace arithmetic {

// Whole ohms: each field rounded to a Long, the total checked against the Long range.
std::string seriesResistors2(std::string_view r1, std::string_view r2, const Display& display = {});
std::string seriesResistors3(std::string_view r1, std::string_view r2, std::string_view r3,
                             const Display& display = {});
// Currency ohms; the total is rounded once to four decimals.
std::string parallelResistors(std::string_view r1, std::string_view r2, const Display& display = {});

} // namespace arithmetic
