// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cli.h"

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

// The standard-values commands.
namespace cli {

// nearest: every series (or the ones named) with its nearest value.
int runNearest(const Arguments& a, std::ostream& out, std::ostream& err);

// combine: the best networks of 1 to 4 parts.
int runCombine(const Arguments& a, std::ostream& out, std::ostream& err);

// The commands above, as the tools catalogue lists them.
std::span<const Command> standardCommands();

} // namespace cli
