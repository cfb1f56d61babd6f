// SPDX-License-Identifier: MIT
#pragma once

#include "shell/form.h"
#include "shell/project.h"

#include <vector>

namespace shell {

// What one Click does on a screen that only leads on to others: show a screen, or unload the
// screen it is on. The row is named after its handler, control_Click; the control is the name
// before "_Click".
struct Link {
    const char* handler = nullptr;
    const char* shows = nullptr; // unloadsItself: the screen closes
    const char* part = nullptr;  // where in the screen it opens: a workbench's tool
};
inline constexpr const char* unloadsItself = nullptr;

// A screen described entirely as data: its declaration and what each of its controls opens.
struct LinkedScreen {
    const ScreenDecl& layout;
    std::vector<Link> links;
};

// Serves every LinkedScreen. Each control and each screen it opens is resolved when the
// screen is loaded; one it cannot find throws NameError then.
class LinkForm final : public Form {
public:
    LinkForm(Project& project, const LinkedScreen& screen);

private:
    void wire() override;

    const LinkedScreen& screen_;
};

// A table row for a LinkedScreen, named after its declaration.
ScreenEntry screen(const LinkedScreen& linked);

} // namespace shell
