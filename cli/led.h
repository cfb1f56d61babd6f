// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cli.h"

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

namespace cli {

// led --supply 5 --vf 2 --current 10m [--count 1] [--series E24] [--supply-tolerance 5]
//     [--vf-range 1.8..2.2] [--tolerance 5] [--margin 2] [--json]: the LED's series resistor.
int runLed(const Arguments& a, std::ostream& out, std::ostream& err);

// ohm with any two of --v --i --r --p [--json]: the other two by Ohm's law.
int runOhm(const Arguments& a, std::ostream& out, std::ostream& err);

// The commands of the LED resistor window and of the Ohm's law window.
std::span<const Command> ledCommands();
std::span<const Command> ohmCommands();

} // namespace cli
