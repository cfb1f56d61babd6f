// SPDX-License-Identifier: MIT
#pragma once

#include "schematic/schematic.h"

// After a Qt header: moc cannot read the C++20 standard headers that come first.
#include "values/filters.h"

#include <QLocale>
#include <QString>

// The Filters window's circuits from its answers.
namespace tools::filterdrawing {

// A part's value as the tables write it: "2.4 kΩ", "39 nF".
QString valueText(const values::SectionPart& part, const QLocale& locale);

// The designed filter's stages from "in" to "out", each part named and valued as in the table.
schematic::Drawing active(const values::FilterDesign& design, const QLocale& locale);

// A passive filter with its parts' values as given (empty while not given); R is the load of the
// LC forms.
schematic::Drawing passive(values::PassiveForm form, const QString& r, const QString& l, const QString& c);

} // namespace tools::filterdrawing
