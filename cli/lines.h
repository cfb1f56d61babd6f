// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cli.h"

#include <iosfwd>
#include <span>

namespace cli {

// line: a transmission line's impedance, delay and loss from its cross-section, or the width (or
// gap) for an impedance, with the impedance's range over the tolerances.
int runLine(const Arguments& a, std::ostream& out, std::ostream& err);

// line: the command of the Transmission lines window.
std::span<const Command> linesCommands();

} // namespace cli
