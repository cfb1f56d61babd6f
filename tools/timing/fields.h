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
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;
class QTabWidget;

// The pieces the pages of the Timing and filters window share.
namespace tools::timing {

// A value typed with its unit beside it and, under it, what is wrong with it.
struct Field {
    QLabel* label = nullptr;
    QLineEdit* edit = nullptr;
    QLabel* unit = nullptr;
    QLabel* message = nullptr;
    values::Measure quantity = values::Measure::Resistance;

    // Empty while the field is empty (no message) or when it is refused (the message shown).
    std::optional<values::Decimal> read() const;
    void setVisible(bool visible) const;
};

// `name` is the field's objectName ("txtRcR"); the label and the message take "lbl" names after it.
// The message keeps `messageLines` lines: two under a field beside a drawing, where a refusal's
// examples wrap; one across a designer's width.
Field makeField(QWidget* parent, const char* name, const QString& caption, values::Measure quantity,
                const QString& accessibleName, const QString& example, int messageLines = 2);
// Label, field and unit on `row`, the message on the row below spanning them.
void addField(QGridLayout* grid, int row, const Field& field);

// A computed figure by numeric/format.h's rule, with the locale's separator; a typed or standard
// value with every digit.
QString shown(double value, const QString& unit, const QLocale& locale);
// The same in a table cell, whose columns are sized for a figure: a slow frequency without its
// period, which the answer lines give.
QString shownInCell(double value, const QString& unit, const QLocale& locale);
QString shown(const values::Decimal& value, const QString& unit, const QLocale& locale);
QString percent(const values::Miss& miss, const QLocale& locale);            // "-0.53 %", "exact"
QTableWidgetItem* missCell(const values::Miss& miss, const QLocale& locale); // shown rounded, copied whole
QString plain(const values::Decimal& value, const QLocale& locale);          // "59.375", "0.5": no prefix

// A series and the range its values are taken from.
class PartRange : public QWidget {
public:
    // prefix "Rc" + "R" names cboRcRSeries, txtRcRFrom, txtRcRTo and lblRcRRangeMessage.
    PartRange(QWidget* parent, const QString& prefix, const QString& caption, values::Measure quantity,
              values::Series series, const char* from, const char* to);

    std::optional<std::vector<values::Decimal>> values() const; // empty with a message when refused
    QComboBox* series() const { return series_; }
    QLineEdit* from() const { return from_; }
    QLineEdit* to() const { return to_; }
    QLabel* message() const { return message_; }

private:
    values::Measure measure_;
    QComboBox* series_ = nullptr;
    QLineEdit* from_ = nullptr;
    QLineEdit* to_ = nullptr;
    QLabel* message_ = nullptr;
};

// Lets the page's stretch share the width out to `box`: its drawings and tables would otherwise
// ask for more than a small screen has.
void compact(QWidget* box);

// A titled half of a page: `fields` on top, then `below` one under another; `stretchy`, one of
// them, takes the spare height.
QGroupBox* section(QWidget* page, const QString& title, QLayout* fields, std::initializer_list<QWidget*> below,
                   QWidget* stretchy);
// The page: what the parts give beside the designer, both compact, sharing the width as asked.
void sideBySide(QWidget* page, QGroupBox* fromParts, QGroupBox* designer, int designerStretch = 1);

// A results table with the headers given, sized for ten rows.
QTableWidget* makeTable(QWidget* parent, const char* name, const QString& accessibleName, const QStringList& headers,
                        const QStringList& widest);
// A cell's text; empty where the table has none yet.
QString cellText(const QTableWidget& table, int row, int column);
// A value as a table shows it ("4.7 kΩ"), read back: standard values come back exact.
std::optional<values::Decimal> shownValue(const QString& text, values::Measure quantity, const QLocale& locale);

// The circuit and the plots of what the parts give, a tab each, the circuit first.
QTabWidget* views(QWidget* page, const char* name, QWidget* circuit,
                  std::initializer_list<std::pair<QWidget*, QString>> plots);
// Where Tab stops in `views`, in order: the tab bar, then each page's circuit or plot and its buttons.
std::vector<QWidget*> viewStops(QTabWidget* views);
// `first`, then the stops of `views`, then `last`: a page's Tab order with its views in the middle.
std::vector<QWidget*> around(std::initializer_list<QWidget*> first, QTabWidget* views,
                             std::initializer_list<QWidget*> last);

// An answer of `lines` lines, each wrapped to the width it is given: a long figure (a slow corner
// with its period) takes a second line rather than being cut off, and the room is kept whatever it
// says, so the window keeps its size.
QLabel* answerLabel(QWidget* parent, const char* name, int lines);

// The line under a table: its status, then its "Copy table" button.
QWidget* underTable(QWidget* parent, QPushButton* copy, QLabel* status = nullptr);

} // namespace tools::timing
