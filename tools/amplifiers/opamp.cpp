// SPDX-License-Identifier: MIT
#include "tools/amplifiers/opamp.h"

#include "schematic/amplifiers.h"
#include "tools/circuitview.h"
#include "tools/form.h"
#include "tools/localised.h"
#include "tools/table.h"
#include "tools/widgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tools {

namespace {

using amplifierfields::shown;

enum Column { CRf, CRg, CGain, CDeviation, CLowest, CHighest, CInput, CBalance, CColumns };

values::OpAmpCircuit circuitAt(int index)
{
    return static_cast<values::OpAmpCircuit>(index);
}

} // namespace

AmplifiersOpAmp::AmplifiersOpAmp(QWidget* parent)
    : QWidget(parent)
    , search_(this, [this](const values::OpAmpDesign& design) { show(design); })
{
    setObjectName(QStringLiteral("pageOpAmp"));
    build();
    refresh();
}

void AmplifiersOpAmp::build()
{
    auto* grid = new QGridLayout;
    cboCircuit_ = wirefields::choices(this, grid, 0, "cboOpAmpCircuit", tr("&Amplifier:"), tr("Amplifier"),
                                      {tr("Non-inverting"), tr("Inverting"), tr("Difference")});
    cboCircuit_->setToolTip(tr("Non-inverting: G = 1 + Rf / Rg; inverting: G = -Rf / Rg; difference: V out = Rf / Rg "
                               "(V+ - V-), with matched pairs"));
    gain_ = boardfields::row(this, grid, 1, "txtOpAmpGain", tr("&Gain:"), tr("Gain"), QString());
    gain_.field->setPlaceholderText(tr("e.g. 10 or -4.7"));
    options_ = std::make_unique<amplifierfields::PairOptions>(
        this, grid, 2,
        amplifierfields::PairOptions::Names{"cboOpAmpSeries", "txtOpAmpFrom", "txtOpAmpTo", "cboOpAmpTolerance",
                                            "cboOpAmpFixed", "txtOpAmpFixed"},
        "E24", "1k", "1M", QStringList{tr("none"), tr("Rf (feedback)"), tr("Rg (ground or input)")});
    grid->setColumnStretch(3, 1);

    table_ = amplifierfields::answerTable(
        this, "tblOpAmpPairs", tr("Best pairs"),
        {tr("Rf"), tr("Rg"), tr("Gain"), tr("Deviation"), tr("Lowest"), tr("Highest"), tr("Input"), tr("Rb")});
    const QString corners = tr("The gain with every resistor off by up to its tolerance");
    table_->horizontalHeaderItem(CLowest)->setToolTip(corners);
    table_->horizontalHeaderItem(CHighest)->setToolTip(corners);
    table_->horizontalHeaderItem(CDeviation)->setToolTip(tr("How far the pair's value lies from the goal, in percent"));
    table_->horizontalHeaderItem(CInput)->setToolTip(
        tr("The resistance the source sees; the non-inverting amplifier's input is the op-amp's own"));
    lblStatus_ = amplifierfields::statusLabel(this, "lblOpAmpStatus");
    cmdCopy_ = amplifierfields::copyButton(this, "cmdOpAmpCopy", table_);
    circuit_ = named(new CircuitView(this), "picOpAmp", tr("The amplifier"));
    circuit_->setMinimumSize(300, 220);

    amplifierfields::layOutDesigner(this, grid, circuit_, table_, lblStatus_, cmdCopy_);

    std::vector<QWidget*> chain{cboCircuit_, gain_.field};
    for (QWidget* w : options_->tabOrder())
        chain.push_back(w);
    chain.insert(chain.end(), {circuit_->copyButton(), table_, cmdCopy_});
    tabChain(chain);

    connect(cboCircuit_, &QComboBox::currentIndexChanged, this, &AmplifiersOpAmp::refresh);
    connect(gain_.field, &QLineEdit::textChanged, this, &AmplifiersOpAmp::refresh);
    options_->onChange(this, [this] { refresh(); });
    onRowPicked(table_, this, [this] { draw(); });
}

