// SPDX-License-Identifier: MIT
// A refused value is answered in the words of its field: a voltage with voltages to copy, a
// capacitor with capacitors, and every example given reads back as that kind.
#include "values/board.h"
#include "values/expression.h"
#include "values/measure.h"
#include "values/ohm.h"
#include "values/pads.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace values;

namespace {

constexpr Measure allMeasures[] = {
    Measure::Resistance, Measure::Capacitance, Measure::Inductance, Measure::Frequency,    Measure::Time,
    Measure::Voltage,    Measure::Current,     Measure::Power,      Measure::Impedance,    Measure::Permittivity,
    Measure::DutyCycle,  Measure::Attenuation, Measure::Length,     Measure::CopperWeight, Measure::Temperature};

// The reader a field of this kind uses.
std::optional<Decimal> readAs(Measure measure, std::string_view text)
{
    switch (measure) {
    case Measure::Attenuation:
        return parseAttenuation(text).db;
    case Measure::Length:
        return parseLength(text, BareLength::Millimetre).value;
    case Measure::CopperWeight:
        return parseLength(text, BareLength::Micrometre, true).value;
    case Measure::Temperature:
        return parseTemperature(text, false).value;
    default:
        return parseMeasure(text, measure).value;
    }
}

// "5, 3.3 or 12V" -> 5, 3.3, 12V
std::vector<std::string> split(std::string_view examples)
{
    std::vector<std::string> out;
    std::string rest(examples);
    for (const std::string_view separator : {", ", " or "}) {
        std::size_t at = 0;
        while ((at = rest.find(separator)) != std::string::npos) {
            out.push_back(rest.substr(0, at));
            rest.erase(0, at + separator.size());
        }
    }
    out.push_back(rest);
    return out;
}

} // namespace

TEST(Measures, EveryExampleAMessageGivesReadsAsItsKind)
{
    for (const Measure m : allMeasures) {
        const std::vector<std::string> examples = split(values::examples(m));
        EXPECT_GE(examples.size(), 2U) << noun(m);
        for (const std::string& example : examples)
            EXPECT_TRUE(readAs(m, example)) << noun(m) << ": " << example;
        EXPECT_EQ(notA("x", m), "'x' is not " + std::string(noun(m)) + ": write " + std::string(values::examples(m)));
    }
}

struct Refused {
    const char* name;
    std::string error;
    const char* expected;
};

class RefusedInItsOwnWords : public testing::TestWithParam<Refused> {};

TEST_P(RefusedInItsOwnWords, Message)
{
    EXPECT_EQ(GetParam().error, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Readers, RefusedInItsOwnWords,
    testing::Values(Refused{"Voltage", parseMeasure("abc", Measure::Voltage).error,
                            "'abc' is not a voltage: write 5, 3.3 or 12V"},
                    Refused{"Capacitance", parseMeasure("4x7", Measure::Capacitance).error,
                            "'4x7' is not a capacitance: write 100n, 4u7 or 0.1µF"},
                    Refused{"CurrentInVolts", parseMeasure("5V", Measure::Current).error,
                            "'5V' is not a current: write 10m, 20mA or 0.5"},
                    Refused{"FrequencyQuotedWithItsUnit", parseMeasure("1xkHz", Measure::Frequency).error,
                            "'1xkHz' is not a frequency: write 1k, 50 or 2.4GHz"},
                    Refused{"ZeroKeepsItsOwnWords", parseMeasure("0 s", Measure::Time).error,
                            "'0 s' is zero: write a value above zero"},
                    Refused{"OhmsLawVoltage", parseQuantity("abc", Quantity::Voltage).error,
                            "'abc' is not a voltage: write 5, 3.3 or 12V"},
                    Refused{"OhmsLawPower", parseQuantity("2xW", Quantity::Power).error,
                            "'2xW' is not a power: write 250m, 0.5 or 2W"},
                    Refused{"Length", parseLength("", BareLength::Millimetre).error,
                            "Type a length: write 0.3mm, 35um, 12mil or 0.1in"},
                    Refused{"SpacingVoltage", parseVoltage("4x8").error, "'4x8' is not a voltage: write 5, 3.3 or 12V"},
                    Refused{"Attenuation", std::string(parseAttenuation("six").error),
                            "'six' is not an attenuation: write 6, 10.5 or 20 dB"}),
    [](const auto& info) { return std::string(info.param.name); });
