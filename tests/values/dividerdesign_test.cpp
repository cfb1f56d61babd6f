// SPDX-License-Identifier: MIT
#include "values/dividerdesign.h"
#include "values/series.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

using namespace values;

namespace {

Decimal d(std::int64_t mantissa, int exponent = 0)
{
    return Decimal::of(mantissa, exponent);
}

std::vector<Part> seriesParts(const char* names, const Decimal& lo, const Decimal& hi)
{
    const auto set = seriesSetNamed(names);
    if (!set)
        return {};
    return unlimitedParts(valuesInRange(*set, lo, hi));
}

// The worked examples, resistors 1k to 100k; figures as printed, so each is checked to the last
// digit shown.
struct Example {
    const char* name;
    DividerMode mode;
    Decimal source;
    Decimal vout;
    const char* series;
    int tolerancePercent;
    std::size_t rank; // 0 is the best pair
    Decimal r1;
    Decimal r2;
    double shownVout;
    Decimal shownErrorPercent; // to two decimals
    bool exact;
    double shownMin; // 0: not given
    double shownMax;
    double shownMilliamps; // 0: not given
};

class WorkedExample : public testing::TestWithParam<Example> {};

TEST_P(WorkedExample, GivesThePairAndItsFigures)
{
    const Example& e = GetParam();
    DividerOptions options;
    options.lo = d(1, 3);
    options.hi = d(1, 5);
    options.tolerancePercent = d(e.tolerancePercent);
    const auto parts = seriesParts(e.series, options.lo, options.hi);
    ASSERT_FALSE(parts.empty()) << e.series;
    const auto pairs = designDivider({e.mode, e.source, e.vout}, parts, options);
    ASSERT_GT(pairs.size(), e.rank);
    const DividerPair& p = pairs[e.rank];
    EXPECT_EQ(p.r1, e.r1);
    EXPECT_EQ(p.r2, e.r2);
    EXPECT_NEAR(p.vout, e.shownVout, 0.0005);
    EXPECT_EQ(p.deviation.percent, e.shownErrorPercent);
    EXPECT_EQ(p.deviation.exact, e.exact);
    if (e.shownMin != 0) {
        EXPECT_NEAR(p.worstCase.min, e.shownMin, 0.0005);
        EXPECT_NEAR(p.worstCase.max, e.shownMax, 0.0005);
    }
    if (e.shownMilliamps != 0) {
        EXPECT_NEAR(p.currentA * 1000, e.shownMilliamps, 0.0005);
    }
}

constexpr auto out = DividerMode::Output;
constexpr auto fb = DividerMode::Feedback;

INSTANTIATE_TEST_SUITE_P(Issue, WorkedExample,
                         testing::Values(Example{"From2V5To0V8InE24Is5k1Over2k4", out, d(25, -1), d(8, -1), "E24", 1, 0,
                                                 d(51, 2), d(24, 2), 0.8, d(0), true, 0.7892, 0.8109, 0.333},
                                         Example{"From2V5To0V8InE24Next51kOver24k", out, d(25, -1), d(8, -1), "E24", 1,
                                                 1, d(51, 3), d(24, 3), 0.8, d(0), true, 0, 0, 0},
                                         Example{"From5VTo3V3InE24Is4k7Over9k1", out, d(5), d(33, -1), "E24", 1, 0,
                                                 d(47, 2), d(91, 2), 3.297, d(-9, -2), false, 3.275, 3.319, 0},
                                         Example{"From5VTo3V3InE96AloneIs1k37Over2k67", out, d(5), d(33, -1), "E96", 1,
                                                 0, d(137, 1), d(267, 1), 3.304, d(14, -2), false, 0, 0, 0},
                                         Example{"From5VTo3V3InE192Is1k02Over1k98", out, d(5), d(33, -1), "E192", 1, 0,
                                                 d(102, 1), d(198, 1), 3.3, d(0), true, 0, 0, 0},
                                         Example{"From5VTo3V3InE12At5PercentIs1k2Over2k2", out, d(5), d(33, -1), "E12",
                                                 5, 0, d(12, 2), d(22, 2), 3.235, d(-196, -2), false, 3.119, 3.348, 0},
                                         Example{"Feedback0V8To3V3InE24Is7k5Over2k4", fb, d(8, -1), d(33, -1), "E24", 1,
                                                 0, d(75, 2), d(24, 2), 3.3, d(0), true, 0, 0, 0},
                                         Example{"Feedback0V8To3V3InE96AloneIs3k57Over1k15", fb, d(8, -1), d(33, -1),
                                                 "E96", 1, 0, d(357, 1), d(115, 1), 3.283, d(-5, -1), false, 0, 0, 0}),
                         [](const testing::TestParamInfo<Example>& info) { return std::string(info.param.name); });

// The rules that decide the order, on parts small enough to see every pair.
struct Ranking {
    const char* name;
    DividerMode mode;
    Decimal source;
    Decimal vout;
    std::vector<Part> parts;
    std::vector<std::pair<int, int>> expected; // R1, R2 in ohms, best first
};

class RankingRule : public testing::TestWithParam<Ranking> {};

TEST_P(RankingRule, OrdersThePairs)
{
    const Ranking& r = GetParam();
    DividerOptions options;
    options.lo = d(1);
    options.hi = d(1, 6);
    const auto pairs = designDivider({r.mode, r.source, r.vout}, r.parts, options);
    std::vector<std::pair<int, int>> got;
    got.reserve(pairs.size());
    for (const DividerPair& p : pairs)
        got.emplace_back(static_cast<int>(p.r1.toDouble()), static_cast<int>(p.r2.toDouble()));
    EXPECT_EQ(got, r.expected);
}

const int many = Part::unlimited;

INSTANTIATE_TEST_SUITE_P(
    Rules, RankingRule,
    testing::Values(
        // 9 over 11 gives +10 %, 11 over 9 gives -10 %: the same deviation and the same sum.
        Ranking{"ExactFirstThenSmallerSumThenSmallerR1",
                out,
                d(2),
                d(1),
                {{d(9), many}, {d(11), many}},
                {{9, 9}, {11, 11}, {9, 11}, {11, 9}}},
        Ranking{"OnePartOfAValueIsNeverBothResistors", out, d(2), d(1), {{d(9), 1}, {d(11), 1}}, {{9, 11}, {11, 9}}},
        Ranking{"TwoPartsOfAValueMayBeBoth",
                out,
                d(2),
                d(1),
                {{d(9), 1}, {d(9), 1}, {d(11), 1}},
                {{9, 9}, {9, 11}, {11, 9}}},
        Ranking{"PartsOutsideTheRangeAreLeftOut",
                out,
                d(2),
                d(1),
                {{d(5, -1), many}, {d(2, 6), many}, {d(1), many}},
                {{1, 1}}},
        // k = R2 / (R1 + R2) would put 12 over 10 (k 0.4545) first, closer to 0.5 than 9 over 11
        // (k 0.55); V out is what the user asked for, and 9 over 11 is nearer to it (-9.1 % against +10 %).
        Ranking{"FeedbackRanksByTheDeviationOfVoutNotOfK",
                fb,
                d(1),
                d(2),
                {{d(9), 1}, {d(10), 1}, {d(11), 1}, {d(12), 1}},
                {{11, 12}, {10, 11}, {12, 11}, {9, 10}, {11, 10}, {10, 9}, {10, 12}, {9, 11}, {12, 10}, {11, 9}}}),
    [](const testing::TestParamInfo<Ranking>& info) { return std::string(info.param.name); });

TEST(DividerDesign, AgreesWithEveryPairTriedOnRandomParts)
{
    std::mt19937 random(20240613);
    for (int round = 0; round < 400; ++round) {
        const DividerMode mode = round % 2 ? DividerMode::Feedback : DividerMode::Output;
        const Decimal a = d(static_cast<std::int64_t>(random() % 5000 + 1), -3);
        const Decimal b = d(static_cast<std::int64_t>(random() % 5000 + 1), -3);
        const DividerGoal goal{mode, mode == DividerMode::Output ? std::max(a, b) : std::min(a, b),
                               mode == DividerMode::Output ? std::min(a, b) : std::max(a, b)};
        if (checkGoal(goal).change != DividerField::None)
            continue;
        std::vector<Part> parts;
        const auto count = random() % 30 + 1;
        for (unsigned i = 0; i < count; ++i) {
            const int have = static_cast<int>(random() % 3);
            parts.push_back({d(static_cast<std::int64_t>(random() % 50 + 1), static_cast<int>(random() % 3)),
                             have == 2 ? many : have});
        }
        DividerOptions options;
        options.lo = d(1);
        options.hi = d(1, 4);
        options.top = static_cast<int>(random() % 12 + 1);
        const auto fast = designDivider(goal, parts, options);
        const auto every = designDividerBruteForce(goal, parts, options);
        ASSERT_EQ(fast.size(), every.size()) << "round " << round;
        for (std::size_t i = 0; i < fast.size(); ++i) {
            EXPECT_EQ(fast[i].r1, every[i].r1) << "round " << round << ", row " << i;
            EXPECT_EQ(fast[i].r2, every[i].r2) << "round " << round << ", row " << i;
        }
    }
}

TEST(DividerDesign, RoundsAHalfWayDeviationAwayFromZero)
{
    // 2 V x 8010 / 16000 is 1.00125 V: +0.125 % exactly, which a double rounded to even would show as 0.12.
    DividerOptions options;
    options.lo = d(1);
    options.hi = d(1, 4);
    const auto pairs =
        designDivider({DividerMode::Output, d(2), d(1)}, std::vector<Part>{{d(799, 1), 1}, {d(801, 1), 1}}, options);
    ASSERT_EQ(pairs.size(), 2U);
    EXPECT_EQ(pairs[0].deviation.percent, d(13, -2));
    EXPECT_EQ(pairs[0].deviation.precise, 0.125);
    EXPECT_EQ(pairs[1].deviation.percent, d(-13, -2));
}

TEST(DividerDesign, StaysExactAtTheEndsOfTheValueRange)
{
    // 18-digit voltages and parts 30 decades apart: every product the ranking makes is at its widest.
    const DividerGoal goal{DividerMode::Output, d(999'999'999'999'999'999, -3), d(123'456'789'012'345'678, -32)};
    const std::vector<Part> parts{{d(1, -15), many},
                                  {d(1, 15), many},
                                  {d(999'999'999'999'999'999, -33), many},
                                  {d(123'456'789'012'345'678, -3), many}};
    DividerOptions options;
    options.lo = d(1, -15);
    options.hi = d(1, 15);
    const auto fast = designDivider(goal, parts, options);
    const auto every = designDividerBruteForce(goal, parts, options);
    ASSERT_EQ(fast.size(), every.size());
    for (std::size_t i = 0; i < fast.size(); ++i) {
        EXPECT_EQ(fast[i].r1, every[i].r1);
        EXPECT_EQ(fast[i].r2, every[i].r2);
    }
}

TEST(DividerDesign, WorstCaseIsTheExtremeOfEveryToleranceCorner)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> logValue(0, 7);
    std::uniform_real_distribution<double> tolerance(0.01, 20);
    for (int round = 0; round < 500; ++round) {
        const DividerGoal goal = round % 2 ? DividerGoal{DividerMode::Feedback, d(8, -1), d(33, -1)}
                                           : DividerGoal{DividerMode::Output, d(5), d(33, -1)};
        const double r1 = std::pow(10, logValue(random));
        const double r2 = std::pow(10, logValue(random));
        const double percent = tolerance(random);
        const double t = percent / 100;
        const double source = goal.source.toDouble();
        const auto vout = [&](double top, double bottom) {
            return goal.mode == DividerMode::Output ? source * bottom / (top + bottom)
                                                    : source * (top + bottom) / bottom;
        };
        // Every corner, and the points between them, since a corner is where the extreme must be.
        double lowest = std::numeric_limits<double>::infinity();
        double highest = -std::numeric_limits<double>::infinity();
        for (int i = 0; i <= 4; ++i) {
            for (int j = 0; j <= 4; ++j) {
                const double v = vout(r1 * (1 - t + t * i / 2), r2 * (1 - t + t * j / 2));
                lowest = std::min(lowest, v);
                highest = std::max(highest, v);
            }
        }
        const VoutRange range = worstCase(goal, r1, r2, percent);
        EXPECT_NEAR(range.min, lowest, 1e-12 * lowest) << "round " << round;
        EXPECT_NEAR(range.max, highest, 1e-12 * highest) << "round " << round;
    }
}

struct Refusal {
    const char* name;
    DividerGoal goal;
    DividerField change;
    const char* message;
};

class GoalRefusal : public testing::TestWithParam<Refusal> {};

TEST_P(GoalRefusal, NamesTheValueToChange)
{
    const Refusal& r = GetParam();
    const GoalCheck check = checkGoal(r.goal);
    EXPECT_EQ(check.change, r.change);
    EXPECT_EQ(check.message, r.message);
    if (r.change != DividerField::None) {
        EXPECT_TRUE(designDivider(r.goal, seriesParts("E24", d(1, 3), d(1, 5)), {}).empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    KBetweenZeroAndOne, GoalRefusal,
    testing::Values(
        Refusal{"VoutBelowVin", {out, d(5), d(33, -1)}, DividerField::None, ""},
        Refusal{"VoutEqualToVin", {out, d(5), d(5)}, DividerField::Vout, "V out must be lower than V in: change V out"},
        Refusal{
            "VoutAboveVin", {out, d(33, -1), d(5)}, DividerField::Vout, "V out must be lower than V in: change V out"},
        Refusal{"VoutAboveVref", {fb, d(8, -1), d(33, -1)}, DividerField::None, ""},
        Refusal{"VoutEqualToVref",
                {fb, d(8, -1), d(8, -1)},
                DividerField::Vout,
                "V out must be higher than V ref: change V out"},
        Refusal{"VoutBelowVref",
                {fb, d(33, -1), d(8, -1)},
                DividerField::Vout,
                "V out must be higher than V ref: change V out"},
        Refusal{"ZeroVin", {out, d(0), d(1)}, DividerField::Source, "V in must lie between 1e-15 and 1e15 V"},
        Refusal{"NegativeVout", {fb, d(1), d(-5)}, DividerField::Vout, "V out must lie between 1e-15 and 1e15 V"}),
    [](const testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

TEST(DividerDesign, StopsWhenAsked)
{
    std::stop_source source;
    source.request_stop();
    const auto parts = seriesParts("E24", d(1, 3), d(1, 5));
    EXPECT_TRUE(designDivider({DividerMode::Output, d(5), d(33, -1)}, parts, {}, source.get_token()).empty());
}

} // namespace
