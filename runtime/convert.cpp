// SPDX-License-Identifier: MIT
#include "runtime/convert.h"

#include "runtime/error.h"
#include "runtime/wide.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace runtime {

namespace {

using wide::currencyFrom;
using wide::divideToEven;
using wide::int128;
using wide::magnitudeOf;
using wide::uint128;

constexpr std::uint64_t negativeCurrencyLimit = std::uint64_t{1} << 63; // |int64 min|
constexpr std::uint64_t positiveCurrencyLimit = negativeCurrencyLimit - 1;

// Far beyond any Double or Currency, yet sums of a few of these cannot overflow int64.
constexpr std::int64_t exponentLimit = 1'000'000'000'000'000'000;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The exact value of a number text: (-1)^negative x 0.digits x 10^pointPos. Digits carry no
// leading or trailing zeros, so an empty string is zero and any digit left past a
// rounding position means a non-zero remainder.
struct Decimal {
    bool negative = false;
    std::string digits;
    std::int64_t pointPos = 0;
};

std::size_t scanDigits(std::string_view s, std::size_t i)
{
    while (i < s.size() && isDigit(s[i]))
        ++i;
    return i;
}

Decimal parseDecimal(std::string_view text, std::string_view separator)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    const std::string_view s = text.substr(begin, end - begin);

    Decimal result;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        result.negative = s[i] == '-';
        ++i;
    }
    std::size_t next = scanDigits(s, i);
    const std::string_view whole = s.substr(i, next - i);
    i = next;
    std::string_view fraction;
    if (!separator.empty() && s.substr(i).starts_with(separator)) {
        i += separator.size();
        next = scanDigits(s, i);
        fraction = s.substr(i, next - i);
        i = next;
    }
    if (whole.empty() && fraction.empty())
        raise(ErrorNumber::TypeMismatch);

    std::int64_t exponent = 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        ++i;
        bool exponentNegative = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            exponentNegative = s[i] == '-';
            ++i;
        }
        next = scanDigits(s, i);
        if (next == i)
            raise(ErrorNumber::TypeMismatch);
        // Saturate: an exponent with thousands of digits means "out of range" or "zero",
        // and must not wrap.
        for (; i < next; ++i) {
            exponent = exponent > exponentLimit / 10 ? exponentLimit : exponent * 10 + (s[i] - '0');
        }
        if (exponentNegative)
            exponent = -exponent;
    }
    if (i != s.size())
        raise(ErrorNumber::TypeMismatch);

    // Leading zeros only shift the point; the digits proper start at the first non-zero.
    std::size_t leadingZeros = 0;
    std::string_view rest = whole;
    auto firstNonZero = rest.find_first_not_of('0');
    if (firstNonZero == std::string_view::npos) {
        leadingZeros = whole.size();
        rest = fraction;
        firstNonZero = rest.find_first_not_of('0');
        if (firstNonZero == std::string_view::npos)
            return result; // zero, whatever the exponent
        leadingZeros += firstNonZero;
        result.digits.assign(rest.substr(firstNonZero));
    } else {
        leadingZeros = firstNonZero;
        result.digits.reserve(whole.size() - firstNonZero + fraction.size());
        result.digits.append(whole.substr(firstNonZero));
        result.digits.append(fraction);
    }
    result.digits.erase(result.digits.find_last_not_of('0') + 1);

    const std::int64_t pointPos =
        static_cast<std::int64_t>(whole.size()) - static_cast<std::int64_t>(leadingZeros) + exponent;
    result.pointPos = std::clamp(pointPos, -exponentLimit, exponentLimit);
    return result;
}

