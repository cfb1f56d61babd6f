// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cli.h"

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

namespace cli {

// divider --vin 5 --vout 3.3 (or --vref 0.8 --vout 3.3) [--series E24+E96] [--range 1k..1M]
//         [--tolerance 1] [--top 10] [--json]: the best standard-value pairs for a divider.
int runDivider(const Arguments& a, std::ostream& out, std::ostream& err);

// The commands above, as the tools catalogue lists them.
std::span<const Command> dividerCommands();

} // namespace cli
