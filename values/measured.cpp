// SPDX-License-Identifier: MIT
#include "values/measured.h"

#include "numeric/format.h"
#include "numeric/text.h"

#include <algorithm>

namespace values {

Measured parseAmount(std::string_view text, const Amount& q, char decimalSeparator)
{
    const std::string_view typed = trim(text);
    const std::string examples = ": write " + std::string(q.examples);
    if (typed.empty())
        return {std::nullopt, "Type " + std::string(q.what) + examples};
    std::string_view number = typed;
    if (!q.suffix.empty())
        takeSuffix(number, q.suffix, false);
    if (q.zero && isZeroText(number, decimalSeparator))
        return {0.0, {}};
    const Parsed parsed = parse(number, decimalSeparator);
    if (!parsed.value && parsed.error.find(" is not a value") != std::string::npos)
        return {std::nullopt, quoted(typed) + " is not " + std::string(q.what) + examples};
    if (!parsed.value)
        return {std::nullopt, requoted(parsed.error, number, typed)};
    if (parsed.unit != Unit::None && parsed.unit != q.unit)
        return {std::nullopt, quoted(typed) + " is not " + std::string(q.what) + examples};
    return {nearestDouble(*parsed.value), {}};
}

bool plainNumber(std::string_view text, char decimalSeparator)
{
    return std::all_of(text.begin(), text.end(), [&](char c) {
        return (c >= '0' && c <= '9') || c == '.' || c == decimalSeparator || c == 'e' || c == 'E' || c == '+' ||
            c == '-' || c == ' ';
    });
}

Measured parsePercent(std::string_view text, double lo, double hi, char decimalSeparator)
{
    const std::string_view typed = trim(text);
    const std::string range = "from " + plain(lo, 6) + " to " + plain(hi, 6) + " %";
    if (typed.empty())
        return {std::nullopt, "Type a percentage " + range};
    std::string_view number = typed;
    takeSuffix(number, "%");
    const Parsed parsed = parseSigned(number, decimalSeparator);
    if (!parsed.value || parsed.unit != Unit::None)
        return {std::nullopt, quoted(typed) + " is not a percentage: write one " + range};
    const double percent = nearestDouble(*parsed.value);
    if (percent < lo || percent > hi)
        return {std::nullopt, quoted(typed) + " is outside " + range};
    return {percent / 100, {}};
}

} // namespace values
