// SPDX-License-Identifier: MIT
#include "shell/linkform.h"

#include <string_view>

namespace shell {

LinkForm::LinkForm(Project& project, const LinkedScreen& screen)
    : Form(project, screen.layout)
    , screen_(screen)
{
}

void LinkForm::wire()
{
    constexpr std::string_view click = "_Click";
    for (const Link& link : screen_.links) {
        const std::string_view handler = link.handler;
        if (!handler.ends_with(click))
            throw NameError(std::string(name()) + ": " + link.handler + " is not a Click handler");
        const std::string_view control = handler.substr(0, handler.size() - click.size());
        if (link.shows == unloadsItself) {
            onClick(control, [this] { unload(); });
        } else {
            Form* target = &project().form(link.shows);
            if (link.part)
                onClick(control, [target, part = link.part] { target->showPart(part); });
            else
                onClick(control, [target] { target->show(); });
        }
    }
}

ScreenEntry screen(const LinkedScreen& linked)
{
    return {linked.layout.name, [&linked](Project& p) { return std::make_unique<LinkForm>(p, linked); }};
}

} // namespace shell
