// SPDX-License-Identifier: MIT
#include "values/conversions.h"
#include "values/energy.h"
#include "values/wires.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

using namespace values;

namespace {

// The figures users gave, each as a function of the arithmetic and the digits it is shown with.
struct Worked {
    const char* name;
    double (*value)();
    double shown;
    double lastDigit;
};

Cable tenMetresTenAmps()
{
    Cable c;
    c.lengthM = 10;
    c.currentA = 10;
    return c;
}

Battery dutyCycled()
{
    Battery b;
    b.capacityAh = 2;
    b.activeA = 10e-3;
    b.duty = 0.01;
    b.sleepA = 10e-6;
    return b;
}

double awg(int gauge)
{
    return roundArea(awgDiameter(gauge));
}

class WorkedFigure : public testing::TestWithParam<Worked> {};

TEST_P(WorkedFigure, IsShownWithTheDigitsGiven)
{
    const Worked& w = GetParam();
    EXPECT_LE(std::abs(w.value() - w.shown), w.lastDigit / 2) << w.value() << " is not shown as " << w.shown;
}

INSTANTIATE_TEST_SUITE_P(
    Users, WorkedFigure,
    testing::Values(
        Worked{"Awg24Diameter", [] { return awgDiameter(24) * 1e3; }, 0.5106, 1e-4},
        Worked{"Awg24Area", [] { return awg(24) * 1e6; }, 0.2047, 1e-4},
        Worked{"Awg24MilliohmsPerMetre", [] { return resistancePerMetre(Metal::Copper, awg(24), 20) * 1e3; }, 84.21,
               1e-2},
        Worked{"Awg14Diameter", [] { return awgDiameter(14) * 1e3; }, 1.6277, 1e-4},
        Worked{"Awg14Area", [] { return awg(14) * 1e6; }, 2.0809, 1e-4},
        Worked{"Awg14MilliohmsPerMetre", [] { return resistancePerMetre(Metal::Copper, awg(14), 20) * 1e3; }, 8.285,
               1e-3},
        Worked{"CableResistance", [] { return cableDrop(tenMetresTenAmps(), 2.5e-6).resistanceOhm; }, 0.13793, 1e-5},
        Worked{"CableDrop", [] { return cableDrop(tenMetresTenAmps(), 2.5e-6).dropV; }, 1.3793, 1e-4},
        Worked{"Awg24CircularMils", [] { return awg(24) / m2PerCircularMil; }, 404.04, 1e-2},
        Worked{"OnderdonkAwg24", [] { return onderdonkCurrent(awg(24), 1, 25); }, 59.11, 1e-2},
        Worked{"ZeroDbmAt50Ohm", [] { return levels(Level::Dbm, 0, 50)[6]; }, 0.22361, 1e-5},
        Worked{"TenDbmAt50Ohm", [] { return levels(Level::Dbm, 10, 50)[6]; }, 0.70711, 1e-5},
        Worked{"ZeroDbu", [] { return levels(Level::Dbu, 0, 50)[6]; }, 0.77460, 1e-5},
        Worked{"OneGigahertzInVacuum", [] { return waves(Wave::Frequency, 1e9, 1)[2] * 1e3; }, 299.79, 1e-2},
        Worked{"OneGigahertzInFr4", [] { return waves(Wave::Frequency, 1e9, 4.5)[3] * 1e3; }, 141.32, 1e-2},
        Worked{"BatteryAverage", [] { return batteryLife(dutyCycled()).averageA * 1e3; }, 0.1099, 1e-4},
        Worked{"BatteryHours", [] { return batteryLife(dutyCycled()).hours; }, 18198, 1}),
    [](const auto& info) { return std::string(info.param.name); });

// Each AWG size steps to the next in the ratio the definition sets: 92^(1/39) in diameter.
TEST(WireSizes, TablesRunThinnestFirstAndAwgStepsByItsRatio)
{
    const auto awgTable = awgSizes();
    ASSERT_EQ(awgTable.size(), 44U);
    EXPECT_EQ(awgTable.front().awg, 40);
    EXPECT_EQ(awgTable.back().awg, -3);
    EXPECT_NEAR(awgTable.back().diameterM, 11.684e-3, 1e-6); // 0000: 0.46 in
    for (std::size_t i = 1; i < awgTable.size(); ++i)
        EXPECT_NEAR(awgTable[i].diameterM / awgTable[i - 1].diameterM, std::pow(92.0, 1 / 39.0), 1e-12);
    const auto metric = metricSizes();
    EXPECT_EQ(std::string(metric.front().metric), "0.14");
    EXPECT_EQ(std::string(metric.back().metric), "240");
    for (std::size_t i = 1; i < metric.size(); ++i)
        EXPECT_LT(metric[i - 1].areaM2, metric[i].areaM2);
    EXPECT_EQ(metric[7].areaM2, 2.5e-6);
    EXPECT_EQ(sizeName(metric[7]), "2.5 mm²");
    EXPECT_EQ(sizeName(awgTable.back()), "AWG 0000");
}

TEST(WireSizes, AroundASectionAreTheThinnestAtOrAboveAndTheThickestBelow)
{
    const Around exact = around(metricSizes(), 2.5e-6);
    EXPECT_EQ(std::string(exact.above->metric), "2.5");
    EXPECT_EQ(std::string(exact.below->metric), "1.5");
    const Around between = around(awgSizes(), 0.2e-6);
    EXPECT_EQ(between.above->awg, 24);
    EXPECT_EQ(between.below->awg, 25);
    EXPECT_EQ(around(awgSizes(), 1e-3).above, nullptr);
    EXPECT_EQ(around(metricSizes(), 1e-9).below, nullptr);
}

TEST(CableDrop, ThreePhaseIsRootThreeTimesOneConductorAndHotCopperDropsMore)
{
    Cable c = tenMetresTenAmps();
    const Drop dc = cableDrop(c, 2.5e-6);
    c.feed = Feed::ThreePhase;
    const Drop three = cableDrop(c, 2.5e-6);
    EXPECT_DOUBLE_EQ(three.resistanceOhm, dc.resistanceOhm / 2);
    EXPECT_DOUBLE_EQ(three.dropV, std::sqrt(3.0) * three.resistanceOhm * 10);
    EXPECT_DOUBLE_EQ(three.lossW, 3 * three.resistanceOhm * 100);
    c.feed = Feed::Dc;
    c.temperatureC = 70;
    EXPECT_DOUBLE_EQ(cableDrop(c, 2.5e-6).dropV, dc.dropV * (1 + 0.00393 * 50));
    c.metal = Metal::Aluminium;
    c.temperatureC = 20;
    EXPECT_DOUBLE_EQ(cableDrop(c, 2.5e-6).dropV, dc.dropV * 2.8264 / 1.7241);
}

// What the search must find: the thinnest size of the table whose own drop keeps the limit.
const WireSize* bruteForce(std::span<const WireSize> table, const Cable& cable, double limitV)
{
    const WireSize* best = nullptr;
    for (const WireSize& s : table) {
        if (cableDrop(cable, s.areaM2).dropV <= limitV && (!best || s.areaM2 < best->areaM2))
            best = &s;
    }
    return best;
}

TEST(SmallestSize, IsTheBruteForceAnswerOverEveryTableAndAtEveryBorder)
{
    std::mt19937 random(2024);
    std::uniform_real_distribution<double> decades(-3, 4);
    int checked = 0;
    for (int i = 0; i < 2000; ++i) {
        Cable c;
        c.lengthM = std::pow(10.0, decades(random));
        c.currentA = std::pow(10.0, decades(random));
        c.metal = i % 2 ? Metal::Aluminium : Metal::Copper;
        c.feed = i % 3 ? Feed::Dc : Feed::ThreePhase;
        c.temperatureC = -40 + i % 150;
        for (const auto table : {awgSizes(), metricSizes()}) {
            // A limit from nowhere near, and limits exactly at a size's own drop, either side.
            std::vector<double> limits{std::pow(10.0, decades(random))};
            const double border = cableDrop(c, table[static_cast<std::size_t>(i) % table.size()].areaM2).dropV;
            limits.insert(limits.end(), {border, std::nextafter(border, 0.0), std::nextafter(border, 1e300)});
            for (const double limit : limits) {
                EXPECT_EQ(smallestSize(table, c, limit), bruteForce(table, c, limit))
                    << c.lengthM << " m, " << c.currentA << " A, limit " << limit;
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 16000);
}

TEST(Fusing, OnderdonkFallsWithTimeAndAmbientAndPreeceFollowsTheDiameter)
{
    const double a = awg(24);
    EXPECT_NEAR(onderdonkCurrent(a, 4, 25), onderdonkCurrent(a, 1, 25) / 2, 1e-9);
    EXPECT_LT(onderdonkCurrent(a, 1, 100), onderdonkCurrent(a, 1, 25));
    EXPECT_NEAR(preeceCurrent(0.0254), 10244, 1e-9);
    EXPECT_NEAR(preeceCurrent(awgDiameter(24)), 29.19, 0.005);
}

struct Typed {
    const char* name;
    const char* text;
    std::optional<double> value; // SI units; empty when refused
    const char* error = "";
};

class SectionText : public testing::TestWithParam<Typed> {};

TEST_P(SectionText, ReadsInSquareMetres)
{
    const Typed& t = GetParam();
    const Measured m = parseSection(t.text);
    ASSERT_EQ(m.value.has_value(), t.value.has_value()) << m.error;
    if (t.value) {
        EXPECT_DOUBLE_EQ(*m.value, *t.value);
    } else {
        EXPECT_EQ(m.error, t.error);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Typing, SectionText,
    testing::Values(
        Typed{"Bare", "2.5", 2.5e-6}, Typed{"Mm2", "2.5mm2", 2.5e-6}, Typed{"Superscript", "2.5 mm²", 2.5e-6},
        Typed{"Comma", "2,5 MM2", std::nullopt, "'2,5 MM2' is not a section: write 2.5, 2.5mm2 or 250kcmil"},
        Typed{"Kcmil", "250kcmil", 250e3 * m2PerCircularMil}, Typed{"Mcm", "250 MCM", 250e3 * m2PerCircularMil},
        Typed{"Cmil", "404.04cmil", 404.04 * m2PerCircularMil},
        Typed{"PrefixBesideAUnit", "2.5kmm2", std::nullopt,
              "'2.5kmm2' is not a section: write 2.5, 2.5mm2 or 250kcmil"},
        Typed{"Zero", "0mm2", std::nullopt, "'0mm2' is zero: write a value above zero"},
        Typed{"TooLarge", "20000", std::nullopt, "'20000' is outside the sections given: 0.000001 to 10000 mm²"}),
    [](const auto& info) { return std::string(info.param.name); });

class CableLengthText : public testing::TestWithParam<Typed> {};

TEST_P(CableLengthText, ReadsInMetresWhereMIsTheMetre)
{
    const Typed& t = GetParam();
    const Measured m = parseCableLength(t.text);
    ASSERT_EQ(m.value.has_value(), t.value.has_value()) << m.error;
    if (t.value) {
        EXPECT_EQ(*m.value, *t.value);
    } else {
        EXPECT_EQ(m.error, t.error);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Typing, CableLengthText,
    testing::Values(Typed{"Bare", "10", 10.0}, Typed{"Metres", "10m", 10.0}, Typed{"Millimetres", "500 mm", 0.5},
                    Typed{"Kilometres", "2.5km", 2500.0}, Typed{"Feet", "30ft", 9.144},
                    Typed{"Centimetres", "35cm", 0.35},
                    Typed{"Mega", "10M", std::nullopt, "'10M' is not a length: write 10, 10m, 2.5km or 30ft"},
                    Typed{"Negative", "-10m", std::nullopt, "'-10m' is negative: write a value above zero"},
                    Typed{"TooLong", "200km", std::nullopt, "'200km' is outside the lengths given: 1 mm to 100 km"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GaugeText, ReadsEveryWayAGaugeIsWrittenAndRefusesTheRest)
{
    const std::pair<const char*, int> read[] = {{"24", 24},   {"AWG 24", 24}, {"24awg", 24}, {"0", 0},       {"00", -1},
                                                {"0000", -3}, {"4/0", -3},    {"1/0", 0},    {" awg40 ", 40}};
    for (const auto& [text, gauge] : read)
        EXPECT_EQ(parseGauge(text).gauge, gauge) << text;
    EXPECT_EQ(parseGauge("41").error, "'41' is thinner than AWG 40, the thinnest gauge given");
    for (const char* refused : {"", "-1", "00000", "5/0", "24.5", "x"})
        EXPECT_FALSE(parseGauge(refused).gauge) << refused;
}

} // namespace
