// SPDX-License-Identifier: MIT
#pragma once

#include "numeric/decimal.h"
#include "numeric/exact.h"
#include "values/series.h"

#include <optional>
#include <string>
#include <vector>

// A Zener shunt regulator: a series resistor from a supply that varies to a Zener and a load
// that varies. The resistor must be small enough to keep the Zener's least current flowing at the
// lowest supply, the highest V z and the largest load, and large enough to keep the Zener within
// its power rating at the highest supply and the smallest load, over every V z its tolerance
// allows. The Zener's slope resistance is neglected.
namespace values {

struct ZenerInput {
    Decimal supplyMin; // V
    Decimal supplyMax;
    Decimal vz;                              // nominal
    Decimal vzTolerance = Decimal::of(5, 0); // percent either way, 0 <= t < 100
    Decimal izMin = Decimal::of(5, -3);      // the least current that holds V z
    Decimal pzRating = Decimal::of(5, -1);   // W
    Decimal loadMin;                         // A, may be zero
    Decimal loadMax;                         // may be zero
    Series series = Series::E24;             // the resistor's
    Decimal tolerance = Decimal::of(5, 0);   // the resistor's, percent
    Decimal margin = Decimal::of(2, 0);      // its rating over its dissipation
    int top = 20;                            // standard values listed at most
};

// The value a refused input asks the user to change.
enum class ZenerField { None, Supply, Vz, VzTolerance, IzMin, Pz, Load, Tolerance, Margin };

struct ZenerCheck {
    ZenerField change = ZenerField::None;
    std::string message;
};

// Orders and ranges: supply and V z above zero (parsed values), the load's range from its least
// to its largest, tolerances from 0 to below 100 %, a margin of at least 1x.
ZenerCheck checkZener(const ZenerInput& input);

// One standard resistor at the corners of its own tolerance and of everything else.
struct ZenerChoice {
    Decimal ohms;
    Exact izMin;                   // the Zener's least current: lowest supply, highest V z, highest R, largest load
    Exact izMax;                   // its largest: highest supply, lowest V z, lowest R, smallest load
    Exact pzMax;                   // its largest power over those corners and every V z between (V z I z)
    Exact power;                   // the resistor's at the highest supply, nominal V z and R
    Exact powerMax;                // at the highest supply, lowest V z and lowest R
    std::optional<Decimal> rating; // powerRating(power, margin, powerMax); empty above 5 W
};

// Why the window holds no resistor.
enum class ZenerLimit {
    None,
    Supply, // the lowest supply is not above the highest V z
    Power,  // no resistor keeps both the least Zener current and the Zener's rating
    Series, // the window is open but no value of the series stays inside it over its tolerance
};

struct ZenerDesign {
    // The window: R up to rMax keeps I z min flowing, R from rMin keeps the Zener within its
    // rating. rMax = (V supply min - V z max) / (I z min + I load max), exactly; rMin the double
    // nearest, its largest V z (V supply max - V z) / (P z + I load min V z) over V z's range,
    // which may fall where the derivative vanishes, a square root away.
    Exact rMax;
    double rMin = 0;
    // At R = rMax, the Zener's worst power: the rating it would need for the window to open.
    Exact pzAtRMax;
    ZenerLimit limit = ZenerLimit::None;
    std::string why;                  // what closed the window, naming the values to change; empty when open
    std::vector<ZenerChoice> choices; // the series values inside, ascending, at most `top`
    int more = 0;                     // inside beyond those listed
};

// Empty when checkZener refuses.
std::optional<ZenerDesign> designZener(const ZenerInput& input);

// The figures of one resistor; the Zener's least current is zero when it drops out of
// regulation, which a resistor outside the window may do.
ZenerChoice zenerChoice(const ZenerInput& input, const Decimal& ohms);

} // namespace values
