// SPDX-License-Identifier: MIT
#include "checks.h"

#include "decimal.h"

#include "runtime/convert.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace fuzz {

namespace {

__extension__ using Int128 = __int128;
__extension__ using UInt128 = unsigned __int128;

constexpr std::int64_t longMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t longMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t currencyMax = std::numeric_limits<std::int64_t>::max();

UInt128 magnitude(Int128 value)
{
    return value < 0 ? UInt128{0} - static_cast<UInt128>(value) : static_cast<UInt128>(value);
}

void expectError(const Outcome& outcome, ErrorNumber error, const std::vector<std::string>& texts)
{
    if (outcome.error != error || outcome.field)
        fail("the arithmetic should raise " + describe(error) + ", got " + describe(outcome.error), texts);
}

// The last digit kept under the chosen precision, in ten-thousandths; 1 when none is chosen.
std::int64_t currencyStep(const arithmetic::Display& display)
{
    std::int64_t step = 1;
    for (int k = display.decimals.value_or(4); k < 4; ++k)
        step *= 10;
    return step;
}

// Each field as the judge reads it; `values` is complete only when `failure` is empty.
template <class Value>
struct Fields {
    std::optional<FieldFailure> failure;
    std::vector<Value> values;
};

template <class Value, class Judge, class Read>
Fields<Value> judgeFields(const CalculatorInput& input, Judge judge, Read read)
{
    Fields<Value> fields;
    std::vector<Raised> errors;
    for (const std::string& text : input.fields) {
        const auto expected = judge(text, input.display.separator);
        errors.push_back(expected.error);
        if (!expected.error)
            fields.values.push_back(read(expected));
    }
    fields.failure = firstFailure(errors);
    return fields;
}

Fields<std::int64_t> longFields(const CalculatorInput& input)
{
    return judgeFields<std::int64_t>(input, expectedLong, [](const Expected& e) { return std::stoll(e.value); });
}

Fields<std::int64_t> currencyFields(const CalculatorInput& input)
{
    return judgeFields<std::int64_t>(input, expectedCurrency, [](const Expected& e) { return std::stoll(e.value); });
}

Fields<long double> doubleFields(const CalculatorInput& input)
{
    return judgeFields<long double>(input, expectedDouble, [](const ExpectedDouble& e) { return e.value; });
}

std::int64_t shownCurrency(const Outcome& outcome, std::string_view prefix, std::string_view suffix,
                           const CalculatorInput& input)
{
    const std::string_view number = shownNumber(outcome, prefix, suffix, input.display, input.fields);
    runtime::Currency value;
    if (errorOf([&] { value = runtime::CyStr(number, input.display.separator); }))
        fail("the shown number is no Currency", input.fields);
    return value.scaled();
}

// A Currency result a x (b / den), den the sum of two fields, that is a x b / den
// ten-thousandths rounded to four decimals, ties to even, then to the chosen decimals. Checked
// by multiplying back, so no division is shared with the code under test.
void checkQuotient(const CalculatorInput& input, const Outcome& outcome, Int128 a, Int128 b, Int128 den,
                   std::string_view prefix, std::string_view suffix)
{
    const auto& texts = input.fields;
    if (den == 0) {
        expectError(outcome, b == 0 ? ErrorNumber::Overflow : ErrorNumber::DivisionByZero,
                    texts); // 0/0 overflows; anything else divides by zero
        return;
    }
    const Int128 num = a * b;
    const std::int64_t step = currencyStep(input.display);
    if (outcome.error) {
        expectError(outcome, ErrorNumber::Overflow, texts);
        // Only a ratio within a step of the range's edge, or beyond it, may overflow.
        if (magnitude(num) < static_cast<UInt128>(currencyMax - step) * magnitude(den))
            fail("overflow raised for a ratio well within range", texts);
        return;
    }
    const std::int64_t shown = shownCurrency(outcome, prefix, suffix, input);
    Int128 product = 0;
    Int128 error = 0;
    if (__builtin_mul_overflow(static_cast<Int128>(shown), den, &product) ||
        __builtin_sub_overflow(product, num, &error)) {
        fail("the shown ratio is far from the exact one", texts);
    }
    // |shown - num/den| <= (1 + step) / 2 with a chosen precision, else <= 1/2.
    const UInt128 allowed = magnitude(den) * static_cast<UInt128>(input.display.decimals ? 1 + step : 1);
    if (magnitude(error) > allowed || 2 * magnitude(error) > allowed)
        fail("the shown ratio is not the exact one rounded", texts);
    if (!input.display.decimals && 2 * magnitude(error) == allowed && shown % 2 != 0)
        fail("a tie is not rounded to even", texts);
}

// Whether a Double result computed as `exact` (relative error `tolerance`) is surely beyond the
// Double range, surely within it, or too close to the edge to tell.
enum class Range { Within, Beyond, Edge };

Range rangeOf(long double exact, long double tolerance)
{
    const long double size = std::fabs(exact);
    if (size * (1 - tolerance) > static_cast<long double>(DBL_MAX) * (1 + 1e-15L))
        return Range::Beyond;
    if (size * (1 + tolerance) < static_cast<long double>(DBL_MAX))
        return Range::Within;
    return Range::Edge;
}

} // namespace

