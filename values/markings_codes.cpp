// SPDX-License-Identifier: MIT
// The codes of markings, read and written: SMD three- and four-digit, EIA-96, the letter code
// (RKM) and the capacitor code.
#include "values/markings_detail.h"

#include "numeric/format.h"
#include "values/series.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace values::detail::markings {

namespace {

// --- E96 as three digits: 1.00 is 100, 9.76 is 976 -----------------------------------------

std::int64_t threeDigits(const Decimal& v)
{
    std::int64_t n = v.mantissa;
    for (int k = v.digits(); k < 3; ++k)
        n *= 10;
    return n;
}

std::int64_t e96Digits(int index)
{
    return threeDigits(decade(Series::E96)[static_cast<std::size_t>(index)]);
}

std::optional<int> e96Position(std::int64_t digits)
{
    const std::span<const Decimal> e96 = decade(Series::E96);
    for (std::size_t k = 0; k < e96.size(); ++k) {
        if (threeDigits(e96[k]) == digits)
            return static_cast<int>(k);
    }
    return std::nullopt;
}

// --- Codes -----------------------------------------------------------------------------------

struct RkmLetter {
    char letter;
    int exponent;
    Unit unit;
};
// Upper case is the resistor habit, lower case the capacitor habit; "m" is milli, "M" mega,
// and the letters that mean one thing in either case are taken in both.
constexpr std::array<RkmLetter, 16> rkmLetters{{
    {'R', 0, Unit::Ohm},
    {'r', 0, Unit::Ohm},
    {'K', 3, Unit::Ohm},
    {'k', 3, Unit::Ohm},
    {'M', 6, Unit::Ohm},
    {'G', 9, Unit::Ohm},
    {'g', 9, Unit::Ohm},
    {'T', 12, Unit::Ohm},
    {'t', 12, Unit::Ohm},
    {'f', -15, Unit::Farad},
    {'p', -12, Unit::Farad},
    {'P', -12, Unit::Farad},
    {'n', -9, Unit::Farad},
    {'N', -9, Unit::Farad},
    {'u', -6, Unit::Farad},
    {'m', -3, Unit::Farad},
}};

std::optional<RkmLetter> rkmLetter(char c)
{
    for (const RkmLetter& l : rkmLetters) {
        if (l.letter == c)
            return l;
    }
    return std::nullopt;
}

} // namespace

std::optional<Reading> readRkm(std::string_view code)
{
    // "µ" is two bytes in UTF-8; read it as "u".
    std::string text(code);
    if (const auto micro = text.find("\xC2\xB5"); micro != std::string::npos)
        text.replace(micro, 2, "u");
    std::size_t k = 0;
    while (k < text.size() && isDigit(text[k]))
        ++k;
    if (k == text.size())
        return std::nullopt;
    const std::optional<RkmLetter> letter = rkmLetter(text[k]);
    if (!letter)
        return std::nullopt;
    const std::string before = text.substr(0, k);
    std::size_t end = k + 1;
    while (end < text.size() && isDigit(text[end]))
        ++end;
    const std::string after = text.substr(k + 1, end - k - 1);
    if (before.empty() && after.empty())
        return std::nullopt;
    std::optional<char> toleranceLetter;
    if (end + 1 == text.size())
        toleranceLetter = text[end];
    else if (end != text.size())
        return std::nullopt;
    const std::optional<std::int64_t> n = digitsValue(before + after);
    if (!n || *n == 0)
        return std::nullopt;
    Reading r{ReadingKind::Rkm,
              Decimal::of(*n, letter->exponent - static_cast<int>(after.size())),
              letter->unit,
              {},
              {},
              {},
              static_cast<int>(std::to_string(*n).size())};
    if (toleranceLetter) {
        r.tolerance = r.unit == Unit::Farad ? capacitorLetter(*toleranceLetter, r.value < tenPicofarads)
                                            : percentLetter(*toleranceLetter);
        if (!r.tolerance || (*toleranceLetter != upper(*toleranceLetter)))
            return std::nullopt;
    }
    return r;
}

namespace {

struct EiaLetter {
    char letter;
    int exponent;
};
constexpr std::array<EiaLetter, 12> eiaLetters{{
    {'Z', -3},
    {'Y', -2},
    {'R', -2},
    {'X', -1},
    {'S', -1},
    {'A', 0},
    {'B', 1},
    {'H', 1},
    {'C', 2},
    {'D', 3},
    {'E', 4},
    {'F', 5},
}};

} // namespace

