// SPDX-License-Identifier: MIT
#include "tools/amplifiers/switch.h"

#include "schematic/amplifiers.h"
#include "tools/circuitview.h"
#include "tools/form.h"
#include "tools/localised.h"
#include "tools/table.h"
#include "tools/widgets.h"
#include "values/switching.h"

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

using amplifierfields::Reading;
using amplifierfields::Row;
using amplifierfields::setRowVisible;
using amplifierfields::shown;

enum Kind { KindBipolar, KindMosfet };
enum Base { BaseForced, BaseHfe };
enum Column { CR, CSecond, CThird, CColumns };

const Reading volts{values::Unit::Volt, QT_TR_NOOP("'%1' is not a voltage: write 5, 3.3 or 700m")};
const Reading amps{values::Unit::Ampere, QT_TR_NOOP("'%1' is not a current: write 100m, 20mA or 1.5")};
const Reading plain{values::Unit::None, QT_TR_NOOP("'%1' is not a number: write 10, 100 or 2.5")};
const Reading charge{values::Unit::None, QT_TR_NOOP("'%1' is not a charge: write 10n, 45nC or 1.2u"), false, false,
                     "C"};
const Reading seconds{values::Unit::None, QT_TR_NOOP("'%1' is not a time: write 100n, 1us or 2.5u"), false, false, "s"};

} // namespace

AmplifiersSwitch::AmplifiersSwitch(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("pageSwitch"));
    build();
    kindChosen();
}

void AmplifiersSwitch::build()
{
    using boardfields::row;
    auto* grid = new QGridLayout;
    cboKind_ = wirefields::choices(this, grid, 0, "cboSwitchKind", tr("&Kind:"), tr("Kind of transistor"),
                                   {tr("Bipolar (NPN)"), tr("N-MOSFET")});
    drive_ = row(this, grid, 1, "txtSwitchDrive", tr("&Drive:"), tr("Logic high that drives it"), QStringLiteral("V"));
    drive_.field->setPlaceholderText(tr("e.g. 5 or 3.3"));
    load_ = row(this, grid, 2, "txtSwitchLoad", tr("&Load current:"), tr("Load current"), QStringLiteral("A"));
    load_.field->setPlaceholderText(tr("e.g. 100m"));
    vbe_ = row(this, grid, 3, "txtSwitchVbe", tr("V B&E:"), tr("Base-emitter voltage at saturation"),
               QStringLiteral("V"), localised("0.7", locale()));
    cboBase_ = named(new QComboBox(this), "cboSwitchBase", tr("What sets the base current"));
    cboBase_->addItems({tr("a forced gain"), tr("hFE min and an overdrive")});
    lblBase_ = labelFor(this, "lblSwitchBase", tr("Base current &as:"), cboBase_);
    grid->addWidget(lblBase_, 4, 0);
    grid->addWidget(cboBase_, 4, 1, 1, 2);
    gain_ = row(this, grid, 5, "txtSwitchGain", tr("Forced &gain:"), tr("Forced gain Ic / Ib"), QString(),
                QStringLiteral("10"));
    gain_.field->setToolTip(tr("Ic / Ib well below hFE, so the transistor saturates: 10 is the common rule"));
    hfe_ = row(this, grid, 6, "txtSwitchHfe", tr("hFE &min:"), tr("Least current gain"), QString());
    hfe_.field->setPlaceholderText(tr("from the data sheet"));
    overdrive_ = row(this, grid, 7, "txtSwitchOverdrive", tr("O&verdrive:"), tr("Overdrive factor"),
                     QStringLiteral("x"), QStringLiteral("2"));
    charge_ =
        row(this, grid, 8, "txtSwitchCharge", tr("Gate charge &Q g:"), tr("Total gate charge"), QStringLiteral("C"));
    charge_.field->setPlaceholderText(tr("e.g. 10n"));
    time_ =
        row(this, grid, 9, "txtSwitchTime", tr("Switching ti&me:"), tr("Switching time wanted"), QStringLiteral("s"));
    time_.field->setPlaceholderText(tr("e.g. 100n"));
    plateau_ =
        row(this, grid, 10, "txtSwitchPlateau", tr("Plate&au:"), tr("Gate plateau voltage"), QStringLiteral("V"));
    plateau_.field->setToolTip(tr("The Miller plateau of the gate charge curve, from the data sheet"));
    plateau_.field->setPlaceholderText(tr("e.g. 3"));
    cboSeries_ = amplifierfields::seriesChoice(this, "cboSwitchSeries", tr("Series of the resistors"), "E24", false);
    grid->addWidget(labelFor(this, "lblSwitchSeries", tr("&Series:"), cboSeries_), 11, 0);
    grid->addWidget(cboSeries_, 11, 1, 1, 2);
    grid->setColumnStretch(3, 1);

    table_ = amplifierfields::answerTable(this, "tblSwitchResistors", tr("Standard values"),
                                          {tr("R"), tr("Base current"), tr("Forced gain")});
    lblStatus_ = amplifierfields::statusLabel(this, "lblSwitchStatus");
    cmdCopy_ = amplifierfields::copyButton(this, "cmdSwitchCopy", table_);
    circuit_ = named(new CircuitView(this), "picSwitch", tr("The switch"));
    circuit_->setMinimumSize(260, 200);

    amplifierfields::layOutDesigner(this, grid, circuit_, table_, lblStatus_, cmdCopy_);

    tabChain({cboKind_, drive_.field, load_.field, vbe_.field, cboBase_, gain_.field, hfe_.field, overdrive_.field,
              charge_.field, time_.field, plateau_.field, cboSeries_, circuit_->copyButton(), table_, cmdCopy_});
    for (QComboBox* box : {cboKind_, cboBase_})
        connect(box, &QComboBox::currentIndexChanged, this, &AmplifiersSwitch::kindChosen);
    connect(cboSeries_, &QComboBox::currentIndexChanged, this, &AmplifiersSwitch::refresh);
    for (const Row* r : {&drive_, &load_, &vbe_, &gain_, &hfe_, &overdrive_, &charge_, &time_, &plateau_})
        connect(r->field, &QLineEdit::textChanged, this, &AmplifiersSwitch::refresh);
    onRowPicked(table_, this, [this] { draw(); });
}

