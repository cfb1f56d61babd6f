// SPDX-License-Identifier: MIT
// RC, reactance, resonance and the 555: the worked examples, the doubles nearest the true values
// (worked out to 50 digits elsewhere), and the designers against every combination tried.
#include "numeric/format.h"
#include "values/series.h"
#include "values/timing.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace values;

Decimal v(const char* text)
{
    return *parse(text).value;
}

std::vector<Decimal> range(Series series, const char* lo, const char* hi)
{
    return valuesInRange(series, v(lo), v(hi));
}

struct Forward {
    const char* what;
    std::function<double()> answer;
    double nearest; // the double nearest the true value
};

class ForwardTest : public testing::TestWithParam<Forward> {};

TEST_P(ForwardTest, IsTheDoubleNearestTheTrueValue)
{
    EXPECT_EQ(GetParam().answer(), GetParam().nearest) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Timing, ForwardTest,
    testing::Values(
        Forward{"10k with 100n has a time constant of exactly 1 ms", [] { return timeConstant(v("10k"), v("100n")); },
                0.001},
        Forward{"10k with 100n turns at 1000 / 2 pi Hz", [] { return cornerFrequency(v("10k"), v("100n")); },
                159.15494309189535},
        Forward{"10k with 100u charges to 3.3 V of 5 V in 1.0788 s",
                [] { return chargeTime(v("10k"), v("100u"), v("5"), v("3.3")); }, 1.07880966137193},
        Forward{"100n at 1 kHz is 1.5915 kohm", [] { return capacitiveReactance(v("1k"), v("100n")); },
                1591.5494309189532},
        Forward{"10 mH at 1 kHz is 62.83 ohm", [] { return inductiveReactance(v("1k"), v("10m")); }, 62.83185307179586},
        Forward{"100n resonates at 1 kHz with 253.3 mH", [] { return resonantPartner(v("1k"), v("100n")); },
                0.25330295910584444},
        Forward{"10u with 100n resonates at 159.15 kHz", [] { return resonance(v("10u"), v("100n")); },
                159154.94309189534},
        Forward{"10u with 100n has an impedance of 10 ohm", [] { return characteristicImpedance(v("10u"), v("100n")); },
                10.0},
        Forward{"R1 10k, R2 1M, C 300n run at 2.3925 Hz, not the 1.44 rule's 2.388",
                [] { return astable(v("10k"), v("1M"), v("300n"), false).frequencyHz; }, 2.3925290893680984},
        Forward{"R1 10k, R2 1M give a duty of 50.25 %",
                [] { return astable(v("10k"), v("1M"), v("300n"), false).dutyPercent; }, 50.24875621890547},
        Forward{"the high time is ln 2 (R1 + R2) C", [] { return astable(v("10k"), v("1M"), v("300n"), false).highS; },
                0.21002359570966342},
        Forward{"the low time is ln 2 R2 C", [] { return astable(v("10k"), v("1M"), v("300n"), false).lowS; },
                0.2079441541679836},
        Forward{"with the diode the duty is R1 / (R1 + R2)",
                [] { return astable(v("110k"), v("330k"), v("3.3n"), true).dutyPercent; }, 25.0},
        Forward{"100k with 10u holds a pulse of ln 3 s", [] { return monostable(v("100k"), v("10u")); },
                1.0986122886681098},
        Forward{"a level a millionth of the supply takes R C ln(1 / (1 - 1e-6))",
                [] { return chargeTime(v("1"), v("1"), v("1"), v("1u")); }, 1.0000005000003334e-06}));

// ---------------------------------------------------------------------------------------------

TEST(RcDesign, OneKilohertzTiesThreeDecadesAndTheSmallestCapacitorWins)
{
    const auto pairs =
        designRc(RcTarget::Corner, v("1k"), range(Series::E24, "1k", "1M"), range(Series::E6, "1n", "1u"), 10);
    ASSERT_EQ(pairs.size(), 10U);
    const char* expected[][2] = {{"160k", "1n"}, {"16k", "10n"}, {"1.6k", "100n"}, {"24k", "6.8n"}, {"2.4k", "68n"}};
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(pairs[i].r, v(expected[i][0])) << i;
        EXPECT_EQ(pairs[i].c, v(expected[i][1])) << i;
    }
    EXPECT_EQ(pairs[0].value, 994.7183943243458);
    EXPECT_EQ(pairs[0].miss.percent, -0.5281605675654152);
    EXPECT_EQ(pairs[0].miss.rounded.text(), "-0.53 %");
    EXPECT_FALSE(pairs[0].miss.exact);
    EXPECT_EQ(pairs[1].miss.percent, pairs[0].miss.percent);
    EXPECT_NEAR(pairs[3].value, 975.2, 0.05);
}

