// SPDX-License-Identifier: MIT
#include "tools/amplifiers/zener.h"

#include "schematic/amplifiers.h"
#include "tools/circuitview.h"
#include "tools/form.h"
#include "tools/localised.h"
#include "tools/table.h"
#include "tools/widgets.h"
#include "values/power.h"
#include "values/zener.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace tools {

namespace {

using amplifierfields::Reading;
using amplifierfields::Row;
using amplifierfields::shown;

enum Column { CR, CIzMin, CIzMax, CPz, CPower, CPowerMax, CRating, CColumns };

constexpr const char* tolerances[] = {"1", "2", "5", "10"};
constexpr int defaultTolerance = 2; // 5 %
constexpr const char* margins[] = {"1", "1.5", "2", "3", "4"};
constexpr int defaultMargin = 2; // 2x

const Reading volts{values::Unit::Volt, QT_TR_NOOP("'%1' is not a voltage: write 12, 5.1 or 3.3V")};
const Reading amps{values::Unit::Ampere, QT_TR_NOOP("'%1' is not a current: write 20m, 5mA or 0"), true};
const Reading watts{values::Unit::None, QT_TR_NOOP("'%1' is not a power: write 500m, 0.5W or 1.3"), false, false, "W"};
const Reading percent{values::Unit::None, QT_TR_NOOP("'%1' is not a percentage: write 5 or 2.5"), true, false, "%"};

// A row whose field is the lowest of a range, the highest in a field beside it.
QLineEdit* highest(QWidget* page, QGridLayout* grid, Row& row, int at, const char* name, const QString& accessibleName,
                   const QString& unit)
{
    auto* field = named(new QLineEdit(page), name, accessibleName);
    row.unit->setText(QObject::tr("to"));
    auto* range = new QHBoxLayout;
    range->addWidget(field);
    range->addWidget(new QLabel(unit, page));
    range->addWidget(row.message, 1);
    grid->removeWidget(row.message);
    grid->addLayout(range, at, 3);
    return field;
}

} // namespace

AmplifiersZener::AmplifiersZener(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("pageZener"));
    build();
    refresh();
}

