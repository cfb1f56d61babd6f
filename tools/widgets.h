// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QTableWidgetItem>

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
    return widget;
}

// A result cell; numbers line up on the right.
inline QTableWidgetItem* cell(const QString& text, Qt::Alignment alignment = Qt::AlignRight | Qt::AlignVCenter)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment);
    return item;
}

} // namespace tools
