// SPDX-License-Identifier: MIT
#pragma once

#include "cli/arguments.h"

#include "numeric/format.h"
#include "values/measured.h"

#include <optional>
#include <string>
#include <string_view>

// What the commands of measured quantities (wires, energy, conversions) share: options read into
// doubles, the first refusal kept with the option's name, and figures written to five digits.
namespace cli {

struct MeasuredOptions {
    const Arguments& a;
    std::string error; // "--length: '10x' is not a length: ..."

    // The option read by `read` (text -> values::Measured), `fallback` when it is not given;
    // nothing once an earlier option was refused.
    template <class Read>
    std::optional<double> get(std::string_view option, Read read, std::optional<double> fallback = std::nullopt)
    {
        if (!error.empty())
            return std::nullopt;
        const std::optional<std::string> text = a.value(option);
        if (!text)
            return fallback;
        const values::Measured m = read(*text);
        if (!m.value)
            error = "--" + std::string(option) + ": " + m.error;
        return m.value;
    }

    std::optional<double> amount(std::string_view option, const values::Amount& amount,
                                 std::optional<double> fallback = std::nullopt)
    {
        return get(
            option, [&](const std::string& t) { return values::parseAmount(t, amount); }, fallback);
    }

    std::optional<double> percent(std::string_view option, double lo, double hi, std::optional<double> fallback)
    {
        return get(
            option, [&](const std::string& t) { return values::parsePercent(t, lo, hi); }, fallback);
    }
};

// Five significant digits, an SI prefix and the unit: "1.3793 V", "84.214 mΩ".
inline std::string shown(double value, std::string_view unit)
{
    return values::withUnit(values::approximate(value, 5), unit, 5);
}

// Five significant digits, no prefix: "0.51056", "18198".
inline std::string figure(double value)
{
    return values::plain(value, 5);
}

} // namespace cli
