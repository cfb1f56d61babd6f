// SPDX-License-Identifier: MIT
#include "tools/timing/rc.h"

#include "tools/circuitview.h"
#include "tools/plots.h"
#include "tools/plotview.h"
#include "tools/table.h"
#include "tools/widgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tools {

using timing::Field;
using values::Measure;

RcPage::RcPage(QWidget* parent)
    : QWidget(parent)
    , result_(timing::answerLabel(this, "lblRc", 6))
    , search_(this, [this](const Found& found) { showPairs(found); })
{
    setObjectName(QStringLiteral("fraRc"));
    r_ =
        timing::makeField(this, "txtRcR", tr("Re&sistor:"), Measure::Resistance, tr("Resistor"), QStringLiteral("10k"));
    c_ = timing::makeField(this, "txtRcC", tr("C&apacitor:"), Measure::Capacitance, tr("Capacitor"),
                           QStringLiteral("100n"));
    supply_ = timing::makeField(this, "txtRcSupply", tr("Supply &voltage:"), Measure::Voltage, tr("Supply voltage"),
                                QStringLiteral("5"));
    level_ = timing::makeField(this, "txtRcLevel", tr("Charged to &level:"), Measure::Voltage,
                               tr("Voltage the capacitor charges to"), QStringLiteral("3.3"));
    circuit_ = named(new CircuitView(this), "picRc", tr("Circuit"));
    bode_ = named(new PlotView(this), "plotRcBode", tr("Bode plot"));
    charge_ = named(new PlotView(this), "plotRcCharge", tr("Charging"));

    auto* parts = new QGridLayout;
    addField(parts, 0, r_);
    addField(parts, 2, c_);
    addField(parts, 4, supply_);
    addField(parts, 6, level_);
    parts->setColumnStretch(3, 1);
    auto* forward = new QGroupBox(tr("From the parts"), this);
    auto* forwardLayout = new QHBoxLayout(forward);
    auto* left = new QVBoxLayout;
    left->addLayout(parts);
    left->addWidget(result_);
    left->addStretch();
    forwardLayout->addLayout(left, 1);
    QTabWidget* views =
        timing::views(this, "tabRcViews", circuit_, {{bode_, tr("Bode plot")}, {charge_, tr("Charging")}});
    forwardLayout->addWidget(views, 1);

    corner_ = named(new QRadioButton(tr("C&orner frequency"), this), "optRcCorner");
    tau_ = named(new QRadioButton(tr("Ti&me constant"), this), "optRcTau");
    corner_->setChecked(true);
    corner_->setToolTip(tr("The frequency where the filter passes half the power, 3 dB down: 1 / (2 π R C)"));
    tau_->setToolTip(tr("R C: the time the capacitor takes to charge to 63 % of a step"));
    target_ = timing::makeField(this, "txtRcTarget", tr("Tar&get:"), Measure::Frequency, tr("Target"),
                                QStringLiteral("1k"), 1);
    resistors_ = new timing::PartRange(this, QStringLiteral("RcR"), tr("R&esistors:"), Measure::Resistance,
                                       values::Series::E24, "1k", "1M");
    capacitors_ = new timing::PartRange(this, QStringLiteral("RcC"), tr("Capac&itors:"), Measure::Capacitance,
                                        values::Series::E6, "1n", "1u");
    table_ = timing::makeTable(this, "tblRcPairs", tr("Best pairs"), {tr("R"), tr("C"), tr("Corner"), tr("Deviation")},
                               {QStringLiteral("999.9 kΩ"), QStringLiteral("999.9 nF"), QStringLiteral("999.999 kHz"),
                                QStringLiteral("-100.00 %")});
    table_->horizontalHeaderItem(3)->setToolTip(tr("How far the pair's value lies from the target, in percent"));
    cornerTip();
    copy_ = copyTableButton(this, table_, "cmdCopyRcPairs");
    status_ = new SteadyLabel(this, QStringLiteral("lblRcStatus"), 2, SteadyLabel::Tone::Plain);

    auto* goal = new QGridLayout;
    auto* kinds = new QHBoxLayout;
    kinds->addWidget(corner_);
    kinds->addWidget(tau_);
    kinds->addStretch();
    goal->addLayout(kinds, 0, 0, 1, 4);
    addField(goal, 1, target_);
    goal->setColumnStretch(3, 1);
    timing::sideBySide(this, forward,
                       timing::section(this, tr("Standard pairs for a target"), goal,
                                       {resistors_, capacitors_, table_, timing::underTable(this, copy_, status_)},
                                       table_));

    for (const Field* f : {&r_, &c_, &supply_, &level_})
        connect(f->edit, &QLineEdit::textChanged, this, &RcPage::calculate);
    for (QLineEdit* e : {target_.edit, resistors_->from(), resistors_->to(), capacitors_->from(), capacitors_->to()})
        connect(e, &QLineEdit::textChanged, this, &RcPage::design);
    for (QComboBox* b : {resistors_->series(), capacitors_->series()})
        connect(b, &QComboBox::currentIndexChanged, this, &RcPage::design);
    connect(corner_, &QRadioButton::toggled, this, [this] {
        target_.unit->setText(corner_->isChecked() ? QStringLiteral("Hz") : QStringLiteral("s"));
        target_.quantity = corner_->isChecked() ? Measure::Frequency : Measure::Time;
        target_.edit->setPlaceholderText(corner_->isChecked() ? tr("e.g. 1k") : tr("e.g. 1m"));
        design();
    });
    tabChain(timing::around({r_.edit, c_.edit, supply_.edit, level_.edit}, views,
                            {corner_, tau_, target_.edit, resistors_->series(), resistors_->from(), resistors_->to(),
                             capacitors_->series(), capacitors_->from(), capacitors_->to(), table_, copy_}));
    onRowPicked(table_, this, [this] {
        pairDrawn_ = true;
        draw();
    });
    calculate();
    design();
}

