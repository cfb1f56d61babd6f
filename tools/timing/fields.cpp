// SPDX-License-Identifier: MIT
#include "tools/timing/fields.h"

#include "numeric/format.h"
#include "tools/circuitview.h"
#include "tools/form.h"
#include "tools/localised.h"
#include "tools/plotview.h"
#include "tools/table.h"
#include "tools/widgets.h"
#include "values/dividerdesign.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace tools::timing {

namespace {

QString unitOf(values::Measure quantity)
{
    const std::string_view unit = values::unitSymbol(quantity);
    return QString::fromUtf8(unit.data(), static_cast<qsizetype>(unit.size()));
}

// Under the field, kept while it says nothing.
QLabel* messageLabel(QWidget* parent, const QString& name, int lines)
{
    return new SteadyLabel(parent, name, lines);
}

std::optional<values::Decimal> readEdit(const QLineEdit* edit, values::Measure quantity, QLabel* message)
{
    message->clear();
    const QString text = edit->text().trimmed();
    if (text.isEmpty())
        return std::nullopt;
    const values::Parsed parsed = values::parseMeasure(text.toStdString(), quantity, decimalSeparator(edit->locale()));
    if (!parsed.value)
        message->setText(QString::fromStdString(parsed.error));
    return parsed.value;
}

constexpr const char* seriesNames[] = {"E3", "E6", "E12", "E24", "E48", "E96", "E192"};

} // namespace

std::optional<values::Decimal> Field::read() const
{
    return readEdit(edit, quantity, message);
}

void Field::setVisible(bool visible) const
{
    label->setVisible(visible);
    edit->setVisible(visible);
    unit->setVisible(visible);
    message->setVisible(visible);
}

Field makeField(QWidget* parent, const char* name, const QString& caption, values::Measure quantity,
                const QString& accessibleName, const QString& example, int messageLines)
{
    const QString base = QLatin1String(name).mid(3);
    Field f;
    f.quantity = quantity;
    f.edit = named(new QLineEdit(parent), name, accessibleName);
    f.edit->setPlaceholderText(QObject::tr("e.g. %1").arg(localised(example.toStdString(), parent->locale())));
    f.label = labelFor(parent, QStringLiteral("lbl") + base, caption, f.edit);
    f.unit = new QLabel(unitOf(quantity), parent);
    f.unit->setObjectName(QStringLiteral("lbl") + base + QStringLiteral("Unit"));
    f.message = messageLabel(parent, QStringLiteral("lbl") + base + QStringLiteral("Message"), messageLines);
    const int width = f.edit->fontMetrics().horizontalAdvance(QStringLiteral("e.g. 000.000k")) * 5 / 4;
    f.edit->setMinimumWidth(width);
    f.edit->setMaximumWidth(width * 2);
    return f;
}

void addField(QGridLayout* grid, int row, const Field& field)
{
    grid->addWidget(field.label, row, 0);
    grid->addWidget(field.edit, row, 1);
    grid->addWidget(field.unit, row, 2);
    grid->addWidget(field.message, row + 1, 1, 1, 3);
}

QString shown(double value, const QString& unit, const QLocale& locale)
{
    return localised(values::figure(value, unit.toStdString()), locale);
}

QString shownInCell(double value, const QString& unit, const QLocale& locale)
{
    return localised(values::withUnit(values::approximate(value), unit.toStdString()), locale);
}

QString shown(const values::Decimal& value, const QString& unit, const QLocale& locale)
{
    return localised(values::withUnit(value, unit.toStdString(), values::allDigits), locale);
}

QString percent(const values::Miss& miss, const QLocale& locale)
{
    return miss.exact ? QObject::tr("exact") : localised(miss.rounded.text(), locale);
}

QTableWidgetItem* missCell(const values::Miss& miss, const QLocale& locale)
{
    return cell(percent(miss, locale), miss.exact ? percent(miss, locale) : fullPercent(miss.percent, locale));
}

QWidget* underTable(QWidget* parent, QPushButton* copy, QLabel* status)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    if (status)
        layout->addWidget(status, 1);
    else
        layout->addStretch(1);
    layout->addWidget(copy, 0, Qt::AlignTop);
    return row;
}

QString plain(const values::Decimal& value, const QLocale& locale)
{
    return localised(values::plain(value), locale);
}

PartRange::PartRange(QWidget* parent, const QString& prefix, const QString& caption, values::Measure quantity,
                     values::Series series, const char* from, const char* to)
    : QWidget(parent)
    , measure_(quantity)
    , series_(new QComboBox(this))
{
    setObjectName(QStringLiteral("fra") + prefix + QStringLiteral("Range"));
    const QString what = quantity == values::Measure::Resistance ? tr("resistors") : tr("capacitors");
    series_->setObjectName(QStringLiteral("cbo") + prefix + QStringLiteral("Series"));
    series_->setAccessibleName(tr("Series of the %1").arg(what));
    for (const char* name : seriesNames)
        series_->addItem(QString::fromLatin1(name));
    series_->setCurrentText(QString::fromLatin1(values::name(series).data()));
    from_ = singleLine(new QLineEdit(localised(from, locale()), this));
    from_->setObjectName(QStringLiteral("txt") + prefix + QStringLiteral("From"));
    from_->setAccessibleName(tr("Smallest of the %1").arg(what));
    to_ = singleLine(new QLineEdit(localised(to, locale()), this));
    to_->setObjectName(QStringLiteral("txt") + prefix + QStringLiteral("To"));
    to_->setAccessibleName(tr("Largest of the %1").arg(what));
    const int width = from_->fontMetrics().horizontalAdvance(QStringLiteral("000.00µ")) * 3 / 2;
    from_->setMaximumWidth(width);
    to_->setMaximumWidth(width);
    // A line is enough across the range's whole width.
    message_ = messageLabel(this, QStringLiteral("lbl") + prefix + QStringLiteral("RangeMessage"), 1);

    auto* label = labelFor(this, QStringLiteral("lbl") + prefix + QStringLiteral("Series"), caption, series_);
    const QString unit = unitOf(quantity);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(label);
    row->addWidget(series_);
    row->addWidget(new QLabel(tr("from"), this));
    row->addWidget(from_);
    row->addWidget(new QLabel(tr("to"), this));
    row->addWidget(to_);
    row->addWidget(new QLabel(unit, this));
    row->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(row);
    layout->addWidget(message_);
}

