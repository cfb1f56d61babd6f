// SPDX-License-Identifier: MIT
// The number kernel: the value parser and writer, exact fractions and the shortest decimal of a
// double. Tables name each case so a failure reads as a sentence.
#include "numeric/exact.h"
#include "numeric/format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>

namespace {

using namespace values;

Decimal d(std::int64_t mantissa, int exponent)
{
    return Decimal::of(mantissa, exponent);
}

// --- the parser ---

struct ParseCase {
    const char* name;
    const char* text;
    char separator;
    const char* expected; // "mantissa e exponent" as Decimal::of would take it, or nullptr
    Unit unit;
    const char* error; // a part of the message, when refused
};

std::ostream& operator<<(std::ostream& os, const ParseCase& c)
{
    return os << c.name;
}

class Parser : public testing::TestWithParam<ParseCase> {};

TEST_P(Parser, ReadsOrRefuses)
{
    const ParseCase& c = GetParam();
    const Parsed p = parse(c.text, c.separator);
    if (c.error == nullptr) {
        ASSERT_TRUE(p.value.has_value()) << p.error;
        long long m = 0;
        int e = 0;
        ASSERT_EQ(std::sscanf(c.expected, "%lld e %d", &m, &e), 2);
        EXPECT_EQ(*p.value, d(m, e));
        EXPECT_EQ(p.unit, c.unit);
    } else {
        EXPECT_FALSE(p.value.has_value());
        EXPECT_NE(p.error.find(c.error), std::string::npos) << p.error;
    }
}

INSTANTIATE_TEST_SUITE_P(
    FormsAndRefusals, Parser,
    testing::Values(
        ParseCase{"PlainInteger", "4700", '.', "47 e 2", Unit::None, nullptr},
        ParseCase{"PlainFraction", "0.1", '.', "1 e -1", Unit::None, nullptr},
        ParseCase{"Exponent", "1e3", '.', "1 e 3", Unit::None, nullptr},
        ParseCase{"UpperExponent", "1E-9", '.', "1 e -9", Unit::None, nullptr},
        ParseCase{"LocaleComma", "4,7k", ',', "47 e 2", Unit::None, nullptr},
        ParseCase{"PointBesideLocaleComma", "4.7k", ',', "47 e 2", Unit::None, nullptr},
        ParseCase{"Kilo", "4.7k", '.', "47 e 2", Unit::None, nullptr},
        ParseCase{"PrefixAfterBlank", "4.7 k", '.', "47 e 2", Unit::None, nullptr},
        ParseCase{"Nano", "100n", '.', "1 e -7", Unit::None, nullptr},
        ParseCase{"MicroU", "2.2u", '.', "22 e -7", Unit::None, nullptr},
        ParseCase{"MicroSign", "2.2\xC2\xB5", '.', "22 e -7", Unit::None, nullptr},
        ParseCase{"SmallMIsMilli", "3m", '.', "3 e -3", Unit::None, nullptr},
        ParseCase{"CapitalMIsMega", "3M", '.', "3 e 6", Unit::None, nullptr},
        ParseCase{"Pico", "1p", '.', "1 e -12", Unit::None, nullptr},
        ParseCase{"Giga", "1G", '.', "1 e 9", Unit::None, nullptr},
        ParseCase{"Tera", "1T", '.', "1 e 12", Unit::None, nullptr},
        ParseCase{"RkmLowerK", "4k7", '.', "47 e 2", Unit::None, nullptr},
        ParseCase{"RkmUpperK", "4K7", '.', "47 e 2", Unit::None, nullptr},
        ParseCase{"RkmR", "2R2", '.', "22 e -1", Unit::None, nullptr},
        ParseCase{"RkmLeadingR", "R47", '.', "47 e -2", Unit::None, nullptr},
        ParseCase{"RkmTrailingR", "470R", '.', "47 e 1", Unit::None, nullptr},
        ParseCase{"RkmMega", "1M0", '.', "1 e 6", Unit::None, nullptr},
        ParseCase{"RkmNano", "4n7", '.', "47 e -10", Unit::None, nullptr},
        ParseCase{"RkmLeadingPico", "p10", '.', "1 e -13", Unit::None, nullptr},
        ParseCase{"OhmSign", "4.7k\xCE\xA9", '.', "47 e 2", Unit::Ohm, nullptr},
        ParseCase{"OhmWord", "4k7 ohm", '.', "47 e 2", Unit::Ohm, nullptr},
        ParseCase{"OhmsWord", "10 ohms", '.', "1 e 1", Unit::Ohm, nullptr},
        ParseCase{"OhmWordCapitalised", "220 Ohm", '.', "22 e 1", Unit::Ohm, nullptr},
        ParseCase{"OhmsWordInCapitals", "4k7 OHMS", '.', "47 e 2", Unit::Ohm, nullptr},
        ParseCase{"Farad", "100nF", '.', "1 e -7", Unit::Farad, nullptr},
        ParseCase{"Volt", "5 V", '.', "5 e 0", Unit::Volt, nullptr},
        ParseCase{"Ampere", "20mA", '.', "2 e -2", Unit::Ampere, nullptr},
        ParseCase{"SmallestValue", "1e-15", '.', "1 e -15", Unit::None, nullptr},
        ParseCase{"LargestValue", "1000T", '.', "1 e 15", Unit::None, nullptr},
        ParseCase{"EighteenDigits", "1.23456789012345678", '.', "123456789012345678 e -17", Unit::None, nullptr},
        ParseCase{"TrailingZerosDoNotCount", "1000000000000000000000p", '.', "1 e 9", Unit::None, nullptr},
        ParseCase{"NotAValue", "4x7", '.', nullptr, Unit::None, "'4x7' is not a value: write 4.7k, 4k7 or 4700"},
        ParseCase{"RkmWithPoint", "4.7k7", '.', nullptr, Unit::None, "is not a value"},
        ParseCase{"RkmWithBlank", "4 k7", '.', nullptr, Unit::None, "is not a value"},
        ParseCase{"TwoPrefixes", "4kk", '.', nullptr, Unit::None, "is not a value"},
        ParseCase{"UnitAlone", "F", '.', nullptr, Unit::None, "is not a value"},
        ParseCase{"Empty", "  ", '.', nullptr, Unit::None, "Type a value"},
        ParseCase{"Zero", "0", '.', nullptr, Unit::None, "'0' is zero"},
        ParseCase{"ZeroWithPrefix", "0k0", '.', nullptr, Unit::None, "is zero"},
        ParseCase{"Negative", "-4.7k", '.', nullptr, Unit::None, "'-4.7k' is negative"},
        ParseCase{"TooSmall", "0.9e-15", '.', nullptr, Unit::None, "is too small"},
        ParseCase{"TooLarge", "1.1e15", '.', nullptr, Unit::None, "is too large"},
        ParseCase{"TooLargeInItsLeadingDigit", "5e15", '.', nullptr, Unit::None, "is too large"},
        ParseCase{"HugeExponent", "1e999999999", '.', nullptr, Unit::None, "is too large"},
        ParseCase{"TooManyDigits", "1.234567890123456789", '.', nullptr, Unit::None, "too many digits"}),
    [](const testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

TEST(Parse, TakesASuffixAndItsBlanksInEitherCaseWhereAsked)
{
    const struct {
        const char* text;
        const char* suffix;
        bool anyCase;
        const char* rest; // nullptr: not taken
    } cases[] = {{"12MIL", "mil", true, "12"},
                 {"20 °C", "°C", false, "20"},
                 {"20c", "C", false, nullptr},
                 {"mm", "mm", true, ""},
                 {"6 dB", "db", true, "6"}};
    for (const auto& c : cases) {
        std::string_view text = c.text;
        EXPECT_EQ(takeSuffix(text, c.suffix, c.anyCase), c.rest != nullptr) << c.text;
        EXPECT_EQ(text, c.rest ? c.rest : c.text) << c.text;
    }
}

TEST(Parse, SignedWholeAndPercentage)
{
    EXPECT_EQ(parseSigned("- 2.5").value, d(-25, -1));
    EXPECT_EQ(parseSigned("-0.0").value, Decimal{});
    EXPECT_EQ(parseSigned("-4x").error, "'-4x' is not a value: write 4.7k, 4k7 or 4700");
    EXPECT_EQ(parseWhole("1000", 1, 1000), 1000);
    for (const char* text : {"0", "1001", "1e1", "10 ", "+5", ""})
        EXPECT_FALSE(parseWhole(text, 1, 1000)) << text;
    EXPECT_EQ(parseTolerance("0,5 %", ','), d(5, -1));
    EXPECT_EQ(parseTolerance("0"), Decimal{});
    for (const char* text : {"100", "-1", "0 V", "5 V", "x%"})
        EXPECT_FALSE(parseTolerance(text)) << text;
}

// One rule for every figure people read (numeric/format.h): five significant digits, trailing
// zeros dropped, a tie rounded away from zero on the decimal the double stands for, no prefix on
// hertz below 1 or on decibels, a slow frequency with its period, what was typed in full.
struct Shown {
    const char* name;
    std::string written;
    const char* expected;
};

class ShownFigure : public testing::TestWithParam<Shown> {};

TEST_P(ShownFigure, FollowsTheOneRule)
{
    EXPECT_EQ(GetParam().written, GetParam().expected);
}

Decimal typed(const char* text)
{
    return *parse(text).value;
}

INSTANTIATE_TEST_SUITE_P(
    Format, ShownFigure,
    testing::Values(
        Shown{"five_digits_and_a_prefix", format(typed("5003.83")), "5.0038k"},
        Shown{"trailing_zeros_dropped", format(typed("4700")), "4.7k"},
        Shown{"a_tie_of_a_decimal_rounds_up", format(typed("1234.55")), "1.2346k"},
        Shown{"rounding_up_a_decade", format(typed("999.995")), "1k"},
        Shown{"micro", format(typed("2.2u")), "2.2\xC2\xB5"},
        Shown{"the_widest_prefixes", format(typed("1e-15")) + " " + format(typed("1e15")), "1f 1000T"},
        Shown{"typed_in_full", withUnit(typed("5.123456"), "V", allDigits), "5.123456 V"},
        Shown{"a_double_to_five_digits", figure(5.0 / 220, "A"), "22.727 mA"},
        Shown{"a_tie_rounds_on_the_decimal_not_the_binary", plain(0.250625), "0.25063"},
        Shown{"the_same_below_the_binary_tie", plain(2.00005), "2.0001"},
        Shown{"and_away_from_zero", plain(-2.00005), "-2.0001"},
        Shown{"plain_keeps_no_binary_noise", plain(0.000300386520833305), "0.00030039"},
        Shown{"plain_of_a_large_double", plain(1e23), "100000000000000000000000"},
        Shown{"millimetres_shifted_as_a_decimal", plain(approximate(scaled(2.50125e-3, 3))), "2.5013"},
        Shown{"hertz_below_one_with_the_period", figure(0.9935916259565863, "Hz"), "0.99359 Hz (period 1.0064 s)"},
        Shown{"hertz_that_round_to_one", figure(0.999996, "Hz"), "1 Hz"},
        Shown{"hertz_above_one_take_a_prefix", figure(159154.94309189534, "Hz"), "159.15 kHz"},
        Shown{"typed_hertz_below_one", withUnit(typed("0.5"), "Hz", allDigits), "0.5 Hz"},
        Shown{"decibels_never_take_a_prefix", withUnit(typed("0.001"), "dB", allDigits), "0.001 dB"},
        Shown{"nor_large_ones", figure(137.28401, "dB") + ", " + withUnit(typed("1500"), "dB"), "137.28 dB, 1500 dB"},
        Shown{"ohms_as_any_other_figure", figure(150.47602375372452, "Ω") + ", " + figure(29997.0, "Ω"),
              "150.48 Ω, 29.997 kΩ"},
        Shown{"zero", figure(0, "V"), "0 V"}),
    [](const testing::TestParamInfo<Shown>& info) { return std::string(info.param.name); });

TEST(Format, RkmCodes)
{
    struct Case {
        const char* value;
        Unit unit;
        const char* rkm;
    } const cases[] = {{"4.7k", Unit::Ohm, "4K7"},   {"2.2", Unit::Ohm, "2R2"},    {"0.47", Unit::Ohm, "R47"},
                       {"470", Unit::Ohm, "470R"},   {"1M", Unit::Ohm, "1M0"},     {"10k", Unit::Ohm, "10K"},
                       {"4.7n", Unit::Farad, "4n7"}, {"0.1p", Unit::Farad, "p10"}, {"100n", Unit::Farad, "100n"},
                       {"1n", Unit::Farad, "1n0"},   {"1.2345k", Unit::Ohm, ""}};
    for (const Case& c : cases)
        EXPECT_EQ(formatRkm(*parse(c.value).value, c.unit), c.rkm) << c.value;
}

TEST(Format, PrefixAndRkmReadBack)
{
    // The property the fuzzer checks, on a fixed sample so a plain test run covers it too.
    std::mt19937_64 random(7);
    for (int i = 0; i < 20000; ++i) {
        const Decimal value =
            Decimal::of(static_cast<std::int64_t>(random() % 9999 + 1), static_cast<int>(random() % 28) - 15);
        if (value < Decimal::of(1, -15) || Decimal::of(1, 15) < value)
            continue;
        EXPECT_EQ(parse(format(value)).value, value) << format(value);
        for (const Unit unit : {Unit::Ohm, Unit::Farad}) {
            const std::string rkm = formatRkm(value, unit);
            if (!rkm.empty()) {
                EXPECT_EQ(parse(rkm).value, value) << rkm;
            }
        }
    }
}

// IEEE division and square root round correctly, so on integers a double holds exactly they
// are the oracle for the nearest double of an exact quotient or root.
TEST(Exact, NearestDoubleMatchesCorrectlyRoundedDivisionAndRoot)
{
    std::mt19937_64 random(7);
    std::uniform_int_distribution<std::uint64_t> any(1, (std::uint64_t(1) << 53) - 1);
    for (int i = 0; i < 2000; ++i) {
        const std::uint64_t a = any(random) >> (i % 50);
        const std::uint64_t b = any(random) >> (i % 37);
        const Exact q = Exact::of(a) / Exact::of(b);
        EXPECT_EQ(q.toDouble(), static_cast<double>(a) / static_cast<double>(b)) << a << " / " << b;
        EXPECT_EQ(Exact::of(a).sqrtToDouble(), std::sqrt(static_cast<double>(a))) << a;
    }
}

TEST(Exact, RoundsRootsToTheDigitsShown)
{
    EXPECT_EQ(Exact::of(2).sqrtRounded(10), d(1414213562, -9));
    EXPECT_FALSE(Exact::of(2).sqrtIsDecimal(10));
    EXPECT_EQ(Exact::of(d(225, -2)).sqrtRounded(1), d(2, 0)); // 1.5, half away from zero
    EXPECT_EQ(Exact::of(d(225, -2)).sqrtRounded(2), d(15, -1));
    EXPECT_TRUE(Exact::of(d(225, -2)).sqrtIsDecimal(2));
    EXPECT_EQ(Exact::of(d(1, -30)).sqrtRounded(3), d(1, -15));
    EXPECT_EQ(Exact::of(d(99999999, 0)).sqrtRounded(4), d(1, 4)); // 9999.99995 rounds up a decade
}

TEST(Exact, ShortestTextReadsBackAsTheSameDouble)
{
    EXPECT_EQ(shortest(0.1), d(1, -1));
    EXPECT_EQ(shortest(5.0 / 220), d(22727272727272728, -18));
    EXPECT_EQ(shortest(300), d(3, 2));
    EXPECT_EQ(shortest(-2.5e-20), d(-25, -21));
    EXPECT_EQ(shortest(NAN), Decimal{});
    EXPECT_EQ(shortest(INFINITY), Decimal{});
    EXPECT_EQ(shortest(-INFINITY), Decimal{});
}

} // namespace
