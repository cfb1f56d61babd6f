// SPDX-License-Identifier: MIT
#include "tools/wires/battery.h"

#include "schematic/power.h"
#include "tools/circuitview.h"
#include "values/energy.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tools {

WiresBattery::WiresBattery(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("pageBattery"));
    build();
    refresh();
}

void WiresBattery::build()
{
    using boardfields::row;
    auto* grid = new QGridLayout;
    capacity_ = row(this, grid, 0, "txtBatteryCapacity", tr("Capacit&y:"), tr("Battery capacity"), tr("mAh"));
    capacity_.field->setPlaceholderText(tr("e.g. 2000, 2Ah or 10Wh"));
    voltage_ = row(this, grid, 1, "txtBatteryVoltage", tr("&Voltage:"), tr("Battery voltage"), QStringLiteral("V"));
    voltage_.field->setPlaceholderText(tr("for Wh"));
    active_ = row(this, grid, 2, "txtBatteryActive", tr("Active c&urrent:"), tr("Load current while active"),
                  QStringLiteral("A"));
    active_.field->setPlaceholderText(tr("e.g. 10m"));
    duty_ = row(this, grid, 3, "txtBatteryDuty", tr("Active f&or:"), tr("Share of the time the load is active"),
                tr("% of the time"), QStringLiteral("100"));
    sleep_ = row(this, grid, 4, "txtBatterySleep", tr("&Sleep current:"), tr("Load current the rest of the time"),
                 QStringLiteral("A"), QStringLiteral("0"));
    selfDischarge_ = row(this, grid, 5, "txtBatterySelfDischarge", tr("Se&lf-discharge:"), tr("Capacity lost a month"),
                         tr("% a month"), QStringLiteral("0"));
    derating_ = row(this, grid, 6, "txtBatteryDerating", tr("D&erating:"), tr("Capacity not to count on"),
                    QStringLiteral("%"), QStringLiteral("0"));
    peukert_ = row(this, grid, 7, "txtBatteryPeukert", tr("Peu&kert exponent:"), tr("Peukert's exponent"), QString(),
                   QStringLiteral("1"));
    peukert_.field->setToolTip(tr("1 for no Peukert effect; lead-acid 1.1 to 1.3"));
    rated_ = row(this, grid, 8, "txtBatteryRated", tr("&Rated over:"), tr("Discharge time the capacity is rated for"),
                 QStringLiteral("h"), QStringLiteral("20"));
    grid->setColumnStretch(3, 1);

    answers_ = new wirefields::Answers(this, "grpBatteryAnswer", tr("Answer"));
    lblAverage_ = answers_->add("lblBatteryAverage", tr("Average current:"));
    lblSelfDischarge_ = answers_->add("lblBatterySelfDischargeCurrent", tr("Self-discharge:"));
    lblUsable_ = answers_->add("lblBatteryUsable", tr("Usable capacity:"));
    lblLife_ = answers_->add("lblBatteryLife", tr("Life:"));

    auto* note = boardfields::note(
        this, "lblBatteryNote",
        tr("The load's average current draws on the capacity less the derating; the self-discharge counts as a "
           "steady current beside it (a month is 730.5 h). Peukert's law scales the usable capacity by "
           "(C / (I H))^(k − 1) at the average current I, for a capacity C rated over H hours."));

    circuit_ = named(new CircuitView(this), "picBatteryCircuit", tr("The battery and its load"));
    circuit_->setMinimumSize(160, 150);
    wirefields::layOut(this, grid, circuit_, answers_, note);

    const wirefields::Row* rows[] = {&capacity_,      &voltage_,  &active_,  &duty_, &sleep_,
                                     &selfDischarge_, &derating_, &peukert_, &rated_};
    std::vector<QWidget*> chain;
    for (const wirefields::Row* r : rows) {
        chain.push_back(r->field);
        connect(r->field, &QLineEdit::textChanged, this, &WiresBattery::refresh);
    }
    chain.push_back(circuit_->copyButton());
    tabChain(chain);
}

