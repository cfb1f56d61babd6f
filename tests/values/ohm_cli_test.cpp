// SPDX-License-Identifier: MIT
// The Ohm's law command: any two of V, I, R and P give the other two.
#include "cli/led.h"

#include "command_case.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class OhmCommand : public testing::TestWithParam<CommandCase> {};

TEST_P(OhmCommand, PrintsAndExits)
{
    expectPrinted(GetParam(), cli::ohmCommands());
}

INSTANTIATE_TEST_SUITE_P(
    Values, OhmCommand,
    testing::Values(CommandCase{"AsJsonAtFullPrecision",
                                {"ohm", "--v", "5", "--r", "220", "--json"},
                                0,
                                "{\"voltage_v\": 5, \"current_a\": 0.022727272727272728, \"resistance_ohm\": 220, "
                                "\"power_w\": 0.11363636363636363}\n",
                                ""},
                    CommandCase{"FromWattsAndVolts",
                                {"ohm", "--v", "12", "--p", "5W"},
                                0,
                                "V = 12 V\nI ≈ 416.67 mA\nR = 28.8 Ω\nP = 5 W\n",
                                ""},
                    CommandCase{"ThreeQuantitiesAreTooMany",
                                {"ohm", "--v", "1", "--i", "1", "--r", "1"},
                                2,
                                "",
                                "voltiva: ohm: give exactly two of --v, --i, --r and --p, for example --v 5 --r 220\n"},
                    CommandCase{"ANegativeValueIsNamed",
                                {"ohm", "--v", "-5", "--r", "1k"},
                                2,
                                "",
                                "voltiva: --v: '-5' is negative: write a value above zero\n"},
                    CommandCase{"AZeroDivisorIsNamed",
                                {"ohm", "--v", "5", "--r", "0"},
                                2,
                                "",
                                "voltiva: --r: A voltage above zero across 0 Ω would drive an infinite current\n"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
