// SPDX-License-Identifier: MIT
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace cli {

// divider --vin 5 --vout 3.3 (or --vref 0.8 --vout 3.3) [--series E24+E96] [--range 1k..1M]
//         [--tolerance 1] [--top 10] [--json]: the best standard-value pairs for a divider.
int runDivider(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace cli
