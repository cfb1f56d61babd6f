// SPDX-License-Identifier: MIT
// The command descriptions: the reader's checks on a made-up command, each real command's --help
// against its description, and the man page against them all.
#include "cli/amplifiers.h"
#include "cli/arguments.h"
#include "cli/board.h"
#include "cli/cli.h"
#include "cli/conversions.h"
#include "cli/divider.h"
#include "cli/filter.h"
#include "cli/led.h"
#include "cli/lines.h"
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
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <utility>
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
          cli::conversionsCommands(), cli::wiresCommands(), cli::amplifiersCommands(), cli::linesCommands(),
          cli::filterCommands()})
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

TEST(CommandHelp, ListsEveryOptionWithItsDefaultOnItsLineAndTheExamples)
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
        std::vector<std::string> examples;
        while (std::getline(lines, line)) {
            if (line.starts_with("  --"))
                listed[line.substr(2, line.find(' ', 2) - 2)] = line;
            if (line.starts_with("  voltiva "))
                examples.push_back(line.substr(std::string("  voltiva ").size()));
        }
        EXPECT_EQ(listed.size(), c.syntax.options.size()) << c.name;
        for (const cli::Option& o : c.syntax.options) {
            const std::string name = "--" + std::string(o.name);
            ASSERT_TRUE(listed.count(name)) << c.name << ' ' << name;
            std::string shown = o.fallback.empty() ? "" : "(default " + std::string(o.fallback);
            if (!o.withFlag.flag.empty())
                shown += "; " + std::string(o.withFlag.fallback) + " with --" + std::string(o.withFlag.flag);
            if (!shown.empty()) {
                EXPECT_TRUE(listed[name].ends_with(shown + ")")) << listed[name];
            }
        }
        EXPECT_FALSE(c.syntax.examples.empty()) << c.name;
        ASSERT_EQ(examples.size(), c.syntax.examples.size()) << c.name;
        for (std::size_t i = 0; i < examples.size(); ++i)
            EXPECT_EQ(examples[i], std::string(c.name) + " " + std::string(c.syntax.examples[i]));
    }
}

// The words a shell makes of an example: blanks split them, double quotes hold one together.
std::vector<std::string> shellWords(std::string_view line)
{
    std::vector<std::string> words;
    std::string word;
    bool quoted = false;
    bool any = false;
    for (const char ch : line) {
        if (ch == '"') {
            quoted = !quoted;
            any = true;
        } else if (ch == ' ' && !quoted) {
            if (any)
                words.push_back(word);
            word.clear();
            any = false;
        } else {
            word += ch;
            any = true;
        }
    }
    if (any)
        words.push_back(word);
    return words;
}

struct Printed {
    int status;
    std::string out;
    std::string err;
};

Printed run(const std::vector<std::string>& args, const std::vector<cli::Command>& commands)
{
    std::ostringstream out, err;
    const int status = cli::run(args, commands, out, err);
    return {status, out.str(), err.str()};
}

// Each example's command line: the command's name, then its words.
std::vector<std::string> exampleArgs(const cli::Command& c, std::string_view example)
{
    std::vector<std::string> args{std::string(c.name)};
    for (std::string& word : shellWords(example))
        args.push_back(std::move(word));
    return args;
}

bool has(const std::vector<std::string>& args, const std::string& word)
{
    return std::find(args.begin(), args.end(), word) != args.end();
}

// An example's answers in plain text and in JSON, as the command gives them with nothing added.
struct ExampleAnswers {
    std::vector<std::string> args;
    Printed plain, json;
};

ExampleAnswers answersOf(std::vector<std::string> args, const std::vector<cli::Command>& commands)
{
    ExampleAnswers answers{std::move(args), {}, {}};
    answers.plain = run(answers.args, commands);
    std::vector<std::string> json = answers.args;
    json.emplace_back("--json");
    answers.json = run(json, commands);
    return answers;
}

// Runs the example with `fallback` written out for the option, in plain text and in JSON, against
// its answers with the option left out; false when the example's form does not read the option
// (refused as not applying).
bool comparedWithDefault(const ExampleAnswers& example, const std::string& option, const std::string& fallback,
                         const std::vector<cli::Command>& commands)
{
    for (const bool json : {false, true}) {
        std::vector<std::string> given = example.args;
        if (json)
            given.emplace_back("--json");
        given.insert(given.end(), {option, fallback});
        const Printed& without = json ? example.json : example.plain;
        const Printed with = run(given, commands);
        EXPECT_EQ(without.status, cli::exitOk) << example.args[0] << ": " << without.err;
        if (with.status == cli::exitUsage && with.err.find("not apply") != std::string::npos)
            return false;
        EXPECT_EQ(with.status, cli::exitOk) << example.args[0] << ' ' << option << ": " << with.err;
        EXPECT_EQ(with.out, without.out) << example.args[0] << ' ' << option << ' ' << fallback;
    }
    return true;
}

