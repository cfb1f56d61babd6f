// SPDX-License-Identifier: MIT
#include "tools/amplifiers/fields.h"

#include "numeric/format.h"
#include "numeric/parse.h"
#include "tools/localised.h"
#include "tools/widgets.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>
#include <set>
#include <string>

namespace tools::amplifierfields {

namespace {

struct SeriesChoice {
    const char* label;
    const char* names;
};
constexpr SeriesChoice unionChoices[] = {{"E24 + E96", "E24+E96"}, {"E24 + E192", "E24+E192"}};
constexpr const char* single[] = {"E3", "E6", "E12", "E24", "E48", "E96", "E192"};

// Ctrl+C copies rows with their headers, not the current cell as the view would.
class CopyRows : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const bool isKey = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
        auto* table = qobject_cast<QTableWidget*>(watched);
        if (isKey && table && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
            if (event->type() == QEvent::KeyPress && table->rowCount() > 0)
                QApplication::clipboard()->setText(tableText(*table));
            event->accept();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

std::optional<values::Decimal> read(const Row& row, const Reading& how, bool* negative)
{
    row.message->clear();
    if (negative)
        *negative = false;
    QString text = row.field->text().trimmed();
    if (text.isEmpty())
        return std::nullopt;
    std::string typed = text.toStdString();
    std::string_view number = typed;
    if (*how.suffix != '\0')
        values::takeSuffix(number, how.suffix, false);
    const char separator = decimalSeparator(row.field->locale());
    if (how.zero && values::isZeroText(number, separator))
        return values::Decimal{};
    const values::Parsed parsed =
        how.signed_ ? values::parseSigned(number, separator) : values::parse(number, separator);
    if (!parsed.value || (how.signed_ && parsed.value->mantissa == 0)) {
        row.message->setText(parsed.value || parsed.error.find(" is not a value") != std::string::npos
                                 ? QObject::tr(how.notThis).arg(elided(text))
                                 : QString::fromStdString(values::requoted(parsed.error, number, typed)));
        return std::nullopt;
    }
    if (parsed.unit != values::Unit::None && parsed.unit != how.unit) {
        row.message->setText(QObject::tr(how.notThis).arg(elided(text)));
        return std::nullopt;
    }
    values::Decimal v = *parsed.value;
    if (v.mantissa < 0) {
        v.mantissa = -v.mantissa;
        if (negative)
            *negative = true;
    }
    return v;
}

void setRowVisible(const Row& row, bool visible)
{
    for (QWidget* w : std::initializer_list<QWidget*>{row.label, row.field, row.unit, row.message})
        w->setVisible(visible);
}

QString shown(const values::Decimal& value, const char* unit, const QLocale& locale)
{
    return localised(values::withUnit(value, unit, 5), locale);
}

QString shown(const values::Exact& value, const char* unit, const QLocale& locale)
{
    return localised(values::withUnit(value.rounded(5), unit, 5), locale);
}

QString shown(double value, const char* unit, const QLocale& locale)
{
    return wirefields::shown(value, unit, locale);
}

QComboBox* seriesChoice(QWidget* parent, const char* name, const QString& accessibleName, const char* current,
                        bool unions)
{
    auto* box = named(new QComboBox(parent), name, accessibleName);
    if (unions) {
        for (const SeriesChoice& c : unionChoices)
            box->addItem(QString::fromLatin1(c.label), QString::fromLatin1(c.names));
    }
    for (const char* s : single)
        box->addItem(QString::fromLatin1(s), QString::fromLatin1(s));
    box->setCurrentIndex(box->findData(QString::fromLatin1(current)));
    return box;
}

values::SeriesSet chosenSeries(const QComboBox* box)
{
    return values::seriesSetNamed(box->currentData().toString().toStdString()).value_or(values::SeriesSet{});
}

QTableWidget* answerTable(QWidget* parent, const char* name, const QString& accessibleName, const QStringList& headers,
                          const QStringList& widest)
{
    auto* table = named(new QTableWidget(0, static_cast<int>(headers.size()), parent), name, accessibleName);
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setAlternatingRowColors(true);
    table->setWordWrap(false);
    table->setTabKeyNavigation(false);
    table->installEventFilter(new CopyRows(table));
    // The columns share the width evenly, so each must be as wide as the widest of them.
    const int padding = 4 * table->style()->pixelMetric(QStyle::PM_HeaderMargin);
    int column = 0;
    for (int i = 0; i < headers.size(); ++i) {
        column = std::max({column, table->fontMetrics().horizontalAdvance(widest.value(i)) + padding,
                           table->horizontalHeader()->fontMetrics().horizontalAdvance(headers[i]) + padding});
    }
    table->horizontalHeader()->setMinimumSectionSize(column);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int rows = table->verticalHeader()->defaultSectionSize();
    table->setMinimumSize(static_cast<int>(headers.size()) * column + 2 * table->frameWidth(),
                          table->horizontalHeader()->sizeHint().height() + 6 * rows + 2 * table->frameWidth());
    return table;
}

QString tableText(const QTableWidget& table)
{
    std::set<int> rows;
    for (const QModelIndex& index : table.selectionModel()->selectedRows())
        rows.insert(index.row());
    if (rows.empty()) {
        for (int row = 0; row < table.rowCount(); ++row)
            rows.insert(row);
    }
    QStringList lines;
    QStringList header;
    for (int column = 0; column < table.columnCount(); ++column)
        header << table.horizontalHeaderItem(column)->text();
    lines << header.join(u'\t');
    for (const int row : rows) {
        QStringList cells;
        for (int column = 0; column < table.columnCount(); ++column) {
            const QTableWidgetItem* item = table.item(row, column);
            cells << (item ? item->text() : QString());
        }
        lines << cells.join(u'\t');
    }
    return lines.join(u'\n') + u'\n';
}

QPushButton* copyButton(QWidget* parent, const char* name, QTableWidget* table)
{
    auto* button = named(new QPushButton(QObject::tr("Copy ta&ble"), parent), name);
    button->setToolTip(QObject::tr("Copy the selected rows, or the whole table, with its headers (Ctrl+C)"));
    button->setEnabled(false);
    QObject::connect(button, &QPushButton::clicked, table, [table] {
        if (table->rowCount() > 0)
            QApplication::clipboard()->setText(tableText(*table));
    });
    QObject::connect(table->model(), &QAbstractItemModel::modelReset, button,
                     [button, table] { button->setEnabled(table->rowCount() > 0); });
    QObject::connect(table->model(), &QAbstractItemModel::rowsInserted, button,
                     [button, table] { button->setEnabled(table->rowCount() > 0); });
    QObject::connect(table->model(), &QAbstractItemModel::rowsRemoved, button,
                     [button, table] { button->setEnabled(table->rowCount() > 0); });
    return button;
}

} // namespace tools::amplifierfields
