// SPDX-License-Identifier: MIT
#include "cli/cli.h"
#include "cli/divider.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Printed {
    int status;
    std::string out;
    std::string err;
};

Printed divider(std::vector<std::string> args)
{
    args.insert(args.begin(), "divider");
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::run(args, cli::dividerCommands(), out, err);
    return {status, out.str(), err.str()};
}

TEST(DividerCommand, JsonOfTheIssueExample)
{
    const Printed r = divider({"--vin", "5", "--vout", "3.3", "--series", "E24", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    // Every figure the double nearest its exact value: 5 V x 9.1k / 13.8k, and so on.
    EXPECT_EQ(
        r.out.rfind("{\"ratio\": 0.66, \"reach\": \"within\", \"reach_limit_v\": null, \"pairs\": [{\"r1_ohm\": 4700, "
                    "\"r2_ohm\": 9100, \"vout_v\": 3.2971014492753623, \"error_pct\": -0.0878348704435661, "
                    "\"exact\": false, \"vout_min_v\": 3.2745710962489096, \"vout_max_v\": 3.319488587113551, "
                    "\"current_a\": 0.00036231884057971015, \"power_r1_w\": 0.0006169922285234195, "
                    "\"power_r2_w\": 0.0011946019743751314, \"rating_r1_w\": 0.0625, \"rating_r2_w\": 0.0625}, "
                    "{\"r1_ohm\": 47000, ",
                    0),
        0U)
        << r.out;
    EXPECT_EQ(r.out.substr(r.out.size() - 4), "}]}\n");
    std::size_t pairs = 0;
    for (std::size_t at = r.out.find("\"r1_ohm\""); at != std::string::npos; at = r.out.find("\"r1_ohm\"", at + 1))
        ++pairs;
    EXPECT_EQ(pairs, 10U);
}

TEST(DividerCommand, JsonInFeedbackMode)
{
    const Printed r =
        divider({"--vref", "0.8", "--vout", "3.3V", "--series", "E24", "--range", "1k..100k", "--top", "1", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(
        r.out,
        "{\"ratio\": 0.24242424242424243, \"reach\": \"within\", \"reach_limit_v\": null, \"pairs\": [{\"r1_ohm\": "
        "7500, \"r2_ohm\": 2400, \"vout_v\": 3.3, \"error_pct\": 0.0, \"exact\": true, \"vout_min_v\": "
        "3.2504950495049503, \"vout_max_v\": 3.3505050505050504, \"current_a\": 0.0003333333333333333, \"power_r1_w\": "
        "0.0008333333333333334, \"power_r2_w\": 0.0002666666666666667, \"rating_r1_w\": 0.0625, \"rating_r2_w\": "
        "0.0625}]}\n");
}

// 62.5 mW in each 100 Ω is exactly a 1/16 W part's rating without margin, and needs 1/8 W with 2x.
TEST(DividerCommand, PowerRatingsAreDecidedExactly)
{
    const Printed bare = divider({"--vin", "5", "--vout", "2.5", "--series", "E3", "--range", "100..100", "--top", "1",
                                  "--margin", "1", "--json"});
    ASSERT_EQ(bare.status, 0) << bare.err;
    EXPECT_NE(bare.out.find(
                  "\"power_r1_w\": 0.0625, \"power_r2_w\": 0.0625, \"rating_r1_w\": 0.0625, \"rating_r2_w\": 0.0625}"),
              std::string::npos)
        << bare.out;
    const Printed twice =
        divider({"--vin", "5", "--vout", "2.5", "--series", "E3", "--range", "100..100", "--top", "1", "--json"});
    EXPECT_NE(twice.out.find("\"rating_r1_w\": 0.125, \"rating_r2_w\": 0.125}"), std::string::npos) << twice.out;
    const Printed hot =
        divider({"--vin", "100", "--vout", "50", "--series", "E3", "--range", "100..100", "--top", "1", "--json"});
    EXPECT_NE(hot.out.find("\"rating_r1_w\": null"), std::string::npos) << hot.out;
}

// The regulator holds V ref across R2, so a pair that misses V out carries V ref / R2, not the
// goal's current: 220 Ω over 100 Ω from 1.25 V gives 4 V, 12.5 mA, 34.375 mW in R1.
TEST(DividerCommand, PowerComesFromThePairsOwnCurrent)
{
    const struct {
        std::vector<std::string> args;
        const char* row;
    } cases[] = {
        {{"--vref", "1.25", "--vout", "3.81", "--r2", "100", "--series", "E6", "--range", "10..1k"},
         "220 Ω  100 Ω       4 V    +4.99 %  3.9455 V  4.0556 V  12.5 mA  34.375 mW  15.625 mW     1/10 W     1/16 W"},
        {{"--vref", "1.25", "--vout", "5", "--series", "E12", "--range", "1k..10k"},
         "6.8 kΩ  2.2 kΩ  5.1136 V    +2.27 %  5.0371 V  5.1917 V  568.18 µA  2.1952 mW  710.23 µW"},
        {{"--vref", "1.25", "--vout", "3.81", "--r2", "100", "--series", "E6", "--range", "220..220", "--json"},
         "\"current_a\": 0.0125, \"power_r1_w\": 0.034375, \"power_r2_w\": 0.015625, \"rating_r1_w\": 0.1, "
         "\"rating_r2_w\": 0.0625}"},
    };
    for (const auto& c : cases) {
        const Printed r = divider(c.args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.out.find(c.row), std::string::npos) << r.out;
    }
}

// The end the parts reach, at full precision like every JSON number: 5 V x 1k / 1001k.
TEST(DividerCommand, ReachLimitIsTheDoubleNearestTheEnd)
{
    const Printed r = divider({"--vin", "5", "--vout", "1m", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\"ratio\": 0.0002, \"reach\": \"below\", \"reach_limit_v\": 0.004995004995004995, ", 0), 0U)
        << r.out;
}

TEST(DividerCommand, PlainTableHasItsHeadersAndOneRowAPair)
{
    const Printed r =
        divider({"--vin", "2.5", "--vout", "800m", "--series", "E24", "--range", "1k..100k", "--top", "2"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("R1"), std::string::npos);
    EXPECT_NE(r.out.find("5.1 kΩ  2.4 kΩ"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("exact"), std::string::npos);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 4) << r.out;
}

struct BadInput {
    const char* name;
    std::vector<std::string> args;
    const char* named; // what the one-line message must name
};

class DividerCommandRefuses : public testing::TestWithParam<BadInput> {};

TEST_P(DividerCommandRefuses, WithOneLineNamingTheArgument)
{
    const Printed r = divider(GetParam().args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(GetParam().named), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, DividerCommandRefuses,
    testing::Values(
        BadInput{"VoutNotBelowVin", {"--vin", "3.3", "--vout", "5"}, "--vout: V out must be lower than V in"},
        BadInput{"VoutNotAboveVref", {"--vref", "0.8", "--vout", "0.5"}, "--vout: V out must be higher"},
        BadInput{"VinNotAValue", {"--vin", "5x", "--vout", "3.3"}, "--vin: '5x'"},
        BadInput{"VinInOhms", {"--vin", "5k", "--vout", "3.3 ohm"}, "--vout"},
        BadInput{"BothModes", {"--vin", "5", "--vref", "0.8", "--vout", "3.3"}, "--vref"},
        BadInput{"NoVout", {"--vin", "5"}, "--vout"},
        BadInput{"RangeUpsideDown", {"--vin", "5", "--vout", "3.3", "--range", "1M..1k"}, "--range"},
        BadInput{"RangeWithoutDots", {"--vin", "5", "--vout", "3.3", "--range", "1k"}, "--range"},
        BadInput{"ToleranceOf100", {"--vin", "5", "--vout", "3.3", "--tolerance", "100"}, "--tolerance"},
        BadInput{"TopOfZero", {"--vin", "5", "--vout", "3.3", "--top", "0"}, "--top"},
        BadInput{"UnknownSeries", {"--vin", "5", "--vout", "3.3", "--series", "E25"}, "--series"},
        BadInput{"UnknownOption", {"--vni", "5", "--vout", "3.3"}, "--vni"},
        BadInput{"MarginBelowOne", {"--vin", "5", "--vout", "3.3", "--margin", "0.5"}, "--margin"}),
    [](const testing::TestParamInfo<BadInput>& info) { return std::string(info.param.name); });

} // namespace