// |value| x 10^shift rounded to an integer, ties to even; nullopt when that is 10^19 or
// more, which no 64-bit result can hold.
std::optional<std::uint64_t> roundedMagnitude(const Decimal& value, int shift)
{
    if (value.digits.empty())
        return 0;
    const std::int64_t point = value.pointPos + shift;
    if (point > 19)
        return std::nullopt;
    if (point < 0)
        return 0; // below 0.1
    const auto wholeDigits = static_cast<std::size_t>(point);
    const std::string_view digits = value.digits;
    std::uint64_t whole = 0;
    for (std::size_t k = 0; k < wholeDigits; ++k)
        whole = whole * 10 + static_cast<std::uint64_t>(k < digits.size() ? digits[k] - '0' : 0);
    if (wholeDigits >= digits.size())
        return whole;
    const std::string_view remainder = digits.substr(wholeDigits);
    // No trailing zeros: a remainder of exactly "5" is the only exact half.
    bool up = remainder[0] > '5';
    if (remainder[0] == '5')
        up = remainder.size() > 1 || (whole & 1) != 0;
    return whole + (up ? 1 : 0);
}

std::int64_t signedWithin(bool negative, std::optional<std::uint64_t> magnitude, std::uint64_t positiveLimit,
                          std::uint64_t negativeLimit)
{
    if (!magnitude || *magnitude > (negative ? negativeLimit : positiveLimit))
        raise(ErrorNumber::Overflow);
    if (!negative)
        return static_cast<std::int64_t>(*magnitude);
    // Negate in unsigned arithmetic: the magnitude of the minimum has no positive twin.
    return static_cast<std::int64_t>(std::uint64_t{0} - *magnitude);
}

// The longest exact decimal expansion a Double rounding decision can need is 767
// significant digits; beyond this a single sticky digit stands in for the rest.
constexpr std::size_t significantDigitsKept = 800;

double doubleFrom(const Decimal& value)
{
    const double zero = value.negative ? -0.0 : 0.0;
    if (value.digits.empty())
        return zero;
    if (value.pointPos > 310)
        raise(ErrorNumber::Overflow); // at least 10^309
    if (value.pointPos < -400)
        return zero; // below 10^-400, nearer zero than the least subnormal
    std::string text = "0.";
    if (value.digits.size() > significantDigitsKept) {
        text.append(value.digits, 0, significantDigitsKept);
        text += '1'; // the dropped digits end in a non-zero one
    } else {
        text += value.digits;
    }
    text += 'e';
    text += std::to_string(value.pointPos);
    double magnitude = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    if (ec == std::errc::result_out_of_range) {
        if (value.pointPos > 0)
            raise(ErrorNumber::Overflow);
        return zero; // underflow to zero is not an error
    }
    if (ec != std::errc{} || end != text.data() + text.size() || std::isinf(magnitude))
        raise(ErrorNumber::Overflow);
    return value.negative ? -magnitude : magnitude;
}

// What people type most, plain digits with at most a fraction and at most 18 digits in
// all, is read in one pass without building the exact decimal; anything else returns
// nullopt and takes the general road, which decides every case the same way.
struct PlainFixed {
    bool negative;
    std::uint64_t magnitude; // |value| x 10^shift, rounded ties to even
};

std::string_view trimmedBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<PlainFixed> plainFixed(std::string_view text, std::string_view separator, int shift)
{
    std::string_view s = trimmedBlanks(text);
    PlainFixed result{false, 0};
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        result.negative = s.front() == '-';
        s.remove_prefix(1);
    }
    std::size_t i = 0;
    int digits = 0;
    while (i < s.size() && isDigit(s[i])) {
        result.magnitude = result.magnitude * 10 + static_cast<std::uint64_t>(s[i++] - '0');
        ++digits;
    }
    const bool hadWhole = i > 0;
    int fractionTaken = 0;
    int roundDigit = 0;
    bool sticky = false;
    if (!separator.empty() && s.substr(i).starts_with(separator)) {
        i += separator.size();
        const std::size_t fractionStart = i;
        while (i < s.size() && isDigit(s[i])) {
            const int d = s[i++] - '0';
            if (fractionTaken < shift) {
                result.magnitude = result.magnitude * 10 + static_cast<std::uint64_t>(d);
                ++fractionTaken;
                ++digits;
            } else if (fractionTaken == shift) {
                roundDigit = d;
                ++fractionTaken;
            } else {
                sticky = sticky || d != 0;
            }
        }
        if (!hadWhole && i == fractionStart)
            return std::nullopt;
    } else if (!hadWhole) {
        return std::nullopt;
    }
    const int padding = fractionTaken < shift ? shift - fractionTaken : 0;
    if (i != s.size() || digits + padding > 18)
        return std::nullopt; // an exponent, stray characters, or too many digits to hold
    for (int k = 0; k < padding; ++k)
        result.magnitude *= 10;
    if (roundDigit > 5 || (roundDigit == 5 && (sticky || (result.magnitude & 1) != 0)))
        ++result.magnitude;
    return result;
}

