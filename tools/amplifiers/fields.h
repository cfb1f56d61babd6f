// SPDX-License-Identifier: MIT
#pragma once

#include "tools/wires/fields.h"

// After a Qt header: moc cannot read the C++20 standard headers that come first.
#include "numeric/exact.h"
#include "values/series.h"

#include <QStringList>

#include <optional>
#include <span>
#include <vector>

class QComboBox;
class QPushButton;
class QTableWidget;

// What the pages of the Amplifiers and regulators window share beyond the wire pages' rows:
// exact values read from a row, series lists, and answer tables that copy.
namespace tools::amplifierfields {

using boardfields::Row;

// The row's value in `unit`: empty while the field is empty, and empty with the reason beside the
// field when it is refused. `zero` lets a zero through (an adjust-pin current of none); `signed_`
// a minus sign (an inverting gain, a negative regulator), which `negative` then reports.
// A unit the value parser does not know ("W", "s", "C") is `suffix`, taken off first.
struct Reading {
    values::Unit unit = values::Unit::None;
    const char* notThis = "'%1' is not a value: write 4.7k, 4k7 or 4700";
    bool zero = false;
    bool signed_ = false;
    const char* suffix = "";
};
std::optional<values::Decimal> read(const Row& row, const Reading& how, bool* negative = nullptr);

// Shows or hides a row whole: its label, field, unit and message.
void setRowVisible(const Row& row, bool visible);

// "715 Ω", "5.0097 V": five digits, the unit's prefix, the locale's separator.
QString shown(const values::Decimal& value, const char* unit, const QLocale& locale);
QString shown(const values::Exact& value, const char* unit, const QLocale& locale);
QString shown(double value, const char* unit, const QLocale& locale);

// The series a page chooses from: single series, and the unions many 1 % ranges stock.
QComboBox* seriesChoice(QWidget* parent, const char* name, const QString& accessibleName, const char* current,
                        bool unions = true);
values::SeriesSet chosenSeries(const QComboBox* box);

// An answer table as every tool has them (tools/table.h), and its Copy table button, on a key
// none of the pages' captions takes.
QTableWidget* answerTable(QWidget* parent, const char* name, const QString& accessibleName, const QStringList& headers);
QPushButton* copyButton(QWidget* parent, const char* name, QTableWidget* table);

// A designer's page: its fields beside its circuit, the table below, and under it the status line
// (`lines` of room, in the page's own colours) with the Copy table button.
QLabel* statusLabel(QWidget* page, const char* name, int lines = 2);
void layOutDesigner(QWidget* page, QLayout* fields, QWidget* circuit, QTableWidget* table, QLabel* status,
                    QPushButton* copy);

} // namespace tools::amplifierfields
