// SPDX-License-Identifier: MIT
#include "tools/wires/drop.h"

#include "schematic/power.h"
#include "tools/circuitview.h"
#include "values/wires.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tools {

namespace {

enum Given { GivenSection, GivenAwg };
enum Feed { FeedDc, FeedSinglePhase, FeedThreePhase };

} // namespace

WiresDrop::WiresDrop(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("pageDrop"));
    build();
    givenChosen();
}

void WiresDrop::build()
{
    using boardfields::row;
    auto* grid = new QGridLayout;
    length_ =
        row(this, grid, 0, "txtDropLength", tr("&Length, one way:"), tr("Cable length, one way"), QStringLiteral("m"));
    length_.field->setPlaceholderText(tr("e.g. 10 or 30ft"));
    current_ = row(this, grid, 1, "txtDropCurrent", tr("C&urrent:"), tr("Load current"), QStringLiteral("A"));
    current_.field->setPlaceholderText(tr("e.g. 10 or 500m"));
    cboGiven_ = wirefields::choices(this, grid, 2, "cboDropGiven", tr("Section gi&ven as:"),
                                    tr("What the cable's size is given as"), {tr("Section"), tr("AWG")});
    size_ = row(this, grid, 3, "txtDropSize", tr("Si&ze:"), tr("Cable size"), QStringLiteral("mm²"));
    supply_ = row(this, grid, 4, "txtDropSupply", tr("Suppl&y:"), tr("Supply voltage"), QStringLiteral("V"));
    supply_.field->setPlaceholderText(tr("for the drop in %"));
    limit_ = row(this, grid, 5, "txtDropLimit", tr("Ma&x drop:"), tr("Largest drop allowed"), tr("% or V"),
                 QStringLiteral("3"));
    cboFeed_ = wirefields::choices(this, grid, 6, "cboDropFeed", tr("&System:"), tr("How the load is fed"),
                                   {tr("DC"), tr("AC single-phase"), tr("AC three-phase")});
    cboMetal_ = wirefields::choices(this, grid, 7, "cboDropMetal", tr("&Metal:"), tr("Conductor metal"),
                                    {tr("Copper"), tr("Aluminium")});
    temperature_ = row(this, grid, 8, "txtDropTemperature", tr("T&emperature:"), tr("Conductor temperature"),
                       QStringLiteral("°C"), QStringLiteral("20"));
    grid->setColumnStretch(3, 1);
    limit_.field->setToolTip(tr("A percentage of the supply (3 or 3%) or volts (0.5V)"));

    answers_ = new wirefields::Answers(this, "grpDropAnswer", tr("Answer"));
    lblResistance_ = answers_->add("lblDropResistance", tr("Resistance:"));
    lblDrop_ = answers_->add("lblDropDrop", tr("Drop:"));
    lblLoss_ = answers_->add("lblDropLoss", tr("Loss:"));
    lblAwg_ = answers_->add("lblDropAwg", tr("Smallest AWG:"));
    lblMetric_ = answers_->add("lblDropMetric", tr("Smallest metric:"));

    auto* note = boardfields::note(
        this, "lblDropNote",
        tr("The current goes out and back: DC and single-phase AC drop 2 I R, R one conductor's resistance; a "
           "balanced three-phase load drops √3 I R between the lines and loses 3 I² R. The cable's reactance is "
           "neglected."));

    circuit_ = named(new CircuitView(this), "picDropCircuit", tr("The cable run"));
    circuit_->setMinimumSize(220, 150);
    wirefields::layOut(this, grid, circuit_, answers_, note);

    tabChain({length_.field, current_.field, cboGiven_, size_.field, supply_.field, limit_.field, cboFeed_, cboMetal_,
              temperature_.field, circuit_->copyButton()});
    connect(cboGiven_, &QComboBox::currentIndexChanged, this, &WiresDrop::givenChosen);
    for (QComboBox* box : {cboFeed_, cboMetal_})
        connect(box, &QComboBox::currentIndexChanged, this, &WiresDrop::refresh);
    for (const wirefields::Row* r : {&length_, &current_, &size_, &supply_, &limit_, &temperature_})
        connect(r->field, &QLineEdit::textChanged, this, &WiresDrop::refresh);
}

void WiresDrop::givenChosen()
{
    const bool awg = cboGiven_->currentIndex() == GivenAwg;
    size_.unit->setText(awg ? QStringLiteral("AWG") : QStringLiteral("mm²"));
    size_.field->setPlaceholderText(awg ? tr("e.g. 14, or none") : tr("e.g. 2.5, or none"));
    refresh();
}

