// SPDX-License-Identifier: MIT
// The E-series, nearest values, networks and parts lists: the worked examples are
// the ground truth, the tables name each case so a failure reads as a sentence.
#include "numeric/format.h"
#include "values/nearest.h"
#include "values/networks.h"
#include "values/series.h"
#include "values/stock.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace {

using namespace values;

Decimal v(std::string_view text)
{
    const Parsed p = parse(text);
    if (!p.value)
        ADD_FAILURE() << "test value '" << text << "' does not read: " << p.error;
    return p.value.value_or(Decimal{});
}

// --- E-series ---

TEST(Series, EachHasItsCountPerDecade)
{
    const int counts[] = {3, 6, 12, 24, 48, 96, 192};
    for (std::size_t i = 0; i < allSeries.size(); ++i) {
        EXPECT_EQ(static_cast<int>(decade(allSeries[i]).size()), counts[i]) << name(allSeries[i]);
        EXPECT_EQ(valuesPerDecade(allSeries[i]), counts[i]);
    }
}

TEST(Series, KeepsTheIrregularValues)
{
    EXPECT_EQ(decade(Series::E192)[185], v("9.2")) << "9.20, not the formula's 9.19";
    for (const char* kept : {"2.7", "3", "3.3", "3.6", "3.9", "4.3", "4.7", "8.2"})
        EXPECT_TRUE(contains(Series::E24, v(kept))) << kept;
    for (const char* formula : {"2.6", "2.9", "3.2", "3.5", "3.8", "4.2", "4.6", "8.3"})
        EXPECT_FALSE(contains(Series::E24, v(formula))) << formula;
    EXPECT_TRUE(contains(Series::E96, v("4.99k")));
    EXPECT_TRUE(contains(Series::E96, v("9.53")));
    EXPECT_FALSE(contains(Series::E96, v("4.91")));
    EXPECT_FALSE(contains(Series::E96, v("9.59")));
    EXPECT_TRUE(contains(Series::E192, v("4.7k")));
    EXPECT_FALSE(contains(Series::E96, v("4.7k")));
    EXPECT_FALSE(contains(Series::E48, v("4.7k")));
}

TEST(Series, SmallerSeriesAreEveryNthOfTheLarger)
{
    EXPECT_EQ(decade(Series::E3)[1], v("2.2"));
    EXPECT_EQ(decade(Series::E12)[11], v("8.2"));
    EXPECT_EQ(decade(Series::E48)[47], v("9.53"));
    EXPECT_EQ(decade(Series::E96)[95], v("9.76"));
}

TEST(Series, ValuesInARangeIncludeBothEnds)
{
    EXPECT_EQ(valuesInRange(Series::E192, v("1"), v("10M")).size(), 1345U);
    const auto e24 = valuesInRange(Series::E24, v("10"), v("1M"));
    EXPECT_EQ(e24.size(), 121U);
    EXPECT_EQ(e24.front(), v("10"));
    EXPECT_EQ(e24.back(), v("1M"));
    EXPECT_EQ(valuesInRange(Series::E12, v("1p"), v("10m")).size(), 121U);
    EXPECT_EQ(valuesInRange(Series::E6, v("1.1"), v("2.1")), (std::vector<Decimal>{v("1.5")}));
}

TEST(Series, UnionsAreNamedWithPlus)
{
    const auto set = seriesSetNamed("E24+e96");
    ASSERT_TRUE(set.has_value());
    EXPECT_EQ(name(*set), "E24+E96");
    EXPECT_FALSE(seriesSetNamed("E24+E7").has_value());
    // 4.7k comes from E24 only, 4.99k from E96 only; 1k from both, once.
    const auto both = valuesInRange(*set, v("1k"), v("10k"));
    // E96 shares six of E24's values a decade (1, 1.1, 1.3, 1.5, 2, 7.5), and 10k ends the range.
    EXPECT_EQ(both.size(), 24U + 96U - 6U + 1U);
}

// --- nearest ---

struct NearestCase {
    const char* name;
    const char* target;
    Series series;
    const char* nearest;
    const char* deviation;
    const char* below; // nullptr: not checked
    const char* above;
    bool exact;
};

class NearestValue : public testing::TestWithParam<NearestCase> {};

