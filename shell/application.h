// SPDX-License-Identifier: MIT
#pragma once

namespace shell {

// What the program sets up between creating the QApplication and showing its first screen:
// the names the desktop knows it by, the end of the program left to the screens, and the
// interface font. Tests, benchmarks and the screenshot renderer start the same way.
void setUpApplication();

// On the offscreen platform (tests, screenshots) Qt says for every window that it cannot
// raise it; that notice is noise there.
void silenceOffscreenNotices();

} // namespace shell