void AmplifiersZener::build()
{
    using boardfields::row;
    auto* grid = new QGridLayout;
    supply_ = row(this, grid, 0, "txtZenerSupply", tr("Suppl&y:"), tr("Lowest supply voltage"), QString());
    supply_.field->setPlaceholderText(tr("e.g. 9"));
    supplyMax_ =
        highest(this, grid, supply_, 0, "txtZenerSupplyMax", tr("Highest supply voltage"), QStringLiteral("V"));
    supplyMax_->setPlaceholderText(tr("e.g. 12"));
    vz_ = row(this, grid, 1, "txtZenerVz", tr("&V z:"), tr("Zener voltage"), QStringLiteral("V"));
    vz_.field->setPlaceholderText(tr("e.g. 5.1"));
    vzTolerance_ = row(this, grid, 2, "txtZenerVzTolerance", tr("V z toler&ance:"), tr("Zener voltage tolerance"),
                       QStringLiteral("%"), QStringLiteral("5"));
    izMin_ = row(this, grid, 3, "txtZenerIzMin", tr("I z &min:"), tr("Least Zener current"), QStringLiteral("A"),
                 localised("5m", locale()));
    pz_ = row(this, grid, 4, "txtZenerPz", tr("P z ma&x:"), tr("Zener power rating"), QStringLiteral("W"),
              localised("500m", locale()));
    load_ = row(this, grid, 5, "txtZenerLoad", tr("&Load:"), tr("Least load current"), QString(), QStringLiteral("0"));
    loadMax_ = highest(this, grid, load_, 5, "txtZenerLoadMax", tr("Largest load current"), QStringLiteral("A"));
    loadMax_->setPlaceholderText(tr("e.g. 20m"));
    cboSeries_ = amplifierfields::seriesChoice(this, "cboZenerSeries", tr("Series of the resistor"), "E24", false);
    grid->addWidget(labelFor(this, "lblZenerSeries", tr("&Series:"), cboSeries_), 6, 0);
    grid->addWidget(cboSeries_, 6, 1, 1, 2);
    cboTolerance_ = numberChoices(this, "cboZenerTolerance", tr("Tolerance of the resistor"), tolerances,
                                  QStringLiteral(" %"), defaultTolerance);
    grid->addWidget(labelFor(this, "lblZenerTolerance", tr("R tol&erance:"), cboTolerance_), 7, 0);
    grid->addWidget(cboTolerance_, 7, 1, 1, 2);
    cboMargin_ = numberChoices(this, "cboZenerMargin", tr("Power margin"), margins, QStringLiteral("x"), defaultMargin);
    cboMargin_->setToolTip(tr("The resistor's rating is at least this many times what it dissipates"));
    grid->addWidget(labelFor(this, "lblZenerMargin", tr("Mar&gin:"), cboMargin_), 8, 0);
    grid->addWidget(cboMargin_, 8, 1, 1, 2);
    grid->setColumnStretch(3, 1);

    lblWindow_ = amplifierfields::statusLabel(this, "lblZenerWindow", 3);
    table_ = amplifierfields::answerTable(
        this, "tblZenerResistors", tr("Resistors inside the window"),
        {tr("R"), tr("I z least"), tr("I z most"), tr("P z most"), tr("P R"), tr("P R worst"), tr("Rating")});
    table_->horizontalHeaderItem(CIzMin)->setToolTip(
        tr("The Zener's current at the lowest supply, the highest V z, the highest R and the largest load"));
    table_->horizontalHeaderItem(CIzMax)->setToolTip(
        tr("The Zener's current at the highest supply, the lowest V z, the lowest R and the smallest load"));
    table_->horizontalHeaderItem(CPz)->setToolTip(tr("The Zener's largest power, V z I z, over every corner"));
    table_->horizontalHeaderItem(CPower)->setToolTip(tr("The resistor's power at the highest supply"));
    table_->horizontalHeaderItem(CPowerMax)->setToolTip(
        tr("The resistor's power at the highest supply, the lowest V z and the lowest R"));
    table_->horizontalHeaderItem(CRating)->setToolTip(tr("The smallest standard power rating with the margin"));
    cmdCopy_ = amplifierfields::copyButton(this, "cmdZenerCopy", table_);
    circuit_ = named(new CircuitView(this), "picZener", tr("The Zener shunt"));
    circuit_->setMinimumSize(300, 160);

    amplifierfields::layOutDesigner(this, grid, circuit_, table_, lblWindow_, cmdCopy_);

    tabChain({supply_.field, supplyMax_, vz_.field, vzTolerance_.field, izMin_.field, pz_.field, load_.field, loadMax_,
              cboSeries_, cboTolerance_, cboMargin_, circuit_->copyButton(), table_, cmdCopy_});
    for (QLineEdit* e :
         {supply_.field, supplyMax_, vz_.field, vzTolerance_.field, izMin_.field, pz_.field, load_.field, loadMax_})
        connect(e, &QLineEdit::textChanged, this, &AmplifiersZener::refresh);
    for (QComboBox* box : {cboSeries_, cboTolerance_, cboMargin_})
        connect(box, &QComboBox::currentIndexChanged, this, &AmplifiersZener::refresh);
    onRowPicked(table_, this, [this] { draw(); });
}

