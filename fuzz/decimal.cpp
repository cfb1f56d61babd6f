// SPDX-License-Identifier: MIT
#include "decimal.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace fuzz {

namespace {

// Exponents are kept exactly up to here; past it every value is zero or out of range anyway,
// since inputs are far shorter than this many digits.
constexpr std::int64_t exponentCap = 1'000'000'000'000;
constexpr std::size_t maxDigits = 40;

bool digit(char c)
{
    return c >= '0' && c <= '9';
}

bool blank(char c)
{
    return c == ' ' || c == '\t';
}

// Adds one to a string of decimal digits.
std::string increment(std::string digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return digits;
        }
        *it = '0';
    }
    return "1" + digits;
}

std::string withoutLeadingZeros(const std::string& digits)
{
    const auto first = digits.find_first_not_of('0');
    return first == std::string::npos ? "0" : digits.substr(first);
}

// Whether a magnitude written in digits exceeds a limit written in digits.
bool exceeds(const std::string& magnitude, std::string_view limit)
{
    if (magnitude.size() != limit.size())
        return magnitude.size() > limit.size();
    return magnitude > limit;
}

Expected expectedInteger(std::string_view text, std::string_view separator, int shift, std::string_view positiveLimit,
                         std::string_view negativeLimit)
{
    const auto number = readNumber(text, separator);
    if (!number)
        return {runtime::ErrorNumber::TypeMismatch, {}};
    const auto magnitude = roundedDigits(*number, shift);
    if (!magnitude || exceeds(*magnitude, number->negative ? negativeLimit : positiveLimit))
        return {runtime::ErrorNumber::Overflow, {}};
    if (*magnitude == "0")
        return {std::nullopt, "0"};
    return {std::nullopt, (number->negative ? "-" : "") + *magnitude};
}

} // namespace

std::optional<ExactDecimal> readNumber(std::string_view text, std::string_view separator)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && blank(text[first]))
        ++first;
    while (last > first && blank(text[last - 1]))
        --last;
    std::string_view rest = text.substr(first, last - first);

    ExactDecimal result;
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
        result.negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    std::string mantissa;
    std::int64_t fractionDigits = 0;
    while (!rest.empty() && digit(rest.front())) {
        mantissa += rest.front();
        rest.remove_prefix(1);
    }
    if (!separator.empty() && rest.substr(0, separator.size()) == separator) {
        rest.remove_prefix(separator.size());
        while (!rest.empty() && digit(rest.front())) {
            mantissa += rest.front();
            ++fractionDigits;
            rest.remove_prefix(1);
        }
    }
    if (mantissa.empty())
        return std::nullopt;

    std::int64_t exponent = 0;
    if (!rest.empty() && (rest.front() == 'E' || rest.front() == 'e')) {
        rest.remove_prefix(1);
        bool negativeExponent = false;
        if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
            negativeExponent = rest.front() == '-';
            rest.remove_prefix(1);
        }
        if (rest.empty() || !digit(rest.front()))
            return std::nullopt;
        while (!rest.empty() && digit(rest.front())) {
            exponent = std::min(exponentCap, exponent * 10 + (rest.front() - '0'));
            rest.remove_prefix(1);
        }
        if (negativeExponent)
            exponent = -exponent;
    }
    if (!rest.empty())
        return std::nullopt;

    const auto significant = mantissa.find_first_not_of('0');
    if (significant != std::string::npos)
        result.digits = mantissa.substr(significant);
    result.exponent = exponent - fractionDigits;
    return result;
}

std::optional<std::string> roundedDigits(const ExactDecimal& value, int shift)
{
    if (value.digits.empty())
        return "0";
    const std::int64_t scale = value.exponent + shift;
    const auto length = static_cast<std::int64_t>(value.digits.size());
    if (scale >= 0) {
        if (length + scale > static_cast<std::int64_t>(maxDigits))
            return std::nullopt;
        return value.digits + std::string(static_cast<std::size_t>(scale), '0');
    }
    // Whole digits before the point; none or fewer means the value is below 1.
    const std::int64_t whole = length + scale;
    if (whole > static_cast<std::int64_t>(maxDigits))
        return std::nullopt;
    if (whole < 0)
        return "0"; // below 0.1: rounds down
    const auto split = static_cast<std::size_t>(whole);
    std::string integer = split == 0 ? "0" : value.digits.substr(0, split);
    const std::string fraction = value.digits.substr(split);

    bool up = fraction[0] > '5';
    if (fraction[0] == '5') {
        const bool moreThanHalf = fraction.find_first_not_of('0', 1) != std::string::npos;
        const bool odd = (integer.back() - '0') % 2 == 1;
        up = moreThanHalf || odd;
    }
    if (up)
        integer = increment(integer);
    return withoutLeadingZeros(integer);
}

Expected expectedLong(std::string_view text, std::string_view separator)
{
    return expectedInteger(text, separator, 0, "2147483647", "2147483648");
}

Expected expectedCurrency(std::string_view text, std::string_view separator)
{
    return expectedInteger(text, separator, 4, "9223372036854775807", "9223372036854775808");
}

ExpectedDouble expectedDouble(std::string_view text, std::string_view separator)
{
    const auto number = readNumber(text, separator);
    if (!number)
        return {runtime::ErrorNumber::TypeMismatch, 0};
    const std::string plain = (number->negative ? "-" : "") + (number->digits.empty() ? "0" : number->digits) + "e" +
        std::to_string(number->exponent);
    const double value = std::strtod(plain.c_str(), nullptr);
    if (std::isinf(value))
        return {runtime::ErrorNumber::Overflow, 0};
    return {std::nullopt, value};
}

} // namespace fuzz
