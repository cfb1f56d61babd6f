// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cli.h"

#include <iosfwd>
#include <span>

namespace cli {

// wire: an AWG or metric size, its resistance and the sizes around it.
int runWire(const Arguments& a, std::ostream& out, std::ostream& err);

// drop: a cable run's voltage drop and loss, and the smallest sizes for a limit.
int runDrop(const Arguments& a, std::ostream& out, std::ostream& err);

// fuse: the current that melts a wire or a track (Onderdonk, Preece).
int runFuse(const Arguments& a, std::ostream& out, std::ostream& err);

// battery: how long a battery lasts under a load.
int runBattery(const Arguments& a, std::ostream& out, std::ostream& err);

// capacitor: a capacitor's energy and charge, and how long it holds a load up.
int runCapacitor(const Arguments& a, std::ostream& out, std::ostream& err);

// wire, drop, fuse, battery and capacitor: the commands of the Wires and power window.
std::span<const Command> wiresCommands();

} // namespace cli