void checkSeriesResistors(const CalculatorInput& input, const Outcome& outcome)
{
    const auto fields = longFields(input);
    checkFailure(outcome, fields.failure, input.fields);
    if (fields.failure)
        return;
    std::int64_t total = 0;
    for (std::int64_t value : fields.values)
        total += value;
    if (total < longMin || total > longMax) {
        expectError(outcome, ErrorNumber::Overflow, input.fields);
        return;
    }
    const std::string_view number = shownNumber(outcome, "Resistor total= ", " Ohms", input.display, input.fields);
    if (numericValue(number, input.display.separator) != static_cast<long double>(total))
        fail("the total is not " + std::to_string(total), input.fields);
}

void checkParallelResistors(const CalculatorInput& input, const Outcome& outcome)
{
    const auto fields = currencyFields(input);
    checkFailure(outcome, fields.failure, input.fields);
    if (fields.failure)
        return;
    const Int128 r1 = fields.values[0];
    const Int128 r2 = fields.values[1];
    checkQuotient(input, outcome, r1, r2, r1 + r2, "Resistor Total = ", " Ohms");
}

void checkVoltageDivider(const CalculatorInput& input, const Outcome& outcome)
{
    const auto fields = currencyFields(input);
    checkFailure(outcome, fields.failure, input.fields);
    if (fields.failure)
        return;
    const Int128 vIn = fields.values[0];
    const Int128 r1 = fields.values[1];
    const Int128 r2 = fields.values[2];
    checkQuotient(input, outcome, vIn, r2, r1 + r2, "Voltage out = ", "");
}

void checkParallelCapacitors(const CalculatorInput& input, const Outcome& outcome)
{
    const auto fields = currencyFields(input);
    checkFailure(outcome, fields.failure, input.fields);
    if (fields.failure)
        return;
    const Int128 total = static_cast<Int128>(fields.values[0]) + fields.values[1];
    const std::int64_t step = currencyStep(input.display);
    if (outcome.error) {
        expectError(outcome, ErrorNumber::Overflow, input.fields);
        if (magnitude(total) < static_cast<UInt128>(currencyMax - step))
            fail("overflow raised for a total well within range", input.fields);
        return;
    }
    const std::int64_t shown = shownCurrency(outcome, "Capacitor Total = ", " Microfarads", input);
    const UInt128 error = magnitude(shown - total);
    if (input.display.decimals ? 2 * error > static_cast<UInt128>(step) : error != 0)
        fail("the total is not the exact sum", input.fields);
}

void checkSeriesCapacitors(const CalculatorInput& input, const Outcome& outcome)
{
    const auto fields = doubleFields(input);
    checkFailure(outcome, fields.failure, input.fields);
    if (fields.failure)
        return;
    const std::vector<long double>& c = fields.values;

    // In long double (64-bit mantissa, 15-bit exponent) nothing here overflows or underflows,
    // so the result is close to exact; how close depends on cancellation in the sum.
    long double exact = 0;
    long double conditioning = 1;
    if (c.size() == 2) {
        if (c[0] + c[1] == 0) {
            expectError(outcome, c[0] == 0 ? ErrorNumber::Overflow : ErrorNumber::DivisionByZero,
                        input.fields); // 0/0, or C/0
            return;
        }
        exact = c[0] * c[1] / (c[0] + c[1]);
    } else {
        for (long double value : c) {
            if (value == 0) {
                expectError(outcome, ErrorNumber::DivisionByZero, input.fields); // 1/0 wins over whatever follows
                return;
            }
        }
        const long double sum = (1 / c[0] + 1 / c[1]) + 1 / c[2];
        const long double spread = std::fabs(1 / c[0]) + std::fabs(1 / c[1]) + std::fabs(1 / c[2]);
        if (std::fabs(sum) <= 1e-12L * spread) {
            // The reciprocals all but cancel: zero, huge or out of range are all defensible.
            if (!outcome.error)
                shownNumber(outcome, "Capacitor total= ", " microfarads", input.display, input.fields);
            else if (outcome.error != ErrorNumber::Overflow && outcome.error != ErrorNumber::DivisionByZero)
                expectError(outcome, ErrorNumber::Overflow, input.fields);
            return;
        }
        conditioning = spread / std::fabs(sum);
        exact = 1 / sum;
    }

    // Rounding of each step in Doubles, then 15 significant digits on display.
    const long double tolerance = 1e-15L * conditioning + 2e-14L;
    const Range range = rangeOf(exact, tolerance);
    if (outcome.error) {
        expectError(outcome, ErrorNumber::Overflow, input.fields);
        if (range == Range::Within)
            fail("overflow raised for a total well within range", input.fields);
        return;
    }
    if (range == Range::Beyond)
        fail("a total beyond the Double range is shown", input.fields);
    const std::string_view number =
        shownNumber(outcome, "Capacitor total= ", " microfarads", input.display, input.fields);
    long double allowed = tolerance * std::fabs(exact) + 1e-323L;
    if (input.display.decimals)
        allowed += 0.5L * std::pow(10.0L, -*input.display.decimals) * (1 + 1e-9L);
    if (std::fabs(numericValue(number, input.display.separator) - exact) > allowed)
        fail("the total is off by more than rounding", input.fields);
}

} // namespace fuzz
