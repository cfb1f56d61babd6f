// SPDX-License-Identifier: MIT
// Networks as people type them: every form the reader takes and every refusal in one table, the
// worked examples, and the tolerance corners against every corner tried.
#include "numeric/big.h"
#include "numeric/format.h"
#include "values/expression.h"
#include "values/networks.h"
#include "values/series.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace values;

struct ExpressionCase {
    std::string name;
    std::string text;
    Kind kind = Kind::Resistor;
    char separator = '.';
    // A form: the text written back and the exact value (nullptr when it is no short decimal).
    const char* written = nullptr;
    const char* exact = nullptr;
    // A refusal: where it is marked and a part of the message.
    std::size_t position = 0;
    const char* message = nullptr;
};

ExpressionCase form(std::string name, std::string text, const char* written, const char* exact,
                    Kind kind = Kind::Resistor, char separator = '.')
{
    return {std::move(name), std::move(text), kind, separator, written, exact, 0, nullptr};
}

ExpressionCase refusal(std::string name, std::string text, std::size_t position, const char* message,
                       Kind kind = Kind::Resistor)
{
    return {std::move(name), std::move(text), kind, '.', nullptr, nullptr, position, message};
}

std::string repeated(const std::string& part, const std::string& join, int count)
{
    std::string s = part;
    for (int i = 1; i < count; ++i)
        s += join + part;
    return s;
}

std::string nested(int depth)
{
    return std::string(static_cast<std::size_t>(depth), '(') + "1k" + std::string(static_cast<std::size_t>(depth), ')');
}

