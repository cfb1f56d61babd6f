// SPDX-License-Identifier: MIT
#include "numeric/parse.h"
#include "values/board.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

using namespace values;

namespace {

// Figures as the worked examples print them: equal to the digits shown.
void expectShown(double value, double shown, double lastDigit)
{
    EXPECT_LE(std::abs(value - shown), lastDigit / 2) << value << " is not shown as " << shown;
}

struct WidthExample {
    const char* name;
    double currentA;
    double riseC;
    double thicknessM;
    bool internal;
    double widthMm;
};

class TrackWidth : public testing::TestWithParam<WidthExample> {};

TEST_P(TrackWidth, IsTheWorkedExamplesWidth)
{
    const WidthExample& e = GetParam();
    Track track;
    track.riseC = e.riseC;
    track.thicknessM = e.thicknessM;
    track.internal = e.internal;
    expectShown(trackForCurrent(e.currentA, track).widthM * 1e3, e.widthMm, 0.001);
}

INSTANTIATE_TEST_SUITE_P(Ipc2221, TrackWidth,
                         testing::Values(WidthExample{"OneAmpTenDegreesOneOunceOuter", 1, 10, 35e-6, false, 0.300},
                                         WidthExample{"OneAmpTenDegreesOneOunceInner", 1, 10, 35e-6, true, 0.781},
                                         WidthExample{"ThreeAmpsTwentyDegreesTwoOunceOuter", 3, 20, 70e-6, false,
                                                      0.449}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Track, OneAmpShowsItsWidthInMilAndItsSection)
{
    const TrackResult r = trackForCurrent(1, Track{});
    expectShown(r.widthMil, 11.83, 0.01);
    expectShown(r.areaMil2, 16.3, 0.1);
    EXPECT_FALSE(r.outside.any());
}

TEST(Track, ResistanceDropAndLossOfTheWorkedTrack)
{
    Track track;
    track.lengthM = 0.1;
    track.ambientC = 10; // plus the 10 °C rise: copper's own 20 °C
    const TrackResult at20 = trackForWidth(0.3e-3, track);
    ASSERT_TRUE(at20.resistanceOhm);
    EXPECT_EQ(at20.temperatureC, 20);
    expectShown(*at20.resistanceOhm, 0.164, 0.001);
    expectShown(copperResistance(0.1, 0.3e-3 * 35e-6, 30), 0.170, 0.001);
    const TrackResult atOneAmp = trackForCurrent(1, track);
    const double r = copperResistance(0.1, atOneAmp.widthM * 35e-6, 20);
    EXPECT_DOUBLE_EQ(*atOneAmp.dropV, r);
    EXPECT_DOUBLE_EQ(*atOneAmp.lossW, r);
    expectShown(*atOneAmp.dropV, 0.164, 0.001);
    expectShown(*atOneAmp.lossW, 0.164, 0.001);
}

TEST(Track, NoLengthNoResistance)
{
    EXPECT_FALSE(trackForCurrent(1, Track{}).resistanceOhm);
}

// The reverse formula undoes the forward one over the whole fitted range and beyond it.
TEST(Track, WidthForACurrentCarriesThatCurrent)
{
    std::mt19937 random(2221);
    std::uniform_real_distribution<double> logCurrent(-3, 2);
    std::uniform_real_distribution<double> rise(1, 150);
    std::uniform_real_distribution<double> thickness(5e-6, 210e-6);
    for (int i = 0; i < 500; ++i) {
        Track track;
        track.riseC = rise(random);
        track.thicknessM = thickness(random);
        track.internal = i % 2 == 1;
        const double current = std::pow(10.0, logCurrent(random));
        const TrackResult width = trackForCurrent(current, track);
        const TrackResult back = trackForWidth(width.widthM, track);
        EXPECT_NEAR(back.currentA / current, 1, 1e-12) << current << " A, " << track.riseC << " °C";
        EXPECT_NEAR(back.areaMil2 / width.areaMil2, 1, 1e-12);
    }
}

struct Limit {
    const char* name;
    double currentA;
    double riseC;
    double thicknessM;
    bool current, width, rise, copper;
};

class FitRange : public testing::TestWithParam<Limit> {};

TEST_P(FitRange, MarksWhatLiesOutside)
{
    const Limit& l = GetParam();
    Track track;
    track.riseC = l.riseC;
    track.thicknessM = l.thicknessM;
    const FitLimits f = trackForCurrent(l.currentA, track).outside;
    EXPECT_EQ(f.current, l.current);
    EXPECT_EQ(f.width, l.width);
    EXPECT_EQ(f.rise, l.rise);
    EXPECT_EQ(f.copper, l.copper);
}

INSTANTIATE_TEST_SUITE_P(
    Ipc2221, FitRange,
    testing::Values(Limit{"InsideAtTheEdges", 10, 10, 105e-6, false, false, false, false},
                    Limit{"AHundredDegreesIsInside", 1, 100, 17.5e-6, false, false, false, false},
                    Limit{"AboveThirtyFiveAmps", 36, 100, 105e-6, true, false, false, false},
                    Limit{"WiderThanFourHundredMil", 30, 10, 35e-6, false, true, false, false},
                    Limit{"RiseBelowTen", 1, 9.9, 35e-6, false, false, true, false},
                    Limit{"RiseAboveAHundred", 1, 101, 35e-6, false, false, true, false},
                    Limit{"CopperThinnerThanHalfAnOunce", 0.1, 10, 12e-6, false, false, false, true},
                    Limit{"CopperThickerThanThreeOunces", 1, 10, 140e-6, false, false, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

// The chart's inner-layer curves end at 17.5 A, half the outer ones' 35 A.
TEST(Track, InnerLayersAreFittedToSeventeenAndAHalfAmps)
{
    Track inner;
    inner.internal = true;
    EXPECT_FALSE(trackForCurrent(17.5, inner).outside.current);
    EXPECT_TRUE(trackForCurrent(17.6, inner).outside.current);
    EXPECT_FALSE(trackForCurrent(17.6, Track{}).outside.current);
}

TEST(Via, TheWorkedVia)
{
    Via v; // 0.3 mm hole, 25 µm plating, 1.6 mm board, 0.6 mm pad, 1.0 mm antipad, er 4.5
    ASSERT_EQ(checkVia(v).field, ViaField::None);
    const ViaResult r = via(v);
    expectShown(r.resistanceOhm * 1e3, 1.08, 0.01);
    expectShown(r.capacitanceF * 1e12, 0.60, 0.01);
    expectShown(r.inductanceH * 1e9, 1.30, 0.01);
    EXPECT_DOUBLE_EQ(r.sectionM2, M_PI * 0.325e-3 * 25e-6);
    EXPECT_DOUBLE_EQ(r.thermalKPerW, 1.6e-3 / (401 * r.sectionM2));
    EXPECT_DOUBLE_EQ(r.currentA, ipcCurrent(r.sectionM2 / (25.4e-6 * 25.4e-6), 10, false));
    EXPECT_FALSE(r.dropV);
    v.currentA = 2;
    const ViaResult loaded = via(v);
    EXPECT_DOUBLE_EQ(*loaded.dropV, 2 * r.resistanceOhm);
    EXPECT_DOUBLE_EQ(*loaded.lossW, 4 * r.resistanceOhm);
}

TEST(Via, RefusesWhatItsFormulasCannotTake)
{
    Via v;
    v.antipadM = v.padM;
    EXPECT_EQ(checkVia(v).field, ViaField::Antipad);
    v = Via{};
    v.lengthM = v.holeM / 4 * std::exp(-1.0);
    EXPECT_EQ(checkVia(v).field, ViaField::Length);
    v = Via{};
    v.er = 0.9;
    EXPECT_EQ(checkVia(v).field, ViaField::Er);
    // The barrel's copper is the hole and the plating on both sides: 0.35 mm here.
    v = Via{};
    v.padM = 0.35e-3;
    EXPECT_EQ(checkVia(v).message, "The pad must be wider than the hole with its plating (0.35 mm)");
    v.padM = 0.36e-3;
    EXPECT_EQ(checkVia(v).field, ViaField::None);
}

// Every row of table 6-1, read at its highest voltage and just above the row below.
struct SpacingCase {
    const char* voltage;
    std::array<double, spacingCategoryCount> mm;
};

class SpacingTable : public testing::TestWithParam<SpacingCase> {};

TEST_P(SpacingTable, GivesEveryCategory)
{
    const SpacingCase& c = GetParam();
    const SpacingResult r = spacing(*parse(c.voltage).value);
    for (std::size_t i = 0; i < spacingCategoryCount; ++i)
        EXPECT_DOUBLE_EQ(r.metres[i], c.mm[i] / 1000) << c.voltage << " V, " << spacingCategories()[i].code;
}

std::string spacingName(const testing::TestParamInfo<SpacingCase>& info)
{
    std::string name = "At" + std::string(info.param.voltage) + "V";
    for (char& c : name) {
        if (c == '.')
            c = '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(
    Ipc2221B, SpacingTable,
    testing::Values(SpacingCase{"15", {0.05, 0.1, 0.1, 0.05, 0.13, 0.13, 0.13}},
                    SpacingCase{"15.5", {0.05, 0.1, 0.1, 0.05, 0.13, 0.25, 0.13}},
                    SpacingCase{"30", {0.05, 0.1, 0.1, 0.05, 0.13, 0.25, 0.13}},
                    SpacingCase{"48", {0.1, 0.6, 0.6, 0.13, 0.13, 0.4, 0.13}},
                    SpacingCase{"100", {0.1, 0.6, 1.5, 0.13, 0.13, 0.5, 0.13}},
                    SpacingCase{"101", {0.2, 0.6, 3.2, 0.4, 0.4, 0.8, 0.4}},
                    SpacingCase{"170", {0.2, 1.25, 3.2, 0.4, 0.4, 0.8, 0.4}},
                    SpacingCase{"250", {0.2, 1.25, 6.4, 0.4, 0.4, 0.8, 0.4}},
                    SpacingCase{"300", {0.2, 1.25, 12.5, 0.4, 0.4, 0.8, 0.8}},
                    SpacingCase{"300.1", {0.25, 2.5, 12.5, 0.8, 0.8, 1.5, 0.8}},
                    SpacingCase{"500", {0.25, 2.5, 12.5, 0.8, 0.8, 1.5, 0.8}},
                    SpacingCase{"501", {0.2525, 2.505, 12.525, 0.80305, 0.80305, 1.50305, 0.80305}},
                    SpacingCase{"1000", {1.5, 5, 25, 2.325, 2.325, 3.025, 2.325}},
                    SpacingCase{"500.5", {0.25125, 2.5025, 12.5125, 0.801525, 0.801525, 1.501525, 0.801525}}),
    spacingName);

// Mains typed as 230 V RMS peaks at 325 V, a row above 230 V's; an RMS whose peak passes a row's
// end by a hair takes the next row.
TEST(Spacing, AnRmsVoltageTakesItsPeaksRow)
{
    struct Case {
        const char* rms;
        int row;
    };
    for (const Case c : {Case{"230", 8}, Case{"106", 4}, Case{"106.1", 5}, Case{"10.6", 0}, Case{"10.61", 1},
                         Case{"353.5", 8}, Case{"353.6", 9}, Case{"0", 0}}) {
        const Decimal rms = std::string(c.rms) == "0" ? Decimal{} : *parse(c.rms).value;
        EXPECT_EQ(spacingForRms(rms).spacing.row, c.row) << c.rms;
    }
    EXPECT_EQ(spacing(*parse("230").value).row, 6);
    EXPECT_NEAR(spacingForRms(*parse("230").value).peakV, 325.269, 0.001);
    EXPECT_EQ(spacingForRms(*parse("230").value).spacing.metres, spacing(*parse("325").value).metres);
    EXPECT_DOUBLE_EQ(spacingForRms(*parse("400").value).spacing.metres[0],
                     (0.25 + (400 * std::sqrt(2.0) - 500) * 0.0025) / 1000);
}

TEST(Spacing, ZeroVoltsTakesTheFirstRowAndAboveFiveHundredTheRule)
{
    EXPECT_EQ(spacing(Decimal{}).row, 0);
    EXPECT_EQ(spacing(Decimal::of(500, 0)).row, 8);
    EXPECT_EQ(spacing(Decimal::of(5001, -1)).row, 9);
    // 1e15 V: exact arithmetic still fits, 0.25 mm + (1e15 - 500) x 0.0025 mm.
    EXPECT_DOUBLE_EQ(spacing(Decimal::of(1, 15)).metres[0], (0.25 + (1e15 - 500) * 0.0025) / 1000);
}

struct LengthCase {
    const char* text;
    BareLength bare;
    bool copper;
    double metres; // 0: refused
};

class LengthText : public testing::TestWithParam<LengthCase> {};

TEST_P(LengthText, ReadsAsPeopleWriteIt)
{
    const LengthCase& c = GetParam();
    const QuantityReading r = parseLength(c.text, c.bare, c.copper);
    if (c.metres == 0) {
        EXPECT_FALSE(r.value) << c.text;
        EXPECT_NE(r.error.find(std::string("'") + c.text + "'"), std::string::npos) << r.error;
        return;
    }
    ASSERT_TRUE(r.value) << c.text << ": " << r.error;
    EXPECT_EQ(nearestDouble(*r.value), c.metres) << c.text;
}

constexpr auto mm = BareLength::Millimetre;
constexpr auto um = BareLength::Micrometre;

INSTANTIATE_TEST_SUITE_P(
    Units, LengthText,
    testing::Values(LengthCase{"0.3mm", mm, false, 0.3e-3}, LengthCase{"0.3 mm", um, false, 0.3e-3},
                    LengthCase{"0.3", mm, false, 0.3e-3}, LengthCase{"25", um, false, 25e-6},
                    LengthCase{"25u", mm, false, 25e-6}, LengthCase{"25um", mm, false, 25e-6},
                    LengthCase{"25 \xC2\xB5m", mm, false, 25e-6}, LengthCase{"1.6m", um, false, 1.6e-3},
                    LengthCase{"10mil", mm, false, 254e-6}, LengthCase{"10MIL", mm, false, 254e-6},
                    LengthCase{"1.378 mils", um, false, 35.0012e-6}, LengthCase{"0.1in", mm, false, 2.54e-3},
                    LengthCase{"10cm", mm, false, 0.1}, LengthCase{"1oz", um, true, 35e-6},
                    LengthCase{"0.5 oz", um, true, 17.5e-6}, LengthCase{"2oz", um, true, 70e-6},
                    LengthCase{"1OZ", um, true, 35e-6}, LengthCase{"0,3", mm, false, 0},
                    LengthCase{"1oz", mm, false, 0}, LengthCase{"nan", mm, false, 0}, LengthCase{"inf", mm, false, 0},
                    LengthCase{"-1mm", mm, false, 0}, LengthCase{"0", mm, false, 0}, LengthCase{"0mm", mm, false, 0},
                    LengthCase{"5V", mm, false, 0}, LengthCase{"1kmm", mm, false, 0}, LengthCase{"mm", mm, false, 0},
                    LengthCase{"3 ft", mm, false, 0}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(Temperature, AmbientMayBeZeroOrBelowRiseMayNot)
{
    EXPECT_EQ(parseTemperature("-40", true).value, Decimal::of(-40, 0));
    EXPECT_EQ(parseTemperature("0", true).value, Decimal{});
    EXPECT_EQ(parseTemperature("25 \xC2\xB0"
                               "C",
                               true)
                  .value,
              Decimal::of(25, 0));
    EXPECT_FALSE(parseTemperature("-274", true).value);
    EXPECT_FALSE(parseTemperature("0", false).value);
    EXPECT_FALSE(parseTemperature("-10", false).value);
    EXPECT_FALSE(parseTemperature("10K", false).value);
    EXPECT_FALSE(parseTemperature("nan", true).value);
    EXPECT_EQ(parseTemperature("10C", false).value, Decimal::of(10, 0));
}

} // namespace
