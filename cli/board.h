// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cli.h"

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

namespace cli {

// track: the width for a current by IPC-2221, or the current for a width.
int runTrack(const Arguments& a, std::ostream& out, std::ostream& err);

// via: a plated via's resistance, current, thermal resistance, capacitance and inductance.
int runVia(const Arguments& a, std::ostream& out, std::ostream& err);

// spacing: IPC-2221B table 6-1, every category.
int runSpacing(const Arguments& a, std::ostream& out, std::ostream& err);

// track, via and spacing, for the command line's table.
std::span<const Command> boardCommands();

} // namespace cli
