// SPDX-License-Identifier: MIT
#include "cli/led.h"

#include "command_case.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

class LedCommand : public testing::TestWithParam<CommandCase> {};

TEST_P(LedCommand, PrintsAndExits)
{
    expectPrinted(GetParam(), cli::ledCommands());
}

INSTANTIATE_TEST_SUITE_P(
    Values, LedCommand,
    testing::Values(
        CommandCase{
            "RedLedAsJson",
            {"led", "--supply", "5", "--vf", "2", "--current", "10m", "--json"},
            0,
            R"({"exact_r_ohm": 300, "choices": [{"r_ohm": 300, "current_a": 0.01, "current_min_a": 0.009523809523809525, )"
            R"("current_max_a": 0.010526315789473684, "power_w": 0.03, "power_max_w": 0.031578947368421054, )"
            R"("rating_w": 0.0625, "led_power_w": 0.02, "efficiency_pct": 40}, {"r_ohm": 270, )"
            R"("current_a": 0.011111111111111112, "current_min_a": 0.010582010582010581, )"
            R"("current_max_a": 0.011695906432748537, "power_w": 0.03333333333333333, )"
            R"("power_max_w": 0.03508771929824561, "rating_w": 0.1, "led_power_w": 0.022222222222222223, )"
            R"("efficiency_pct": 40}]})"
            "\n",
            ""},
        CommandCase{
            "TooLowASupplyIsRefused",
            {"led", "--supply", "5", "--vf", "3.2", "--count", "3", "--current", "20m"},
            2,
            "",
            "voltiva: --supply: The supply cannot drive the string: at its lowest, 5 V, it is not above 3 x 3.2 V "
            "= 9.6 V\n"},
        CommandCase{"AMissingCurrentIsNamed",
                    {"led", "--supply", "5", "--vf", "2"},
                    2,
                    "",
                    "voltiva: --current: missing; for example led --supply 5 --vf 2 --current 10m\n"},
        CommandCase{
            "ABadRangeIsNamed",
            {"led", "--supply", "5", "--vf", "2", "--current", "10m", "--vf-range", "2.1..2.5"},
            2,
            "",
            "voltiva: --vf-range: The range must run from its lowest V f through the typical one to its highest\n"},
        CommandCase{"ABadMarginIsNamed",
                    {"led", "--supply", "5", "--vf", "2", "--current", "10m", "--margin", "0.5"},
                    2,
                    "",
                    "voltiva: --margin: '0.5' is not a margin: write a factor from 1 to 10, such as 2\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LedCommand, PrintsATableWithTheExactRow)
{
    std::ostringstream out, err;
    EXPECT_EQ(cli::run({"led", "--supply", "12", "--vf", "2.2", "--current", "30m"}, cli::ledCommands(), out, err), 0);
    EXPECT_NE(out.str().find("exact (rounded)  326.67 Ω"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("1 W"), std::string::npos) << out.str();
}

} // namespace
