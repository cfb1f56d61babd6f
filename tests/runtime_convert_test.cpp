// SPDX-License-Identifier: MIT
#include "runtime/convert.h"
#include "runtime/error.h"

#include "errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <ostream>
#include <random>
#include <string>
#include <vector>

using runtime::Currency;

namespace {

constexpr std::int64_t cyMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t cyMin = std::numeric_limits<std::int64_t>::min();

Currency cy(std::int64_t scaled)
{
    return Currency::fromScaled(scaled);
}

// ---------------------------------------------------------------------------------------
// Which texts are numbers at all: the same rules hold for every parser.

struct SyntaxCase {
    std::string text;
    std::string separator;
    bool number;
};

TEST(Parse, SyntaxIsSharedByAllParsers)
{
    const std::vector<SyntaxCase> cases = {
        {"0", ".", true},
        {".5", ".", true},
        {"5.", ".", true},
        {"1E3", ".", true},
        {"1e-3", ".", true},
        {"1E+3", ".", true},
        {" -3.5 ", ".", true},
        {"\t+3.5\t ", ".", true},
        {"-.5e1", ".", true},
        {"5.E1", ".", true},
        {"007", ".", true},
        {"1,5", ",", true},
        {",5", ",", true},
        {"1\xd9\xab"
         "5",
         "\xd9\xab", true}, // a two-byte separator
        {"", ".", false},
        {"   ", ".", false},
        {"\t", ".", false},
        {".", ".", false},
        {"-", ".", false},
        {"+", ".", false},
        {"-.", ".", false},
        {".E1", ".", false},
        {"E1", ".", false},
        {"12abc", ".", false},
        {"1E", ".", false},
        {"1E+", ".", false},
        {"1E-", ".", false},
        {"1E1.5", ".", false},
        {"1E 1", ".", false},
        {"--1", ".", false},
        {"+-1", ".", false},
        {"- 1", ".", false},
        {"1 2", ".", false},
        {"1-", ".", false},
        {"1..2", ".", false},
        {"1.2.3", ".", false},
        {"1,000", ".", false},
        {"1.5", ",", false}, // "." is no separator when "," is
        {"1,5", ".", false},
        {"0x10", ".", false},
        {"$5", ".", false},
        {"\n1", ".", false},
        {"1\n", ".", false},
        {"inf", ".", false},
        {"nan", ".", false},
        {"1\xd9", "\xd9\xab", false}, // half a separator
        {std::string("1\0", 2), ".", false},
    };
    for (const SyntaxCase& c : cases) {
        SCOPED_TRACE("text \"" + c.text + "\" separator \"" + c.separator + "\"");
        const std::optional<ErrorNumber> expected = c.number ? ok : mismatch;
        EXPECT_EQ(errorOf([&] { runtime::R8Str(c.text, c.separator); }), expected);
        EXPECT_EQ(errorOf([&] { runtime::CyStr(c.text, c.separator); }), expected);
        EXPECT_EQ(errorOf([&] { runtime::I4Str(c.text, c.separator); }), expected);
    }
}

TEST(Parse, SyntaxErrorWinsOverRange)
{
    EXPECT_EQ(errorOf([] { runtime::I4Str("99999999999x"); }), mismatch);
    EXPECT_EQ(errorOf([] { runtime::R8Str("1E999 x"); }), mismatch);
}

// ---------------------------------------------------------------------------------------
// I4Str: ties to even on the exact decimal value, range after rounding.

struct I4Case {
    std::string text;
    std::int32_t value;
    std::optional<ErrorNumber> error;
    friend void PrintTo(const I4Case& c, std::ostream* os) { *os << '"' << c.text << '"'; }
};

class I4StrTest : public testing::TestWithParam<I4Case> {};

TEST_P(I4StrTest, RoundsAndChecksRange)
{
    const I4Case& c = GetParam();
    std::int32_t got = 0;
    EXPECT_EQ(errorOf([&] { got = runtime::I4Str(c.text); }), c.error);
    if (c.error == ok) {
        EXPECT_EQ(got, c.value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, I4StrTest,
    testing::Values(I4Case{"2.5", 2, ok}, I4Case{"3.5", 4, ok}, I4Case{"-2.5", -2, ok}, I4Case{"-3.5", -4, ok},
                    I4Case{"0.5", 0, ok}, I4Case{"1.5", 2, ok}, I4Case{"-0.5", 0, ok}, I4Case{"0.49999999999", 0, ok},
                    I4Case{"0.50000000001", 1, ok}, I4Case{"2.5000000000000000001", 3, ok},
                    I4Case{"2.4999999999999999999", 2, ok}, I4Case{"2.50000", 2, ok}, I4Case{"0.05", 0, ok},
                    I4Case{"0.6", 1, ok}, I4Case{"1E9", 1000000000, ok}, I4Case{"25E-1", 2, ok}, I4Case{"35E-1", 4, ok},
                    I4Case{"0.0000025E6", 2, ok}, I4Case{"  42  ", 42, ok}, I4Case{"-0", 0, ok},
                    I4Case{"000000000000000000001", 1, ok}, I4Case{"2147483647", 2147483647, ok},
                    I4Case{"2147483647.4", 2147483647, ok}, I4Case{"2147483647.5", 0, overflow},
                    I4Case{"2147483648", 0, overflow}, I4Case{"-2147483648", -2147483647 - 1, ok},
                    I4Case{"-2147483648.5", -2147483647 - 1, ok}, I4Case{"-2147483648.6", 0, overflow},
                    I4Case{"-2147483649", 0, overflow}, I4Case{"-2147483647.5", -2147483647 - 1, ok},
                    I4Case{"2147483646.5", 2147483646, ok}, I4Case{"9999999999", 0, overflow},
                    I4Case{"18446744073709551616", 0, overflow}, I4Case{"1E10", 0, overflow},
                    I4Case{"1E999999999", 0, overflow}, I4Case{"1E-999999999", 0, ok},
                    I4Case{"0E999999999999999999999", 0, ok}, I4Case{"1,5", 0, mismatch}));

// ---------------------------------------------------------------------------------------
// CyStr: four decimals, ties to even, range after rounding.

struct CyCase {
    std::string text;
    std::int64_t scaled;
    std::optional<ErrorNumber> error;
    friend void PrintTo(const CyCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }
};

class CyStrTest : public testing::TestWithParam<CyCase> {};

TEST_P(CyStrTest, RoundsAndChecksRange)
{
    const CyCase& c = GetParam();
    Currency got;
    EXPECT_EQ(errorOf([&] { got = runtime::CyStr(c.text); }), c.error);
    if (c.error == ok) {
        EXPECT_EQ(got.scaled(), c.scaled);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CyStrTest,
    testing::Values(CyCase{"2.75", 27500, ok}, CyCase{"-0.5", -5000, ok}, CyCase{"0.0001", 1, ok},
                    CyCase{"0.00005", 0, ok}, CyCase{"0.00015", 2, ok}, CyCase{"0.00025", 2, ok},
                    CyCase{"0.00035", 4, ok}, CyCase{"-0.00015", -2, ok}, CyCase{"0.00006", 1, ok},
                    CyCase{"0.00004", 0, ok}, CyCase{"0.000050000000000000001", 1, ok},
                    CyCase{"0.000049999999999999999", 0, ok}, CyCase{"1.23456", 12346, ok}, CyCase{"1E-4", 1, ok},
                    CyCase{"1.5E3", 15000000, ok}, CyCase{"123456789012345", 1234567890123450000, ok},
                    CyCase{"922337203685477.5807", cyMax, ok}, CyCase{"922337203685477.58074", cyMax, ok},
                    CyCase{"922337203685477.58075", 0, overflow}, CyCase{"922337203685477.5808", 0, overflow},
                    CyCase{"-922337203685477.5808", cyMin, ok}, CyCase{"-922337203685477.58085", cyMin, ok},
                    CyCase{"-922337203685477.580850001", 0, overflow}, CyCase{"-922337203685477.5809", 0, overflow},
                    CyCase{"922337203685478", 0, overflow}, CyCase{"1E15", 0, overflow},
                    CyCase{"99999999999999999999", 0, overflow}, CyCase{"1E999999999", 0, overflow},
                    CyCase{"1E-999999999", 0, ok}, CyCase{"-1E-5", 0, ok}));

// ---------------------------------------------------------------------------------------
// R8Str: the correctly rounded Double.

struct R8Case {
    std::string text;
    double value;
    std::optional<ErrorNumber> error;
};

std::string repeat(char c, std::size_t n)
{
    return std::string(n, c);
}

TEST(R8Str, NearestDouble)
{
    const double maxDouble = std::numeric_limits<double>::max();
    const double leastSubnormal = std::numeric_limits<double>::denorm_min();
    // 2^-1075, half the least subnormal, written out exactly (752 significant digits).
    const std::string halfLeast =
        "2.4703282292062327208828439643411068618252990130716238221279284125033775363510437593264991818081799618989"
        "8282347722858865463328355177969898199387398005390939063150356595155702263922908583924491051844359318028499"
        "3653615250031937045767824921936562366986365848075700158576926990370631192827955855133292783433840935197801"
        "5531246597263579574622766465272827220056374006485499977096599470454020828166226237857393450736339007967761"
        "9305775067401763246736009689513405355374585166611342237666786041621596804619144672918403005300575308490487"
        "6539171138659164623952491262365388187963623937328042389101867234849766823508986338858792562830275599565752"
        "4455507255189313690836254779186948667994968324049705821028513185451396213837722826145437693412532098591327"
        "667236328125E-324";
    // 2^1024 - 2^970, halfway from the largest Double to the next power of two.
    const std::string halfBeyondMax =
        "1797693134862315807937289714053034150799341327100378269361737789804449682927647509466490179775872070963302"
        "8641669288791094655554785194040263065748867150582068190890200070838367627385484581771153176447573027006985"
        "5571366959622842914819860834936475292719074168444365510704342711559699508093042880177904174497792";
    ASSERT_EQ(halfBeyondMax.size(), 309U);

    const std::vector<R8Case> cases = {
        {"0.1", 0.1, ok},
        {"-3.5", -3.5, ok},
        {".5", 0.5, ok},
        {"5.", 5.0, ok},
        {"1E3", 1000.0, ok},
        {"1e-3", 0.001, ok},
        {"0", 0.0, ok},
        {"-0", 0.0, ok},
        {"123456789012345678901234567890", 1.2345678901234568e29, ok},
        {"2.2250738585072011e-308", 2.2250738585072011e-308, ok},
        {"4.9406564584124654E-324", leastSubnormal, ok},
        // 2^53 + 1 is a tie: to the even neighbour, unless anything at all follows.
        {"9007199254740993", 9007199254740992.0, ok},
        {"9007199254740995", 9007199254740996.0, ok},
        {"9007199254740993.0000000000000000000001", 9007199254740994.0, ok},
        {"9007199254740993." + repeat('0', 1000), 9007199254740992.0, ok},
        {"9007199254740993." + repeat('0', 1000) + "1", 9007199254740994.0, ok},
        {"9007199254740992." + repeat('9', 1000), 9007199254740992.0, ok},
        {"1.7976931348623157E308", maxDouble, ok},
        {"1.7976931348623158E308", maxDouble, ok},
        {halfBeyondMax.substr(0, 305) + "E4", maxDouble, ok}, // just below halfway
        {halfBeyondMax, 0, overflow},                         // the tie goes to 2^1024
        {halfBeyondMax + ".000000000001", 0, overflow},
        {"1.8E308", 0, overflow},
        {"1E309", 0, overflow},
        {"-1E309", 0, overflow},
        {"0.1E310", 0, overflow},
        {"0.01E310", 1e308, ok},
        {"1E999999999", 0, overflow},
        {"1E" + repeat('9', 5000), 0, overflow},
        // Underflow is no error: the nearest subnormal or zero.
        {halfLeast, 0.0, ok},
        {halfLeast.substr(0, halfLeast.size() - 5) + "1E-324", leastSubnormal, ok},
        {"2.4703282292062327E-324", 0.0, ok},
        {"2.4703282292062328E-324", leastSubnormal, ok},
        {"7.4109846876186982E-324", 2 * leastSubnormal, ok}, // just above 1.5 units: up
        {"1E-400", 0.0, ok},
        {"-1E-400", 0.0, ok},
        {"1E-999999999", 0.0, ok},
        {"1E-" + repeat('9', 5000), 0.0, ok},
        {"0E999999999999999999999", 0.0, ok},
        {"0.000E" + repeat('9', 5000), 0.0, ok},
        // Long texts: the digits far out still count, and the answer is prompt.
        {"0." + repeat('0', 999999) + "1E1000000", 1.0, ok},
        {"1" + repeat('0', 999999) + "E-999999", 1.0, ok},
        {repeat('0', 1000000) + "2.5", 2.5, ok},
        {"0." + repeat('3', 1000000), 1.0 / 3.0, ok},
        {"1,25", 1.25, mismatch},
    };
    for (const R8Case& c : cases) {
        SCOPED_TRACE(c.text.size() > 80 ? c.text.substr(0, 80) + "..." : c.text);
        double got = -1;
        EXPECT_EQ(errorOf([&] { got = runtime::R8Str(c.text); }), c.error);
        if (c.error == ok) {
            EXPECT_EQ(got, c.value);
        }
    }
}

TEST(R8Str, NegativesMirrorPositives)
{
    for (const char* text : {"0.1", "9007199254740993", "4.9406564584124654E-324", "1.7976931348623157E308"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(runtime::R8Str(std::string("-") + text), -runtime::R8Str(text));
    }
}

TEST(R8Str, AgreesWithStrtodOnRandomTexts)
{
    // glibc's strtod is correctly rounded: an independent judge for texts with up to 40
    // digits and exponents that reach into the subnormal and overflow ranges.
    std::mt19937_64 random(20240611);
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        const int digits = 1 + static_cast<int>(random() % 40);
        for (int k = 0; k < digits; ++k)
            text += static_cast<char>('0' + random() % 10);
        if (random() % 2)
            text.insert(random() % text.size(), ".");
        text += "E" + std::to_string(static_cast<int>(random() % 700) - 350);
        SCOPED_TRACE(text);
        const double expected = std::strtod(text.c_str(), nullptr);
        if (std::isinf(expected)) {
            EXPECT_EQ(errorOf([&] { runtime::R8Str(text); }), overflow);
        } else {
            EXPECT_EQ(runtime::R8Str(text), expected);
        }
    }
}

// ---------------------------------------------------------------------------------------
// StrR8: 15 significant digits, notation decided after rounding.

struct StrR8Case {
    double value;
    const char* separator;
    const char* text;
    friend void PrintTo(const StrR8Case& c, std::ostream* os) { *os << '"' << c.text << '"'; }
};

class StrR8Test : public testing::TestWithParam<StrR8Case> {};

TEST_P(StrR8Test, Formats)
{
    EXPECT_EQ(runtime::StrR8(GetParam().value, GetParam().separator), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StrR8Test,
    testing::Values(StrR8Case{300, ".", "300"}, StrR8Case{2.0 / 3, ".", "0.666666666666667"},
                    StrR8Case{1e15, ".", "1E+15"}, StrR8Case{999999999999999.0, ".", "999999999999999"},
                    StrR8Case{999999999999999.5, ".", "1E+15"}, StrR8Case{std::nextafter(1e15, 0.0), ".", "1E+15"},
                    StrR8Case{500000000000000, ".", "500000000000000"},
                    StrR8Case{100000000000000.5, ".", "100000000000000"}, // tie at the 16th digit: to even
                    StrR8Case{100000000000001.5, ".", "100000000000002"}, StrR8Case{2147483647, ".", "2147483647"},
                    StrR8Case{6.875, ".", "6.875"}, StrR8Case{0.006875, ".", "0.006875"},
                    StrR8Case{47.0 / 14.7, ".", "3.19727891156463"}, StrR8Case{0.0001, ".", "0.0001"},
                    StrR8Case{std::nextafter(0.0001, 0.0), ".", "0.0001"}, StrR8Case{0.00001, ".", "1E-05"},
                    StrR8Case{0.000099999, ".", "9.9999E-05"}, StrR8Case{-0.0, ".", "0"}, StrR8Case{0.0, ".", "0"},
                    StrR8Case{-10, ".", "-10"}, StrR8Case{0.1, ".", "0.1"}, StrR8Case{-0.1, ".", "-0.1"},
                    StrR8Case{1.5e-5, ".", "1.5E-05"}, StrR8Case{-1.5e-5, ".", "-1.5E-05"},
                    StrR8Case{5e199, ".", "5E+199"}, StrR8Case{1.23456789012346e20, ".", "1.23456789012346E+20"},
                    StrR8Case{1e-300, ".", "1E-300"}, StrR8Case{1e300, ".", "1E+300"}, StrR8Case{1e100, ".", "1E+100"},
                    StrR8Case{123456789012345.0, ".", "123456789012345"},
                    StrR8Case{1234567890123456.0, ".", "1.23456789012346E+15"}, StrR8Case{0.1 + 0.2, ".", "0.3"},
                    StrR8Case{1.0 / 3, ".", "0.333333333333333"},
                    // At 1E-4 the fixed form holds up to 12 significant digits, then needs too many decimals.
                    StrR8Case{0.000123456789012, ".", "0.000123456789012"},
                    StrR8Case{0.0001234567890123, ".", "1.234567890123E-04"},
                    StrR8Case{0.000123456789012345, ".", "1.23456789012345E-04"},
                    StrR8Case{0.00123456789012345, ".", "1.23456789012345E-03"},
                    StrR8Case{0.00123456789012, ".", "0.00123456789012"},
                    StrR8Case{std::numeric_limits<double>::max(), ".", "1.79769313486232E+308"},
                    StrR8Case{std::numeric_limits<double>::denorm_min(), ".", "4.94065645841247E-324"},
                    StrR8Case{-std::numeric_limits<double>::min(), ".", "-2.2250738585072E-308"},
                    StrR8Case{6.875, ",", "6,875"}, StrR8Case{-0.5, ",", "-0,5"}, StrR8Case{1.5e-5, ",", "1,5E-05"},
                    StrR8Case{1e15, ",", "1E+15"}, StrR8Case{1234, ",", "1234"},
                    StrR8Case{2.5, "\xd9\xab",
                              "2\xd9\xab"
                              "5"}));

TEST(StrR8, NonFiniteIsSane)
{
    EXPECT_EQ(runtime::StrR8(std::numeric_limits<double>::quiet_NaN()), "NaN");
    EXPECT_EQ(runtime::StrR8(std::numeric_limits<double>::infinity()), "Inf");
    EXPECT_EQ(runtime::StrR8(-std::numeric_limits<double>::infinity()), "-Inf");
}

TEST(StrR8, FifteenDigitDecimalsComeBackDigitForDigit)
{
    // Any decimal of at most 15 significant digits survives the trip through a Double.
    std::mt19937_64 random(7);
    for (int i = 0; i < 20000; ++i) {
        std::string digits = std::to_string(100000000000000 + random() % 900000000000000);
        digits.erase(digits.size() - random() % 15);
        const int exponent = static_cast<int>(random() % 61) - 30;
        const std::string text = digits + "E" + std::to_string(exponent);
        SCOPED_TRACE(text);
        const double value = runtime::R8Str(text);
        const std::string shown = runtime::StrR8(value);
        EXPECT_EQ(runtime::R8Str(shown), value) << shown;
        std::string shownDigits;
        for (char c : shown.substr(0, shown.find('E')))
            if (c >= '0' && c <= '9')
                shownDigits += c;
        shownDigits.erase(0, shownDigits.find_first_not_of('0'));
        shownDigits.erase(shownDigits.find_last_not_of('0') + 1);
        digits.erase(digits.find_last_not_of('0') + 1);
        EXPECT_EQ(shownDigits, digits) << shown;
    }
}

// ---------------------------------------------------------------------------------------
// StrCy and the Currency arithmetic.

struct StrCyCase {
    std::int64_t scaled;
    const char* separator;
    const char* text;
};

TEST(StrCy, ExactAndPlain)
{
    const std::vector<StrCyCase> cases = {
        {27500, ".", "2.75"},
        {10000000, ".", "1000"},
        {1, ".", "0.0001"},
        {-5000, ".", "-0.5"},
        {-1, ".", "-0.0001"},
        {0, ".", "0"},
        {10010, ".", "1.001"},
        {1234567890123450000, ".", "123456789012345"},
        {cyMin, ".", "-922337203685477.5808"},
        {cyMax, ".", "922337203685477.5807"},
        {27500, ",", "2,75"},
        {cyMin, ",", "-922337203685477,5808"},
        {-10000, ",", "-1"},
    };
    for (const StrCyCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(runtime::StrCy(cy(c.scaled), c.separator), c.text);
        EXPECT_EQ(runtime::CyStr(c.text, c.separator).scaled(), c.scaled);
    }
}

struct CyBinaryCase {
    std::int64_t a;
    std::int64_t b;
    std::int64_t result;
    std::optional<ErrorNumber> error;
};

TEST(CyAdd, ExactWithinRange)
{
    const std::vector<CyBinaryCase> cases = {
        {1, 2, 3, ok},           {cyMax, 0, cyMax, ok},       {cyMax - 1, 1, cyMax, ok},
        {cyMax, 1, 0, overflow}, {cyMin, -1, 0, overflow},    {cyMin, cyMax, -1, ok},
        {cyMin, 0, cyMin, ok},   {cyMax, cyMax, 0, overflow}, {cyMin, cyMin, 0, overflow},
    };
    for (const CyBinaryCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.a) + " + " + std::to_string(c.b));
        Currency got;
        EXPECT_EQ(errorOf([&] { got = runtime::CyAdd(cy(c.a), cy(c.b)); }), c.error);
        if (c.error == ok) {
            EXPECT_EQ(got.scaled(), c.result);
        }
    }
}

TEST(CyMul, ExactProductRoundedToEven)
{
    const std::vector<CyBinaryCase> cases = {
        {15000, 15000, 22500, ok}, // 1.5 x 1.5
        {1, 5000, 0, ok},          // 0.00005: tie to 0
        {3, 5000, 2, ok},          // 0.00015: tie to 0.0002
        {5, 5000, 2, ok},          // 0.00025: tie to 0.0002
        {1, 5001, 1, ok},          // just above the tie
        {-3, 5000, -2, ok},
        {3, -5000, -2, ok},
        {-1, -5000, 0, ok},
        {1, 4999, 0, ok},
        {0, cyMin, 0, ok},
        {10000, cyMin, cyMin, ok}, // x 1
        {-10000, cyMax, -cyMax, ok},
        {-10000, cyMin, 0, overflow}, // -min does not exist
        {5000, cyMin, cyMin / 2, ok},
        {5000, cyMax, 4611686018427387904, ok},                // ...903.5: tie to even
        {5000, cyMax - 2, 4611686018427387902, ok},            // ...902.5
        {303700040000, 303700040000, 9223371429600160000, ok}, // 30370004^2
        {303700050000, 303700050000, 0, overflow},             // 30370005^2
        {cyMax, cyMax, 0, overflow},
        {cyMin, cyMin, 0, overflow},
        {20000, 4611686018427387904, 0, overflow},
        {-20000, 4611686018427387904, cyMin, ok},
    };
    for (const CyBinaryCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.a) + " x " + std::to_string(c.b));
        Currency got;
        EXPECT_EQ(errorOf([&] { got = runtime::CyMul(cy(c.a), cy(c.b)); }), c.error);
        if (c.error == ok) {
            EXPECT_EQ(got.scaled(), c.result);
        }
    }
}

TEST(R8Cy, NearestDouble)
{
    const std::vector<std::pair<std::int64_t, double>> cases = {
        {27500, 2.75},
        {1, 0.0001},
        {-1, -0.0001},
        {0, 0.0},
        {1000, 0.1},
        {std::int64_t{1} << 53, 900719925474.0992},
        {cyMax, 922337203685477.625},
        {cyMin, -922337203685477.625},
        // Beyond 2^53 converting the count first would round twice and miss these.
        {5258986265376043509, 525898626537604.4},
        {-591064915700530116, -59106491570053.01},
        {2465472999760127277, 246547299976012.72},
        {-2936778832763679545, -293677883276367.94},
        {6000012885340954297, 600001288534095.4},
    };
    for (const auto& [scaled, expected] : cases) {
        SCOPED_TRACE(scaled);
        EXPECT_EQ(runtime::R8Cy(cy(scaled)), expected);
    }
}

TEST(FpCy, ExactOnTheBinaryValue)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<CyCase> cases = {
        {"2.75", 27500, ok},
        {"0.1", 1000, ok},
        {"-0.1", -1000, ok},
        {"0.03125", 312, ok}, // 312.5 exactly: to even
        {"0.09375", 938, ok}, // 937.5
        {"0.15625", 1562, ok},
        {"-0.03125", -312, ok},
        {"-0.09375", -938, ok},
        // The Double nearest 0.00005 lies above it, the one nearest 0.00015 below: no ties.
        {"0.00005", 1, ok},
        {"0.00015", 1, ok},
        {"0.00025", 3, ok},
        {"0.00035", 3, ok},
        {"1.0005", 10005, ok},
        {"2.00015", 20002, ok},
        {"0.00004", 0, ok},
        {"1E-300", 0, ok},
        {"4.9406564584124654E-324", 0, ok},
        {"-0", 0, ok},
        {"922337203685477.5", 9223372036854775000, ok},
        {"-922337203685477.5", -9223372036854775000, ok},
        {"922337203685477.625", 0, overflow},
        {"-922337203685477.625", 0, overflow},
        {"1E15", 0, overflow},
        {"1E300", 0, overflow},
    };
    for (const CyCase& c : cases) {
        SCOPED_TRACE(c.text);
        const double value = std::strtod(c.text.c_str(), nullptr);
        Currency got;
        EXPECT_EQ(errorOf([&] { got = runtime::FpCy(value); }), c.error);
        if (c.error == ok) {
            EXPECT_EQ(got.scaled(), c.scaled);
        }
    }
    for (double value : {nan, inf, -inf}) {
        SCOPED_TRACE(value);
        EXPECT_EQ(errorOf([&] { runtime::FpCy(value); }), overflow);
    }
}

