// SPDX-License-Identifier: MIT
#pragma once

#include "numeric/decimal.h"
#include "numeric/parse.h"
#include "values/budget.h"
#include "values/measure.h"
#include "values/nearest.h"

#include <span>
#include <stop_token>
#include <string_view>
#include <vector>

// RC time constants and corners, reactance, LC resonance and the 555 timer: forwards from the
// parts, and backwards from a target to the best standard parts.
//
// Forward answers are the double nearest the true value: they are worked out in 113-bit floating
// point from the exact decimals, so only the last rounding to double is left. Values are in SI
// units (ohms, farads, henries, hertz, seconds, volts) and positive.
namespace values {

// RC
double timeConstant(const Decimal& r, const Decimal& c);    // R C, in seconds
double cornerFrequency(const Decimal& r, const Decimal& c); // 1 / (2 pi R C): the low and the high pass alike
// Charging from 0 towards `supply`, the time to reach `level`: -R C ln(1 - level / supply).
// The level must lie strictly between 0 and the supply.
double chargeTime(const Decimal& r, const Decimal& c, const Decimal& supply, const Decimal& level);

// Reactance and resonance
double capacitiveReactance(const Decimal& f, const Decimal& c);     // 1 / (2 pi f C)
double inductiveReactance(const Decimal& f, const Decimal& l);      // 2 pi f L
double resonantPartner(const Decimal& f, const Decimal& part);      // 1 / ((2 pi f)^2 part): L for a C, C for an L
double resonance(const Decimal& l, const Decimal& c);               // 1 / (2 pi sqrt(L C))
double characteristicImpedance(const Decimal& l, const Decimal& c); // sqrt(L / C)

// The 555, thresholds at a third and two thirds of the supply.
struct Astable {
    double frequencyHz = 0;
    double dutyPercent = 0;
    double highS = 0;
    double lowS = 0;
};
// Standard circuit: high ln 2 (R1 + R2) C, low ln 2 R2 C. With a diode across R2 the capacitor
// charges through R1 alone: high ln 2 R1 C (the diode's drop neglected).
Astable astable(const Decimal& r1, const Decimal& r2, const Decimal& c, bool diode);
double monostable(const Decimal& r, const Decimal& c); // ln 3 R C

// A relative error for display and JSON. Decided exactly; `exact` only when the answer truly is
// (never for a quantity with pi or a logarithm in it).
struct Miss {
    double percent = 0; // the double nearest the true value
    bool exact = false;
    Deviation rounded; // the same rounded to two and four decimals, for the tables
};

// What a designer may spend, and what it did: it counts its work in steps (every turn of its
// loops, an exact comparison or so each) and stops at maxSteps or at maxCpuSeconds of its
// thread's CPU time, whichever comes first, with the best it found until then (values/budget.h).
// Its memory is the answer and the part lists, whatever it tries.
struct DesignBudget {
    // About a second's work in steps of this kind, so the clock only stops a slow machine.
    static constexpr long long defaultMaxSteps = 2'000'000;
    long long maxSteps = defaultMaxSteps;
    double maxCpuSeconds = Budget::defaultCpuSeconds;
    // Set by the designer: the budget ran out, so a better design may exist; the steps it took.
    bool limited = false;
    long long steps = 0;
};

// Which standard R and C give a corner frequency or a time constant.
enum class RcTarget { Corner, TimeConstant };

struct RcPair {
    Decimal r;
    Decimal c;
    double value = 0; // the corner in Hz, or the time constant in s
    Miss miss;        // of that value from the target
};

// The best `top` pairs, ranked by the exact size of the relative error of what was asked, then
// the smaller capacitor (small values come in the accurate C0G dielectric), then the smaller
// resistor. Both lists ascending, positive, within 1e-15 .. 1e15. Returns nothing once `stop`
// is requested. `budget`, when given, bounds the work (the default one bounds it otherwise) and
// says whether it ran out.
std::vector<RcPair> designRc(RcTarget kind, const Decimal& target, std::span<const Decimal> resistors,
                             std::span<const Decimal> capacitors, int top, const std::stop_token& stop = {},
                             DesignBudget* budget = nullptr);
// Every pair tried; for checking designRc, slow.
std::vector<RcPair> designRcBruteForce(RcTarget kind, const Decimal& target, std::span<const Decimal> resistors,
                                       std::span<const Decimal> capacitors, int top);

// The 555 astable for a frequency and a duty cycle (percent: above 50 and below 100 for the
// standard circuit, above 0 and below 100 with the diode).
struct TimerGoal {
    Decimal frequency;
    Decimal dutyPercent;
    bool diode = false;
};
bool reachable(const TimerGoal& goal);

struct TimerDesign {
    Decimal r1;
    Decimal r2;
    Decimal c;
    Astable result;
    Miss high;  // of the high time from its target
    Miss low;   // of the low time
    Miss worst; // the larger of the two
    Miss frequency;
    Miss duty;           // the duty is a ratio of resistors, so it can be exact
    Decimal dutyRounded; // percent as it is shown: to shownDigits significant digits, whole when exact
};

// Datasheets ask at least this much for R1 (the discharge transistor's current).
inline const Decimal leastR1 = Decimal::of(1, 3);

// The best `top` (R1, R2, C) with R1 at least leastR1, ranked by the larger of the exact relative
// errors of the high time and the low time, then the frequency's error, then the smaller
// capacitor, then the smaller R1. R1 and R2 come from `resistors`, C from `capacitors` (each
// ascending, positive, within 1e-15 .. 1e15). Returns nothing once `stop` is requested.
// `budget` as for designRc.
std::vector<TimerDesign> designTimer(const TimerGoal& goal, std::span<const Decimal> resistors,
                                     std::span<const Decimal> capacitors, int top, const std::stop_token& stop = {},
                                     DesignBudget* budget = nullptr);
// Every triple tried; for checking designTimer, slow.
std::vector<TimerDesign> designTimerBruteForce(const TimerGoal& goal, std::span<const Decimal> resistors,
                                               std::span<const Decimal> capacitors, int top);

// The capacitors that bring an inductor nearest to a resonant frequency, ranked by the size of
// the frequency's relative error, then the smaller capacitor. Two different capacitors cannot
// miss by exactly as much (pi is transcendental), so 113-bit arithmetic decides.
struct TankCapacitor {
    Decimal c;
    double f0Hz = 0;
    Miss miss;
};
std::vector<TankCapacitor> designTank(const Decimal& f0, const Decimal& l, std::span<const Decimal> capacitors,
                                      int top);

} // namespace values
