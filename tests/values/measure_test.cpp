// SPDX-License-Identifier: MIT
// Every example a refusal offers reads back as its field's kind.
#include "values/board.h"
#include "values/measure.h"
#include "values/pads.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace values;

namespace {

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

} // namespace

TEST(Measures, EveryExampleAMessageGivesReadsAsItsKind)
{
    for (int m = 0; m <= static_cast<int>(Measure::Temperature); ++m) {
        const auto measure = static_cast<Measure>(m);
        // "5, 3.3 or 12V"
        std::string rest(examples(measure));
        rest.replace(rest.find(" or "), 4, ", ");
        int read = 0;
        for (std::size_t at = 0; at != std::string::npos; ++read) {
            const std::size_t comma = rest.find(", ", at);
            const std::string example = rest.substr(at, comma - at);
            EXPECT_TRUE(readAs(measure, example)) << noun(measure) << ": " << example;
            at = comma == std::string::npos ? comma : comma + 2;
        }
        EXPECT_GE(read, 2) << noun(measure);
        EXPECT_EQ(notA("x", measure),
                  "'x' is not " + std::string(noun(measure)) + ": write " + std::string(examples(measure)));
        EXPECT_EQ(refusal(parse("4x7"), "4x7", "4x7", measure), notA("4x7", measure));
    }
}
