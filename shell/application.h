// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

class QApplication;

namespace shell {

// What the program sets up between creating the QApplication and showing its first screen:
// the names the desktop knows it by, the end of the program left to the screens, and the
// interface font.
void setUpApplication();

// The same program on Qt's offscreen platform, for tests, benchmarks and the screenshot
// renderer: independent of the display of whoever runs it, at the given device pixel ratio
// (fromEnvironment: the scale and platform options the environment gives, so one test binary
// runs at several ratios), in the C locale, and without the offscreen platform's notices that
// it cannot raise a window.
inline constexpr double fromEnvironment = 0;
std::unique_ptr<QApplication> startOffscreen(int& argc, char** argv, double scale = 1);

} // namespace shell
