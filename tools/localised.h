// SPDX-License-Identifier: MIT
#pragma once

#include <QLocale>
#include <QString>

#include "values/measure.h"

#include <optional>
#include <span>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace tools {

// The locale's decimal separator as the value library reads it: one ASCII character, or "."
// where the locale's is anything else ("." is always read too).
char decimalSeparator(const QLocale& locale = QLocale());

// A text of the value library ("4.7 kΩ", "+2.00 %") with the locale's decimal separator.
QString localised(const std::string& text, const QLocale& locale = QLocale());

// A choice of numbers ("0.5", "1.5") written in the locale with `suffix` after them (" %", "x"),
// each item keeping its number as the value library reads it as its data; `current` chosen.
QComboBox* numberChoices(QWidget* parent, const char* name, const QString& accessibleName,
                         std::span<const char* const> numbers, const QString& suffix, int current);

// The value typed in `field`, bare or in the measure's unit, read in the field's locale: empty for
// an empty field, and empty with the reader's message, in the measure's words, set on `message`
// when it is refused.
std::optional<values::Decimal> readTyped(const QLineEdit* field, QLabel* message, values::Measure measure);

} // namespace tools