std::vector<ExpressionCase> expressionCases()
{
    const Kind c = Kind::Capacitor;
    return {
        form("SeriesWithAParallelPair", "4k7 + (10k || 22k)", "4.7k + (22k || 10k)", "11575"),
        form("ParallelBindsTighterThanSeries", "4k7 + 10k || 22k", "4.7k + (22k || 10k)", "11575"),
        form("BracketsOverridePrecedence", "(4k7 + 5k3) || 10k", "10k || (5.3k + 4.7k)", "5000"),
        form("CapacitorsInParallelAdd", "100n || 47n", "100n || 47n", "147e-9", c),
        form("CapacitorsInSeriesAreReciprocal", "100n || 47n + 10p", "10p + (100n || 47n)", nullptr, c),
        form("ThreeEqualInParallelIsNoShortDecimal", "10k || 10k || 10k", "10k || 10k || 10k", nullptr),
        form("NestedBracketsOfOneJoinFlatten", "((1 + 2)) + (3 + (4))", "4 + 3 + 2 + 1", "10"),
        form("FlattensAtEveryDepth", "((1 + (2 || 3)) + 4) + 5", "5 + 4 + 1 + (3 || 2)", "11.2"),
        form("PartsBeforeGroupsLargerFirst", "(1 || 1) + 2 + (3 || 6)", "2 + (6 || 3) + (1 || 1)", "4.5"),
        form("UnitsAndBlanksAsTheValueReaderTakesThem", "4.7 kΩ + 330 ohm", "4.7k + 330", "5030"),
        form("AnExponentsSignIsNotSeries", "1e+3 + 1E-3", "1k + 1m", "1000.001"),
        form("TolerancesWrittenBackWithTheirParts", "4k7/5% + (10k/1% || 22k/1%)", "4.7k/5% + (22k/1% || 10k/1%)",
             "11575"),
        form("ToleranceWithoutPercentSign", "1k/0.5", "1k/0.5%", "1000"),
        form("LocaleComma", "4,7k + 1k/0,5%", "4.7k + 1k/0.5%", "5700", Kind::Resistor, ','),
        form("FifteenDigitsShowInFull", "0.1 + 1.00000000000001", "1.00000000000001 + 100m", "1.10000000000001"),
        form("SixteenDigitsDoNot", "0.1 + 1.000000000000001", "1.000000000000001 + 100m", nullptr),
        form("DeepestNestingAllowed", nested(maxExpressionDepth), "1k", "1000"),
        form("MostPartsAllowed", repeated("1", " + ", maxExpressionParts), nullptr, "200"),
        refusal("NothingTyped", "  ", 2, "type a network"),
        refusal("SeriesWithNothingAfter", "4k7 +", 4, "expected a value after '+'"),
        refusal("ParallelWithNothingAfter", "4k7 ||", 4, "expected a value after '||'"),
        refusal("OperatorFirst", "+ 4k7", 0, "expected a value before '+'"),
        refusal("TwoOperatorsInARow", "4k7 + || 1k", 4, "expected a value after '+'"),
        refusal("EmptyBrackets", "1k + ()", 5, "expected a value after '('"),
        refusal("BracketNeverClosed", "(4k7 + 1k", 0, "'(' is never closed"),
        refusal("BracketOpenedAtTheEnd", "1k + (", 5, "'(' is never closed"),
        refusal("InnerBracketNeverClosed", "((1k) + (2k", 8, "'(' is never closed"),
        refusal("ClosingWithoutOpening", "4k7) + 1k", 3, "')' has no '(' to close"),
        refusal("SingleBar", "4k7 | 1k", 4, "write '||' for parallel"),
        refusal("ValueTheReaderRefuses", "4k7 + 4x7", 6, "'4x7' is not a resistance: write 4.7k"),
        refusal("ValueAmongCapacitors", "1n || 4x7", 6, "'4x7' is not a capacitance: write 100n", c),
        refusal("ZeroValue", "0 + 1k", 0, "'0' is zero"),
        refusal("NegativeValue", "1k || -1k", 6, "'-1k' is negative"),
        refusal("CapacitanceAmongResistors", "1k + 100nF", 5, "'100nF' is not a resistance"),
        refusal("ResistanceAmongCapacitors", "1n || 4k7Ω", 6, "is not a capacitance", c),
        refusal("VoltsAreNeitherKind", "5V + 1k", 0, "'5V' is not a resistance"),
        refusal("ToleranceMissing", "4k7/", 3, "expected a tolerance after '/'"),
        refusal("ToleranceOfAHundredPercent", "4k7/100%", 4, "'100%' is not a tolerance"),
        refusal("ToleranceWithAPrefix", "4k7/5k", 4, "'5k' is not a tolerance"),
        refusal("ToleranceOnAGroup", "(1k + 1k)/1%", 9, "a tolerance goes right after a part's value"),
        refusal("NoOperatorBeforeABracket", "1k (2k)", 3, "expected '+' or '||' before '('"),
        refusal("NoOperatorAfterABracket", "(1k) 2k", 5, "expected '+' or '||' before '2k'"),
        refusal("LongerThanTheLimit", std::string(maxExpressionLength + 1, '1'), maxExpressionLength,
                "longer than 4096 characters"),
        refusal("MorePartsThanTheLimit", repeated("1", " + ", maxExpressionParts + 1),
                4 * static_cast<std::size_t>(maxExpressionParts), "more than 200 parts"),
        refusal("NestedDeeperThanTheLimit", nested(maxExpressionDepth + 1), maxExpressionDepth,
                "nested deeper than 32"),
    };
}

void PrintTo(const ExpressionCase& c, std::ostream* os)
{
    *os << c.name;
}

class NetworkExpressions : public testing::TestWithParam<ExpressionCase> {};

TEST_P(NetworkExpressions, ReadOrRefused)
{
    const ExpressionCase& c = GetParam();
    const ParsedExpression p = parseNetwork(c.text, c.kind, c.separator);
    if (c.message != nullptr) {
        ASSERT_FALSE(p.network.has_value()) << "read as " << networkText(p.network->tree, p.network->tolerances);
        EXPECT_NE(p.error.message.find(c.message), std::string::npos) << p.error.message;
        EXPECT_EQ(p.error.position, c.position) << p.error.message;
        return;
    }
    ASSERT_TRUE(p.network.has_value()) << p.error.message << " at " << p.error.position;
    const std::string written = networkText(p.network->tree, p.network->tolerances);
    if (c.written != nullptr) {
        EXPECT_EQ(written, c.written);
    }
    const NetworkValue v = evaluate(*p.network, c.kind, Decimal{}, Series::E24);
    if (c.exact != nullptr) {
        ASSERT_TRUE(v.exact.has_value()) << format(v.value, 6);
        EXPECT_EQ(*v.exact, *parse(c.exact).value) << format(*v.exact, 18);
    } else {
        EXPECT_FALSE(v.exact.has_value()) << format(*v.exact, 18);
    }
    // What is written back reads as the same network.
    const ParsedExpression again = parseNetwork(written, c.kind);
    ASSERT_TRUE(again.network.has_value()) << again.error.message;
    EXPECT_EQ(networkText(again.network->tree, again.network->tolerances), written);
}

