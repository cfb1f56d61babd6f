// SPDX-License-Identifier: MIT
#include "arithmetic/resistors.h"

#include "runtime/ratio.h"

#include <cstdint>
#include <initializer_list>
#include <limits>

namespace arithmetic {

namespace {
// Only the total has to be a Long: a sum that leaves the range on the way but comes back
// (2147483647 + 1 - 1) is a valid answer.
std::string seriesLine(std::initializer_list<std::string_view> texts, const Display& display)
{
    std::int64_t total = 0;
    std::size_t field = 0;
    for (std::string_view text : texts)
        total += longField(field++, text, display);
    if (total < std::numeric_limits<std::int32_t>::min() || total > std::numeric_limits<std::int32_t>::max())
        runtime::raise(runtime::ErrorNumber::Overflow);
    return "Resistor total= " + showDouble(static_cast<double>(total), display) + " Ohms";
}
} // namespace

std::string seriesResistors2(std::string_view r1, std::string_view r2, const Display& display)
{
    return seriesLine({r1, r2}, display);
}

std::string seriesResistors3(std::string_view r1, std::string_view r2, std::string_view r3, const Display& display)
{
    return seriesLine({r1, r2, r3}, display);
}

std::string parallelResistors(std::string_view r1Text, std::string_view r2Text, const Display& display)
{
    const runtime::Currency r1 = currencyField(0, r1Text, display);
    const runtime::Currency r2 = currencyField(1, r2Text, display);
    const runtime::Currency total = runtime::CyMulDiv(r1, r2, r1, r2);
    return "Resistor Total = " + showCurrency(total, display) + " Ohms";
}

} // namespace arithmetic
