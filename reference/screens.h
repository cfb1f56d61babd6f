// SPDX-License-Identifier: MIT
#pragma once

#include "shell/linkform.h"

// Read-only screens: package pictures, instructions and About.
namespace reference {

extern const shell::LinkedScreen frmTransistors;
extern const shell::LinkedScreen frmCapacitors;
extern const shell::LinkedScreen frmHowTo;
extern const shell::LinkedScreen frmAboutProg;

} // namespace reference