// NOLINTNEXTLINE(readability-function-cognitive-complexity): one flat check per field, in the order they are shown
void WiresDrop::refresh()
{
    const char separator = decimalSeparator(locale());
    const auto length =
        wirefields::read(length_, values::parseCableLength(boardfields::typed(length_.field), separator));
    const auto amps =
        wirefields::read(current_,
                         values::parseAmount(boardfields::typed(current_.field),
                                             {values::Unit::Ampere, {}, "a current", "10, 10A or 500mA"}, separator));
    std::optional<double> area;
    size_.message->clear();
    if (cboGiven_->currentIndex() == GivenAwg) {
        const values::GaugeReading g = values::parseGauge(boardfields::typed(size_.field));
        if (g.gauge)
            area = values::roundArea(values::awgDiameter(*g.gauge));
        else if (!size_.field->text().trimmed().isEmpty())
            size_.message->setText(QString::fromStdString(g.error));
    } else {
        area = wirefields::read(size_, values::parseSection(boardfields::typed(size_.field), separator));
    }
    const auto supply =
        wirefields::read(supply_,
                         values::parseAmount(boardfields::typed(supply_.field),
                                             {values::Unit::Volt, {}, "a voltage", "12, 12V or 500mV"}, separator));
    limit_.message->clear();
    const values::DropLimit limit = values::parseDropLimit(boardfields::typed(limit_.field), separator);
    if (!limit.error.empty() && !limit_.field->text().trimmed().isEmpty())
        limit_.message->setText(QString::fromStdString(limit.error));
    const auto temperature =
        wirefields::read(temperature_,
                         values::parseTemperatureIn(boardfields::typed(temperature_.field), values::minWireC,
                                                    values::maxWireC, separator));
    const bool refused =
        !size_.message->text().isEmpty() || !supply_.message->text().isEmpty() || !limit_.message->text().isEmpty();
    answers_->clear();
    circuit_->setDrawing({});
    if (!length || !amps || !temperature || refused)
        return;

    values::Cable cable;
    cable.lengthM = *length;
    cable.currentA = *amps;
    cable.feed = cboFeed_->currentIndex() == FeedThreePhase ? values::Feed::ThreePhase
        : cboFeed_->currentIndex() == FeedSinglePhase       ? values::Feed::SinglePhase
                                                            : values::Feed::Dc;
    cable.metal = cboMetal_->currentIndex() == 0 ? values::Metal::Copper : values::Metal::Aluminium;
    cable.temperatureC = *temperature;
    const QLocale l = locale();
    const bool three = cable.feed == values::Feed::ThreePhase;
    if (area) {
        const values::Drop d = values::cableDrop(cable, *area);
        lblResistance_->setText((three ? tr("%1 each conductor") : tr("%1 both conductors"))
                                    .arg(wirefields::shown(d.resistanceOhm, "Ω", l)));
        lblDrop_->setText(
            supply ? tr("%1 (%2 % of the supply)")
                         .arg(wirefields::shown(d.dropV, "V", l), wirefields::figure(d.dropV / *supply * 100, l))
                   : wirefields::shown(d.dropV, "V", l));
        lblLoss_->setText(wirefields::shown(d.lossW, "W", l));
        const QString conductor = wirefields::shown(
            values::resistancePerMetre(cable.metal, *area, cable.temperatureC) * cable.lengthM, "Ω", l);
        circuit_->setDrawing(schematic::cableRun(three        ? QStringLiteral("L1")
                                                     : supply ? wirefields::shown(*supply, "V", l)
                                                              : tr("supply"),
                                                 conductor, wirefields::shown(cable.currentA, "A", l), !three));
    } else {
        lblResistance_->setText(tr("give the cable's size"));
    }
    const std::optional<double> limitV = limit.volts ? limit.volts
        : supply && limit.share                      ? std::optional(*supply * *limit.share)
                                                     : std::nullopt;
    if (!limitV) {
        lblAwg_->setText(tr("give the supply and the drop allowed in %, or the drop allowed in volts"));
        return;
    }
    const auto smallest = [&](std::span<const values::WireSize> table) {
        const values::WireSize* s = values::smallestSize(table, cable, *limitV);
        if (s == nullptr)
            return tr("none: even %1 drops more than %2")
                .arg(localised(values::sizeText(&table.back()), l), wirefields::shown(*limitV, "V", l));
        return tr("%1, dropping %2")
            .arg(localised(values::sizeText(s), l),
                 wirefields::shown(values::cableDrop(cable, s->areaM2).dropV, "V", l));
    };
    lblAwg_->setText(smallest(values::awgSizes()));
    lblMetric_->setText(smallest(values::metricSizes()));
}

} // namespace tools