void RcPage::cornerTip()
{
    table_->horizontalHeaderItem(2)->setToolTip(cornerAsked_ ? corner_->toolTip() : tau_->toolTip());
}

QWidget* RcPage::firstField() const
{
    return r_.edit;
}

void RcPage::calculate()
{
    const auto r = r_.read();
    const auto c = c_.read();
    const auto supply = supply_.read();
    const auto level = level_.read();
    const QLocale l = locale();
    typedR_ = r ? timing::shown(*r, QStringLiteral("Ω"), l) : QString();
    typedC_ = c ? timing::shown(*c, QStringLiteral("F"), l) : QString();
    rValue_ = r;
    cValue_ = c;
    supplyValue_ = supply;
    levelValue_ = level;
    pairDrawn_ = false;
    draw();
    if (!r || !c) {
        result_->clear();
        return;
    }
    QStringList lines;
    lines << tr("Time constant R C: %1").arg(timing::shown(values::timeConstant(*r, *c), QStringLiteral("s"), l))
          << tr("Corner of the low and the high pass: %1")
                 .arg(timing::shown(values::cornerFrequency(*r, *c), QStringLiteral("Hz"), l));
    if (supply && level) {
        if (*level < *supply) {
            lines << tr("From 0 to %1 of %2: %3")
                         .arg(timing::shown(*level, QStringLiteral("V"), l),
                              timing::shown(*supply, QStringLiteral("V"), l),
                              timing::shown(values::chargeTime(*r, *c, *supply, *level), QStringLiteral("s"), l));
        } else {
            // Short enough for the field's two lines; the help says why.
            level_.message->setText(tr("Give a level below the supply: it is never reached."));
        }
    }
    result_->setText(lines.join(u'\n'));
}

void RcPage::design()
{
    const auto target = target_.read();
    const auto resistors = resistors_->values();
    const auto capacitors = capacitors_->values();
    if (!target || !resistors || !capacitors) {
        clearPairs({});
        return;
    }
    cornerAsked_ = corner_->isChecked();
    const values::RcTarget kind = cornerAsked_ ? values::RcTarget::Corner : values::RcTarget::TimeConstant;
    status_->setText(tr("Searching..."));
    search_.run([kind, t = *target, r = *resistors, c = *capacitors](const std::stop_token& stop) {
        values::DesignBudget budget;
        Found found;
        found.pairs = values::designRc(kind, t, r, c, 10, stop, &budget);
        found.limited = budget.limited;
        return found;
    });
}

void RcPage::showPairs(const Found& found)
{
    const std::vector<values::RcPair>& pairs = found.pairs;
    const QLocale l = locale();
    table_->horizontalHeaderItem(2)->setText(cornerAsked_ ? tr("Corner") : tr("Time constant"));
    cornerTip();
    table_->setRowCount(static_cast<int>(pairs.size()));
    int row = 0;
    for (const values::RcPair& p : pairs) {
        const char* unit = cornerAsked_ ? "Hz" : "s";
        table_->setItem(row, 0, cell(timing::shown(p.r, QStringLiteral("Ω"), l), fullText(p.r, "Ω", l)));
        table_->setItem(row, 1, cell(timing::shown(p.c, QStringLiteral("F"), l), fullText(p.c, "F", l)));
        table_->setItem(row, 2,
                        cell(timing::shownInCell(p.value, QString::fromLatin1(unit), l), fullText(p.value, unit, l)));
        table_->setItem(row, 3, timing::missCell(p.miss, l));
        ++row;
    }
    QString status = pairs.empty() ? tr("No pair of these parts comes near.") : QString();
    if (found.limited)
        status = tr("The search stopped at its limit: a better pair may exist.");
    status_->setText(status);
    table_->selectionModel()->clear(); // the best pair is drawn again
    pairDrawn_ = true;
    draw();
    Q_EMIT pairsShown();
}

void RcPage::clearPairs(const QString& status)
{
    search_.cancel();
    table_->setRowCount(0);
    status_->setText(status);
    draw();
    Q_EMIT pairsShown();
}

void RcPage::draw()
{
    const int row = pairDrawn_ ? drawnRow(*table_) : -1;
    const QString rText = row < 0 ? typedR_ : timing::cellText(*table_, row, 0);
    const QString cText = row < 0 ? typedC_ : timing::cellText(*table_, row, 1);
    circuit_->setDrawing(schematic::rcFilter(schematic::Filter::LowPass, rText, cText));
    // The plots follow the parts drawn.
    const QLocale l = locale();
    const auto r = row < 0 ? rValue_ : timing::shownValue(rText, Measure::Resistance, l);
    const auto c = row < 0 ? cValue_ : timing::shownValue(cText, Measure::Capacitance, l);
    if (!r || !c) {
        bode_->setPlot({});
        charge_->setPlot({});
        return;
    }
    bode_->setPlot(plots::rc(r->nearestDouble(), c->nearestDouble(), l));
    const bool level = supplyValue_ && levelValue_ && *levelValue_ < *supplyValue_;
    charge_->setPlot(level ? plots::charge(values::timeConstant(*r, *c), supplyValue_->nearestDouble(),
                                           levelValue_->nearestDouble(), l)
                           : schematic::Plot{});
}

} // namespace tools
