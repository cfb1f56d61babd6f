// SPDX-License-Identifier: MIT
// The rc, reactance, resonance and timer commands: JSON at full precision, plain tables, and a
// message naming the argument for every refusal.
#include "cli/timing.h"

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
    const int status = cli::run(args, cli::timingCommands(), out, err);
    return {status, out.str(), err.str()};
}

struct Answer {
    const char* what;
    std::vector<std::string> args;
    const char* json; // the whole line, or its beginning when it ends in "..."
};

class TimingJsonTest : public testing::TestWithParam<Answer> {};

TEST_P(TimingJsonTest, PrintsTheDoublesNearestTheTrueValues)
{
    const Answer& a = GetParam();
    std::vector<std::string> args = a.args;
    args.emplace_back("--json");
    const Printed p = run(args);
    ASSERT_EQ(p.status, 0) << a.what << ": " << p.err;
    std::string expected = a.json;
    if (expected.ends_with("...")) {
        expected.resize(expected.size() - 3);
        EXPECT_EQ(p.out.substr(0, expected.size()), expected) << a.what;
    } else {
        EXPECT_EQ(p.out, expected + "\n") << a.what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Timing, TimingJsonTest,
    testing::Values(
        Answer{"an RC's time constant and corner",
               {"rc", "--r", "10k", "--c", "100n"},
               R"({"tau_s": 0.001, "fc_hz": 159.15494309189535})"},
        Answer{"the time to charge to 3.3 V of 5 V",
               {"rc", "--r", "10k", "--c", "100u", "--vs", "5", "--v", "3.3V"},
               R"({"tau_s": 1, "fc_hz": 0.15915494309189535, "charge_s": 1.07880966137193})"},
        Answer{
            "the best pairs for a 1 kHz corner",
            {"rc", "--fc", "1k"},
            R"({"pairs": [{"r_ohm": 160000, "c_f": 1e-9, "fc_hz": 994.7183943243458, "error_pct": -0.5281605675654152, "exact": false}, {"r_ohm": 16000, "c_f": 1e-8, ...)"},
        Answer{"an exact time constant",
               {"rc", "--tau", "1ms", "--top", "1"},
               R"({"pairs": [{"r_ohm": 1000000, "c_f": 1e-9, "tau_s": 0.001, "error_pct": 0.0, "exact": true}]})"},
        Answer{"a capacitor's reactance",
               {"reactance", "--f", "1kHz", "--c", "100n"},
               R"({"reactance_ohm": 1591.5494309189532, "resonant_l_h": 0.25330295910584444})"},
        Answer{"an inductor's reactance",
               {"reactance", "--f", "1k", "--l", "10mH"},
               R"({"reactance_ohm": 62.83185307179586, "resonant_c_f": 2.5330295910584444e-6})"},
        Answer{"a tank's resonance",
               {"resonance", "--l", "10u", "--c", "100n"},
               R"({"f0_hz": 159154.94309189534, "z0_ohm": 10})"},
        Answer{"the capacitor for a tank",
               {"resonance", "--l", "10u", "--f0", "159k", "--top", "1"},
               R"({"capacitors": [{"c_f": 1e-7, "f0_hz": 159154.94309189534, "error_pct": 0.097448485...)"},
        Answer{
            "the astable of the worked example",
            {"timer", "--r1", "10k", "--r2", "1M", "--c", "300n"},
            R"({"f_hz": 2.3925290893680984, "duty_pct": 50.24875621890547, "high_s": 0.21002359570966342, "low_s": 0.2079441541679836})"},
        Answer{
            "the monostable", {"timer", "--mono", "--r", "100k", "--c", "10u"}, R"({"pulse_s": 1.0986122886681098})"},
        Answer{"the designs for 1 kHz at 60 %",
               {"timer", "--f", "1k", "--duty", "60"},
               R"({"designs": [{"r1_ohm": 180000, "r2_ohm": 390000, "c_f": 1.5e-9, "f_hz": 1001.8715561728...)"},
        Answer{
            "an exact duty with the diode",
            {"timer", "--f", "1k", "--duty", "25%", "--diode", "--top", "1"},
            R"({"designs": [{"r1_ohm": 110000, "r2_ohm": 330000, "c_f": 3.3e-9, "f_hz": 993.5916259565863, "duty_pct": 25, ...)"}));

TEST(TimingCommand, DesignsAreTenByDefaultAndSayWhenTheDutyIsExact)
{
    const Printed p = run({"timer", "--f", "440", "--duty", "75", "--json"});
    ASSERT_EQ(p.status, 0) << p.err;
    std::size_t designs = 0;
    for (std::size_t at = p.out.find("\"r1_ohm\""); at != std::string::npos; at = p.out.find("\"r1_ohm\"", at + 1))
        ++designs;
    EXPECT_EQ(designs, 10U);
    EXPECT_NE(p.out.find(R"({"r1_ohm": 240000, "r2_ohm": 120000, "c_f": 6.8e-9, "f_hz": 442.0021571350)"),
              std::string::npos);
    EXPECT_NE(p.out.find(R"("duty_exact": true)"), std::string::npos);
}

TEST(TimingCommand, PlainTablesRoundForReading)
{
    const Printed rc = run({"rc", "--fc", "1k", "--top", "3"});
    ASSERT_EQ(rc.status, 0) << rc.err;
    EXPECT_NE(rc.out.find("160 kΩ    1 nF  994.72 Hz    -0.53 %"), std::string::npos) << rc.out;
    const Printed timer = run({"timer", "--f", "38k", "--duty", "55", "--top", "2"});
    ASSERT_EQ(timer.status, 0) << timer.err;
    EXPECT_NE(timer.out.find("1.3 kΩ  5.1 kΩ  3.3 nF  38.016 kHz  55.652 %"), std::string::npos) << timer.out;
    const Printed forward = run({"rc", "--r", "10k", "--c", "100u", "--vs", "5", "--v", "3.3"});
    EXPECT_NE(forward.out.find("1.0788 s"), std::string::npos) << forward.out;
}

struct Refusal {
    const char* what;
    std::vector<std::string> args;
    const char* message; // the start of the line on stderr
};

class TimingRefusalTest : public testing::TestWithParam<Refusal> {};

TEST_P(TimingRefusalTest, NamesTheArgumentAndExitsWith2)
{
    const Refusal& r = GetParam();
    const Printed p = run(r.args);
    EXPECT_EQ(p.status, 2) << r.what;
    EXPECT_EQ(p.out, "") << r.what;
    EXPECT_EQ(p.err.rfind(std::string("voltiva: ") + r.message, 0), 0U) << r.what << ": " << p.err;
}

INSTANTIATE_TEST_SUITE_P(
    Timing, TimingRefusalTest,
    testing::Values(
        Refusal{
            "a duty of 50 % without the diode", {"timer", "--f", "1k", "--duty", "50"}, "--duty: '50' needs --diode"},
        Refusal{"a duty of 100 %", {"timer", "--f", "1k", "--duty", "100", "--diode"}, "--duty: '100' is not a duty"},
        Refusal{"a zero frequency", {"timer", "--f", "0", "--duty", "60"}, "--f: "},
        Refusal{"a negative resistor", {"rc", "--r", "-10k", "--c", "1n"}, "--r: "},
        Refusal{"a capacitor in ohms", {"rc", "--r", "10k", "--c", "100 ohm"}, "--c: '100 ohm' is not a capacitance"},
        Refusal{"a missing capacitor", {"rc", "--r", "10k"}, "--c: missing"},
        Refusal{"a level above the supply", {"rc", "--r", "1k", "--c", "1u", "--vs", "3.3", "--v", "5"}, "--v: "},
        Refusal{"an empty range", {"rc", "--fc", "1k", "--c-range", "1.1n..1.4n"}, "--c-range: E6 has no value"},
        Refusal{"a range the wrong way round", {"rc", "--fc", "1k", "--r-range", "1M..1k"}, "--r-range: '1M..1k' ends"},
        Refusal{"both a corner and a time constant", {"rc", "--fc", "1k", "--tau", "1m"}, "--tau: "},
        Refusal{"no resistor of 1 kohm for R1",
                {"timer", "--f", "1k", "--duty", "60", "--r-range", "10..910"},
                "--r-range: R1 needs"},
        Refusal{"an unknown series", {"timer", "--f", "1k", "--duty", "60", "--c-series", "E5"}, "--c-series: 'E5'"},
        Refusal{"both a capacitor and an inductor", {"reactance", "--f", "1k", "--c", "1n", "--l", "1m"}, "--l: "},
        Refusal{"a top of zero", {"resonance", "--l", "1m", "--f0", "1k", "--top", "0"}, "--top: '0'"},
        Refusal{"a target beside the monostable",
                {"timer", "--mono", "--r", "10k", "--c", "1u", "--f", "1k", "--duty", "60"},
                "timer --mono: --f and --duty do not apply"},
        Refusal{"a duty beside the astable's parts",
                {"timer", "--r1", "1k", "--r2", "10k", "--c", "1u", "--duty", "60"},
                "timer --r1 --r2: --duty does not apply"},
        Refusal{"a range beside the parts",
                {"rc", "--r", "1k", "--c", "1u", "--top", "3", "--r-range", "1k..2k"},
                "rc --r --c: --top and --r-range do not apply"},
        Refusal{"a charge level beside a target",
                {"rc", "--tau", "1m", "--vs", "5", "--v", "3"},
                "rc --tau: --vs and --v do not apply"},
        Refusal{"a series beside the capacitor",
                {"resonance", "--l", "1m", "--c", "1n", "--c-series", "E24"},
                "resonance --l --c: --c-series does not apply"}));

} // namespace
