// SPDX-License-Identifier: MIT
// The command descriptions: the reader's checks on a made-up command, each real command's --help
// against its description, and the man page against them all.
#include "cli/amplifiers.h"
#include "cli/arguments.h"
#include "cli/board.h"
#include "cli/cli.h"
#include "cli/conversions.h"
#include "cli/divider.h"
#include "cli/led.h"
#include "cli/markings.h"
#include "cli/network.h"
#include "cli/pad.h"
#include "cli/standard.h"
#include "cli/timing.h"
#include "cli/wires.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr cli::Option sampleOptions[] = {
    {"in", "V", "", "the input", ""},
    {"ref", "V", "", "the reference", ""},
    {"out", "V", "", "the output", "give it, for example --out 3"},
    {"lo", "R", "", "the lower part", ""},
    {"hi", "R", "", "the upper part", ""},
    {"fast", "", "", "a flag", ""},
    cli::jsonOption,
};
constexpr cli::OneOf sampleOneOf[] = {
    {"in", "ref", "--ref: not both", "sample: give --in or --ref"},
    {"lo", "hi", "--hi: one at most", ""},
};
constexpr cli::Syntax sample{.positional = "VALUE",
                             .missing = "a value, for example: voltiva sample 5",
                             .options = sampleOptions,
                             .oneOf = sampleOneOf};

struct CheckCase {
    const char* name;
    std::vector<std::string> args;
    std::string refused; // "" when the arguments keep the syntax
};

class SyntaxCheck : public testing::TestWithParam<CheckCase> {};

TEST_P(SyntaxCheck, RefusesTheFirstBreakWithItsLine)
{
    const CheckCase& c = GetParam();
    const cli::Arguments a = cli::arguments(c.args, sample);
    ASSERT_TRUE(a.ok()) << a.error();
    EXPECT_EQ(cli::check("sample", sample, a).value_or(""), c.refused);
}

