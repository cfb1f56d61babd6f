// SPDX-License-Identifier: MIT
#include "arithmetic/capacitors.h"
#include "arithmetic/colourcode.h"
#include "arithmetic/divider.h"
#include "arithmetic/resistors.h"

#include "errors.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace arithmetic;

namespace {

constexpr int noField = -1;

struct Case {
    std::vector<std::string> texts;
    std::string line;                      // expected result line, when no error
    std::optional<ErrorNumber> error = ok; // expected run-time error
    int field = noField;                   // the field whose conversion fails
};

void check(const Arithmetic& arithmetic, const std::vector<Case>& cases, const Display& display = {})
{
    for (const Case& c : cases) {
        std::string trace;
        for (const auto& t : c.texts)
            trace += "[" + t + "] ";
        SCOPED_TRACE(trace);
        try {
            EXPECT_EQ(arithmetic(c.texts, display), c.line);
            EXPECT_EQ(c.error, ok) << "expected an error";
        } catch (const FieldError& e) {
            EXPECT_EQ(e.code(), c.error);
            EXPECT_EQ(static_cast<int>(e.field), c.field);
        } catch (const runtime::Error& e) {
            EXPECT_EQ(e.code(), c.error);
            EXPECT_EQ(c.field, noField) << "expected the conversion of field " << c.field << " to fail";
        }
    }
}

const Arithmetic serRes2 = arithmeticOf(seriesResistors2);
const Arithmetic serRes3 = arithmeticOf(seriesResistors3);
const Arithmetic parRes = arithmeticOf(parallelResistors);
const Arithmetic serCap2 = arithmeticOf(seriesCapacitors2);
const Arithmetic serCap3 = arithmeticOf(seriesCapacitors3);
const Arithmetic parCap = arithmeticOf(parallelCapacitors);
const Arithmetic divider = arithmeticOf(voltageDivider);

} // namespace

TEST(SeriesResistors, TwoInWholeOhms)
{
    check(serRes2,
          {
              {{"100", "220"}, "Resistor total= 320 Ohms"},
              {{"4.7", "2.5"}, "Resistor total= 7 Ohms"},
              {{"1000", "-100"}, "Resistor total= 900 Ohms"},
              {{"0.5", "0.5"}, "Resistor total= 0 Ohms"},
              {{"1.5", "1.5"}, "Resistor total= 4 Ohms"},
              {{"2147483647", "0"}, "Resistor total= 2147483647 Ohms"},
              {{"-2147483648", "0"}, "Resistor total= -2147483648 Ohms"},
              {{"2147483647", "1"}, "", overflow},
              {{"-2147483648", "-1"}, "", overflow},
              {{"", "220"}, "", mismatch, 0},
              {{"100", ""}, "", mismatch, 1},
              {{"", "x"}, "", mismatch, 0},
              {{"100", "2147483647.5"}, "", overflow, 1},
              {{" 1E3 ", "-.5"}, "Resistor total= 1000 Ohms"},
          });
}

TEST(SeriesResistors, ThreeCheckOnlyTheTotalAgainstTheLongRange)
{
    check(serRes3,
          {
              {{"1000", "2200", "470"}, "Resistor total= 3670 Ohms"},
              {{"4.5", "5.5", "0.5"}, "Resistor total= 10 Ohms"},
              {{"2147483647", "-1", "1"}, "Resistor total= 2147483647 Ohms"},
              {{"2147483647", "1", "-1"}, "Resistor total= 2147483647 Ohms"},
              {{"2147483647", "2147483647", "-2147483648"}, "Resistor total= 2147483646 Ohms"},
              {{"2147483647", "1", "0"}, "", overflow},
              {{"-2147483648", "-2147483648", "-2147483648"}, "", overflow},
              {{"1", "2", "three"}, "", mismatch, 2},
          });
}

