// SPDX-License-Identifier: MIT
#include "tools/amplifiers/heatsink.h"

#include "schematic/amplifiers.h"
#include "tools/circuitview.h"
#include "tools/localised.h"
#include "tools/widgets.h"
#include "values/heatsink.h"
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

enum Given { GivenPower, GivenRegulator };

QString kelvins(double v, const QLocale& l)
{
    return QObject::tr("%1 K/W").arg(wirefields::figure(v, l));
}

QString celsius(double v, const QLocale& l)
{
    return QObject::tr("%1 °C").arg(wirefields::figure(v, l));
}

} // namespace

AmplifiersHeatSink::AmplifiersHeatSink(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("pageHeatSink"));
    build();
    givenChosen();
}

void AmplifiersHeatSink::build()
{
    using boardfields::row;
    auto* grid = new QGridLayout;
    cboGiven_ =
        wirefields::choices(this, grid, 0, "cboHeatGiven", tr("Power &given as:"), tr("What the power is given as"),
                            {tr("Dissipation"), tr("Linear regulator's loss")});
    power_ = row(this, grid, 1, "txtHeatPower", tr("&Dissipation:"), tr("Power dissipated"), QStringLiteral("W"));
    power_.field->setPlaceholderText(tr("e.g. 3.5"));
    vin_ = row(this, grid, 2, "txtHeatVin", tr("&V in:"), tr("Regulator input voltage"), QStringLiteral("V"));
    vout_ = row(this, grid, 3, "txtHeatVout", tr("V o&ut:"), tr("Regulator output voltage"), QStringLiteral("V"));
    current_ = row(this, grid, 4, "txtHeatCurrent", tr("&Load current:"), tr("Load current"), QStringLiteral("A"));
    junction_ = row(this, grid, 5, "txtHeatJunction", tr("&Junction limit:"), tr("Junction temperature limit"),
                    QStringLiteral("°C"), QStringLiteral("125"));
    ambient_ = row(this, grid, 6, "txtHeatAmbient", tr("A&mbient:"), tr("Ambient temperature"), QStringLiteral("°C"),
                   QStringLiteral("25"));
    jc_ = row(this, grid, 7, "txtHeatJc", tr("Junction to cas&e:"), tr("Thermal resistance, junction to case"),
              QStringLiteral("K/W"));
    jc_.field->setPlaceholderText(tr("θJC, e.g. 5"));
    cs_ = row(this, grid, 8, "txtHeatCs", tr("Case to &sink:"), tr("Thermal resistance, case to heat sink"),
              QStringLiteral("K/W"), localised("0.5", locale()));
    cs_.field->setToolTip(tr("θCS: about 0.5 K/W with thermal grease, 1 to 2 with a pad or mica"));
    ja_ = row(this, grid, 9, "txtHeatJa", tr("Junction to &air:"), tr("Thermal resistance, junction to air"),
              QStringLiteral("K/W"));
    ja_.field->setPlaceholderText(tr("θJA, for the part alone"));
    grid->setColumnStretch(3, 1);

    answers_ = new wirefields::Answers(this, "grpHeatAnswer", tr("Answer"));
    lblPower_ = answers_->add("lblHeatPowerAnswer", tr("Power:"));
    lblBare_ = answers_->add("lblHeatBare", tr("Without a heat sink:"));
    lblSink_ = answers_->add("lblHeatSink", tr("Heat sink:"));
    lblCase_ = answers_->add("lblHeatCase", tr("Case:"));
    auto* note = boardfields::note(
        this, "lblHeatNote",
        tr("Each thermal resistance raises the temperature by the power times itself: the junction sits at "
           "Ta + P (θJC + θCS + θSA) on a heat sink and at Ta + P θJA without one. The heat sink must be at most "
           "θSA = (Tj max - Ta) / P - θJC - θCS, in still air as its data sheet measures it."));
    circuit_ = named(new CircuitView(this), "picHeat", tr("The heat path"));
    circuit_->setMinimumSize(300, 110);

    // The path runs across the whole page: it is long and low.
    auto* top = new QHBoxLayout;
    top->addLayout(grid, 1);
    auto* side = new QVBoxLayout;
    side->addWidget(answers_);
    side->addStretch();
    top->addLayout(side, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(circuit_);
    layout->addWidget(note);
    layout->addStretch();

    tabChain({cboGiven_, power_.field, vin_.field, vout_.field, current_.field, junction_.field, ambient_.field,
              jc_.field, cs_.field, ja_.field, circuit_->copyButton()});
    connect(cboGiven_, &QComboBox::currentIndexChanged, this, &AmplifiersHeatSink::givenChosen);
    for (const amplifierfields::Row* r : {&power_, &vin_, &vout_, &current_, &junction_, &ambient_, &jc_, &cs_, &ja_})
        connect(r->field, &QLineEdit::textChanged, this, &AmplifiersHeatSink::refresh);
}

void AmplifiersHeatSink::givenChosen()
{
    const bool regulator = cboGiven_->currentIndex() == GivenRegulator;
    amplifierfields::setRowVisible(power_, !regulator);
    for (const amplifierfields::Row* r : {&vin_, &vout_, &current_})
        amplifierfields::setRowVisible(*r, regulator);
    refresh();
}

// NOLINTNEXTLINE(readability-function-cognitive-complexity): one flat check per field, in the order they are shown
void AmplifiersHeatSink::refresh()
{
    const char separator = decimalSeparator(locale());
    const auto amount = [&](const amplifierfields::Row& r, const values::Amount& a) {
        return wirefields::read(r, values::parseAmount(boardfields::typed(r.field), a, separator));
    };
    const auto temperature = [&](const amplifierfields::Row& r, double lo, double hi) {
        return wirefields::read(r, values::parseTemperatureIn(boardfields::typed(r.field), lo, hi, separator));
    };
    const auto theta = [&](const amplifierfields::Row& r) {
        return wirefields::read(r, values::parseThermalResistance(boardfields::typed(r.field), separator));
    };
    const values::Amount volts{values::Unit::Volt, {}, "a voltage", "12, 12V or 500mV"};
    const bool regulator = cboGiven_->currentIndex() == GivenRegulator;
    std::optional<double> power;
    std::optional<double> vin;
    std::optional<double> vout;
    std::optional<double> current;
    if (regulator) {
        vin = amount(vin_, volts);
        vout = amount(vout_, volts);
        current = amount(current_, {values::Unit::Ampere, {}, "a current", "1, 1A or 500mA"});
        if (vin && vout && *vout >= *vin)
            vout_.message->setText(tr("A linear regulator's output lies below its input"));
        else if (vin && vout && current)
            power = values::linearLoss(*vin, *vout, *current);
    } else {
        power = amount(power_, {values::Unit::None, "W", "a power", "3.5, 3.5W or 500mW"});
    }
    const auto junction = temperature(junction_, values::minJunctionC, values::maxJunctionC);
    const auto ambient = temperature(ambient_, values::minAmbientC, values::maxAmbientC);
    if (junction && ambient && *junction <= *ambient)
        junction_.message->setText(tr("The junction's limit must lie above the ambient temperature"));
    const auto jc = theta(jc_);
    const auto cs = theta(cs_);
    const auto ja = theta(ja_);
    if (power && *power > values::maxPowerW)
        (regulator ? current_ : power_).message->setText(tr("Above 100 kW"));

    answers_->clear();
    const QLocale l = locale();
    const bool refused = !junction_.message->text().isEmpty() || !power_.message->text().isEmpty() ||
        !current_.message->text().isEmpty() || !ja_.message->text().isEmpty();
    const auto drawn = [&](const std::optional<double>& v) { return v ? kelvins(*v, l) : QString(); };
    const QString tj = junction && ambient ? tr("junction at most %1").arg(celsius(*junction, l)) : tr("junction");
    const QString air = ambient ? tr("air at %1").arg(celsius(*ambient, l)) : tr("air");
    if (!power || !junction || !ambient || !jc || !cs || refused) {
        circuit_->setDrawing(schematic::heatPath(tj, drawn(jc), drawn(cs), {}, air));
        return;
    }
    values::Thermal thermal;
    thermal.powerW = *power;
    thermal.junctionMaxC = *junction;
    thermal.ambientC = *ambient;
    thermal.junctionToCase = *jc;
    thermal.caseToSink = *cs;
    thermal.junctionToAir = ja;
    const values::HeatSink h = values::heatSink(thermal);
    lblPower_->setText(regulator ? tr("%1 ((V in - V out) × I)").arg(wirefields::shown(*power, "W", l))
                                 : wirefields::shown(*power, "W", l));
    if (h.bareJunctionC)
        lblBare_->setText((*h.bareWithin ? tr("the junction at %1: within its limit, no heat sink needed")
                                         : tr("the junction at %1: too hot"))
                              .arg(celsius(*h.bareJunctionC, l)) +
                          (h.bareMaxW ? tr("; %1 at most").arg(wirefields::shown(*h.bareMaxW, "W", l)) : QString()));
    else
        lblBare_->setText(tr("give θJA"));
    const bool possible = h.sinkMax > 0;
    lblSink_->setText(possible ? tr("at most %1").arg(kelvins(h.sinkMax, l))
                               : tr("none will do: θJC and θCS alone leave the junction above its limit"));
    lblCase_->setText(possible ? tr("%1 with the junction at its limit").arg(celsius(h.caseC, l)) : QString());
    circuit_->setDrawing(schematic::heatPath(tj, drawn(jc), drawn(cs),
                                             possible ? tr("at most %1").arg(kelvins(h.sinkMax, l)) : QString(), air));
}

} // namespace tools
