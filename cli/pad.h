// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cli.h"

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

namespace cli {

// pad: the Pi, T and bridged-T pads, each resistor exact and standard, and what the standard pad
// does terminated in Z.
int runPad(const Arguments& a, std::ostream& out, std::ostream& err);

std::span<const Command> padCommands();

} // namespace cli
