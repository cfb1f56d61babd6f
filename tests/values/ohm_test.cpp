// SPDX-License-Identifier: MIT
#include "values/ohm.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

using namespace values;

namespace {

using Q = Quantity;

Decimal d(std::int64_t mantissa, int exponent = 0)
{
    return Decimal::of(mantissa, exponent);
}

OhmGiven given(Q q, Decimal v)
{
    return {q, Exact::of(v)};
}

// The other two to ten digits, and whether they are exact there.
struct Law {
    const char* name;
    OhmGiven a;
    OhmGiven b;
    Decimal v, i, r, p;
    bool exact;
};

class OhmsLaw : public testing::TestWithParam<Law> {};

TEST_P(OhmsLaw, GivesTheOtherTwo)
{
    const Law& c = GetParam();
    const OhmResult result = ohmsLaw(c.a, c.b);
    ASSERT_TRUE(result.ok()) << result.message;
    const Decimal expected[] = {c.v, c.i, c.r, c.p};
    bool exact = true;
    for (std::size_t q = 0; q < 4; ++q) {
        EXPECT_EQ(result.values[q].rounded(10), expected[q]) << symbol(static_cast<Q>(q));
        exact = exact && result.values[q].isDecimal(10);
    }
    EXPECT_EQ(exact, c.exact);
    // Either order of the two gives the same.
    const OhmResult swapped = ohmsLaw(c.b, c.a);
    for (std::size_t q = 0; q < 4; ++q)
        EXPECT_EQ(swapped.values[q].toDouble(), result.values[q].toDouble());
}

INSTANTIATE_TEST_SUITE_P(
    Values, OhmsLaw,
    testing::Values(Law{"FiveVoltsAcross220Ohms", given(Q::Voltage, d(5)), given(Q::Resistance, d(220)), d(5),
                        d(2272727273, -11), d(220), d(1136363636, -10), false},
                    Law{"TwelveVoltsAtFiveWatts", given(Q::Voltage, d(12)), given(Q::Power, d(5)), d(12),
                        d(4166666667, -10), d(288, -1), d(5), false},
                    Law{"TwentyMilliampsThrough150Ohms", given(Q::Current, d(20, -3)), given(Q::Resistance, d(150)),
                        d(3), d(2, -2), d(150), d(6, -2), true},
                    Law{"SixtyMilliwattsIn150OhmsHasAnExactRoot", given(Q::Resistance, d(150)),
                        given(Q::Power, d(6, -2)), d(3), d(2, -2), d(150), d(6, -2), true},
                    Law{"OneWattIn2OhmsIsIrrational", given(Q::Resistance, d(2)), given(Q::Power, d(1)),
                        d(1414213562, -9), d(7071067812, -10), d(2), d(1), false},
                    Law{"VoltsAndAmps", given(Q::Voltage, d(9)), given(Q::Current, d(3, -1)), d(9), d(3, -1), d(30),
                        d(27, -1), true},
                    Law{"AmpsAndWatts", given(Q::Current, d(2)), given(Q::Power, d(10)), d(5), d(2), d(25, -1), d(10),
                        true},
                    Law{"NoVoltsAcrossAResistor", given(Q::Voltage, d(0)), given(Q::Resistance, d(1, 3)), d(0), d(0),
                        d(1, 3), d(0), true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OhmsLaw, NearestDoubleOfAnIrrationalRoot)
{
    const OhmResult r = ohmsLaw(given(Q::Resistance, d(2)), given(Q::Power, d(1)));
    EXPECT_EQ(r.values[0].toDouble(), std::sqrt(2.0));
}

struct Refused {
    const char* name;
    OhmGiven a;
    OhmGiven b;
    Q blamed;
};

class OhmsLawRefuses : public testing::TestWithParam<Refused> {};

TEST_P(OhmsLawRefuses, AZeroWhereItDivides)
{
    const Refused& c = GetParam();
    const OhmResult r = ohmsLaw(c.a, c.b);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(*r.refused, c.blamed);
    EXPECT_FALSE(r.message.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Values, OhmsLawRefuses,
    testing::Values(Refused{"VoltsWithNoCurrent", given(Q::Voltage, d(5)), given(Q::Current, d(0)), Q::Current},
                    Refused{"VoltsAcrossNoResistance", given(Q::Resistance, d(0)), given(Q::Voltage, d(5)),
                            Q::Resistance},
                    Refused{"PowerAtNoVolts", given(Q::Voltage, d(0)), given(Q::Power, d(1)), Q::Voltage},
                    Refused{"NoPowerAtSomeVolts", given(Q::Voltage, d(3)), given(Q::Power, d(0)), Q::Power},
                    Refused{"PowerWithoutCurrent", given(Q::Current, d(0)), given(Q::Power, d(2)), Q::Current},
                    Refused{"PowerInNoResistance", given(Q::Resistance, d(0)), given(Q::Power, d(2)), Q::Resistance},
                    Refused{"BothZero", given(Q::Voltage, d(0)), given(Q::Current, d(0)), Q::Current},
                    Refused{"TheSameQuantityTwice", given(Q::Voltage, d(1)), given(Q::Voltage, d(2)), Q::Voltage}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OhmsLawField, ReadsValuesUnitsAndZero)
{
    EXPECT_EQ(parseQuantity("5 mW", Q::Power).value, d(5, -3));
    EXPECT_EQ(parseQuantity("2.5W", Q::Power).value, d(25, -1));
    EXPECT_EQ(parseQuantity("4k7", Q::Resistance).value, d(47, 2));
    EXPECT_EQ(parseQuantity("0", Q::Voltage).value, Decimal{});
    EXPECT_FALSE(parseQuantity("5 A", Q::Voltage).value);
    EXPECT_EQ(parseQuantity("5 A", Q::Voltage).error, "'5 A' is not in V");
    EXPECT_EQ(parseQuantity("0 V", Q::Voltage).value, Decimal{});
    EXPECT_EQ(parseQuantity("0 A", Q::Voltage).error, "'0 A' is not in V");
    EXPECT_EQ(parseQuantity("220 Ohm", Q::Resistance).value, d(22, 1));
    EXPECT_EQ(parseQuantity("-3", Q::Current).error, "'-3' is negative: write a value above zero");
    EXPECT_EQ(parseQuantity("x W", Q::Power).error.substr(0, 5), "'x W'");
}

} // namespace
