// SPDX-License-Identifier: MIT
#include "tools/amplifiers/regulator.h"

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
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tools {

namespace {

using amplifierfields::Reading;
using amplifierfields::Row;
using amplifierfields::shown;

enum Column { CR1, CR2, CVout, CDeviation, CLowest, CHighest, CCurrent, CColumns };

const Reading volts{values::Unit::Volt, QT_TR_NOOP("'%1' is not a voltage: write 5, 1.25 or 800m")};
const Reading amps{values::Unit::Ampere, QT_TR_NOOP("'%1' is not a current: write 50u, 10m or 0"), true};

// Fields read one after another into one message line: the first refusal stays.
struct Reader {
    QLabel* message = nullptr;
    bool ok = true;

    std::optional<values::Decimal> operator()(QLineEdit* field, const Reading& how)
    {
        const Row row{nullptr, field, nullptr, message};
        const QString kept = message->text();
        const auto v = amplifierfields::read(row, how);
        if (!kept.isEmpty())
            message->setText(kept);
        ok = ok && (v || field->text().trimmed().isEmpty()) && message->text().isEmpty();
        return v;
    }
};

} // namespace

AmplifiersRegulator::AmplifiersRegulator(QWidget* parent)
    : QWidget(parent)
    , search_(this, [this](const values::RegulatorDesign& design) { show(design); })
{
    setObjectName(QStringLiteral("pageRegulator"));
    build();
    partChosen();
}

AmplifiersRegulator::Ranged AmplifiersRegulator::ranged(QGridLayout* grid, int at, const char* name,
                                                        const QString& caption, const QString& accessibleName,
                                                        const QString& unit)
{
    Ranged r;
    r.typical = boardfields::row(this, grid, at, name, caption, accessibleName, unit + tr(", from"));
    grid->removeWidget(r.typical.message);
    r.typical.message->hide();
    r.typical.message = lblParameters_;
    const QByteArray stem = QByteArray(name);
    r.lo = named(new QLineEdit(this), (stem + "Min").constData(), tr("Lowest %1").arg(accessibleName));
    r.hi = named(new QLineEdit(this), (stem + "Max").constData(), tr("Highest %1").arg(accessibleName));
    auto* range = new QHBoxLayout;
    range->addWidget(r.lo);
    range->addWidget(new QLabel(tr("to"), this));
    range->addWidget(r.hi);
    range->addWidget(new QLabel(unit, this));
    range->addStretch();
    grid->addLayout(range, at, 3);
    for (QLineEdit* e : {r.typical.field, r.lo, r.hi})
        connect(e, &QLineEdit::textEdited, this, &AmplifiersRegulator::typedOwn);
    return r;
}

void AmplifiersRegulator::build()
{
    auto* grid = new QGridLayout;
    vout_ =
        boardfields::row(this, grid, 0, "txtRegulatorVout", tr("V o&ut:"), tr("Output voltage"), QStringLiteral("V"));
    vout_.field->setPlaceholderText(tr("e.g. 5 or -12"));
    QStringList kinds;
    for (const values::RegulatorPart& p : values::regulatorParts())
        kinds << QString::fromUtf8(p.name);
    kinds << tr("Typed values");
    cboPart_ = wirefields::choices(this, grid, 1, "cboRegulatorPart", tr("&Kind:"), tr("Kind of regulator"), kinds);
    cboPart_->setToolTip(tr("V ref, I adj and the minimum load as data sheets give them; type your own in the fields"));
    lblParameters_ = boardfields::message(this, "lblRegulatorParameterMessage");
    lblParameters_->setMinimumHeight(lblParameters_->fontMetrics().lineSpacing());
    vref_ = ranged(grid, 2, "txtRegulatorVref", tr("&V ref:"), tr("V ref"), QStringLiteral("V"));
    iadj_ = ranged(grid, 3, "txtRegulatorIadj", tr("I &adj:"), tr("I adj"), QStringLiteral("A"));
    grid->addWidget(lblParameters_, 4, 1, 1, 3);
    minLoad_ = boardfields::row(this, grid, 5, "txtRegulatorMinLoad", tr("&Minimum load:"), tr("Minimum load current"),
                                QStringLiteral("A"));
    connect(minLoad_.field, &QLineEdit::textEdited, this, &AmplifiersRegulator::typedOwn);
    options_ = std::make_unique<amplifierfields::PairOptions>(
        this, grid, 6,
        amplifierfields::PairOptions::Names{"cboRegulatorSeries", "txtRegulatorFrom", "txtRegulatorTo",
                                            "cboRegulatorTolerance", "cboRegulatorFixed", "txtRegulatorFixed"},
        "E96", "10", "100k", QStringList{tr("none"), tr("R1 (across V ref)"), tr("R2")});
    grid->setColumnStretch(3, 1);

    table_ = amplifierfields::answerTable(
        this, "tblRegulatorPairs", tr("Best pairs"),
        {tr("R1"), tr("R2"), tr("V out"), tr("Deviation"), tr("Lowest"), tr("Highest"), tr("R1 current")});
    const QString corners =
        tr("V out with each resistor off by up to its tolerance, V ref and I adj anywhere in their ranges");
    table_->horizontalHeaderItem(CLowest)->setToolTip(corners);
    table_->horizontalHeaderItem(CHighest)->setToolTip(corners);
    table_->horizontalHeaderItem(CDeviation)->setToolTip(tr("How far the pair's value lies from the goal, in percent"));
    table_->horizontalHeaderItem(CCurrent)->setToolTip(
        tr("V ref / R1: what the resistors draw from the output, against the part's minimum load"));
    lblStatus_ = amplifierfields::statusLabel(this, "lblRegulatorStatus");
    cmdCopy_ = amplifierfields::copyButton(this, "cmdRegulatorCopy", table_);
    circuit_ = named(new CircuitView(this), "picRegulator", tr("The regulator"));
    circuit_->setMinimumSize(300, 220);

    amplifierfields::layOutDesigner(this, grid, circuit_, table_, lblStatus_, cmdCopy_);

    std::vector<QWidget*> chain{vout_.field, cboPart_, vref_.typical.field, vref_.lo, vref_.hi, iadj_.typical.field,
                                iadj_.lo,    iadj_.hi, minLoad_.field};
    for (QWidget* w : options_->tabOrder())
        chain.push_back(w);
    chain.insert(chain.end(), {circuit_->copyButton(), table_, cmdCopy_});
    tabChain(chain);

    connect(cboPart_, &QComboBox::currentIndexChanged, this, &AmplifiersRegulator::partChosen);
    for (QLineEdit* e : {vout_.field, vref_.typical.field, vref_.lo, vref_.hi, iadj_.typical.field, iadj_.lo, iadj_.hi,
                         minLoad_.field})
        connect(e, &QLineEdit::textChanged, this, &AmplifiersRegulator::refresh);
    options_->onChange(this, [this] { refresh(); });
    onRowPicked(table_, this, [this] { draw(); });
}

// A kind chosen fills its figures in; they stay editable.
void AmplifiersRegulator::partChosen()
{
    const auto parts = values::regulatorParts();
    const auto index = static_cast<std::size_t>(cboPart_->currentIndex());
    if (index < parts.size()) {
        const values::RegulatorPart& p = parts[index];
        const QLocale l = locale();
        const auto text = [&](const values::Decimal& v) { return localised(values::format(v, 6), l); };
        // One refresh when all are in, not one a field.
        const QSignalBlocker b1(vref_.typical.field), b2(vref_.lo), b3(vref_.hi), b4(iadj_.typical.field), b5(iadj_.lo),
            b6(iadj_.hi), b7(minLoad_.field);
        vref_.typical.field->setText(text(p.vref));
        vref_.lo->setText(text(p.vrefMin));
        vref_.hi->setText(text(p.vrefMax));
        iadj_.typical.field->setText(text(p.iadj));
        iadj_.lo->setText(QStringLiteral("0"));
        iadj_.hi->setText(text(p.iadjMax));
        minLoad_.field->setText(p.minLoad.mantissa == 0 ? QStringLiteral("0") : text(p.minLoad));
    }
    refresh();
}

// A figure typed makes the kind the user's own.
void AmplifiersRegulator::typedOwn()
{
    const QSignalBlocker blocking(cboPart_);
    cboPart_->setCurrentIndex(cboPart_->count() - 1);
}

std::optional<values::RegulatorInput> AmplifiersRegulator::readInput(bool& negative)
{
    values::RegulatorInput input;
    const auto vout = amplifierfields::read(
        vout_, {values::Unit::Volt, QT_TR_NOOP("'%1' is not a voltage: write 5, -12 or 3.3"), false, true}, &negative);
    lblParameters_->clear();
    Reader read{lblParameters_};
    const auto vref = read(vref_.typical.field, volts);
    const auto vrefMin = read(vref_.lo, volts);
    const auto vrefMax = read(vref_.hi, volts);
    const auto iadj = read(iadj_.typical.field, amps);
    const auto iadjMin = read(iadj_.lo, amps);
    const auto iadjMax = read(iadj_.hi, amps);
    const auto minLoad = amplifierfields::read(minLoad_, amps);
    if (!vout || !vref || !iadj || !read.ok)
        return std::nullopt;
    input.vout = *vout;
    input.vref = *vref;
    // A range left empty is the typical figure alone.
    input.vrefMin = vrefMin.value_or(*vref);
    input.vrefMax = vrefMax.value_or(*vref);
    input.iadj = *iadj;
    input.iadjMin = iadjMin.value_or(*iadj);
    input.iadjMax = iadjMax.value_or(*iadj);
    input.minLoad = minLoad.value_or(values::Decimal{});
    return input;
}

void AmplifiersRegulator::refresh()
{
    const auto parts = values::regulatorParts();
    const auto index = static_cast<std::size_t>(cboPart_->currentIndex());
    const bool known = index < parts.size();
    shunt_ = known && parts[index].kind == values::RegulatorKind::Shunt;
    bool typedNegative = false;
    const auto input = readInput(typedNegative);
    negative_ = typedNegative || (known && parts[index].negative);
    const auto chosen = options_->read();
    if (!input || !chosen || !minLoad_.message->text().isEmpty()) {
        clear({});
        return;
    }
    values::RegulatorOptions options;
    options.series = chosen->series;
    options.lo = chosen->lo;
    options.hi = chosen->hi;
    options.tolerancePercent = chosen->tolerance;
    if (chosen->fixed == 1)
        options.fixedR1 = chosen->value;
    if (chosen->fixed == 2)
        options.fixedR2 = chosen->value;
    using F = values::RegulatorField;
    if (const values::RegulatorCheck check = values::checkRegulator(*input, options); check.change != F::None) {
        QLabel* beside = check.change == F::Vout                                                   ? vout_.message
            : check.change == F::MinLoad                                                           ? minLoad_.message
            : check.change == F::Range || check.change == F::Tolerance || check.change == F::Fixed ? lblStatus_
                                                                                                   : lblParameters_;
        const QString message = QString::fromStdString(check.message);
        clear({});
        beside->setText(message);
        return;
    }
    lblStatus_->setText(tr("Searching..."));
    search_.run(
        [in = *input, options](const std::stop_token& stop) { return values::designRegulator(in, options, stop); });
}

void AmplifiersRegulator::show(const values::RegulatorDesign& design)
{
    const QLocale l = locale();
    const double sign = negative_ ? -1 : 1;
    const QString minus = negative_ ? QStringLiteral("-") : QString();
    table_->selectionModel()->clear(); // the best pair is drawn again
    table_->setRowCount(static_cast<int>(design.pairs.size()));
    int row = 0;
    bool belowLoad = false;
    for (const values::RegulatorPair& p : design.pairs) {
        const auto volts = [&](double v) { return cell(shown(v, "V", l), fullText(v, "V", l)); };
        table_->setItem(row, CR1, cell(shown(p.r1, "Ω", l), fullText(p.r1, "Ω", l)));
        table_->setItem(row, CR2, cell(shown(p.r2, "Ω", l), fullText(p.r2, "Ω", l)));
        table_->setItem(row, CVout, volts(sign * p.vout));
        table_->setItem(row, CDeviation, cell(localised(p.deviation.text(), l), fullText(p.deviation, l)));
        table_->setItem(row, CLowest, volts(negative_ ? -p.worstCase.max : p.worstCase.min));
        table_->setItem(row, CHighest, volts(negative_ ? -p.worstCase.min : p.worstCase.max));
        auto* current =
            cell(p.belowMinLoad ? tr("%1, too little").arg(shown(p.r1CurrentA, "A", l)) : shown(p.r1CurrentA, "A", l));
        if (p.belowMinLoad)
            current->setToolTip(tr("Below the part's minimum load: the load must always draw the rest"));
        table_->setItem(row, CCurrent, current);
        belowLoad = belowLoad || p.belowMinLoad;
        ++row;
    }
    QStringList status;
    if (design.pairs.empty())
        status << tr("No pair of these parts comes near.");
    else if (design.reach.side != values::Reach::Side::Within)
        status << (design.reach.side == values::Reach::Side::Below
                       ? tr("Out of reach: pairs of these parts give V out no lower than %1")
                       : tr("Out of reach: pairs of these parts give V out no higher than %1"))
                      .arg(minus + shown(design.reach.limit, "V", l));
    const int fixed = options_->fixedChoice()->currentIndex();
    if (fixed != 0)
        status << (design.partner
                       ? tr("Exact %1: %2").arg(fixed == 1 ? tr("R2") : tr("R1"), shown(*design.partner, "Ω", l))
                       : tr("No R1 reaches V out with this R2."));
    if (belowLoad && design.largestR1)
        status << tr("R1 above %1 draws less than the minimum load: the load must always draw the rest.")
                      .arg(shown(*design.largestR1, "Ω", l));
    lblStatus_->setText(status.join(u'\n'));
    draw();
    Q_EMIT pairsShown();
}

void AmplifiersRegulator::clear(const QString& status)
{
    search_.cancel();
    table_->setRowCount(0);
    lblStatus_->setText(status);
    draw();
    Q_EMIT pairsShown();
}

void AmplifiersRegulator::draw()
{
    const int row = drawnRow(*table_);
    const auto text = [&](int column) { return row < 0 ? QString() : table_->item(row, column)->text(); };
    const QString output = row < 0 ? tr("out") : tr("out = %1").arg(text(CVout));
    circuit_->setDrawing(shunt_ ? schematic::shuntReference(text(CR1), text(CR2), output)
                                : schematic::adjustableRegulator(text(CR1), text(CR2), output));
}

} // namespace tools
