// SPDX-License-Identifier: MIT
// The worst inputs hostile testing found for the search commands, each run as the command line
// runs it in a child process under a CPU limit of 4 s and an address-space limit of 512 MB: the
// program promises an answer within 2 s of CPU time and 256 MB. Before the searches were bounded
// these took up to 272 s and 904 MB (README, Performance). The child's CPU time and peak memory
// come from the kernel (wait4); nothing here reads a wall clock.
#include "cli/cli.h"
#include "cli/standard.h"
#include "cli/timing.h"
#include "tests/values/limits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using testing_limits::sanitized;

// What the child may use: twice the promise in CPU time, before the kernel stops it, and in
// memory. AddressSanitizer reserves terabytes of address space up front and slows the program
// several times, so its builds keep the CPU limit alone, raised.
constexpr rlim_t cpuLimitSeconds = sanitized ? 8 : 4;
constexpr rlim_t addressSpaceLimit = 512ULL << 20;
// What the answer must come within.
constexpr double promisedSeconds = sanitized ? 6.0 : 2.0;
constexpr long promisedKilobytes = 256L << 10;

struct Child : testing_limits::Usage {
    std::string out;
    std::string err;
};

std::vector<cli::Command> searchCommands()
{
    std::vector<cli::Command> all;
    for (const cli::Command& c : cli::standardCommands())
        all.push_back(c);
    for (const cli::Command& c : cli::timingCommands())
        all.push_back(c);
    return all;
}

std::string slurp(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class SearchBudget : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = std::filesystem::temp_directory_path() /
            ("voltiva-budget-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string write(const std::string& name, const std::string& bytes) const
    {
        const std::filesystem::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    // The command in a child under the limits; what it printed, how it ended, what it used.
    Child run(const std::vector<std::string>& args) const
    {
        const std::filesystem::path outPath = dir_ / "out.txt";
        const std::filesystem::path errPath = dir_ / "err.txt";
        const std::vector<cli::Command> commands = searchCommands();
        Child r;
        static_cast<testing_limits::Usage&>(r) = testing_limits::runLimited(cpuLimitSeconds, addressSpaceLimit, [&] {
            std::ofstream out(outPath, std::ios::binary);
            std::ofstream err(errPath, std::ios::binary);
            return cli::run(args, commands, out, err);
        });
        r.out = slurp(outPath);
        r.err = slurp(errPath);
        return r;
    }

    // Answered in time and within the memory, with a table; at the limit it says so.
    static void expectBounded(const Child& r, const std::string& name)
    {
        ASSERT_TRUE(r.exited) << name << ": ended by signal " << r.status << " after " << r.cpuSeconds
                              << " s of CPU (the kernel's limit is " << cpuLimitSeconds << " s)";
        EXPECT_TRUE(r.status == 0 || r.status == 2)
            << name << ": exit " << r.status << (r.status == testing_limits::outOfMemory ? " (out of memory)" : "")
            << "\n"
            << r.err;
        if (r.status == 2) {
            EXPECT_NE(r.err.find("the search stopped at its limit"), std::string::npos) << name << ": " << r.err;
        }
        EXPECT_LE(r.cpuSeconds, promisedSeconds) << name;
        if (!sanitized) {
            EXPECT_LE(r.peakKilobytes, promisedKilobytes) << name << ": peak " << r.peakKilobytes / 1024 << " MB";
        }
        EXPECT_GE(std::count(r.out.begin(), r.out.end(), '\n'), 3) << name << ": " << r.out;
    }

private:
    std::filesystem::path dir_;
};

const std::string everySeries = "E3+E6+E12+E24+E48+E96+E192";

std::vector<std::string> timer(const std::string& f, const std::string& duty, const std::string& series, bool diode)
{
    std::vector<std::string> args{"timer",     "--f",        f,           "--duty",    duty,
                                  "--r-range", "1f..1000T",  "--c-range", "1f..1000T", "--r-series",
                                  series,      "--c-series", series};
    if (diode)
        args.emplace_back("--diode");
    return args;
}

TEST_F(SearchBudget, The555DesignerOverThirtyDecadesOfE192)
{
    // 272 s and 795 MB before: every triple's high time misses by a million times.
    expectBounded(run(timer("1k", "1e-13", "E192", true)), "1 kHz at 1e-13 % with the diode");
    // 72 s: nothing is fast enough.
    expectBounded(run(timer("1e15", "60", "E192", false)), "1e15 Hz at 60 %");
    // 3.5 s and 795 MB for an ordinary goal.
    const Child ordinary = run(timer("1k", "60", "E192", false));
    expectBounded(ordinary, "1 kHz at 60 %");
    EXPECT_EQ(ordinary.status, 0) << ordinary.err;
}

TEST_F(SearchBudget, The555DesignerOverTheUnionOfEverySeries)
{
    // 904 MB before.
    expectBounded(run(timer("1k", "60", everySeries, false)), "1 kHz at 60 % from every series");
}

TEST_F(SearchBudget, TheRcDesignerOverTheUnionOfEverySeries)
{
    for (const char* target : {"--fc", "--tau"}) {
        expectBounded(run({"rc", target, "1k", "--r-range", "1f..1000T", "--c-range", "1f..1000T", "--r-series",
                           everySeries, "--c-series", everySeries, "--top", "1000"}),
                      target);
    }
}

TEST_F(SearchBudget, NetworksOfAStockFarBelowItsReach)
{
    std::string integers;
    for (int i = 1; i <= 30000; ++i)
        integers += std::to_string(i) + "\n";
    // 11 s before.
    expectBounded(run({"combine", "1f", "--stock", write("integers.txt", integers), "--parts", "4"}),
                  "1f from the integers to 30000");
    std::mt19937 random(1);
    std::string many;
    for (int i = 0; i < 100000; ++i)
        many += std::to_string(1 + random() % 1000000) + "\n";
    // 100 s before.
    expectBounded(run({"combine", "1f", "--stock", write("random.txt", many), "--parts", "4"}),
                  "1f from 100,000 random integers");
    expectBounded(run({"combine", "5k", "--stock", write("random.txt", many), "--parts", "4"}),
                  "5k from 100,000 random integers");
}

TEST_F(SearchBudget, NetworksOutOfReachAnswerWithoutSearching)
{
    // Before: the search limit (2.2 s), though nothing goes above 30 mF.
    const Child r = run({"combine", "100M", "--capacitor"});
    expectBounded(r, "100 MF from E12");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("10m || 10m || 10m"), std::string::npos) << r.out;
}

TEST_F(SearchBudget, NetworksOverThirtyDecadesOfEverySeries)
{
    // Before: 2.3 to 2.9 s, past the limit meant to stop it.
    expectBounded(run({"combine", "999.99999T", "--range", "1f..1000T", "--series", everySeries, "--parts", "4",
                       "--top", "1000"}),
                  "999.99999T from every series, four parts, the best 1000");
}

} // namespace
