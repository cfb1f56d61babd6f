// SPDX-License-Identifier: MIT
// The op-amp and regulator designers: the worked figures, agreement with every pair tried, and
// worst cases that are the extremes of every corner.
#include "numeric/exact.h"
#include "values/opamp.h"
#include "values/regulator.h"
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

struct GainExample {
    const char* name;
    OpAmpCircuit circuit;
    Decimal gain;
    std::vector<std::pair<Decimal, Decimal>> pairs; // Rf, Rg, best first
    std::size_t exact;                              // how many of them are exact
    const char* next;                               // the deviation of the one after them
};

class WorkedGain : public testing::TestWithParam<GainExample> {};

TEST_P(WorkedGain, GivesThePairsInOrder)
{
    const GainExample& e = GetParam();
    const OpAmpDesign design = designOpAmp({e.circuit, e.gain}, {});
    ASSERT_GT(design.pairs.size(), e.pairs.size());
    for (std::size_t i = 0; i < e.pairs.size(); ++i) {
        EXPECT_EQ(design.pairs[i].rf, e.pairs[i].first) << i;
        EXPECT_EQ(design.pairs[i].rg, e.pairs[i].second) << i;
        EXPECT_EQ(design.pairs[i].deviation.exact, i < e.exact) << i;
    }
    EXPECT_EQ(design.pairs[e.exact].deviation.text(), e.next);
}

INSTANTIATE_TEST_SUITE_P(
    E24From1kTo1M, WorkedGain,
    testing::Values(GainExample{"NonInverting10",
                                OpAmpCircuit::NonInverting,
                                d(10),
                                {{d(18, 3), d(2, 3)}, {d(27, 3), d(3, 3)}, {d(18, 4), d(2, 4)}, {d(27, 4), d(3, 4)}},
                                4,
                                "+0.11 %"},
                    // 24k over 5.1k is 4.70588: 0.0059 above, +0.125 % of the gain.
                    GainExample{"Inverting4V7",
                                OpAmpCircuit::Inverting,
                                d(47, -1),
                                {{d(47, 2), d(1, 3)}, {d(47, 3), d(1, 4)}, {d(47, 4), d(1, 5)}, {d(24, 3), d(51, 2)}},
                                3,
                                "+0.13 %"}),
    [](const testing::TestParamInfo<GainExample>& info) { return std::string(info.param.name); });

