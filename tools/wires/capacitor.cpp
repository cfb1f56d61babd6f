// SPDX-License-Identifier: MIT
#include "tools/wires/capacitor.h"

#include "values/energy.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tools {

WiresCapacitor::WiresCapacitor(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("pageCapacitor"));
    build();
    loadChosen();
}

void WiresCapacitor::build()
{
    using boardfields::row;
    auto* grid = new QGridLayout;
    capacitance_ = row(this, grid, 0, "txtCapacitorC", tr("Capacita&nce:"), tr("Capacitance"), QStringLiteral("F"));
    capacitance_.field->setPlaceholderText(tr("e.g. 1000u"));
    voltage_ =
        row(this, grid, 1, "txtCapacitorV", tr("Charg&ed to:"), tr("Voltage it is charged to"), QStringLiteral("V"));
    end_ = row(this, grid, 2, "txtCapacitorV2", tr("D&own to:"), tr("Lowest voltage the load works at"),
               QStringLiteral("V"));
    end_.field->setPlaceholderText(tr("for the hold-up time"));
    cboLoad_ = wirefields::choices(this, grid, 3, "cboCapacitorLoad", tr("Load &kind:"), tr("Kind of load"),
                                   {tr("Constant current"), tr("Constant power")});
    load_ = row(this, grid, 4, "txtCapacitorLoad", tr("&Load:"), tr("Load"), QStringLiteral("A"));
    grid->setColumnStretch(3, 1);

    answers_ = new wirefields::Answers(this, "grpCapacitorAnswer", tr("Answer"));
    lblEnergy_ = answers_->add("lblCapacitorEnergy", tr("Energy:"));
    lblCharge_ = answers_->add("lblCapacitorCharge", tr("Charge:"));
    lblHoldUp_ = answers_->add("lblCapacitorHoldUp", tr("Hold-up time:"));
    lblDelivered_ = answers_->add("lblCapacitorDelivered", tr("Energy given:"));

    auto* note = boardfields::note(this, "lblCapacitorNote",
                                   tr("E = C V² / 2 and Q = C V. From V1 down to V2 a constant current I takes "
                                      "C (V1 − V2) / I, a constant power P takes C (V1² − V2²) / (2 P)."));

    wirefields::layOut(this, grid, nullptr, answers_, note);

    tabChain({capacitance_.field, voltage_.field, end_.field, cboLoad_, load_.field});
    connect(cboLoad_, &QComboBox::currentIndexChanged, this, &WiresCapacitor::loadChosen);
    for (const wirefields::Row* r : {&capacitance_, &voltage_, &end_, &load_})
        connect(r->field, &QLineEdit::textChanged, this, &WiresCapacitor::refresh);
}

void WiresCapacitor::loadChosen()
{
    const bool current = cboLoad_->currentIndex() == 0;
    load_.unit->setText(current ? QStringLiteral("A") : QStringLiteral("W"));
    load_.field->setPlaceholderText(current ? tr("e.g. 100m") : tr("e.g. 1 or 500m"));
    refresh();
}

void WiresCapacitor::refresh()
{
    const char separator = decimalSeparator(locale());
    const auto amount = [&](const wirefields::Row& r, const values::Amount& a) {
        return wirefields::read(r, values::parseAmount(boardfields::typed(r.field), a, separator));
    };
    const bool current = cboLoad_->currentIndex() == 0;
    const auto farads = amount(capacitance_, {values::Unit::Farad, {}, "a capacitance", "1000u, 1000uF or 1m"});
    const auto v1 = amount(voltage_, {values::Unit::Volt, {}, "a voltage", "12, 12V or 500mV"});
    const auto v2 = amount(end_, {values::Unit::Volt, {}, "a voltage", "9, 9V or 0", true});
    const auto load = current ? amount(load_, {values::Unit::Ampere, {}, "a current", "100m, 100mA or 0.1"})
                              : amount(load_, {values::Unit::None, "W", "a power", "1, 1W or 500mW"});
    if (v1 && v2 && !(*v2 < *v1))
        end_.message->setText(tr("Lower than the voltage it is charged to"));
    answers_->clear();
    if (!farads || !v1)
        return;
    const QLocale l = locale();
    const values::CapacitorCharge charge = values::capacitorCharge(*farads, *v1);
    lblEnergy_->setText(wirefields::shown(charge.energyJ, "J", l));
    lblCharge_->setText(wirefields::shown(charge.chargeC, "C", l));
    if (!v2 || !load || !end_.message->text().isEmpty()) {
        lblHoldUp_->setText(tr("give the lowest voltage and the load"));
        return;
    }
    const values::HoldUp hold =
        values::holdUp(*farads, *v1, *v2, current ? values::Load::Current : values::Load::Power, *load);
    lblHoldUp_->setText(wirefields::shown(hold.seconds, "s", l));
    lblDelivered_->setText(wirefields::shown(hold.energyJ, "J", l));
}

} // namespace tools
