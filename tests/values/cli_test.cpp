// SPDX-License-Identifier: MIT
// The command line as a user sees it: its JSON and plain output for the worked examples, and
// exit status 2 with one line naming the argument for bad input.
#include "cli/cli.h"
#include "cli/json.h"
#include "cli/standard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome run(const std::vector<std::string>& args)
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::run(args, cli::standardCommands(), out, err);
    return {status, out.str(), err.str()};
}

TEST(Cli, NearestJsonForOneSeries)
{
    const Outcome o = run({"nearest", "5k", "--series", "E24", "--json"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out,
              "{\"target\": 5000, \"series\": [{\"name\": \"E24\", \"nearest\": 5100, \"error_pct\": 2.0, "
              "\"below\": 4700, \"above\": 5100, \"exact\": false}]}\n");
    EXPECT_EQ(o.err, "");
}

TEST(Cli, NearestPlainListsEverySeriesAligned)
{
    const Outcome o = run({"nearest", "4990"});
    EXPECT_EQ(o.status, 0);
    std::istringstream lines(o.out);
    std::string line;
    std::vector<std::string> all;
    while (std::getline(lines, line))
        all.push_back(line);
    ASSERT_EQ(all.size(), 9U); // target, header, E3 ... E192
    EXPECT_EQ(all[0], "Target 4.99k");
    EXPECT_EQ(all[7].rfind("E96 ", 0), 0U);
    EXPECT_NE(all[7].find("exact"), std::string::npos);
    EXPECT_NE(all[7].find("yes"), std::string::npos);
    // Aligned: the deviation column ends at the same place on every row.
    const std::size_t end = all[1].find("deviation") + std::string("deviation").size();
    for (std::size_t i = 2; i < all.size(); ++i)
        EXPECT_EQ(all[i][end - 1], all[i][end - 1] == 't' ? 't' : '%') << all[i];
}

TEST(Cli, CombineJson)
{
    const Outcome o = run({"combine", "5k", "--parts", "2", "--top", "1", "--json"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out,
              "{\"target_ohm\": 5000, \"reach\": \"within\", \"reach_limit_ohm\": null, \"networks\": [{\"network\": "
              "\"10k || 10k\", \"value_ohm\": 5000, \"error_pct\": 0.0, \"exact\": true, \"parts\": 2}]}\n");
}

TEST(Cli, CombineCapacitorsInFarads)
{
    const Outcome o = run({"combine", "147nF", "--capacitor", "--parts", "2", "--top", "1", "--json"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out,
              "{\"target_f\": 1.47e-7, \"reach\": \"within\", \"reach_limit_f\": null, \"networks\": [{\"network\": "
              "\"100n || 47n\", \"value_f\": 1.47e-7, \"error_pct\": 0.0, \"exact\": true, \"parts\": 2}]}\n");
}

TEST(Cli, CombineReachLimitHasFullPrecision)
{
    const Outcome o = run({"combine", "1f", "--json"});
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out.rfind("{\"target_ohm\": 1e-15, \"reach\": \"below\", \"reach_limit_ohm\": 3.3333333333333335, ", 0),
              0U)
        << o.out;
}

TEST(Cli, CombinePlain)
{
    const Outcome o = run({"combine", "1234", "--series", "E12", "--top", "2"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out,
              "Target 1.234k\n"
              "network             value  deviation\n"
              "1.2k + (68 || 68)  1.234k      exact\n"
              "1.2k + 22 + 12     1.234k      exact\n");
}

TEST(Cli, CombineFromAStockFileLeavesOutBadLines)
{
    const std::string path = testing::TempDir() + "voltiva_stock.txt";
    std::ofstream(path) << "10k x2\nfoo\n";
    const Outcome o = run({"combine", "5k", "--stock", path, "--top", "1"});
    std::remove(path.c_str());
    EXPECT_EQ(o.status, 0);
    EXPECT_NE(o.out.find("10k || 10k"), std::string::npos);
    EXPECT_NE(o.err.find("line 2"), std::string::npos);
}

TEST(Cli, BadInputNamesTheArgumentAndExitsTwo)
{
    struct Case {
        std::vector<std::string> args;
        const char* named;
    } const cases[] = {
        {{"nearest", "4x7"}, "'4x7'"},
        {{"nearest", "0"}, "'0'"},
        {{"nearest", "5k", "--series", "E7"}, "'E7'"},
        {{"combine", "5k", "--parts", "5"}, "--parts"},
        {{"combine", "5k", "--range", "1M..10"}, "--range"},
        {{"combine", "5k", "--sereis", "E3"}, "--sereis"},
        {{"combine", "5k", "--stock", "/nonexistent/parts.txt"}, "/nonexistent/parts.txt"},
        {{"combine"}, "target"},
        {{"frobnicate"}, "'frobnicate'"},
    };
    for (const Case& c : cases) {
        const Outcome o = run(c.args);
        EXPECT_EQ(o.status, 2) << c.named;
        EXPECT_EQ(o.out, "") << c.named;
        EXPECT_NE(o.err.find(c.named), std::string::npos) << o.err;
        EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << o.err;
    }
}

TEST(Cli, HelpVersionAndWhoGetsTheCommandLine)
{
    EXPECT_NE(run({"--help"}).out.find("combine VALUE"), std::string::npos);
    EXPECT_EQ(run({"--version"}).out.rfind("voltiva ", 0), 0U);
    EXPECT_TRUE(cli::isCommandLine({"nearest", "5k"}));
    EXPECT_TRUE(cli::isCommandLine({"--version"}));
    EXPECT_FALSE(cli::isCommandLine({}));
    EXPECT_FALSE(cli::isCommandLine({"-platform", "offscreen"}));
    EXPECT_TRUE(cli::isCommandLine({"nearst", "5k"})); // answered with the list of commands
}

TEST(Cli, WindowsTakeQtsOwnOptionsAndNothingElse)
{
    const std::vector<std::vector<std::string>> taken{
        {},
        {"-platform", "offscreen"},
        {"--platform", "xcb", "-display", ":0"},
        {"-style=fusion", "-reverse"},
        {"-style", "fusion", "-geometry", "300x200", "-qwindowgeometry", "300x200+0+0", "-widgetcount"}};
    for (const auto& args : taken)
        EXPECT_EQ(cli::windowsArgumentsError(args), std::nullopt) << args.size();
    const struct {
        std::vector<std::string> args;
        const char* refusal;
    } refused[] = {
        {{"--bogus"}, "unknown option '--bogus'"},        {{"-platform", "offscreen", "-x"}, "unknown option '-x'"},
        {{"-reverse=1"}, "unknown option '-reverse=1'"},  {{"-display"}, "option '-display' needs a value"},
        {{"-reverse", "5k"}, "unexpected argument '5k'"},
    };
    for (const auto& r : refused)
        EXPECT_EQ(cli::windowsArgumentsError(r.args).value_or("").rfind(r.refusal, 0), 0U) << r.refusal;
}

TEST(Json, NumbersAreExactDecimals)
{
    using values::Decimal;
    EXPECT_EQ(cli::jsonNumber(Decimal::of(47, -10)), "4.7e-9");
    EXPECT_EQ(cli::jsonNumber(Decimal::of(5, 3)), "5000");
    EXPECT_EQ(cli::jsonNumber(Decimal::of(47, -2)), "0.47");
    EXPECT_EQ(cli::jsonNumber(Decimal::of(-2, -1)), "-0.2");
    EXPECT_EQ(cli::jsonNumber(Decimal::of(1, 16)), "1e16");
    // JSON has no infinity or NaN; a figure that overflows is null, never a made-up number.
    for (const double notFinite : {HUGE_VAL, -HUGE_VAL, std::nan("")})
        EXPECT_EQ(cli::Json().number(notFinite).text(), "null");
    EXPECT_EQ(cli::jsonEscape("a\"b\\c\n\x01"), "\"a\\\"b\\\\c\\n\\u0001\"");
}

} // namespace