TEST(ParallelResistors, RoundedOnceToFourDecimals)
{
    check(parRes,
          {
              {{"100", "220"}, "Resistor Total = 68.75 Ohms"},
              {{"1000", "2200"}, "Resistor Total = 687.5 Ohms"},
              {{"1", "2"}, "Resistor Total = 0.6667 Ohms"},
              {{"4.7", "10"}, "Resistor Total = 3.1973 Ohms"},
              {{"10", "10"}, "Resistor Total = 5 Ohms"},
              {{"0", "470"}, "Resistor Total = 0 Ohms"},
              {{"-100", "300"}, "Resistor Total = -150 Ohms"},
              // Exact halves of the last decimal go to the even neighbour.
              {{"0.0001", "0.0001"}, "Resistor Total = 0 Ohms"},
              {{"0.0003", "0.0003"}, "Resistor Total = 0.0002 Ohms"},
              // Only the total has to fit: the product and the sum may not.
              {{"30370004", "30370004"}, "Resistor Total = 15185002 Ohms"},
              {{"30370005", "30370005"}, "Resistor Total = 15185002.5 Ohms"},
              {{"922337203685477", "922337203685477"}, "Resistor Total = 461168601842738.5 Ohms"},
              {{"100", "-100"}, "", divisionByZero},
              {{"0", "0"}, "", overflow},
              {{"922337203685477.5808", "1"}, "", overflow, 0},
              {{"1", "abc"}, "", mismatch, 1},
          });
}

TEST(SeriesCapacitors, TwoInDoubles)
{
    check(serCap2,
          {
              {{"10", "22"}, "Capacitor total= 6.875 microfarads"},
              {{"1", "2"}, "Capacitor total= 0.666666666666667 microfarads"},
              {{"4.7", "10"}, "Capacitor total= 3.19727891156463 microfarads"},
              {{"0.01", "0.022"}, "Capacitor total= 0.006875 microfarads"},
              {{"100", "100"}, "Capacitor total= 50 microfarads"},
              {{"1E200", "1E200"}, "Capacitor total= 5E+199 microfarads"},
              {{"2E15", "2E15"}, "Capacitor total= 1E+15 microfarads"},
              {{"1E15", "1E15"}, "Capacitor total= 500000000000000 microfarads"},
              {{"10", "-5"}, "Capacitor total= -10 microfarads"},
              {{"5", "-5"}, "", divisionByZero},
              {{"0", "0"}, "", overflow},
              {{"1E309", "1"}, "", overflow, 0},
              {{"1", "1,5"}, "", mismatch, 1},
          });
}

TEST(SeriesCapacitors, ThreeAsReciprocals)
{
    check(serCap3,
          {
              {{"10", "22", "47"}, "Capacitor total= 5.99767981438515 microfarads"},
              {{"10", "10", "10"}, "Capacitor total= 3.33333333333333 microfarads"},
              {{"3", "3", "3"}, "Capacitor total= 1 microfarads"},
              {{"0", "10", "10"}, "", divisionByZero},
              {{"10", "10", "0"}, "", divisionByZero},
              {{"2", "2", "-1"}, "", divisionByZero},
              {{"1", "", "1"}, "", mismatch, 1},
          });
}

TEST(ParallelCapacitors, EachValueRoundedToFourDecimalsBeforeAdding)
{
    check(parCap,
          {
              {{"10", "22"}, "Capacitor Total = 32 Microfarads"},
              {{"0.1", "0.047"}, "Capacitor Total = 0.147 Microfarads"},
              {{"2.5", "3.25"}, "Capacitor Total = 5.75 Microfarads"},
              {{"0.00004", "0"}, "Capacitor Total = 0 Microfarads"},
              {{"0.00006", "0"}, "Capacitor Total = 0.0001 Microfarads"},
              {{"922337203685477", "0.5807"}, "Capacitor Total = 922337203685477.5807 Microfarads"},
              {{"922337203685477", "1"}, "", overflow},
              {{"", ""}, "", mismatch, 0},
          });
}

TEST(VoltageDivider, RoundsOnlyTheResult)
{
    check(divider,
          {
              {{"10", "1000", "2000"}, "Voltage out = 6.6667"},
              {{"12", "2000", "1000"}, "Voltage out = 4"},
              {{"12", "10000", "4700"}, "Voltage out = 3.8367"},
              {{"5", "1000", "1000"}, "Voltage out = 2.5"},
              {{"5", "1", "20000"}, "Voltage out = 4.9998"},
              {{"9", "0", "470"}, "Voltage out = 9"},
              {{"9", "470", "0"}, "Voltage out = 0"},
              {{"10", "-1000", "3000"}, "Voltage out = 15"},
              {{"0.0025", "1", "1"}, "Voltage out = 0.0012"}, // an exact half goes to even
              {{"0.0035", "1", "1"}, "Voltage out = 0.0018"},
              {{"922337203685477", "0", "1"}, "Voltage out = 922337203685477"},
              {{"922337203685477", "-0.5", "1"}, "", overflow},
              {{"9", "-1000", "1000"}, "", divisionByZero},
              {{"0", "-1000", "1000"}, "", divisionByZero},
              {{"9", "0", "0"}, "", overflow},
              {{"", "1", "1"}, "", mismatch, 0},
              {{"1", "1", "1e"}, "", mismatch, 2},
          });
}

