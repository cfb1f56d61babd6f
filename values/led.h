// SPDX-License-Identifier: MIT
#pragma once

#include "numeric/decimal.h"
#include "numeric/exact.h"
#include "values/series.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace values {

// An LED string fed from a supply through one resistor: R = (V supply - n V f) / I.
struct LedInput {
    Decimal supply;                    // V
    Decimal supplyTolerance;           // percent either way, 0 <= t < 100
    Decimal forward;                   // the typical V f of one LED
    std::optional<Decimal> forwardMin; // its range; the typical value when not given
    std::optional<Decimal> forwardMax;
    int count = 1;   // LEDs in series
    Decimal current; // the goal, A
    Series series = Series::E24;
    Decimal tolerance = Decimal::of(5, 0); // the resistor's, percent
    Decimal margin = Decimal::of(2, 0);    // rating over typical dissipation
};

inline constexpr int maxLedCount = 1000;

// The field a refused input asks the user to change.
enum class LedField { None, Supply, SupplyTolerance, Forward, ForwardRange, Count, Current, Tolerance, Margin };

struct LedCheck {
    LedField change = LedField::None;
    std::string message;
};

// Ranges and order (min <= typical <= max), then whether the supply can drive the string at all:
// at its lowest it must lie above count x V f at its highest. Values the parser gives (1e-15 ..
// 1e15) are assumed for supply, V f and current.
LedCheck checkLed(const LedInput& input);

// One resistor's figures, each exact until it is shown or written.
struct LedChoice {
    Exact ohms;
    Exact current;                 // typical supply and V f
    Exact currentMin;              // supply lowest, every V f highest, R highest
    Exact currentMax;              // supply highest, every V f lowest, R lowest
    Exact power;                   // in the resistor, typical
    Exact powerMax;                // in the resistor at the worst corner (that of currentMax)
    std::optional<Decimal> rating; // powerRating(power, margin, powerMax); empty above 5 W
    Exact ledPower;                // all the LEDs together, typical
    Exact efficiency;              // LED power over total: n V f / V supply
};

struct LedDesign {
    LedChoice exact;                // at the exact resistance
    std::vector<LedChoice> choices; // the standard value at or above (current at or below the goal), then below
};

// Empty when checkLed refuses the input.
std::optional<LedDesign> designLed(const LedInput& input);

// The figures for a given resistance (checkLed must pass).
LedChoice ledChoice(const LedInput& input, const Exact& ohms);

// A typical forward voltage and its range, by colour, as manufacturers' tables give them.
struct LedColour {
    const char* name = nullptr; // "red"
    Decimal typical;
    Decimal min;
    Decimal max;
};
std::span<const LedColour> ledColours();

} // namespace values