TEST_P(NearestValue, WorkedExample)
{
    const NearestCase& c = GetParam();
    const Nearest n = nearest(v(c.target), c.series);
    EXPECT_EQ(format(n.nearest), c.nearest);
    EXPECT_EQ(deviation(n.nearest, v(c.target)).text(), c.deviation);
    if (c.below != nullptr) {
        EXPECT_EQ(format(n.below), c.below);
    }
    if (c.above != nullptr) {
        EXPECT_EQ(format(n.above), c.above);
    }
    EXPECT_EQ(n.exact, c.exact);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, NearestValue,
    testing::Values(NearestCase{"E24_5000_Is5k1", "5000", Series::E24, "5.1k", "+2.00 %", "4.7k", "5.1k", false},
                    NearestCase{"E12_5000_Is4k7", "5000", Series::E12, "4.7k", "-6.00 %", nullptr, nullptr, false},
                    NearestCase{"E48_5000_Is5k11", "5000", Series::E48, "5.11k", "+2.20 %", nullptr, nullptr, false},
                    NearestCase{"E96_5000_Is4k99", "5000", Series::E96, "4.99k", "-0.20 %", nullptr, nullptr, false},
                    NearestCase{"E192_5000_Is4k99", "5000", Series::E192, "4.99k", "-0.20 %", "4.99k", "5.05k", false},
                    NearestCase{"E6_1234_GeometricMidpoint", "1234", Series::E6, "1.5k", "+21.56 %", "1k", "1.5k",
                                false},
                    NearestCase{"E192_9200_Exact", "9200", Series::E192, "9.2k", "exact", "9.09k", "9.31k", true},
                    NearestCase{"E96_4990_Exact", "4990", Series::E96, "4.99k", "exact", nullptr, nullptr, true},
                    NearestCase{"E192_4990_Exact", "4990", Series::E192, "4.99k", "exact", nullptr, nullptr, true},
                    NearestCase{"E3_AcrossADecade", "9.9", Series::E3, "10", "+1.01 %", "4.7", "10", false},
                    NearestCase{"E24_BelowTheFirstValue", "0.99", Series::E24, "1", "+1.01 %", "910m", "1", false}),
    [](const testing::TestParamInfo<NearestCase>& info) { return std::string(info.param.name); });

TEST(NearestValue, TheGeometricMidpointDecidesExactly)
{
    // No two neighbours in the tables have a decimal geometric mean, so a tie cannot be typed;
    // what decides is the exact side of sqrt(1 x 1.5) = 1.2247449..., a hair either way.
    EXPECT_EQ(format(nearest(v("1.2247448"), Series::E6).nearest), "1");
    EXPECT_EQ(format(nearest(v("1.2247449"), Series::E6).nearest), "1.5");
}

TEST(NearestValue, EveryDeviationIsSignedToTwoDecimals)
{
    EXPECT_EQ(deviation(v("4.7k"), v("5000")).text(), "-6.00 %");
    EXPECT_EQ(deviation(v("1.00001"), v("1")).text(), "+0.001 %") << "too small for two decimals";
    EXPECT_EQ(deviation(v("0.99999"), v("1")).text(), "-0.001 %");
    EXPECT_EQ(deviation(v("1.00005"), v("1")).text(), "+0.01 %") << "half away from zero";
    EXPECT_EQ(deviation(v("0.99995"), v("1")).text(), "-0.01 %");
}

