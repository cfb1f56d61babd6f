// SPDX-License-Identifier: MIT
#include "cli/amplifiers.h"

#include "command_case.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class AmplifiersCommand : public testing::TestWithParam<CommandCase> {};

TEST_P(AmplifiersCommand, PrintsAndExits)
{
    expectPrinted(GetParam(), cli::amplifiersCommands());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, AmplifiersCommand,
    testing::Values(
        CommandCase{"OpAmpInvertingWorkedFigures",
                    {"opamp", "--gain", "-4.7", "--top", "4"},
                    0,
                    "Inverting, G = -Rf / Rg = -4.7; E24 from 1 kΩ to 1 MΩ, 1 % parts\n"
                    "    Rf      Rg    gain  deviation  lowest  highest   input   Rf || Rg  nearest\n"
                    "4.7 kΩ    1 kΩ     4.7      exact  4.6069   4.7949    1 kΩ   824.56 Ω    820 Ω\n"
                    " 47 kΩ   10 kΩ     4.7      exact  4.6069   4.7949   10 kΩ  8.2456 kΩ   8.2 kΩ\n"
                    "470 kΩ  100 kΩ     4.7      exact  4.6069   4.7949  100 kΩ  82.456 kΩ    82 kΩ\n"
                    " 24 kΩ  5.1 kΩ  4.7059    +0.13 %  4.6127    4.801  5.1 kΩ  4.2062 kΩ   4.3 kΩ\n",
                    ""},
        CommandCase{"OpAmpDifferenceAsJson",
                    {"opamp", "--gain", "1", "--difference", "--top", "1", "--json"},
                    0,
                    R"x({"circuit": "difference", "gain": 1, "reach": "within", "reach_limit": null, )x"
                    R"x("partner_ohm": null, "pairs": [{"rf_ohm": 1000, "rg_ohm": 1000, "gain": 1, "error_pct": 0.0, )x"
                    R"x("exact": true, "gain_min": 0.9801980198019802, "gain_max": 1.02020202020202, )x"
                    R"x("input_ohm": 2000, "balance_ohm": null, "balance_standard_ohm": null, )x"
                    R"x("cmrr_db": 33.89210397867137}]})x"
                    "\n",
                    ""},
        CommandCase{"RegulatorWith240OhmsAndTheAdjustPin",
                    {"regulator", "--vout", "5", "--r1", "240", "--series", "E24", "--top", "2"},
                    0,
                    "Adjustable, positive (LM317 type): V ref 1.25 V (1.2 V to 1.3 V), I adj 50 µA (0 to 100 µA), "
                    "minimum load 10 mA\n"
                    "V out 5 V, E24 from 10 Ω to 100 kΩ, 1 % parts; R1 240 Ω: exact R2 713.15 Ω\n"
                    "   R1     R2     V out  deviation    lowest   highest  R1 current\n"
                    "240 Ω  680 Ω  4.8257 V    -3.49 %  4.5327 V  5.1264 V  5.2083 mA (below the minimum load)\n"
                    "240 Ω  750 Ω  5.1938 V    +3.88 %  4.8757 V  5.5203 V  5.2083 mA (below the minimum load)\n"
                    "R1 above 125 Ω draws less than the 10 mA minimum load: the load must always draw the rest\n",
                    ""},
        CommandCase{
            "RegulatorE96AsJson",
            {"regulator", "--vout", "5", "--vref", "1.25", "--iadj", "50u", "--r1", "240", "--top", "1", "--json"},
            0,
            R"x({"part": "Adjustable, positive (LM317 type)", "negative": false, "vref_v": 1.25, )x"
            R"x("vref_min_v": 1.25, "vref_max_v": 1.25, "iadj_a": 5e-5, "iadj_min_a": 5e-5, )x"
            R"x("iadj_max_a": 5e-5, "min_load_a": 0.01, "vout_v": 5, "reach": "within", "reach_limit_v": null, )x"
            R"x("partner_ohm": 713.1537242472266, "largest_r1_ohm": 125, "pairs": [{"r1_ohm": 240, )x"
            R"x("r2_ohm": 715, "vout_v": 5.009708333333333, "error_pct": 0.19416666666666665, "exact": false, )x"
            R"x("vout_min_v": 4.935609084158416, "vout_max_v": 5.085297314814815, )x"
            R"x("r1_current_a": 0.005208333333333333, "below_min_load": true}]})x"
            "\n",
            ""},
        CommandCase{"RegulatorNegativeWith120Ohms",
                    {"regulator", "--vout", "-12", "--part", "lm337", "--r1", "120", "--top", "2"},
                    0,
                    "Adjustable, negative (LM337 type): V ref -1.25 V (-1.2 V to -1.3 V), I adj 50 µA (0 to 100 µA), "
                    "minimum load 10 mA\n"
                    "V out -12 V, E96 from 10 Ω to 100 kΩ, 1 % parts; R1 120 Ω: exact R2 1.0271 kΩ\n"
                    "   R1       R2      V out  deviation     lowest    highest  R1 current\n"
                    "120 Ω  1.02 kΩ  -11.926 V    -0.62 %  -12.676 V  -11.198 V  10.417 mA\n"
                    "120 Ω  1.05 kΩ   -12.24 V    +2.00 %  -13.011 V  -11.492 V  10.417 mA\n",
                    ""},
        CommandCase{"OpAmpWithRfChosen",
                    {"opamp", "--gain", "11", "--rf", "100k", "--top", "2"},
                    0,
                    "Non-inverting, G = 1 + Rf / Rg = 11; E24 from 1 kΩ to 1 MΩ, 1 % parts; Rf 100 kΩ: exact Rg 10 kΩ\n"
                    "    Rf     Rg    gain  deviation  lowest  highest   Rf || Rg  nearest\n"
                    "100 kΩ  10 kΩ      11      exact  10.802   11.202  9.0909 kΩ   9.1 kΩ\n"
                    "100 kΩ  11 kΩ  10.091    -8.26 %  9.9109   10.275  9.9099 kΩ    10 kΩ\n",
                    ""},
        CommandCase{"HeatSinkWithoutThetaJa",
                    {"heatsink", "--power", "1.2", "--theta-jc", "2", "--ambient", "40", "--tj-max", "150"},
                    0,
                    "1.2 W; junction at most 150 °C, ambient 40 °C\n"
                    "without a heat sink  give --theta-ja\n"
                    "heat sink            at most 89.167 K/W (θJC 2 K/W + θCS 0.5 K/W before it), the case at "
                    "147.6 °C\n",
                    ""},
        CommandCase{"ZenerSupplyNotAboveVz",
                    {"zener", "--supply", "5", "--vz", "5.1", "--load", "10m", "--json"},
                    0,
                    R"x({"open": false, "limit": "supply", "why": "At its lowest, 5 V, the supply is not above the )x"
                    R"x(Zener's highest V z, 5.355 V: a higher supply or a lower V z", "r_min_ohm": null, )x"
                    R"x("r_max_ohm": null, "pz_at_r_max_w": null, "choices": [], "more": 0})x"
                    "\n",
                    ""},
        CommandCase{"ZenerWindow",
                    {"zener", "--supply", "9..12", "--vz", "5.1", "--load", "0..20m", "--top", "2"},
                    0,
                    "Supply 9 to 12 V, V z 5.1 V ± 5 %, I z at least 5 mA, P z 500 mW, load 0 to 20 mA\n"
                    "Window: 71.168 Ω to 145.8 Ω; E24 of 5 %, margin 2x\n"
                    "   R  I z least   I z most   P z most        P R  P R worst  rating\n"
                    "75 Ω  26.286 mA  100.42 mA  499.42 mW   634.8 mW  718.51 mW     2 W\n"
                    "82 Ω  22.334 mA  91.849 mA  456.79 mW  580.61 mW  657.18 mW     2 W\n"
                    "and 5 more inside the window\n",
                    ""},
        CommandCase{
            "ZenerClosedByItsRating",
            {"zener", "--supply", "9..12", "--vz", "5.1", "--load", "0..20m", "--pz", "0.2W", "--json"},
            0,
            R"x({"open": false, "limit": "power", "why": "The Zener's rating: the largest resistor that keeps )x"
            R"x(5 mA in it at the lowest supply and the largest load, 145.8 Ω, lets it dissipate 244.1 mW at )x"
            R"x(the highest supply and the smallest load: a Zener rated for that, or a narrower supply or load )x"
            R"x(range", "r_min_ohm": 177.919875, "r_max_ohm": 145.8, "pz_at_r_max_w": 0.24406018518518519, )x"
            R"x("choices": [], "more": 0})x"
            "\n",
            ""},
        CommandCase{
            "HeatSinkForARegulator",
            {"heatsink", "--vin", "12", "--vout", "5", "--current", "0.5", "--theta-jc", "5", "--theta-ja", "50"},
            0,
            "3.5 W ((12 V - 5 V) × 500 mA); junction at most 125 °C, ambient 25 °C\n"
            "without a heat sink  junction 200 °C: too hot (θJA 50 K/W; 2 W at most)\n"
            "heat sink            at most 23.071 K/W (θJC 5 K/W + θCS 0.5 K/W before it), the case at "
            "107.5 °C\n",
            ""},
        CommandCase{"SwitchBaseFromHfe",
                    {"switch", "--load", "100m", "--drive", "3.3", "--hfe", "100"},
                    0,
                    "Bipolar: 100 mA from 3.3 V, V BE 700 mV, hFE min 100 with 2x overdrive: I B 2 mA, R B 1.3 kΩ\n"
                    "   R B        I B  forced gain\n"
                    "1.3 kΩ       2 mA           50\n"
                    "1.5 kΩ  1.7333 mA       57.692\n",
                    ""},
        CommandCase{
            "SwitchGateAsJson",
            {"switch", "--qg", "10nC", "--time", "100ns", "--drive", "5", "--plateau", "3", "--json"},
            0,
            R"x({"gate_current_a": 0.1, "exact_ohm": 20, "choices": [{"r_ohm": 20, "time_s": 1e-7, )x"
            R"x("peak_a": 0.25}, {"r_ohm": 22, "time_s": 1.1e-7, "peak_a": 0.22727272727272727}], )x"
            R"x("pull_down_ohm": 10000, "gate_share_pct": 99.8003992015968, "off_time_s": 3.3333333333333335e-5})x"
            "\n",
            ""}),
    [](const testing::TestParamInfo<CommandCase>& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Refusals, AmplifiersCommand,
    testing::Values(
        CommandCase{"FollowerNeedsNoResistors",
                    {"opamp", "--gain", "1"},
                    2,
                    "",
                    "voltiva: --gain: A gain of 1 needs no resistors: a follower\n"},
        CommandCase{"SignedDifference",
                    {"opamp", "--gain", "-2", "--difference"},
                    2,
                    "",
                    "voltiva: --gain: the difference amplifier's gain is Rf / Rg: give it without a sign\n"},
        CommandCase{"UnknownPart",
                    {"regulator", "--vout", "5", "--part", "lm999"},
                    2,
                    "",
                    "voltiva: --part: 'lm999' is not a part: write lm317, lm337, lm1117 or tl431\n"},
        CommandCase{"VoutBelowVref",
                    {"regulator", "--vout", "1"},
                    2,
                    "",
                    "voltiva: --vout: V out must be higher than V ref, 1.25 V: change V out\n"},
        CommandCase{"IadjBeyond10mA",
                    {"regulator", "--vout", "5", "--iadj", "20m"},
                    2,
                    "",
                    "voltiva: --iadj: I adj lies from 0 to 10 mA\n"},
        CommandCase{"SupplyBackwards",
                    {"zener", "--supply", "12..9", "--vz", "5", "--load", "1m"},
                    2,
                    "",
                    "voltiva: --supply: '12..9' runs from the higher value to the lower: write the lower first\n"},
        CommandCase{"HeatSinkWithoutThetaJc",
                    {"heatsink", "--power", "1"},
                    2,
                    "",
                    "voltiva: --theta-jc: missing; give it, for example --theta-jc 5\n"},
        CommandCase{"HeatSinkPowerTwice",
                    {"heatsink", "--power", "1", "--vin", "5", "--theta-jc", "5"},
                    2,
                    "",
                    "voltiva: --power: give the power, or --vin, --vout and --current, not both\n"},
        CommandCase{"SwitchMixingTheTwo",
                    {"switch", "--load", "1", "--drive", "5", "--time", "1u"},
                    2,
                    "",
                    "voltiva: switch --load: --time does not apply; leave it out\n"},
        CommandCase{"GateBelowThePlateau",
                    {"switch", "--qg", "10n", "--time", "1u", "--drive", "2", "--plateau", "3"},
                    2,
                    "",
                    "voltiva: --drive: The drive must be above the plateau, 3 V, or the gate never gets past it\n"}),
    [](const testing::TestParamInfo<CommandCase>& info) { return std::string(info.param.name); });

} // namespace
