// SPDX-License-Identifier: MIT
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTableWidgetItem>

// After a Qt header: moc cannot read the C++20 standard headers that come first.
#include "numeric/decimal.h"

#include <initializer_list>

class QPushButton;
class QTableWidget;
class QWidget;

namespace values {
class Exact;
struct Deviation;
} // namespace values

// The tables every tool answers in, alike in every window: read only, whole rows selected (more
// with Shift and Ctrl), Tab in and out in one press with the arrows moving inside, a frame while
// it has the focus, every column as wide as its widest text, and Ctrl+C or "Copy table" copying
// the rows with their headers.
namespace tools {

// Makes `table` a results table; the columns in `stretch` (all when none is given) share the
// width left over once every column fits its text.
void makeResultsTable(QTableWidget* table, std::initializer_list<int> stretch = {});
QTableWidget* resultsTable(QWidget* parent, const char* name, const QString& accessibleName, const QStringList& headers,
                           std::initializer_list<int> stretch = {});

// A cell that shows `shown` and copies `copied`: the value at full precision where the shown
// text rounds it.
QTableWidgetItem* cell(const QString& shown, const QString& copied,
                       Qt::Alignment alignment = Qt::AlignRight | Qt::AlignVCenter);

// Values as a cell copies them: with their unit and every digit there is, in the locale. A
// decimal whole, a double as the shortest text that reads back as it, an exact ratio to 17
// significant digits, a deviation from the double nearest its exact percentage.
QString fullText(const values::Decimal& value, const char* unit, const QLocale& locale);
QString fullText(double value, const char* unit, const QLocale& locale);
QString fullText(const values::Exact& value, const char* unit, const QLocale& locale);
QString fullText(const values::Deviation& deviation, const QLocale& locale);
QString fullPercent(double percent, const QLocale& locale); // "+0.52631578947368418 %"

// The table as text for a spreadsheet: its headers, then the selected rows or every row when
// none is selected, tab-separated, each cell as it copies. A shown vertical header is the first
// column.
QString tableText(const QTableWidget& table);
void copyTable(const QTableWidget& table); // to the clipboard, unless the table is empty

// "Copy table" for `table`, named `name`, enabled while the table holds anything.
QPushButton* copyTableButton(QWidget* parent, QTableWidget* table, const char* name = "cmdCopyTable",
                             const QString& caption = {});

} // namespace tools
