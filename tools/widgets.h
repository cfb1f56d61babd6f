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
#include <QTextLayout>
#include <QWidget>
#include <QtMath>

#include <algorithm>
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

// A message, a search's status or an answer that comes and goes without moving anything: it keeps
// room for `lines` lines of its font whatever it says, empty too (which some faces make lower than
// a line), so the window keeps its size; a text longer than that is cut at the last line.
// Selectable, so it can be copied.
class SteadyLabel : public QLabel {
public:
    enum class Tone { Warning, Plain };

    SteadyLabel(QWidget* parent, const QString& name, int lines, Tone tone = Tone::Warning)
        : QLabel(parent)
        , lines_(lines)
    {
        setObjectName(name);
        setWordWrap(true);
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setTextInteractionFlags(Qt::TextSelectableByMouse);
        // After setWordWrap, which would ask a height for every width: this one has one height.
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        if (tone == Tone::Warning) {
            QPalette warning = palette();
            warning.setColor(QPalette::WindowText, QColor(0xa0, 0x00, 0x00));
            setPalette(warning);
        }
    }

    // A figure with its unit: room for the unit's sign, whichever face draws it.
    void keepRoomForUnits()
    {
        units_ = true;
        updateGeometry();
    }

    QSize sizeHint() const override { return {0, reserved()}; }
    QSize minimumSizeHint() const override { return {0, reserved()}; }
    bool hasHeightForWidth() const override { return false; }
    int heightForWidth(int) const override { return reserved(); }

private:
    int reserved() const
    {
        const QMargins margins = contentsMargins();
        const int first = units_ ? unitsLineHeight() : fontMetrics().lineSpacing();
        return first + (lines_ - 1) * fontMetrics().lineSpacing() + margins.top() + margins.bottom() + 2 * margin();
    }

    // A line as tall as the units make it: where the font lacks Ω or µ, the face that has them
    // may stand taller, and a line reserved by the font's own spacing would cut them off.
    int unitsLineHeight() const
    {
        QTextLayout layout(QStringLiteral("Ω µ ° Ag"), font());
        layout.beginLayout();
        const QTextLine line = layout.createLine();
        layout.endLayout();
        return std::max(fontMetrics().lineSpacing(), qCeil(line.height()));
    }

    int lines_;
    bool units_ = false;
};

// A message beside a field, two lines of room.
inline QLabel* warningLabel(QWidget* parent, const char* name, int lines = 2)
{
    return new SteadyLabel(parent, QLatin1String(name), lines);
}

} // namespace tools
