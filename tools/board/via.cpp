// SPDX-License-Identifier: MIT
#include "tools/board/via.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tools {

BoardVia::BoardVia(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("pageVia"));
    build();
    refresh();
}

void BoardVia::build()
{
    using boardfields::row;
    const QString mm = QStringLiteral("mm");
    auto* grid = new QGridLayout;
    hole_ = row(this, grid, 0, "txtViaHole", tr("H&ole:"), tr("Finished hole diameter"), mm);
    hole_.field->setPlaceholderText(tr("finished, e.g. 0.3"));
    plating_ = row(this, grid, 1, "txtViaPlating", tr("P&lating wall:"), tr("Plating thickness"), QStringLiteral("µm"),
                   QStringLiteral("25"));
    length_ = row(this, grid, 2, "txtViaLength", tr("&Board thickness:"), tr("Board thickness"), mm,
                  localised("1.6", locale()));
    pad_ = row(this, grid, 3, "txtViaPad", tr("Pa&d:"), tr("Pad diameter"), mm);
    pad_.field->setPlaceholderText(tr("e.g. 0.6"));
    antipad_ =
        row(this, grid, 4, "txtViaAntipad", tr("Anti&pad:"), tr("Antipad diameter, the clearance in the planes"), mm);
    antipad_.field->setPlaceholderText(tr("e.g. 1.0"));
    er_ = row(this, grid, 5, "txtViaEr", tr("Relative per&mittivity:"), tr("Relative permittivity"), QString(),
              localised("4.5", locale()));
    current_ = row(this, grid, 6, "txtViaCurrent", tr("C&urrent:"), tr("Current through the via"), QStringLiteral("A"));
    current_.field->setPlaceholderText(tr("for the drop"));
    rise_ = row(this, grid, 7, "txtViaRise", tr("T&emperature rise:"), tr("Temperature rise"), QStringLiteral("°C"),
                QStringLiteral("10"));
    grid->setColumnStretch(3, 1);
    for (const boardfields::Row* r : {&hole_, &length_, &pad_, &antipad_})
        r->field->setToolTip(tr("In mm, or with a unit: 0.3mm, 12mil, 0.012in"));
    plating_.field->setToolTip(tr("In µm, or with a unit: 25um, 1mil, 0.025mm"));
    er_.field->setToolTip(tr("How much the board's material raises the capacitance over air: about 4.5 for FR-4"));
    antipad_.field->setToolTip(
        tr("The hole cleared around the via in the planes; in mm, or with a unit: 0.3mm, 12mil, 0.012in"));

    auto* answers = new QGroupBox(tr("Answer"), this);
    auto* figures = new QGridLayout(answers);
    int at = 0;
    const auto figure = [&](const char* caption, const char* name, const QString& text) {
        figures->addWidget(named(new QLabel(text, answers), caption), at, 0);
        auto* value = boardfields::answer(answers, name);
        figures->addWidget(value, at++, 1);
        return value;
    };
    lblResistance_ = figure("lblViaResistanceCaption", "lblViaResistance", tr("Barrel resistance:"));
    lblDrop_ = figure("lblViaDropCaption", "lblViaDrop", tr("Drop and loss:"));
    lblCapacity_ = figure("lblViaCapacityCaption", "lblViaCapacity", tr("Current it carries:"));
    lblThermal_ = figure("lblViaThermalCaption", "lblViaThermal", tr("Thermal resistance:"));
    lblThermal_->setToolTip(tr("How many kelvins one end of the barrel is warmer than the other for each watt "
                               "it carries along"));
    lblCapacitance_ = figure("lblViaCapacitanceCaption", "lblViaCapacitance", tr("Capacitance:"));
    lblInductance_ = figure("lblViaInductanceCaption", "lblViaInductance", tr("Inductance:"));
    figures->setColumnStretch(1, 1);

    auto* note = boardfields::note(this, "lblViaNote",
                                   tr("Barrel section pi (d + t) t. The current is IPC-2221's with the outer-layer "
                                      "k = 0.048 on that section; copper 1.72e-8 Ωm at 20 °C and 401 W/(m K). "
                                      "C = 1.41 er T D1 / (D2 - D1) pF and L = 5.08 h (ln(4h/d) + 1) nH, in inches."));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(answers);
    layout->addWidget(note);
    layout->addStretch();

    tabChain({hole_.field, plating_.field, length_.field, pad_.field, antipad_.field, er_.field, current_.field,
              rise_.field});
    for (const boardfields::Row* r : {&hole_, &plating_, &length_, &pad_, &antipad_, &er_, &current_, &rise_})
        connect(r->field, &QLineEdit::textChanged, this, &BoardVia::refresh);
}

