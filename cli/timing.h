// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cli.h"

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

namespace cli {

// rc: the time constant and corner of R and C, or the pairs for a target.
int runRc(const Arguments& a, std::ostream& out, std::ostream& err);
// reactance: a capacitor's or an inductor's at a frequency, and the part resonating with it there.
int runReactance(const Arguments& a, std::ostream& out, std::ostream& err);
// resonance: of L and C, or the capacitors for a frequency.
int runResonance(const Arguments& a, std::ostream& out, std::ostream& err);
// timer: the 555's astable and monostable, or the parts for a frequency and duty.
int runTimer(const Arguments& a, std::ostream& out, std::ostream& err);

// rc, reactance, resonance and timer.
std::span<const Command> timingCommands();

} // namespace cli
