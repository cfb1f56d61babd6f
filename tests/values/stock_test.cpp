// SPDX-License-Identifier: MIT
// Parts files as the window and the command line both read them: a bill of materials, quotes, a
// byte-order mark, and files that are not parts lists at all.
#include "cli/cli.h"
#include "cli/standard.h"
#include "numeric/format.h"
#include "tests/values/limits.h"
#include "values/stock.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using namespace values;

std::string partsOf(const std::string& file)
{
    std::string out;
    for (const Part& p : stockParts(parseStock(importParts(file)))) {
        out += format(p.value);
        if (p.count != 1)
            out += " x" + std::to_string(p.count);
        out += "; ";
    }
    return out;
}

struct FileCase {
    const char* name;
    const char* file;
    const char* parts; // merged, ascending
};

const FileCase files[] = {
    {"a bill of materials takes its Value and Qty columns", "Designator,Value,Qty\nR1,4k7,3\nR2,10k,2\n",
     "4.7k x3; 10k x2; "},
    {"a byte-order mark hides nothing",
     "\xEF\xBB\xBF"
     "Designator,Value,Qty\nR1,4k7,3\n",
     "4.7k x3; "},
    {"a byte-order mark before a plain list",
     "\xEF\xBB\xBF"
     "4k7\n10k\n",
     "4.7k; 10k; "},
    {"quoted cells with a heading", "\"Ref\",\"Value\",\"Qty\"\n\"R1\",\"4k7\",\"2\"\n", "4.7k x2; "},
    {"a quoted list without a heading", "\"4k7\",\"10k\"\n\"1M\"\n", "4.7k; 10k; 1M; "},
    {"a heading without a Value column takes each row's first value", "Part,Size\n2.2k,0805\n", "2.2k; "},
    {"semicolons between columns", "Ref;Value;Qty\nR1;4k7;4\n", "4.7k x4; "},
    {"a plain list stays a list", "10k x2\n4k7, 1k\n", "1k; 4.7k; 10k x2; "},
};

TEST(PartsFile, ReadsAsPeopleKeepThem)
{
    for (const FileCase& c : files)
        EXPECT_EQ(partsOf(c.file), c.parts) << c.name;
}

TEST(PartsFile, TheHeadingLeavesLineNumbersAsInTheFile)
{
    // A row without a value is marked, never read from its designator or its count.
    const auto entries = parseStock(importParts("Ref,Value,Qty\nR1,4k7,1\nR2,TBD,2\nR5,,2\n"));
    ASSERT_EQ(entries.size(), 3U);
    EXPECT_EQ(entries[1].line, 3);
    EXPECT_FALSE(entries[1].value);
    EXPECT_EQ(entries[2].text, "R5: no value");
    EXPECT_FALSE(entries[2].value);
}

// A unit says what a part is: the other kind, a voltage or a current is left out, by its line.
TEST(PartsFile, AUnitOfAnotherKindIsLeftOutByItsLine)
{
    const std::string list = "4k7\n100nF\n5V\n2A\n1kΩ\n";
    struct Case {
        Unit kind;
        const char* parts;
        std::vector<std::pair<int, const char*>> leftOut;
    } const cases[] = {
        {Unit::Ohm,
         "1k; 4.7k; ",
         {{2, "'100nF' is a capacitance"}, {3, "'5V' is a voltage"}, {4, "'2A' is a current"}}},
        {Unit::Farad,
         "100n; 4.7k; ",
         {{3, "'5V' is a voltage"}, {4, "'2A' is a current"}, {5, "'1kΩ' is a resistance"}}},
    };
    for (const Case& c : cases) {
        const StockRead read = StockReader('.', c.kind).read(list, 10);
        std::string parts;
        for (const Part& p : read.parts)
            parts += format(p.value) + "; ";
        EXPECT_EQ(parts, c.parts);
        ASSERT_EQ(read.problems.size(), c.leftOut.size());
        for (std::size_t i = 0; i < c.leftOut.size(); ++i) {
            EXPECT_EQ(read.problems[i].line, c.leftOut[i].first);
            EXPECT_NE(read.problems[i].reason.find(c.leftOut[i].second), std::string::npos) << read.problems[i].reason;
        }
    }
}

// One stray byte spoils its own line only; the others keep their units.
TEST(PartsFile, EachLineIsDecodedOnItsOwn)
{
    const DecodedParts decoded = decodeParts("4k7\xCE\xA9\n100\xC2\xB5\njunk\xff\n\xb5\xc0\x80");
    EXPECT_EQ(decoded.text, "4k7Ω\n100µ\njunkÿ\nµÀ\u0080");
    EXPECT_EQ(decoded.latin1Lines, (std::vector<std::size_t>{2, 3})) << "an overlong form is not UTF-8";
    const StockRead read = StockReader('.', Unit::Ohm).read(decoded.text, 10);
    EXPECT_EQ(read.parts.size(), 2U) << "4.7 kΩ and 100 µΩ";
    EXPECT_EQ(read.problemCount, 2U);
}