TEST(FpCy, UndoesR8Cy)
{
    // Below 2^52 ten-thousandths a Double is off by under 2^-15, far less than a
    // ten-thousandth, so the trip back must land on the same count.
    std::mt19937_64 random(11);
    for (int i = 0; i < 20000; ++i) {
        const auto scaled = static_cast<std::int64_t>(random() % (std::uint64_t{1} << 52)) * (i % 2 ? 1 : -1);
        SCOPED_TRACE(scaled);
        EXPECT_EQ(runtime::FpCy(runtime::R8Cy(cy(scaled))).scaled(), scaled);
    }
}

struct RoundCyCase {
    std::int64_t scaled;
    int decimals;
    std::int64_t result;
    std::optional<ErrorNumber> error;
};

TEST(RoundCy, TiesToEven)
{
    const std::vector<RoundCyCase> cases = {
        {25000, 0, 20000, ok},         {35000, 0, 40000, ok},
        {-25000, 0, -20000, ok},       {-35000, 0, -40000, ok},
        {25001, 0, 30000, ok},         {24999, 0, 20000, ok},
        {12345, 3, 12340, ok},         {12355, 3, 12360, ok},
        {12346, 3, 12350, ok},         {12345, 2, 12300, ok},
        {12350, 2, 12400, ok},         {12450, 2, 12400, ok},
        {12345, 1, 12000, ok},         {15000, 1, 15000, ok},
        {12345, 4, 12345, ok},         {cyMax, 4, cyMax, ok},
        {cyMin, 4, cyMin, ok},         {cyMax, 3, 0, overflow}, // ...477.581 is beyond the range
        {cyMax, 0, 0, overflow},       {cyMin, 0, 0, overflow},
        {cyMin, 3, 0, overflow},       {cyMax - 7, 3, cyMax - 7, ok},
        {cyMin + 8, 3, cyMin + 8, ok}, {-9223372036854770000, 0, -9223372036854770000, ok},
    };
    for (const RoundCyCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.scaled) + " to " + std::to_string(c.decimals));
        Currency got;
        EXPECT_EQ(errorOf([&] { got = runtime::RoundCy(cy(c.scaled), c.decimals); }), c.error);
        if (c.error == ok) {
            EXPECT_EQ(got.scaled(), c.result);
        }
    }
}

