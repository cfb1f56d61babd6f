// SPDX-License-Identifier: MIT
// The network finder with four parts and within its limits: worked examples, every shape as a
// tree, the brute force on small series, and the inputs that once ran away.
#include "numeric/format.h"
#include "values/networks.h"
#include "values/series.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>

namespace {

using namespace values;

Decimal d(std::string_view text)
{
    return *parse(text).value;
}

std::vector<std::string> textsOf(const SearchResult& r)
{
    std::vector<std::string> out;
    out.reserve(r.networks.size());
    for (const Network& n : r.networks)
        out.push_back(n.text);
    return out;
}

SearchOptions withParts(int parts, Kind kind = Kind::Resistor)
{
    SearchOptions options;
    options.maxParts = parts;
    options.kind = kind;
    return options;
}

std::vector<Part> seriesParts(Series series, const char* lo, const char* hi)
{
    return unlimitedParts(valuesInRange(series, d(lo), d(hi)));
}

struct Example {
    const char* name;
    const char* target;
    Series series;
    int parts;
    const char* first;     // the best network's text
    const char* deviation; // its deviation as the table writes it
    bool exact;
};

const Example examples[] = {
    {"7777 from E24 with three parts comes within a hair", "7777", Series::E24, 3, "36k || (9.1k + 820)", "+0.000045 %",
     false},
    {"7777 from E24 with four parts is exact, fewest distinct values first", "7777", Series::E24, 4,
     "5.6k + 27 + (4.3k || 4.3k)", "exact", true},
    {"3.3M from E12 with four parts comes within 0.30 %", "3.3M", Series::E12, 4, "1M + 1M + 820k + 470k", "-0.30 %",
     false},
};

TEST(FourParts, WorkedExamples)
{
    for (const Example& e : examples) {
        const SearchResult r = findNetworks(d(e.target), seriesParts(e.series, "10", "1M"), withParts(e.parts));
        ASSERT_FALSE(r.networks.empty()) << e.name;
        EXPECT_EQ(r.networks[0].text, e.first) << e.name;
        EXPECT_EQ(r.networks[0].deviation.text(), e.deviation) << e.name;
        EXPECT_EQ(r.networks[0].deviation.exact, e.exact) << e.name;
        EXPECT_FALSE(r.limited) << e.name;
    }
}

TEST(FourParts, EveryNetworkOf7777FromE24IsExact)
{
    const SearchResult r = findNetworks(d("7777"), seriesParts(Series::E24, "10", "1M"), withParts(4));
    ASSERT_EQ(r.networks.size(), 10U);
    for (const Network& n : r.networks) {
        EXPECT_TRUE(n.deviation.exact) << n.text;
        EXPECT_EQ(n.partCount, 4) << n.text;
    }
}

// The text a tree writes: "+" for series and "||" for parallel, whatever the kind.
std::string written(const NetworkNode& node)
{
    if (node.join == NetworkNode::Join::Part)
        return format(node.value, std::max(node.value.digits(), 1));
    std::string text;
    for (const NetworkNode& part : node.parts) {
        if (!text.empty())
            text += node.join == NetworkNode::Join::Series ? " + " : " || ";
        text += part.join == NetworkNode::Join::Part ? written(part) : "(" + written(part) + ")";
    }
    return text;
}

int leaves(const NetworkNode& node)
{
    int n = node.join == NetworkNode::Join::Part ? 1 : 0;
    for (const NetworkNode& part : node.parts)
        n += leaves(part);
    return n;
}

// Over many targets every one of the seventeen topologies turns up, and each tree writes the
// network's own text back, for resistors and capacitors alike.
TEST(FourParts, EveryTopologyAsATreeWritesItsText)
{
    std::mt19937 random(7);
    std::set<Topology> seen;
    for (int round = 0; round < 40; ++round) {
        const Kind kind = round % 2 == 0 ? Kind::Resistor : Kind::Capacitor;
        const Decimal target = Decimal::of(static_cast<std::int64_t>(random() % 9900 + 100), -2);
        std::vector<Part> parts = seriesParts(Series::E6, "1", "100");
        for (Part& p : parts)
            p.count = 1 + static_cast<int>(random() % 2);
        SearchOptions options = withParts(1 + round % 4, kind);
        options.top = 300;
        for (const Network& n : findNetworks(target, parts, options).networks) {
            seen.insert(n.topology);
            const NetworkNode root = tree(n);
            EXPECT_EQ(written(root), n.text);
            EXPECT_EQ(leaves(root), n.partCount) << n.text;
        }
    }
    EXPECT_EQ(seen.size(), 17U);
}

TEST(FourParts, AgreeWithBruteForceOnSmallSeries)
{
    std::mt19937 random(23);
    for (int round = 0; round < 30; ++round) {
        const Series series = allSeries[random() % 3]; // E3 .. E12
        const Decimal target =
            Decimal::of(static_cast<std::int64_t>(random() % 99999 + 1), -static_cast<int>(random() % 4));
        std::vector<Part> parts = seriesParts(series, "10", "1k");
        if (round % 2 == 1) {
            for (Part& p : parts)
                p.count = static_cast<int>(random() % 4);
        }
        SearchOptions options = withParts(4, round % 3 == 0 ? Kind::Capacitor : Kind::Resistor);
        options.top = 1 + static_cast<int>(random() % 15);
        EXPECT_EQ(textsOf(findNetworks(target, parts, options)),
                  textsOf(findNetworksBruteForce(target, parts, options)))
            << format(target) << " from " << name(series);
    }
}

std::vector<Part> integers(int upTo)
{
    std::vector<Part> parts;
    for (int i = 1; i <= upTo; ++i)
        parts.push_back({Decimal::of(i, 0), Part::unlimited});
    return parts;
}

// Inputs that once kept millions of candidates: every part of a wide range beside 1 differing by
// a femto-ohm, and thousands of exactly equal networks among the integers. They answer in full
// within the default limits, and a search that reaches a small limit says so with what it found.
struct Bounded {
    const char* name;
    const char* target;
    std::vector<Part> parts;
    int maxParts;
    const char* first;
};

TEST(SearchBounds, HardInputsAnswerInFullWithinTheDefaultLimits)
{
    const std::vector<Part> wide = unlimitedParts(valuesInRange(Series::E192, Decimal::of(1, -15), Decimal::of(1, 15)));
    const Bounded cases[] = {
        {"1 from E192 over thirty decades", "1", wide, 3, "1"},
        {"47.5 from E192 over thirty decades", "47.5", wide, 3, "47.5"},
        {"1 from E192 over thirty decades with four parts", "1", wide, 4, "1"},
        {"5000 from the integers to 30000", "5000", integers(30000), 3, "5k"},
        {"5000 from the integers to 30000 with four parts", "5000", integers(30000), 4, "5k"},
    };
    for (const Bounded& c : cases) {
        const SearchResult r = findNetworks(d(c.target), c.parts, withParts(c.maxParts));
        EXPECT_FALSE(r.limited) << c.name;
        ASSERT_EQ(r.networks.size(), 10U) << c.name;
        EXPECT_EQ(r.networks[0].text, c.first) << c.name;
        for (const Network& n : r.networks)
            EXPECT_TRUE(n.deviation.exact) << c.name << ": " << n.text;
        EXPECT_LE(r.steps, SearchOptions::defaultMaxSteps) << c.name;
    }
}

TEST(SearchBounds, ASmallLimitStopsTheSearchWithWhatItFound)
{
    for (const long long limit : {1LL, 1000LL, 100000LL}) {
        SearchOptions options = withParts(4);
        options.maxSteps = limit;
        const SearchResult r = findNetworks(d("1.23456789k"), seriesParts(Series::E96, "1", "10M"), options);
        EXPECT_TRUE(r.limited) << limit;
        EXPECT_FALSE(r.cancelled) << limit;
        EXPECT_LE(r.steps, limit + 1024) << "at most a ranking beyond the limit";
        EXPECT_FALSE(r.networks.empty()) << "the nearest single part is tried first";
    }
}

// Equal networks reached in several ways (a + b + c + d splits into pairs three ways) show once.
TEST(FourParts, EachNetworkShowsOnce)
{
    SearchOptions options = withParts(4);
    options.top = 200;
    const auto found = textsOf(findNetworks(d("4000"), seriesParts(Series::E3, "1k", "1k"), options));
    EXPECT_EQ(std::set<std::string>(found.begin(), found.end()).size(), found.size());
    EXPECT_EQ(found.at(0), "1k + 1k + 1k + 1k");
}

} // namespace