std::optional<Reading> readEia96(std::string_view code)
{
    if (code.size() != 3 || !isDigit(code[0]) || !isDigit(code[1]))
        return std::nullopt;
    const int position = (code[0] - '0') * 10 + (code[1] - '0');
    if (position < 1 || position > 96)
        return std::nullopt;
    for (const EiaLetter& l : eiaLetters) {
        if (l.letter == upper(code[2])) {
            const std::int64_t mantissa = e96Digits(position - 1);
            return Reading{ReadingKind::Eia96, Decimal::of(mantissa, l.exponent), Unit::Ohm, {}, {}, {}, 3};
        }
    }
    return std::nullopt;
}

namespace {

bool onlyDigits(std::string_view s)
{
    return !s.empty() && std::all_of(s.begin(), s.end(), isDigit);
}

} // namespace

// SMD resistor codes: significant digits, then the power of ten. No resistor is marked past
// 99 MΩ, and 8 and 9 there are the capacitor code's fractions, so the power stops at 7.
std::optional<Reading> readSmd(std::string_view code)
{
    if ((code.size() != 3 && code.size() != 4) || !onlyDigits(code) || code[0] == '0' || code.back() > '7')
        return std::nullopt;
    const auto n = digitsValue(code.substr(0, code.size() - 1));
    return Reading{code.size() == 3 ? ReadingKind::Smd3 : ReadingKind::Smd4,
                   Decimal::of(*n, code.back() - '0'),
                   Unit::Ohm,
                   {},
                   {},
                   {},
                   static_cast<int>(code.size()) - 1};
}

std::optional<Reading> readCapacitorCode(std::string_view code)
{
    if (code.size() != 3 && code.size() != 4)
        return std::nullopt;
    const std::string_view digits = code.substr(0, 3);
    if (!onlyDigits(digits) || digits[0] == '0')
        return std::nullopt;
    int power = 0;
    switch (digits[2]) {
    case '6':
    case '7':
        return std::nullopt;
    case '8':
        power = -2;
        break;
    case '9':
        power = -1;
        break;
    default:
        power = digits[2] - '0';
    }
    const auto n = digitsValue(digits.substr(0, 2));
    Reading r{ReadingKind::CapacitorCode, Decimal::of(*n, power - 12), Unit::Farad, {}, {}, {}, 2};
    if (code.size() == 4) {
        r.tolerance = capacitorLetter(code[3], true);
        if (!r.tolerance)
            return std::nullopt;
    }
    return r;
}

namespace {

// The value with "R" for its decimal point in `width` characters, or "": 4R7, R47, 47R0.
std::string rForm(const Decimal& v, int width)
{
    for (int point = 0; point < width; ++point) {
        const int fraction = width - 1 - point;
        // The whole part must have exactly `point` digits, none of them a leading zero.
        if (v >= Decimal::of(1, point) || (point > 0 && v < Decimal::of(1, point - 1)))
            continue;
        const int shift = v.exponent + fraction;
        if (shift < 0)
            return "";
        const std::int64_t n = v.mantissa * power10(shift);
        if (n >= power10(width - 1))
            return "";
        std::string digits = std::to_string(n);
        digits.insert(0, static_cast<std::size_t>(width - 1) - digits.size(), '0');
        digits.insert(static_cast<std::size_t>(point), "R");
        return digits;
    }
    return "";
}

} // namespace

Marking smd(MarkingKind kind, const Decimal& v)
{
    const int digits = kind == MarkingKind::Smd3 ? 2 : 3;
    Marking m{kind, {}, {}, {}};
    if (v.digits() > digits) {
        m.whyNot = format(v, allDigits) + " needs 3 significant digits: use 4 digits";
        return m;
    }
    const Scaled s = scaled(v, digits);
    if (s.exponent >= 0) {
        if (s.exponent > 7)
            m.whyNot = format(v, allDigits) + " is above the SMD code range";
        else
            m.code = std::to_string(s.digits) + std::to_string(s.exponent);
        return m;
    }
    m.code = rForm(v, digits + 1);
    if (m.code.empty())
        m.whyNot = format(v, allDigits) + " is below the SMD code range";
    return m;
}

Marking eia96(const Decimal& v)
{
    Marking m{MarkingKind::Eia96, {}, {}, {}};
    const Scaled s = scaled(v, 3);
    const std::optional<int> position = e96Position(s.digits);
    if (!position) {
        m.whyNot = format(v, allDigits) + " is not an E96 value";
        return m;
    }
    for (const EiaLetter& l : eiaLetters) {
        if (l.exponent == s.exponent) {
            const int code = *position + 1;
            m.code = std::string(1, static_cast<char>('0' + code / 10)) + static_cast<char>('0' + code % 10) + l.letter;
            return m;
        }
    }
    m.whyNot = format(v, allDigits) + " is outside the EIA-96 range";
    return m;
}

} // namespace values::detail::markings
