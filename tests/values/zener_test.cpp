// SPDX-License-Identifier: MIT
// The Zener shunt regulator's window against every corner, the heat sink's figures and the
// transistor switch's resistors.
#include "numeric/exact.h"
#include "values/heatsink.h"
#include "values/nearest.h"
#include "values/series.h"
#include "values/switching.h"
#include "values/zener.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

using namespace values;

namespace {

Decimal d(std::int64_t mantissa, int exponent = 0)
{
    return Decimal::of(mantissa, exponent);
}

// 9 to 12 V, a 5.1 V Zener of 5 %, 5 mA least, 500 mW, a load of 0 to 20 mA, E24 of 5 %.
ZenerInput example()
{
    ZenerInput in;
    in.supplyMin = d(9);
    in.supplyMax = d(12);
    in.vz = d(51, -1);
    in.loadMin = d(0);
    in.loadMax = d(2, -2);
    return in;
}

// The Zener's current and power over a fine grid of every quantity's range, not only its ends:
// what the design's worst cases must bound and reach.
struct Sampled {
    double izMin = std::numeric_limits<double>::infinity();
    double izMax = 0;
    double pzMax = 0;
};

Sampled sampled(const ZenerInput& in, double ohms)
{
    Sampled s;
    const double t = in.tolerance.toDouble() / 100;
    const double tz = in.vzTolerance.toDouble() / 100;
    constexpr int steps = 40;
    for (int a = 0; a <= 1; ++a) {
        const double supply = a ? in.supplyMax.toDouble() : in.supplyMin.toDouble();
        for (int b = 0; b <= steps; ++b) {
            const double vz = in.vz.toDouble() * (1 - tz + 2 * tz * b / steps);
            for (int c = 0; c <= 1; ++c) {
                const double r = ohms * (c ? 1 + t : 1 - t);
                for (int e = 0; e <= 1; ++e) {
                    const double load = e ? in.loadMax.toDouble() : in.loadMin.toDouble();
                    const double iz = std::max(0.0, (supply - vz) / r - load);
                    s.izMin = std::min(s.izMin, iz);
                    s.izMax = std::max(s.izMax, iz);
                    s.pzMax = std::max(s.pzMax, vz * iz);
                }
            }
        }
    }
    return s;
}

TEST(ZenerDesign, TheWindowHoldsEveryValueWhoseCornersStayWithinTheLimits)
{
    const ZenerInput in = example();
    const auto design = designZener(in);
    ASSERT_TRUE(design);
    EXPECT_EQ(design->limit, ZenerLimit::None);
    // (9 - 5.355) / 25 mA, and 5.355 x 6.645 / 0.5 W: the peak lies above V z's range.
    EXPECT_EQ(design->rMax.rounded(6), d(1458, -1));
    EXPECT_DOUBLE_EQ(design->rMin, 5.355 * 6.645 / 0.5);
    std::vector<Decimal> listed;
    for (const ZenerChoice& c : design->choices)
        listed.push_back(c.ohms);
    EXPECT_EQ(listed, (std::vector<Decimal>{d(75), d(82), d(91), d(100), d(110), d(120), d(130)}));
    // Inside exactly when the sampled corners keep I z min and the rating; each worst case is
    // reached, and the Zener's power is never exceeded between the corners.
    for (const Decimal& r : valuesInRange(Series::E24, d(56), d(200))) {
        const ZenerChoice c = zenerChoice(in, r);
        const Sampled s = sampled(in, r.toDouble());
        const bool keeps = s.izMin >= 5e-3 && s.pzMax <= 0.5;
        EXPECT_EQ(std::find(listed.begin(), listed.end(), r) != listed.end(), keeps) << r.toDouble();
        EXPECT_NEAR(c.izMin.toDouble(), s.izMin, 1e-12);
        EXPECT_NEAR(c.izMax.toDouble(), s.izMax, 1e-12);
        EXPECT_GE(c.pzMax.toDouble(), s.pzMax * (1 - 1e-12));
        EXPECT_LE(c.pzMax.toDouble(), s.pzMax * 1.001);
    }
    // 75 Ω: the resistor's power at 12 V through 75 Ω, and 7.155² / 71.25 at the worst corner.
    const ZenerChoice first = design->choices.front();
    EXPECT_EQ(first.power, Exact::of(d(4761, -2)) / Exact::of(75));
    EXPECT_EQ(first.powerMax.rounded(5), d(71851, -5));
    EXPECT_EQ(*first.rating, d(2)); // 2 x 0.635 W
}

TEST(ZenerDesign, APeakInsideTheRangeOfVzIsTheWorstPower)
{
    ZenerInput in = example();
    in.supplyMax = d(102, -1); // half of it is the nominal V z
    const auto design = designZener(in);
    ASSERT_TRUE(design);
    EXPECT_DOUBLE_EQ(design->rMin, 5.1 * 5.1 / 0.5);
    for (const ZenerChoice& c : design->choices)
        EXPECT_NEAR(c.pzMax.toDouble(), sampled(in, c.ohms.toDouble()).pzMax, 1e-12);
}

TEST(ZenerDesign, AClosedWindowSaysWhichLimitClosedIt)
{
    const struct {
        const char* name;
        ZenerInput in;
        ZenerLimit limit;
        const char* why;
    } cases[] = {
        {"SupplyNotAboveVz",
         [] {
             auto in = example();
             in.supplyMin = d(5);
             return in;
         }(),
         ZenerLimit::Supply,
         "At its lowest, 5 V, the supply is not above the Zener's highest V z, 5.355 V: a higher supply or a lower "
         "V z"},
        {"Rating",
         [] {
             auto in = example();
             in.pzRating = d(2, -1);
             return in;
         }(),
         ZenerLimit::Power,
         "The Zener's rating: the largest resistor that keeps 5 mA in it at the lowest supply and the largest load, "
         "145.8 Ω, lets it dissipate 244.1 mW at the highest supply and the smallest load: a Zener rated for that, or "
         "a narrower supply or load range"},
        {"NoValueOfTheSeries",
         [] {
             auto in = example();
             in.pzRating = d(32, -2);
             in.series = Series::E3;
             return in;
         }(),
         ZenerLimit::Series, "No E3 value stays inside the window, 111.2 Ω to 145.8 Ω, over its 5 % tolerance"},
    };
    for (const auto& c : cases) {
        const auto design = designZener(c.in);
        ASSERT_TRUE(design) << c.name;
        EXPECT_EQ(design->limit, c.limit) << c.name;
        EXPECT_EQ(design->why, c.why) << c.name;
        EXPECT_TRUE(design->choices.empty()) << c.name;
    }
}

TEST(HeatSink, ARegulatorsLossThroughItsThermalPath)
{
    values::Thermal t;
    t.powerW = linearLoss(12, 5, 0.5); // 3.5 W
    t.junctionToCase = 5;
    t.junctionToAir = 50;
    const HeatSink h = heatSink(t);
    EXPECT_DOUBLE_EQ(*h.bareJunctionC, 200);
    EXPECT_FALSE(*h.bareWithin);
    EXPECT_DOUBLE_EQ(*h.bareMaxW, 2);
    EXPECT_DOUBLE_EQ(h.sinkMax, 100 / 3.5 - 5.5);
    EXPECT_DOUBLE_EQ(h.caseC, 107.5);
    t.powerW = 30;
    EXPECT_LT(heatSink(t).sinkMax, 0); // even a perfect heat sink leaves the junction too hot
}

TEST(HeatSink, ReadsThermalResistancesAsDataSheetsWriteThem)
{
    EXPECT_EQ(*parseThermalResistance("62.5").value, 62.5);
    EXPECT_EQ(*parseThermalResistance("5 K/W").value, 5);
    EXPECT_EQ(*parseThermalResistance("0.5°C/W").value, 0.5);
    EXPECT_EQ(*parseThermalResistance("0").value, 0);
    EXPECT_EQ(parseThermalResistance("5k").error, "'5k' is not a thermal resistance: write 5, 5K/W or 62.5");
    EXPECT_EQ(parseThermalResistance("2000").error, "'2000' is above 1000 K/W");
}

TEST(TransistorSwitch, BaseResistorsAroundTheExactValue)
{
    BaseDrive drive;
    drive.load = d(1, -1);
    drive.drive = d(5);
    const auto forced = designBase(drive);
    ASSERT_TRUE(forced);
    EXPECT_EQ(forced->ohms, Exact::of(d(430))); // 4.3 V at 10 mA
    ASSERT_EQ(forced->choices.size(), 2U);
    EXPECT_EQ(forced->choices[0].ohms, d(430));
    EXPECT_EQ(forced->choices[1].ohms, d(470));
    EXPECT_EQ(forced->choices[1].forcedGain.rounded(4), d(1093, -2));

    drive.hfeMin = d(100);
    drive.drive = d(33, -1);
    const auto fromHfe = designBase(drive); // 2 mA: 1300 Ω
    ASSERT_TRUE(fromHfe);
    EXPECT_EQ(fromHfe->choices[0].ohms, d(13, 2));
    EXPECT_EQ(fromHfe->choices[1].ohms, d(15, 2));
    drive.overdrive = d(200);
    EXPECT_EQ(checkBase(drive).change, SwitchField::Hfe);
}

TEST(TransistorSwitch, GateResistorAndPullDown)
{
    GateDrive drive{d(10, -9), d(100, -9), d(5), d(3)};
    const auto gate = designGate(drive); // 0.1 A through 2 V: 20 Ω
    ASSERT_TRUE(gate);
    EXPECT_EQ(gate->ohms, Exact::of(d(20)));
    EXPECT_EQ(gate->choices[0].ohms, d(20));
    EXPECT_EQ(gate->choices[1].ohms, d(22));
    EXPECT_EQ(gate->choices[1].time, Exact::of(d(110, -9)));
    EXPECT_EQ(gate->choices[0].peakCurrent, Exact::of(d(25, -2)));
    EXPECT_EQ(*gate->pullDown, d(1, 4));
    EXPECT_EQ(gate->offTime.rounded(4), d(3333, -8));
    drive.time = d(1, -6); // 200 Ω: the pull-down at 100 times that
    EXPECT_EQ(*designGate(drive)->pullDown, d(2, 4));
    drive.plateau = d(5);
    EXPECT_EQ(checkGate(drive).change, SwitchField::Drive);
}

} // namespace

