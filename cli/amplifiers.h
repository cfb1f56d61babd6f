// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cli.h"

#include <iosfwd>
#include <span>

namespace cli {

// opamp: the standard pairs for an op-amp's gain, with the gain over the tolerance.
int runOpAmp(const Arguments& a, std::ostream& out, std::ostream& err);

// regulator: the standard pairs for an adjustable regulator's output, with the adjust-pin current.
int runRegulator(const Arguments& a, std::ostream& out, std::ostream& err);

// zener: the series resistor of a Zener shunt regulator, its window and the values inside it.
int runZener(const Arguments& a, std::ostream& out, std::ostream& err);

// heatsink: the junction's temperature without a heat sink, and the largest heat sink allowed.
int runHeatSink(const Arguments& a, std::ostream& out, std::ostream& err);

// switch: a bipolar transistor's base resistor, or an N-MOSFET's gate resistor and pull-down.
int runSwitch(const Arguments& a, std::ostream& out, std::ostream& err);

// opamp, regulator, zener, heatsink and switch: the commands of the Amplifiers and regulators window.
std::span<const Command> amplifiersCommands();

} // namespace cli
