// SPDX-License-Identifier: MIT
#include "values/timing.h"

#include "numeric/quad.h"
#include "numeric/text.h"

#include <cmath>
#include <string>
#include <string_view>

namespace values {

using detail::quad;
using detail::toQuad;

Parsed parseMeasure(std::string_view text, Measure quantity, char decimalSeparator)
{
    std::string_view number = text;
    while (!number.empty() && number.back() == ' ')
        number.remove_suffix(1);
    // "1kHz" and "1 kHz", in the case units are written; "H" alone is a bad value, not a unit.
    const auto takeUnit = [&](std::string_view unit) {
        return number.size() > unit.size() && takeSuffix(number, unit, false);
    };
    switch (quantity) {
    case Measure::Inductance:
        takeUnit("H");
        break;
    case Measure::Frequency:
        if (!takeUnit("Hz"))
            takeUnit("hz");
        break;
    case Measure::Time:
        takeUnit("s");
        break;
    default:
        break;
    }
    Parsed parsed = parse(number, decimalSeparator);
    if (!parsed.value)
        return parsed;
    const Unit expected = quantity == Measure::Resistance ? Unit::Ohm
        : quantity == Measure::Capacitance                ? Unit::Farad
        : quantity == Measure::Voltage                    ? Unit::Volt
                                                          : Unit::None;
    if (parsed.unit != Unit::None && parsed.unit != expected) {
        static constexpr std::string_view examples[] = {"1k, 4k7 or 1M",    "100n, 4.7u or 1n5", "10m, 4.7u or 100uH",
                                                        "1k, 50 or 38 kHz", "1m, 10u or 4.7 ms", "5, 3.3 or 800m"};
        static constexpr std::string_view kinds[] = {"a resistance", "a capacitance", "an inductance",
                                                     "a frequency",  "a time",        "a voltage"};
        const auto i = static_cast<std::size_t>(quantity);
        parsed.error = quoted(text) + " is not " + std::string(kinds[i]) + ": write " + std::string(examples[i]);
        parsed.value.reset();
    }
    return parsed;
}

// ---------------------------------------------------------------------------------------------
// Forward

double timeConstant(const Decimal& r, const Decimal& c)
{
    return static_cast<double>(toQuad(r) * toQuad(c));
}

double cornerFrequency(const Decimal& r, const Decimal& c)
{
    return static_cast<double>(1 / (2 * detail::pi() * toQuad(r) * toQuad(c)));
}

double chargeTime(const Decimal& r, const Decimal& c, const Decimal& supply, const Decimal& level)
{
    return static_cast<double>(-toQuad(r) * toQuad(c) * detail::lnOneMinus(toQuad(level) / toQuad(supply)));
}

double capacitiveReactance(const Decimal& f, const Decimal& c)
{
    return static_cast<double>(1 / (2 * detail::pi() * toQuad(f) * toQuad(c)));
}

double inductiveReactance(const Decimal& f, const Decimal& l)
{
    return static_cast<double>(2 * detail::pi() * toQuad(f) * toQuad(l));
}

double resonantPartner(const Decimal& f, const Decimal& part)
{
    const quad w = 2 * detail::pi() * toQuad(f);
    return static_cast<double>(1 / (w * w * toQuad(part)));
}

double resonance(const Decimal& l, const Decimal& c)
{
    return static_cast<double>(1 / (2 * detail::pi() * detail::squareRoot(toQuad(l) * toQuad(c))));
}

double characteristicImpedance(const Decimal& l, const Decimal& c)
{
    return static_cast<double>(detail::squareRoot(toQuad(l) / toQuad(c)));
}

} // namespace values