// Random goals, series, ranges, lists and fixed resistors: the search gives what trying every
// pair gives, row for row.
TEST(OpAmpDesign, AgreesWithEveryPairTried)
{
    std::mt19937 random(4242);
    const char* series[] = {"E6", "E12", "E24", "E24+E96", "E48"};
    for (int round = 0; round < 120; ++round) {
        const auto circuit = static_cast<OpAmpCircuit>(round % 3);
        const Decimal gain = d(static_cast<std::int64_t>(random() % 100'000 + 1001), -3);
        OpAmpOptions options;
        options.series = *seriesSetNamed(series[random() % 5]);
        const int decade = static_cast<int>(random() % 4) + 1;
        options.lo = d(1, decade);
        options.hi = d(static_cast<std::int64_t>(random() % 5 + 1), decade + 1);
        options.top = static_cast<int>(random() % 15 + 1);
        if (round % 7 == 0)
            options.fixedRg = d(static_cast<std::int64_t>(random() % 999 + 1), 2);
        if (round % 11 == 0)
            options.fixedRf = d(static_cast<std::int64_t>(random() % 999 + 1), 3);
        if (options.fixedRf && options.fixedRg)
            options.fixedRg.reset();
        const auto fast = designOpAmp({circuit, gain}, options).pairs;
        const auto every = designOpAmpBruteForce({circuit, gain}, options);
        ASSERT_EQ(fast.size(), every.size()) << "round " << round;
        for (std::size_t i = 0; i < fast.size(); ++i) {
            EXPECT_EQ(fast[i].rf, every[i].rf) << "round " << round << ", row " << i;
            EXPECT_EQ(fast[i].rg, every[i].rg) << "round " << round << ", row " << i;
        }
    }
}

// Each resistor at its nominal value and at both ends of its tolerance: the worst cases are the
// extremes of them all, the difference amplifier's four resistors each on its own.
TEST(OpAmpDesign, WorstCasesAreTheExtremesOfEveryCorner)
{
    std::mt19937 random(99);
    for (int round = 0; round < 60; ++round) {
        const auto circuit = static_cast<OpAmpCircuit>(round % 3);
        OpAmpOptions options;
        options.tolerancePercent = d(static_cast<std::int64_t>(random() % 100 + 1), -1);
        options.top = 3;
        const Decimal gain = d(static_cast<std::int64_t>(random() % 5000 + 1500), -3);
        for (const OpAmpPair& p : designOpAmp({circuit, gain}, options).pairs) {
            const double t = options.tolerancePercent.toDouble() / 100;
            const double f = p.rf.toDouble();
            const double g = p.rg.toDouble();
            double lowest = std::numeric_limits<double>::infinity();
            double highest = 0;
            double worstCommon = 0;
            for (int corner = 0; corner < 81; ++corner) {
                int c = corner;
                double r[4];
                for (double& v : r) {
                    v = (&v - r) % 2 == 0 ? g : f; // R1, R3 are Rg; R2, R4 are Rf
                    v *= 1 + t * (c % 3 - 1);
                    c /= 3;
                }
                double gainSize = 0;
                if (circuit == OpAmpCircuit::NonInverting)
                    gainSize = 1 + r[1] / r[0];
                else if (circuit == OpAmpCircuit::Inverting)
                    gainSize = r[1] / r[0];
                else {
                    gainSize = (r[3] / (r[2] + r[3]) * (r[0] + r[1]) / r[0] + r[1] / r[0]) / 2;
                    worstCommon = std::max(worstCommon, std::abs(r[0] * r[3] - r[1] * r[2]) / (r[0] * (r[2] + r[3])));
                }
                lowest = std::min(lowest, gainSize);
                highest = std::max(highest, gainSize);
            }
            EXPECT_NEAR(p.worstCase.min, lowest, 1e-9 * lowest) << round;
            EXPECT_NEAR(p.worstCase.max, highest, 1e-9 * highest) << round;
            if (circuit == OpAmpCircuit::Difference) {
                ASSERT_TRUE(p.cmrrDb);
                EXPECT_NEAR(*p.cmrrDb, 20 * std::log10(f / g / worstCommon), 1e-6) << round;
            }
        }
    }
}

TEST(OpAmpDesign, GivesTheInputTheBalanceAndTheFixedPartner)
{
    OpAmpOptions options;
    options.fixedRg = d(10, 3);
    const OpAmpDesign non = designOpAmp({OpAmpCircuit::NonInverting, d(10)}, options);
    ASSERT_FALSE(non.pairs.empty());
    EXPECT_EQ(non.pairs[0].rf, d(91, 3)); // 9.1 of the 9 wanted
    EXPECT_FALSE(non.pairs[0].inputOhms);
    EXPECT_DOUBLE_EQ(*non.pairs[0].balanceOhms, 91e3 * 10e3 / 101e3);
    EXPECT_EQ(*non.pairs[0].balance, d(91, 2));
    EXPECT_EQ(non.partner->rounded(6), d(9, 4));

    const OpAmpDesign inv = designOpAmp({OpAmpCircuit::Inverting, d(47, -1)}, {});
    EXPECT_EQ(*inv.pairs[0].inputOhms, d(1, 3));
    EXPECT_EQ(*inv.pairs[0].balance, d(82, 1)); // 4.7k || 1k = 824.6
    EXPECT_FALSE(inv.pairs[0].cmrrDb);

    options.fixedRg.reset();
    options.tolerancePercent = d(1);
    const OpAmpDesign diff = designOpAmp({OpAmpCircuit::Difference, d(1)}, options);
    EXPECT_EQ(*diff.pairs[0].inputOhms, d(2, 3)); // 1k and 1k: 2k between the inputs
    EXPECT_FALSE(diff.pairs[0].balance);
    EXPECT_NEAR(*diff.pairs[0].cmrrDb, 20 * std::log10(0.99 * 2 / 0.04), 1e-9); // down (up + down) / (up² - down²)

    const OpAmpDesign far = designOpAmp({OpAmpCircuit::Inverting, d(1, 4)}, {});
    EXPECT_EQ(far.reach.side, Reach::Side::Above);
    EXPECT_EQ(far.reach.limit, d(1, 3));
}

TEST(OpAmpDesign, RefusesWhatNoPairAnswers)
{
    const struct {
        OpAmpGoal goal;
        OpAmpField change;
        const char* message;
    } cases[] = {
        {{OpAmpCircuit::NonInverting, d(1)}, OpAmpField::Gain, "A gain of 1 needs no resistors: a follower"},
        {{OpAmpCircuit::NonInverting, d(5, -1)},
         OpAmpField::Gain,
         "A non-inverting amplifier's gain is above 1: for less, divide the input"},
        {{OpAmpCircuit::Inverting, d(5, -1)}, OpAmpField::None, ""},
    };
    for (const auto& c : cases) {
        const OpAmpCheck check = checkOpAmp(c.goal, {});
        EXPECT_EQ(check.change, c.change) << c.message;
        EXPECT_EQ(check.message, c.message);
        EXPECT_EQ(designOpAmp(c.goal, {}).pairs.empty(), c.change != OpAmpField::None);
    }
}

RegulatorInput lm317(const Decimal& vout)
{
    return regulatorInput(regulatorParts()[0], vout);
}

TEST(RegulatorDesign, TheWorkedFiguresWith240OhmsAndTheAdjustPinCurrent)
{
    RegulatorOptions options;
    options.fixedR1 = d(240);
    const RegulatorDesign e96 = designRegulator(lm317(d(5)), options);
    ASSERT_TRUE(e96.partner);
    EXPECT_EQ(e96.partner->rounded(5), d(71315, -2));
    ASSERT_FALSE(e96.pairs.empty());
    EXPECT_EQ(e96.pairs[0].r2, d(715));
    EXPECT_EQ(Decimal::of(std::llround(e96.pairs[0].vout * 1e5), -5), d(500971, -5));
    // 240 Ω draws 5.2 mA: below the 10 mA the regulator needs, which 125 Ω would give.
    EXPECT_TRUE(e96.pairs[0].belowMinLoad);
    EXPECT_EQ(*e96.largestR1, Exact::of(d(125)));

    options.series = {Series::E24};
    const RegulatorDesign e24 = designRegulator(lm317(d(5)), options);
    ASSERT_GE(e24.pairs.size(), 2U);
    EXPECT_EQ(e24.pairs[0].r2, d(680));
    EXPECT_EQ(Decimal::of(std::llround(e24.pairs[0].vout * 1e5), -5), d(482567, -5));
    EXPECT_EQ(e24.pairs[1].r2, d(750));
    EXPECT_EQ(Decimal::of(std::llround(e24.pairs[1].vout * 1e5), -5), d(519375, -5));
}

TEST(RegulatorDesign, AgreesWithEveryPairTried)
{
    std::mt19937 random(317);
    const char* series[] = {"E12", "E24", "E96", "E24+E96"};
    for (int round = 0; round < 100; ++round) {
        const RegulatorPart& part = regulatorParts()[random() % regulatorParts().size()];
        RegulatorInput input = regulatorInput(part, d(static_cast<std::int64_t>(random() % 30'000 + 3'000), -3));
        if (round % 5 == 0)
            input.iadj = Decimal{};
        RegulatorOptions options;
        options.series = *seriesSetNamed(series[random() % 4]);
        const int decade = static_cast<int>(random() % 3) + 1;
        options.lo = d(1, decade);
        options.hi = d(static_cast<std::int64_t>(random() % 5 + 1), decade + 1);
        options.top = static_cast<int>(random() % 12 + 1);
        if (round % 6 == 0)
            options.fixedR1 = d(static_cast<std::int64_t>(random() % 999 + 1), 0);
        else if (round % 9 == 0)
            options.fixedR2 = d(static_cast<std::int64_t>(random() % 999 + 1), 1);
        const auto fast = designRegulator(input, options).pairs;
        const auto every = designRegulatorBruteForce(input, options);
        ASSERT_EQ(fast.size(), every.size()) << "round " << round;
        for (std::size_t i = 0; i < fast.size(); ++i) {
            EXPECT_EQ(fast[i].r1, every[i].r1) << "round " << round << ", row " << i;
            EXPECT_EQ(fast[i].r2, every[i].r2) << "round " << round << ", row " << i;
        }
    }
}

// With one resistor fixed, the partner given is the one that gives the goal exactly.
TEST(PairDesigns, TheExactPartnerGivesTheGoal)
{
    std::mt19937 random(1117);
    for (int round = 0; round < 100; ++round) {
        const Decimal fixed = d(static_cast<std::int64_t>(random() % 9999 + 1), static_cast<int>(random() % 4));
        RegulatorInput input =
            regulatorInput(regulatorParts()[random() % 4], d(static_cast<std::int64_t>(random() % 200 + 30), -1));
        RegulatorOptions regulator;
        (round % 2 ? regulator.fixedR1 : regulator.fixedR2) = fixed;
        const RegulatorDesign r = designRegulator(input, regulator);
        if (r.partner) {
            const Exact r1 = round % 2 ? Exact::of(fixed) : *r.partner;
            const Exact r2 = round % 2 ? *r.partner : Exact::of(fixed);
            EXPECT_EQ(regulatorOutput(Exact::of(input.vref), Exact::of(input.iadj), r1, r2), Exact::of(input.vout))
                << round;
        } else {
            // No R1 at all: I adj through R2 alone already reaches V out.
            EXPECT_FALSE(round % 2);
            EXPECT_GE(Exact::of(input.vref) + Exact::of(input.iadj) * Exact::of(fixed), Exact::of(input.vout));
        }

        const auto circuit = static_cast<OpAmpCircuit>(round % 3);
        const OpAmpGoal goal{circuit, d(static_cast<std::int64_t>(random() % 9000 + 1001), -3)};
        OpAmpOptions opamp;
        (round % 2 ? opamp.fixedRf : opamp.fixedRg) = fixed;
        const OpAmpDesign o = designOpAmp(goal, opamp);
        ASSERT_TRUE(o.partner) << round;
        const Exact rf = round % 2 ? Exact::of(fixed) : *o.partner;
        const Exact rg = round % 2 ? *o.partner : Exact::of(fixed);
        const Exact gain = circuit == OpAmpCircuit::NonInverting ? Exact::of(1) + rf / rg : rf / rg;
        EXPECT_EQ(gain, Exact::of(goal.gain)) << round;
    }
}

TEST(RegulatorDesign, WorstCaseIsTheExtremeOfEveryCorner)
{
    for (const RegulatorPart& part : regulatorParts()) {
        const RegulatorInput input = regulatorInput(part, d(12));
        RegulatorOptions options;
        options.tolerancePercent = d(5);
        options.top = 4;
        for (const RegulatorPair& p : designRegulator(input, options).pairs) {
            double lowest = std::numeric_limits<double>::infinity();
            double highest = 0;
            for (int corner = 0; corner < 16; ++corner) {
                const double vref = (corner & 1 ? input.vrefMax : input.vrefMin).toDouble();
                const double iadj = (corner & 2 ? input.iadjMax : input.iadjMin).toDouble();
                const double r1 = p.r1.toDouble() * (corner & 4 ? 1.05 : 0.95);
                const double r2 = p.r2.toDouble() * (corner & 8 ? 1.05 : 0.95);
                const double v = vref * (1 + r2 / r1) + iadj * r2;
                lowest = std::min(lowest, v);
                highest = std::max(highest, v);
            }
            EXPECT_NEAR(p.worstCase.min, lowest, 1e-12 * lowest) << part.name;
            EXPECT_NEAR(p.worstCase.max, highest, 1e-12 * highest) << part.name;
        }
    }
}

TEST(RegulatorDesign, StaysExactAtTheEndsOfEveryRange)
{
    // 18-digit figures at the ends of what the checks let through, parts thirty decades apart.
    RegulatorInput input;
    input.vref = input.vrefMin = input.vrefMax = d(100'000'000'000'000'001, -20);
    input.iadj = input.iadjMin = input.iadjMax = d(123'456'789'012'345'678, -32);
    input.vout = d(999'999'999'999'999'999, -14);
    RegulatorOptions options;
    options.series = {Series::E3};
    options.lo = d(1, -15);
    options.hi = d(1, 15);
    options.top = 5;
    const auto fast = designRegulator(input, options).pairs;
    const auto every = designRegulatorBruteForce(input, options);
    ASSERT_EQ(fast.size(), 5U);
    for (std::size_t i = 0; i < fast.size(); ++i) {
        EXPECT_EQ(fast[i].r1, every[i].r1);
        EXPECT_EQ(fast[i].r2, every[i].r2);
    }
    options.fixedR1 = d(999'999'999'999'999'999, -32);
    EXPECT_EQ(designRegulator(input, options).pairs.size(), 5U);
    input.iadj = input.iadjMax = d(1, -2);
    options.fixedR1 = d(123'456'789'012'345'678, -3);
    EXPECT_EQ(designRegulator(input, options).pairs.size(), 5U);
}

TEST(RegulatorDesign, RefusesNamingTheValue)
{
    const struct {
        const char* name;
        RegulatorInput input;
        RegulatorField change;
    } cases[] = {
        {"VoutAtVref", lm317(d(125, -2)), RegulatorField::Vout},
        {"VoutPast10kV", lm317(d(2, 4)), RegulatorField::Vout},
        {"VrefOutsideItsRange",
         [] {
             auto i = lm317(d(5));
             i.vrefMax = d(124, -2);
             return i;
         }(),
         RegulatorField::VrefRange},
        {"IadjPast10mA",
         [] {
             auto i = lm317(d(5));
             i.iadj = i.iadjMax = d(2, -2);
             return i;
         }(),
         RegulatorField::Iadj},
        {"Fine", lm317(d(5)), RegulatorField::None},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(checkRegulator(c.input, {}).change, c.change) << c.name;
        EXPECT_EQ(designRegulator(c.input, {}).pairs.empty(), c.change != RegulatorField::None) << c.name;
    }
}

} // namespace
