// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cli.h"

#include <iosfwd>
#include <span>

namespace cli {

// convert: a level, a gain or ratio, a frequency, period or wavelength, or a value under every
// prefix, in every form at once.
int runConvert(const Arguments& a, std::ostream& out, std::ostream& err);

// The command of the Conversions window.
std::span<const Command> conversionsCommands();

} // namespace cli