// Reading again after an edit gives what a first reading gives, whatever the reader remembers.
TEST(PartsFile, AReaderThatRemembersLinesReadsAsAFreshOne)
{
    StockReader reader('.', Unit::Ohm);
    const std::string texts[] = {"4k7 x2\n10k\nbad\n4k7\n", "10k\n4k7 x2\n\nbad\n4k7, 22k\n", "10k\n", "bad\nbad\n"};
    for (const std::string& text : texts) {
        const StockRead again = reader.read(text, 10);
        const std::vector<StockEntry> entries = parseStock(text, '.', Unit::Ohm);
        const std::vector<Part> fresh = stockParts(entries);
        ASSERT_EQ(again.parts.size(), fresh.size()) << text;
        for (std::size_t i = 0; i < fresh.size(); ++i) {
            EXPECT_EQ(again.parts[i].value, fresh[i].value) << text;
            EXPECT_EQ(again.parts[i].count, fresh[i].count) << text;
        }
        const auto bad = static_cast<std::size_t>(
            std::count_if(entries.begin(), entries.end(), [](const StockEntry& e) { return !e.value; }));
        EXPECT_EQ(again.problemCount, bad) << text;
    }
}

// Two million lines that are not values cost the first few problems and a count, not an entry each.
TEST(PartsFile, AMillionBadLinesCostNoMoreThanTheirCount)
{
    std::string text;
    for (int i = 0; i < 2'000'000; ++i)
        text += i % 2 == 0 ? "x\n" : "y\n";
    EXPECT_TRUE(testing_limits::runsWithin(4, 256U << 20, [&] {
        const StockRead read = StockReader('.', Unit::Ohm).read(text, 20);
        if (read.problems.size() != 20 || read.problemCount != 2'000'000 || !read.parts.empty())
            throw 1;
    }));
}

class PartsFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = std::filesystem::temp_directory_path() /
            ("voltiva-stock-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string write(const std::string& name, const std::string& bytes)
    {
        const std::filesystem::path path = dir / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    struct Outcome {
        int status;
        std::string out;
        std::string err;
    };
    static Outcome run(const std::vector<std::string>& args)
    {
        std::ostringstream out;
        std::ostringstream err;
        const int status = cli::run(args, cli::standardCommands(), out, err);
        return {status, out.str(), err.str()};
    }

    std::filesystem::path dir;
};

TEST_F(PartsFiles, RefusesWhatIsNotAPartsList)
{
    const std::string large = write("large.txt", std::string(maxPartsFileBytes + 1, '1'));
    struct Refusal {
        std::string path;
        const char* says;
    } const refusals[] = {
        {"/dev/zero", "'/dev/zero' is not a file"},
        {dir.string(), "is not a file"},
        {large, "is larger than 4 MB"},
        {(dir / "missing.txt").string(), "cannot read"},
    };
    for (const Refusal& r : refusals) {
        std::string error;
        EXPECT_FALSE(readPartsFile(r.path, error)) << r.path;
        EXPECT_NE(error.find(r.says), std::string::npos) << error;
        const Outcome o = run({"combine", "5k", "--stock", r.path});
        EXPECT_EQ(o.status, 2) << r.path;
        EXPECT_NE(o.err.find(r.says), std::string::npos) << o.err;
    }
}

TEST_F(PartsFiles, TheCommandLineReadsABillOfMaterials)
{
    const Outcome o = run({"combine", "5k", "--stock",
                           write("bom.csv",
                                 "\xEF\xBB\xBF"
                                 "Designator,Value,Qty\nR1,4k7,3\nR2,10k,2\n"),
                           "--top", "1"});
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.err, "");
    EXPECT_NE(o.out.find("10k || 10k"), std::string::npos) << o.out;
}

TEST_F(PartsFiles, ASearchAtItsLimitShowsWhatItFoundAndExitsTwo)
{
    const Outcome o =
        run({"combine", "1.23456789", "--series", "E192", "--range", "1e-15..1e15", "--parts", "4", "--top", "1"});
    EXPECT_EQ(o.status, 2);
    EXPECT_NE(o.err.find("the search stopped at its limit"), std::string::npos) << o.err;
    EXPECT_NE(o.out.find("Target"), std::string::npos) << o.out;
}

// The file's values in volts and amps are refused as parts, with their lines; thousands of bad
// lines are told as the first few and a count.
TEST_F(PartsFiles, TheCommandLineReadsUnitsAndCountsWhatItLeavesOut)
{
    const Outcome units = run({"combine", "5k", "--stock", write("units.txt", "4k7\n100nF\n5V\n2A\n")});
    EXPECT_EQ(units.status, 0) << units.err;
    EXPECT_EQ(units.out.find("4.7k + 5 + 2"), std::string::npos) << units.out;
    for (const char* said : {"line 2: left out: '100nF' is a capacitance", "line 3: left out: '5V' is a voltage",
                             "line 4: left out: '2A' is a current"})
        EXPECT_NE(units.err.find(said), std::string::npos) << units.err;

    std::string many = "4k7\n";
    for (int i = 0; i < 100'000; ++i)
        many += "junk\n";
    const Outcome bad = run({"combine", "5k", "--stock", write("bad.txt", many)});
    EXPECT_EQ(bad.status, 0) << bad.err.substr(0, 500);
    EXPECT_NE(bad.err.find("line 21: left out"), std::string::npos);
    EXPECT_EQ(bad.err.find("line 22: left out"), std::string::npos);
    EXPECT_NE(bad.err.find(": 99980 more lines left out"), std::string::npos) << bad.err.substr(bad.err.size() - 300);
}

} // namespace