// The default --help shows must be what the command takes: each example answers the same with the
// default written out. Every default must be tried by at least one example.
TEST(CommandHelp, EachDefaultShownIsWhatTheCommandTakesWhenTheOptionIsLeftOut)
{
    const std::vector<cli::Command> commands = allCommands();
    for (const cli::Command& c : commands) {
        std::set<std::pair<std::string, bool>> tried; // an option, and whether its flag was given
        for (const std::string_view example : c.syntax.examples) {
            const std::vector<std::string> args = exampleArgs(c, example);
            std::optional<ExampleAnswers> answers; // the example left alone, run once it is needed
            for (const cli::Option& o : c.syntax.options) {
                const std::string name = "--" + std::string(o.name);
                const std::string flag = "--" + std::string(o.withFlag.flag);
                if (o.fallback.empty() || has(args, name))
                    continue;
                const bool flagged = !o.withFlag.flag.empty() && has(args, flag);
                if (!answers)
                    answers = answersOf(args, commands);
                if (comparedWithDefault(*answers, name, std::string(flagged ? o.withFlag.fallback : o.fallback),
                                        commands))
                    tried.emplace(name, flagged);
            }
        }
        for (const cli::Option& o : c.syntax.options) {
            const std::string name = "--" + std::string(o.name);
            if (!o.fallback.empty()) {
                EXPECT_TRUE(tried.contains({name, false})) << c.name << ": no example takes the default of " << name;
            }
            if (!o.withFlag.flag.empty()) {
                EXPECT_TRUE(tried.contains({name, true}))
                    << c.name << ": no example takes the default of " << name << " with --" << o.withFlag.flag;
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

std::string manPage()
{
    std::ifstream file(VOLTIVA_MAN_PAGE);
    EXPECT_TRUE(file) << VOLTIVA_MAN_PAGE;
    std::stringstream read;
    read << file.rdbuf();
    return plain(read.str());
}

TEST(ManPage, SynopsisAndEntriesMatchEachCommandsOptions)
{
    const std::string page = manPage();
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

TEST(ManPage, ExamplesAreEachCommandsExamples)
{
    std::set<std::string> listed;
    std::istringstream lines(section(manPage(), "EXAMPLES"));
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("voltiva "))
            listed.insert(line);
    }
    std::set<std::string> examples;
    for (const cli::Command& c : allCommands()) {
        for (const std::string_view example : c.syntax.examples)
            examples.insert("voltiva " + std::string(c.name) + " " + std::string(example));
    }
    EXPECT_EQ(listed, examples);
}

// Every key of a JSON text, and whether any of its values was a number.
void collectKeys(const std::string& json, std::map<std::string, bool>& keys)
{
    for (std::size_t i = 0; i < json.size(); ++i) {
        if (json[i] != '"')
            continue;
        std::size_t end = i + 1;
        while (end < json.size() && json[end] != '"')
            end += json[end] == '\\' ? 2 : 1;
        std::size_t next = json.find_first_not_of(' ', end + 1);
        if (next != std::string::npos && json[next] == ':') {
            next = json.find_first_not_of(' ', next + 1);
            const bool number = next != std::string::npos &&
                (std::isdigit(static_cast<unsigned char>(json[next])) || json[next] == '-');
            keys[json.substr(i + 1, end - i - 1)] |= number;
        }
        i = end;
    }
}

// Whether `word` stands in `text` on its own, not inside a longer key.
bool hasWord(const std::string& text, const std::string& word)
{
    const auto inKey = [](char ch) { return std::isalnum(static_cast<unsigned char>(ch)) || ch == '_'; };
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
        const std::size_t end = at + word.size();
        if ((at == 0 || !inKey(text[at - 1])) && (end == text.size() || !inKey(text[end])))
            return true;
    }
    return false;
}

// The rule the JSON section states: snake_case keys, a number's key ending in its unit unless it
// has none. Every key of every example, and of answers out of reach, is held to it and to the page.
TEST(Json, EveryKeyFollowsTheNamingRuleAndIsInTheManPage)
{
    const std::vector<cli::Command> commands = allCommands();
    std::vector<std::vector<std::string>> runs{
        {"combine", "10M"},
        {"combine", "1f", "--capacitor", "--parts", "1"},
        {"divider", "--vin", "5", "--vout", "4.99", "--range", "1k..2k"},
    };
    for (const cli::Command& c : commands) {
        for (const std::string_view example : c.syntax.examples)
            runs.push_back(exampleArgs(c, example));
    }
    const std::string described = section(manPage(), "JSON");
    ASSERT_FALSE(described.empty());
    const std::regex snakeCase("[a-z][a-z0-9]*(_[a-z0-9]+)*");
    const std::regex unitSuffix(".+_(ohm|f|h|v|a|w|hz|s|j|c|ah|m|m2|mil|mil2|cmil|ohm_per_m|ohm_per_ft|degc|db|dbm|dbw|"
                                "dbuv|dbu|dbv|pct|ppm|k_per_w|deg)");
    const std::set<std::string> unitless{"ratio", "parts", "target", "nearest", "below", "above", "er", "value", "gain",
                                         "gain_min", "gain_max", "forced_gain", "more", "reach_limit", "power_ratio",
                                         "voltage_ratio", "velocity_factor", "tan_d", "er_eff", "er_eff_at_frequency",
                                         "mask_er", "field_er_eff", "field_er_eff_odd", "field_er_eff_even",
                                         "field_grid_cells", "order", "q", "q_goal", "pass_band_gain",
                                         // a percentage, its unit spelt out in the key
                                         "field_converged_percent"};
    for (std::vector<std::string>& args : runs) {
        args.emplace_back("--json");
        const Printed p = run(args, commands);
        ASSERT_EQ(p.status, cli::exitOk) << args[0] << ": " << p.err;
        std::map<std::string, bool> keys;
        collectKeys(p.out, keys);
        for (const auto& [key, number] : keys) {
            EXPECT_TRUE(std::regex_match(key, snakeCase)) << args[0] << ": " << key;
            if (number) {
                EXPECT_TRUE(std::regex_match(key, unitSuffix) || unitless.contains(key)) << args[0] << ": " << key;
            }
            EXPECT_TRUE(hasWord(described, key)) << args[0] << ": " << key << " is not in the man page's JSON section";
        }
    }
}

} // namespace
