// SPDX-License-Identifier: MIT
#pragma once

#include <QLocale>
#include <QString>

#include <string>

namespace tools {

// The locale's decimal separator as the value library reads it: one ASCII character, or "."
// where the locale's is anything else ("." is always read too).
char decimalSeparator(const QLocale& locale = QLocale());

// A text of the value library ("4.7 kΩ", "+2.00 %") with the locale's decimal separator.
QString localised(const std::string& text, const QLocale& locale = QLocale());

} // namespace tools