namespace {

// Random supplies, Zeners, loads and ratings: a value is listed exactly when every sampled corner
// keeps the Zener's least current and its rating, and its worst currents are the corners'.
TEST(ZenerDesign, AgreesWithTheCornersOnRandomInputs)
{
    std::mt19937 random(5151);
    int open = 0;
    for (int round = 0; round < 200; ++round) {
        ZenerInput in;
        // In tenths of a volt and in milliamperes, before each is made a decimal.
        const auto vz = static_cast<std::int64_t>(random() % 150 + 24);
        const std::int64_t supplyMin = vz * 11 / 10 + static_cast<std::int64_t>(random() % 60);
        const std::int64_t loadMin = static_cast<std::int64_t>(random() % 10);
        in.vz = d(vz, -1);
        in.supplyMin = d(supplyMin, -1);
        in.supplyMax = d(supplyMin + static_cast<std::int64_t>(random() % 80), -1);
        in.vzTolerance = d(static_cast<std::int64_t>(random() % 10));
        in.izMin = d(static_cast<std::int64_t>(random() % 10 + 1), -3);
        in.pzRating = d(static_cast<std::int64_t>(random() % 20 + 1), -1);
        in.loadMin = d(loadMin, -3);
        in.loadMax = d(loadMin + static_cast<std::int64_t>(random() % 50), -3);
        in.series = round % 2 ? Series::E12 : Series::E48;
        in.top = 1000;
        const auto design = designZener(in);
        ASSERT_TRUE(design) << round;
        std::vector<Decimal> listed;
        for (const ZenerChoice& c : design->choices)
            listed.push_back(c.ohms);
        open += listed.empty() ? 0 : 1;
        for (const Decimal& r : valuesInRange(in.series, d(1), d(1, 5))) {
            const Sampled s = sampled(in, r.toDouble());
            const bool keeps = s.izMin >= in.izMin.toDouble() * (1 + 1e-12) && s.pzMax <= in.pzRating.toDouble();
            const bool near = std::abs(s.izMin / in.izMin.toDouble() - 1) < 1e-9 ||
                std::abs(s.pzMax / in.pzRating.toDouble() - 1) < 1e-3;
            if (!near) {
                EXPECT_EQ(std::find(listed.begin(), listed.end(), r) != listed.end(), keeps)
                    << "round " << round << ", " << r.toDouble() << " Ω";
            }
        }
        for (const ZenerChoice& c : design->choices) {
            const Sampled s = sampled(in, c.ohms.toDouble());
            EXPECT_NEAR(c.izMin.toDouble(), s.izMin, 1e-12) << round;
            EXPECT_NEAR(c.izMax.toDouble(), s.izMax, 1e-12) << round;
        }
    }
    // Both kinds of answer were put to the test.
    EXPECT_GT(open, 40);
    EXPECT_LT(open, 160);
}

// The series values around a worked-out value, against every value of the series in turn.
TEST(StandardValues, AroundAnExactValueAsAScanFindsThem)
{
    std::mt19937 random(77);
    const SeriesSet sets[] = {{Series::E3}, {Series::E24}, {Series::E24, Series::E96}, {Series::E192}};
    for (int round = 0; round < 300; ++round) {
        const Exact value = Exact::of(d(static_cast<std::int64_t>(random() % 1'000'000 + 1), -3)) /
            Exact::of(static_cast<std::uint64_t>(random() % 97 + 1));
        const SeriesSet& set = sets[round % 4];
        std::optional<Decimal> atOrAbove;
        std::optional<Decimal> below;
        std::optional<Decimal> atOrBelow;
        std::optional<Decimal> above;
        for (const Decimal& v : valuesInRange(set, d(1, -3), d(1, 7))) {
            const Exact e = Exact::of(v);
            if (e < value)
                below = v;
            if (e <= value)
                atOrBelow = v;
            if (!atOrAbove && value <= e)
                atOrAbove = v;
            if (!above && value < e)
                above = v;
        }
        const Bracket b = bracket(set, value);
        EXPECT_EQ(b.atOrAbove, atOrAbove) << round;
        EXPECT_EQ(b.below, below) << round;
        if (set.size() == 1) {
            const Neighbours n = neighbours(set.front(), value);
            EXPECT_EQ(n.atOrBelow, atOrBelow) << round;
            EXPECT_EQ(n.above, above) << round;
        }
        // The nearer on a log scale: the smaller of value / below and above / value.
        const auto nearest = nearer(b, value);
        ASSERT_TRUE(nearest);
        if (below && atOrAbove) {
            const double up = atOrAbove->toDouble() / value.toDouble();
            const double down = value.toDouble() / below->toDouble();
            if (std::abs(up - down) > 1e-9) {
                EXPECT_EQ(*nearest, up < down ? *atOrAbove : *below) << round;
            }
        }
    }
}

} // namespace
