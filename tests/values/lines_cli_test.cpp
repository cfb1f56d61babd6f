// SPDX-License-Identifier: MIT
#include "cli/lines.h"

#include "command_case.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

class LineCommand : public testing::TestWithParam<CommandCase> {};

TEST_P(LineCommand, PrintsAndExits)
{
    expectPrinted(GetParam(), cli::linesCommands());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, LineCommand,
    testing::Values(
        CommandCase{"MicrostripOfTheWorkedFigure",
                    {"line", "microstrip", "--w", "3mm", "--h", "1.6mm", "--er", "4.5", "--t", "0", "--f", "10G",
                     "--tand", "0.02"},
                    0,
                    "Microstrip: w 3 mm, h 1.6 mm, t 0 mm, er 4.5, tan d 0.02, at 10 GHz\n"
                    "Hammerstad and Jensen (1980) with their thickness correction; dispersion by Kirschning and "
                    "Jansen (1982). Z0 and er eff within 0.2 % for w/h 0.01 to 100 and er up to 128 (no thickness); "
                    "dispersion within 0.6 % for w/h 0.1 to 100, er up to 20 and h up to 0.13 wavelengths in "
                    "vacuum.\n"
                    "Z0          50.108 Ω (45.852-54.35 Ω over the tolerances)\n"
                    "er eff      3.3933 (3.7041 at 10 GHz)\n"
                    "delay       6.4197 ps/mm (163.06 ps/in)\n"
                    "wavelength  15.577 mm, a quarter 3.8942 mm\n"
                    "loss        32.885 dB/m in the dielectric (the copper's needs t above 0)\n"
                    "skin depth  660.06 nm\n",
                    ""},
        CommandCase{
            "WidthForFiftyOhmsRoundedToTheStep",
            {"line", "microstrip", "--z0", "50", "--h", "1.6mm", "--er", "4.5", "--tand", "0.02", "--length", "100"},
            0,
            "Microstrip: w 2.97 mm, h 1.6 mm, t 0.035 mm, er 4.5, tan d 0.02, at 1 GHz\n"
            "Hammerstad and Jensen (1980) with their thickness correction; dispersion by Kirschning and "
            "Jansen (1982). Z0 and er eff within 0.2 % for w/h 0.01 to 100 and er up to 128 (no thickness); "
            "dispersion within 0.6 % for w/h 0.1 to 100, er up to 20 and h up to 0.13 wavelengths in "
            "vacuum.\n"
            "w           2.97 mm for 50 Ω (exactly 2.9659 mm, rounded to 0.01 mm)\n"
            "Z0          49.959 Ω (45.724-54.18 Ω over the tolerances)\n"
            "er eff      3.3648 (3.3809 at 1 GHz)\n"
            "delay       6.1333 ps/mm (155.79 ps/in), 613.33 ps over 100 mm\n"
            "wavelength  163.04 mm, a quarter 40.761 mm\n"
            "loss        0.29041 dB/m in the copper, 3.0307 dB/m in the dielectric; 0.33211 dB over 100 mm\n"
            "skin depth  2.0873 µm\n",
            ""},
        CommandCase{
            "TwistedPairAsJson",
            {"line", "twisted-pair", "--d", "0.5mm", "--D", "1mm", "--er", "1", "--json"},
            0,
            R"j({"type": "twisted-pair", "model": "Exact for two round wires in one dielectric: )j"
            R"j(Z0 = eta0 / (pi sqrt(er)) acosh(D/d)", "accuracy": "Exact; with insulation and air )j"
            R"j(around the wires er is an effective figure", "d_m": 0.0005, "d_outer_m": 0.001, "er": 1, )j"
            R"j("tan_d": 0, "frequency_hz": 1000000000, "z0_ohm": 157.92561808709206, )j"
            R"j("z0_min_ohm": 124.08895648270094, "z0_max_ohm": 177.79322952380338, "er_eff": 1, )j"
            R"j("er_eff_at_frequency": 1, "delay_s_per_m": 3.3356409519815204e-9, "wavelength_m": 0.299792458, )j"
            R"j("quarter_wave_m": 0.0749481145, "conductor_loss_db_per_m": 0.3331618806305247, )j"
            R"j("dielectric_loss_db_per_m": 0, "skin_depth_m": 2.087297509756461e-6, )j"
            R"j("dispersion_outside_range": false})j"
            "\n",
            ""},
        CommandCase{"OutsideTheModelsRange",
                    {"line", "microstrip", "--w", "300mm", "--h", "1.6mm", "--er", "4.5"},
                    2,
                    "",
                    "voltiva: --w: w/h is 187.5: Hammerstad and Jensen's model holds for w/h from 0.01 to 100\n"},
        CommandCase{"BeyondTheModelsReach",
                    {"line", "microstrip", "--z0", "500", "--h", "1.6mm", "--er", "4.5"},
                    2,
                    "",
                    "voltiva: --z0: No width the model takes gives 500 Ω: from 0.016 mm to 160 mm it gives "
                    "1.7233 Ω to 201.56 Ω\n"},
        CommandCase{"AnOptionOfAnotherType",
                    {"line", "coax", "--d", "0.9mm", "--D", "2.95mm", "--er", "2.25", "--t", "1"},
                    2,
                    "",
                    "voltiva: line coax: --t does not apply; leave it out\n"},
        CommandCase{"TheGoalAndWhatItFindsBoth",
                    {"line", "coupled-microstrip", "--zdiff", "100", "--s", "0.2mm", "--w", "1mm", "--h", "0.2mm",
                     "--er", "4.3"},
                    2,
                    "",
                    "voltiva: --zdiff: give --s for the width, or --w for the gap, not both\n"},
        CommandCase{"ATolerancePastTheWidth",
                    {"line", "microstrip", "--w", "0.02mm", "--h", "1.6mm", "--er", "4.5"},
                    2,
                    "",
                    "voltiva: --dw: The tolerance leaves nothing of 0.02 mm: make it smaller\n"},
        CommandCase{"AMaskWithoutTheField",
                    {"line", "microstrip", "--w", "0.36mm", "--h", "0.2mm", "--er", "4.3", "--mask"},
                    2,
                    "",
                    "voltiva: --mask: does not apply without --field; add --field or leave it out\n"},
        CommandCase{"AMaskInsideTheBoard",
                    {"line", "stripline", "--w", "0.2mm", "--b", "0.6mm", "--er", "4.3", "--field", "--mask"},
                    2,
                    "",
                    "voltiva: line stripline: --mask does not apply; leave it out\n"},
        CommandCase{"AMaskThickerThanTheFieldSolutionTakes",
                    {"line", "microstrip", "--w", "0.36mm", "--h", "0.2mm", "--er", "4.3", "--field", "--mask",
                     "--mask-t", "3mm"},
                    2,
                    "",
                    "voltiva: --mask-t: the mask is 15 h thick: the field solution takes a mask from 0 to 10 h "
                    "thick\n"},
        CommandCase{"AGeometryTheFormulaTakesAndTheFieldSolutionNot",
                    {"line", "cpw", "--w", "50mm", "--s", "0.02mm", "--h", "1mm", "--er", "4.5", "--t", "0", "--field"},
                    2,
                    "",
                    "voltiva: --s: w/s is 2500: the field solution takes w/s from 0.001 to 1000\n"},
        CommandCase{"AnEtchThatLeavesNoTop",
                    {"line", "microstrip", "--w", "0.1mm", "--h", "0.2mm", "--t", "0.1mm", "--er", "4.3", "--field",
                     "--etch", "40"},
                    2,
                    "",
                    "voltiva: --etch: the etch angle leaves the strip no top: w - 2 t tan(angle) must be more than "
                    "0\n"},
        CommandCase{"NoSuchType",
                    {"line", "slotline", "--er", "4"},
                    2,
                    "",
                    "voltiva: line: 'slotline' is no type of line: write microstrip, stripline, offset-stripline, cpw, "
                    "gcpw, coupled-microstrip, coupled-stripline, coax or twisted-pair\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// The field solution's figures depend on the grid's rounding, so only their presence and form are
// held here; their values are held in field_test.cpp.
TEST(LineCommand, AddsTheFieldSolutionBesideTheFormula)
{
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> wanted;
    };
    const Case cases[] = {
        {{"line", "microstrip", "--w", "0.36mm", "--h", "0.2mm", "--er", "4.3", "--field", "--mask", "--json"},
         {"\"mask\": true, \"mask_t_m\": 2e-5, \"mask_er\": 3.8, \"etch_deg\": 0, \"field_z0_ohm\": 48.",
          "\"field_er_eff\": ", "\"field_grid_cells\": ", "\"field_converged_percent\": ", "\"field_apart_pct\": 3."}},
        {{"line", "coupled-stripline", "--w", "0.1mm", "--s", "0.15mm", "--b", "0.5mm", "--er", "4.3", "--field",
          "--etch", "30", "--json"},
         {"\"etch_deg\": 30, \"field_z_diff_ohm\": ", "\"field_z_odd_ohm\": ", "\"field_z_even_ohm\": ",
          "\"field_er_eff_odd\": ", "\"field_er_eff_even\": ", "\"field_grid_cells\": ", "\"field_apart_pct\": "}},
        {{"line", "microstrip", "--w", "3mm", "--h", "1.6mm", "--er", "4.5", "--t", "0", "--field"},
         {"\nField solution: 50.", " Ω (formula 50.108 Ω, 0.", " % apart, converged within 0.", " cells)\n"}},
        {{"line", "coupled-microstrip", "--w", "0.2mm", "--s", "0.2mm", "--h", "0.2mm", "--er", "4.3", "--field"},
         {"\nField solution: Z diff 1", "; Z odd ", ", Z even "}},
        {{"line", "coax", "--d", "0.9mm", "--D", "2.95mm", "--er", "2.25", "--field"},
         {"\nField solution: the formula is exact for this line\n"}},
    };
    for (const Case& c : cases) {
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(cli::run(c.args, cli::linesCommands(), out, err), 0) << err.str();
        for (const std::string& wanted : c.wanted)
            EXPECT_NE(out.str().find(wanted), std::string::npos) << wanted << " is not in " << out.str();
    }
}

} // namespace
