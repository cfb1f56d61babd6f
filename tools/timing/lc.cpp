// SPDX-License-Identifier: MIT
#include "tools/timing/lc.h"

#include "tools/circuitview.h"
#include "tools/plots.h"
#include "tools/plotview.h"
#include "tools/table.h"
#include "tools/widgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tools {

using values::Measure;

namespace {

// A part as drawn: typed, else the partner that resonates with `partner` at f, else not given.
QString drawnPart(const std::optional<values::Decimal>& typed, const std::optional<values::Decimal>& f,
                  const std::optional<values::Decimal>& partner, const QString& unit, const QLocale& locale)
{
    if (typed)
        return timing::shown(*typed, unit, locale);
    if (f && partner)
        return timing::shown(values::resonantPartner(*f, *partner), unit, locale);
    return {};
}

} // namespace

ReactancePage::ReactancePage(QWidget* parent)
    : QWidget(parent)
    , result_(timing::answerLabel(this, "lblReactance", 6))
{
    setObjectName(QStringLiteral("fraReactance"));
    f_ = timing::makeField(this, "txtReactanceF", tr("Fre&quency:"), Measure::Frequency, tr("Frequency"),
                           QStringLiteral("1k"));
    c_ = timing::makeField(this, "txtReactanceC", tr("Capacit&or:"), Measure::Capacitance, tr("Capacitor"),
                           QStringLiteral("100n"));
    l_ = timing::makeField(this, "txtReactanceL", tr("In&ductor:"), Measure::Inductance, tr("Inductor"),
                           QStringLiteral("10m"));
    circuit_ = named(new CircuitView(this), "picReactance", tr("Circuit"));
    auto* grid = new QGridLayout;
    addField(grid, 0, f_);
    addField(grid, 2, c_);
    addField(grid, 4, l_);
    grid->setColumnStretch(3, 1);
    auto* left = new QVBoxLayout;
    left->addLayout(grid);
    left->addWidget(result_);
    left->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addWidget(circuit_, 1);
    for (const timing::Field* f : {&f_, &c_, &l_})
        connect(f->edit, &QLineEdit::textChanged, this, &ReactancePage::calculate);
    tabChain({f_.edit, c_.edit, l_.edit, circuit_->copyButton()});
    calculate();
}

void ReactancePage::calculate()
{
    const auto f = f_.read();
    const auto c = c_.read();
    const auto l = l_.read();
    const QLocale loc = locale();
    // A part left out is drawn as the one the answer names: the partner resonant with the other.
    circuit_->setDrawing(
        schematic::lcTank(drawnPart(l, f, c, QStringLiteral("H"), loc), drawnPart(c, f, l, QStringLiteral("F"), loc)));
    QStringList lines;
    if (f && c) {
        lines << tr("X C = 1 / (2 π f C) = %1")
                     .arg(timing::shown(values::capacitiveReactance(*f, *c), QStringLiteral("Ω"), loc))
              << tr("Resonant with it at %1: L = %2")
                     .arg(timing::shown(*f, QStringLiteral("Hz"), loc),
                          timing::shown(values::resonantPartner(*f, *c), QStringLiteral("H"), loc));
    }
    if (f && l) {
        lines
            << tr("X L = 2 π f L = %1").arg(timing::shown(values::inductiveReactance(*f, *l), QStringLiteral("Ω"), loc))
            << tr("Resonant with it at %1: C = %2")
                   .arg(timing::shown(*f, QStringLiteral("Hz"), loc),
                        timing::shown(values::resonantPartner(*f, *l), QStringLiteral("F"), loc));
    }
    result_->setText(lines.join(u'\n'));
}

