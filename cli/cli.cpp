// SPDX-License-Identifier: MIT
#include "cli/cli.h"

#include "voltiva/version.h"

#include <algorithm>
#include <ostream>

namespace cli {

namespace {

void printHelp(std::span<const Command> commands, std::ostream& out)
{
    out << "Usage: voltiva                 open the windows\n"
           "       voltiva COMMAND ...     print the answer and exit\n"
           "       voltiva --help | --version\n\nCommands:\n";
    for (const Command& c : commands)
        out << "  voltiva " << c.synopsis << '\n';
    out << "\nValues read as 4700, 4.7k, 4k7 or 4.7e3, with or without a unit. "
           "See voltiva(1).\n";
}

} // namespace

bool isCommandLine(const std::vector<std::string>& args)
{
    if (args.empty())
        return false;
    // Qt's options all begin with a dash; a word is a command, and a mistyped one is better
    // answered with the list of commands than with a window.
    const std::string& first = args.front();
    return first == "--help" || first == "-h" || first == "--version" || !first.starts_with('-');
}

int dispatch(const std::vector<std::string>& args, std::span<const Command> commands, std::ostream& out,
             std::ostream& err)
{
    if (args.empty() || args.front() == "--help" || args.front() == "-h") {
        printHelp(commands, out);
        return exitOk;
    }
    if (args.front() == "--version") {
        out << "voltiva " << voltiva::versionText << '\n';
        return exitOk;
    }
    for (const Command& c : commands) {
        if (c.name != args.front())
            continue;
        // Every command answers --help with its synopsis, whatever else was typed.
        if (std::find(args.begin() + 1, args.end(), "--help") != args.end()) {
            out << "Usage: voltiva " << c.synopsis << '\n';
            return exitOk;
        }
        return c.run(std::vector<std::string>(args.begin() + 1, args.end()), out, err);
    }
    return usage(err, "unknown command '" + args.front() + "' (see voltiva --help)");
}

} // namespace cli
