// SPDX-License-Identifier: MIT
#include "numeric/format.h"

#include "numeric/text.h"
#include "numeric/wide.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace values {

namespace {

// Half away from zero on the exact decimal, to at most `significant` digits.
Decimal roundSignificant(const Decimal& v, int significant)
{
    const int drop = v.digits() - std::max(significant, 1);
    if (drop <= 0)
        return v;
    const detail::u128 p = detail::pow10(drop);
    const detail::u128 m = detail::magnitude(v.mantissa);
    detail::u128 q = m / p;
    if ((m % p) * 2 >= p)
        ++q;
    const auto signedQ = static_cast<std::int64_t>(q);
    return Decimal::of(v.mantissa < 0 ? -signedQ : signedQ, v.exponent + drop);
}

// The digits with the point placed for `exponent`: ("47", -1) is "4.7", ("47", 1) is "470".
std::string placePoint(const std::string& digits, int exponent)
{
    if (exponent >= 0)
        return digits + std::string(static_cast<std::size_t>(exponent), '0');
    const auto fractionDigits = static_cast<std::size_t>(-exponent);
    if (fractionDigits < digits.size())
        return digits.substr(0, digits.size() - fractionDigits) + "." + digits.substr(digits.size() - fractionDigits);
    return "0." + std::string(fractionDigits - digits.size(), '0') + digits;
}

std::string digitsOf(const Decimal& v)
{
    const detail::u128 m = detail::magnitude(v.mantissa);
    return std::to_string(static_cast<unsigned long long>(m));
}

int floorDiv(int a, int b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

} // namespace

std::string format(const Decimal& v, int significant)
{
    if (v.mantissa == 0)
        return "0";
    const Decimal r = roundSignificant(v, significant);
    const int order = r.digits() - 1 + r.exponent;
    const int group = std::clamp(floorDiv(order, 3), -5, 4);
    static const std::array<std::string, 10> prefixes{"f", "p", "n", std::string(microSign), "m", "", "k",
                                                      "M", "G", "T"};
    std::string text = r.mantissa < 0 ? "-" : "";
    text += placePoint(digitsOf(r), r.exponent - 3 * group);
    const int prefix = group + 5; // "f" is group -5
    return text + prefixes[static_cast<std::size_t>(prefix)];
}

std::string formatRkm(const Decimal& v, Unit unit, int significant)
{
    if (v.mantissa <= 0 || v.digits() > significant)
        return "";
    const bool capacitor = unit == Unit::Farad;
    // Letters by group of three decades from the lowest the habit uses.
    const std::string_view letters = capacitor ? "pnum" : "RKMGT";
    const int lowest = capacitor ? -4 : 0;
    const int highest = lowest + static_cast<int>(letters.size()) - 1;
    const int order = v.digits() - 1 + v.exponent;
    const int group = std::clamp(floorDiv(order, 3), lowest, highest);
    const char letter = letters[static_cast<std::size_t>(group - lowest)];
    const std::string text = placePoint(digitsOf(v), v.exponent - 3 * group);
    const std::size_t point = text.find('.');
    if (point == std::string::npos)
        return text + letter + (text.size() == 1 ? "0" : "");
    const std::string whole = text.substr(0, point);
    std::string fraction = text.substr(point + 1);
    // Below one of the letter, two digits after it: "p10", "R10", as the parts are marked.
    if (whole == "0" && fraction.size() == 1)
        fraction += '0';
    return (whole == "0" ? "" : whole) + letter + fraction;
}

std::string withUnit(const Decimal& value, std::string_view unit, int significant)
{
    // "mHz" reads as "MHz", and a prefix on a logarithm means nothing.
    const bool unprefixed = unit == "dB" || (unit == "Hz" && value < Decimal::of(1, 0) && Decimal::of(-1, 0) < value);
    if (unprefixed)
        return (value.mantissa == 0 ? "0" : plain(roundSignificant(value, significant))) + " " + std::string(unit);
    const std::string text = format(value, significant);
    // The prefix, if any, follows the last digit.
    const std::size_t digitsEnd = text.find_last_of("0123456789") + 1;
    std::string result(text, 0, digitsEnd);
    result += ' ';
    result.append(text, digitsEnd);
    result += unit;
    return result;
}

std::string figure(double value, std::string_view unit)
{
    const Decimal shown = approximate(value);
    std::string text = withUnit(shown, unit);
    // A slow blinker's rate is easier to picture as its period.
    if (unit == "Hz" && shown.mantissa > 0 && shown < Decimal::of(1, 0))
        text += " (period " + figure(1 / value, "s") + ")";
    return text;
}

std::string plain(const Decimal& v)
{
    return (v.mantissa < 0 ? "-" : "") + placePoint(digitsOf(v), v.exponent);
}

std::string fixed(const Decimal& v, int decimals)
{
    const int padding = std::max(v.exponent + decimals, 0);
    return (v.mantissa < 0 ? "-" : "") +
        placePoint(digitsOf(v) + std::string(static_cast<std::size_t>(padding), '0'), v.exponent - padding);
}

std::string scientific(const Decimal& v)
{
    const std::string digits = digitsOf(v);
    std::string text = (v.mantissa < 0 ? "-" : "") + digits.substr(0, 1);
    if (digits.size() > 1)
        text += "." + digits.substr(1);
    return text + "e" + std::to_string(v.digits() - 1 + v.exponent);
}

std::string plain(double value, int significant)
{
    if (!std::isfinite(value))
        return std::to_string(value);
    return plain(approximate(value, significant));
}

Decimal approximate(double value, int significant)
{
    return roundSignificant(shortest(value), significant);
}

Decimal approximate(const Decimal& value, int significant)
{
    return roundSignificant(value, significant);
}

Decimal scaled(double value, int power)
{
    const Decimal d = shortest(value);
    return d.mantissa == 0 ? d : Decimal::of(d.mantissa, d.exponent + power);
}

Decimal shortest(double value)
{
    if (!std::isfinite(value) || value == 0)
        return {};
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    if (ec != std::errc())
        return {};
    // "-1.2345e-05": the digits without the point, then the exponent less the digits after it.
    const std::string text(buffer, end);
    const std::size_t e = text.find('e');
    std::string digits;
    int after = 0;
    bool point = false;
    for (std::size_t i = 0; i < e; ++i) {
        const char c = text[i];
        if (c == '.') {
            point = true;
        } else if (c != '-') {
            digits += c;
            after += point ? 1 : 0;
        }
    }
    const int exponent = std::atoi(text.c_str() + e + 1) - after;
    const auto mantissa = static_cast<std::int64_t>(std::stoll(digits));
    return Decimal::of(value < 0 ? -mantissa : mantissa, exponent);
}

std::string shortestText(double value)
{
    const Decimal d = shortest(value);
    const int order = d.digits() - 1 + d.exponent;
    // Plain where a reader sees it at a glance, exponent form for the very small and large.
    return d.mantissa == 0 || (order >= -4 && order <= 15) ? plain(d) : scientific(d);
}

} // namespace values