void AmplifiersOpAmp::refresh()
{
    values::OpAmpGoal goal;
    goal.circuit = circuitAt(cboCircuit_->currentIndex());
    shownCircuit_ = goal.circuit;
    bool negative = false;
    const auto gain = amplifierfields::read(
        gain_, {values::Unit::None, QT_TR_NOOP("'%1' is not a gain: write 10, -4.7 or 2.5"), false, true}, &negative);
    if (gain && negative && goal.circuit != values::OpAmpCircuit::Inverting)
        gain_.message->setText(tr("A negative gain is the inverting amplifier's: choose Inverting"));
    const auto chosen = options_->read();
    if (!gain || !chosen || !gain_.message->text().isEmpty()) {
        clear({});
        return;
    }
    goal.gain = *gain;
    values::OpAmpOptions options;
    options.series = chosen->series;
    options.lo = chosen->lo;
    options.hi = chosen->hi;
    options.tolerancePercent = chosen->tolerance;
    if (chosen->fixed == 1)
        options.fixedRf = chosen->value;
    if (chosen->fixed == 2)
        options.fixedRg = chosen->value;
    if (const values::OpAmpCheck check = values::checkOpAmp(goal, options); check.change != values::OpAmpField::None) {
        gain_.message->setText(check.change == values::OpAmpField::Gain
                                   ? (goal.gain == values::Decimal::of(1, 0)
                                          ? tr("A gain of 1 needs no resistors: a follower")
                                          : tr("A non-inverting amplifier's gain is above 1: for less, divide the "
                                               "input"))
                                   : QString::fromStdString(check.message));
        clear({});
        return;
    }
    lblStatus_->setText(tr("Searching..."));
    search_.run([goal, options](const std::stop_token& stop) { return values::designOpAmp(goal, options, stop); });
}

void AmplifiersOpAmp::show(const values::OpAmpDesign& design)
{
    const QLocale l = locale();
    const bool difference = shownCircuit_ == values::OpAmpCircuit::Difference;
    table_->selectionModel()->clear(); // the best pair is drawn again
    table_->horizontalHeaderItem(CBalance)->setText(difference ? tr("CMRR") : tr("Rb"));
    table_->horizontalHeaderItem(CBalance)->setToolTip(
        difference ? tr("The common-mode rejection at the worst corner of the tolerances")
                   : tr("The standard value nearest Rf || Rg, for the other input: the bias currents then cancel"));
    table_->setRowCount(static_cast<int>(design.pairs.size()));
    int row = 0;
    for (const values::OpAmpPair& p : design.pairs) {
        const auto exact = [&](double v) { return localised(values::shortestText(v), l); };
        table_->setItem(row, CRf, cell(shown(p.rf, "Ω", l), fullText(p.rf, "Ω", l)));
        table_->setItem(row, CRg, cell(shown(p.rg, "Ω", l), fullText(p.rg, "Ω", l)));
        table_->setItem(row, CGain, cell(wirefields::figure(p.gain, l), exact(p.gain)));
        table_->setItem(row, CDeviation, cell(localised(p.deviation.text(), l), fullText(p.deviation, l)));
        table_->setItem(row, CLowest, cell(wirefields::figure(p.worstCase.min, l), exact(p.worstCase.min)));
        table_->setItem(row, CHighest, cell(wirefields::figure(p.worstCase.max, l), exact(p.worstCase.max)));
        table_->setItem(row, CInput, cell(p.inputOhms ? shown(*p.inputOhms, "Ω", l) : QString()));
        QTableWidgetItem* last = nullptr;
        if (difference) {
            last = cell(p.cmrrDb ? localised(values::plain(*p.cmrrDb, 5), l) + tr(" dB") : tr("no limit"));
        } else {
            last = cell(p.balance ? shown(*p.balance, "Ω", l) : QString());
            last->setToolTip(tr("Rf || Rg is %1").arg(shown(*p.balanceOhms, "Ω", l)));
        }
        table_->setItem(row, CBalance, last);
        ++row;
    }
    QString status;
    if (design.pairs.empty())
        status = tr("No pair of these parts comes near.");
    else if (design.reach.side != values::Reach::Side::Within)
        status = (design.reach.side == values::Reach::Side::Below
                      ? tr("Out of reach: pairs of these parts give a gain no lower than %1")
                      : tr("Out of reach: pairs of these parts give a gain no higher than %1"))
                     .arg(localised(values::format(design.reach.limit), l));
    if (design.partner) {
        const QString partner = options_->fixedChoice()->currentIndex() == 1 ? tr("Rg") : tr("Rf");
        status = (status.isEmpty() ? QString() : status + u'\n') +
            tr("Exact %1: %2").arg(partner, shown(*design.partner, "Ω", l));
    }
    lblStatus_->setText(status);
    draw();
    Q_EMIT pairsShown();
}

void AmplifiersOpAmp::clear(const QString& status)
{
    search_.cancel();
    table_->setRowCount(0);
    lblStatus_->setText(status);
    draw();
    Q_EMIT pairsShown();
}

void AmplifiersOpAmp::draw()
{
    const int row = drawnRow(*table_);
    const auto text = [&](int column) { return row < 0 ? QString() : table_->item(row, column)->text(); };
    const bool difference = shownCircuit_ == values::OpAmpCircuit::Difference;
    const auto circuit = shownCircuit_ == values::OpAmpCircuit::NonInverting ? schematic::OpAmp::NonInverting
        : difference                                                         ? schematic::OpAmp::Difference
                                                                             : schematic::OpAmp::Inverting;
    circuit_->setDrawing(schematic::opAmp(circuit, text(CRf), text(CRg), difference ? QString() : text(CBalance)));
}

} // namespace tools