TEST(DisplayPrecision, RoundsNumericResultsTiesToEven)
{
    const Display two{".", 2};
    check(parRes, {{{"1", "2"}, "Resistor Total = 0.67 Ohms"}, {{"0.25", "0.25"}, "Resistor Total = 0.12 Ohms"}}, two);
    check(serCap2,
          {{{"1", "2"}, "Capacitor total= 0.67 microfarads"},
           {{"0.25", "0.25"}, "Capacitor total= 0.12 microfarads"},
           {{"1E200", "1E200"}, "Capacitor total= 5E+199 microfarads"}},
          two);
    check(serRes2, {{{"100", "220"}, "Resistor total= 320 Ohms"}}, two);
    check(divider, {{{"10", "1000", "2000"}, "Voltage out = 6.667"}}, Display{".", 3});
    check(parCap, {{{"0.1", "0.047"}, "Capacitor Total = 0.147 Microfarads"}}, Display{".", 3});
}

TEST(DisplayPrecision, FollowsTheLocaleSeparator)
{
    const Display comma{",", std::nullopt};
    check(parRes, {{{"4,7", "10"}, "Resistor Total = 3,1973 Ohms"}, {{"4.7", "10"}, "", mismatch, 0}}, comma);
    check(serCap2, {{{"1", "2"}, "Capacitor total= 0,666666666666667 microfarads"}}, comma);
}

TEST(ColourCode, ReadsValueAndTolerance)
{
    const struct {
        const char *b1, *b2, *b3, *tol;
        std::vector<std::string> prompts;
        const char *value, *tolerance;
    } cases[] = {
        {"Yellow",
         "Violet",
         "Red",
         "Gold",
         {},
         "Resistor Value= 4700 Ohms",
         "Tolerance = +/- 5% of resistor's measured value"},
        {"Brown",
         "Black",
         "Black",
         "Silver",
         {},
         "Resistor Value= 10 Ohms",
         "Tolerance = +/- 10% of resistor's measured value"},
        {"Black",
         "Brown",
         "Red",
         "None",
         {},
         "Resistor Value= 0100 Ohms",
         "Tolerance = +/- 20% of resistor's measured value"},
        {"White",
         "White",
         "White",
         "Gold",
         {},
         "Resistor Value= 99000000000 Ohms",
         "Tolerance = +/- 5% of resistor's measured value"},
        {"Gray",
         "Green",
         "Blue",
         "Gold",
         {},
         "Resistor Value= 85000000 Ohms",
         "Tolerance = +/- 5% of resistor's measured value"},
        {"",
         "",
         "",
         "",
         {"Pick a color for Band 1", "Pick a color for Band 2", "Pick a color for Band 3", "Enter a Tolerance value"},
         "",
         ""},
        // A line is written only from a complete set of bands.
        {"red", "Red", "Brown", "gold", {"Pick a color for Band 1", "Enter a Tolerance value"}, "", ""},
        {"Yellow",
         "x",
         "Red",
         "Gold",
         {"Pick a color for Band 2"},
         "",
         "Tolerance = +/- 5% of resistor's measured value"},
        {"Brown",
         "Black",
         "Gold",
         "Gold",
         {"Pick a color for Band 3"},
         "",
         "Tolerance = +/- 5% of resistor's measured value"},
        {"Red ",
         "Grey",
         "Red",
         "Silver ",
         {"Pick a color for Band 1", "Pick a color for Band 2", "Enter a Tolerance value"},
         "",
         ""},
        {"Brown", "Black", "Orange", "Red", {"Enter a Tolerance value"}, "Resistor Value= 10000 Ohms", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.b1) + "/" + c.b2 + "/" + c.b3 + "/" + c.tol);
        const ColourCodeReading r = readColourCode(c.b1, c.b2, c.b3, c.tol);
        EXPECT_EQ(r.prompts, c.prompts);
        EXPECT_EQ(r.valueLine, c.value);
        EXPECT_EQ(r.toleranceLine, c.tolerance);
    }
}
