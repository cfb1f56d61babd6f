// SPDX-License-Identifier: MIT
#include "numeric/decimal.h"

#include "numeric/wide.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace values {

Decimal Decimal::of(std::int64_t mantissa, int exponent)
{
    if (mantissa == 0)
        return {};
    while (mantissa % 10 == 0) {
        mantissa /= 10;
        ++exponent;
    }
    return {mantissa, exponent};
}

int Decimal::digits() const
{
    return detail::digitCount(detail::magnitude(mantissa));
}

double Decimal::toDouble() const
{
    // One rounding for the common exponents; pow only beyond what a double holds exactly.
    const auto m = static_cast<double>(mantissa);
    if (exponent >= 0 && exponent <= 22)
        return m * detail::powersOfTen[exponent];
    if (exponent < 0 && exponent >= -22)
        return m / detail::powersOfTen[-exponent];
    return m * std::pow(10.0, exponent);
}

double Decimal::nearestDouble() const
{
    const double magnitude = detail::nearestDouble(detail::magnitude(mantissa), exponent);
    return mantissa < 0 ? -magnitude : magnitude;
}

std::strong_ordering operator<=>(const Decimal& a, const Decimal& b)
{
    const int signA = (a.mantissa > 0) - (a.mantissa < 0);
    const int signB = (b.mantissa > 0) - (b.mantissa < 0);
    if (signA != signB)
        return signA <=> signB;
    if (signA == 0)
        return std::strong_ordering::equal;
    // Between negatives the larger magnitude is the smaller number.
    if (signA > 0)
        return detail::compareScaled(detail::magnitude(a.mantissa), a.exponent, detail::magnitude(b.mantissa),
                                     b.exponent);
    return detail::compareScaled(detail::magnitude(b.mantissa), b.exponent, detail::magnitude(a.mantissa), a.exponent);
}

} // namespace values

namespace values::detail {

double nearestDouble(u128 mantissa, int exponent)
{
    // The library's reader rounds correctly; the text is the exact value.
    std::string text;
    do {
        text.insert(text.begin(), static_cast<char>('0' + static_cast<int>(mantissa % 10)));
        mantissa /= 10;
    } while (mantissa != 0);
    text += "e" + std::to_string(exponent);
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

} // namespace values::detail
