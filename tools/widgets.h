// SPDX-License-Identifier: MIT
#pragma once

#include "tools/singleline.h"

// After a Qt header: moc cannot read the C++20 standard headers that come first.
#include "numeric/text.h"

#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QString>
#include <QTableWidgetItem>
#include <QWidget>

#include <initializer_list>
#include <type_traits>
#include <vector>

// Small pieces every panel builds with.
namespace tools {

// Every control carries its name, for tests, accessibility tools and people, and fields and
// tables a name a screen reader can say.
template <class W>
W* named(W* widget, const char* name, const QString& accessibleName = {})
{
    widget->setObjectName(QLatin1String(name));
    if (!accessibleName.isEmpty())
        widget->setAccessibleName(accessibleName);
    if constexpr (std::is_base_of_v<QLineEdit, W>)
        singleLine(widget);
    return widget;
}

// What was typed as a message quotes it (values::elided): "'%1' is not a current".
inline QString elided(const QString& typed)
{
    return QString::fromStdString(values::elided(typed.toStdString()));
}

// Tab moves from each widget to the next, in the order given.
inline void tabChain(const std::vector<QWidget*>& widgets)
{
    QWidget* previous = nullptr;
    for (QWidget* w : widgets) {
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
}
inline void tabChain(std::initializer_list<QWidget*> widgets)
{
    tabChain(std::vector<QWidget*>(widgets));
}

// A result cell; numbers line up on the right.
inline QTableWidgetItem* cell(const QString& text, Qt::Alignment alignment = Qt::AlignRight | Qt::AlignVCenter)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment);
    return item;
}

// A message beside a field: wrapped, dark red, and selectable so it can be copied.
inline QLabel* warningLabel(QWidget* parent, const char* name)
{
    auto* label = named(new QLabel(parent), name);
    label->setWordWrap(true);
    QPalette warning = parent->palette();
    warning.setColor(QPalette::WindowText, QColor(0xa0, 0x00, 0x00));
    label->setPalette(warning);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace tools
