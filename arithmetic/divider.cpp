// SPDX-License-Identifier: MIT
#include "arithmetic/divider.h"

#include "runtime/ratio.h"

namespace arithmetic {

std::string voltageDivider(std::string_view vInText, std::string_view r1Text, std::string_view r2Text,
                           const Display& display)
{
    const runtime::Currency vIn = currencyField(0, vInText, display);
    const runtime::Currency r1 = currencyField(1, r1Text, display);
    const runtime::Currency r2 = currencyField(2, r2Text, display);
    // Rounded once, at the end: rounding the ratio first would show 12 V across 2000 and
    // 1000 ohms as 3.9996.
    const runtime::Currency vOut = runtime::CyMulDiv(vIn, r2, r1, r2);
    return "Voltage out = " + showCurrency(vOut, display);
}

} // namespace arithmetic
