// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Stored energy: how long a battery lasts under a load, and what a capacitor holds and for how
// long it holds a load up.
namespace values {

inline constexpr double hoursPerMonth = 730.5; // a year's 8766 hours over twelve

struct Battery {
    double capacityAh = 2;
    double activeA = 0.01;
    double duty = 1; // the share of the time at activeA, 0 to 1; sleepA the rest
    double sleepA = 0;
    double selfDischarge = 0; // the share of the capacity lost a month, 0 to below 1
    double derating = 0;      // the share of the capacity not to count on, 0 to below 1
    double peukert = 1;       // 1 to 2; lead-acid 1.1 to 1.3
    double ratedHours = 20;   // the discharge time the capacity is rated for, with Peukert's law
};

struct BatteryLife {
    double averageA = 0;       // of the load
    double selfDischargeA = 0; // the self-discharge as a steady current
    double usableAh = 0;       // after derating and Peukert's law at the average current
    double hours = 0;
    double days = 0;
};

// The load's average current draws on the usable capacity, C (1 - derating), which Peukert's law
// scales by (C / (I H))^(k - 1) at the average current I; the self-discharge is a steady current of
// its monthly share of C. With k = 1 and nothing lost: hours = C / I.
// Needs a load or a self-discharge above zero.
BatteryLife batteryLife(const Battery& battery);

// Nothing draws on the battery: no load at any time and no self-discharge, a life without end.
inline bool drawsNothing(const Battery& b)
{
    return b.duty == 0 && b.sleepA == 0 && b.selfDischarge == 0;
}

// Capacity: "2000mAh", "2Ah", "2.4 Ah", "10Wh" (with `volts` for the Wh), a bare number in mAh.
struct Capacity {
    std::optional<double> ah;
    std::optional<double> wh; // when typed in Wh: ah follows once a voltage is known
    std::string error;
};
Capacity parseCapacity(std::string_view text, char decimalSeparator = '.');

// A capacitor of `farads` charged to `volts`.
struct CapacitorCharge {
    double energyJ = 0; // C V² / 2
    double chargeC = 0; // C V
};
CapacitorCharge capacitorCharge(double farads, double volts);

// How long the capacitor holds a load from v1 down to v2 (0 <= v2 < v1), and the energy it gives:
// a constant current takes C (V1 - V2) / I, a constant power C (V1² - V2²) / (2 P).
enum class Load { Current, Power };
struct HoldUp {
    double seconds = 0;
    double energyJ = 0;
};
HoldUp holdUp(double farads, double v1, double v2, Load load, double amount);

} // namespace values
