// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// What a command takes, written once beside it: the reader checks the arguments against it, and
// the usage line and --help are printed from it, so neither can drift from what the command reads.
namespace cli {

class Arguments;

// A flag that changes what stands for a left-out option: combine's --capacitor takes E12 parts
// where resistors take E24.
struct FlagFallback {
    std::string_view flag = {};
    std::string_view fallback = {};
};

struct Option {
    std::string_view name = {};     // "series", without the dashes
    std::string_view value = {};    // "SERIES", the placeholder; empty for a flag
    std::string_view fallback = {}; // "E24", what stands when it is left out; empty when nothing does
    std::string_view help = {};     // one line
    std::string_view missing = {};  // for a required option, what follows "--db: missing; "
    FlagFallback withFlag = {};
};

// Two options of which at most one may be given; with `neither` set, exactly one.
struct OneOf {
    std::string_view first = {};
    std::string_view second = {};
    std::string_view both = {};    // the whole line refusing both
    std::string_view neither = {}; // the whole line asking for one; empty when both may be left out
};

struct Syntax {
    std::string_view positional = {};     // "VALUE"; empty when the command takes none
    bool many = false;                    // the positional words are read as one ("NETWORK ...")
    std::string_view missing = {};        // what follows "eval: give " when the positional is missing
    std::string_view forms = {};          // the ways the options combine, when one line of them says it better
    std::span<const Option> options = {}; // in the order --help lists them
    std::span<const OneOf> oneOf = {};
    // What a user may type after the command's name, one line each, quoted as for a shell: --help
    // shows them, and the tests run them to hold the defaults and the JSON to what is written.
    std::span<const std::string_view> examples = {};
};

// Options several commands take alike.
inline constexpr Option jsonOption{"json", "", "", "print the answer as JSON"};
inline constexpr Option marginOption{"margin", "FACTOR", "2", "the rating over the typical dissipation"};

// The usage line, without "voltiva ": "pad --db DB [--z 50] [--series E96] [--json]".
std::string synopsis(std::string_view name, const Syntax& syntax);

// The usage line, every option with its default and its help line, and the examples.
std::string helpText(std::string_view name, const Syntax& syntax);

// The arguments split by the syntax's options, --help always among them.
Arguments arguments(const std::vector<std::string>& args, const Syntax& syntax);

// The first way the arguments break the syntax (an unexpected or missing positional, a clash,
// a missing option), as the line that says so; nothing when they keep it.
std::optional<std::string> check(std::string_view name, const Syntax& syntax, const Arguments& a);

} // namespace cli
