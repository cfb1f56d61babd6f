// SPDX-License-Identifier: MIT
#include "values/pads.h"

#include "values/big.h"
#include "values/exact.h"
#include "values/nearest.h"
#include "values/text.h"
#include "values/value.h"
#include "values/wide.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace values {

namespace {

using detail::Big;
using detail::Fraction;

// Double-double arithmetic (hi + lo, about 106 bits): enough that rounding the result to a double
// once gives the nearest double unless the true value lies within ~1e-30 of a halfway point.
// Every formula below is written with u = K - 1 and only sums of positive terms, products and
// quotients, so nothing cancels, even for attenuations near 0 dB.
struct DD {
    double hi = 0;
    double lo = 0;
};

DD quickTwoSum(double a, double b)
{
    const double s = a + b;
    return {s, b - (s - a)};
}

DD twoSum(double a, double b)
{
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

DD operator+(const DD& a, const DD& b)
{
    DD s = twoSum(a.hi, b.hi);
    const DD t = twoSum(a.lo, b.lo);
    s.lo += t.hi;
    s = quickTwoSum(s.hi, s.lo);
    s.lo += t.lo;
    return quickTwoSum(s.hi, s.lo);
}

DD operator-(const DD& a, const DD& b)
{
    return a + DD{-b.hi, -b.lo};
}

DD operator*(const DD& a, const DD& b)
{
    const double p = a.hi * b.hi;
    const double e = std::fma(a.hi, b.hi, -p);
    return quickTwoSum(p, e + (a.hi * b.lo + a.lo * b.hi));
}

DD operator/(const DD& a, const DD& b)
{
    const double q1 = a.hi / b.hi;
    DD r = a - b * DD{q1, 0};
    const double q2 = r.hi / b.hi;
    r = r - b * DD{q2, 0};
    const double q3 = r.hi / b.hi;
    return quickTwoSum(q1, q2) + DD{q3, 0};
}

DD dd(double v)
{
    return {v, 0};
}

DD ddOf(std::int64_t m)
{
    const auto hi = static_cast<double>(m);
    // hi is within 2^10 of m (m < 2^63): the difference is exact in 64 bits.
    return quickTwoSum(hi, static_cast<double>(m - static_cast<std::int64_t>(hi)));
}

DD pow10dd(int n)
{
    DD r = dd(1);
    for (; n >= 22; n -= 22)
        r = r * dd(1e22);
    return r * dd(detail::powersOfTen[n]);
}

DD ddOf(const Decimal& v)
{
    const DD m = ddOf(v.mantissa);
    return v.exponent >= 0 ? m * pow10dd(v.exponent) : m / pow10dd(-v.exponent);
}

// ln 10 to double-double precision.
constexpr DD ln10{2.302585092994046, -2.1707562233822494e-16};

// e^y - 1 for y >= 0: halve y until the series converges at once, then undo each halving with
// e^2y - 1 = u (u + 2), which adds and multiplies positive numbers only.
DD expm1(DD y)
{
    int halvings = 0;
    while (y.hi > 0x1p-10) {
        y = {y.hi / 2, y.lo / 2};
        ++halvings;
    }
    DD u = y;
    DD term = y;
    for (int k = 2; k < 40 && term.hi > 1e-36 * u.hi; ++k) {
        term = term * y / dd(k);
        u = u + term;
    }
    for (int i = 0; i < halvings; ++i)
        u = u * (u + dd(2));
    return u;
}

Fraction times(const Fraction& a, const Fraction& b)
{
    return {a.num * b.num, a.den * b.den};
}

Fraction over(const Fraction& a, const Fraction& b)
{
    return {a.num * b.den, a.den * b.num};
}

double log10Of(const Big& num, const Big& den)
{
    return std::log10(detail::nearestDouble(num, den));
}

} // namespace

std::string_view name(PadKind kind)
{
    switch (kind) {
    case PadKind::Pi:
        return "Pi";
    case PadKind::Tee:
        return "T";
    case PadKind::BridgedTee:
        return "Bridged T";
    }
    return "";
}

ParsedAttenuation parseAttenuation(std::string_view text, char decimalSeparator)
{
    ParsedAttenuation result;
    std::string_view s = trim(text);
    const std::string typed(s);
    if (s.size() >= 2 && (s.ends_with("dB") || s.ends_with("db") || s.ends_with("DB")))
        s = trim(s.substr(0, s.size() - 2));
    const std::string notAbove = quoted(typed) + " is not above 0 dB: a pad only attenuates, write 6 or 20";
    if (s.starts_with('-')) {
        // Negative is gain: say so rather than the parser's general word.
        if (parse(s.substr(1), decimalSeparator).value || s.find_first_not_of("-0.,") == std::string_view::npos)
            result.error = notAbove;
        else
            result.error = quoted(typed) + " is not an attenuation: write 6, 10.5 or 20 (dB)";
        return result;
    }
    const Parsed parsed = parse(s, decimalSeparator);
    if (!parsed.value) {
        if (!s.empty() && s.find_first_not_of("+0.,") == std::string_view::npos &&
            s.find('0') != std::string_view::npos)
            result.error = notAbove;
        else
            result.error = s.empty() ? "Type an attenuation: write 6, 10.5 or 20 (dB)"
                                     : quoted(typed) + " is not an attenuation: write 6, 10.5 or 20 (dB)";
        return result;
    }
    if (parsed.unit != Unit::None) {
        result.error = quoted(typed) + " is not an attenuation: write 6, 10.5 or 20 (dB)";
        return result;
    }
    if (Decimal::of(maxPadDb, 0) < *parsed.value) {
        result.error =
            quoted(typed) + " is beyond " + std::to_string(maxPadDb) + " dB, more than a resistor pad can hold";
        return result;
    }
    result.db = parsed.value;
    return result;
}

std::array<Pad, 3> designPads(const Decimal& db, const Decimal& z, Series series)
{
    const DD zd = ddOf(z);
    const DD u = expm1(ddOf(db) * ln10 / dd(20)); // K - 1
    const DD k = u + dd(1);
    const DD two = dd(2);
    const auto resistor = [series](std::string_view role, int count, const DD& value) {
        const double exact = value.hi + value.lo; // hi is already the nearest; this only renormalises
        return PadResistor{role, count, exact, nearest(shortest(exact), series).nearest};
    };
    std::array<Pad, 3> pads;
    pads[0] = {PadKind::Pi,
               {resistor("shunt", 2, zd * (u + two) / u), resistor("series", 1, zd * u * (u + two) / (two * k))},
               {}};
    pads[1] = {PadKind::Tee,
               {resistor("series", 2, zd * u / (u + two)), resistor("shunt", 1, two * zd * k / (u * (u + two)))},
               {}};
    // The arms are Z itself: its own nearest standard value.
    PadResistor arm{"arm", 2, ddOf(z).hi, nearest(z, series).nearest};
    pads[2] = {PadKind::BridgedTee, {arm, resistor("bridge", 1, zd * u), resistor("shunt", 1, zd / u)}, {}};
    for (Pad& pad : pads) {
        std::vector<Decimal> standard;
        for (const PadResistor& r : pad.resistors)
            standard.push_back(r.standard);
        pad.standard = analysePad(pad.kind, standard, z);
    }
    return pads;
}

PadPerformance analysePad(PadKind kind, std::span<const Decimal> resistors, const Decimal& z)
{
    const Fraction load = Fraction::of(z);
    const auto of = [&](std::size_t i) { return Fraction::of(resistors[i]); };
    Fraction zIn;
    Fraction ratio; // V in / V out
    switch (kind) {
    case PadKind::Pi: {
        const Fraction out = detail::parallel(of(0), load);
        const Fraction middle = of(1) + out;
        zIn = detail::parallel(of(0), middle);
        ratio = over(middle, out);
        break;
    }
    case PadKind::Tee: {
        const Fraction right = of(0) + load;
        const Fraction node = detail::parallel(of(1), right);
        zIn = of(0) + node;
        ratio = times(over(zIn, node), over(right, load));
        break;
    }
    case PadKind::BridgedTee: {
        // The T of the arms and the shunt as its equivalent delta (sum of products over the far
        // leg), which leaves a series-parallel network: no signed arithmetic needed.
        const Fraction a = of(0);
        const Fraction s = of(2);
        const Fraction sum = times(a, a) + times(a, s) + times(a, s);
        const Fraction across = detail::parallel(of(1), over(sum, s));
        const Fraction toGround = over(sum, a);
        const Fraction out = detail::parallel(toGround, load);
        const Fraction middle = across + out;
        zIn = detail::parallel(toGround, middle);
        ratio = over(middle, out);
        break;
    }
    }
    PadPerformance p;
    p.zIn = detail::nearestDouble(zIn);
    p.db = 20 * log10Of(ratio.num, ratio.den);
    const Big a = zIn.num * load.den;
    const Big b = load.num * zIn.den;
    if (a != b)
        p.returnLossDb = -20 * log10Of(a > b ? a - b : b - a, a + b);
    return p;
}

std::string ohmsText(double ohms)
{
    static constexpr const char* prefixes[] = {"p", "n", "\xC2\xB5", "m", "", "k", "M", "G", "T", "P", "E", "Z", "Y"};
    int group = 0;
    if (ohms >= 1e4 || ohms < 1)
        group = std::clamp(static_cast<int>(std::floor(std::log10(ohms) / 3)), -4, 8);
    const double scaled = ohms / std::pow(10.0, 3 * group);
    const int whole = scaled < 1 ? 1 : static_cast<int>(std::floor(std::log10(scaled))) + 1;
    const int significant = group == 0 ? std::max(whole + 2, 4) : 6;
    const int decimals = std::max(significant - whole, 0);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f %s\xCE\xA9", decimals, scaled, prefixes[group + 4]);
    return buffer;
}

std::string dbText(double db)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.3f dB", db);
    return buffer;
}

} // namespace values