void BoardVia::refresh()
{
    const char separator = decimalSeparator(locale());
    using B = values::BareLength;
    const auto length = [&](const boardfields::Row& r, B bare) {
        return boardfields::read(r, values::parseLength(boardfields::typed(r.field), bare, false, separator));
    };
    // A plain positive number, or one with the unit it may carry.
    const auto number = [](const boardfields::Row& r, values::Measure measure) -> std::optional<double> {
        r.message->clear();
        const auto value = readTyped(r.field, r.message, measure);
        return value ? std::optional(value->toDouble()) : std::nullopt;
    };
    const auto hole = length(hole_, B::Millimetre);
    const auto plating = length(plating_, B::Micrometre);
    const auto thickness = length(length_, B::Millimetre);
    const auto pad = length(pad_, B::Millimetre);
    const auto antipad = length(antipad_, B::Millimetre);
    const auto er = number(er_, values::Measure::Permittivity);
    const auto current = number(current_, values::Measure::Current);
    const auto rise =
        boardfields::read(rise_, values::parseTemperature(boardfields::typed(rise_.field), false, separator));
    const bool currentRefused = !current_.message->text().isEmpty();
    for (QLabel* label : {lblResistance_, lblDrop_, lblCapacity_, lblThermal_, lblCapacitance_, lblInductance_})
        label->clear();
    if (!hole || !plating || !thickness || !pad || !antipad || !er || !rise || currentRefused)
        return;

    values::Via v;
    v.holeM = *hole;
    v.platingM = *plating;
    v.lengthM = *thickness;
    v.padM = *pad;
    v.antipadM = *antipad;
    v.er = *er;
    v.riseC = *rise;
    v.currentA = current;
    if (const values::ViaCheck check = values::checkVia(v); check.field != values::ViaField::None) {
        const boardfields::Row& at = check.field == values::ViaField::Pad ? pad_
            : check.field == values::ViaField::Antipad                    ? antipad_
            : check.field == values::ViaField::Length                     ? length_
                                                                          : er_;
        at.message->setText(check.field == values::ViaField::Pad
                                ? tr("The pad must be wider than the hole with its plating (%1 mm).")
                                      .arg(boardfields::plain((v.holeM + 2 * v.platingM) * 1e3, locale()))
                                : check.field == values::ViaField::Antipad
                                ? tr("The antipad must be wider than the pad.")
                                : check.field == values::ViaField::Length
                                ? tr("The board is too thin beside this hole for the inductance formula.")
                                : tr("The relative permittivity is 1 or more (FR-4 is about 4.5)."));
        return;
    }
    const values::ViaResult r = values::via(v);
    const QLocale l = locale();
    lblResistance_->setText(tr("%1 at 20 °C").arg(boardfields::withUnit(r.resistanceOhm, "Ω", l)));
    lblDrop_->setText(r.dropV
                          ? tr("%1, %2 at %3")
                                .arg(boardfields::withUnit(*r.dropV, "V", l), boardfields::withUnit(*r.lossW, "W", l),
                                     boardfields::withUnit(*v.currentA, "A", l))
                          : tr("give a current"));
    lblCapacity_->setText(
        tr("%1 for a %2 °C rise").arg(boardfields::withUnit(r.currentA, "A", l), boardfields::plain(v.riseC, l)));
    lblThermal_->setText(tr("%1 K/W").arg(boardfields::plain(r.thermalKPerW, l)));
    lblCapacitance_->setText(boardfields::withUnit(r.capacitanceF, "F", l));
    lblInductance_->setText(boardfields::withUnit(r.inductanceH, "H", l));
}

} // namespace tools
