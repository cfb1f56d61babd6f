// SPDX-License-Identifier: MIT
#include "tools/conversions/waves.h"

#include "values/conversions.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tools {

namespace {

using values::Wave;

const values::Amount frequency{values::Unit::None, "Hz", "a frequency", "1G, 1GHz or 2.4e9"};
const values::Amount period{values::Unit::None, "s", "a time", "1n, 1ns or 1e-9"};
const values::Amount number{values::Unit::None, {}, "a number", "4.5"};

} // namespace

ConversionsWaves::ConversionsWaves(QWidget* parent)
    : QWidget(parent)
    , lblVacuumQuarter_(boardfields::answer(this, "lblWaveVacuumQuarter"))
{
    setObjectName(QStringLiteral("pageWaves"));
    using boardfields::row;
    auto* grid = new QGridLayout;
    rows_.push_back(row(this, grid, 0, "txtWaveFrequency", tr("Freq&uency:"), tr("Frequency"), QString()));
    rows_.push_back(row(this, grid, 1, "txtWavePeriod", tr("P&eriod:"), tr("Period"), QString()));
    rows_.push_back(
        row(this, grid, 2, "txtWaveVacuum", tr("Wavelength in &vacuum:"), tr("Wavelength in vacuum"), QString()));
    rows_.push_back(row(this, grid, 3, "txtWaveMedium", tr("Wavelength in the &medium:"),
                        tr("Wavelength in the medium"), QString()));
    rows_.push_back(row(this, grid, 4, "txtWaveQuarter", tr("&Quarter wave in the medium:"),
                        tr("Quarter wave in the medium"), QString()));
    medium_.push_back(row(this, grid, 5, "txtWaveEr", tr("Relat&ive permittivity:"),
                          tr("Relative permittivity of the medium"), QStringLiteral("εr"), QStringLiteral("1")));
    medium_.push_back(row(this, grid, 6, "txtWaveVelocity", tr("Velocit&y factor:"), tr("Velocity factor"), QString(),
                          QStringLiteral("1")));
    grid->setColumnStretch(3, 1);
    rows_.front().field->setPlaceholderText(tr("type in any field"));

    auto* note = boardfields::note(this, "lblWaveNote",
                                   tr("λ = c / f in vacuum, c = 299792458 m/s; in a medium the wave is slower by the "
                                      "velocity factor 1/√εr (FR-4 about 4.5, PTFE 2.1, solid PE coax 0.66)."));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(lblVacuumQuarter_);
    layout->addWidget(note);
    layout->addStretch();

    tabChain({rows_[0].field, rows_[1].field, rows_[2].field, rows_[3].field, rows_[4].field, medium_[0].field,
              medium_[1].field});
    waves_ =
        new LinkedFields(this, rows_, [this](std::size_t given, const QString& text) { return compute(given, text); });
    media_ = new LinkedFields(this, medium_,
                              [this](std::size_t given, const QString& text) { return computeMedium(given, text); });
    for (const boardfields::Row& r : medium_)
        connect(r.field, &QLineEdit::textChanged, waves_, &LinkedFields::refresh);
}

LinkedFields::Answer ConversionsWaves::computeMedium(std::size_t given, const QString& text) const
{
    const values::Measured m = values::parseAmount(text.toStdString(), number, decimalSeparator(locale()));
    if (!m.value)
        return {{}, QString::fromStdString(m.error)};
    if (given == 0 && *m.value < 1)
        return {{}, tr("Below 1, the permittivity of a vacuum")};
    if (given == 1 && *m.value > 1)
        return {{}, tr("Above 1: nothing outruns light in a vacuum")};
    const double er = given == 0 ? *m.value : values::erOfVelocityFactor(*m.value);
    const QLocale l = locale();
    return {{localised(values::plain(er, 5), l), localised(values::plain(values::velocityFactorOfEr(er), 5), l)}, {}};
}

LinkedFields::Answer ConversionsWaves::compute(std::size_t given, const QString& text)
{
    const char separator = decimalSeparator(locale());
    lblVacuumQuarter_->clear();
    const std::string typed = text.toStdString();
    const values::Measured m = given == 0 ? values::parseAmount(typed, frequency, separator)
        : given == 1                      ? values::parseAmount(typed, period, separator)
                                          : values::parseWavelength(typed, separator);
    if (!m.value)
        return {{}, QString::fromStdString(m.error)};
    // The medium as its fields read now: the one typed last, or the other computed from it.
    const values::Measured er = values::parseAmount(boardfields::typed(medium_[0].field), number, separator);
    const values::Measured vf = values::parseAmount(boardfields::typed(medium_[1].field), number, separator);
    const bool byVelocity = media_ != nullptr && media_->given() == 1;
    if (byVelocity ? !(vf.value && *vf.value <= 1) : !(er.value && *er.value >= 1))
        return {};
    const double permittivity = byVelocity ? values::erOfVelocityFactor(*vf.value) : *er.value;
    const values::Waves w = values::waves(static_cast<Wave>(given), *m.value, permittivity);
    const QLocale l = locale();
    const auto shown = [&](double v, const char* unit) {
        return localised(values::withUnit(values::approximate(v, 5), unit, 5), l);
    };
    lblVacuumQuarter_->setText(tr("A quarter wave in vacuum is %1.").arg(shown(w[2] / 4, "m")));
    return {{shown(w[0], "Hz"), shown(w[1], "s"), shown(w[2], "m"), shown(w[3], "m"), shown(w[4], "m")}, {}};
}

} // namespace tools
