// SPDX-License-Identifier: MIT
#include "numeric/parse.h"

#include "numeric/text.h"
#include "numeric/wide.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdlib>

namespace values {

namespace {

constexpr int maxDigits = 18; // every 18-digit mantissa fits an int64
constexpr int minOrder = -15;
constexpr int maxOrder = 15;

bool endsWithNoCase(std::string_view text, std::string_view suffix)
{
    if (text.size() < suffix.size())
        return false;
    const auto lower = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
    return std::equal(suffix.begin(), suffix.end(), text.end() - static_cast<std::ptrdiff_t>(suffix.size()),
                      [&](char a, char b) { return lower(a) == lower(b); });
}

// The unit after the value; longest first so "ohms" is not read as "ohm" and a stray "s".
Unit takeUnit(std::string_view& s)
{
    struct Suffix {
        std::string_view text;
        Unit unit;
        bool anyCase;
    };
    static constexpr std::array<Suffix, 7> suffixes{{{"ohms", Unit::Ohm, true},
                                                     {"ohm", Unit::Ohm, true},
                                                     {"\xCE\xA9", Unit::Ohm, false},
                                                     {"\xE2\x84\xA6", Unit::Ohm, false},
                                                     {"F", Unit::Farad, false},
                                                     {"V", Unit::Volt, false},
                                                     {"A", Unit::Ampere, false}}};
    for (const Suffix& suffix : suffixes) {
        std::string_view rest = s;
        if (takeSuffix(rest, suffix.text, suffix.anyCase) && !rest.empty()) {
            s = rest;
            return suffix.unit;
        }
    }
    return Unit::None;
}

// The letters that multiply and, in the RKM code, stand for the decimal point.
bool takePrefix(std::string_view& s, int& exponent)
{
    if (s.starts_with(microSign) || s.starts_with(greekMu)) {
        exponent = -6;
        s.remove_prefix(2);
        return true;
    }
    if (s.empty())
        return false;
    switch (s.front()) {
    case 'f':
        exponent = -15;
        break;
    case 'p':
        exponent = -12;
        break;
    case 'n':
        exponent = -9;
        break;
    case 'u':
        exponent = -6;
        break;
    case 'm':
        exponent = -3;
        break;
    case 'R':
    case 'r':
        exponent = 0;
        break;
    case 'k':
    case 'K':
        exponent = 3;
        break;
    case 'M':
        exponent = 6;
        break;
    case 'G':
        exponent = 9;
        break;
    case 'T':
        exponent = 12;
        break;
    default:
        return false;
    }
    s.remove_prefix(1);
    return true;
}

std::string_view takeDigits(std::string_view& s)
{
    std::size_t n = 0;
    while (n < s.size() && std::isdigit(static_cast<unsigned char>(s[n])))
        ++n;
    const std::string_view digits = s.substr(0, n);
    s.remove_prefix(n);
    return digits;
}

struct Number {
    std::string digits;     // integer and fraction digits together
    long long exponent = 0; // of the last digit
    bool negative = false;
};

// The grammar: [sign] digits [point digits] [e[sign]digits] [blanks] [letter], or the RKM form
// [sign] digits letter digits (no point, no blank). Empty when the text is not a value.
std::optional<Number> readNumber(std::string_view s, char separator)
{
    Number n;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        n.negative = s.front() == '-';
        s.remove_prefix(1);
    }
    const std::string_view whole = takeDigits(s);
    std::string_view fraction;
    bool point = false;
    if (!s.empty() && (s.front() == '.' || s.front() == separator)) {
        point = true;
        s.remove_prefix(1);
        fraction = takeDigits(s);
    }
    bool scientific = false;
    if (!whole.empty() || !fraction.empty()) {
        if (s.size() >= 2 && (s.front() == 'e' || s.front() == 'E')) {
            std::string_view rest = s.substr(1);
            bool negativeExponent = false;
            if (!rest.empty() && (rest.front() == '-' || rest.front() == '+')) {
                negativeExponent = rest.front() == '-';
                rest.remove_prefix(1);
            }
            const std::string_view power = takeDigits(rest);
            if (!power.empty()) {
                scientific = true;
                long long value = 0;
                for (const char c : power)
                    value = std::min(value * 10 + (c - '0'), 1'000'000LL); // far past any range
                n.exponent = negativeExponent ? -value : value;
                s = rest;
            }
        }
    }
    const std::size_t beforeBlanks = s.size();
    s = trim(s);
    const bool blank = s.size() != beforeBlanks;
    int multiplier = 0;
    std::string_view rkmFraction;
    if (takePrefix(s, multiplier)) {
        if (!s.empty()) {
            // Digits after the letter make it the RKM decimal point.
            if (point || scientific || blank)
                return std::nullopt;
            rkmFraction = takeDigits(s);
        }
        n.exponent += multiplier;
    }
    if (!s.empty() || (whole.empty() && fraction.empty() && rkmFraction.empty()))
        return std::nullopt;
    n.digits = std::string(whole) + std::string(fraction) + std::string(rkmFraction);
    n.exponent -= static_cast<long long>(fraction.size() + rkmFraction.size());
    return n;
}

} // namespace

bool takeSuffix(std::string_view& text, std::string_view suffix, bool anyCase)
{
    if (!(anyCase ? endsWithNoCase(text, suffix) : text.ends_with(suffix)))
        return false;
    text = trim(text.substr(0, text.size() - suffix.size()));
    return true;
}

