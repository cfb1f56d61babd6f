// SPDX-License-Identifier: MIT
#include "values/ohm.h"

#include "numeric/parse.h"
#include "numeric/text.h"
#include "values/measure.h"

#include <utility>

namespace values {

namespace {

constexpr std::size_t index(Quantity q)
{
    return static_cast<std::size_t>(q);
}

Measure measure(Quantity q)
{
    constexpr Measure measures[] = {Measure::Voltage, Measure::Current, Measure::Resistance, Measure::Power};
    return measures[index(q)];
}

OhmResult refuse(Quantity q, std::string message)
{
    OhmResult r;
    r.refused = q;
    r.message = std::move(message);
    return r;
}

} // namespace

std::string_view symbol(Quantity quantity)
{
    constexpr std::string_view symbols[] = {"V", "I", "R", "P"};
    return symbols[index(quantity)];
}

std::string_view unit(Quantity quantity)
{
    constexpr std::string_view units[] = {"V", "A", "Ω", "W"};
    return units[index(quantity)];
}

// NOLINTNEXTLINE(readability-function-cognitive-complexity): one case per pair, as the formulas read
OhmResult ohmsLaw(const OhmGiven& a, const OhmGiven& b)
{
    using Q = Quantity;
    // Each pair in one order: V before I before R before P.
    const bool swap = index(b.quantity) < index(a.quantity);
    const OhmGiven& x = swap ? b : a;
    const OhmGiven& y = swap ? a : b;
    const Exact& u = x.value;
    const Exact& w = y.value;

    // A zero divisor: both zero leave the rest open; the other above zero asks the impossible.
    const auto zero = [&](const OhmGiven& divisor, const OhmGiven& other, const std::string& impossible) {
        if (other.value.isZero())
            return refuse(divisor.quantity,
                          std::string("With ") + std::string(symbol(other.quantity)) + " and " +
                              std::string(symbol(divisor.quantity)) + " both zero, the other two could be anything");
        return refuse(divisor.quantity, impossible);
    };

    OhmResult r;
    auto& v = r.values;
    v[index(x.quantity)].value = u;
    v[index(y.quantity)].value = w;
    if (x.quantity == Q::Voltage && y.quantity == Q::Current) {
        if (w.isZero())
            return zero(y, x, "No current at a voltage above zero: R would be infinite (an open circuit)");
        v[index(Q::Resistance)].value = u / w;
        v[index(Q::Power)].value = u * w;
    } else if (x.quantity == Q::Voltage && y.quantity == Q::Resistance) {
        if (w.isZero())
            return zero(y, x, "A voltage above zero across 0 Ω would drive an infinite current");
        v[index(Q::Current)].value = u / w;
        v[index(Q::Power)].value = u * u / w;
    } else if (x.quantity == Q::Voltage && y.quantity == Q::Power) {
        if (u.isZero())
            return zero(x, y, "No power can flow at 0 V: the current would be infinite");
        if (w.isZero())
            return zero(y, x, "No power at a voltage above zero: R would be infinite (an open circuit)");
        v[index(Q::Current)].value = w / u;
        v[index(Q::Resistance)].value = u * u / w;
    } else if (x.quantity == Q::Current && y.quantity == Q::Resistance) {
        v[index(Q::Voltage)].value = u * w;
        v[index(Q::Power)].value = u * u * w;
    } else if (x.quantity == Q::Current && y.quantity == Q::Power) {
        if (u.isZero())
            return zero(x, y, "No power can flow without a current: the voltage would be infinite");
        v[index(Q::Voltage)].value = w / u;
        v[index(Q::Resistance)].value = w / (u * u);
    } else if (x.quantity == Q::Resistance && y.quantity == Q::Power) {
        if (u.isZero())
            return zero(x, y, "No power can flow in 0 Ω: the current would be infinite");
        v[index(Q::Voltage)] = {w * u, true};
        v[index(Q::Current)] = {w / u, true};
    } else {
        return refuse(y.quantity, "Give two different quantities");
    }
    return r;
}

OhmParsed parseQuantity(std::string_view text, Quantity quantity, char decimalSeparator)
{
    std::string_view typed = trim(text);
    std::string_view number = typed;
    // The value parser knows no watts; the prefix before them it reads as for any unit.
    if (quantity == Quantity::Power)
        takeSuffix(number, "W");
    const Parsed parsed = parse(number, decimalSeparator);
    OhmParsed result;
    if (!parsed.value && !parsed.zero) {
        result.error = refusal(parsed, number, typed, measure(quantity));
        return result;
    }
    const Unit expected = quantity == Quantity::Voltage ? Unit::Volt
        : quantity == Quantity::Current                 ? Unit::Ampere
        : quantity == Quantity::Resistance              ? Unit::Ohm
                                                        : Unit::None;
    if (parsed.unit != Unit::None && parsed.unit != expected) {
        result.error = quoted(typed) + " is not in " + std::string(unit(quantity));
        return result;
    }
    result.value = parsed.zero ? Decimal{} : parsed.value;
    return result;
}

} // namespace values
