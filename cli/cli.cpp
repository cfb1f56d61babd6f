// SPDX-License-Identifier: MIT
#include "cli/cli.h"

#include "cli/divider.h"
#include "cli/markings.h"
#include "cli/standard.h"
#include "voltiva/version.h"

#include <algorithm>
#include <array>
#include <ostream>

namespace cli {

namespace {

// One line per command; a tool adds its own here.
constexpr std::array<Command, 5> table{{
    {"nearest", "nearest VALUE [--series E24] [--json]", runNearest},
    {"combine",
     "combine VALUE [--series E24] [--range 10..1M] [--parts 3] [--top 10] [--capacitor] [--stock FILE] [--json]",
     runCombine},
    {"divider",
     "divider --vin V --vout V | --vref V --vout V [--series E24+E96] [--range 1k..1M] [--tolerance 1] "
     "[--r1 R | --r2 R] [--top 10] [--json]",
     runDivider},
    {"mark", "mark VALUE [--tolerance 5] [--tcr 50] [--json]", runMark},
    {"read", "read MARKING [--json]", runRead},
}};

void printHelp(std::ostream& out)
{
    out << "Usage: voltiva                 open the windows\n"
           "       voltiva COMMAND ...     print the answer and exit\n"
           "       voltiva --help | --version\n\nCommands:\n";
    for (const Command& c : table)
        out << "  voltiva " << c.synopsis << '\n';
    out << "\nValues read as 4700, 4.7k, 4k7 or 4.7e3, with or without a unit. "
           "See voltiva(1).\n";
}

} // namespace

std::span<const Command> commands()
{
    return table;
}

bool isCommandLine(const std::vector<std::string>& args)
{
    if (args.empty())
        return false;
    // Qt's options all begin with a dash; a word is a command, and a mistyped one is better
    // answered with the list of commands than with a window.
    const std::string& first = args.front();
    return first == "--help" || first == "-h" || first == "--version" || !first.starts_with('-');
}

int dispatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.empty() || args.front() == "--help" || args.front() == "-h") {
        printHelp(out);
        return exitOk;
    }
    if (args.front() == "--version") {
        out << "voltiva " << voltiva::versionText << '\n';
        return exitOk;
    }
    for (const Command& c : table) {
        if (c.name == args.front())
            return c.run(std::vector<std::string>(args.begin() + 1, args.end()), out, err);
    }
    return usage(err, "unknown command '" + args.front() + "' (see voltiva --help)");
}

} // namespace cli
