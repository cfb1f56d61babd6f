// SPDX-License-Identifier: MIT
// The LED resistor over inputs from the parser's whole range: no crash, every figure finite,
// the value at or above keeps the current at or below the goal, and a higher supply never asks
// for a smaller resistor nor gives a resistor less current. The bytes choose each value's digits
// and exponent, the range, the count, the tolerances, the series and the margin.
#include "support.h"

#include "numeric/format.h"
#include "values/led.h"
#include "values/power.h"

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace {

using values::Decimal;
using values::Exact;

struct Bytes {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    std::size_t at = 0;
    unsigned next() { return at < size ? data[at++] : 0U; }
    // 1 .. 16777216 x 10^(lowest .. lowest + span - 1)
    Decimal value(int lowest, int span)
    {
        const std::int64_t mantissa = 1 + (next() << 16 | next() << 8 | next());
        return Decimal::of(mantissa, lowest + static_cast<int>(next() % static_cast<unsigned>(span)) - 6);
    }
};

std::vector<std::string> describe(const values::LedInput& in)
{
    return {values::format(in.supply, 12),  values::format(in.forward, 12),     std::to_string(in.count),
            values::format(in.current, 12), values::format(in.supplyTolerance), values::format(in.tolerance)};
}

void checkShown(const Exact& v, const char* what, const values::LedInput& in)
{
    const double d = v.toDouble();
    const std::string shown = values::withUnit(v.rounded(4), "A");
    if (!std::isfinite(d) || shown.find("nan") != std::string::npos || shown.find("inf") != std::string::npos)
        fuzz::fail(std::string(what) + " shows as " + shown, describe(in));
}

void checkChoice(const values::LedChoice& c, const values::LedInput& in)
{
    const std::pair<const Exact*, const char*> figures[] = {
        {&c.ohms, "R"},  {&c.current, "I"},        {&c.currentMin, "I min"}, {&c.currentMax, "I max"},
        {&c.power, "P"}, {&c.powerMax, "P worst"}, {&c.ledPower, "P LED"},   {&c.efficiency, "efficiency"}};
    for (const auto& [v, what] : figures)
        checkShown(*v, what, in);
    if (c.currentMin > c.current || c.current > c.currentMax)
        fuzz::fail("the current lies outside its own range", describe(in));
    if (c.power > c.powerMax)
        fuzz::fail("the typical power is above the worst", describe(in));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 24)
        return -1;
    Bytes b{data, size};
    values::LedInput in;
    in.supply = b.value(-9, 24);
    in.forward = b.value(-9, 18);
    const unsigned range = b.next();
    if ((range & 1U) != 0) {
        // Below and above the typical value by a few of its own last digits.
        in.forwardMin = Decimal::of(in.forward.mantissa - (range >> 1) % 8, in.forward.exponent);
        in.forwardMax = Decimal::of(in.forward.mantissa + (range >> 4), in.forward.exponent);
    }
    in.count = 1 + static_cast<int>((b.next() << 8 | b.next()) % values::maxLedCount);
    in.current = b.value(-15, 19);
    in.supplyTolerance = Decimal::of(b.next() % 100, -static_cast<int>(b.next() % 3));
    in.tolerance = Decimal::of(b.next() % 100, -static_cast<int>(b.next() % 3));
    in.series = values::allSeries[b.next() % values::allSeries.size()];
    in.margin = Decimal::of(10 + b.next() % 91, -1);
    const Decimal more = b.value(-15, 30);

    const bool driven = values::checkLed(in).change == values::LedField::None;
    const auto design = values::designLed(in);
    if (driven != design.has_value())
        fuzz::fail("checkLed and designLed disagree", describe(in));
    if (!design)
        return 0;
    if (design->choices.size() != 2)
        fuzz::fail("no standard value on one side", describe(in));
    checkChoice(design->exact, in);
    for (const values::LedChoice& c : design->choices)
        checkChoice(c, in);
    const Exact goal = Exact::of(in.current);
    if (design->choices[0].current > goal || design->choices[1].current <= goal)
        fuzz::fail("the values at or above and below are on the wrong sides", describe(in));

    // A higher supply: still driven, a resistor at least as large, more current through each.
    values::LedInput higher = in;
    const Exact raised = Exact::of(in.supply) + Exact::of(more);
    higher.supply = raised.rounded(18);
    if (Exact::of(higher.supply) <= Exact::of(in.supply))
        return 0; // the increase is below what 18 digits hold
    const auto up = values::designLed(higher);
    if (!up)
        fuzz::fail("a higher supply cannot drive the string", describe(higher));
    if (up->exact.ohms <= design->exact.ohms || up->choices[0].ohms < design->choices[0].ohms)
        fuzz::fail("a higher supply asks for a smaller resistor", describe(higher));
    for (const values::LedChoice& c : design->choices) {
        const values::LedChoice same = values::ledChoice(higher, c.ohms);
        if (same.current <= c.current || same.currentMin <= c.currentMin || same.currentMax <= c.currentMax)
            fuzz::fail("a higher supply gives a resistor less current", describe(higher));
    }
    return 0;
}
