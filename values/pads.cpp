// SPDX-License-Identifier: MIT
#include "values/pads.h"

#include "numeric/big.h"
#include "numeric/doubledouble.h"
#include "numeric/exact.h"
#include "numeric/format.h"
#include "numeric/text.h"
#include "numeric/wide.h"
#include "values/measure.h"
#include "values/nearest.h"

#include <algorithm>
#include <cmath>

namespace values {

namespace {

using detail::Big;
using detail::Fraction;

using detail::dd;
using detail::DD;
using detail::ddOf;
using detail::ln10;

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
    takeSuffix(s, "dB");
    const std::string notAbove = quoted(typed) + " is not above 0 dB: a pad only attenuates, write 6 or 20";
    if (s.starts_with('-')) {
        // Negative is gain: say so rather than the parser's general word.
        if (parse(s.substr(1), decimalSeparator).value || s.find_first_not_of("-0.,") == std::string_view::npos)
            result.error = notAbove;
        else
            result.error = notA(typed, Measure::Attenuation);
        return result;
    }
    const Parsed parsed = parse(s, decimalSeparator);
    if (!parsed.value) {
        if (!s.empty() && s.find_first_not_of("+0.,") == std::string_view::npos &&
            s.find('0') != std::string_view::npos)
            result.error = notAbove;
        else
            result.error = s.empty() ? typeA(Measure::Attenuation) : notA(typed, Measure::Attenuation);
        return result;
    }
    if (parsed.unit != Unit::None) {
        result.error = notA(typed, Measure::Attenuation);
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
        standard.reserve(pad.resistors.size());
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

} // namespace values
