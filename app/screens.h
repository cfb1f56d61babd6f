// SPDX-License-Identifier: MIT
#pragma once

#include "shell/project.h"

namespace app {

// Every screen of the program by name; it starts on frmMainScr.
shell::ScreenTable screens();

} // namespace app