// std::from_chars reads the same texts as the general road when the separator is a point,
// the sign is taken off first and the number starts with a digit or the point (so "inf" and
// "nan" stay out); anything it declines, or finds out of range, takes the general road.
std::optional<double> plainDouble(std::string_view text, std::string_view separator)
{
    if (separator != ".")
        return std::nullopt;
    std::string_view s = trimmedBlanks(text);
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty() || !(isDigit(s.front()) || s.front() == '.'))
        return std::nullopt;
    double magnitude = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), magnitude);
    if (ec != std::errc{} || end != s.data() + s.size() || std::isinf(magnitude))
        return std::nullopt;
    return negative ? -magnitude : magnitude;
}

} // namespace

std::int32_t I4Str(std::string_view text, std::string_view decimalSeparator)
{
    const auto limit = std::uint64_t{std::numeric_limits<std::int32_t>::max()};
    if (const auto quick = plainFixed(text, decimalSeparator, 0))
        return static_cast<std::int32_t>(signedWithin(quick->negative, quick->magnitude, limit, limit + 1));
    const Decimal value = parseDecimal(text, decimalSeparator);
    return static_cast<std::int32_t>(signedWithin(value.negative, roundedMagnitude(value, 0), limit, limit + 1));
}

double R8Str(std::string_view text, std::string_view decimalSeparator)
{
    if (const auto quick = plainDouble(text, decimalSeparator))
        return *quick;
    return doubleFrom(parseDecimal(text, decimalSeparator));
}

Currency CyStr(std::string_view text, std::string_view decimalSeparator)
{
    if (const auto quick = plainFixed(text, decimalSeparator, 4)) {
        return Currency::fromScaled(
            signedWithin(quick->negative, quick->magnitude, positiveCurrencyLimit, negativeCurrencyLimit));
    }
    const Decimal value = parseDecimal(text, decimalSeparator);
    return Currency::fromScaled(
        signedWithin(value.negative, roundedMagnitude(value, 4), positiveCurrencyLimit, negativeCurrencyLimit));
}

std::string StrR8(double value, std::string_view decimalSeparator)
{
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-Inf" : "Inf";
    if (value == 0)
        return "0"; // -0 too

    // d.dddddddddddddde[+-]x...: correctly rounded to 15 significant digits.
    char buffer[64];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 14);
    const std::string_view sci(buffer, static_cast<std::size_t>(written.ptr - buffer));
    const std::size_t e = sci.find('e');
    std::string digits;
    digits += sci[0];
    digits.append(sci.substr(2, e - 2));
    digits.erase(digits.find_last_not_of('0') + 1);
    int exponent = 0;
    const char* expBegin = sci.data() + e + 1;
    if (*expBegin == '+')
        ++expBegin;
    std::from_chars(expBegin, sci.data() + sci.size(), exponent);

    std::string out;
    if (value < 0)
        out += '-';
    const int nDigits = static_cast<int>(digits.size());
    const int decimals = nDigits - 1 - exponent;
    if (exponent >= 15 || exponent < -4 || decimals > 15) {
        out += digits[0];
        if (nDigits > 1) {
            out += decimalSeparator;
            out.append(digits, 1);
        }
        out += 'E';
        out += exponent < 0 ? '-' : '+';
        const int absExponent = exponent < 0 ? -exponent : exponent;
        if (absExponent < 10)
            out += '0';
        out += std::to_string(absExponent);
    } else if (exponent >= 0) {
        const auto wholeDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= wholeDigits) {
            out += digits;
            out.append(wholeDigits - digits.size(), '0');
        } else {
            out.append(digits, 0, wholeDigits);
            out += decimalSeparator;
            out.append(digits, wholeDigits);
        }
    } else {
        out += '0';
        out += decimalSeparator;
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
    }
    return out;
}