INSTANTIATE_TEST_SUITE_P(FormsAndRefusals, NetworkExpressions, testing::ValuesIn(expressionCases()),
                         [](const testing::TestParamInfo<ExpressionCase>& info) { return info.param.name; });

TEST(NetworkText, WritesTheFindersNetworksAsTheFinderDoes)
{
    // One writer's rules for both: every network the finder gives, as a tree, writes its own text
    // and reads back to its own value.
    for (const Kind kind : {Kind::Resistor, Kind::Capacitor}) {
        for (const char* target : {"5k", "1.234k", "3.333M", "147n", "11.575k"}) {
            const auto parts = unlimitedParts(valuesInRange(Series::E12, *parse("1").value, *parse("1M").value));
            SearchOptions options;
            options.kind = kind;
            options.top = 20;
            for (const Network& n : findNetworks(*parse(target).value, parts, options).networks) {
                EXPECT_EQ(networkText(tree(n)), n.text);
                const ParsedExpression again = parseNetwork(n.text, kind);
                ASSERT_TRUE(again.network.has_value()) << n.text;
                EXPECT_EQ(networkText(again.network->tree), n.text);
                const double value = evaluate(*again.network, kind, Decimal{}, Series::E24).nearest;
                EXPECT_NEAR(value, n.precise, 1e-11 * value) << n.text;
            }
        }
    }
}

NetworkValue valueOf(const std::string& text, const char* tolerance = "0", Kind kind = Kind::Resistor,
                     Series series = Series::E24)
{
    const ParsedExpression p = parseNetwork(text, kind);
    EXPECT_TRUE(p.network.has_value()) << p.error.message;
    return p.network ? evaluate(*p.network, kind, *parseTolerance(tolerance), series) : NetworkValue{};
}

struct RangeCase {
    const char* name;
    const char* text;
    const char* tolerance;
    Kind kind;
    const char* shown; // rangeText of the ends
    double low;
    double high;
};

void PrintTo(const RangeCase& c, std::ostream* os)
{
    *os << c.name;
}

class NetworkRanges : public testing::TestWithParam<RangeCase> {};

TEST_P(NetworkRanges, WorkedExample)
{
    const RangeCase& c = GetParam();
    const NetworkValue v = valueOf(c.text, c.tolerance, c.kind);
    EXPECT_EQ(rangeText(v.low, v.high, c.kind == Kind::Resistor ? "Ω" : "F"), c.shown);
    EXPECT_EQ(v.lowNearest, c.low);
    EXPECT_EQ(v.highNearest, c.high);
    EXPECT_TRUE(v.hasTolerance);
}

INSTANTIATE_TEST_SUITE_P(Examples, NetworkRanges,
                         testing::Values(RangeCase{"AllPartsOnePercent", "4k7 + (10k || 22k)", "1", Kind::Resistor,
                                                   "11.459-11.691 kΩ", 11459.25, 11690.75},
                                         RangeCase{"EachPartItsOwn", "4k7/5% + (10k/1% || 22k/1%)", "0", Kind::Resistor,
                                                   "11.271-11.879 kΩ", 11271.25, 11878.75},
                                         RangeCase{"OwnToleranceBeatsTheCommonOne", "4k7/5% + (10k || 22k)", "1",
                                                   Kind::Resistor, "11.271-11.879 kΩ", 11271.25, 11878.75},
                                         RangeCase{"CapacitorsTenPercent", "100n || 47n", "10", Kind::Capacitor,
                                                   "132.3-161.7 nF", 132.3e-9, 161.7e-9},
                                         RangeCase{"EndsInDifferentPrefixes", "1k", "0.1", Kind::Resistor,
                                                   "999 Ω - 1.001 kΩ", 999, 1001}),
                         [](const testing::TestParamInfo<RangeCase>& info) { return info.param.name; });

