// SPDX-License-Identifier: MIT
#include "cli/led.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

struct Printed {
    int status;
    std::string out;
    std::string err;
};

Printed run(const std::vector<std::string>& args)
{
    std::ostringstream out;
    std::ostringstream err;
    std::vector<cli::Command> commands(cli::ledCommands().begin(), cli::ledCommands().end());
    commands.insert(commands.end(), cli::ohmCommands().begin(), cli::ohmCommands().end());
    const int status = cli::run(args, commands, out, err);
    return {status, out.str(), err.str()};
}

struct Case {
    const char* name;
    std::vector<std::string> args;
    int status;
    std::string out; // the whole output, or "" when only err is checked
    std::string err;
};

class LedCommand : public testing::TestWithParam<Case> {};

TEST_P(LedCommand, PrintsAndExits)
{
    const Case& c = GetParam();
    const Printed p = run(c.args);
    EXPECT_EQ(p.status, c.status);
    if (!c.out.empty()) {
        EXPECT_EQ(p.out, c.out);
    }
    EXPECT_EQ(p.err, c.err);
}

INSTANTIATE_TEST_SUITE_P(
    Values, LedCommand,
    testing::Values(
        Case{
            "RedLedAsJson",
            {"led", "--supply", "5", "--vf", "2", "--current", "10m", "--json"},
            0,
            R"({"exact_ohms": 300, "choices": [{"ohms": 300, "current_a": 0.01, "current_min_a": 0.009523809523809525, )"
            R"("current_max_a": 0.010526315789473684, "power_w": 0.03, "power_max_w": 0.031578947368421054, )"
            R"("rating_w": 0.0625, "led_power_w": 0.02, "efficiency": 0.4}, {"ohms": 270, )"
            R"("current_a": 0.011111111111111112, "current_min_a": 0.010582010582010581, )"
            R"("current_max_a": 0.011695906432748537, "power_w": 0.03333333333333333, )"
            R"("power_max_w": 0.03508771929824561, "rating_w": 0.1, "led_power_w": 0.022222222222222223, )"
            R"("efficiency": 0.4}]})"
            "\n",
            ""},
        Case{"OhmAsJsonAtFullPrecision",
             {"ohm", "--v", "5", "--r", "220", "--json"},
             0,
             "{\"v\": 5, \"i\": 0.022727272727272728, \"r\": 220, \"p\": 0.11363636363636363}\n",
             ""},
        Case{"OhmFromWattsAndVolts",
             {"ohm", "--v", "12", "--p", "5W"},
             0,
             "V = 12 V\nI ≈ 416.6666667 mA\nR = 28.8 Ω\nP = 5 W\n",
             ""},
        Case{"TooLowASupplyIsRefused",
             {"led", "--supply", "5", "--vf", "3.2", "--count", "3", "--current", "20m"},
             2,
             "",
             "voltiva: --supply: The supply cannot drive the string: at its lowest, 5 V, it is not above 3 x 3.2 V "
             "= 9.6 V\n"},
        Case{"AMissingCurrentIsNamed",
             {"led", "--supply", "5", "--vf", "2"},
             2,
             "",
             "voltiva: --current: missing; for example led --supply 5 --vf 2 --current 10m\n"},
        Case{"ABadRangeIsNamed",
             {"led", "--supply", "5", "--vf", "2", "--current", "10m", "--vf-range", "2.1..2.5"},
             2,
             "",
             "voltiva: --vf-range: The range must run from its lowest V f through the typical one to its highest\n"},
        Case{"ABadMarginIsNamed",
             {"led", "--supply", "5", "--vf", "2", "--current", "10m", "--margin", "0.5"},
             2,
             "",
             "voltiva: --margin: '0.5' is not a margin: write a factor from 1 to 10, such as 2\n"},
        Case{"ThreeQuantitiesAreTooMany",
             {"ohm", "--v", "1", "--i", "1", "--r", "1"},
             2,
             "",
             "voltiva: ohm: give exactly two of --v, --i, --r and --p, for example --v 5 --r 220\n"},
        Case{"ANegativeValueIsNamed",
             {"ohm", "--v", "-5", "--r", "1k"},
             2,
             "",
             "voltiva: --v: '-5' is negative: write a value above zero\n"},
        Case{"AZeroDivisorIsNamed",
             {"ohm", "--v", "5", "--r", "0"},
             2,
             "",
             "voltiva: --r: A voltage above zero across 0 Ω would drive an infinite current\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LedCommand, PrintsATableWithTheExactRow)
{
    const Printed p = run({"led", "--supply", "12", "--vf", "2.2", "--current", "30m"});
    EXPECT_EQ(p.status, 0);
    EXPECT_NE(p.out.find("exact (rounded)  326.7 Ω"), std::string::npos) << p.out;
    EXPECT_NE(p.out.find("1 W"), std::string::npos) << p.out;
}

} // namespace