TEST(RcDesign, AnExactTimeConstantSaysSoAndACornerNever)
{
    const auto r = range(Series::E24, "1k", "1M");
    const auto c = range(Series::E6, "1n", "1u");
    const auto tau = designRc(RcTarget::TimeConstant, v("1m"), r, c, 3);
    ASSERT_EQ(tau.size(), 3U);
    EXPECT_EQ(tau[0].r, v("1M"));
    EXPECT_EQ(tau[0].c, v("1n"));
    EXPECT_TRUE(tau[0].miss.exact);
    EXPECT_EQ(tau[0].miss.rounded.text(), "exact");
    EXPECT_EQ(tau[0].miss.percent, 0.0);
    // 1 / (2 pi 10k 100n) is irrational: even the nearest pair is not "exact".
    const auto corner = designRc(RcTarget::Corner, v("159.154943091895"), r, c, 1);
    ASSERT_EQ(corner.size(), 1U);
    EXPECT_FALSE(corner[0].miss.exact);
    EXPECT_NE(corner[0].miss.rounded.text().find("e-"), std::string::npos) << corner[0].miss.rounded.text();
}

TEST(RcDesign, EqualMissesEitherSideOfATimeConstantTieAndTheSmallerPartsWin)
{
    // 9k and 11k with 1u miss 10 ms by exactly 10 % each way.
    const std::vector<Decimal> r{v("9k"), v("11k")};
    const std::vector<Decimal> c{v("1u")};
    const auto pairs = designRc(RcTarget::TimeConstant, v("10m"), r, c, 2);
    ASSERT_EQ(pairs.size(), 2U);
    EXPECT_EQ(pairs[0].r, v("9k"));
    EXPECT_EQ(pairs[0].miss.rounded.text(), "-10.00 %");
    EXPECT_EQ(pairs[1].miss.rounded.text(), "+10.00 %");
}

// ---------------------------------------------------------------------------------------------

struct TimerCase {
    const char* what;
    const char* f;
    const char* duty;
    bool diode;
    const char* r1;
    const char* r2;
    const char* c;
    double hz;           // to 0.05 Hz
    const char* dutyOf;  // to three decimals
    double worstPercent; // to 0.005
};

class TimerDesignTest : public testing::TestWithParam<TimerCase> {};

TEST_P(TimerDesignTest, FindsTheWorkedExampleFirst)
{
    const TimerCase& t = GetParam();
    const auto designs =
        designTimer({v(t.f), v(t.duty), t.diode}, range(Series::E24, "1k", "1M"), range(Series::E6, "1n", "10u"), 10);
    ASSERT_FALSE(designs.empty()) << t.what;
    const TimerDesign& d = designs.front();
    EXPECT_EQ(format(d.r1), t.r1) << t.what;
    EXPECT_EQ(format(d.r2), t.r2) << t.what;
    EXPECT_EQ(format(d.c), t.c) << t.what;
    EXPECT_NEAR(d.result.frequencyHz, t.hz, 0.05) << t.what;
    EXPECT_EQ(d.dutyRounded, v(t.dutyOf)) << t.what;
    EXPECT_NEAR(d.worst.percent, t.worstPercent, 0.005) << t.what;
    EXPECT_FALSE(d.worst.exact) << t.what;
}

INSTANTIATE_TEST_SUITE_P(
    Timing, TimerDesignTest,
    testing::Values(TimerCase{"1 kHz at 60 %", "1k", "60", false, "180k", "390k", "1.5n", 1001.87, "59.375", 1.3728},
                    TimerCase{"440 Hz at 75 %", "440", "75", false, "240k", "120k", "6.8n", 442.00, "75", -0.4530},
                    TimerCase{"38 kHz at 55 %: 1.2k ties on the worst time and loses on frequency", "38k", "55", false,
                              "1.3k", "5.1k", "3.3n", 38015.7, "55.652", -1.4899},
                    TimerCase{"1 kHz at 25 % with the diode", "1k", "25", true, "110k", "330k", "3.3n", 993.6, "25",
                              0.6450}));

TEST(TimerDesign, TheSameProductsInOtherDecadesRankAfterTheSmallerCapacitor)
{
    const auto designs =
        designTimer({v("1k"), v("60"), false}, range(Series::E24, "1k", "1M"), range(Series::E6, "1n", "10u"), 3);
    ASSERT_EQ(designs.size(), 3U);
    const char* expected[][3] = {{"180k", "390k", "1.5n"}, {"18k", "39k", "15n"}, {"1.8k", "3.9k", "150n"}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(format(designs[i].r1), expected[i][0]);
        EXPECT_EQ(format(designs[i].r2), expected[i][1]);
        EXPECT_EQ(format(designs[i].c), expected[i][2]);
        EXPECT_EQ(designs[i].worst.percent, designs[0].worst.percent);
    }
}

TEST(TimerDesign, AnExactDutySaysSo)
{
    const auto designs =
        designTimer({v("440"), v("75"), false}, range(Series::E24, "1k", "1M"), range(Series::E6, "1n", "10u"), 1);
    ASSERT_EQ(designs.size(), 1U);
    EXPECT_TRUE(designs[0].duty.exact);
    EXPECT_FALSE(designs[0].frequency.exact);
}