// NOLINTNEXTLINE(readability-function-cognitive-complexity): one flat check per field, in the order they are shown
void WiresBattery::refresh()
{
    const char separator = decimalSeparator(locale());
    const auto amount = [&](const wirefields::Row& r, const values::Amount& a) {
        return wirefields::read(r, values::parseAmount(boardfields::typed(r.field), a, separator));
    };
    const auto percent = [&](const wirefields::Row& r, double hi) {
        return wirefields::read(r, values::parsePercent(boardfields::typed(r.field), 0, hi, separator));
    };
    const auto outside = [&](const wirefields::Row& r, std::optional<double> v, double lo, double hi,
                             const QString& range) {
        if (v && (*v < lo || *v > hi)) {
            r.message->setText(tr("'%1' is outside %2").arg(elided(r.field->text().trimmed()), range));
            return std::optional<double>();
        }
        return v;
    };
    capacity_.message->clear();
    const values::Capacity capacity = values::parseCapacity(boardfields::typed(capacity_.field), separator);
    if (!capacity.error.empty() && !capacity_.field->text().trimmed().isEmpty())
        capacity_.message->setText(QString::fromStdString(capacity.error));
    const auto volts = amount(voltage_, {values::Unit::Volt, {}, "a voltage", "3.7, 3.7V or 12"});
    const auto active = amount(active_, {values::Unit::Ampere, {}, "a current", "10m, 10mA or 0.01"});
    const auto duty = percent(duty_, 100);
    const auto sleep = amount(sleep_, {values::Unit::Ampere, {}, "a current", "10u, 10uA or 0", true});
    const auto selfDischarge = percent(selfDischarge_, 50);
    const auto derating = percent(derating_, 90);
    const auto peukert =
        outside(peukert_, amount(peukert_, {values::Unit::None, {}, "an exponent", "1.2"}), 1, 2, tr("1 to 2"));
    const auto rated = outside(rated_, amount(rated_, {values::Unit::None, "h", "a time in hours", "20 or 20h"}), 0.1,
                               1000, tr("0.1 to 1000 h"));
    answers_->clear();
    circuit_->setDrawing({});
    if (capacity.wh && !volts) {
        lblLife_->setText(tr("give the battery's voltage for a capacity in Wh"));
        return;
    }
    if (!(capacity.ah || capacity.wh) || !active || !duty || !sleep || !selfDischarge || !derating || !peukert ||
        !rated)
        return;

    const values::Battery b{capacity.ah ? *capacity.ah : *capacity.wh / *volts,
                            *active,
                            *duty,
                            *sleep,
                            *selfDischarge,
                            *derating,
                            *peukert,
                            *rated};
    if (values::drawsNothing(b)) {
        lblLife_->setText(tr("nothing draws on the battery"));
        return;
    }
    const values::BatteryLife life = values::batteryLife(b);
    const QLocale l = locale();
    lblAverage_->setText(wirefields::shown(life.averageA, "A", l));
    lblSelfDischarge_->setText(life.selfDischargeA > 0
                                   ? tr("%1 as a steady current").arg(wirefields::shown(life.selfDischargeA, "A", l))
                                   : tr("none"));
    lblUsable_->setText(wirefields::shown(life.usableAh, "Ah", l));
    lblLife_->setText(tr("%1 h (%2 days)").arg(wirefields::figure(life.hours, l), wirefields::figure(life.days, l)));
    const QString battery = wirefields::shown(b.capacityAh, "Ah", l);
    circuit_->setDrawing(schematic::batteryLoad(
        volts && capacity.wh ? tr("%1, %2").arg(wirefields::shown(*volts, "V", l), battery) : battery,
        tr("%1 on average").arg(wirefields::shown(life.averageA, "A", l))));
}

} // namespace tools
