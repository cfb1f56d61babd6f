// SPDX-License-Identifier: MIT
#include "cli/cli.h"
#include "cli/markings.h"
#include "numeric/format.h"
#include "values/markings.h"
#include "values/series.h"

#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

using namespace values;

namespace {

Decimal d(std::int64_t mantissa, int exponent = 0)
{
    return Decimal::of(mantissa, exponent);
}

// A table row's name as the test's name, so a failure reads as the case.
const auto rowName = [](const auto& info) {
    std::string name;
    for (const char* p = info.param.name; *p != 0; ++p)
        name += std::isalnum(static_cast<unsigned char>(*p)) != 0 ? *p : '_';
    return name;
};

std::string names(const std::vector<Colour>& bands)
{
    std::string out;
    for (Colour c : bands)
        out += (out.empty() ? "" : " ") + std::string(facts(c).name);
    return out;
}

// --- The colour table, row by row as IEC 60062:2016 gives it ----------------------------------

struct ColourRow {
    const char* name;
    int digit; // -1: none
    int multiplierExponent;
    const char* tolerance; // "" : none
    char letter;
    int tcr; // -1: none
};

const ColourRow colourRows[] = {
    {"pink", -1, -3, "", 0, -1},          {"silver", -1, -2, "±10 %", 'K', -1}, {"gold", -1, -1, "±5 %", 'J', -1},
    {"black", 0, 0, "", 0, 250},          {"brown", 1, 1, "±1 %", 'F', 100},    {"red", 2, 2, "±2 %", 'G', 50},
    {"orange", 3, 3, "±0.05 %", 'W', 15}, {"yellow", 4, 4, "±0.02 %", 'P', 25}, {"green", 5, 5, "±0.5 %", 'D', 20},
    {"blue", 6, 6, "±0.25 %", 'C', 10},   {"violet", 7, 7, "±0.1 %", 'B', 5},   {"grey", 8, 8, "±0.01 %", 'L', 1},
    {"white", 9, 9, "", 0, -1},
};

} // namespace

TEST(ColourTable, FollowsThe2016Edition)
{
    ASSERT_EQ(std::size(colourRows), colourTable().size());
    for (std::size_t k = 0; k < colourTable().size(); ++k) {
        const ColourRow& row = colourRows[k];
        const ColourFacts& f = colourTable()[k];
        SCOPED_TRACE(row.name);
        EXPECT_EQ(f.name, row.name);
        EXPECT_EQ(f.digit.value_or(-1), row.digit);
        EXPECT_EQ(f.multiplierExponent, row.multiplierExponent);
        EXPECT_EQ(f.tolerance ? describe(Tolerance::percent(*f.tolerance)) : "", row.tolerance);
        EXPECT_EQ(f.toleranceLetter, row.letter);
        EXPECT_EQ(f.tcr.value_or(-1), row.tcr);
        EXPECT_EQ(colourNamed(row.name), f.colour);
    }
}

TEST(ColourTable, NamesInAnyCaseAndGreyBothWays)
{
    EXPECT_EQ(colourNamed("GRAY"), Colour::Grey);
    EXPECT_EQ(colourNamed("Grey"), Colour::Grey);
    EXPECT_EQ(colourNamed("vIoLeT"), Colour::Violet);
    EXPECT_EQ(colourNamed("purple"), std::nullopt);
    EXPECT_EQ(colourNamed(""), std::nullopt);
}

TEST(Eia96, CodesAreTheE96Positions)
{
    const auto e96 = decade(Series::E96);
    ASSERT_EQ(e96.size(), 96U);
    for (std::size_t k = 0; k < e96.size(); ++k) {
        const int code = static_cast<int>(k) + 1;
        const std::string text =
            std::string(1, static_cast<char>('0' + code / 10)) + static_cast<char>('0' + code % 10) + "A";
        const ReadResult r = read(text);
        ASSERT_EQ(r.readings.size(), 1U) << text;
        EXPECT_EQ(r.readings[0].value, Decimal::of(e96[k].mantissa, e96[k].exponent + 2)) << text;
    }
    EXPECT_TRUE(read("00A").readings.empty());
    EXPECT_TRUE(read("97A").readings.empty() || read("97A").readings[0].kind != ReadingKind::Eia96);
}

// --- Reading ------------------------------------------------------------------------------------

