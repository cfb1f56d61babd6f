// SPDX-License-Identifier: MIT
#include "tools/amplifiers/pairoptions.h"

#include "tools/form.h"
#include "tools/localised.h"
#include "tools/widgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace tools::amplifierfields {

namespace {

constexpr const char* tolerances[] = {"0.1", "0.25", "0.5", "1", "2", "5", "10", "20"};
constexpr int defaultTolerance = 3; // 1 %

} // namespace

PairOptions::PairOptions(QWidget* page, QGridLayout* grid, int row, const Names& names, const char* series,
                         const char* from, const char* to, const QStringList& fixedChoices)
{
    const auto captionFor = [&](const char* name, const QString& caption, QWidget* buddy) {
        return labelFor(page, QByteArray(name).replace("cbo", "lbl").constData(), caption, buddy);
    };
    // The series with the tolerance beside it.
    series_ = seriesChoice(page, names.series, QObject::tr("Series of the resistors"), series);
    grid->addWidget(captionFor(names.series, QObject::tr("&Series:"), series_), row, 0);
    grid->addWidget(series_, row, 1, 1, 2);
    tolerance_ = numberChoices(page, names.tolerance, QObject::tr("Tolerance of the resistors"), tolerances,
                               QStringLiteral(" %"), defaultTolerance);
    auto* tolerance = new QHBoxLayout;
    tolerance->addWidget(captionFor(names.tolerance, QObject::tr("To&lerance:"), tolerance_));
    tolerance->addWidget(tolerance_);
    tolerance->addStretch();
    grid->addLayout(tolerance, row, 3);

    // The range: its lowest in the field, "to" and its highest beside it, the message below.
    from_ = boardfields::row(page, grid, row + 1, names.from, QObject::tr("Rang&e:"),
                             QObject::tr("Lowest resistor value"), QObject::tr("to"), localised(from, page->locale()));
    to_ = named(new QLineEdit(localised(to, page->locale()), page), names.to, QObject::tr("Highest resistor value"));
    to_->setMinimumWidth(from_.field->minimumWidth());
    auto* highest = new QHBoxLayout;
    highest->addWidget(to_);
    highest->addWidget(new QLabel(QStringLiteral("Ω"), page));
    highest->addStretch();
    grid->removeWidget(from_.message);
    grid->addLayout(highest, row + 1, 3);
    grid->addWidget(from_.message, row + 2, 1, 1, 3);
    // Its line is kept while empty, so a message coming or going never moves what is below.
    from_.message->setMinimumHeight(from_.message->fontMetrics().lineSpacing());

    // "Rg is 10k": the choice, then its value with its message beside it.
    fixed_ = named(new QComboBox(page), names.fixed, QObject::tr("Resistor already chosen"));
    fixed_->addItems(fixedChoices);
    grid->addWidget(captionFor(names.fixed, QObject::tr("Fi&xed resistor:"), fixed_), row + 3, 0);
    grid->addWidget(fixed_, row + 3, 1, 1, 2);
    value_.field = named(new QLineEdit(page), names.value, QObject::tr("Value of the resistor already chosen"));
    value_.field->setPlaceholderText(QObject::tr("e.g. 10k"));
    value_.field->setMinimumWidth(from_.field->minimumWidth());
    value_.field->setEnabled(false);
    value_.unit = named(new QLabel(QStringLiteral("Ω"), page),
                        QByteArray(names.value).replace("txt", "lbl").append("Unit").constData());
    value_.message =
        boardfields::message(page, QByteArray(names.value).replace("txt", "lbl").append("Message").constData());
    auto* value = new QHBoxLayout;
    value->addWidget(value_.field);
    value->addWidget(value_.unit);
    value->addWidget(value_.message, 1);
    grid->addLayout(value, row + 3, 3);
    QObject::connect(fixed_, &QComboBox::currentIndexChanged, value_.field,
                     [field = value_.field](int index) { field->setEnabled(index != 0); });
}

std::optional<PairOptions::Chosen> PairOptions::read() const
{
    Chosen c;
    c.series = chosenSeries(series_);
    const Reading ohms{values::Unit::Ohm, "'%1' is not a resistance: write 1k, 4k7 or 1M"};
    const auto lo = amplifierfields::read(from_, ohms);
    const QString loMessage = from_.message->text();
    const Row highest{from_.label, to_, from_.unit, from_.message};
    const auto hi = amplifierfields::read(highest, ohms);
    if (!loMessage.isEmpty())
        from_.message->setText(loMessage);
    if (lo && hi && *hi < *lo)
        from_.message->setText(QObject::tr("The range runs from the lower value to the higher one."));
    else if (lo && hi && values::valuesInRange(c.series, *lo, *hi).empty())
        from_.message->setText(QObject::tr("No %1 value lies in this range.").arg(series_->currentText()));
    c.tolerance = values::parse(tolerance_->currentData().toString().toStdString()).value.value_or(values::Decimal{});
    c.fixed = fixed_->currentIndex();
    value_.message->clear();
    if (c.fixed != 0) {
        c.value = amplifierfields::read(value_, ohms);
        if (!c.value && value_.message->text().isEmpty())
            value_.message->setText(QObject::tr("Type the value of the resistor already chosen, such as 10k."));
    }
    if (!lo || !hi || !from_.message->text().isEmpty() || !value_.message->text().isEmpty())
        return std::nullopt;
    c.lo = *lo;
    c.hi = *hi;
    return c;
}

std::vector<QWidget*> PairOptions::tabOrder() const
{
    return {series_, tolerance_, from_.field, to_, fixed_, value_.field};
}

void PairOptions::onChange(QObject* context, const std::function<void()>& changed) const
{
    for (QComboBox* box : {series_, tolerance_, fixed_})
        QObject::connect(box, &QComboBox::currentIndexChanged, context, changed);
    for (QLineEdit* edit : {from_.field, to_, value_.field})
        QObject::connect(edit, &QLineEdit::textChanged, context, changed);
}

} // namespace tools::amplifierfields
