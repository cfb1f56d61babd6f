// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cli.h"

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

// The marking commands.
namespace cli {

// mark: every resistor marking of the value, or why not.
int runMark(const Arguments& a, std::ostream& out, std::ostream& err);

// read: every reading of colour bands, a code or a value.
int runRead(const Arguments& a, std::ostream& out, std::ostream& err);

// The commands above, as the tools catalogue lists them.
std::span<const Command> markingsCommands();

} // namespace cli