struct RoundR8Case {
    double value;
    int decimals;
    double result;
};

TEST(RoundR8, TiesToEvenOnTheBinaryValue)
{
    const std::vector<RoundR8Case> cases = {
        {0.125, 2, 0.12},
        {0.375, 2, 0.38},
        {-0.125, 2, -0.12},
        {2.5, 0, 2},
        {3.5, 0, 4},
        {-2.5, 0, -2},
        {0.5, 0, 0},
        {1.5, 0, 2},
        {1.25, 1, 1.2},
        {2.675, 2, 2.67}, // the Double lies below 2.675
        {1.005, 2, 1},
        {8.345, 2, 8.35}, // above
        {0.045, 2, 0.04},
        {1234.5678, 15, 1234.5678},
        {123456789012345.67, 1, 123456789012345.7},
        {2.5e-15, 15, 2e-15},
        {1e-20, 15, 0},
        {-0.4, 0, 0},
        {1000000000000000.5, 0, 1e15},
        {4503599627370495.5, 0, 4503599627370496.0},
        {1e16 + 2, 0, 1e16 + 2},
        {1e300, 2, 1e300},
        {-1e300, 15, -1e300},
        {9007199254740991.0, 0, 9007199254740991.0},
        {0.1 + 0.2, 15, 0.3},
        {2.0 / 3, 4, 0.6667},
    };
    for (const RoundR8Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.value) + " to " + std::to_string(c.decimals));
        EXPECT_EQ(runtime::RoundR8(c.value, c.decimals), c.result);
    }
}

