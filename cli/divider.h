// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cli.h"

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

namespace cli {

// divider: the best standard-value pairs for a divider, or for a regulator's feedback.
int runDivider(const Arguments& a, std::ostream& out, std::ostream& err);

// The commands above, as the tools catalogue lists them.
std::span<const Command> dividerCommands();

} // namespace cli