namespace {

struct Expected {
    ReadingKind kind;
    const char* value; // as the window shows it
    const char* tolerance = "";
    int tcr = -1;
};

struct ReadCase {
    const char* name;
    const char* text;
    std::vector<Expected> readings;
};

const ReadCase readCases[] = {
    {"four bands", "yellow violet red gold", {{ReadingKind::ColourBands, "4.7 kΩ", "±5 %"}}},
    {"six bands with a temperature coefficient",
     "brown black black red violet yellow",
     {{ReadingKind::ColourBands, "10.0 kΩ", "±0.1 %", 25}}},
    {"three bands are ±20 %", "brown black red", {{ReadingKind::ColourBands, "1.0 kΩ", "±20 %"}}},
    {"commas, dashes, any case and gray", "Brown,BLACK-red  gray", {{ReadingKind::ColourBands, "1.0 kΩ", "±0.01 %"}}},
    {"pink multiplies by 0.001", "brown black pink gold", {{ReadingKind::ColourBands, "10 mΩ", "±5 %"}}},
    {"silver multiplies by 0.01", "yellow violet silver gold", {{ReadingKind::ColourBands, "470 mΩ", "±5 %"}}},
    {"EIA-96 below 100 ohms", "68X", {{ReadingKind::Eia96, "49.9 Ω"}}},
    {"EIA-96 code 01", "01C", {{ReadingKind::Eia96, "10.0 kΩ"}}},
    {"EIA-96 in lower case", "68b", {{ReadingKind::Eia96, "4.99 kΩ"}}},
    {"a capacitor code's 9 is a tenth", "479", {{ReadingKind::CapacitorCode, "4.7 pF"}}},
    {"a capacitor code with its tolerance",
     "104K",
     {{ReadingKind::CapacitorCode, "100 nF", "±10 %"}, {ReadingKind::Rkm, "104 kΩ"}}},
    {"104 is a resistor and a capacitor",
     "104",
     {{ReadingKind::Smd3, "100 kΩ"}, {ReadingKind::CapacitorCode, "100 nF"}}},
    {"30R is RKM and EIA-96", "30R", {{ReadingKind::Rkm, "30 Ω"}, {ReadingKind::Eia96, "2.00 Ω"}}},
    {"Z is +80/-20", "473Z", {{ReadingKind::CapacitorCode, "47 nF", "+80/-20 %"}}},
    {"C on a capacitor code is in picofarads", "100C", {{ReadingKind::CapacitorCode, "10 pF", "±0.25 pF"}}},
    {"RKM with a tolerance letter", "4K7J", {{ReadingKind::Rkm, "4.7 kΩ", "±5 %"}}},
    {"RKM below one ohm", "R47", {{ReadingKind::Rkm, "470 mΩ"}}},
    {"RKM capacitor", "4n7", {{ReadingKind::Rkm, "4.7 nF"}}},
    {"RKM micro sign", "2µ2", {{ReadingKind::Rkm, "2.2 µF"}}},
    {"RKM capacitor below 10 pF: D in picofarads", "2p2D", {{ReadingKind::Rkm, "2.2 pF", "±0.5 pF"}}},
    {"RKM capacitor from 10 pF: D in percent", "22pD", {{ReadingKind::Rkm, "22 pF", "±0.5 %"}}},
    {"SMD 4 digits", "4701", {{ReadingKind::Smd4, "4.70 kΩ"}}},
    {"SMD 3 digits", "472", {{ReadingKind::Smd3, "4.7 kΩ"}, {ReadingKind::CapacitorCode, "4.7 nF"}}},
    {"a plain value when no code fits", "4.7k", {{ReadingKind::PlainValue, "4.7 kΩ"}}},
    {"a plain capacitance", "4.7 nF", {{ReadingKind::PlainValue, "4.7 nF"}}},
};

class Reads : public ::testing::TestWithParam<ReadCase> {};

} // namespace

