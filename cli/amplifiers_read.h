// SPDX-License-Identifier: MIT
#pragma once

#include "cli/arguments.h"
#include "cli/measured.h"

#include "numeric/exact.h"
#include "numeric/format.h"
#include "numeric/parse.h"
#include "numeric/text.h"

#include <optional>
#include <string>
#include <string_view>

// What the commands of the Amplifiers and regulators window share: exact values read from their
// options, zero where a current may be none, and figures written to five digits.
namespace cli::amplifiers {

// The first refusal, kept with its option's name, as MeasuredOptions keeps it for doubles.
struct Reader {
    const Arguments& a;
    std::string error;

    // The option's value in `unit`, `fallback` when it is not given; zero only where `zero`.
    // A unit the value parser does not know ("W", "s", "C") is `suffix`, taken off first.
    std::optional<values::Decimal> value(std::string_view option, values::Unit unit,
                                         std::optional<values::Decimal> fallback = std::nullopt, bool zero = false,
                                         std::string_view suffix = {})
    {
        const std::optional<std::string> text = a.value(option);
        if (!error.empty() || !text)
            return error.empty() ? fallback : std::nullopt;
        std::string_view number = values::trim(*text);
        if (!suffix.empty())
            values::takeSuffix(number, suffix, false);
        return read(option, std::string(number), unit, zero);
    }

    // "9..12" or "12", the lower first; zero at the lower end only where `zero`.
    std::optional<std::pair<values::Decimal, values::Decimal>> range(std::string_view option, values::Unit unit,
                                                                     bool zero = false)
    {
        const std::optional<std::string> text = a.value(option);
        if (!error.empty() || !text)
            return std::nullopt;
        const std::size_t dots = text->find("..");
        if (dots == std::string::npos) {
            const auto v = read(option, *text, unit, zero);
            return v ? std::optional(std::pair(*v, *v)) : std::nullopt;
        }
        const auto lo = read(option, text->substr(0, dots), unit, zero);
        const auto hi = lo ? read(option, text->substr(dots + 2), unit, false) : std::nullopt;
        if (!hi)
            return std::nullopt;
        if (*hi < *lo) {
            error = "--" + std::string(option) + ": '" + *text +
                "' runs from the higher value to the lower: write the lower first";
            return std::nullopt;
        }
        return std::pair(*lo, *hi);
    }

    std::optional<values::Decimal> read(std::string_view option, const std::string& text, values::Unit unit, bool zero)
    {
        if (zero && values::isZeroText(values::trim(text)))
            return values::Decimal{};
        std::string message;
        const auto v = valueArgument("--" + std::string(option), std::string(values::trim(text)), unit, message);
        if (!v)
            error = message;
        return v;
    }
};

// Five significant digits and the unit: "713.15 Ω", "5.0097 V".
inline std::string five(const values::Decimal& v, std::string_view unit)
{
    return values::withUnit(v, unit, 5);
}
inline std::string five(const values::Exact& v, std::string_view unit)
{
    return values::withUnit(v.rounded(5), unit, 5);
}

} // namespace cli::amplifiers
