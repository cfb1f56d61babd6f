// SPDX-License-Identifier: MIT
#include "cli/cli.h"

#include "cli/arguments.h"

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
        out << "  voltiva " << synopsis(c.name, c.syntax) << '\n';
    out << "\nValues read as 4700, 4.7k, 4k7 or 4.7e3, with or without a unit. "
           "See voltiva(1).\n";
}

// What QGuiApplication and QApplication document, X11's -display and -geometry included; Qt
// reads each after one dash or two, and the three marked also as -name=value.
struct QtOption {
    std::string_view name;
    bool value;
    bool attached = false;
};
constexpr QtOption qtOptions[] = {
    {"platform", true},
    {"platformpluginpath", true},
    {"platformtheme", true},
    {"plugin", true},
    {"qmljsdebugger", false, true},
    {"qwindowgeometry", true},
    {"qwindowicon", true},
    {"qwindowtitle", true},
    {"reverse", false},
    {"session", true},
    {"display", true},
    {"geometry", true},
    {"style", true, true},
    {"stylesheet", true, true},
    {"widgetcount", false},
};

} // namespace

std::optional<std::string> windowsArgumentsError(const std::vector<std::string>& args)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!arg.starts_with('-') || arg.size() < 2)
            return "unexpected argument '" + arg + "' (see voltiva --help)";
        std::string_view name = std::string_view(arg).substr(arg.starts_with("--") ? 2 : 1);
        const std::size_t equals = name.find('=');
        const bool attached = equals != std::string_view::npos;
        if (attached)
            name = name.substr(0, equals);
        const auto* const known =
            std::find_if(std::begin(qtOptions), std::end(qtOptions), [&](const QtOption& o) { return o.name == name; });
        if (known == std::end(qtOptions) || (attached && !known->attached))
            return "unknown option '" + arg + "' (see voltiva --help)";
        if (known->value && !attached && ++i == args.size())
            return "option '" + arg + "' needs a value";
    }
    return std::nullopt;
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
        // Every command answers --help with its options, whatever else was typed.
        if (std::find(args.begin() + 1, args.end(), "--help") != args.end()) {
            out << helpText(c.name, c.syntax);
            return exitOk;
        }
        const Arguments a = arguments(std::vector<std::string>(args.begin() + 1, args.end()), c.syntax);
        if (!a.ok())
            return usage(err, a.error());
        if (const auto line = check(c.name, c.syntax, a))
            return usage(err, *line);
        return c.run(a, out, err);
    }
    return usage(err, "unknown command '" + args.front() + "' (see voltiva --help)");
}

} // namespace cli