TEST_P(Reads, EveryReadingLabelled)
{
    const ReadCase& c = GetParam();
    const ReadResult r = read(c.text);
    EXPECT_EQ(r.error, "");
    ASSERT_EQ(r.readings.size(), c.readings.size());
    for (std::size_t k = 0; k < r.readings.size(); ++k) {
        const Reading& got = r.readings[k];
        const Expected& want = c.readings[k];
        EXPECT_EQ(kindName(got.kind), kindName(want.kind)) << "reading " << k;
        EXPECT_EQ(quantity(got.value, got.unit, got.figures), want.value) << "reading " << k;
        EXPECT_EQ(got.tolerance ? describe(*got.tolerance) : "", want.tolerance) << "reading " << k;
        EXPECT_EQ(got.tcr.value_or(-1), want.tcr) << "reading " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Markings, Reads, ::testing::ValuesIn(readCases), rowName);

namespace {

struct Refusal {
    const char* name;
    const char* text;
    const char* error;
};

const Refusal refusals[] = {
    {"gold as a digit", "gold black red gold", "gold is not a digit colour (band 1)"},
    {"black as a tolerance", "brown black red black", "black is not a tolerance colour (band 4)"},
    {"white as a coefficient", "brown black black red brown white",
     "white is not a temperature-coefficient colour (band 6)"},
    {"two bands", "brown black", "2 colour bands: a marking has 3 to 6"},
    {"seven bands", "brown black black black brown brown brown", "7 colour bands: a marking has 3 to 6"},
    {"an unknown colour", "brown purple red", "'purple' is not a band colour"},
    {"all digits black", "black black red", "the digit bands are all black: that is no resistance"},
    {"a word", "hello",
     "'hello' is not a marking: write colours (yellow violet red gold), a code (4K7, 472, 4701, 68X, 104K) or "
     "a value (4.7k)"},
    {"nothing", "  ", "Type a marking: colours, a code or a value"},
    {"separators only", ", ,",
     "', ,' is not a marking: write colours (yellow violet red gold), a code (4K7, 472, 4701, 68X, 104K) or "
     "a value (4.7k)"},
    {"a voltage", "5 V", "'5 V' is not a resistance or a capacitance"},
};

class Refuses : public ::testing::TestWithParam<Refusal> {};

} // namespace

TEST_P(Refuses, WithAMessageNamingWhatWasNotUnderstood)
{
    const ReadResult r = read(GetParam().text);
    EXPECT_TRUE(r.readings.empty());
    EXPECT_EQ(r.error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(Markings, Refuses, ::testing::ValuesIn(refusals), rowName);

// --- Marking ------------------------------------------------------------------------------------

namespace {

struct MarkCase {
    const char* name;
    Decimal ohms;
    Decimal tolerance;
    std::optional<int> tcr;
    // Per marking kind in allMarkingKinds order: the bands or code, or "!" and the reason.
    std::array<const char*, 7> expected;
};

const MarkCase markCases[] = {
    {"4k7 at 5 %",
     d(47, 2),
     d(5),
     std::nullopt,
     {"yellow violet red gold", "yellow violet black brown gold", "!6 bands need a temperature coefficient", "472",
      "4701", "!4.7k is not an E96 value", "4K7"}},
    {"4.99k at 1 %",
     d(499, 1),
     d(1),
     std::nullopt,
     {"!4.99k needs 3 significant digits: use 5 bands", "yellow white white brown brown",
      "!6 bands need a temperature coefficient", "!4.99k needs 3 significant digits: use 4 digits", "4991", "68B",
      "4K99"}},
    {"0.47 ohm at 5 %",
     d(47, -2),
     d(5),
     std::nullopt,
     {"yellow violet silver gold", "yellow violet black pink gold", "!6 bands need a temperature coefficient", "R47",
      "R470", "!470m is not an E96 value", "R47"}},
    {"10 milliohms",
     d(1, -2),
     d(5),
     std::nullopt,
     {"brown black pink gold", "!10m is below the smallest 5-band value, 100m",
      "!10m is below the smallest 6-band value, 100m", "R01", "R010", "!10m is outside the EIA-96 range", "R01"}},
    {"10k at 0.1 % and 25 ppm/K",
     d(1, 4),
     d(1, -1),
     25,
     {"brown black orange violet", "brown black black red violet", "brown black black red violet yellow", "103", "1002",
      "01C", "10K"}},
    {"±20 % has no band",
     d(1, 3),
     d(20),
     100,
     {"brown black red", "!±20 % has no band: 5 bands need a tolerance band",
      "!±20 % has no band: 6 bands need a tolerance band", "102", "1001", "01B", "1K0"}},
    {"a tolerance with no colour",
     d(1, 3),
     d(3),
     std::nullopt,
     {"!±3 % has no tolerance colour", "!±3 % has no tolerance colour", "!±3 % has no tolerance colour", "102", "1001",
      "01B", "1K0"}},
    {"a coefficient with no colour",
     d(1, 3),
     d(1),
     30,
     {"brown black red brown", "brown black black brown brown", "!30 ppm/K has no colour", "102", "1001", "01B",
      "1K0"}},
    {"beyond the codes",
     d(1, 11),
     d(5),
     std::nullopt,
     {"!100G is above the largest 4-band value, 99G", "brown black black white gold",
      "!6 bands need a temperature coefficient", "!100G is above the SMD code range",
      "!100G is above the SMD code range", "!100G is outside the EIA-96 range", "100G"}},
    {"SMD R forms",
     d(47),
     d(5),
     std::nullopt,
     {"yellow violet black gold", "yellow violet black gold gold", "!6 bands need a temperature coefficient", "470",
      "47R0", "!47 is not an E96 value", "47R"}},
};

class Marks : public ::testing::TestWithParam<MarkCase> {};

} // namespace

TEST_P(Marks, EveryMarkingOrWhyNot)
{
    const MarkCase& c = GetParam();
    const MarkResult r = mark(c.ohms, c.tolerance, c.tcr);
    EXPECT_EQ(r.error, "");
    ASSERT_EQ(r.markings.size(), allMarkingKinds.size());
    for (std::size_t k = 0; k < r.markings.size(); ++k) {
        const Marking& m = r.markings[k];
        EXPECT_EQ(m.kind, allMarkingKinds[k]);
        const std::string got = !m.carries() ? "!" + m.whyNot : m.bands.empty() ? m.code : names(m.bands);
        EXPECT_EQ(got, c.expected[k]) << keyOf(m.kind);
    }
}

INSTANTIATE_TEST_SUITE_P(Markings, Marks, ::testing::ValuesIn(markCases), rowName);

TEST(Mark, RefusesMoreDigitsThanAnyMarkingHoldsAndOffersSeriesValues)
{
    const MarkResult r = mark(d(4752), d(1));
    EXPECT_EQ(r.error, "4.752k has 4 significant digits: markings hold 3 at most");
    EXPECT_TRUE(r.markings.empty());
    std::vector<std::string> nearest;
    nearest.reserve(r.nearest.size());
    for (const Nearest& n : r.nearest)
        nearest.push_back(std::string(name(n.series)) + " " + format(n.nearest));
    EXPECT_EQ(nearest, (std::vector<std::string>{"E24 4.7k", "E96 4.75k", "E192 4.75k"}));
}

TEST(Mark, ExactDecimalsNotBinaryFractions)
{
    // 0.47 as a double is 0.46999...: a marker in binary would write 4 6 9.
    const MarkResult r = mark(d(47, -2), d(5));
    ASSERT_FALSE(r.markings.empty());
    EXPECT_EQ(names(r.markings[0].bands), "yellow violet silver gold");
}

// Every value each marking can carry reads back to itself, with its tolerance and coefficient.
// NOLINTNEXTLINE(readability-function-cognitive-complexity): one sweep over every marking kind
TEST(RoundTrip, EveryMarkingReadsBackToTheSameValue)
{
    std::vector<Decimal> values;
    for (int exponent = -4; exponent <= 10; ++exponent) {
        for (const Decimal& v : decade(Series::E192))
            values.push_back(Decimal::of(v.mantissa, v.exponent + exponent));
        for (const Decimal& v : decade(Series::E24))
            values.push_back(Decimal::of(v.mantissa, v.exponent + exponent));
    }
    int carried = 0;
    for (const Decimal& v : values) {
        for (const ColourFacts& t : colourTable()) {
            if (!t.tolerance)
                continue;
            const MarkResult m = mark(v, *t.tolerance, 50);
            ASSERT_EQ(m.error, "");
            for (const Marking& marking : m.markings) {
                if (!marking.carries())
                    continue;
                ++carried;
                const std::string text = marking.bands.empty() ? marking.code : names(marking.bands);
                const ReadResult r = read(text);
                bool found = false;
                for (const Reading& reading : r.readings) {
                    if (reading.value != v || reading.unit != Unit::Ohm)
                        continue;
                    found = true;
                    if (!marking.bands.empty()) {
                        EXPECT_EQ(reading.tolerance, Tolerance::percent(*t.tolerance)) << text;
                        if (marking.kind == MarkingKind::Bands6) {
                            EXPECT_EQ(reading.tcr, 50) << text;
                        }
                    }
                }
                EXPECT_TRUE(found) << keyOf(marking.kind) << " " << text << " for " << format(v, 18);
            }
        }
    }
    EXPECT_GT(carried, 10000);
}

// --- The command line ---------------------------------------------------------------------------

namespace {

struct CliCase {
    const char* name;
    std::vector<std::string> args;
    int status;
    const char* out;
    const char* err;
};

const CliCase cliCases[] = {
    {"mark as JSON",
     {"mark", "4k7", "--tolerance", "5", "--json"},
     0,
     "{\"value_ohm\": 4700, \"tolerance_pct\": 5, \"bands4\": [\"yellow\", \"violet\", \"red\", \"gold\"], "
     "\"bands5\": [\"yellow\", \"violet\", \"black\", \"brown\", \"gold\"], \"bands6\": null, \"smd3\": \"472\", "
     "\"smd4\": \"4701\", \"eia96\": null, \"rkm\": \"4K7\", \"why_not\": {\"bands6\": \"6 bands need a temperature "
     "coefficient\", \"eia96\": \"4.7k is not an E96 value\"}}\n",
     ""},
    {"mark with six bands",
     {"mark", "10k", "--tolerance", "0.1%", "--tcr", "25", "--json"},
     0,
     "{\"value_ohm\": 10000, \"tolerance_pct\": 0.1, \"bands4\": [\"brown\", \"black\", \"orange\", \"violet\"], "
     "\"bands5\": [\"brown\", \"black\", \"black\", \"red\", \"violet\"], \"bands6\": [\"brown\", \"black\", "
     "\"black\", \"red\", \"violet\", \"yellow\"], \"smd3\": \"103\", \"smd4\": \"1002\", \"eia96\": \"01C\", "
     "\"rkm\": \"10K\", \"why_not\": {}}\n",
     ""},
    {"mark in plain text",
     {"mark", "R47"},
     0,
     "470 mΩ at ±5 %\n"
     "marking       code\n"
     "4 bands       yellow violet silver gold\n"
     "5 bands       yellow violet black pink gold\n"
     "6 bands       none: 6 bands need a temperature coefficient\n"
     "SMD 3 digits  R47\n"
     "SMD 4 digits  R470\n"
     "EIA-96        none: 470m is not an E96 value\n"
     "RKM           R47\n",
     ""},
    {"mark refuses four digits",
     {"mark", "4752"},
     2,
     "",
     "voltiva: mark: 4.752k has 4 significant digits: markings hold 3 at most; nearest: 4.7k (E24), 4.75k (E96), "
     "4.75k (E192)\n"},
    {"read as JSON",
     {"read", "yellow violet red gold", "--json"},
     0,
     "{\"readings\": [{\"kind\": \"colour bands\", \"value_ohm\": 4700, \"tolerance_pct\": 5, \"tcr_ppm\": null, "
     "\"tolerance\": \"±5 %\"}]}\n",
     ""},
    {"read both readings of 104",
     {"read", "104", "--json"},
     0,
     "{\"readings\": [{\"kind\": \"SMD 3-digit\", \"value_ohm\": 100000, \"tolerance_pct\": null, \"tcr_ppm\": null, "
     "\"tolerance\": null}, {\"kind\": \"capacitor code\", \"value_f\": 1e-7, \"tolerance_pct\": "
     "null, \"tcr_ppm\": null, \"tolerance\": null}]}\n",
     ""},
    {"read unquoted colours",
     {"read", "brown", "black", "black", "red", "violet", "yellow"},
     0,
     "reading       value    tolerance  temperature coefficient\n"
     "colour bands  10.0 kΩ  ±0.1 %     25 ppm/K\n",
     ""},
    {"read with no reading", {"read", "brown purple red"}, 2, "", "voltiva: read: 'purple' is not a band colour\n"},
};

class Command : public ::testing::TestWithParam<CliCase> {};

} // namespace

TEST_P(Command, PrintsAndExits)
{
    const CliCase& c = GetParam();
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(cli::run(c.args, cli::markingsCommands(), out, err), c.status);
    EXPECT_EQ(out.str(), c.out);
    EXPECT_EQ(err.str(), c.err);
}

INSTANTIATE_TEST_SUITE_P(Markings, Command, ::testing::ValuesIn(cliCases), rowName);
