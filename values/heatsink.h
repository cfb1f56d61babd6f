// SPDX-License-Identifier: MIT
#pragma once

#include "values/measured.h"

#include <optional>
#include <string_view>

// A part's heat path from its junction through its case and the interface to a heat sink and the
// air: temperatures rise by the power times each thermal resistance (K/W) on the way.
namespace values {

struct Thermal {
    double powerW = 1;
    double junctionMaxC = 125;
    double ambientC = 25;
    double junctionToCase = 5;           // θJC, K/W
    double caseToSink = 0.5;             // θCS, the interface: grease, a pad, mica
    std::optional<double> junctionToAir; // θJA, the part alone in still air
};

struct HeatSink {
    // The part alone: Ta + P θJA, whether that stays within the junction's limit, and the most
    // it may dissipate so, (Tj max - Ta) / θJA. None without θJA.
    std::optional<double> bareJunctionC;
    std::optional<bool> bareWithin;
    std::optional<double> bareMaxW;
    // The largest heat sink allowed, θSA = (Tj max - Ta) / P - θJC - θCS; zero or less when even a
    // perfect one would not do.
    double sinkMax = 0;
    // With that heat sink, the case's temperature at the limit: Tj max - P θJC.
    double caseC = 0;
};

// Tj max above Ta; the power above zero.
HeatSink heatSink(const Thermal& thermal);

// A linear regulator drops (V in - V out) at the load's current.
double linearLoss(double vin, double vout, double currentA);

// A thermal resistance: "5", "5K/W", "5 °C/W", "5 C/W", from 0 to 1000 K/W.
Measured parseThermalResistance(std::string_view text, char decimalSeparator = '.');

inline constexpr double minJunctionC = -55, maxJunctionC = 250; // what parts are rated for
inline constexpr double minAmbientC = -100, maxAmbientC = 250;
inline constexpr double maxThermalResistance = 1000;
inline constexpr double maxPowerW = 1e5;

} // namespace values