std::optional<std::vector<values::Decimal>> PartRange::values() const
{
    const auto lo = readEdit(from_, measure_, message_);
    const QString loMessage = message_->text();
    const auto hi = readEdit(to_, measure_, message_);
    if (!loMessage.isEmpty()) {
        message_->setText(loMessage);
    }
    if (!lo || !hi)
        return std::nullopt;
    if (*hi < *lo) {
        message_->setText(tr("The range runs from the lower value to the higher one."));
        return std::nullopt;
    }
    const auto series = values::seriesNamed(series_->currentText().toStdString());
    std::vector<values::Decimal> found =
        series ? values::valuesInRange(*series, *lo, *hi) : std::vector<values::Decimal>{};
    if (found.empty()) {
        message_->setText(tr("No %1 value lies in this range.").arg(series_->currentText()));
        return std::nullopt;
    }
    return found;
}

void compact(QWidget* box)
{
    box->setSizePolicy(QSizePolicy::Ignored, box->sizePolicy().verticalPolicy());
}

QGroupBox* section(QWidget* page, const QString& title, QLayout* fields, std::initializer_list<QWidget*> below,
                   QWidget* stretchy)
{
    auto* box = new QGroupBox(title, page);
    auto* layout = new QVBoxLayout(box);
    layout->addLayout(fields);
    for (QWidget* w : below)
        layout->addWidget(w, w == stretchy ? 1 : 0);
    return box;
}

void sideBySide(QWidget* page, QGroupBox* fromParts, QGroupBox* designer, int designerStretch)
{
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(fromParts, 1);
    layout->addWidget(designer, designerStretch);
    compact(fromParts);
    compact(designer);
}

QTableWidget* makeTable(QWidget* parent, const char* name, const QString& accessibleName, const QStringList& headers,
                        const QStringList& widest)
{
    QTableWidget* table = resultsTable(parent, name, accessibleName, headers);
    table->setAlternatingRowColors(true);
    // The columns share the width evenly, so each must be as wide as the widest of them.
    const int padding = 4 * table->style()->pixelMetric(QStyle::PM_HeaderMargin);
    int column = 0;
    for (int i = 0; i < headers.size(); ++i) {
        column = std::max({column, table->fontMetrics().horizontalAdvance(widest.value(i)) + padding,
                           table->horizontalHeader()->fontMetrics().horizontalAdvance(headers[i]) + padding});
    }
    table->horizontalHeader()->setMinimumSectionSize(column);
    const int width = static_cast<int>(headers.size()) * column;
    const int rows = table->verticalHeader()->defaultSectionSize();
    table->setMinimumSize(width + 2 * table->frameWidth(),
                          table->horizontalHeader()->sizeHint().height() + 10 * rows + 2 * table->frameWidth());
    return table;
}

QString cellText(const QTableWidget& table, int row, int column)
{
    const QTableWidgetItem* item = table.item(row, column);
    return item ? item->text() : QString();
}

std::optional<values::Decimal> shownValue(const QString& text, values::Measure quantity, const QLocale& locale)
{
    if (text.isEmpty())
        return std::nullopt;
    return values::parseMeasure(text.toStdString(), quantity, decimalSeparator(locale)).value;
}

QTabWidget* views(QWidget* page, const char* name, QWidget* circuit,
                  std::initializer_list<std::pair<QWidget*, QString>> plots)
{
    auto* tabs = named(new QTabWidget(page), name, QObject::tr("Circuit and plots"));
    // Every tab's title whole: scroll arrows would hide some.
    tabs->setUsesScrollButtons(false);
    tabs->addTab(circuit, QObject::tr("Circuit"));
    for (const auto& [plot, title] : plots)
        tabs->addTab(plot, title);
    return tabs;
}

std::vector<QWidget*> viewStops(QTabWidget* views)
{
    // The tab widget, not its bar: it stands in the chain for its bar, which is its focus proxy.
    std::vector<QWidget*> stops{views};
    for (int i = 0; i < views->count(); ++i) {
        if (auto* circuit = qobject_cast<CircuitView*>(views->widget(i)))
            stops.push_back(circuit->copyButton());
        if (auto* plot = qobject_cast<PlotView*>(views->widget(i)))
            stops.insert(stops.end(), {plot->canvas(), plot->dataButton(), plot->copyButton()});
    }
    return stops;
}

std::vector<QWidget*> around(std::initializer_list<QWidget*> first, QTabWidget* views,
                             std::initializer_list<QWidget*> last)
{
    std::vector<QWidget*> stops(first);
    const std::vector<QWidget*> middle = viewStops(views);
    stops.insert(stops.end(), middle.begin(), middle.end());
    stops.insert(stops.end(), last.begin(), last.end());
    return stops;
}

QLabel* answerLabel(QWidget* parent, const char* name, int lines)
{
    return new SteadyLabel(parent, QLatin1String(name), lines, SteadyLabel::Tone::Plain);
}

} // namespace tools::timing