// NOLINTNEXTLINE(readability-function-cognitive-complexity): one flat check per field, in the order they are shown
void AmplifiersZener::refresh()
{
    const QLocale l = locale();
    const auto supply = amplifierfields::read(supply_, volts);
    const QString supplyMessage = supply_.message->text();
    const auto supplyMax = amplifierfields::read({supply_.label, supplyMax_, supply_.unit, supply_.message}, volts);
    if (!supplyMessage.isEmpty())
        supply_.message->setText(supplyMessage);
    const auto vz = amplifierfields::read(vz_, volts);
    const auto vzTolerance = amplifierfields::read(vzTolerance_, percent);
    const auto izMin = amplifierfields::read(izMin_, amps);
    const auto pz = amplifierfields::read(pz_, watts);
    const auto load = amplifierfields::read(load_, amps);
    const QString loadMessage = load_.message->text();
    const auto loadMax = amplifierfields::read({load_.label, loadMax_, load_.unit, load_.message}, amps);
    if (!loadMessage.isEmpty())
        load_.message->setText(loadMessage);

    values::ZenerInput input;
    input.supplyMin = supply.value_or(values::Decimal{});
    input.supplyMax = supplyMax.value_or(input.supplyMin);
    input.vz = vz.value_or(values::Decimal{});
    input.vzTolerance = vzTolerance.value_or(values::Decimal{});
    input.izMin = izMin.value_or(values::Decimal{});
    input.pzRating = pz.value_or(values::Decimal{});
    input.loadMin = load.value_or(values::Decimal{});
    input.loadMax = loadMax.value_or(input.loadMin);
    input.series = amplifierfields::chosenSeries(cboSeries_).front();
    input.tolerance =
        values::parse(cboTolerance_->currentData().toString().toStdString()).value.value_or(input.tolerance);
    input.margin = values::parseMargin(cboMargin_->currentData().toString().toStdString()).value_or(input.margin);
    input.top = 50;

    supplyText_ = supply
        ? (input.supplyMax == input.supplyMin
               ? shown(input.supplyMin, "V", l)
               : tr("%1 to %2").arg(localised(values::format(input.supplyMin, 5), l), shown(input.supplyMax, "V", l)))
        : QString();
    vzText_ = vz ? shown(input.vz, "V", l) : QString();
    loadText_ = (load || loadMax)
        ? (input.loadMax == input.loadMin
               ? shown(input.loadMin, "A", l)
               : tr("%1 to %2").arg(localised(values::format(input.loadMin, 5), l), shown(input.loadMax, "A", l)))
        : QString();
    table_->setRowCount(0);
    lblWindow_->clear();
    const bool refused = !supply_.message->text().isEmpty() || !vz_.message->text().isEmpty() ||
        !vzTolerance_.message->text().isEmpty() || !izMin_.message->text().isEmpty() ||
        !pz_.message->text().isEmpty() || !load_.message->text().isEmpty();
    if (!supply || !vz || !vzTolerance || !izMin || !pz || !(load || loadMax) || refused) {
        draw();
        return;
    }
    using F = values::ZenerField;
    if (const values::ZenerCheck check = values::checkZener(input); check.change != F::None) {
        const Row& beside = check.change == F::Supply ? supply_
            : check.change == F::Vz                   ? vz_
            : check.change == F::VzTolerance          ? vzTolerance_
            : check.change == F::IzMin                ? izMin_
            : check.change == F::Pz                   ? pz_
                                                      : load_;
        beside.message->setText(QString::fromStdString(check.message));
        draw();
        return;
    }
    const values::ZenerDesign design = *values::designZener(input);
    QStringList lines;
    if (design.limit == values::ZenerLimit::None || design.limit == values::ZenerLimit::Series)
        lines << tr("Window: %1 to %2").arg(shown(design.rMin, "Ω", l), shown(design.rMax, "Ω", l));
    if (!design.why.empty())
        lines << localised(design.why, l);
    if (design.more > 0)
        lines << tr("And %n more inside the window.", nullptr, design.more);
    lblWindow_->setText(lines.join(u'\n'));
    table_->setRowCount(static_cast<int>(design.choices.size()));
    int row = 0;
    for (const values::ZenerChoice& c : design.choices) {
        const auto exact = [&](const values::Exact& v, const char* unit) {
            return cell(shown(v, unit, l), fullText(v, unit, l));
        };
        table_->setItem(row, CR, cell(shown(c.ohms, "Ω", l), fullText(c.ohms, "Ω", l)));
        table_->setItem(row, CIzMin, exact(c.izMin, "A"));
        table_->setItem(row, CIzMax, exact(c.izMax, "A"));
        table_->setItem(row, CPz, exact(c.pzMax, "W"));
        table_->setItem(row, CPower, exact(c.power, "W"));
        table_->setItem(row, CPowerMax, exact(c.powerMax, "W"));
        table_->setItem(row, CRating, cell(c.rating ? localised(values::ratingText(*c.rating), l) : tr("above 5 W")));
        ++row;
    }
    draw();
}

void AmplifiersZener::draw()
{
    const int row = drawnRow(*table_);
    circuit_->setDrawing(schematic::zenerShunt(supplyText_.isEmpty() ? tr("supply") : supplyText_,
                                               row < 0 ? QString() : table_->item(row, CR)->text(), vzText_,
                                               loadText_));
}

} // namespace tools
