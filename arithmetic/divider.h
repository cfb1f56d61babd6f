// SPDX-License-Identifier: MIT
#pragma once

#include "arithmetic/calculation.h"

namespace arithmetic {

// V out = V in x R2 / (R1 + R2) of an unloaded divider, in Currency: the result line, or
// the run-time error of the first step that fails.
std::string voltageDivider(std::string_view vIn, std::string_view r1, std::string_view r2, const Display& display = {});

} // namespace arithmetic