INSTANTIATE_TEST_SUITE_P(
    Reader, SyntaxCheck,
    testing::Values(CheckCase{"kept", {"5", "--in", "1", "--out", "2", "--lo", "3", "--fast"}, ""},
                    CheckCase{"positional_missing",
                              {"--in", "1", "--out", "2"},
                              "sample: give a value, for example: voltiva sample 5"},
                    CheckCase{"second_positional", {"5", "6", "--in", "1"}, "sample: unexpected argument '6'"},
                    CheckCase{"both_of_a_pair", {"5", "--in", "1", "--ref", "2", "--out", "3"}, "--ref: not both"},
                    CheckCase{"neither_of_a_pair", {"5", "--out", "3"}, "sample: give --in or --ref"},
                    CheckCase{"optional_pair_both",
                              {"5", "--ref", "1", "--out", "3", "--lo", "1", "--hi", "2"},
                              "--hi: one at most"},
                    CheckCase{"required_missing", {"5", "--ref", "1"}, "--out: missing; give it, for example --out 3"},
                    CheckCase{"pair_before_required", {"5"}, "sample: give --in or --ref"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SyntaxText, UsageLineShowsRequiredPairsAndDefaults)
{
    EXPECT_EQ(cli::synopsis("sample", sample),
              "sample VALUE --in V | --ref V --out V [--lo R | --hi R] [--fast] [--json]");
}

std::vector<cli::Command> allCommands()
{
    std::vector<cli::Command> all;
    for (const auto list :
         {cli::standardCommands(), cli::markingsCommands(), cli::networkCommands(), cli::dividerCommands(),
          cli::ledCommands(), cli::ohmCommands(), cli::padCommands(), cli::timingCommands(), cli::boardCommands(),
          cli::conversionsCommands(), cli::wiresCommands(), cli::amplifiersCommands()})
        all.insert(all.end(), list.begin(), list.end());
    return all;
}

TEST(CommandSyntax, PairsNameOptionsOfTheirCommand)
{
    for (const cli::Command& c : allCommands()) {
        const auto known = [&](std::string_view name) {
            return std::any_of(c.syntax.options.begin(), c.syntax.options.end(),
                               [&](const cli::Option& o) { return o.name == name; });
        };
        for (const cli::OneOf& g : c.syntax.oneOf)
            EXPECT_TRUE(known(g.first) && known(g.second)) << c.name << ": " << g.first << " | " << g.second;
    }
}

TEST(CommandHelp, ListsEveryOptionWithItsDefaultOnItsLine)
{
    const std::vector<cli::Command> commands = allCommands();
    for (const cli::Command& c : commands) {
        std::ostringstream out, err;
        ASSERT_EQ(cli::run({std::string(c.name), "--help"}, commands, out, err), cli::exitOk) << c.name;
        std::istringstream lines(out.str());
        std::string line;
        std::getline(lines, line);
        EXPECT_EQ(line, "Usage: voltiva " + cli::synopsis(c.name, c.syntax));
        std::map<std::string, std::string> listed; // "--series" -> its line
        while (std::getline(lines, line)) {
            if (line.starts_with("  --"))
                listed[line.substr(2, line.find(' ', 2) - 2)] = line;
        }
        EXPECT_EQ(listed.size(), c.syntax.options.size()) << c.name;
        for (const cli::Option& o : c.syntax.options) {
            const std::string name = "--" + std::string(o.name);
            ASSERT_TRUE(listed.count(name)) << c.name << ' ' << name;
            if (!o.fallback.empty()) {
                EXPECT_TRUE(listed[name].ends_with("(default " + std::string(o.fallback) + ")")) << listed[name];
            }
        }
    }
}

// The man page in troff: "\-\-r\-series" is --r-series.
std::string plain(std::string text)
{
    for (std::size_t at = text.find("\\-"); at != std::string::npos; at = text.find("\\-", at))
        text.replace(at, 2, "-");
    return text;
}

// The options named in a stretch of the page: "--series", "--r-series" ...
std::set<std::string> optionsIn(const std::string& text)
{
    std::set<std::string> found;
    for (std::size_t at = text.find("--"); at != std::string::npos; at = text.find("--", at + 2)) {
        std::size_t end = at + 2;
        while (end < text.size() && (std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '-'))
            ++end;
        if (end > at + 2)
            found.insert(text.substr(at, end - at));
        at = end - 2;
    }
    return found;
}

std::set<std::string> optionsOf(const cli::Command& c)
{
    std::set<std::string> names;
    for (const cli::Option& o : c.syntax.options)
        names.insert("--" + std::string(o.name));
    return names;
}

// The page's section `name`, from its .SH line to the next.
std::string section(const std::string& page, const std::string& name)
{
    const std::size_t start = page.find(".SH " + name + "\n");
    if (start == std::string::npos)
        return {};
    const std::size_t end = page.find("\n.SH ", start + 1);
    return page.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// The words after the macro that starts the text: "voltiva rc" in `.B voltiva rc`, "read" in
// `.BI "read " marking`.
std::vector<std::string> leadingWords(const std::string& text)
{
    std::istringstream in(text.substr(0, text.find('\n')));
    std::vector<std::string> words;
    std::string word;
    in >> word; // the macro
    while (in >> word) {
        std::erase(word, '"');
        words.push_back(word);
    }
    return words;
}

// Each part of `text` between the lines `separator`, keyed by the command it starts with.
std::map<std::string, std::string> byCommand(const std::string& text, const std::string& separator, bool named)
{
    std::map<std::string, std::string> parts;
    std::size_t start = text.find(separator);
    while (start != std::string::npos) {
        start += separator.size();
        const std::size_t end = text.find(separator, start);
        std::string part = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        part.resize(std::min(part.size(), part.find("\n.PP\n"))); // what follows .PP is about no one command
        const std::vector<std::string> words = leadingWords(part);
        const std::size_t at = named ? 1 : 0; // the synopsis writes "voltiva" first
        if (words.size() > at && !words[at].starts_with("-"))
            parts[words[at]] += part;
        start = end;
    }
    return parts;
}

TEST(ManPage, SynopsisAndEntriesMatchEachCommandsOptions)
{
    std::ifstream file(VOLTIVA_MAN_PAGE);
    ASSERT_TRUE(file) << VOLTIVA_MAN_PAGE;
    std::stringstream read;
    read << file.rdbuf();
    const std::string page = plain(read.str());
    const auto synopses = byCommand(section(page, "SYNOPSIS"), "\n.br\n", true);
    // The first paragraph of COMMANDS follows ".SH COMMANDS" as the others follow ".TP".
    const auto entries = byCommand(section(page, "COMMANDS"), "\n.TP\n", false);

    const std::vector<cli::Command> commands = allCommands();
    std::set<std::string> names;
    for (const cli::Command& c : commands) {
        const std::string name(c.name);
        names.insert(name);
        ASSERT_TRUE(synopses.count(name)) << "no synopsis for " << name;
        EXPECT_EQ(optionsIn(synopses.at(name)), optionsOf(c)) << name;
        ASSERT_TRUE(entries.count(name)) << "no entry for " << name;
        const std::set<std::string> known = optionsOf(c);
        for (const std::string& option : optionsIn(entries.at(name)))
            EXPECT_TRUE(known.count(option)) << name << "'s entry names " << option;
    }
    for (const auto& [name, text] : synopses)
        EXPECT_TRUE(names.count(name)) << "the synopsis shows " << name << ", which is no command";
    for (const auto& [name, text] : entries)
        EXPECT_TRUE(names.count(name)) << "an entry for " << name << ", which is no command";
}

} // namespace
