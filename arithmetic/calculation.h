// SPDX-License-Identifier: MIT
#pragma once

#include "runtime/currency.h"
#include "runtime/error.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What every calculator's arithmetic shares: converting typed fields, and formatting the
// result for display.
namespace arithmetic {

// How results are shown: the locale's decimal separator, and the decimals chosen under
// Options (none: each calculator's own format).
struct Display {
    std::string separator = ".";
    std::optional<int> decimals;
};

// A run-time error raised while converting one field; `field` counts from 0 in the order
// the calculator reads its fields.
class FieldError : public runtime::Error {
public:
    FieldError(const runtime::Error& error, std::size_t field)
        : runtime::Error(error)
        , field(field)
    {
    }
    std::size_t field;
};

std::int32_t longField(std::size_t field, std::string_view text, const Display& display);
double doubleField(std::size_t field, std::string_view text, const Display& display);
runtime::Currency currencyField(std::size_t field, std::string_view text, const Display& display);

std::string showDouble(double value, const Display& display);
std::string showCurrency(runtime::Currency value, const Display& display);

// The arithmetic of a calculator as its screen, tests and fuzzers call it: the result line for
// its fields' texts, in the order the calculator reads them.
using Arithmetic = std::function<std::string(const std::vector<std::string>& texts, const Display& display)>;
using TwoFields = std::string (*)(std::string_view, std::string_view, const Display&);
using ThreeFields = std::string (*)(std::string_view, std::string_view, std::string_view, const Display&);
Arithmetic arithmeticOf(TwoFields calculator);
Arithmetic arithmeticOf(ThreeFields calculator);

} // namespace arithmetic
