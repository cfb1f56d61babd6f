// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cli.h"

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

namespace cli {

// track --current A | --width W [--rise 10] [--copper 1oz] [--internal] [--length L] [--ambient 20] [--json]
int runTrack(const Arguments& a, std::ostream& out, std::ostream& err);

// via --hole D --plating T --length H --pad D1 --antipad D2 [--er 4.5] [--current A] [--rise 10] [--json]
int runVia(const Arguments& a, std::ostream& out, std::ostream& err);

// spacing --voltage V [--json]: IPC-2221B table 6-1, every category.
int runSpacing(const Arguments& a, std::ostream& out, std::ostream& err);

// track, via and spacing, for the command line's table.
std::span<const Command> boardCommands();

} // namespace cli
