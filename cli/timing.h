// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cli.h"

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

namespace cli {

// rc --r R --c C [--vs V --v V] | rc --fc F | --tau T [--r-series E24] [--r-range 1k..1M]
//    [--c-series E6] [--c-range 1n..1u] [--top 10] [--json]
int runRc(const Arguments& a, std::ostream& out, std::ostream& err);
// reactance --f F --c C | --l L [--json]
int runReactance(const Arguments& a, std::ostream& out, std::ostream& err);
// resonance --l L --c C | --l L --f0 F [--c-series E12] [--c-range 1p..10u] [--top 10] [--json]
int runResonance(const Arguments& a, std::ostream& out, std::ostream& err);
// timer --r1 R --r2 R --c C [--diode] | --mono --r R --c C | --f F --duty D [--diode]
//       [--r-series E24] [--r-range 1k..1M] [--c-series E6] [--c-range 1n..10u] [--top 10] [--json]
int runTimer(const Arguments& a, std::ostream& out, std::ostream& err);

// rc, reactance, resonance and timer.
std::span<const Command> timingCommands();

} // namespace cli
