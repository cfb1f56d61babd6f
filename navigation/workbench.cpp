// SPDX-License-Identifier: MIT
#include "navigation/workbench.h"

#include "shell/fonts.h"
#include "shell/project.h"
#include "tools/catalogue.h"
#include "tools/workbench/workbench.h"

#include <QMainWindow>

#include <utility>

namespace navigation {

FrmWorkbench::FrmWorkbench(shell::Project& project)
    : shell::Form(project, "frmWorkbench")
{
}

tools::Workbench* FrmWorkbench::fill(QMainWindow& window)
{
    window.setObjectName(QString::fromLatin1(name()));
    auto* workbench = new tools::Workbench(window,
                                           {
                                               [this] { openAnother(); },
                                               [this] { project().show("frmMainScr"); },
                                               [this] { project().show("frmHowTo"); },
                                               [this] { project().show("frmAboutProg"); },
                                           });
    shell::useInterfaceFont(window);
    return workbench;
}

QWidget* FrmWorkbench::build(QMainWindow& window)
{
    workbench_ = fill(window);
    return workbench_->showTool(std::exchange(opening_, {}));
}

void FrmWorkbench::showPart(std::string_view tool)
{
    if (!isLoaded()) {
        opening_ = tool;
        show();
    } else {
        show();
        workbench_->showTool(tool);
    }
}

void FrmWorkbench::openAnother()
{
    auto* window = new QMainWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    project().holdOpen(*window);
    tools::Workbench* another = fill(*window);
    window->setWindowIcon(shell::Project::icon());
    another->showTool(workbench_ && workbench_->currentTool() ? workbench_->currentTool()->window : "");
    window->show();
}

} // namespace navigation
