// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cli.h"

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

namespace cli {

// eval: a network's exact value, its range over the tolerances and the text written back in the
// finder's form.
int runEval(const Arguments& a, std::ostream& out, std::ostream& err);

std::span<const Command> networkCommands();

} // namespace cli
