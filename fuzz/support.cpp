// SPDX-License-Identifier: MIT
#include "support.h"

#include "decimal.h"

#include <cstdio>
#include <cstdlib>

namespace fuzz {

std::string_view separatorFor(std::uint8_t selector)
{
    switch (selector) {
    case ',':
        return ",";
    case 0xD9:
        return "\xD9\xAB";
    default:
        return ".";
    }
}

TextInput textInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return {".", {}};
    return {separatorFor(data[0]), std::string(data + 1, data + size)};
}

CalculatorInput calculatorInput(const std::uint8_t* data, std::size_t size, std::size_t fieldCount)
{
    CalculatorInput input;
    input.fields.resize(fieldCount);
    if (size > 0)
        input.display.separator = std::string(separatorFor(data[0]));
    if (size > 1 && (data[1] == '2' || data[1] == '3'))
        input.display.decimals = data[1] - '0';
    const std::string rest = size > 2 ? std::string(data + 2, data + size) : std::string();
    std::size_t begin = 0;
    for (std::size_t k = 0; k < fieldCount && begin <= rest.size(); ++k) {
        const std::size_t end = k + 1 == fieldCount ? std::string::npos : rest.find('\n', begin);
        input.fields[k] = rest.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
        if (end == std::string::npos)
            break;
        begin = end + 1;
    }
    return input;
}

void fail(std::string_view property, const std::vector<std::string>& texts)
{
    std::fprintf(stderr, "\nbroken: %.*s\n", static_cast<int>(property.size()), property.data());
    for (const std::string& text : texts)
        std::fprintf(stderr, "  field \"%s\"\n", text.c_str());
    std::abort();
}

std::string describe(Raised error)
{
    return error ? std::to_string(static_cast<int>(*error)) : "none";
}

std::optional<FieldFailure> firstFailure(const std::vector<Raised>& fieldErrors)
{
    for (std::size_t k = 0; k < fieldErrors.size(); ++k) {
        if (fieldErrors[k])
            return FieldFailure{k, *fieldErrors[k]};
    }
    return std::nullopt;
}

void checkFailure(const Outcome& outcome, std::optional<FieldFailure> expected, const std::vector<std::string>& texts)
{
    if (expected) {
        if (outcome.error != expected->error || outcome.field != expected->field) {
            fail("field " + std::to_string(expected->field) + " should raise " + describe(expected->error) +
                     ", got error " + describe(outcome.error) + " on field " +
                     (outcome.field ? std::to_string(*outcome.field) : "none"),
                 texts);
        }
    } else if (outcome.field) {
        fail("every field converts, yet field " + std::to_string(*outcome.field) + " is blamed", texts);
    }
}

std::string_view shownNumber(const Outcome& outcome, std::string_view prefix, std::string_view suffix,
                             const arithmetic::Display& display, const std::vector<std::string>& texts)
{
    const std::string_view line = outcome.line;
    if (line.size() < prefix.size() + suffix.size() || !line.starts_with(prefix) || !line.ends_with(suffix))
        fail("result line \"" + outcome.line + "\" lacks its prefix or suffix", texts);
    const std::string_view number = line.substr(prefix.size(), line.size() - prefix.size() - suffix.size());
    if (!readNumber(number, display.separator))
        fail("result line \"" + outcome.line + "\" shows no number", texts);
    // Under a chosen precision a fixed-notation result has at most that many decimals.
    const auto point = number.find(display.separator);
    if (display.decimals && point != std::string_view::npos && number.find('E') == std::string_view::npos &&
        number.size() - point - display.separator.size() > static_cast<std::size_t>(*display.decimals)) {
        fail("result line \"" + outcome.line + "\" has more decimals than chosen", texts);
    }
    return number;
}

long double numericValue(std::string_view number, std::string_view separator)
{
    std::string plain(number);
    if (const auto point = plain.find(separator); point != std::string::npos)
        plain.replace(point, separator.size(), ".");
    return std::strtold(plain.c_str(), nullptr);
}

} // namespace fuzz