TEST(TimerDesign, RefusesDutiesTheCircuitCannotGive)
{
    const struct {
        const char* duty;
        bool diode;
        bool ok;
    } cases[] = {{"50", false, false}, {"50.001", false, true}, {"50", true, true},
                 {"100", true, false}, {"99.9", true, true},    {"30", false, false}};
    for (const auto& c : cases)
        EXPECT_EQ(reachable({v("1k"), v(c.duty), c.diode}), c.ok) << c.duty << (c.diode ? " with" : " without");
}

TEST(TimerDesign, KeepsR1AtLeastOneKilohm)
{
    const auto designs =
        designTimer({v("38k"), v("55"), false}, range(Series::E24, "100", "1M"), range(Series::E6, "1n", "10u"), 10);
    ASSERT_FALSE(designs.empty());
    for (const TimerDesign& d : designs)
        EXPECT_GE(d.r1, v("1k"));
}

// ---------------------------------------------------------------------------------------------
// Against every combination, on random targets and small random lists (E-series values, so
// products repeat across decades and ties are common).

std::vector<Decimal> randomValues(std::mt19937& random, Series series, int decades, int count)
{
    const std::vector<Decimal> pool = valuesInRange(series, Decimal::of(1, 0), Decimal::of(1, decades));
    std::vector<Decimal> picked;
    picked.reserve(static_cast<std::size_t>(count));
    std::uniform_int_distribution<std::size_t> pick(0, pool.size() - 1);
    for (int i = 0; i < count; ++i)
        picked.push_back(pool[pick(random)]);
    std::sort(picked.begin(), picked.end());
    picked.erase(std::unique(picked.begin(), picked.end()), picked.end());
    return picked;
}

std::vector<Decimal> shifted(std::vector<Decimal> values, int exponent)
{
    for (Decimal& d : values)
        d = Decimal::of(d.mantissa, d.exponent + exponent);
    return values;
}

Decimal randomTarget(std::mt19937& random, int exponent)
{
    std::uniform_int_distribution<int> digits(1, 999);
    return Decimal::of(digits(random), exponent - 2);
}

TEST(RcDesign, MatchesEveryPairTriedOnRandomTargets)
{
    std::mt19937 random(2024);
    for (int round = 0; round < 150; ++round) {
        const auto r = shifted(randomValues(random, Series::E12, 4, 20), 2);
        const auto c = shifted(randomValues(random, Series::E6, 4, 10), -10);
        const bool corner = round % 2 == 0;
        const Decimal target = randomTarget(random, corner ? 3 : -4);
        const RcTarget kind = corner ? RcTarget::Corner : RcTarget::TimeConstant;
        const auto fast = designRc(kind, target, r, c, 7);
        const auto slow = designRcBruteForce(kind, target, r, c, 7);
        ASSERT_EQ(fast.size(), slow.size());
        for (std::size_t i = 0; i < fast.size(); ++i) {
            EXPECT_EQ(fast[i].r, slow[i].r) << round << " row " << i;
            EXPECT_EQ(fast[i].c, slow[i].c) << round << " row " << i;
        }
    }
}

TEST(TimerDesign, MatchesEveryTripleTriedOnRandomTargets)
{
    std::mt19937 random(555);
    std::uniform_int_distribution<int> duty(1, 99);
    for (int round = 0; round < 60; ++round) {
        const auto r = shifted(randomValues(random, Series::E12, 3, 18), 2);
        const auto c = shifted(randomValues(random, Series::E6, 3, 8), -9);
        const bool diode = round % 3 == 0;
        int d = duty(random);
        if (!diode)
            d = 51 + d % 49;
        const TimerGoal goal{randomTarget(random, 3), Decimal::of(d, 0), diode};
        const auto fast = designTimer(goal, r, c, 8);
        const auto slow = designTimerBruteForce(goal, r, c, 8);
        ASSERT_EQ(fast.size(), slow.size()) << round;
        for (std::size_t i = 0; i < fast.size(); ++i) {
            EXPECT_EQ(fast[i].r1, slow[i].r1) << round << " row " << i;
            EXPECT_EQ(fast[i].r2, slow[i].r2) << round << " row " << i;
            EXPECT_EQ(fast[i].c, slow[i].c) << round << " row " << i;
        }
    }
}

TEST(TankDesign, FindsTheCapacitorOfTheWorkedExample)
{
    const auto caps = designTank(v("159.15k"), v("10u"), range(Series::E12, "1p", "10u"), 3);
    ASSERT_EQ(caps.size(), 3U);
    EXPECT_EQ(caps[0].c, v("100n"));
    EXPECT_NEAR(caps[0].f0Hz, 159154.94, 0.01);
    EXPECT_FALSE(caps[0].miss.exact);
    EXPECT_LT(std::abs(caps[0].miss.percent), std::abs(caps[1].miss.percent));
}

} // namespace
