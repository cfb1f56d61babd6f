// SPDX-License-Identifier: MIT
#pragma once

#include "shell/layout.h"

class QMainWindow;
class QWidget;

namespace shell {

// Makes a screen's window with its menus and controls, each carrying its declared name as
// objectName, chained for Tab in TabIndex order. Returns the control that takes the focus
// when the screen is shown (the focusable one with the lowest TabIndex), or nullptr.
QWidget* buildScreen(const ScreenDecl& decl, QMainWindow& window);

} // namespace shell