TEST(NetworkValues, TheExampleIsExactAndItsCentreNearestTwelveK)
{
    const NetworkValue v = valueOf("4k7 + (10k || 22k)", "1");
    ASSERT_TRUE(v.exact.has_value());
    EXPECT_EQ(withUnit(*v.exact, "Ω", exactDigits) + " exact", "11.575 kΩ exact");
    EXPECT_EQ(v.nearest, 11575.0);
    EXPECT_EQ(v.centre, *parse("11575").value);
    EXPECT_EQ(v.standard.nearest, *parse("12k").value);
    EXPECT_EQ(valueOf("4k7 + (10k || 22k)", "1", Kind::Resistor, Series::E96).standard.nearest, *parse("11.5k").value);
}

TEST(NetworkValues, WithoutToleranceTheRangeIsTheValue)
{
    const NetworkValue v = valueOf("10k || 10k || 10k");
    EXPECT_FALSE(v.hasTolerance);
    EXPECT_EQ(v.nearest, 10000.0 / 3);
    EXPECT_EQ(v.lowNearest, v.nearest);
    EXPECT_EQ(v.highNearest, v.nearest);
    EXPECT_EQ(format(v.value), "3.3333k");
}

// A network of random small parts and tolerances, and its value in doubles at any corner.
struct Random {
    std::string text;
    std::vector<double> values;
    std::vector<double> tolerances;
};

Random randomNetwork(std::mt19937& rng, int parts)
{
    Random r;
    std::uniform_int_distribution<int> value(1, 999);
    std::uniform_int_distribution<int> tolerance(0, 20);
    std::uniform_int_distribution<int> coin(0, 2);
    for (int i = 0; i < parts; ++i) {
        const int v = value(rng);
        const int t = tolerance(rng);
        r.values.push_back(v);
        r.tolerances.push_back(t);
        const std::string part = std::to_string(v) + "/" + std::to_string(t) + "%";
        if (i == 0)
            r.text = part;
        else if (coin(rng) == 0)
            r.text = "(" + r.text + ") || " + part;
        else
            r.text += coin(rng) == 0 ? " || " + part : " + " + part;
    }
    return r;
}

TEST(NetworkValues, TheAllLowAndAllHighCornersAreTheExtremesOfEveryCorner)
{
    std::mt19937 rng(5);
    for (int round = 0; round < 200; ++round) {
        const Random r = randomNetwork(rng, 1 + round % 6);
        for (const Kind kind : {Kind::Resistor, Kind::Capacitor}) {
            const ParsedExpression p = parseNetwork(r.text, kind);
            ASSERT_TRUE(p.network.has_value()) << r.text;
            const NetworkValue v = evaluate(*p.network, kind, Decimal{}, Series::E24);
            // Every corner, in doubles, from the tree as read (its parts in the written order).
            std::size_t leaves = p.network->tolerances.size();
            double lowest = INFINITY;
            double highest = 0;
            for (unsigned corner = 0; corner < (1U << leaves); ++corner) {
                std::size_t leaf = 0;
                const std::function<double(const NetworkNode&)> at = [&](const NetworkNode& n) -> double {
                    if (n.join == NetworkNode::Join::Part) {
                        const double t = p.network->tolerances[leaf]->toDouble() / 100;
                        return n.value.toDouble() * ((corner >> leaf++) & 1U ? 1 + t : 1 - t);
                    }
                    const bool adds = (n.join == NetworkNode::Join::Series) == (kind == Kind::Resistor);
                    double sum = 0;
                    for (const NetworkNode& child : n.parts)
                        sum += adds ? at(child) : 1 / at(child);
                    return adds ? sum : 1 / sum;
                };
                const double x = at(p.network->tree);
                lowest = std::min(lowest, x);
                highest = std::max(highest, x);
            }
            EXPECT_NEAR(v.lowNearest, lowest, 1e-12 * lowest) << r.text;
            EXPECT_NEAR(v.highNearest, highest, 1e-12 * highest) << r.text;
        }
    }
}

