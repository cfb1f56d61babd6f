// SPDX-License-Identifier: MIT
#pragma once

#include "cli/command.h"

#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The command line: `voltiva <command> ...` prints and exits without creating a window.
namespace cli {

inline constexpr int exitOk = 0;
inline constexpr int exitFailure = 1; // the answer could not be written
inline constexpr int exitUsage = 2;   // bad input: one line on err naming the argument

// The text with control characters, and bytes that are not UTF-8, shown as \xNN, and the
// bidirectional controls (U+202E ...) as \uNNNN: what comes from arguments or files must not
// reach a terminal as an escape sequence, nor reorder the message around it.
std::string printable(std::string_view text);

// Every message of the command line goes through here: "voltiva: <text>" on err, printable.
void message(std::ostream& err, std::string_view text);

// message(), then the exit status for bad input.
int usage(std::ostream& err, std::string_view text);

// The arguments after the command name, already checked against the command's syntax, and where
// to print.
using Run = int (*)(const Arguments& a, std::ostream& out, std::ostream& err);

struct Command {
    std::string_view name; // "nearest"
    Syntax syntax;
    Run run;
};

// Whether the arguments (without argv[0]) ask for the command line rather than the windows: a
// word (a command, known or not), --help/-h or --version. Qt's own options (-platform ...) are
// left to the windows.
bool isCommandLine(const std::vector<std::string>& args);

// For the arguments the windows get (isCommandLine false), the line refusing them, or nothing:
// Qt takes only the options QApplication documents (-platform xcb, -style fusion, -reverse ...),
// and would pass anything else by in silence.
std::optional<std::string> windowsArgumentsError(const std::vector<std::string>& args);

// Runs the command among `commands` that the arguments name (args without argv[0]); returns the
// exit status, exitFailure when out could not take the answer. --help lists `commands` in their
// order. Each tool's commands come from its own file (standardCommands() ...); the program passes
// them all, in the tools catalogue's order.
int run(const std::vector<std::string>& args, std::span<const Command> commands, std::ostream& out, std::ostream& err);

// run() on standard output and error, as the program does: a reader that closed the pipe is an
// answer not written (exitFailure, with a message), not a silent end by SIGPIPE.
int runOnStandardStreams(const std::vector<std::string>& args, std::span<const Command> commands);

// run() without the check that out took the answer.
int dispatch(const std::vector<std::string>& args, std::span<const Command> commands, std::ostream& out,
             std::ostream& err);

} // namespace cli
