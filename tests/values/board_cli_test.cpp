// SPDX-License-Identifier: MIT
#include "cli/board.h"

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

Printed board(const std::vector<std::string>& args)
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::run(args, cli::boardCommands(), out, err);
    return {status, out.str(), err.str()};
}

TEST(BoardCommands, TrackJsonOfTheWorkedExample)
{
    const Printed r = board({"track", "--current", "1", "--rise", "10", "--copper", "1oz", "--length", "100mm",
                             "--ambient", "10", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\"width_m\": 0.0003003865", 0), 0U) << r.out;
    EXPECT_NE(r.out.find("\"width_mil\": 11.826"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"area_mil2\": 16.296"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"resistance_ohm\": 0.16359"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"current_a\": 1, \"outside_fit\": false}"), std::string::npos) << r.out;
}

TEST(BoardCommands, TrackForAWidthGivesTheCurrentAndNullsWithoutALength)
{
    const Printed r = board({"track", "--width", "0.3mm", "--rise", "10", "--internal", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\"width_m\": 0.0003, ", 0), 0U) << r.out;
    EXPECT_NE(r.out.find("\"resistance_ohm\": null, \"drop_v\": null, \"loss_w\": null"), std::string::npos);
    EXPECT_NE(r.out.find("\"current_a\": 0.49"), std::string::npos) << r.out;
}

TEST(BoardCommands, TrackMarksAnAnswerOutsideTheFit)
{
    const Printed r = board({"track", "--current", "40", "--rise", "10"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Outside the range IPC-2221 was fitted to: current above 35 A"), std::string::npos) << r.out;
}

TEST(BoardCommands, ViaJsonOfTheWorkedExample)
{
    const Printed r = board({"via", "--hole", "0.3mm", "--plating", "25u", "--length", "1.6mm", "--pad", "0.6mm",
                             "--antipad", "1mm", "--er", "4.5", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\"resistance_ohm\": 0.001078", 0), 0U) << r.out;
    EXPECT_NE(r.out.find("\"capacitance_f\": 5.99"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"inductance_h\": 1.299"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"drop_v\": null"), std::string::npos) << r.out;
}

TEST(BoardCommands, SpacingJsonHasEveryCategoryAtFullPrecision)
{
    const struct {
        const char* voltage;
        std::vector<const char*> metres; // B1, B2, B3, B4, A5, A6, A7
    } cases[] = {
        {"48", {"0.0001", "0.0006", "0.0006", "0.00013", "0.00013", "0.0004", "0.00013"}},
        {"1000", {"0.0015", "0.005", "0.025", "0.002325", "0.002325", "0.003025", "0.002325"}},
    };
    const char* codes[] = {"B1", "B2", "B3", "B4", "A5", "A6", "A7"};
    for (const auto& c : cases) {
        const Printed r = board({"spacing", "--voltage", c.voltage, "--json"});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out.rfind(std::string("{\"voltage_v\": ") + c.voltage + ", \"categories\": [{", 0), 0U) << r.out;
        for (std::size_t i = 0; i < c.metres.size(); ++i) {
            const std::string entry =
                std::string("{\"category\": \"") + codes[i] + "\", \"spacing_m\": " + c.metres[i] + ", ";
            EXPECT_NE(r.out.find(entry), std::string::npos) << entry;
        }
    }
    const Printed mains = board({"spacing", "--voltage", "230", "--rms"});
    EXPECT_EQ(mains.out.substr(0, mains.out.find('\n')),
              "IPC-2221B table 6-1 at 230 V RMS (325.27 V peak): the 301-500 V row");
}

struct Refusal {
    const char* name;
    std::vector<std::string> args;
    const char* names; // the start of the message
};

class BoardRefusal : public testing::TestWithParam<Refusal> {};

TEST_P(BoardRefusal, NamesTheArgumentAndExitsWithTwo)
{
    const Printed r = board(GetParam().args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind(std::string("voltiva: ") + GetParam().names, 0), 0U) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    BadInput, BoardRefusal,
    testing::Values(Refusal{"NanCurrent", {"track", "--current", "nan"}, "--current: 'nan' is not a value"},
                    Refusal{"NegativeCurrent", {"track", "--current", "-1"}, "--current: '-1' is negative"},
                    Refusal{"CurrentInVolts", {"track", "--current", "5V"}, "--current: '5V' is not a current"},
                    Refusal{"ZeroRise", {"track", "--current", "1", "--rise", "0"}, "--rise: '0' is zero"},
                    Refusal{"InfWidth", {"track", "--width", "inf"}, "--width: 'inf' is not a length"},
                    Refusal{"AmbientWithoutLength",
                            {"track", "--current", "1", "--ambient", "40"},
                            "track without --length: --ambient does not apply"},
                    Refusal{"BothCurrentAndWidth", {"track", "--current", "1", "--width", "1mm"}, "--width: give"},
                    Refusal{"NeitherCurrentNorWidth", {"track", "--rise", "10"}, "track: give --current"},
                    Refusal{"CopperInVolts", {"track", "--current", "1", "--copper", "3V"}, "--copper: '3V'"},
                    Refusal{"OuncesForALength", {"track", "--current", "1", "--length", "1oz"}, "--length: '1oz'"},
                    Refusal{"AmbientBelowAbsoluteZero",
                            {"track", "--current", "1", "--ambient", "-300"},
                            "--ambient: '-300' is below absolute zero"},
                    Refusal{"MissingHole", {"via", "--plating", "25u"}, "--hole: missing"},
                    Refusal{"ZeroPlating",
                            {"via", "--hole", "0.3mm", "--plating", "0", "--length", "1.6mm", "--pad", "0.6mm",
                             "--antipad", "1mm"},
                            "--plating: '0' is zero"},
                    Refusal{"AntipadInsideThePad",
                            {"via", "--hole", "0.3mm", "--plating", "25u", "--length", "1.6mm", "--pad", "0.6mm",
                             "--antipad", "0.5mm"},
                            "--antipad: The antipad must be wider"},
                    Refusal{"PadNoWiderThanTheBarrel",
                            {"via", "--hole", "0.3mm", "--plating", "25u", "--length", "1.6mm", "--pad", "0.35mm",
                             "--antipad", "1mm"},
                            "--pad: The pad must be wider than the hole with its plating (0.35 mm)"},
                    Refusal{"NanVoltage", {"spacing", "--voltage", "nan"}, "--voltage: 'nan' is not a voltage"},
                    Refusal{"NegativeVoltage", {"spacing", "--voltage", "-5"}, "--voltage: '-5' is negative"},
                    Refusal{"VoltageInAmps", {"spacing", "--voltage", "5A"}, "--voltage: '5A' is not a voltage"},
                    Refusal{"MissingVoltage", {"spacing"}, "--voltage: missing"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
