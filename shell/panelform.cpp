// SPDX-License-Identifier: MIT
#include "shell/panelform.h"

#include "shell/fonts.h"

#include <QAbstractButton>
#include <QMainWindow>

namespace shell {

PanelForm::PanelForm(Project& project, const char* name, PanelFactory make)
    : Form(project, std::string(name))
    , make_(std::move(make))
{
}

QWidget* PanelForm::build(QMainWindow& window)
{
    window.setObjectName(QString::fromLatin1(name()));
    useInterfaceFont(window);
    QWidget* panel = make_(&window);
    window.setCentralWidget(panel);
    window.setWindowTitle(panel->windowTitle());
    QObject::connect(panel, &QWidget::windowTitleChanged, &window, &QWidget::setWindowTitle);
    window.resize(window.sizeHint());
    return nullptr; // Qt's own choice: the first control in the panel's tab order
}

void PanelForm::wire()
{
    if (control<QAbstractButton>("cmdClose"))
        onClick("cmdClose", [this] { unload(); });
}

ScreenEntry panel(const char* name, PanelFactory make)
{
    return {name, [name, make = std::move(make)](Project& p) { return std::make_unique<PanelForm>(p, name, make); }};
}

} // namespace shell
