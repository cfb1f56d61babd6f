// SPDX-License-Identifier: MIT
#pragma once

#include "shell/form.h"
#include "shell/project.h"

#include <functional>

class QWidget;

namespace shell {

// Makes a panel's widget as a child of the window it will fill.
using PanelFactory = std::function<QWidget*(QWidget* parent)>;

// A screen laid out by Qt layouts rather than declared in twips, in the same lifecycle as
// every other: one default instance, show brings it to the front, the close box unloads it.
// The window takes the panel's windowTitle, the interface font and the program's icon, and can
// be resized. A button named cmdClose inside the panel unloads the screen. The panel's focus
// proxy, if it sets one, takes the focus when the window opens.
class PanelForm final : public Form {
public:
    PanelForm(Project& project, const char* name, PanelFactory make);

private:
    QWidget* build(QMainWindow& window) override;
    void wire() override;

    PanelFactory make_;
};

// A table row for a panel: panel("frmX", factory), or panel<X>("frmX") for a widget class
// constructed from its parent.
ScreenEntry panel(const char* name, PanelFactory make);
template <class P>
ScreenEntry panel(const char* name)
{
    return panel(name, [](QWidget* parent) { return new P(parent); });
}

} // namespace shell