std::string StrCy(Currency value, std::string_view decimalSeparator)
{
    const std::int64_t scaled = value.scaled();
    const std::uint64_t magnitude =
        scaled < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(scaled) : static_cast<std::uint64_t>(scaled);
    const auto unit = static_cast<std::uint64_t>(Currency::scale);

    // Built in one buffer: "-", up to 15 whole digits, then four decimals zero-padded.
    char whole[24];
    char* end = whole;
    if (scaled < 0)
        *end++ = '-';
    end = std::to_chars(end, whole + sizeof whole, magnitude / unit).ptr;
    std::string out(whole, end);

    std::uint64_t fraction = magnitude % unit;
    if (fraction != 0) {
        char decimals[4];
        for (int k = 3; k >= 0; --k, fraction /= 10)
            decimals[k] = static_cast<char>('0' + fraction % 10);
        std::size_t kept = 4;
        while (decimals[kept - 1] == '0')
            --kept;
        out += decimalSeparator;
        out.append(decimals, kept);
    }
    return out;
}

Currency CyAdd(Currency a, Currency b)
{
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a.scaled(), b.scaled(), &sum))
        raise(ErrorNumber::Overflow);
    return Currency::fromScaled(sum);
}

Currency CyMul(Currency a, Currency b)
{
    // At most 2^126 in magnitude: exact in 128 bits.
    const int128 product = static_cast<int128>(a.scaled()) * b.scaled();
    return currencyFrom(product < 0, divideToEven(magnitudeOf(product), Currency::scale));
}

double R8Cy(Currency value)
{
    const std::int64_t scaled = value.scaled();
    constexpr std::int64_t exactLimit = std::int64_t{1} << 53;
    // Both operands exact, so the one IEEE division is the correct rounding.
    if (scaled >= -exactLimit && scaled <= exactLimit)
        return static_cast<double>(scaled) / static_cast<double>(Currency::scale);
    return R8Str(StrCy(value));
}

Currency FpCy(double value)
{
    if (!std::isfinite(value))
        raise(ErrorNumber::Overflow);
    if (value == 0)
        return Currency{};
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(value), &exponent);
    // value = mantissa x 2^(exponent - 53) exactly, mantissa a 53-bit integer.
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    const int shift = 53 - exponent;
    // Without a right shift the value is at least 2^52, far out of range.
    if (shift <= 0)
        raise(ErrorNumber::Overflow);
    if (shift > 100)
        return Currency{}; // the scaled value is below 2^-33: rounds to zero
    const uint128 times = uint128{mantissa} * static_cast<std::uint64_t>(Currency::scale);
    return currencyFrom(value < 0, divideToEven(times, uint128{1} << shift));
}

Currency RoundCy(Currency value, int decimals)
{
    decimals = std::clamp(decimals, 0, 4);
    std::int64_t step = 1;
    for (int k = decimals; k < 4; ++k)
        step *= 10;
    const std::int64_t scaled = value.scaled();
    const uint128 steps = divideToEven(magnitudeOf(scaled), static_cast<uint128>(step));
    return currencyFrom(scaled < 0, steps * static_cast<uint128>(step));
}

double RoundR8(double value, int decimals)
{
    // From 1E16 on every Double is a whole even number: nothing to round.
    if (!std::isfinite(value) || std::fabs(value) >= 1e16)
        return value;
    decimals = std::clamp(decimals, 0, 15);
    // Fixed-precision to_chars rounds the exact binary value with ties to even, and
    // from_chars brings the decimal back to its nearest Double.
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    double result = 0;
    std::from_chars(buffer, written.ptr, result);
    return result;
}

} // namespace runtime