bool isZeroText(std::string_view text, char decimalSeparator)
{
    bool digit = false;
    for (const char c : text) {
        if (c == '0')
            digit = true;
        else if (c != '.' && c != decimalSeparator)
            return false;
    }
    return digit;
}

Parsed parse(std::string_view text, char decimalSeparator)
{
    Parsed result;
    std::string_view s = trim(text);
    if (s.empty()) {
        result.error = "Type a value: write 4.7k, 4k7 or 4700";
        return result;
    }
    const std::string_view typed = s;
    const Unit unit = takeUnit(s);
    const std::optional<Number> number = readNumber(s, decimalSeparator);
    if (!number) {
        result.error = quoted(typed) + " is not a value: write 4.7k, 4k7 or 4700";
        return result;
    }
    std::string_view digits = number->digits;
    long long exponent = number->exponent;
    while (!digits.empty() && digits.front() == '0')
        digits.remove_prefix(1);
    while (!digits.empty() && digits.back() == '0') {
        digits.remove_suffix(1);
        ++exponent;
    }
    if (digits.empty()) {
        result.error = quoted(typed) + " is zero: write a value above zero";
        result.zero = !number->negative;
        result.unit = unit;
        return result;
    }
    if (number->negative) {
        result.error = quoted(typed) + " is negative: write a value above zero";
        return result;
    }
    // The place of the leading digit decides the range: 1e-15 itself is in, 1.1e15 is out.
    const long long order = static_cast<long long>(digits.size()) - 1 + exponent;
    if (order < minOrder) {
        result.error = quoted(typed) + " is too small: the smallest value is 1e-15";
        return result;
    }
    if (order > maxOrder || (order == maxOrder && digits != "1")) {
        result.error = quoted(typed) + " is too large: the largest value is 1e15";
        return result;
    }
    if (digits.size() > static_cast<std::size_t>(maxDigits)) {
        result.error = quoted(typed) + " has too many digits: at most 18 significant digits";
        return result;
    }
    std::int64_t mantissa = 0;
    for (const char c : digits)
        mantissa = mantissa * 10 + (c - '0');
    result.value = Decimal::of(mantissa, static_cast<int>(exponent));
    result.unit = unit;
    return result;
}

std::string requoted(std::string message, std::string_view inner, std::string_view typed)
{
    if (const std::size_t at = message.find(quoted(inner)); at != std::string::npos)
        message.replace(at, quoted(inner).size(), quoted(typed));
    return message;
}

Parsed parseSigned(std::string_view text, char decimalSeparator)
{
    const std::string_view typed = trim(text);
    std::string_view magnitude = typed;
    const bool negative = magnitude.starts_with('-');
    if (negative)
        magnitude = trim(magnitude.substr(1));
    if (isZeroText(magnitude, decimalSeparator))
        return {Decimal{}, Unit::None, {}, false};
    Parsed parsed = parse(magnitude, decimalSeparator);
    if (!parsed.value)
        parsed.error = requoted(parsed.error, magnitude, typed);
    else if (negative)
        parsed.value->mantissa = -parsed.value->mantissa;
    return parsed;
}

namespace {

std::string_view unitName(Unit unit)
{
    switch (unit) {
    case Unit::Ohm:
        return "a resistance";
    case Unit::Farad:
        return "a capacitance";
    case Unit::Volt:
        return "a voltage";
    case Unit::Ampere:
        return "a current";
    case Unit::None:
        break;
    }
    return "a value";
}

} // namespace

Parsed parseIn(std::string_view text, Unit unit)
{
    Parsed parsed = parse(text);
    if (parsed.value && unit != Unit::None && parsed.unit != Unit::None && parsed.unit != unit) {
        parsed.error = "'" + std::string(text) + "' is " + std::string(unitName(parsed.unit)) + ", not " +
            std::string(unitName(unit));
        parsed.value.reset();
    }
    return parsed;
}

ParsedRange parseRange(std::string_view text, Unit unit)
{
    // Exactly one "..", with a value on each side: "10...1M" is no range, not 10 to 0.1M.
    const std::size_t dots = text.find("..");
    const std::string_view from = dots == std::string_view::npos ? std::string_view() : text.substr(0, dots);
    const std::string_view to = dots == std::string_view::npos ? std::string_view() : text.substr(dots + 2);
    if (dots == std::string_view::npos || from.empty() || to.empty() || from.back() == '.' || to.front() == '.' ||
        to.find("..") != std::string_view::npos)
        return {{}, {}, "'" + std::string(text) + "' is not a range: write two values around \"..\", such as 10..1M"};
    const Parsed lo = parseIn(from, unit);
    if (!lo.value)
        return {{}, {}, lo.error};
    const Parsed hi = parseIn(to, unit);
    if (!hi.value)
        return {{}, {}, hi.error};
    if (*hi.value < *lo.value)
        return {{}, {}, "'" + std::string(text) + "' ends below where it starts"};
    return {lo.value, hi.value, {}};
}

std::optional<int> parseWhole(std::string_view text, int lo, int hi)
{
    int n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size() || n < lo || n > hi)
        return std::nullopt;
    return n;
}

std::optional<Decimal> parseTolerance(std::string_view text, char decimalSeparator)
{
    std::string_view number = trim(text);
    if (number.ends_with('%'))
        number.remove_suffix(1);
    const Parsed parsed = parse(number, decimalSeparator);
    if (parsed.unit != Unit::None)
        return std::nullopt;
    if (parsed.zero)
        return Decimal{};
    if (!parsed.value || !(*parsed.value < Decimal::of(100, 0)))
        return std::nullopt;
    return parsed.value;
}

} // namespace values
