// SPDX-License-Identifier: MIT
// The one rule for shown figures (numeric/format.h), as the commands print them: five digits in
// answer lines and tables alike, no mHz and no prefixed dB, ties away from zero on the exact
// decimal, and exact values in full where the output says they are exact.
#include "cli/board.h"
#include "cli/led.h"
#include "cli/pad.h"
#include "cli/standard.h"
#include "cli/timing.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

struct Figure {
    const char* name;
    std::vector<std::string> args;
    const char* line; // a whole line of the output
};

class FigureShown : public testing::TestWithParam<Figure> {};

TEST_P(FigureShown, AsTheRuleSays)
{
    std::vector<cli::Command> commands;
    for (const auto list : {cli::standardCommands(), cli::ledCommands(), cli::ohmCommands(), cli::padCommands(),
                            cli::timingCommands(), cli::boardCommands()})
        commands.insert(commands.end(), list.begin(), list.end());
    std::ostringstream out, err;
    ASSERT_EQ(cli::run(GetParam().args, commands, out, err), cli::exitOk) << err.str();
    EXPECT_NE(("\n" + out.str()).find("\n" + std::string(GetParam().line) + "\n"), std::string::npos) << out.str();
}

INSTANTIATE_TEST_SUITE_P(
    Cli, FigureShown,
    testing::Values(
        Figure{"a_slow_astable_with_its_period",
               {"timer", "--r1", "330k", "--r2", "330k", "--c", "2.2u", "--diode"},
               "frequency        0.99359 Hz (period 1.0064 s)"},
        Figure{"the_same_digits_in_the_designers_table",
               {"timer", "--f", "1", "--duty", "50", "--diode", "--top", "1"},
               "330 kΩ  330 kΩ  2.2 µF  0.99359 Hz (period 1.0064 s)  50 % exact  +0.64 %  +0.64 %     +0.64 %"},
        Figure{"decibels_typed_without_a_prefix", {"pad", "--db", "0.001"}, "0.001 dB, 50 Ω, E96"},
        Figure{"ohms_law_rounds_to_five_digits", {"ohm", "--v", "5", "--r", "220"}, "I ≈ 22.727 mA"},
        Figure{"ohms_law_keeps_an_exact_value_whole", {"ohm", "--v", "1.23456", "--r", "1"}, "P = 1.5241383936 W"},
        Figure{"a_tie_rounds_away_from_zero",
               {"spacing", "--voltage", "500.25"},
               "B1        0.25063 mm  Internal conductors"},
        Figure{"every_tie_the_same_way",
               {"spacing", "--voltage", "500.25"},
               "B2         2.5013 mm  External conductors, uncoated, sea level to 3050 m"},
        Figure{"the_exact_led_resistor_whole",
               {"led", "--supply", "5", "--vf", "1.23456", "--current", "1m"},
               "exact        3.76544 kΩ      1 mA  952.38 µA  1.0526 mA  3.7654 mW  3.9636 mW  1/16 W  1.2346 mW    "
               "24.691 %"},
        Figure{"a_network_that_hits_shows_the_target_whole",
               {"combine", "15004.7", "--range", "1..1M", "--top", "1"},
               "15k + 4.7  15.0047k      exact"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