void AmplifiersSwitch::kindChosen()
{
    const bool bipolar = cboKind_->currentIndex() == KindBipolar;
    const bool hfe = cboBase_->currentIndex() == BaseHfe;
    for (const Row* r : {&load_, &vbe_})
        setRowVisible(*r, bipolar);
    lblBase_->setVisible(bipolar);
    cboBase_->setVisible(bipolar);
    setRowVisible(gain_, bipolar && !hfe);
    setRowVisible(hfe_, bipolar && hfe);
    setRowVisible(overdrive_, bipolar && hfe);
    for (const Row* r : {&charge_, &time_, &plateau_})
        setRowVisible(*r, !bipolar);
    table_->setHorizontalHeaderLabels(bipolar ? QStringList{tr("R B"), tr("Base current"), tr("Forced gain")}
                                              : QStringList{tr("R G"), tr("Switching time"), tr("Peak current")});
    refresh();
}

void AmplifiersSwitch::refresh()
{
    table_->setRowCount(0);
    lblStatus_->clear();
    if (cboKind_->currentIndex() == KindBipolar)
        showBase();
    else
        showGate();
    table_->selectionModel()->clear();
    draw();
}

// NOLINTNEXTLINE(readability-function-cognitive-complexity): one flat check per field, in the order they are shown
void AmplifiersSwitch::showBase()
{
    const QLocale l = locale();
    const auto drive = amplifierfields::read(drive_, volts);
    const auto load = amplifierfields::read(load_, amps);
    const auto vbe = amplifierfields::read(vbe_, volts);
    const bool hfe = cboBase_->currentIndex() == BaseHfe;
    const auto gain = hfe ? std::nullopt : amplifierfields::read(gain_, plain);
    const auto hfeMin = hfe ? amplifierfields::read(hfe_, plain) : std::nullopt;
    const auto overdrive = hfe ? amplifierfields::read(overdrive_, plain) : std::nullopt;
    driveText_ = drive ? shown(*drive, "V", l) : QString();
    loadText_ = load ? shown(*load, "A", l) : QString();
    pullDownText_.clear();
    if (!drive || !load || !vbe || (hfe ? !hfeMin || !overdrive : !gain))
        return;
    values::BaseDrive d;
    d.load = *load;
    d.drive = *drive;
    d.vbe = *vbe;
    if (hfe) {
        d.hfeMin = hfeMin;
        d.overdrive = *overdrive;
    } else {
        d.forcedGain = *gain;
    }
    d.series = amplifierfields::chosenSeries(cboSeries_).front();
    using F = values::SwitchField;
    if (const auto check = values::checkBase(d); check.change != F::None) {
        const Row& beside = check.change == F::Drive ? drive_
            : check.change == F::Vbe                 ? vbe_
            : check.change == F::Gain                ? gain_
            : check.change == F::Hfe                 ? hfe_
            : check.change == F::Overdrive           ? overdrive_
                                                     : load_;
        beside.message->setText(QString::fromStdString(check.message));
        return;
    }
    const values::BaseDesign design = *values::designBase(d);
    table_->setRowCount(static_cast<int>(design.choices.size()));
    int row = 0;
    for (const values::BaseChoice& c : design.choices) {
        table_->setItem(row, CR, cell(shown(c.ohms, "Ω", l), fullText(c.ohms, "Ω", l)));
        table_->setItem(row, CSecond, cell(shown(c.baseCurrent, "A", l), fullText(c.baseCurrent, "A", l)));
        table_->setItem(row, CThird, cell(localised(values::format(c.forcedGain.rounded(5), 5), l)));
        ++row;
    }
    lblStatus_->setText(tr("Base current %1 through exactly %2; the value at or below gives at least that.")
                            .arg(shown(design.baseCurrent, "A", l), shown(design.ohms, "Ω", l)));
}

