// SPDX-License-Identifier: MIT
// The answers at the ends: deviations too small or too large for two decimals, values at 1e-15
// and 1e15, JSON at full double precision, targets beyond the parts, and the command line's
// refusals, escapes and write failures.
#include "cli/cli.h"
#include "cli/divider.h"
#include "cli/json.h"
#include "cli/markings.h"
#include "cli/standard.h"
#include "numeric/big.h"
#include "numeric/format.h"
#include "values/dividerdesign.h"
#include "values/networks.h"
#include "values/series.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

using namespace values;

namespace {

Decimal v(const char* text)
{
    return parse(text).value.value();
}

struct Shown {
    const char* name;
    const char* value;
    const char* target;
    const char* text;
};

class DeviationShown : public testing::TestWithParam<Shown> {};

TEST_P(DeviationShown, AsTheTableAndWindowWriteIt)
{
    EXPECT_EQ(deviation(v(GetParam().value), v(GetParam().target)).text(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Deviations, DeviationShown,
                         testing::Values(Shown{"a_small_miss_keeps_two_significant_digits", "1.00000045", "1",
                                               "+0.000045 %"},
                                         Shown{"trailing_zeros_dropped", "0.999997", "1", "-0.0003 %"},
                                         Shown{"a_half_rounds_away_from_zero", "1.000000125", "1", "+0.000013 %"},
                                         Shown{"just_below_the_two_decimals", "1.0000499", "1", "+0.005 %"},
                                         Shown{"two_decimals_from_0_005", "1.00005", "1", "+0.01 %"},
                                         Shown{"a_million_percent_in_three_digits", "12346.6767", "1", "+1.23e6 %"},
                                         Shown{"from_a_petaohm_to_a_femtoohm", "1e15", "1e-15", "+1e32 %"},
                                         Shown{"exact_only_when_exact", "4.7k", "4700", "exact"}),
                         [](const testing::TestParamInfo<Shown>& info) { return std::string(info.param.name); });

TEST(NearestDouble, LiesWithinHalfAnUlpOfTheExactQuotient)
{
    using detail::Big;
    std::mt19937_64 random(11);
    for (int round = 0; round < 2000; ++round) {
        const Big num = Big(random() >> (random() % 64)) * Big::pow10(static_cast<int>(random() % 30));
        const Big den = Big((random() >> (random() % 64)) | 1) * Big::pow10(static_cast<int>(random() % 30));
        if (num.isZero())
            continue;
        const double d = detail::nearestDouble(num, den);
        int e = 0;
        const double fraction = std::frexp(d, &e);
        const auto m = static_cast<std::uint64_t>(std::ldexp(fraction, 53)); // d = m 2^(e - 53)
        const int half = e - 54;                                             // the midpoints are (2m -+ 1) 2^half
        const Big lhs = half >= 0 ? num : num * Big::pow2(-half);
        const Big scale = half >= 0 ? den * Big::pow2(half) : den;
        EXPECT_LE(Big(2 * m - 1) * scale, lhs) << "round " << round;
        EXPECT_GE(Big(2 * m + 1) * scale, lhs) << "round " << round;
    }
}

TEST(Json, NumbersAreTheShortestTextOfTheNearestDouble)
{
    EXPECT_EQ(cli::jsonNumber(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(cli::jsonNumber(-1.192031523565026e-5), "-1.192031523565026e-5");
    EXPECT_EQ(cli::jsonNumber(Decimal::of(1, -15)), "1e-15");
    EXPECT_EQ(cli::jsonNumber(Decimal::of(123456789012345678, 0)), "1.2345678901234568e17");
    EXPECT_EQ(cli::jsonNumber(Decimal::of(999999999999999999, -3)), "1000000000000000");
}

TEST(Prefixes, ReadAndWrittenTheSameFromFemtoToTera)
{
    const char* const written[] = {"1f", "1p", "1n", "1\xC2\xB5", "1m", "1", "1k", "1M", "1G", "1T"};
    for (int i = 0; i < 10; ++i) {
        const Decimal value = Decimal::of(1, 3 * i - 15);
        EXPECT_EQ(format(value), written[i]);
        EXPECT_EQ(parse(written[i]).value, value) << written[i];
    }
    EXPECT_EQ(parse("4f7").value, Decimal::of(47, -16));
    EXPECT_EQ(parse("2.2 fF").unit, Unit::Farad);
}

TEST(DividerDesign, WithOneResistorFixedPicksTheBestOther)
{
    // The twin: every pair of the parts and the fixed value, kept where the fixed one sits.
    std::mt19937 random(5);
    for (int round = 0; round < 200; ++round) {
        std::vector<Part> parts;
        parts.reserve(8);
        for (int i = 0; i < 8; ++i)
            parts.push_back({Decimal::of(static_cast<std::int64_t>(random() % 900 + 100), 0), Part::unlimited});
        const Decimal fixed = Decimal::of(static_cast<std::int64_t>(random() % 900 + 100), 0);
        const bool top = round % 2 == 0;
        const DividerGoal goal = round % 3 ? DividerGoal{DividerMode::Output, v("5"), v("3.3")}
                                           : DividerGoal{DividerMode::Feedback, v("0.8"), v("3.3")};
        DividerOptions options;
        options.lo = v("1");
        options.hi = v("1k");
        options.top = 3;
        (top ? options.fixedR1 : options.fixedR2) = fixed;
        const auto found = designDivider(goal, parts, options);

        DividerOptions every = options;
        every.fixedR1.reset();
        every.fixedR2.reset();
        every.top = 1000;
        std::vector<Part> withFixed = parts;
        withFixed.push_back({fixed, Part::unlimited});
        std::vector<DividerPair> expected;
        for (const DividerPair& p : designDividerBruteForce(goal, withFixed, every)) {
            const Decimal& other = top ? p.r2 : p.r1;
            const bool fromParts =
                std::any_of(parts.begin(), parts.end(), [&](const Part& part) { return part.value == other; });
            if ((top ? p.r1 : p.r2) == fixed && fromParts && expected.size() < 3)
                expected.push_back(p);
        }
        ASSERT_EQ(found.size(), expected.size()) << "round " << round;
        for (std::size_t i = 0; i < found.size(); ++i) {
            EXPECT_EQ(found[i].r1, expected[i].r1) << "round " << round << ", row " << i;
            EXPECT_EQ(found[i].r2, expected[i].r2) << "round " << round << ", row " << i;
        }
    }
}

TEST(DividerDesign, FeedbackCurrentIsVrefOverR2)
{
    DividerOptions options;
    options.lo = v("3.57k");
    options.hi = v("3.57k");
    options.fixedR2 = v("1.15k");
    const auto pairs =
        designDivider({DividerMode::Feedback, v("0.8"), v("3.3")}, std::vector<Part>{{v("3.57k"), 1}}, options);
    ASSERT_EQ(pairs.size(), 1U);
    EXPECT_EQ(pairs[0].currentA, 0.8 / 1150);
}

TEST(NetworkReach, BelowOrAboveExactlyWhenEveryNetworkLiesOnOneSide)
{
    std::mt19937 random(3);
    for (int round = 0; round < 300; ++round) {
        std::vector<Part> parts;
        const int n = static_cast<int>(random() % 4 + 1);
        parts.reserve(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i)
            parts.push_back(
                {Decimal::of(static_cast<std::int64_t>(random() % 90 + 10), 0), static_cast<int>(random() % 3 + 1)});
        SearchOptions options;
        options.kind = round % 2 ? Kind::Capacitor : Kind::Resistor;
        options.maxParts = static_cast<int>(random() % 3 + 1);
        options.top = 100000;
        const Decimal target = Decimal::of(static_cast<std::int64_t>(random() % 4000 + 1), -1);
        const SearchResult all = findNetworksBruteForce(target, parts, options);
        const bool allAbove = std::all_of(all.networks.begin(), all.networks.end(),
                                          [](const Network& w) { return !w.deviation.below && !w.deviation.exact; });
        const bool allBelow =
            std::all_of(all.networks.begin(), all.networks.end(), [](const Network& w) { return w.deviation.below; });
        const Reach reach = networkReach(target, parts, options);
        EXPECT_EQ(reach.side == Reach::Side::Below, allAbove) << "round " << round;
        EXPECT_EQ(reach.side == Reach::Side::Above, allBelow) << "round " << round;
    }
}

struct Printed {
    int status;
    std::string out;
    std::string err;
};

// The commands these tests call, as the program lists them.
std::vector<cli::Command> commands()
{
    std::vector<cli::Command> all;
    for (const auto list : {cli::standardCommands(), cli::markingsCommands(), cli::dividerCommands()})
        all.insert(all.end(), list.begin(), list.end());
    return all;
}

Printed run(const std::vector<std::string>& args)
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::run(args, commands(), out, err);
    return {status, out.str(), err.str()};
}

struct Answer {
    const char* name;
    std::vector<std::string> args;
    int status;
    const char* out; // a part of standard output
    const char* err; // a part of standard error
};

class CommandAtTheEdge : public testing::TestWithParam<Answer> {};

TEST_P(CommandAtTheEdge, Answers)
{
    const Answer& a = GetParam();
    const Printed p = run(a.args);
    EXPECT_EQ(p.status, a.status) << p.err;
    EXPECT_NE(p.out.find(a.out), std::string::npos) << p.out;
    EXPECT_NE(p.err.find(a.err), std::string::npos) << p.err;
}

INSTANTIATE_TEST_SUITE_P(
    Edges, CommandAtTheEdge,
    testing::Values(
        Answer{"combine_json_keeps_a_tiny_miss",
               {"combine", "2718", "--series", "E12", "--parts", "3", "--json"},
               0,
               "{\"network\": \"2.7k + (1M || 18)\", \"value_ohm\": 2717.999676005832, \"error_pct\": "
               "-1.192031523565026e-5, \"exact\": false",
               ""},
        Answer{"nearest_json_at_full_precision",
               {"nearest", "4950", "--series", "E96", "--json"},
               0,
               "\"error_pct\": 0.8080808080808081",
               ""},
        Answer{"combine_table_ranks_small_misses",
               {"combine", "7777"},
               0,
               "36k || (9.1k + 820)     7.777k  +0.000045 %",
               ""},
        Answer{"combine_far_below_its_parts", {"combine", "1e-15"}, 0, "3.3333  +3.33e17 %", ""},
        Answer{
            "combine_json_far_below_its_parts",
            {"combine", "1e-15", "--json"},
            0,
            "\"reach\": \"below\", \"reach_limit_ohm\": 3.3333333333333335, \"networks\": [{\"network\": \"10 || 10 || "
            "10\", \"value_ohm\": "
            "3.3333333333333335, \"error_pct\": 3.3333333333333325e17",
            ""},
        Answer{"combine_says_when_out_of_reach",
               {"combine", "5G"},
               0,
               "Out of reach: networks of these parts go no higher than 3 MΩ",
               ""},
        Answer{"divider_json_without_overflow",
               {"divider", "--vin", "1e15", "--vout", "1e-15", "--json", "--top", "1"},
               0,
               "\"error_pct\": 9.99000999000999e28",
               ""},
        Answer{"divider_table_without_overflow", {"divider", "--vin", "1e15", "--vout", "1e-15"}, 0, "+9.99e28 %", ""},
        Answer{"divider_vout_of_a_picovolt",
               {"divider", "--vref", "1e-15", "--vout", "1e15", "--top", "1"},
               0,
               "1 MΩ  1 kΩ  1.001 pV",
               ""},
        Answer{"divider_says_when_out_of_reach",
               {"divider", "--vref", "1e-15", "--vout", "1e15"},
               0,
               "Out of reach: pairs of these parts give V out no higher than 1.001 pV",
               ""},
        Answer{"feedback_current_is_vref_over_r2",
               {"divider", "--vref", "0.8", "--vout", "3.3", "--series", "E96", "--range", "1k..100k", "--top", "1"},
               0,
               "3.57 kΩ  1.15 kΩ  3.2835 V    -0.50 %  3.2343 V  3.3336 V  695.65 µA",
               ""},
        Answer{"divider_with_r2_fixed",
               {"divider", "--vin", "5", "--vout", "3.3", "--r2", "10k", "--top", "1"},
               0,
               "5.11 kΩ  10 kΩ  3.3091 V",
               ""},
        Answer{"divider_with_r1_fixed",
               {"divider", "--vin", "5", "--vout", "3.3", "--r1", "10k", "--top", "1", "--series", "E24"},
               0,
               "10 kΩ  20 kΩ  3.3333 V",
               ""},
        Answer{"divider_tolerance_zero_written_with_a_point",
               {"divider", "--vin", "5", "--vout", "3.3", "--tolerance", "0.0", "--top", "1"},
               0,
               "0 % parts",
               ""},
        Answer{"femto_read", {"read", "4f7"}, 0, "4.7 fF", ""},
        Answer{"femto_written", {"nearest", "1e-15", "--series", "E3"}, 0, "Target 1f", ""},
        Answer{"range_with_three_dots",
               {"combine", "5k", "--range", "10...1M"},
               2,
               "",
               "--range: '10...1M' is not a range"},
        Answer{"range_with_two_ranges", {"combine", "5k", "--range", "1..2..3"}, 2, "", "is not a range"},
        Answer{"range_without_an_end",
               {"divider", "--vin", "5", "--vout", "3.3", "--range", "1k.."},
               2,
               "",
               "--range: '1k..' is not a range"},
        Answer{"combine_of_volts", {"combine", "5V"}, 2, "", "'5V' is a voltage, not a resistance"},
        Answer{"combine_of_farads_without_the_flag", {"combine", "5kF"}, 2, "", "add --capacitor"},
        Answer{"combine_range_in_the_wrong_unit",
               {"combine", "5n", "--capacitor", "--range", "1p..1kΩ"},
               2,
               "",
               "not a capacitance"},
        Answer{"mark_tolerance_beyond_100", {"mark", "4k7", "--tolerance", "1e9"}, 2, "", "--tolerance: '1e9'"},
        Answer{"read_beyond_1e15", {"read", "999999999999999999T"}, 2, "", "too large"},
        Answer{"both_resistors_fixed",
               {"divider", "--vin", "5", "--vout", "3.3", "--r1", "1k", "--r2", "1k"},
               2,
               "",
               "--r2"},
        Answer{"escape_sequences_shown_escaped", {"nearest", "\x1b[2J"}, 2, "", "'\\x1b[2J'"}),
    [](const testing::TestParamInfo<Answer>& info) { return std::string(info.param.name); });

TEST(CommandLine, NoRawControlCharacterReachesTheTerminal)
{
    const std::string path = testing::TempDir() + "voltiva_escape.txt";
    std::ofstream(path) << "10k\n\x1b[2J\x07\n\xC2\x9b"
                           "31m\n";
    const Printed file = run({"combine", "5k", "--stock", path});
    std::remove(path.c_str());
    const Printed argument = run({"read", "\x1b[31m", "\x7f"});
    for (const std::string& err : {file.err, argument.err}) {
        EXPECT_FALSE(err.empty());
        EXPECT_TRUE(std::none_of(err.begin(), err.end(), [](char c) {
            const auto b = static_cast<unsigned char>(c);
            return (b < 0x20 && b != '\n') || b == 0x7f || b == 0x9b;
        })) << err;
    }
    EXPECT_NE(file.err.find("\\x1b[2J\\x07"), std::string::npos) << file.err;
    EXPECT_NE(file.err.find("\\xc2\\x9b"), std::string::npos) << file.err;
    EXPECT_EQ(cli::printable("4.7 kΩ µ"), "4.7 kΩ µ") << "UTF-8 passes";
}

TEST(CommandLine, BidirectionalControlsAreShownEscaped)
{
    const struct {
        const char* raw;
        const char* shown;
    } cases[] = {
        {"\xD8\x9C", "\\u061c"},     {"\xE2\x80\x8E", "\\u200e"},      {"\xE2\x80\x8F", "\\u200f"},
        {"\xE2\x80\xAA", "\\u202a"}, {"\xE2\x80\xAE", "\\u202e"},      {"\xE2\x81\xA6", "\\u2066"},
        {"\xE2\x81\xA9", "\\u2069"}, {"\xE2\x80\xAF", "\xE2\x80\xAF"}, // a narrow no-break space passes
    };
    for (const auto& c : cases)
        EXPECT_EQ(cli::printable(std::string("5k") + c.raw + "7"), std::string("5k") + c.shown + "7") << c.shown;
    EXPECT_NE(run({"nearest", "5k\xE2\x80\xAE"}).err.find("'5k\\u202e'"), std::string::npos);
}

// Refuses every write, as a full disk does.
class FullDisk : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

// In a child, as the program runs: standard output a pipe nobody reads any more.
TEST(CommandLine, AClosedPipeIsAFailedWriteNotASignal)
{
    int output[2];
    int errors[2];
    ASSERT_EQ(pipe(output), 0);
    ASSERT_EQ(pipe(errors), 0);
    close(output[0]);
    std::fflush(stdout);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        dup2(output[1], STDOUT_FILENO);
        dup2(errors[1], STDERR_FILENO);
        _exit(cli::runOnStandardStreams({"nearest", "5k"}, commands()));
    }
    close(output[1]);
    close(errors[1]);
    std::string err;
    char buffer[256];
    for (ssize_t n = 0; (n = read(errors[0], buffer, sizeof buffer)) > 0;)
        err.append(buffer, static_cast<std::size_t>(n));
    close(errors[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), cli::exitFailure);
    EXPECT_NE(err.find("cannot write"), std::string::npos) << err;
}

TEST(CommandLine, AFailedWriteIsAnErrorForEveryCommand)
{
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"nearest", "5k"}, {"read", "472"}, {"divider", "--vin", "5", "--vout", "3.3"}, {"--version"}}) {
        FullDisk disk;
        std::ostream out(&disk);
        std::ostringstream err;
        EXPECT_EQ(cli::run(args, commands(), out, err), cli::exitFailure) << args.front();
        EXPECT_NE(err.str().find("cannot write"), std::string::npos) << args.front();
    }
}

} // namespace
