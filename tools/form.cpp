// SPDX-License-Identifier: MIT
#include "tools/form.h"

#include "tools/widgets.h"

#include <QLabel>
#include <QLineEdit>

namespace tools {

QLabel* labelFor(QWidget* parent, const QString& name, const QString& caption, QWidget* buddy)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setBuddy(buddy);
    return label;
}

QLabel* labelFor(QWidget* parent, const char* name, const QString& caption, QWidget* buddy)
{
    return labelFor(parent, QLatin1String(name), caption, buddy);
}

QLineEdit* field(QWidget* parent, const char* name, const QString& accessibleName, const QString& placeholder,
                 const QString& widthSample)
{
    auto* edit = named(new QLineEdit(parent), name, accessibleName);
    edit->setPlaceholderText(placeholder);
    // 12: the frame and the text margins the style draws around the text.
    if (!widthSample.isEmpty())
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(widthSample) + 12);
    return edit;
}

} // namespace tools
