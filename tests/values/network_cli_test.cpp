// SPDX-License-Identifier: MIT
// The eval and pad commands: the worked examples in JSON and as text, and one line naming the
// argument, with exit status 2, for every refusal.
#include "cli/network.h"
#include "cli/pad.h"

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

// Through the command line's own dispatch, with these two tools' commands.
Printed run(const char* command, std::vector<std::string> args)
{
    std::vector<cli::Command> commands(cli::networkCommands().begin(), cli::networkCommands().end());
    commands.insert(commands.end(), cli::padCommands().begin(), cli::padCommands().end());
    args.insert(args.begin(), command);
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::run(args, commands, out, err);
    return {status, out.str(), err.str()};
}

TEST(EvalCommand, JsonOfTheExampleWithOnePercentParts)
{
    const Printed r = run("eval", {"4k7 + (10k || 22k)", "--tolerance", "1", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(
        r.out,
        "{\"text\": \"4.7k + (22k || 10k)\", \"kind\": \"resistor\", \"value_ohm\": 11575, \"exact\": true, "
        "\"min_ohm\": 11459.25, \"max_ohm\": 11690.75, \"nearest\": {\"series\": \"E24\", \"value_ohm\": 12000}}\n");
}

TEST(EvalCommand, JsonAtFullDoublePrecisionWhenNotExact)
{
    const Printed r = run("eval", {"10k || 10k || 10k", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"value_ohm\": 3333.3333333333335, \"exact\": false"), std::string::npos) << r.out;
}

TEST(EvalCommand, CapacitorsAndAnUnquotedNetwork)
{
    const Printed r = run("eval", {"100n", "||", "47n", "--capacitor"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "100n || 47n\nvalue    147 nF exact\nnearest  150 nF (E24)\n");
}

TEST(EvalCommand, PlainTextShowsTheRangeOverOwnTolerances)
{
    const Printed r = run("eval", {"4k7/5% + (10k/1% || 22k/1%)", "--series", "E96"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "4.7k/5% + (22k/1% || 10k/1%)\nvalue    11.575 kΩ exact\nrange    11.271-11.879 kΩ\n"
              "nearest  11.5 kΩ (E96, to the range's centre)\n");
}

TEST(PadCommand, JsonOfTheSixDbExample)
{
    const Printed r = run("pad", {"--db", "6", "--z", "50", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\"pi\": {\"shunt_ohm\": 150.47602375372452, \"series_ohm\": 37.351877033540184, "
                          "\"standard\": {\"shunt_ohm\": 150, \"series_ohm\": 37.4, \"attenuation_db\": ",
                          0),
              0U)
        << r.out;
    EXPECT_NE(r.out.find("\"tee\": {\"series_ohm\": 16.613942458312206, \"shunt_ohm\": 66.93104064770615, "),
              std::string::npos);
    EXPECT_NE(r.out.find("\"bridged_tee\": {\"arm_ohm\": 50, \"bridge_ohm\": 49.76311574844398, "), std::string::npos);
}

TEST(PadCommand, APerfectMatchWritesNullForTheReturnLoss)
{
    const Printed r = run("pad", {"--db", "6.0206", "--z", "75", "--series", "E24", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"z_in_ohm\": 75, \"return_loss_db\": null, \"perfect_match\": true}"), std::string::npos)
        << r.out;
    EXPECT_EQ(r.out.find("inf"), std::string::npos);
    const Printed text = run("pad", {"--db", "6.0206", "--z", "75", "--series", "E24"});
    EXPECT_NE(text.out.find("infinite"), std::string::npos) << text.out;
}

TEST(PadCommand, PlainTableOneRowAResistor)
{
    const Printed r = run("pad", {"--db", "20"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("20 dB, 50 Ω, E96\n", 0), 0U) << r.out;
    EXPECT_NE(r.out.find("61.111 Ω"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("247.5 Ω"), std::string::npos);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 9) << r.out;
}

struct BadInput {
    const char* name;
    const char* command;
    std::vector<std::string> args;
    const char* named; // what the one-line message must name
};

void PrintTo(const BadInput& c, std::ostream* os)
{
    *os << c.name;
}

class NetworkCommandsRefuse : public testing::TestWithParam<BadInput> {};

TEST_P(NetworkCommandsRefuse, WithOneLineNamingTheArgument)
{
    const Printed r = run(GetParam().command, GetParam().args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(GetParam().named), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    BadInput, NetworkCommandsRefuse,
    testing::Values(BadInput{"NoNetwork", "eval", {}, "give a network"},
                    BadInput{"UnbalancedBracket", "eval", {"(4k7 + 1k"}, "'(' is never closed (at character 1)"},
                    BadInput{"ValueRefused", "eval", {"4x7 || 1k"}, "'4x7' is not a resistance"},
                    BadInput{"MissingValue", "eval", {"4k7 +"}, "expected a value after '+' (at character 5)"},
                    BadInput{"BadTolerance", "eval", {"1k", "--tolerance", "100"}, "--tolerance: '100'"},
                    BadInput{"BadSeries", "eval", {"1k", "--series", "E7"}, "--series: 'E7'"},
                    BadInput{"UnknownOption", "eval", {"1k", "--parts", "3"}, "'--parts'"},
                    BadInput{"NoAttenuation", "pad", {"--z", "50"}, "--db: missing"},
                    BadInput{"ZeroDb", "pad", {"--db", "0"}, "--db: '0' is not above 0 dB"},
                    BadInput{"Gain", "pad", {"--db", "-6"}, "--db: '-6' is not above 0 dB"},
                    BadInput{"DbNotANumber", "pad", {"--db", "x"}, "--db: 'x'"},
                    BadInput{"ImpedanceInVolts", "pad", {"--db", "6", "--z", "5V"}, "--z: '5V'"},
                    BadInput{"ImpedanceZero", "pad", {"--db", "6", "--z", "0"}, "--z: '0' is zero"},
                    BadInput{"PadSeries", "pad", {"--db", "6", "--series", "E5"}, "--series: 'E5'"},
                    BadInput{"StrayArgument", "pad", {"6"}, "unexpected argument '6'"}),
    [](const testing::TestParamInfo<BadInput>& info) { return info.param.name; });

} // namespace
