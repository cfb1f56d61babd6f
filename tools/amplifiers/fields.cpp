// SPDX-License-Identifier: MIT
#include "tools/amplifiers/fields.h"

#include "numeric/format.h"
#include "numeric/parse.h"
#include "tools/localised.h"
#include "tools/table.h"
#include "tools/widgets.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <string>

namespace tools::amplifierfields {

namespace {

struct SeriesChoice {
    const char* label;
    const char* names;
};
constexpr SeriesChoice unionChoices[] = {{"E24 + E96", "E24+E96"}, {"E24 + E192", "E24+E192"}};
constexpr const char* single[] = {"E3", "E6", "E12", "E24", "E48", "E96", "E192"};

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

QTableWidget* answerTable(QWidget* parent, const char* name, const QString& accessibleName, const QStringList& headers)
{
    return resultsTable(parent, name, accessibleName, headers);
}

QPushButton* copyButton(QWidget* parent, const char* name, QTableWidget* table)
{
    return copyTableButton(parent, table, name, QObject::tr("Copy ta&ble"));
}

QLabel* statusLabel(QWidget* page, const char* name, int lines)
{
    QLabel* status = boardfields::message(page, name);
    status->setPalette(page->palette());
    status->setMinimumHeight(status->fontMetrics().lineSpacing() * lines);
    return status;
}

void layOutDesigner(QWidget* page, QLayout* fields, QWidget* circuit, QTableWidget* table, QLabel* status,
                    QPushButton* copy)
{
    auto* top = new QHBoxLayout;
    top->addLayout(fields, 1);
    top->addWidget(circuit, 1);
    auto* below = new QHBoxLayout;
    below->addWidget(status, 1);
    below->addWidget(copy, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addWidget(table, 1);
    layout->addLayout(below);
}

} // namespace tools::amplifierfields
