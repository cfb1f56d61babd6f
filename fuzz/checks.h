// SPDX-License-Identifier: MIT
#pragma once

#include "support.h"

// What each calculator must have done with its input, judged apart from its own arithmetic:
// conversions by the exact-decimal judge, sums and ratios in wider integers or long double.
// Each ends the run when the outcome breaks a property.
namespace fuzz {

void checkSeriesResistors(const CalculatorInput& input, const Outcome& outcome);
void checkParallelResistors(const CalculatorInput& input, const Outcome& outcome);
void checkSeriesCapacitors(const CalculatorInput& input, const Outcome& outcome);
void checkParallelCapacitors(const CalculatorInput& input, const Outcome& outcome);
void checkVoltageDivider(const CalculatorInput& input, const Outcome& outcome);

} // namespace fuzz
