// SPDX-License-Identifier: MIT
#pragma once

#include "runtime/currency.h"
#include "runtime/error.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// What every calculator's arithmetic shares: converting typed fields, and formatting the
// result for display.
namespace calculators {

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

} // namespace calculators
