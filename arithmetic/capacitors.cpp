// SPDX-License-Identifier: MIT
#include "arithmetic/capacitors.h"

#include "runtime/convert.h"
#include "runtime/fp.h"

namespace arithmetic {

namespace {
std::string seriesLine(double total, const Display& display)
{
    return "Capacitor total= " + showDouble(total, display) + " microfarads";
}
} // namespace

std::string seriesCapacitors2(std::string_view c1Text, std::string_view c2Text, const Display& display)
{
    const runtime::Fp c1 = doubleField(0, c1Text, display);
    const runtime::Fp c2 = doubleField(1, c2Text, display);
    return seriesLine(runtime::Checked(c1 * c2 / (c1 + c2)), display);
}

std::string seriesCapacitors3(std::string_view c1Text, std::string_view c2Text, std::string_view c3Text,
                              const Display& display)
{
    const runtime::Fp c1 = doubleField(0, c1Text, display);
    const runtime::Fp c2 = doubleField(1, c2Text, display);
    const runtime::Fp c3 = doubleField(2, c3Text, display);
    const runtime::Fp one = 1.0;
    return seriesLine(runtime::Checked(one / ((one / c1 + one / c2) + one / c3)), display);
}

std::string parallelCapacitors(std::string_view c1Text, std::string_view c2Text, const Display& display)
{
    const runtime::Currency c1 = currencyField(0, c1Text, display);
    const runtime::Currency c2 = currencyField(1, c2Text, display);
    return "Capacitor Total = " + showCurrency(runtime::CyAdd(c1, c2), display) + " Microfarads";
}

} // namespace arithmetic