// ---------------------------------------------------------------------------------------

TEST(Error, NumbersAndDescriptions)
{
    const std::vector<std::pair<runtime::ErrorNumber, std::string>> cases = {
        {runtime::ErrorNumber::Overflow, "Overflow"},
        {runtime::ErrorNumber::DivisionByZero, "Division by zero"},
        {runtime::ErrorNumber::TypeMismatch, "Type mismatch"},
    };
    for (const auto& [number, description] : cases) {
        const runtime::Error error(number);
        EXPECT_EQ(error.code(), number);
        EXPECT_EQ(error.description(), description);
        EXPECT_STREQ(error.what(), description.c_str());
    }
    EXPECT_EQ(runtime::Error(runtime::ErrorNumber::DivisionByZero).number(), 11);
    EXPECT_EQ(errorOf([] { runtime::raise(overflow); }), overflow);
}

} // namespace

// Plain texts are read by a one-pass road and the rest by the exact decimal; both must
// decide every boundary alike.
TEST(Conversions, PlainAndGeneralReadingsAgreeAtTheirBoundary)
{
    const struct {
        const char* plain;
        const char* general;
    } twins[] = {
        {"922337203685477", "922337203685477E0"},
        {"99999999999999.99995", "9999999999999999995E-5"},
        {"123456789012345678", "1.23456789012345678E17"},
        {"0.00005", "5E-5"},
        {"-0.00015", "-1.5E-4"},
        {"2147483647.5", "21474836475E-1"},
        {"-2147483648.5", "-21474836485E-1"},
        {"000000000000000000000001", "1E0"},
        {"1.2345678901234567890123456789", "12345678901234567890123456789E-28"},
    };
    for (const auto& t : twins) {
        SCOPED_TRACE(t.plain);
        EXPECT_EQ(errorOf([&] { runtime::I4Str(t.plain); }), errorOf([&] { runtime::I4Str(t.general); }));
        if (errorOf([&] { runtime::I4Str(t.plain); }) == ok) {
            EXPECT_EQ(runtime::I4Str(t.plain), runtime::I4Str(t.general));
        }
        EXPECT_EQ(errorOf([&] { runtime::CyStr(t.plain); }), errorOf([&] { runtime::CyStr(t.general); }));
        if (errorOf([&] { runtime::CyStr(t.plain); }) == ok) {
            EXPECT_EQ(runtime::CyStr(t.plain), runtime::CyStr(t.general));
        }
        EXPECT_EQ(runtime::R8Str(t.plain), runtime::R8Str(t.general));
    }
}
