// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cli.h"

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

namespace cli {

// led: the LED string's series resistor.
int runLed(const Arguments& a, std::ostream& out, std::ostream& err);

// ohm: any two of V, I, R and P give the other two.
int runOhm(const Arguments& a, std::ostream& out, std::ostream& err);

// The commands of the LED resistor window and of the Ohm's law window.
std::span<const Command> ledCommands();
std::span<const Command> ohmCommands();

} // namespace cli
