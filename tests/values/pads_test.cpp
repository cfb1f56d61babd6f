// SPDX-License-Identifier: MIT
// Attenuator pads: the worked examples, the ideal values against references computed to 80
// digits, and every pad checked as a circuit by nodal analysis, which knows none of the formulas.
#include "numeric/format.h"
#include "values/pads.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <vector>

namespace {

using namespace values;

Decimal v(std::string_view text)
{
    const Parsed p = parse(text);
    EXPECT_TRUE(p.value.has_value()) << text << ": " << p.error;
    return p.value.value_or(Decimal::of(1, 0));
}

struct PadExample {
    const char* name;
    const char* db;
    const char* z;
    PadKind kind;
    std::vector<const char*> shown; // each resistor as the table shows it
};

void PrintTo(const PadExample& c, std::ostream* os)
{
    *os << c.name;
}

class PadExamples : public testing::TestWithParam<PadExample> {};

TEST_P(PadExamples, ShowTheirExactValues)
{
    const PadExample& c = GetParam();
    const auto pads = designPads(v(c.db), v(c.z), Series::E96);
    const Pad& pad = pads[static_cast<std::size_t>(c.kind)];
    ASSERT_EQ(pad.kind, c.kind);
    ASSERT_EQ(pad.resistors.size(), c.shown.size());
    for (std::size_t i = 0; i < c.shown.size(); ++i)
        EXPECT_EQ(figure(pad.resistors[i].exact, "Ω"), c.shown[i]) << pad.resistors[i].role;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, PadExamples,
    testing::Values(PadExample{"PiSixDbFiftyOhms", "6", "50", PadKind::Pi, {"150.48 Ω", "37.352 Ω"}},
                    PadExample{"TeeSixDbFiftyOhms", "6", "50", PadKind::Tee, {"16.614 Ω", "66.931 Ω"}},
                    PadExample{"PiTwentyDbFiftyOhms", "20", "50", PadKind::Pi, {"61.111 Ω", "247.5 Ω"}},
                    PadExample{"TeeTwentyDbFiftyOhms", "20", "50", PadKind::Tee, {"40.909 Ω", "10.101 Ω"}},
                    PadExample{"PiTenDbSeventyFiveOhms", "10", "75", PadKind::Pi, {"144.37 Ω", "106.73 Ω"}},
                    PadExample{"BridgedTeeTwentyDb", "20", "50", PadKind::BridgedTee, {"50 Ω", "450 Ω", "5.5556 Ω"}},
                    PadExample{"LargeValuesTakeAPrefix", "40", "600", PadKind::Pi, {"612.12 Ω", "29.997 kΩ"}}),
    [](const testing::TestParamInfo<PadExample>& info) { return info.param.name; });

TEST(Pads, SixDbStandardValuesAreTheCommandsExample)
{
    const auto pads = designPads(v("6"), v("50"), Series::E96);
    EXPECT_EQ(pads[0].resistors[0].standard, v("150"));
    EXPECT_EQ(pads[0].resistors[1].standard, v("37.4"));
    EXPECT_EQ(pads[2].resistors[0].standard, v("49.9")) << "the arms are Z's own standard value";
}

// The ideal values, Pi shunt and series, T series and shunt, bridge and bridged-T shunt, each the
// double nearest the value computed to 80 digits.
struct Reference {
    const char* db;
    const char* z;
    std::array<double, 6> values;
};

void PrintTo(const Reference& c, std::ostream* os)
{
    *os << c.db;
}

class IdealValues : public testing::TestWithParam<Reference> {};

TEST_P(IdealValues, AreTheNearestDoubles)
{
    const Reference& r = GetParam();
    const auto pads = designPads(v(r.db), v(r.z), Series::E96);
    const double got[] = {pads[0].resistors[0].exact, pads[0].resistors[1].exact, pads[1].resistors[0].exact,
                          pads[1].resistors[1].exact, pads[2].resistors[1].exact, pads[2].resistors[2].exact};
    for (std::size_t i = 0; i < r.values.size(); ++i)
        EXPECT_EQ(got[i], r.values[i]) << r.db << " dB, " << r.z << " Ω, value " << i;
    EXPECT_EQ(pads[2].resistors[0].exact, v(r.z).toDouble());
}

INSTANTIATE_TEST_SUITE_P(
    EightyDigitReferences, IdealValues,
    testing::Values(
        Reference{"6",
                  "50",
                  {150.47602375372452, 37.351877033540184, 16.613942458312206, 66.93104064770615, 49.76311574844398,
                   50.23801187686226}},
        Reference{
            "20", "50", {61.111111111111114, 247.5, 40.90909090909091, 10.1010101010101, 450.0, 5.555555555555555}},
        Reference{"10",
                  "75",
                  {144.37129433613967, 106.7268710306828, 38.96203899719368, 52.70462766947299, 162.17082451262846,
                   34.68564716806983}},
        Reference{"3",
                  "600",
                  {3508.826155683217, 211.37752807158492, 102.5984144061714, 1703.1138706385227, 247.52252677365257,
                   1454.4130778416086}},
        Reference{
            "40", "50", {51.01010101010101, 2499.75, 49.00990099009901, 1.000100010001, 4950.0, 0.5050505050505051}},
        Reference{"0.5",
                  "50",
                  {1737.6576063495936, 2.8798212222841375, 1.4387184165998657, 868.1094439664969, 2.962686258864444,
                   843.8288031747968}},
        Reference{"0.001",
                  "50",
                  {868588.9647659141, 0.0057564627452018555, 0.0028782313630633717, 434294.4809438414,
                   0.005756794113834126, 434269.48238295707}},
        Reference{"0.000000000000001",
                  "50",
                  {8.685889638065037e+17, 5.7564627324851146e-15, 2.8782313662425573e-15, 4.3429448190325184e+17,
                   5.7564627324851146e-15, 4.342944819032518e+17}},
        Reference{"123.456",
                  "75",
                  {75.00010076078696, 55825325.980938464, 74.99989923934841, 0.00010076071928215257, 111650576.96192731,
                   5.038039348348479e-05}},
        Reference{"200", "1k", {1000.0000002, 5000000000000.0, 999.9999998, 2e-07, 9999999999000.0, 1.0000000001e-07}},
        Reference{"6.0206",
                  "100",
                  {299.99999600637915, 75.00000124800654, 33.33333377706899, 133.3333311146551, 100.00000199681047,
                   99.99999800318957}},
        Reference{"1.5",
                  "0.1",
                  {1.16099542015663, 0.017355354289591167, 0.00861329840444237, 0.5761910608760938,
                   0.018850222743701843, 0.530497710078315}}));

// --- the pad as a circuit ---

// Node 0 is ground, 1 the input (held at 1 V), 2 the output (loaded with z), 3 the middle.
struct Resistor {
    int a;
    int b;
    double ohms;
};

struct Solved {
    double zIn;
    double vOut;
};

Solved solve(const std::vector<Resistor>& circuit, double z)
{
    // Unknowns: nodes 2 and 3. G v = i, with node 1's known voltage moved to the right.
    double g[2][2] = {{1 / z, 0}, {0, 0}};
    double rhs[2] = {0, 0};
    bool middleUsed = false;
    const auto unknown = [](int node) { return node - 2; };
    for (const Resistor& r : circuit) {
        const double c = 1 / r.ohms;
        for (const auto& [p, q] : {std::pair{r.a, r.b}, std::pair{r.b, r.a}}) {
            if (p < 2)
                continue;
            middleUsed = middleUsed || p == 3;
            g[unknown(p)][unknown(p)] += c;
            if (q >= 2)
                g[unknown(p)][unknown(q)] -= c;
            else if (q == 1)
                rhs[unknown(p)] += c;
        }
    }
    if (!middleUsed)
        g[1][1] = 1;
    const double det = g[0][0] * g[1][1] - g[0][1] * g[1][0];
    const double v2 = (rhs[0] * g[1][1] - g[0][1] * rhs[1]) / det;
    const double v3 = (g[0][0] * rhs[1] - rhs[0] * g[1][0]) / det;
    const double volts[] = {0, 1, v2, v3};
    double current = 0;
    for (const Resistor& r : circuit) {
        if (r.a == 1 || r.b == 1)
            current += (1 - volts[r.a == 1 ? r.b : r.a]) / r.ohms;
    }
    return {1 / current, v2};
}

std::vector<Resistor> circuitOf(PadKind kind, const std::vector<double>& r)
{
    switch (kind) {
    case PadKind::Pi:
        return {{1, 0, r[0]}, {1, 2, r[1]}, {2, 0, r[0]}};
    case PadKind::Tee:
        return {{1, 3, r[0]}, {3, 0, r[1]}, {3, 2, r[0]}};
    case PadKind::BridgedTee:
        return {{1, 3, r[0]}, {3, 2, r[0]}, {1, 2, r[1]}, {3, 0, r[2]}};
    }
    return {};
}

TEST(PadsAsCircuits, IdealPadsMatchAndAttenuateAsAsked)
{
    std::mt19937 rng(17);
    std::uniform_int_distribution<int> db(1, 1200);
    std::uniform_int_distribution<int> z(1, 1000);
    for (int round = 0; round < 300; ++round) {
        const Decimal a = Decimal::of(db(rng), -1);
        const Decimal ohms = Decimal::of(z(rng), 0);
        for (const Pad& pad : designPads(a, ohms, Series::E96)) {
            std::vector<double> exact;
            exact.reserve(pad.resistors.size());
            for (const PadResistor& r : pad.resistors)
                exact.push_back(r.exact);
            const Solved s = solve(circuitOf(pad.kind, exact), ohms.toDouble());
            EXPECT_NEAR(s.zIn, ohms.toDouble(), 1e-9 * ohms.toDouble()) << name(pad.kind) << " " << a.toDouble();
            EXPECT_NEAR(20 * std::log10(1 / s.vOut), a.toDouble(), 1e-9) << name(pad.kind);
        }
    }
}

TEST(PadsAsCircuits, StandardValuePadsAreAnalysedAsBuilt)
{
    std::mt19937 rng(23);
    std::uniform_int_distribution<int> db(1, 600);
    std::uniform_int_distribution<int> z(10, 2000);
    for (int round = 0; round < 300; ++round) {
        const Decimal a = Decimal::of(db(rng), -1);
        const Decimal ohms = Decimal::of(z(rng), -1);
        const Series series = allSeries[static_cast<std::size_t>(round) % allSeries.size()];
        for (const Pad& pad : designPads(a, ohms, series)) {
            std::vector<double> standard;
            for (const PadResistor& r : pad.resistors) {
                standard.push_back(r.standard.toDouble());
                EXPECT_TRUE(contains(series, r.standard)) << format(r.standard);
            }
            const Solved s = solve(circuitOf(pad.kind, standard), ohms.toDouble());
            const PadPerformance& p = pad.standard;
            EXPECT_NEAR(p.zIn, s.zIn, 1e-9 * s.zIn) << name(pad.kind);
            EXPECT_NEAR(p.db, 20 * std::log10(1 / s.vOut), 1e-9) << name(pad.kind);
            const double reflection = std::abs((s.zIn - ohms.toDouble()) / (s.zIn + ohms.toDouble()));
            if (reflection > 1e-9) {
                ASSERT_TRUE(p.returnLossDb.has_value());
                EXPECT_NEAR(*p.returnLossDb, -20 * std::log10(reflection), 1e-4) << name(pad.kind);
            }
        }
    }
}

TEST(PadsAsCircuits, APerfectMatchHasNoFiniteReturnLoss)
{
    // 6.0206 dB is K = 2 to five digits: the bridged T's bridge and shunt both round to 75 in E24,
    // and with arms of 75 the pad matches exactly.
    const auto pads = designPads(v("6.0206"), v("75"), Series::E24);
    const Pad& bridged = pads[2];
    for (const PadResistor& r : bridged.resistors)
        EXPECT_EQ(r.standard, v("75"));
    EXPECT_FALSE(bridged.standard.returnLossDb.has_value());
    EXPECT_EQ(bridged.standard.zIn, 75.0);
    const Solved s = solve(circuitOf(PadKind::BridgedTee, {75, 75, 75}), 75);
    EXPECT_NEAR(s.zIn, 75, 1e-12);
    EXPECT_TRUE(pads[0].standard.returnLossDb.has_value());
}

struct AttenuationCase {
    const char* name;
    const char* text;
    const char* value;   // as parse() reads it, or nullptr
    const char* message; // a part of the refusal
};

void PrintTo(const AttenuationCase& c, std::ostream* os)
{
    *os << c.name;
}

class Attenuations : public testing::TestWithParam<AttenuationCase> {};

TEST_P(Attenuations, ReadOrRefused)
{
    const AttenuationCase& c = GetParam();
    const ParsedAttenuation p = parseAttenuation(c.text);
    if (c.value != nullptr) {
        ASSERT_TRUE(p.db.has_value()) << p.error;
        EXPECT_EQ(*p.db, v(c.value));
    } else {
        EXPECT_FALSE(p.db.has_value());
        EXPECT_NE(p.error.find(c.message), std::string::npos) << p.error;
    }
}

INSTANTIATE_TEST_SUITE_P(
    FormsAndRefusals, Attenuations,
    testing::Values(AttenuationCase{"Plain", "6", "6", nullptr},
                    AttenuationCase{"WithUnit", "10.5 dB", "10.5", nullptr},
                    AttenuationCase{"UnitWithoutBlank", "20dB", "20", nullptr},
                    AttenuationCase{"TheLargest", "200", "200", nullptr},
                    AttenuationCase{"Zero", "0", nullptr, "'0' is not above 0 dB"},
                    AttenuationCase{"ZeroWithDecimals", "0.00 dB", nullptr, "'0.00 dB' is not above 0 dB"},
                    AttenuationCase{"Gain", "-3", nullptr, "'-3' is not above 0 dB"},
                    AttenuationCase{"BeyondTheLargest", "200.1", nullptr, "'200.1' is beyond 200 dB"},
                    AttenuationCase{"NotANumber", "six", nullptr, "'six' is not an attenuation"},
                    AttenuationCase{"AnotherUnit", "6 V", nullptr, "'6 V' is not an attenuation"},
                    AttenuationCase{"Nothing", " ", nullptr, "Type an attenuation"}),
    [](const testing::TestParamInfo<AttenuationCase>& info) { return info.param.name; });

} // namespace
