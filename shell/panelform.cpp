// SPDX-License-Identifier: MIT
#include "shell/panelform.h"

#include "shell/fonts.h"

#include <QAbstractButton>
#include <QLabel>
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
    // Made and measured in the face of ratio 1, which the faces of the other ratios were narrowed
    // to fit, then drawn in the face of the window's ratio: the same logical size on every
    // display, as the declared screens keep theirs.
    const QFont face = window.font();
    window.setFont(interfaceFont(1.0));
    QWidget* panel = make_(&window);
    // A word-wrapped label hints 80 average characters of its font, and an empty one hints what
    // the font engine makes of nothing: both differ from face to face. Left to them, a message
    // line filled later would set the window's width; it takes the width the fields and tables
    // give it instead.
    for (QLabel* label : panel->findChildren<QLabel*>()) {
        if (label->wordWrap() || label->text().isEmpty())
            label->setSizePolicy(QSizePolicy::Ignored, label->sizePolicy().verticalPolicy());
    }
    window.setCentralWidget(panel);
    window.setWindowTitle(panel->windowTitle());
    QObject::connect(panel, &QWidget::windowTitleChanged, &window, &QWidget::setWindowTitle);
    const QSize atRatioOne = window.sizeHint();
    window.setFont(face);
    // Qt leaves some inner parts (a table's header) with the face they were made in; an empty
    // font makes a widget inherit again.
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->testAttribute(Qt::WA_SetFont) && widget->font() != face)
            widget->setFont(QFont());
    }
    window.resize(atRatioOne.expandedTo(window.sizeHint()));
    // A panel names the field typing goes to with setFocusProxy; else Qt's own choice, the first
    // control in its tab order.
    return panel->focusProxy();
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
