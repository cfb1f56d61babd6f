// SPDX-License-Identifier: MIT
#include "tools/wires/gauge.h"

#include "values/wires.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <cmath>
#include <numbers>

namespace tools {

namespace {

enum Given { GivenAwg, GivenSection, GivenDiameter };

} // namespace

WiresGauge::WiresGauge(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("pageGauge"));
    build();
    givenChosen();
}

void WiresGauge::build()
{
    auto* grid = new QGridLayout;
    cboGiven_ = wirefields::choices(this, grid, 0, "cboGaugeGiven", tr("Gi&ven as:"), tr("What the size is given as"),
                                    {tr("AWG"), tr("Section"), tr("Diameter")});
    size_ = boardfields::row(this, grid, 1, "txtGaugeSize", tr("Si&ze:"), tr("Wire size"), QStringLiteral("AWG"));
    cboMetal_ = wirefields::choices(this, grid, 2, "cboGaugeMetal", tr("&Metal:"), tr("Conductor metal"),
                                    {tr("Copper"), tr("Aluminium")});
    temperature_ = boardfields::row(this, grid, 3, "txtGaugeTemperature", tr("T&emperature:"),
                                    tr("Conductor temperature"), QStringLiteral("°C"), QStringLiteral("20"));
    grid->setColumnStretch(3, 1);

    answers_ = new wirefields::Answers(this, "grpGaugeAnswer", tr("Answer"));
    lblDiameter_ = answers_->add("lblGaugeDiameter", tr("Diameter:"));
    lblSection_ = answers_->add("lblGaugeSection", tr("Section:"));
    lblResistance_ = answers_->add("lblGaugeResistance", tr("Resistance:"));
    lblAwg_ = answers_->add("lblGaugeAwg", tr("AWG:"));
    lblMetric_ = answers_->add("lblGaugeMetric", tr("Metric:"));

    auto* note = boardfields::note(
        this, "lblGaugeNote",
        tr("AWG n has the diameter 0.127 mm × 92^((36 − n)/39), from 0000 (4/0) to 40; the metric sizes are "
           "the IEC 60228 sections from 0.14 to 240 mm². Copper 1.7241e-8 Ωm at 20 °C and 0.00393/K, "
           "aluminium 2.8264e-8 Ωm and 0.00403/K."));

    wirefields::layOut(this, grid, nullptr, answers_, note);

    tabChain({cboGiven_, size_.field, cboMetal_, temperature_.field});
    connect(cboGiven_, &QComboBox::currentIndexChanged, this, &WiresGauge::givenChosen);
    connect(cboMetal_, &QComboBox::currentIndexChanged, this, &WiresGauge::refresh);
    for (const wirefields::Row* r : {&size_, &temperature_})
        connect(r->field, &QLineEdit::textChanged, this, &WiresGauge::refresh);
}

void WiresGauge::givenChosen()
{
    const int given = cboGiven_->currentIndex();
    size_.unit->setText(given == GivenAwg           ? QStringLiteral("AWG")
                            : given == GivenSection ? QStringLiteral("mm²")
                                                    : QStringLiteral("mm"));
    size_.field->setPlaceholderText(given == GivenAwg           ? tr("e.g. 24 or 4/0")
                                        : given == GivenSection ? tr("e.g. 2.5 or 250kcmil")
                                                                : tr("e.g. 0.5 or 20mil"));
    refresh();
}

void WiresGauge::refresh()
{
    const char separator = decimalSeparator(locale());
    const std::string typed = boardfields::typed(size_.field);
    std::optional<double> area;
    std::optional<double> diameter;
    switch (cboGiven_->currentIndex()) {
    case GivenAwg: {
        size_.message->clear();
        const values::GaugeReading g = values::parseGauge(typed);
        if (g.gauge) {
            diameter = values::awgDiameter(*g.gauge);
            area = values::roundArea(*diameter);
        } else if (!size_.field->text().trimmed().isEmpty()) {
            size_.message->setText(QString::fromStdString(g.error));
        }
        break;
    }
    case GivenSection:
        area = wirefields::read(size_, values::parseSection(typed, separator));
        if (area)
            diameter = std::sqrt(*area * 4 / std::numbers::pi);
        break;
    default:
        diameter = wirefields::read(size_, values::parseDiameter(typed, separator));
        if (diameter)
            area = values::roundArea(*diameter);
        break;
    }
    const auto temperature =
        wirefields::read(temperature_,
                         values::parseTemperatureIn(boardfields::typed(temperature_.field), values::minWireC,
                                                    values::maxWireC, separator));
    if (!area || !temperature) {
        answers_->clear();
        return;
    }

    const QLocale l = locale();
    const auto metal = cboMetal_->currentIndex() == 0 ? values::Metal::Copper : values::Metal::Aluminium;
    const double perMetre = values::resistancePerMetre(metal, *area, *temperature);
    lblDiameter_->setText(
        tr("%1 mm (%2 mil)").arg(wirefields::figure(*diameter * 1e3, l), wirefields::figure(*diameter / 25.4e-6, l)));
    lblSection_->setText(
        tr("%1 mm² (%2 cmil)")
            .arg(wirefields::figure(*area * 1e6, l), wirefields::figure(*area / values::m2PerCircularMil, l)));
    lblResistance_->setText(
        tr("%1/m, %2/ft")
            .arg(wirefields::shown(perMetre, "Ω", l), wirefields::shown(perMetre * values::metresPerFoot, "Ω", l)));
    const auto around = [&](std::span<const values::WireSize> table) {
        const values::Around a = values::around(table, *area);
        return tr("%1 at or above, %2 below")
            .arg(localised(values::sizeText(a.above), l), localised(values::sizeText(a.below), l));
    };
    lblAwg_->setText(around(values::awgSizes()));
    lblMetric_->setText(around(values::metricSizes()));
}

} // namespace tools
