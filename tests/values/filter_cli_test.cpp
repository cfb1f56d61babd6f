// SPDX-License-Identifier: MIT
#include "cli/filter.h"

#include "command_case.h"
#include "values/series.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

class FilterCommand : public testing::TestWithParam<CommandCase> {};

TEST_P(FilterCommand, PrintsAndExits)
{
    expectPrinted(GetParam(), cli::filterCommands());
}

std::vector<std::string> filter(std::vector<std::string> more)
{
    std::vector<std::string> args = {"filter",  "--kind", "lowpass", "--response", "butterworth",
                                     "--order", "4",      "--f",     "1k"};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

INSTANTIATE_TEST_SUITE_P(
    Answers, FilterCommand,
    testing::Values(
        CommandCase{
            "ButterworthFourthOrder", filter({}), 0,
            "Butterworth low pass, order 4, corner 1 kHz; Sallen-Key, unity gain\n"
            "section  f0 goal  Q goal  parts                                              f0        Q    "
            "f0 error       Q error\n"
            "1          1 kHz  0.5412  R1 2.4 kΩ, R2 27 kΩ, C1 39 nF, C2 10 nF    1.0012 kHz  0.54072  "
            "+0.11527 %   -0.087962 %\n"
            "2          1 kHz  1.3066  R3 1.2 kΩ, R4 30 kΩ, C3 180 nF, C4 3.9 nF  1.0012 kHz   1.3065  "
            "+0.11527 %  -0.0068473 %\n"
            "at 1 kHz: -2.9986 dB (ideal -3.0103 dB); -3.857 dB to -2.2196 dB over the tolerances (R 1 %, C 5 %)\n"
            "-3 dB at 1.0007 kHz\n",
            ""},
        // A first-order section has no Q: null, as every number that does not apply.
        CommandCase{"BesselThirdOrderAsJson",
                    {"filter", "--kind", "highpass", "--response", "bessel", "--order", "3", "--f", "2k", "--topology",
                     "mfb", "--json"},
                    0,
                    R"({"kind": "highpass", "response": "bessel", "ripple_db": null, "order": 3, "topology": "mfb", )"
                    R"("fc_hz": 2000, "sections": [{"order": 1, "f0_goal_hz": 1512.0863329739723, "q_goal": null, )"
                    R"("parts": [{"name": "C1", "value_f": 2.7e-9}, {"name": "R1", "value_ohm": 39000}], )"
                    R"("f0_hz": 1511.442954338987, "q": null, "gain": 1, "f0_error_pct": -0.04254906753372589, )"
                    R"("q_error_pct": null}, {"order": 2, "f0_goal_hz": 1381.5807745050538, )"
                    R"("q_goal": 0.6910466258250713, "parts": [{"name": "C2", "value_f": 3.3e-9}, )"
                    R"({"name": "C3", "value_f": 3.3e-9}, {"name": "C4", "value_f": 1.8e-8}, )"
                    R"({"name": "R2", "value_ohm": 6800}, {"name": "R3", "value_ohm": 33000}], )"
                    R"("f0_hz": 1378.5276544796243, "q": 0.6901772328905844, "gain": -1, )"
                    R"("f0_error_pct": -0.22098744291829675, "q_error_pct": -0.12580814405234175}], )"
                    R"("pass_band_gain": -1, "response_at_fc_db": -3.0099918792824756, )"
                    R"("ideal_at_fc_db": -3.0102999566398125, "band_at_fc_db": [-3.6814570976534284, )"
                    R"(-2.4227700002576364], "half_power_hz": 1999.9060766878285, "r_tolerance_pct": 1.0, )"
                    R"("c_tolerance_pct": 5.0})"
                    "\n",
                    ""},
        CommandCase{"ChebyshevEqualParts",
                    {"filter", "--kind", "lowpass", "--response", "chebyshev", "--ripple", "0.5", "--order", "2", "--f",
                     "10k", "--topology", "sallen-key-equal", "--series", "E96", "--cap-series", "E6"},
                    0,
                    "Chebyshev 0.5 dB low pass, order 2, corner 10 kHz; Sallen-Key, equal parts\n"
                    "section     f0 goal   Q goal  parts                                                           "
                    "                f0        Q     f0 error      Q error\n"
                    "1        12.313 kHz  0.86372  R1 3.92 kΩ, R2 3.92 kΩ, C1 3.3 nF, C2 3.3 nF, RF1 1.07 kΩ, "
                    "RG1 1.27 kΩ  12.303 kHz  0.86395  -0.082513 %  +0.026004 %\n"
                    "pass-band gain 1.8425 (5.3082 dB)\n"
                    "at 10 kHz: -0.0011271 dB (ideal 0 dB); -0.89654 dB to 0.88819 dB over the tolerances (R 1 %, C 5 "
                    "%)\n"
                    "-3 dB at 14.47 kHz\n",
                    ""}),
    [](const testing::TestParamInfo<CommandCase>& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Refusals, FilterCommand,
    testing::Values(
        CommandCase{"KindMissing",
                    {"filter", "--response", "bessel", "--order", "2", "--f", "1k"},
                    2,
                    "",
                    "voltiva: --kind: missing; give it, for example --kind lowpass\n"},
        CommandCase{"BandPassIsNotOffered",
                    {"filter", "--kind", "bandpass", "--response", "bessel", "--order", "2", "--f", "1k"},
                    2,
                    "",
                    "voltiva: --kind: 'bandpass' is not a kind of filter: write lowpass or highpass\n"},
        CommandCase{"RippleWithoutChebyshev", filter({"--ripple", "1"}), 2, "",
                    "voltiva: filter with --response butterworth: --ripple does not apply; leave it out or give "
                    "--response chebyshev\n"},
        CommandCase{"OrderNine",
                    {"filter", "--kind", "lowpass", "--response", "bessel", "--order", "9", "--f", "1k"},
                    2,
                    "",
                    "voltiva: --order: '9' is not a whole number from 1 to 8\n"},
        CommandCase{"RangeWithoutValues", filter({"--c-range", "1.1n..1.15n"}), 2, "",
                    "voltiva: --c-range: E12 has no value from 1.1n to 1.15n\n"},
        CommandCase{
            "RippleNotOffered",
            {"filter", "--kind", "lowpass", "--response", "chebyshev", "--ripple", "2", "--order", "3", "--f", "1k"},
            2,
            "",
            "voltiva: --ripple: '2' is not a ripple offered: write 0.5, 1 or 3\n"},
        CommandCase{"TopologyUnknown", filter({"--topology", "tow-thomas"}), 2, "",
                    "voltiva: --topology: 'tow-thomas' is not a topology: write sallen-key, sallen-key-equal or mfb\n"},
        CommandCase{"ToleranceOfAHundred", filter({"--c-tolerance", "100"}), 2, "",
                    "voltiva: --c-tolerance: '100' is not a tolerance: write a percentage below 100, such as 1 or "
                    "0.5\n"},
        CommandCase{"PlotOfAnotherKind", filter({"--plot", "response.txt"}), 2, "",
                    "voltiva: --plot: 'response.txt' does not end in .csv, .svg or .png\n"},
        CommandCase{"PictureWithoutAPainter", filter({"--plot", "response.svg"}), 2, "",
                    "voltiva: --plot: this command line writes .csv only\n"}),
    [](const testing::TestParamInfo<CommandCase>& info) { return info.param.name; });

TEST(FilterPlot, TheCsvFileHoldsTheCurvesToTheLastBit)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "voltiva-filter-test.csv";
    std::ostringstream out, err;
    ASSERT_EQ(cli::run(filter({"--plot", path.string()}), cli::filterCommands(), out, err), cli::exitOk) << err.str();
    std::ifstream file(path);
    std::string header;
    std::getline(file, header);
    EXPECT_EQ(header, "f_hz,ideal_db,response_db,phase_deg,band_low_db,band_high_db");
    const values::FilterGoal goal{
        {values::Response::Butterworth, 4}, values::Pass::LowPass, values::FilterTopology::SallenKey, 1000};
    std::vector<values::Decimal> rs =
        values::valuesInRange(values::Series::E24, *values::parse("1k").value, *values::parse("1M").value);
    std::vector<values::Decimal> cs =
        values::valuesInRange(values::Series::E12, *values::parse("1n").value, *values::parse("1u").value);
    const values::FilterCurves c = values::filterCurves(values::designFilter(goal, rs, cs), {1, 5});
    std::string line;
    std::size_t rows = 0;
    for (; std::getline(file, line); ++rows) {
        std::istringstream fields(line);
        std::string field;
        std::vector<double> x;
        while (std::getline(fields, field, ','))
            x.push_back(std::stod(field));
        ASSERT_EQ(x.size(), 6U);
        EXPECT_EQ(x[0], c.frequencies[rows]);
        EXPECT_EQ(x[2], c.realDb[rows]);
        EXPECT_EQ(x[5], c.band.highDb[rows]);
    }
    EXPECT_EQ(rows, c.frequencies.size());
    std::filesystem::remove(path);
}

} // namespace
