// SPDX-License-Identifier: MIT
#pragma once

// Qt's headers first: moc cannot read <compare> when it comes before them.
#include <QString>
#include <QWidget>

#include "values/series.h"
#include "values/timing.h"

#include <initializer_list>
#include <optional>
#include <vector>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QLocale;
class QTableWidget;
class QTableWidgetItem;

// What the pages of the Filters window share: fields whose message line is kept whether or not
// there is a message, so the window never changes size as the user types, and their tables.
namespace tools::filterfields {

// A caption, a field and its unit on one row, and the line under them for what is wrong with it.
struct Field {
    QLabel* label = nullptr;
    QLineEdit* edit = nullptr;
    QLabel* unit = nullptr;
    QLabel* message = nullptr;
    values::Measure quantity = values::Measure::Resistance;
    enum class Kind { Measure, Percent, Number };
    Kind kind = Kind::Measure; // a measure, a tolerance in percent, or a plain number above zero

    // Empty while the field is empty (no message) or refused (the message shown).
    std::optional<values::Decimal> read() const;
    void setEnabled(bool enabled) const; // a part the chosen circuit does not have
};

// `name` is the field's objectName ("txtFilterCorner"); the label, unit and message take "lbl"
// names after it. It opens empty, showing "e.g. `example`".
Field makeField(QWidget* parent, const char* name, const QString& caption, values::Measure quantity,
                const QString& accessibleName, const QString& example);
// A tolerance in percent, 0 to 50, opening at `text`: a setting more than a question.
Field makePercent(QWidget* parent, const char* name, const QString& caption, const QString& accessibleName,
                  const QString& text);
// A plain number above zero (a Q), opening empty as makeField.
Field makeNumber(QWidget* parent, const char* name, const QString& caption, const QString& accessibleName,
                 const QString& example);
// Label, field and unit on `row`, the message under the field on the row below.
void addField(QGridLayout* grid, int row, const Field& field);

// A series and the range its values come from, on the grid's row and the message under it.
class Range {
public:
    // prefix "FilterR" names cboFilterRSeries, txtFilterRFrom, txtFilterRTo and lblFilterRMessage.
    Range(QWidget* parent, QGridLayout* grid, int row, const QString& prefix, const QString& caption,
          values::Measure quantity, values::Series series, const char* from, const char* to);

    std::optional<std::vector<values::Decimal>> values() const; // empty with a message when refused
    QComboBox* series() const { return series_; }
    QLineEdit* from() const { return from_; }
    QLineEdit* to() const { return to_; }
    void setEnabled(bool enabled) const; // a part the chosen circuit does not have

private:
    values::Measure measure_;
    QLabel* label_ = nullptr;
    QComboBox* series_ = nullptr;
    QLineEdit* from_ = nullptr;
    QLineEdit* to_ = nullptr;
    QLabel* between_ = nullptr;
    QLabel* unit_ = nullptr;
    QLabel* message_ = nullptr;
};

// A results table (tools/table.h) with the headers given, `rows` rows high; the columns in
// `stretch` take the width left over.
QTableWidget* makeTable(QWidget* parent, const char* name, const QString& accessibleName, const QStringList& headers,
                        int rows, std::initializer_list<int> stretch = {});

// What the tables show: a figure to five digits ("0.54072") and a signed error ("+0.11527 %"), and
// the same at full precision for copying.
QString figure(double value, const QLocale& locale);
QTableWidgetItem* figureCell(double value, const QLocale& locale);
QTableWidgetItem* frequencyCell(double hz, const QLocale& locale);
QTableWidgetItem* errorCell(double percent, const QLocale& locale);

} // namespace tools::filterfields
