// SPDX-License-Identifier: MIT
#include "cli/conversions.h"
#include "cli/wires.h"

#include "command_case.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<cli::Command> commands()
{
    std::vector<cli::Command> all(cli::wiresCommands().begin(), cli::wiresCommands().end());
    all.insert(all.end(), cli::conversionsCommands().begin(), cli::conversionsCommands().end());
    return all;
}

class WiresCommand : public testing::TestWithParam<CommandCase> {};

TEST_P(WiresCommand, PrintsAndExits)
{
    expectPrinted(GetParam(), commands());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, WiresCommand,
    testing::Values(
        CommandCase{"WireAwg24",
                    {"wire", "--awg", "24"},
                    0,
                    "AWG 24, copper at 20 °C\n"
                    "diameter    0.51056 mm (20.101 mil)\n"
                    "section     0.20473 mm² (404.04 cmil)\n"
                    "resistance  84.213 mΩ/m, 25.668 mΩ/ft\n"
                    "AWG         AWG 24 (0.20473 mm²) at or above, AWG 25 (0.16236 mm²) below\n"
                    "metric      0.25 mm² at or above, 0.14 mm² below\n",
                    ""},
        CommandCase{
            "WireAreaAsJson",
            {"wire", "--area", "2.5mm2", "--json"},
            0,
            R"({"metal": "copper", "temperature_degc": 20, "awg": null, "diameter_m": 0.0017841241161527712, )"
            R"("area_m2": 2.5e-6, "area_cmil": 4933.813103474963, )"
            R"("resistance_ohm_per_m": 0.006896399999999999, "resistance_ohm_per_ft": 0.0021020227199999996, "awg_above": "13", "awg_below": "14", )"
            R"("metric_above_m2": 2.5e-6, "metric_below_m2": 1.5e-6})"
            "\n",
            ""},
        CommandCase{"DropOfTheWorkedRun",
                    {"drop", "--length", "10m", "--current", "10", "--area", "2.5mm2", "--supply", "12"},
                    0,
                    "10 m of 2.5 mm² copper at 20 °C, 10 A, DC or single-phase (both conductors)\n"
                    "resistance  137.93 mΩ both conductors\n"
                    "drop        1.3793 V (11.494 % of 12 V)\n"
                    "loss        13.793 W\n"
                    "limit       3 % (360 mV)\n"
                    "AWG         smallest AWG 7 (10.549 mm²), dropping 326.88 mV\n"
                    "metric      smallest 10 mm², dropping 344.82 mV\n",
                    ""},
        CommandCase{"DropSmallestForAVoltLimitAsJson",
                    {"drop", "--length", "10m", "--current", "10", "--max-drop", "0.3V", "--three-phase", "--json"},
                    0,
                    R"({"length_m": 10, "current_a": 10, "metal": "copper", "three_phase": true, )"
                    R"("temperature_degc": 20, "area_m2": null, "resistance_ohm": null, "drop_v": null, )"
                    R"("drop_pct": null, "loss_w": null, "limit_v": 0.3, "smallest_awg": "7", )"
                    R"("smallest_awg_drop_v": 0.2830875579054789, "smallest_metric_m2": 1e-5, )"
                    R"("smallest_metric_drop_v": 0.29862287973295004})"
                    "\n",
                    ""},
        CommandCase{"DropBeyondEveryTable",
                    {"drop", "--length", "100km", "--current", "1000", "--supply", "12"},
                    0,
                    "100 km of copper at 20 °C, 1 kA, DC or single-phase (both conductors)\n"
                    "limit   3 % (360 mV)\n"
                    "AWG     none: even AWG 0000 (107.22 mm²) drops more\n"
                    "metric  none: even 240 mm² drops more\n",
                    ""},
        CommandCase{"FuseOnderdonkAndPreece",
                    {"fuse", "--awg", "24"},
                    0,
                    "AWG 24 copper (404.04 cmil)\n"
                    "Onderdonk  59.11 A melts it in 1 s from 25 °C (copper melts at 1083 °C)\n"
                    "Preece     29.194 A melts it in the long run, in open air\n",
                    ""},
        CommandCase{"FuseATrackAsJson",
                    {"fuse", "--width", "0.3mm", "--copper", "2oz", "--time", "100ms", "--json"},
                    0,
                    R"({"area_m2": 2.0999999999999996e-8, "area_cmil": 41.44403006918968, "time_s": 0.1, )"
                    R"("ambient_degc": 25, "melting_degc": 1083, "onderdonk_a": 19.173231340371117, "preece_a": null})"
                    "\n",
                    ""},
        CommandCase{"BatteryDutyCycled",
                    {"battery", "--capacity", "2000mAh", "--current", "10m", "--duty", "1%", "--sleep", "10u"},
                    0,
                    "2 Ah; 10 mA for 1 % of the time, 10 µA the rest\n"
                    "average current  109.9 µA\n"
                    "usable capacity  2 Ah\n"
                    "life             18198 h (758.27 days)\n",
                    ""},
        CommandCase{"BatteryInWattHoursAsJson",
                    {"battery", "--capacity", "7.4Wh", "--voltage", "3.7", "--current", "100m", "--self-discharge", "3",
                     "--json"},
                    0,
                    R"({"capacity_ah": 2, "average_a": 0.1, "self_discharge_a": 8.213552361396303e-5, "usable_ah": 2, )"
                    R"("life_s": 71940.91095609355})"
                    "\n",
                    ""},
        CommandCase{"CapacitorHoldUp",
                    {"capacitor", "--c", "1000u", "--v", "12", "--v2", "9", "--current", "100m"},
                    0,
                    "1 mF at 12 V\n"
                    "energy     72 mJ\n"
                    "charge     12 mC\n"
                    "hold-up    30 ms from 12 V to 9 V at 100 mA\n"
                    "delivered  31.5 mJ\n",
                    ""},
        CommandCase{"CapacitorWithoutALoadAsJson",
                    {"capacitor", "--c", "1", "--v", "5", "--json"},
                    0,
                    R"({"capacitance_f": 1, "voltage_v": 5, "energy_j": 12.5, "charge_c": 5, "end_voltage_v": null, )"
                    R"("hold_up_s": null, "delivered_j": null})"
                    "\n",
                    ""},
        CommandCase{"ConvertALevel",
                    {"convert", "10dBm"},
                    0,
                    "10 dBm at 50 Ω (voltages of a sine wave)\n"
                    "dBm     10\n"
                    "dBW     -20\n"
                    "dBµV    116.99\n"
                    "dBu     -0.79181\n"
                    "dBV     -3.0103\n"
                    "W       10 mW\n"
                    "V rms   707.11 mV\n"
                    "V peak  1 V\n"
                    "V p-p   2 V\n",
                    ""},
        CommandCase{
            "ConvertAFrequencyAsJson",
            {"convert", "1GHz", "--er", "4.5", "--json"},
            0,
            R"({"kind": "wave", "er": 4.5, "velocity_factor": 0.47140452079103173, "frequency_hz": 1000000000, )"
            R"("period_s": 1e-9, "wavelength_m": 0.299792458, "quarter_wave_m": 0.0749481145, )"
            R"("wavelength_medium_m": 0.1413235200002555, "quarter_wave_medium_m": 0.035330880000063875})"
            "\n",
            ""},
        CommandCase{"ConvertARatio",
                    {"convert", "2:1", "--json"},
                    0,
                    R"({"kind": "ratio", "ratio": 2, "power_db": 3.010299956639812, "voltage_db": 6.020599913279624})"
                    "\n",
                    ""},
        CommandCase{"ConvertPrefixesExactly",
                    {"convert", "4n7F", "--json"},
                    0,
                    R"({"kind": "prefixes", "value": 4.7e-9, "unit": "F", "exact": true, "forms": [)"
                    R"({"prefix": "f", "text": "4700000"}, {"prefix": "p", "text": "4700"}, )"
                    R"({"prefix": "n", "text": "4.7"}, {"prefix": "µ", "text": "0.0047"}, )"
                    R"({"prefix": "m", "text": "0.0000047"}, {"prefix": "", "text": "0.0000000047"}, )"
                    R"({"prefix": "k", "text": "0.0000000000047"}, {"prefix": "M", "text": "0.0000000000000047"}, )"
                    R"({"prefix": "G", "text": "0.0000000000000000047"}, )"
                    R"({"prefix": "T", "text": "0.0000000000000000000047"}]})"
                    "\n",
                    ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct Refusal {
    const char* name;
    std::vector<std::string> args;
    const char* message; // the whole line after "voltiva: "
};

class WiresRefusal : public testing::TestWithParam<Refusal> {};

TEST_P(WiresRefusal, NamesTheArgumentAndExitsWithTwo)
{
    const Refusal& r = GetParam();
    expectPrinted({r.name, r.args, 2, "", "voltiva: " + std::string(r.message) + "\n"}, commands());
}

INSTANTIATE_TEST_SUITE_P(
    BadInput, WiresRefusal,
    testing::Values(
        Refusal{"WireTwoSizes",
                {"wire", "--awg", "24", "--d", "1"},
                "wire: give one of --awg, --area and --d, for example --awg 24"},
        Refusal{"WireNoGauge", {"wire", "--awg", "41"}, "--awg: '41' is thinner than AWG 40, the thinnest gauge given"},
        Refusal{"WireHugeDiameter",
                {"wire", "--d", "200mm"},
                "--d: '200mm' is outside the diameters given: 0.001 to 100 mm"},
        Refusal{"WireTooHot",
                {"wire", "--awg", "24", "--temperature", "900"},
                "--temperature: '900' is outside -200 to 500 °C"},
        Refusal{"DropNoLength", {"drop", "--current", "1"}, "--length: missing; give it, for example --length 10m"},
        Refusal{"DropNothingToAnswer",
                {"drop", "--length", "10", "--current", "1"},
                "drop: give the cable's section with --area or --awg, or --supply (or a --max-drop in volts) for the "
                "smallest size"},
        Refusal{"DropBothSections",
                {"drop", "--length", "10", "--current", "1", "--area", "1", "--awg", "1"},
                "--awg: give the cable's section with --area or --awg, not both"},
        Refusal{"DropLimitTooHigh",
                {"drop", "--length", "10", "--current", "1", "--area", "1", "--max-drop", "60%"},
                "--max-drop: '60%' is outside from 0 to 50 %"},
        Refusal{"DropZeroLimit",
                {"drop", "--length", "10", "--current", "1", "--area", "1", "--max-drop", "0"},
                "--max-drop: '0' is zero: allow a drop above zero"},
        Refusal{"FuseCopperWithoutATrack",
                {"fuse", "--awg", "24", "--copper", "2oz"},
                "fuse without --width: --copper does not apply; leave it out"},
        Refusal{"FuseTooLong", {"fuse", "--awg", "24", "--time", "1000"}, "--time: '1000' is outside 1 ms to 100 s"},
        Refusal{"FuseTimeInVolts",
                {"fuse", "--awg", "24", "--time", "5V"},
                "--time: '5V' is not a time: write 1, 1s or 100ms"},
        Refusal{"BatteryWattHoursWithoutVolts",
                {"battery", "--capacity", "10Wh", "--current", "1"},
                "--voltage: missing; a capacity in Wh needs the battery's voltage, for example --voltage 3.7"},
        Refusal{"BatteryNoLoad",
                {"battery", "--capacity", "2Ah", "--current", "1", "--duty", "0"},
                "--duty: at 0 % with no --sleep current nothing draws on the battery"},
        Refusal{"BatteryPeukertTooHigh",
                {"battery", "--capacity", "2Ah", "--current", "1", "--peukert", "3"},
                "--peukert: '3' is outside 1 to 2"},
        Refusal{"BatteryRatedHoursAlone",
                {"battery", "--capacity", "2Ah", "--current", "1", "--rated-hours", "10"},
                "battery without --peukert: --rated-hours does not apply; leave it out"},
        Refusal{"CapacitorV2AboveV",
                {"capacitor", "--c", "1m", "--v", "5", "--v2", "6", "--power", "1"},
                "--v2: '6' is not below --v"},
        Refusal{"CapacitorLoadWithoutV2",
                {"capacitor", "--c", "1m", "--v", "5", "--current", "1"},
                "--v2: missing; the hold-up time needs the lowest voltage, for example --v2 9"},
        Refusal{"ConvertNothing",
                {"convert", "abc"},
                "convert: 'abc' is not a value: write 10dBm, 3dB, 2:1, 1GHz, 1ns or 4.7uF"},
        Refusal{"ConvertImpedanceForAWave",
                {"convert", "1GHz", "--z", "50"},
                "convert, for a frequency, period or wavelength: --z does not apply; leave it out"},
        Refusal{"ConvertImpedanceForAGain",
                {"convert", "3dB", "--z", "50"},
                "convert, for a gain or a ratio: --z does not apply; leave it out"},
        Refusal{"ConvertVelocityAboveOne",
                {"convert", "1GHz", "--vf", "1.5"},
                "--vf: '1.5' is above 1: nothing outruns light in a vacuum"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