TEST(NetworkValues, TheLargestInputStaysBounded)
{
    // As many 18-digit parts at both ends of the range as the length allows: the exact value's
    // numbers grow to thousands of digits, and the answer still comes.
    std::string text;
    int parts = 0;
    for (;; ++parts) {
        const std::string part = parts % 2 == 0 ? "1.23456789012345678e-15" : "987.654321098765432T";
        std::string next;
        if (!text.empty())
            next.append("(").append(text).append(")").append(parts % 3 == 0 ? " + " : " || ");
        next += part;
        if (next.size() > maxExpressionLength || parts >= maxExpressionDepth)
            break;
        text = next;
    }
    for (int more = 0; text.size() + 27 <= maxExpressionLength && parts < maxExpressionParts; ++more, ++parts)
        text += (more % 2 == 0 ? " || 1.23456789012345678e-15" : " + 987.654321098765432T");
    ASSERT_GT(parts, 140);
    const NetworkValue v = valueOf(text, "1");
    EXPECT_GT(v.nearest, 0);
    EXPECT_LE(v.lowNearest, v.nearest);
    EXPECT_GE(v.highNearest, v.nearest);
}

// --- the big integers under the exact values ---

detail::Big randomBig(std::mt19937_64& rng, int limbs)
{
    detail::Big b(rng() | 1U);
    for (int i = 1; i < limbs; i += 2)
        b = b * detail::Big(rng()) + detail::Big(rng());
    return b;
}

TEST(BigIntegers, LongDivisionLeavesARemainderBelowTheDivisor)
{
    std::mt19937_64 rng(11);
    for (int round = 0; round < 500; ++round) {
        const detail::Big n = randomBig(rng, 1 + round % 40);
        const detail::Big d = randomBig(rng, 1 + (round / 7) % 30);
        detail::Big q;
        detail::Big r;
        detail::Big::divide(n, d, q, r);
        EXPECT_LT(r, d);
        EXPECT_EQ(q * d + r, n) << round;
    }
}

TEST(BigIntegers, DivisionAgreesWithMachineIntegers)
{
    std::mt19937_64 rng(3);
    for (int round = 0; round < 2000; ++round) {
        const std::uint64_t n = rng() >> (round % 60);
        const std::uint64_t d = (rng() >> (round % 63)) | 1U;
        detail::Big q;
        detail::Big r;
        detail::Big::divide(detail::Big(n), detail::Big(d), q, r);
        EXPECT_EQ(q.low64(), n / d);
        EXPECT_EQ(r.low64(), n % d);
    }
}

TEST(BigIntegers, NearestDoubleIsTheCorrectlyRoundedQuotient)
{
    // Quotients of integers that doubles hold exactly are rounded once by the division itself.
    std::mt19937_64 rng(9);
    for (int round = 0; round < 5000; ++round) {
        const std::uint64_t n = (rng() >> (11 + round % 50)) | 1U;
        const std::uint64_t d = (rng() >> (11 + round % 40)) | 1U;
        EXPECT_EQ(detail::nearestDouble(detail::Big(n), detail::Big(d)),
                  static_cast<double>(n) / static_cast<double>(d))
            << n << " / " << d;
    }
    // A tie goes to the even neighbour: 2^53 + 1 lies halfway between 2^53 and 2^53 + 2.
    const std::uint64_t tie = (std::uint64_t(1) << 53) + 1;
    EXPECT_EQ(detail::nearestDouble(detail::Big(tie), detail::Big(1)), 9007199254740992.0);
    EXPECT_EQ(detail::nearestDouble(detail::Big(tie + 2), detail::Big(1)), 9007199254740996.0);
}

} // namespace