void AmplifiersSwitch::showGate()
{
    const QLocale l = locale();
    const auto drive = amplifierfields::read(drive_, volts);
    const auto qg = amplifierfields::read(charge_, charge);
    const auto time = amplifierfields::read(time_, seconds);
    const auto plateau = amplifierfields::read(plateau_, volts);
    driveText_ = drive ? shown(*drive, "V", l) : QString();
    loadText_.clear();
    pullDownText_.clear();
    if (!drive || !qg || !time || !plateau)
        return;
    const values::GateDrive d{*qg, *time, *drive, *plateau, amplifierfields::chosenSeries(cboSeries_).front()};
    using F = values::SwitchField;
    if (const auto check = values::checkGate(d); check.change != F::None) {
        const Row& beside = check.change == F::Drive ? drive_
            : check.change == F::Plateau             ? plateau_
            : check.change == F::Time                ? time_
                                                     : charge_;
        beside.message->setText(QString::fromStdString(check.message));
        return;
    }
    const values::GateDesign design = *values::designGate(d);
    table_->setRowCount(static_cast<int>(design.choices.size()));
    int row = 0;
    for (const values::GateChoice& c : design.choices) {
        table_->setItem(row, CR, cell(shown(c.ohms, "Ω", l), fullText(c.ohms, "Ω", l)));
        table_->setItem(row, CSecond, cell(shown(c.time, "s", l), fullText(c.time, "s", l)));
        table_->setItem(row, CThird, cell(shown(c.peakCurrent, "A", l), fullText(c.peakCurrent, "A", l)));
        ++row;
    }
    QString status =
        tr("Gate current %1 through exactly %2.").arg(shown(design.gateCurrent, "A", l), shown(design.ohms, "Ω", l));
    if (design.pullDown) {
        pullDownText_ = shown(*design.pullDown, "Ω", l);
        status += u'\n' +
            tr("Pull-down %1: the gate keeps %2 % of the drive; alone it turns the gate off in about %3.")
                .arg(pullDownText_,
                     localised(values::format((design.gateShare * values::Exact::of(100)).rounded(4), 4), l),
                     shown(design.offTime, "s", l));
    }
    lblStatus_->setText(status);
}

void AmplifiersSwitch::draw()
{
    const int row = drawnRow(*table_);
    const QString r = row < 0 ? QString() : table_->item(row, CR)->text();
    const QString drive = driveText_.isEmpty() ? tr("drive") : driveText_;
    circuit_->setDrawing(cboKind_->currentIndex() == KindBipolar
                             ? schematic::bjtSwitch(drive, r, loadText_)
                             : schematic::mosfetSwitch(drive, r, pullDownText_, {}));
}

} // namespace tools
