// SPDX-License-Identifier: MIT
// Parts files as the window and the command line both read them: a bill of materials, quotes, a
// byte-order mark, and files that are not parts lists at all.
#include "cli/cli.h"
#include "cli/standard.h"
#include "values/stock.h"
#include "values/value.h"

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

} // namespace
