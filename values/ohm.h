// SPDX-License-Identifier: MIT
#pragma once

#include "numeric/decimal.h"
#include "numeric/exact.h"
#include "numeric/format.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace values {

// V = I R and P = V I: any two of the four give the other two.
enum class Quantity { Voltage, Current, Resistance, Power };

struct OhmGiven {
    Quantity quantity = Quantity::Voltage;
    Exact value; // >= 0
};

// One of the four, exact or, from P and R, the exact square of a root.
struct OhmValue {
    Exact value;       // the value, or its square when `root`
    bool root = false; // sqrt(value): V and I from P and R are irrational in general
    double toDouble() const { return root ? value.sqrtToDouble() : value.toDouble(); }
    Decimal rounded(int significant) const
    {
        return root ? value.sqrtRounded(significant) : value.rounded(significant);
    }
    bool isDecimal(int significant) const
    {
        return root ? value.sqrtIsDecimal(significant) : value.isDecimal(significant);
    }
    // As Ohm's law shows it (numeric/format.h): whole, after "=", when it is a decimal of at most
    // exactDigits digits; else to shownDigits, after "≈".
    bool exact() const { return isDecimal(exactDigits); }
    Decimal shown() const { return rounded(exact() ? exactDigits : shownDigits); }
};

struct OhmResult {
    std::array<OhmValue, 4> values;  // by Quantity
    std::optional<Quantity> refused; // the given value the message is about
    std::string message;             // why the other two cannot follow
    bool ok() const { return !refused; }
};

// The two given values must be of different quantities. A zero where it divides is refused
// (both zero leave the others undetermined; the other above zero makes them infinite).
OhmResult ohmsLaw(const OhmGiven& a, const OhmGiven& b);

// A value as typed into one of the four: what values::parse reads, and zero besides (0 V across a
// resistor is a fine question). The unit, when written, must be the quantity's own ("W" for power).
struct OhmParsed {
    std::optional<Decimal> value;
    std::string error;
};
OhmParsed parseQuantity(std::string_view text, Quantity quantity, char decimalSeparator = '.');

std::string_view symbol(Quantity quantity); // "V", "I", "R", "P"
std::string_view unit(Quantity quantity);   // "V", "A", "Ω", "W"

} // namespace values
