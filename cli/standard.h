// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cli.h"

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

// The standard-values commands.
namespace cli {

// nearest VALUE [--series E24] [--json]: every series (or the one named) with its nearest value.
int runNearest(const Arguments& a, std::ostream& out, std::ostream& err);

// combine VALUE [--series E24] [--range 10..1M] [--parts 3] [--top 10] [--capacitor]
//         [--stock FILE] [--json]: the best networks of 1 to 3 parts.
int runCombine(const Arguments& a, std::ostream& out, std::ostream& err);

// The commands above, as the tools catalogue lists them.
std::span<const Command> standardCommands();

} // namespace cli