TEST(NearestValue, TinyDeviationsTakeAnExponentLikeHugeOnes)
{
    const struct {
        const char* value;
        const char* target;
        const char* shown;
    } cases[] = {
        {"1.00000001", "1", "+0.000001 %"},
        {"1.000000001", "1", "+1e-7 %"},
        {"0.999999999999999932", "1", "-6.8e-15 %"},
        {"999999999999999.999", "1e15", "-1e-16 %"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(deviation(v(c.value), v(c.target)).text(), c.shown) << c.value;
}

// --- networks ---

std::vector<std::string> texts(const SearchResult& r)
{
    std::vector<std::string> out;
    out.reserve(r.networks.size());
    for (const Network& n : r.networks)
        out.push_back(n.text);
    return out;
}

SearchResult search(const char* target, Series series, const char* lo, const char* hi, int parts,
                    Kind kind = Kind::Resistor)
{
    SearchOptions options;
    options.kind = kind;
    options.maxParts = parts;
    return findNetworks(v(target), unlimitedParts(valuesInRange(series, v(lo), v(hi))), options);
}

TEST(Networks, FiveThousandFromE24WithTwoParts)
{
    const SearchResult r = search("5000", Series::E24, "10", "1M", 2);
    ASSERT_GE(r.networks.size(), 6U);
    EXPECT_EQ(r.networks[0].text, "10k || 10k");
    const std::vector<std::string> all = texts(r);
    EXPECT_EQ(std::set<std::string>(all.begin() + 1, all.begin() + 5),
              (std::set<std::string>{"15k || 7.5k", "3.9k + 1.1k", "3k + 2k", "4.7k + 300"}));
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(r.networks[static_cast<std::size_t>(i)].deviation.exact);
    EXPECT_EQ(r.networks[5].text, "47k || 5.6k");
    EXPECT_EQ(format(r.networks[5].value), "5.0038k");
    EXPECT_EQ(r.networks[5].deviation.text(), "+0.08 %");
}

TEST(Networks, FiveThousandFromE12WithTwoParts)
{
    const auto t = texts(search("5000", Series::E12, "10", "1M", 2));
    ASSERT_GE(t.size(), 4U);
    EXPECT_EQ(std::vector<std::string>(t.begin(), t.begin() + 4),
              (std::vector<std::string>{"10k || 10k", "47k || 5.6k", "4.7k + 270", "4.7k + 330"}));
    const SearchResult r = search("5000", Series::E12, "10", "1M", 2);
    EXPECT_EQ(r.networks[2].deviation.text(), "-0.60 %");
    EXPECT_EQ(r.networks[3].deviation.text(), "+0.60 %");
}

// The value shown is the target itself, every digit, where the network hits it; else five digits.
TEST(Networks, AnExactHitShowsEveryDigitOfTheTarget)
{
    const SearchResult r = search("15004.7", Series::E24, "1", "1M", 2);
    ASSERT_GE(r.networks.size(), 2U);
    EXPECT_TRUE(r.networks[0].deviation.exact);
    EXPECT_EQ(format(r.networks[0].value, allDigits), "15.0047k");
    EXPECT_FALSE(r.networks[1].deviation.exact);
    EXPECT_LE(r.networks[1].value.digits(), shownDigits);
}

TEST(Networks, TwelveThirtyFourFromE24WithTwoParts)
{
    const SearchResult r = search("1234", Series::E24, "10", "1M", 2);
    ASSERT_GE(r.networks.size(), 2U);
    EXPECT_EQ(r.networks[0].text, "24k || 1.3k");
    EXPECT_EQ(format(r.networks[0].value), "1.2332k");
    EXPECT_EQ(r.networks[0].deviation.text(), "-0.06 %");
    EXPECT_EQ(r.networks[1].text, "1.2k + 33");
    EXPECT_EQ(r.networks[1].deviation.text(), "-0.08 %");
}

TEST(Networks, FewerDistinctValuesRankFirstAmongExactThreeParts)
{
    const SearchResult r = search("1234", Series::E12, "10", "1M", 3);
    ASSERT_GE(r.networks.size(), 2U);
    EXPECT_EQ(r.networks[0].text, "1.2k + (68 || 68)");
    EXPECT_EQ(r.networks[0].distinctValues, 2);
    EXPECT_EQ(r.networks[1].text, "1.2k + 22 + 12");
    EXPECT_TRUE(r.networks[1].deviation.exact);
}

TEST(Networks, CapacitorsInParallelAdd)
{
    const SearchResult r = search("147n", Series::E12, "1p", "10m", 2, Kind::Capacitor);
    ASSERT_FALSE(r.networks.empty());
    EXPECT_EQ(r.networks[0].text, "100n || 47n");
    EXPECT_EQ(r.networks[0].topology, Topology::Parallel2);
    EXPECT_TRUE(r.networks[0].deviation.exact);
    // And in series they combine as resistors do in parallel.
    const SearchResult s = search("50n", Series::E12, "1p", "10m", 2, Kind::Capacitor);
    ASSERT_FALSE(s.networks.empty());
    EXPECT_EQ(s.networks[0].text, "100n + 100n");
}

TEST(Networks, NeverUsesMoreOfAPartThanThereAre)
{
    SearchOptions options;
    const std::vector<Part> one{{v("10k"), 1}, {v("4.7k"), 1}};
    for (const Network& n : findNetworks(v("5000"), one, options).networks)
        EXPECT_EQ(n.distinctValues, n.partCount) << n.text;
    const std::vector<Part> two{{v("10k"), 2}};
    EXPECT_EQ(findNetworks(v("5000"), two, options).networks.at(0).text, "10k || 10k");
}

TEST(Networks, AgreeWithBruteForceOnSmallSeries)
{
    std::mt19937 random(11);
    for (int round = 0; round < 40; ++round) {
        const Series series = allSeries[random() % 4];
        const Decimal target =
            Decimal::of(static_cast<std::int64_t>(random() % 99999 + 1), -static_cast<int>(random() % 3));
        std::vector<Part> parts = unlimitedParts(valuesInRange(series, v("10"), v("100k")));
        if (round % 2 == 1) {
            for (Part& p : parts)
                p.count = static_cast<int>(random() % 3);
        }
        SearchOptions options;
        options.kind = round % 3 == 0 ? Kind::Capacitor : Kind::Resistor;
        options.maxParts = 1 + static_cast<int>(random() % 3);
        EXPECT_EQ(texts(findNetworks(target, parts, options)), texts(findNetworksBruteForce(target, parts, options)))
            << format(target) << " from " << name(series);
    }
}

// A part alone above the target still comes closest with the smallest pair beside it.
TEST(Networks, APartAboveTheTargetTakesTheSmallestPair)
{
    std::vector<Part> parts = unlimitedParts(valuesInRange(Series::E3, v("1p"), v("10p")));
    parts[0].count = 2; // 1p
    parts[1].count = 1; // 2.2p
    SearchOptions options;
    options.kind = Kind::Capacitor;
    options.top = 9;
    const auto found = texts(findNetworks(v("8.902p"), parts, options));
    EXPECT_EQ(found, texts(findNetworksBruteForce(v("8.902p"), parts, options)));
    EXPECT_NE(std::find(found.begin(), found.end(), "10p || (1p + 1p)"), found.end());
}

TEST(Networks, StopsWhenCancelled)
{
    const std::atomic<bool> cancel{true};
    SearchOptions options;
    options.cancel = &cancel;
    const SearchResult r =
        findNetworks(v("5000"), unlimitedParts(valuesInRange(Series::E192, v("1"), v("10M"))), options);
    EXPECT_TRUE(r.cancelled);
    EXPECT_TRUE(r.networks.empty());
}

// --- my parts ---

TEST(Stock, ReadsListsCountsAndCsvRows)
{
    const auto entries = parseStock("4k7 x3\n3x 10k\n\n100n, 47n 22n\nC7;foo;2.2k;x\n4.7 k\nnothing here\n");
    struct Expect {
        int line;
        const char* value; // nullptr: a bad entry
        int count;
    } const expected[] = {{1, "4.7k", 3}, {2, "10k", 3},  {4, "100n", 1}, {4, "47n", 1},
                          {4, "22n", 1},  {5, "2.2k", 1}, {6, "4.7k", 1}, {7, nullptr, 1}};
    ASSERT_EQ(entries.size(), std::size(expected));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].line, expected[i].line) << i;
        EXPECT_EQ(entries[i].count, expected[i].count) << i;
        if (expected[i].value != nullptr) {
            EXPECT_EQ(entries[i].value, v(expected[i].value)) << i;
        } else {
            EXPECT_FALSE(entries[i].value.has_value()) << i;
        }
    }
    EXPECT_EQ(entries[7].text, "nothing here");
    EXPECT_NE(entries[7].reason.find("is not a value"), std::string::npos);
}

