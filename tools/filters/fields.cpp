// SPDX-License-Identifier: MIT
#include "tools/filters/fields.h"

#include "numeric/format.h"
#include "tools/form.h"
#include "tools/localised.h"
#include "tools/table.h"
#include "tools/timing/fields.h"
#include "tools/widgets.h"
#include "values/measured.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTableWidget>

namespace tools::filterfields {

namespace {

QString unitOf(values::Measure quantity)
{
    const std::string_view unit = values::unitSymbol(quantity);
    return QString::fromUtf8(unit.data(), static_cast<qsizetype>(unit.size()));
}

// Always there, two lines high, so the window keeps its size as messages come and go: a
// refusal's examples take a second line under a narrow field.
QLabel* messageLabel(QWidget* parent, const QString& name)
{
    return new SteadyLabel(parent, name, 2);
}

// Holds a table at `rows` rows whatever the face and style it is shown in, which set its rows'
// height only once it is polished.
class RowsHigh : public QObject {
public:
    RowsHigh(QTableWidget* table, int rows)
        : QObject(table)
        , table_(table)
        , rows_(rows)
    {
        table->installEventFilter(this);
        fit();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (watched == table_ && (type == QEvent::Polish || type == QEvent::FontChange || type == QEvent::StyleChange))
            fit();
        return QObject::eventFilter(watched, event);
    }

private:
    void fit()
    {
        // Room for the scroll bar a narrow window gives it, so no row is hidden under it.
        table_->setFixedHeight(table_->horizontalHeader()->sizeHint().height() +
                               rows_ * table_->verticalHeader()->defaultSectionSize() + 2 * table_->frameWidth() +
                               table_->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    }

    QTableWidget* table_;
    int rows_;
};

// The tip holds what a narrow window cuts short.
void say(QLabel* message, const QString& text)
{
    message->setText(text);
    message->setToolTip(text);
}

std::optional<values::Decimal> readEdit(const QLineEdit* edit, values::Measure quantity, QLabel* message)
{
    say(message, {});
    const QString text = edit->text().trimmed();
    if (text.isEmpty())
        return std::nullopt;
    const values::Parsed parsed = values::parseMeasure(text.toStdString(), quantity, decimalSeparator(edit->locale()));
    if (!parsed.value)
        say(message, QString::fromStdString(parsed.error));
    return parsed.value;
}

constexpr const char* seriesNames[] = {"E3", "E6", "E12", "E24", "E48", "E96", "E192"};

} // namespace

std::optional<values::Decimal> Field::read() const
{
    if (kind == Kind::Measure)
        return readEdit(edit, quantity, message);
    say(message, {});
    const QString text = edit->text().trimmed();
    if (text.isEmpty())
        return std::nullopt;
    const char separator = decimalSeparator(edit->locale());
    const values::Measured m = kind == Kind::Percent
        ? values::parsePercent(text.toStdString(), 0, 50, separator)
        : values::parseAmount(text.toStdString(), {values::Unit::None, {}, "a number", "0.707 or 5"}, separator);
    if (!m.value) {
        say(message, QString::fromStdString(m.error));
        return std::nullopt;
    }
    return values::shortest(kind == Kind::Percent ? *m.value * 100 : *m.value);
}

void Field::setEnabled(bool enabled) const
{
    for (QWidget* w : std::initializer_list<QWidget*>{label, edit, unit, message})
        w->setEnabled(enabled);
}

Field makeField(QWidget* parent, const char* name, const QString& caption, values::Measure quantity,
                const QString& accessibleName, const QString& example)
{
    // Built as Timing's are, with the two lines of room a refusal's examples take here.
    const timing::Field built = timing::makeField(parent, name, caption, quantity, accessibleName, example, 2);
    Field f;
    f.label = built.label;
    f.edit = built.edit;
    f.unit = built.unit;
    f.message = built.message;
    f.quantity = quantity;
    return f;
}

Field makePercent(QWidget* parent, const char* name, const QString& caption, const QString& accessibleName,
                  const QString& text)
{
    Field f = makeField(parent, name, caption, values::Measure::Resistance, accessibleName, text);
    f.edit->setText(localised(text.toStdString(), parent->locale()));
    f.kind = Field::Kind::Percent;
    f.unit->setText(QStringLiteral("%"));
    return f;
}

Field makeNumber(QWidget* parent, const char* name, const QString& caption, const QString& accessibleName,
                 const QString& example)
{
    Field f = makeField(parent, name, caption, values::Measure::Resistance, accessibleName, example);
    f.kind = Field::Kind::Number;
    // An empty label asks MS Sans Serif for the width of no text, which comes back as hundreds of
    // pixels: this one takes the width the grid gives it.
    f.unit->clear();
    f.unit->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return f;
}

void addField(QGridLayout* grid, int row, const Field& field)
{
    grid->addWidget(field.label, row, 0);
    grid->addWidget(field.edit, row, 1);
    grid->addWidget(field.unit, row, 2);
    grid->addWidget(field.message, row + 1, 1, 1, 3);
}

Range::Range(QWidget* parent, QGridLayout* grid, int row, const QString& prefix, const QString& caption,
             values::Measure quantity, values::Series series, const char* from, const char* to)
    : measure_(quantity)
    , series_(new QComboBox(parent))
{
    const QString what = quantity == values::Measure::Resistance ? QObject::tr("resistors")
        : quantity == values::Measure::Inductance                ? QObject::tr("inductors")
                                                                 : QObject::tr("capacitors");
    series_->setObjectName(QStringLiteral("cbo") + prefix + QStringLiteral("Series"));
    series_->setAccessibleName(QObject::tr("Series of the %1").arg(what));
    for (const char* name : seriesNames)
        series_->addItem(QString::fromLatin1(name));
    series_->setCurrentText(QString::fromLatin1(values::name(series).data()));
    from_ = named(new QLineEdit(localised(from, parent->locale()), parent), "");
    from_->setObjectName(QStringLiteral("txt") + prefix + QStringLiteral("From"));
    from_->setAccessibleName(QObject::tr("Smallest of the %1").arg(what));
    to_ = named(new QLineEdit(localised(to, parent->locale()), parent), "");
    to_->setObjectName(QStringLiteral("txt") + prefix + QStringLiteral("To"));
    to_->setAccessibleName(QObject::tr("Largest of the %1").arg(what));
    const int width = from_->fontMetrics().horizontalAdvance(QStringLiteral("000.00µ")) * 3 / 2;
    from_->setMaximumWidth(width);
    to_->setMaximumWidth(width);
    label_ = labelFor(parent, QStringLiteral("lbl") + prefix + QStringLiteral("Series"), caption, series_);
    between_ = new QLabel(QObject::tr("to"), parent);
    unit_ = new QLabel(unitOf(quantity), parent);
    message_ = messageLabel(parent, QStringLiteral("lbl") + prefix + QStringLiteral("Message"));
    auto* values = new QHBoxLayout;
    values->setContentsMargins(0, 0, 0, 0);
    values->addWidget(series_);
    values->addWidget(from_);
    values->addWidget(between_);
    values->addWidget(to_);
    values->addWidget(unit_);
    values->addStretch();
    grid->addWidget(label_, row, 0);
    grid->addLayout(values, row, 1, 1, 3);
    grid->addWidget(message_, row + 1, 1, 1, 3);
}

std::optional<std::vector<values::Decimal>> Range::values() const
{
    const auto lo = readEdit(from_, measure_, message_);
    const QString loMessage = message_->text();
    const auto hi = readEdit(to_, measure_, message_);
    if (!loMessage.isEmpty())
        say(message_, loMessage);
    if (!lo || !hi)
        return std::nullopt;
    if (*hi < *lo) {
        say(message_, QObject::tr("The range runs from the lower value to the higher one."));
        return std::nullopt;
    }
    const auto series = values::seriesNamed(series_->currentText().toStdString());
    std::vector<values::Decimal> found =
        series ? values::valuesInRange(*series, *lo, *hi) : std::vector<values::Decimal>{};
    if (found.empty()) {
        say(message_, QObject::tr("No %1 value lies in this range.").arg(series_->currentText()));
        return std::nullopt;
    }
    return found;
}

void Range::setEnabled(bool enabled) const
{
    for (QWidget* w : std::initializer_list<QWidget*>{label_, series_, from_, between_, to_, unit_, message_})
        w->setEnabled(enabled);
}

QTableWidget* makeTable(QWidget* parent, const char* name, const QString& accessibleName, const QStringList& headers,
                        int rows, std::initializer_list<int> stretch)
{
    QTableWidget* table = resultsTable(parent, name, accessibleName, headers, stretch);
    table->setAlternatingRowColors(true);
    new RowsHigh(table, rows);
    return table;
}

QString figure(double value, const QLocale& locale)
{
    return localised(values::plain(value), locale);
}

QTableWidgetItem* figureCell(double value, const QLocale& locale)
{
    return cell(figure(value, locale), localised(values::shortestText(value), locale));
}

QTableWidgetItem* frequencyCell(double hz, const QLocale& locale)
{
    return cell(timing::shownInCell(hz, QStringLiteral("Hz"), locale), fullText(hz, "Hz", locale));
}

QTableWidgetItem* errorCell(double percent, const QLocale& locale)
{
    return cell(localised((percent > 0 ? "+" : "") + values::plain(percent) + " %", locale),
                fullPercent(percent, locale));
}

} // namespace tools::filterfields
