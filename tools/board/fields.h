// SPDX-License-Identifier: MIT
#pragma once

#include "tools/form.h"
#include "tools/localised.h"
#include "tools/widgets.h"
#include "values/board.h"
#include "values/dividerdesign.h"

// After a Qt header: moc cannot read the C++20 standard headers that come first.
#include "numeric/format.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPalette>

#include <optional>

// What the three pages of the Board window share: a row of label, field, unit and the message
// beside it, and figures shown the way the rest of the Tools show them.
namespace tools::boardfields {

// A label that opens empty asks MS Sans Serif for the width of no text, which comes back as
// hundreds of pixels; these labels take the width the layout gives them instead.
inline QLabel* emptyLabel(QWidget* parent, const char* name)
{
    auto* label = named(new QLabel(parent), name);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return label;
}

inline QLabel* message(QWidget* parent, const char* name)
{
    return warningLabel(parent, name);
}

inline QLabel* answer(QWidget* parent, const char* name)
{
    auto* label = new SteadyLabel(parent, QLatin1String(name), 1, SteadyLabel::Tone::Plain);
    label->keepRoomForUnits();
    label->setMinimumWidth(
        label->fontMetrics().horizontalAdvance(QStringLiteral("000.0 mΩ at 100 °C (ambient plus rise)")));
    return label;
}

// A wrapped note under a page: as tall as it needs at the width the page opens with, so the
// window opens tall enough to show all of it.
inline QLabel* note(QWidget* parent, const char* name, const QString& text)
{
    auto* label = emptyLabel(parent, name);
    label->setWordWrap(true);
    label->setText(text);
    const int width = label->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 90;
    label->setMinimumSize(width, label->heightForWidth(width));
    return label;
}

struct Row {
    QLabel* label = nullptr;
    QLineEdit* field = nullptr;
    QLabel* unit = nullptr;
    QLabel* message = nullptr;
};

// One line of the grid: "&Hole:" [field] mm  <message>. Names follow the field's: txtViaHole
// has lblViaHole, lblViaHoleUnit and lblViaHoleMessage.
inline Row row(QWidget* parent, QGridLayout* grid, int at, const char* fieldName, const QString& caption,
               const QString& accessibleName, const QString& unit, const QString& text = {})
{
    const QByteArray stem = QByteArray(fieldName).mid(3);
    Row r;
    r.field = named(new QLineEdit(text, parent), fieldName, accessibleName);
    r.label = labelFor(parent, ("lbl" + stem).constData(), caption, r.field);
    r.unit = unit.isEmpty() ? emptyLabel(parent, ("lbl" + stem + "Unit").constData())
                            : named(new QLabel(unit, parent), ("lbl" + stem + "Unit").constData());
    r.message = message(parent, ("lbl" + stem + "Message").constData());
    grid->addWidget(r.label, at, 0);
    grid->addWidget(r.field, at, 1);
    grid->addWidget(r.unit, at, 2);
    grid->addWidget(r.message, at, 3);
    r.field->setMinimumWidth(r.field->fontMetrics().horizontalAdvance(QStringLiteral("0000.0000 mm")));
    return r;
}

// A reading for a row: the value, or nothing with the message beside the field (an empty field
// has no message, it simply gives no answer yet).
inline std::optional<double> read(const Row& r, const values::QuantityReading& reading)
{
    r.message->clear();
    if (reading.value)
        return values::nearestDouble(*reading.value);
    if (!r.field->text().trimmed().isEmpty())
        r.message->setText(QString::fromStdString(reading.error));
    return std::nullopt;
}

inline std::string typed(const QLineEdit* field)
{
    return field->text().toStdString();
}

// "170.33 mΩ", "1.9021 A", with the locale's decimal separator.
inline QString withUnit(double value, const char* unit, const QLocale& locale)
{
    return localised(values::figure(value, unit), locale);
}

// "0.30043", "11.828": lengths in mm and mil carry no prefix.
inline QString plain(double value, const QLocale& locale)
{
    return localised(values::plain(value), locale);
}

// Metres in millimetres, shifted as a decimal so that an exact spacing keeps its digits.
inline QString millimetres(double metres, const QLocale& locale)
{
    return localised(values::plain(values::approximate(values::scaled(metres, 3))), locale);
}

} // namespace tools::boardfields
