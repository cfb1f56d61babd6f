// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cli.h"

#include <span>

namespace tools {

// filter, with its --plot pictures (.svg, .png) drawn by the plot painter.
std::span<const cli::Command> filterCommands();

} // namespace tools