ResonancePage::ResonancePage(QWidget* parent)
    : QWidget(parent)
    , result_(timing::answerLabel(this, "lblLc", 4))
{
    setObjectName(QStringLiteral("fraResonance"));
    l_ =
        timing::makeField(this, "txtLcL", tr("Ind&uctor:"), Measure::Inductance, tr("Inductor"), QStringLiteral("10u"));
    c_ = timing::makeField(this, "txtLcC", tr("Tan&k capacitor:"), Measure::Capacitance, tr("Capacitor"),
                           QStringLiteral("100n"));
    circuit_ = named(new CircuitView(this), "picLc", tr("Circuit"));
    tank_ = named(new PlotView(this), "plotLcTank", tr("Impedance"));
    QTabWidget* views = timing::views(this, "tabLcViews", circuit_, {{tank_, tr("Impedance")}});
    target_ = timing::makeField(this, "txtLcTarget", tr("Target f&0:"), Measure::Frequency,
                                tr("Target resonant frequency"), QStringLiteral("159k"), 1);
    capacitors_ = new timing::PartRange(this, QStringLiteral("LcC"), tr("Capacitors:"), Measure::Capacitance,
                                        values::Series::E12, "1p", "10u");
    table_ =
        timing::makeTable(this, "tblLcCapacitors", tr("Best capacitors"), {tr("C"), tr("Resonance"), tr("Deviation")},
                          {QStringLiteral("999.9 nF"), QStringLiteral("999.999 kHz"), QStringLiteral("-100.00 %")});

    table_->horizontalHeaderItem(1)->setToolTip(tr("Where the tank resonates with the inductor: 1 / (2 π √(L C))"));
    table_->horizontalHeaderItem(2)->setToolTip(tr("How far the resonance lies from the target, in percent"));
    copy_ = copyTableButton(this, table_, "cmdCopyLcCapacitors");

    auto* grid = new QGridLayout;
    addField(grid, 0, l_);
    addField(grid, 2, c_);
    grid->setColumnStretch(3, 1);
    auto* goal = new QGridLayout;
    addField(goal, 0, target_);
    goal->setColumnStretch(3, 1);
    timing::sideBySide(this, timing::section(this, tr("From the parts"), grid, {result_, views}, views),
                       timing::section(this, tr("Standard capacitors for the inductor above"), goal,
                                       {capacitors_, table_, timing::underTable(this, copy_)}, table_));

    connect(l_.edit, &QLineEdit::textChanged, this, [this] {
        calculate();
        design();
    });
    connect(c_.edit, &QLineEdit::textChanged, this, &ResonancePage::calculate);
    for (QLineEdit* e : {target_.edit, capacitors_->from(), capacitors_->to()})
        connect(e, &QLineEdit::textChanged, this, &ResonancePage::design);
    connect(capacitors_->series(), &QComboBox::currentIndexChanged, this, &ResonancePage::design);
    tabChain(
        timing::around({l_.edit, c_.edit}, views,
                       {target_.edit, capacitors_->series(), capacitors_->from(), capacitors_->to(), table_, copy_}));
    onRowPicked(table_, this, [this] {
        capacitorDrawn_ = true;
        draw();
    });
    calculate();
    design();
}

void ResonancePage::calculate()
{
    const auto l = l_.read();
    const auto c = c_.read();
    const QLocale loc = locale();
    typedL_ = l ? timing::shown(*l, QStringLiteral("H"), loc) : QString();
    typedC_ = c ? timing::shown(*c, QStringLiteral("F"), loc) : QString();
    lValue_ = l;
    cValue_ = c;
    capacitorDrawn_ = false;
    draw();
    if (!l || !c) {
        result_->clear();
        return;
    }
    result_->setText(tr("f0 = 1 / (2 π √(L C)) = %1\nCharacteristic impedance √(L / C) = %2")
                         .arg(timing::shown(values::resonance(*l, *c), QStringLiteral("Hz"), loc),
                              timing::shown(values::characteristicImpedance(*l, *c), QStringLiteral("Ω"), loc)));
}

void ResonancePage::design()
{
    // A list of one series is ranked in microseconds: no need to leave the UI thread.
    const auto l = l_.read();
    const auto target = target_.read();
    const auto capacitors = capacitors_->values();
    table_->setRowCount(0);
    if (!l || !target || !capacitors) {
        draw();
        return;
    }
    const auto found = values::designTank(*target, *l, *capacitors, 10);
    const QLocale loc = locale();
    table_->setRowCount(static_cast<int>(found.size()));
    int row = 0;
    for (const values::TankCapacitor& t : found) {
        table_->setItem(row, 0, cell(timing::shown(t.c, QStringLiteral("F"), loc), fullText(t.c, "F", loc)));
        table_->setItem(row, 1,
                        cell(timing::shownInCell(t.f0Hz, QStringLiteral("Hz"), loc), fullText(t.f0Hz, "Hz", loc)));
        table_->setItem(row, 2, timing::missCell(t.miss, loc));
        ++row;
    }
    designedL_ = timing::shown(*l, QStringLiteral("H"), loc);
    designedLValue_ = l;
    table_->selectionModel()->clear(); // the best capacitor is drawn again
    capacitorDrawn_ = true;
    draw();
}

void ResonancePage::draw()
{
    const int row = capacitorDrawn_ ? drawnRow(*table_) : -1;
    circuit_->setDrawing(row < 0 ? schematic::lcTank(typedL_, typedC_)
                                 : schematic::lcTank(designedL_, timing::cellText(*table_, row, 0)));
    // The plot follows the parts drawn.
    const auto l = row < 0 ? lValue_ : designedLValue_;
    const auto c =
        row < 0 ? cValue_ : timing::shownValue(timing::cellText(*table_, row, 0), Measure::Capacitance, locale());
    tank_->setPlot(l && c ? plots::tank(l->nearestDouble(), c->nearestDouble(), locale()) : schematic::Plot{});
}

} // namespace tools
