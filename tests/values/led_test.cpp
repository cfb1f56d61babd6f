// SPDX-License-Identifier: MIT
#include "numeric/exact.h"
#include "numeric/format.h"
#include "values/led.h"
#include "values/power.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

using namespace values;

namespace {

Decimal d(std::int64_t mantissa, int exponent = 0)
{
    return Decimal::of(mantissa, exponent);
}

LedInput input(Decimal supply, Decimal forward, int count, Decimal current)
{
    LedInput in;
    in.supply = supply;
    in.forward = forward;
    in.count = count;
    in.current = current;
    return in;
}

// The worked examples with the defaults (E24, 5 % parts, 2x margin), each figure to the digits
// it is given with.
struct Example {
    const char* name;
    LedInput in;
    Decimal exactOhms; // to 4 digits
    bool exactIsDecimal;
    Decimal above;
    Decimal aboveMilliamps;  // to 4 digits
    Decimal aboveMilliwatts; // to 3 digits
    Decimal aboveRating;
    Decimal below;
    Decimal belowMilliamps;
    Decimal belowMilliwatts;
};

class LedExample : public testing::TestWithParam<Example> {};

TEST_P(LedExample, GivesTheResistorsAndTheirFigures)
{
    const Example& e = GetParam();
    const auto design = designLed(e.in);
    ASSERT_TRUE(design);
    EXPECT_EQ(design->exact.ohms.rounded(4), e.exactOhms);
    EXPECT_EQ(design->exact.ohms.isDecimal(4), e.exactIsDecimal);
    ASSERT_EQ(design->choices.size(), 2U);
    const LedChoice& above = design->choices[0];
    const LedChoice& below = design->choices[1];
    EXPECT_EQ(above.ohms, Exact::of(e.above));
    EXPECT_EQ((above.current * Exact::of(1000)).rounded(4), e.aboveMilliamps);
    EXPECT_EQ((above.power * Exact::of(1000)).rounded(3), e.aboveMilliwatts);
    ASSERT_TRUE(above.rating);
    EXPECT_EQ(*above.rating, e.aboveRating);
    EXPECT_EQ(below.ohms, Exact::of(e.below));
    EXPECT_EQ((below.current * Exact::of(1000)).rounded(4), e.belowMilliamps);
    EXPECT_EQ((below.power * Exact::of(1000)).rounded(3), e.belowMilliwatts);
}

INSTANTIATE_TEST_SUITE_P(
    Values, LedExample,
    testing::Values(Example{"RedAt10mAFrom5VTakes300OhmsExactlyAndASixteenthWatt", input(d(5), d(2), 1, d(10, -3)),
                            d(300), true, d(300), d(10), d(30), d(625, -4), d(270), d(1111, -2), d(333, -1)},
                    Example{"BlueAt20mAFrom5VTakes91OhmsAboveAnd82Below", input(d(5), d(32, -1), 1, d(20, -3)), d(90),
                            true, d(91), d(1978, -2), d(356, -1), d(1, -1), d(82), d(2195, -2), d(395, -1)},
                    Example{"ThreeWhiteAt20mAFrom12VTake150OhmsAboveAnd130Below", input(d(12), d(31, -1), 3, d(20, -3)),
                            d(135), true, d(150), d(18), d(486, -1), d(1, -1), d(130), d(2077, -2), d(561, -1)},
                    Example{"A2V2LedAt30mAFrom12VTakes330OhmsAndAOneWattPart", input(d(12), d(22, -1), 1, d(30, -3)),
                            d(3267, -1), false, d(330), d(2970, -2), d(291), d(1), d(300), d(3267, -2), d(320)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LedRating, WithoutMarginTheOneWattExampleNeedsHalfAWattAndOverloadsAQuarterWatt)
{
    LedInput in = input(d(12), d(22, -1), 1, d(30, -3));
    in.margin = d(1);
    const LedChoice c = designLed(in)->choices.front();
    EXPECT_EQ(c.rating, d(5, -1));
    EXPECT_GT(c.power, Exact::of(d(25, -2)));
}

struct RatingCase {
    const char* name;
    Decimal watts;
    Decimal margin;
    Decimal worst;
    std::optional<Decimal> rating;
};

class PowerRating : public testing::TestWithParam<RatingCase> {};

TEST_P(PowerRating, IsTheSmallestThatHoldsIt)
{
    const RatingCase& c = GetParam();
    EXPECT_EQ(powerRating(Exact::of(c.watts), c.margin, Exact::of(c.worst)), c.rating);
}

INSTANTIATE_TEST_SUITE_P(
    Values, PowerRating,
    testing::Values(RatingCase{"ExactlyASixteenthFitsASixteenth", d(625, -4), d(1), {}, d(625, -4)},
                    RatingCase{"JustAboveASixteenthTakesATenth", d(625000001, -10), d(1), {}, d(1, -1)},
                    RatingCase{"HalfASixteenthAtTwiceFitsASixteenth", d(3125, -5), d(2), {}, d(625, -4)},
                    RatingCase{"TheWorstCornerAboveTheMarginDecides", d(1, -2), d(2), d(13, -2), d(25, -2)},
                    RatingCase{"FiveWattsIsTheLargest", d(5), d(1), {}, d(5)},
                    RatingCase{"AboveFiveWattsThereIsNone", d(25, -1), d(3), {}, std::nullopt},
                    RatingCase{"NothingDissipatedTakesTheSmallest", d(0), d(2), {}, d(625, -4)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PowerRating, IsWrittenAsOnTheBag)
{
    EXPECT_EQ(ratingText(d(625, -4)), "1/16 W");
    EXPECT_EQ(ratingText(d(1, -1)), "1/10 W");
    EXPECT_EQ(ratingText(d(125, -3)), "1/8 W");
    EXPECT_EQ(ratingText(d(25, -2)), "1/4 W");
    EXPECT_EQ(ratingText(d(5, -1)), "1/2 W");
    EXPECT_EQ(ratingText(d(3)), "3 W");
    EXPECT_EQ(parseMargin("2x"), d(2));
    EXPECT_EQ(parseMargin("1.5"), d(15, -1));
    EXPECT_FALSE(parseMargin("0.5"));
    EXPECT_FALSE(parseMargin("11"));
}

struct Refusal {
    const char* name;
    LedInput in;
    LedField field;
};

LedInput withRange(LedInput in, Decimal lo, Decimal hi, Decimal supplyTolerance = {})
{
    in.forwardMin = lo;
    in.forwardMax = hi;
    in.supplyTolerance = supplyTolerance;
    return in;
}

class LedRefusal : public testing::TestWithParam<Refusal> {};

TEST_P(LedRefusal, NamesTheField)
{
    const Refusal& r = GetParam();
    EXPECT_EQ(checkLed(r.in).change, r.field);
    EXPECT_FALSE(designLed(r.in));
}

INSTANTIATE_TEST_SUITE_P(
    Values, LedRefusal,
    testing::Values(Refusal{"ThreeWhiteFrom5VCannotBeDriven", input(d(5), d(32, -1), 3, d(20, -3)), LedField::Supply},
                    Refusal{"ASupplyEqualToTheStringIsRefused", input(d(66, -1), d(22, -1), 3, d(10, -3)),
                            LedField::Supply},
                    Refusal{"TheHighestForwardVoltageDecides",
                            withRange(input(d(7), d(2), 3, d(10, -3)), d(18, -1), d(24, -1)), LedField::Supply},
                    Refusal{"TheLowestSupplyDecides", withRange(input(d(63, -1), d(2), 3, d(10, -3)), d(2), d(2), d(5)),
                            LedField::Supply},
                    Refusal{"ATypicalOutsideItsRange",
                            withRange(input(d(12), d(3), 1, d(10, -3)), d(18, -1), d(22, -1)), LedField::ForwardRange},
                    Refusal{"NoLeds", input(d(12), d(2), 0, d(10, -3)), LedField::Count},
                    Refusal{"ASupplyToleranceOf100", withRange(input(d(12), d(2), 1, d(10, -3)), d(2), d(2), d(100)),
                            LedField::SupplyTolerance}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LedRefusal, JustAboveTheStringIsDriven)
{
    EXPECT_TRUE(designLed(input(d(66001, -4), d(22, -1), 3, d(10, -3))));
}

// Every corner tried, each LED on its own: the supply either way, each V f at either end of
// its range, the resistor either way.
struct Corners {
    double currentMin = INFINITY;
    double currentMax = 0;
    double powerMax = 0;
};

Corners everyCorner(const LedInput& in, double ohms)
{
    Corners c;
    const double s = in.supplyTolerance.toDouble() / 100;
    const double t = in.tolerance.toDouble() / 100;
    const double lo = in.forwardMin->toDouble();
    const double hi = in.forwardMax->toDouble();
    for (const double supply : {in.supply.toDouble() * (1 - s), in.supply.toDouble() * (1 + s)}) {
        for (unsigned leds = 0; leds < (1U << in.count); ++leds) {
            double drop = supply;
            for (int i = 0; i < in.count; ++i)
                drop -= ((leds >> i) & 1U) != 0 ? hi : lo;
            for (const double r : {ohms * (1 - t), ohms * (1 + t)}) {
                c.currentMin = std::min(c.currentMin, drop / r);
                c.currentMax = std::max(c.currentMax, drop / r);
                c.powerMax = std::max(c.powerMax, drop * drop / r);
            }
        }
    }
    return c;
}

TEST(LedCorners, AgreeWithEveryCornerTriedOnRandomCases)
{
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> tenths(12, 40);
    std::uniform_int_distribution<int> spread(0, 4);
    std::uniform_int_distribution<int> count(1, 6);
    std::uniform_int_distribution<int> percent(0, 20);
    std::uniform_int_distribution<int> milliamps(1, 50);
    std::uniform_int_distribution<int> extra(1, 240);
    int checked = 0;
    for (int i = 0; i < 400; ++i) {
        LedInput in;
        const int typical = tenths(random);
        in.forward = d(typical, -1);
        in.forwardMin = d(typical - spread(random), -1);
        in.forwardMax = d(typical + spread(random), -1);
        in.count = count(random);
        in.supplyTolerance = d(percent(random));
        in.tolerance = d(percent(random));
        in.current = d(milliamps(random), -3);
        in.supply = d(in.count * (typical + 4) + extra(random), -1);
        if (checkLed(in).change != LedField::None)
            continue;
        ++checked;
        const auto design = designLed(in);
        ASSERT_TRUE(design);
        for (const LedChoice& c : design->choices) {
            const Corners brute = everyCorner(in, c.ohms.toDouble());
            EXPECT_NEAR(c.currentMin.toDouble(), brute.currentMin, 1e-12 * brute.currentMin);
            EXPECT_NEAR(c.currentMax.toDouble(), brute.currentMax, 1e-12 * brute.currentMax);
            EXPECT_NEAR(c.powerMax.toDouble(), brute.powerMax, 1e-12 * brute.powerMax);
            EXPECT_LE(c.currentMin, c.current);
            EXPECT_LE(c.current, c.currentMax);
        }
        // The value at or above keeps the current at or below the goal; the one below exceeds it.
        EXPECT_LE(design->choices[0].current, Exact::of(in.current));
        EXPECT_GT(design->choices[1].current, Exact::of(in.current));
    }
    EXPECT_GT(checked, 200);
}

TEST(LedColours, EachTypicalLiesInItsRange)
{
    for (const LedColour& c : ledColours()) {
        EXPECT_LE(c.min, c.typical) << c.name;
        EXPECT_LE(c.typical, c.max) << c.name;
    }
    EXPECT_EQ(ledColours()[1].typical, d(2));
}

} // namespace
