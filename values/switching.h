// SPDX-License-Identifier: MIT
#pragma once

#include "numeric/decimal.h"
#include "numeric/exact.h"
#include "values/series.h"

#include <optional>
#include <string>
#include <vector>

// A transistor switching a load from a logic output: a bipolar transistor's base resistor, and an
// N-MOSFET's gate resistor and pull-down.
namespace values {

// The value a refused input asks the user to change.
enum class SwitchField { None, Load, Drive, Vbe, Gain, Hfe, Overdrive, GateCharge, Time, Plateau };

struct SwitchCheck {
    SwitchField change = SwitchField::None;
    std::string message;
};

// The base current saturates the transistor with a forced gain Ic / Ib well below its hFE: 10 as
// the common rule, or hFE min divided by an overdrive factor.
struct BaseDrive {
    Decimal load;                            // Ic, A
    Decimal drive;                           // the logic high, V
    Decimal vbe = Decimal::of(7, -1);        // V BE at saturation
    Decimal forcedGain = Decimal::of(10, 0); // without hFE min
    std::optional<Decimal> hfeMin;           // when given, Ib = overdrive Ic / hFE min
    Decimal overdrive = Decimal::of(2, 0);
    Series series = Series::E24;
};

// V drive above V BE, a forced gain and an overdrive of at least 1, hFE min above the overdrive.
SwitchCheck checkBase(const BaseDrive& drive);

struct BaseChoice {
    Decimal ohms;
    Exact baseCurrent; // (V drive - V BE) / R
    Exact forcedGain;  // Ic / Ib
};

struct BaseDesign {
    Exact baseCurrent; // what the transistor needs
    Exact ohms;        // (V drive - V BE) / Ib
    // The series value at or below (at least that base current), then the one above.
    std::vector<BaseChoice> choices;
};

std::optional<BaseDesign> designBase(const BaseDrive& drive);

// The gate takes most of its charge on the Miller plateau, where the resistor drops
// V drive - V plateau: t = Qg R / (V drive - V plateau).
struct GateDrive {
    Decimal gateCharge; // Qg, C
    Decimal time;       // the switching time wanted, s
    Decimal drive;      // V
    Decimal plateau;    // V, below the drive
    Series series = Series::E24;
};

SwitchCheck checkGate(const GateDrive& drive);

struct GateChoice {
    Decimal ohms;
    Exact time;        // Qg R / (V drive - V plateau)
    Exact peakCurrent; // V drive / R, as the gate starts to charge
};

struct GateDesign {
    Exact gateCurrent; // Qg / t
    Exact ohms;        // t (V drive - V plateau) / Qg
    // The series value at or below (at least as fast), then the one above.
    std::vector<GateChoice> choices;
    // Holds the gate off while the driver lets go (a microcontroller in reset): the series value
    // at or above 100 times the gate resistor, and at least 10 kΩ, so the gate keeps 99 % of the
    // drive and the driver is not loaded.
    std::optional<Decimal> pullDown;
    Exact gateShare; // of the drive the gate keeps: Rpd / (R + Rpd), with the exact R
    Exact offTime;   // about Qg Rpd / V plateau: the pull-down alone turning it off
};

std::optional<GateDesign> designGate(const GateDrive& drive);

// The largest series value at or below an exact value and the smallest above it.
struct Neighbours {
    std::optional<Decimal> atOrBelow;
    std::optional<Decimal> above;
};
Neighbours neighbours(Series series, const Exact& value);

} // namespace values