TEST(Stock, BadRowsAreKeptAndLeftOutOfTheParts)
{
    const auto entries = parseStock("Value,Qty\n4k7 x2\n4.7k\n0 x2\n10k x0\n");
    ASSERT_EQ(entries.size(), 5U);
    EXPECT_FALSE(entries[0].value.has_value());
    EXPECT_EQ(entries[0].reason, "no column reads as a value");
    EXPECT_NE(entries[3].reason.find("is zero"), std::string::npos);
    EXPECT_NE(entries[4].reason.find("count"), std::string::npos);
    const auto parts = stockParts(entries);
    ASSERT_EQ(parts.size(), 1U);
    EXPECT_EQ(parts[0].value, v("4.7k"));
    EXPECT_EQ(parts[0].count, 3);
}

TEST(Stock, WritesBackWhatItReads)
{
    const auto entries = parseStock("4k7 x3\n1.23456k\nfoo\n100n\n");
    EXPECT_EQ(writeStock(entries), "4.7k x3\n1.23456k\nfoo\n100n\n");
    const auto again = parseStock(writeStock(entries));
    ASSERT_EQ(again.size(), entries.size());
    for (std::size_t i = 0; i < again.size(); ++i) {
        EXPECT_EQ(again[i].value, entries[i].value);
        EXPECT_EQ(again[i].count, entries[i].count);
    }
}

TEST(Stock, DecimalCommaDoesNotSeparate)
{
    const auto entries = parseStock("4,7k; 10k\n", ',');
    ASSERT_EQ(entries.size(), 2U);
    EXPECT_EQ(entries[0].value, v("4.7k"));
}

} // namespace
