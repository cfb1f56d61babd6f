// SPDX-License-Identifier: MIT
#include "tools/dividerdesign.h"

#include "numeric/format.h"
#include "tools/circuitview.h"
#include "tools/form.h"
#include "tools/localised.h"
#include "tools/standardvalues/myparts.h"
#include "tools/table.h"
#include "tools/widgets.h"
#include "values/power.h"
#include "values/series.h"
#include "values/stock.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace tools {

namespace {

enum Column {
    CR1,
    CR2,
    CVout,
    CDeviation,
    CLowest,
    CHighest,
    CCurrent,
    CPower1,
    CPower2,
    CRating1,
    CRating2,
    CColumns
};

// Unions first among the series: many 1 % ranges stock both E24 and E96.
struct SeriesChoice {
    const char* label;
    const char* names;
};
constexpr SeriesChoice seriesChoices[] = {
    {"E24 + E96", "E24+E96"},
    {"E24 + E192", "E24+E192"},
    {"E3", "E3"},
    {"E6", "E6"},
    {"E12", "E12"},
    {"E24", "E24"},
    {"E48", "E48"},
    {"E96", "E96"},
    {"E192", "E192"},
};
constexpr int myPartsIndex = static_cast<int>(std::size(seriesChoices));

constexpr const char* tolerances[] = {"0.1", "0.25", "0.5", "1", "2", "5", "10", "20"};
constexpr int defaultTolerance = 3; // 1 %

constexpr const char* margins[] = {"1", "1.5", "2", "3", "4"};
constexpr int defaultMargin = 2; // 2x

} // namespace

DividerDesign::DividerDesign(QWidget* parent)
    : QWidget(parent)
    , search_(this, [this](const std::vector<values::DividerPair>& pairs) { showPairs(pairs); })
{
    setObjectName(QStringLiteral("frmDividerDesign"));
    setWindowTitle(tr("Divider designer"));
    build();
    chainTabs();
    connectAll();
    modeChosen();
    // Typing "5" at once sets V in. Not by a focus proxy: Tab coming round would skip the mode
    // for it.
    txtVin_->setFocus();
}

void DividerDesign::build()
{
    // Beside the fields the messages have the width of the window; the range's has a line of its own.
    const auto message = [this](const char* name) { return warningLabel(this, name, 1); };
    const auto voltage = [&](const char* name, const QString& accessibleName) {
        return field(this, name, accessibleName, tr("e.g. 3.3 or 800m"));
    };

    optOutput_ = named(new QRadioButton(tr("&Divider: V in to V out"), this), "optOutput");
    optFeedback_ = named(new QRadioButton(tr("&Regulator feedback: V ref to V out"), this), "optFeedback");
    optOutput_->setToolTip(tr("V out = V in × R2 / (R1 + R2)"));
    optFeedback_->setToolTip(tr("V out = V ref × (R1 + R2) / R2"));
    grpMode_ = new QButtonGroup(this);
    grpMode_->addButton(optOutput_);
    grpMode_->addButton(optFeedback_);
    optOutput_->setChecked(true);
    auto* modes = new QHBoxLayout;
    modes->addWidget(optOutput_);
    modes->addWidget(optFeedback_);
    modes->addStretch();

    txtVin_ = voltage("txtVin", tr("V in"));
    txtVref_ = voltage("txtVref", tr("V ref"));
    txtVout_ = voltage("txtVout", tr("V out"));
    lblVin_ = labelFor(this, "lblVin", tr("V &in:"), txtVin_);
    lblVref_ = labelFor(this, "lblVref", tr("V r&ef:"), txtVref_);
    lblVinUnit_ = named(new QLabel(QStringLiteral("V"), this), "lblVinUnit");
    lblVrefUnit_ = named(new QLabel(QStringLiteral("V"), this), "lblVrefUnit");
    lblVinMessage_ = message("lblVinMessage");
    lblVrefMessage_ = message("lblVrefMessage");
    lblVoutMessage_ = message("lblVoutMessage");
    lblRatio_ = new SteadyLabel(this, QStringLiteral("lblRatio"), 1, SteadyLabel::Tone::Plain);

    auto* goal = new QGridLayout;
    goal->addWidget(lblVin_, 0, 0);
    goal->addWidget(txtVin_, 0, 1);
    goal->addWidget(lblVinUnit_, 0, 2);
    goal->addWidget(lblVinMessage_, 0, 3);
    goal->addWidget(lblVref_, 1, 0);
    goal->addWidget(txtVref_, 1, 1);
    goal->addWidget(lblVrefUnit_, 1, 2);
    goal->addWidget(lblVrefMessage_, 1, 3);
    goal->addWidget(labelFor(this, "lblVout", tr("V o&ut:"), txtVout_), 2, 0);
    goal->addWidget(txtVout_, 2, 1);
    goal->addWidget(named(new QLabel(QStringLiteral("V"), this), "lblVoutUnit"), 2, 2);
    goal->addWidget(lblVoutMessage_, 2, 3);
    goal->addWidget(lblRatio_, 3, 1, 1, 3);
    goal->setColumnStretch(3, 1);
    const int fieldWidth = txtVin_->fontMetrics().horizontalAdvance(QStringLiteral("0000.0000")) * 3 / 2;
    for (QLineEdit* edit : {txtVin_, txtVref_, txtVout_})
        edit->setMinimumWidth(fieldWidth);

    cboSeries_ = named(new QComboBox(this), "cboSeries", tr("Series of the parts"));
    for (const SeriesChoice& choice : seriesChoices)
        cboSeries_->addItem(QString::fromLatin1(choice.label), QString::fromLatin1(choice.names));
    cboSeries_->addItem(tr("My parts"));
    cboSeries_->setItemData(myPartsIndex, tr("The list kept in the Standard values window"), Qt::ToolTipRole);
    txtFrom_ = named(new QLineEdit(localised("1k", locale()), this), "txtFrom", tr("Lowest resistor value"));
    txtTo_ = named(new QLineEdit(localised("1M", locale()), this), "txtTo", tr("Highest resistor value"));
    for (QLineEdit* edit : {txtFrom_, txtTo_})
        edit->setMaximumWidth(fieldWidth);
    cboTolerance_ = numberChoices(this, "cboTolerance", tr("Tolerance of the parts"), tolerances, QStringLiteral(" %"),
                                  defaultTolerance);
    cboMargin_ = numberChoices(this, "cboMargin", tr("Power margin"), margins, QStringLiteral("x"), defaultMargin);
    cboMargin_->setToolTip(tr("Each resistor's rating is at least this many times what it dissipates"));
    cboTolerance_->setToolTip(tr("How far each resistor may be off its marked value"));
    cboSeries_->setToolTip(tr("The standard values to choose from: E24 has 24 a decade, E96 has 96"));
    lblRangeMessage_ = message("lblRangeMessage");
    // "R2 is 10k": many start from one resistor they already have.
    cboFixed_ = named(new QComboBox(this), "cboFixed", tr("Resistor already chosen"));
    cboFixed_->addItems({tr("none"), tr("R1 (top)"), tr("R2 (bottom)")});
    txtFixed_ = named(new QLineEdit(this), "txtFixed", tr("Value of the resistor already chosen"));
    txtFixed_->setPlaceholderText(tr("e.g. 10k"));
    txtFixed_->setMaximumWidth(fieldWidth);
    txtFixed_->setEnabled(false);

    auto* parts = new QHBoxLayout;
    parts->addWidget(labelFor(this, "lblSeries", tr("&Series:"), cboSeries_));
    parts->addWidget(cboSeries_);
    parts->addSpacing(8);
    parts->addWidget(labelFor(this, "lblFrom", tr("Fro&m:"), txtFrom_));
    parts->addWidget(txtFrom_, 1);
    parts->addWidget(named(new QLabel(QStringLiteral("Ω"), this), "lblFromUnit"));
    parts->addWidget(labelFor(this, "lblTo", tr("T&o:"), txtTo_));
    parts->addWidget(txtTo_, 1);
    parts->addWidget(named(new QLabel(QStringLiteral("Ω"), this), "lblToUnit"));
    parts->addSpacing(8);
    parts->addWidget(labelFor(this, "lblTolerance", tr("Tolera&nce:"), cboTolerance_));
    parts->addWidget(cboTolerance_);
    parts->addSpacing(8);
    parts->addWidget(labelFor(this, "lblMargin", tr("M&argin:"), cboMargin_));
    parts->addWidget(cboMargin_);
    parts->addStretch();
    auto* fixed = new QHBoxLayout;
    fixed->addWidget(labelFor(this, "lblFixed", tr("Fi&xed resistor:"), cboFixed_));
    fixed->addWidget(cboFixed_);
    fixed->addWidget(txtFixed_, 1);
    fixed->addWidget(named(new QLabel(QStringLiteral("Ω"), this), "lblFixedUnit"));
    fixed->addStretch(2);

    tblPairs_ = named(new QTableWidget(0, CColumns, this), "tblPairs", tr("Best pairs"));
    tblPairs_->setHorizontalHeaderLabels({tr("R1 (top)"), tr("R2 (bottom)"), tr("V out"), tr("Deviation"), tr("Lowest"),
                                          tr("Highest"), tr("Current"), tr("P R1"), tr("P R2"), tr("Rating R1"),
                                          tr("Rating R2")});
    const QString corners = tr("V out with every part off by up to the tolerance");
    tblPairs_->horizontalHeaderItem(CLowest)->setToolTip(corners);
    tblPairs_->horizontalHeaderItem(CHighest)->setToolTip(corners);
    tblPairs_->horizontalHeaderItem(CCurrent)->setToolTip(tr("The current through R1 and R2"));
    tblPairs_->horizontalHeaderItem(CDeviation)->setToolTip(tr("How far V out lies from the goal, in percent"));
    for (const int column : {CPower1, CPower2})
        tblPairs_->horizontalHeaderItem(column)->setToolTip(tr("What the resistor dissipates"));
    for (const int column : {CRating1, CRating2})
        tblPairs_->horizontalHeaderItem(column)->setToolTip(tr("The smallest standard power rating with the margin"));
    tblPairs_->verticalHeader()->hide();
    makeResultsTable(tblPairs_);
    tblPairs_->setAlternatingRowColors(true);
    // Wide enough for the widest expected cell, so columns do not jump while typing.
    const QString widest[CColumns] = {
        QStringLiteral("999.9 kΩ"),    QStringLiteral("999.9 kΩ"), QStringLiteral("999.9 mV"),
        QStringLiteral("-0.000045 %"), QStringLiteral("999.9 mV"), QStringLiteral("999.9 mV"),
        QStringLiteral("999.9 µA"),    QStringLiteral("999.9 mW"), QStringLiteral("999.9 mW"),
        QStringLiteral("above 5 W"),   QStringLiteral("above 5 W")};
    const int padding = 4 * tblPairs_->style()->pixelMetric(QStyle::PM_HeaderMargin);
    // The columns share the width evenly, so each must be as wide as the widest of them.
    int columnWidth = 0;
    for (int column = 0; column < CColumns; ++column) {
        columnWidth = std::max({columnWidth, tblPairs_->fontMetrics().horizontalAdvance(widest[column]) + padding,
                                tblPairs_->horizontalHeader()->fontMetrics().horizontalAdvance(
                                    tblPairs_->horizontalHeaderItem(column)->text()) +
                                    padding});
    }
    tblPairs_->horizontalHeader()->setMinimumSectionSize(columnWidth);
    const int tableWidth = CColumns * columnWidth + 2 * tblPairs_->frameWidth();
    const int rowHeight = tblPairs_->verticalHeader()->defaultSectionSize();
    tblPairs_->setMinimumSize(
        tableWidth, tblPairs_->horizontalHeader()->sizeHint().height() + 10 * rowHeight + 2 * tblPairs_->frameWidth());
    lblStatus_ = new SteadyLabel(this, "lblStatus", 2, SteadyLabel::Tone::Plain);

    cmdCopy_ = copyTableButton(this, tblPairs_);
    cmdClose_ = named(new QPushButton(tr("&Close"), this), "cmdClose");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblStatus_, 1);
    buttons->addWidget(cmdCopy_);
    buttons->addWidget(cmdClose_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(modes);
    layout->addLayout(goal);
    layout->addLayout(parts);
    layout->addLayout(fixed);
    layout->addWidget(lblRangeMessage_);
    layout->addWidget(labelFor(this, "lblPairs", tr("&Best pairs:"), tblPairs_));
    circuit_ = new CircuitView(this);
    auto* answer = new QHBoxLayout;
    answer->addWidget(tblPairs_, 1);
    answer->addWidget(circuit_);
    layout->addLayout(answer, 1);
    layout->addLayout(buttons);
}

void DividerDesign::chainTabs()
{
    tabChain({optOutput_, optFeedback_, txtVin_, txtVref_, txtVout_, cboSeries_, txtFrom_, txtTo_, cboTolerance_,
              cboMargin_, cboFixed_, txtFixed_, tblPairs_, circuit_->copyButton(), cmdCopy_, cmdClose_});
}

void DividerDesign::connectAll()
{
    connect(optOutput_, &QRadioButton::toggled, this, &DividerDesign::modeChosen);
    for (QLineEdit* edit : {txtVin_, txtVref_, txtVout_, txtFrom_, txtTo_})
        connect(edit, &QLineEdit::textChanged, this, &DividerDesign::refresh);
    connect(cboSeries_, &QComboBox::currentIndexChanged, this, &DividerDesign::refresh);
    connect(cboTolerance_, &QComboBox::currentIndexChanged, this, &DividerDesign::refresh);
    connect(cboMargin_, &QComboBox::currentIndexChanged, this, &DividerDesign::refresh);
    connect(cboFixed_, &QComboBox::currentIndexChanged, this, [this](int index) {
        txtFixed_->setEnabled(index != 0);
        refresh();
    });
    connect(txtFixed_, &QLineEdit::textChanged, this, &DividerDesign::refresh);
    onRowPicked(tblPairs_, this, [this] { drawPair(); });
}

void DividerDesign::modeChosen()
{
    const bool feedback = optFeedback_->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{lblVin_, txtVin_, lblVinUnit_, lblVinMessage_})
        w->setVisible(!feedback);
    for (QWidget* w : std::initializer_list<QWidget*>{lblVref_, txtVref_, lblVrefUnit_, lblVrefMessage_})
        w->setVisible(feedback);
    refresh();
}

std::optional<values::Decimal> DividerDesign::readField(QLineEdit* field, QLabel* message, values::Unit unit)
{
    message->clear();
    return readTyped(field, message,
                     unit == values::Unit::Volt ? values::Measure::Voltage : values::Measure::Resistance);
}

void DividerDesign::refresh()
{
    const bool feedback = optFeedback_->isChecked();
    lblRatio_->clear();
    lblRangeMessage_->clear();
    QLabel* sourceMessage = feedback ? lblVrefMessage_ : lblVinMessage_;
    const auto source = readField(feedback ? txtVref_ : txtVin_, sourceMessage, values::Unit::Volt);
    const auto vout = readField(txtVout_, lblVoutMessage_, values::Unit::Volt);
    if (!source || !vout) {
        clearPairs({});
        return;
    }
    values::DividerGoal goal{feedback ? values::DividerMode::Feedback : values::DividerMode::Output, *source, *vout};
    const values::GoalCheck check = values::checkGoal(goal);
    if (check.change != values::DividerField::None) {
        QString text = QString::fromStdString(check.message);
        if (check.change == values::DividerField::Vout)
            text = feedback ? tr("V out must be higher than V ref: change V out")
                            : tr("V out must be lower than V in: change V out");
        (check.change == values::DividerField::Vout ? lblVoutMessage_ : sourceMessage)->setText(text);
        clearPairs({});
        return;
    }
    const QString ratio = localised(values::plain(values::dividerRatio(goal)), locale());
    lblRatio_->setText(feedback ? tr("k = V ref / V out = %1").arg(ratio) : tr("k = V out / V in = %1").arg(ratio));
    lblRatio_->setToolTip(feedback ? tr("The feedback ratio: the share of V out the regulator sees at its "
                                        "reference pin, R2 / (R1 + R2)")
                                   : tr("The divider ratio: the share of V in that reaches V out, R2 / (R1 + R2)"));

    values::DividerOptions options;
    options.tolerancePercent =
        values::parse(cboTolerance_->currentData().toString().toStdString()).value.value_or(values::Decimal::of(1, 0));
    if (cboSeries_->currentIndex() != myPartsIndex) {
        const auto lo = readField(txtFrom_, lblRangeMessage_, values::Unit::Ohm);
        const QString loMessage = lblRangeMessage_->text();
        const auto hi = readField(txtTo_, lblRangeMessage_, values::Unit::Ohm);
        if (!loMessage.isEmpty())
            lblRangeMessage_->setText(loMessage);
        if (!lo || !hi) {
            clearPairs({});
            return;
        }
        if (*hi < *lo) {
            lblRangeMessage_->setText(tr("The range runs from the lower value to the higher one."));
            clearPairs({});
            return;
        }
        options.lo = *lo;
        options.hi = *hi;
    } else {
        // My parts come as they are: the range does not apply to the user's own drawer.
        options.lo = values::Decimal::of(1, -15);
        options.hi = values::Decimal::of(1, 15);
    }
    if (!readFixed(options)) {
        clearPairs({});
        return;
    }
    std::vector<values::Part> parts = chosenParts(options);
    if (parts.empty()) {
        clearPairs(cboSeries_->currentIndex() == myPartsIndex
                       ? tr("My parts holds no values yet: add them in the Standard values window.")
                       : tr("No %1 value lies in this range.").arg(cboSeries_->currentText()));
        return;
    }

    lblStatus_->setText(tr("Searching..."));
    shownGoal_ = goal;
    reach_ = values::dividerReach(goal, parts, options);
    search_.run([goal, parts = std::move(parts), options](const std::stop_token& stop) {
        return values::designDivider(goal, parts, options, stop);
    });
}

// The resistor already chosen, when one is; false with a message when its value does not read.
bool DividerDesign::readFixed(values::DividerOptions& options)
{
    if (cboFixed_->currentIndex() == 0)
        return true;
    const QString kept = lblRangeMessage_->text();
    const auto value = readField(txtFixed_, lblRangeMessage_, values::Unit::Ohm);
    if (!kept.isEmpty())
        lblRangeMessage_->setText(kept);
    if (!value) {
        if (lblRangeMessage_->text().isEmpty())
            lblRangeMessage_->setText(tr("Type the value of the resistor already chosen, such as 10k."));
        return false;
    }
    (cboFixed_->currentIndex() == 1 ? options.fixedR1 : options.fixedR2) = *value;
    return true;
}

std::vector<values::Part> DividerDesign::chosenParts(const values::DividerOptions& options)
{
    if (cboSeries_->currentIndex() == myPartsIndex)
        return myparts::parts(decimalSeparator(locale()), values::Unit::Ohm);
    const auto set = values::seriesSetNamed(cboSeries_->currentData().toString().toStdString());
    if (!set)
        return {};
    return values::unlimitedParts(values::valuesInRange(*set, options.lo, options.hi));
}

void DividerDesign::showPairs(const std::vector<values::DividerPair>& pairs)
{
    tblPairs_->selectionModel()->clear(); // the best pair is drawn again
    tblPairs_->setRowCount(static_cast<int>(pairs.size()));
    const QString ohm = QStringLiteral("Ω");
    const QString volt = QStringLiteral("V");
    const values::Decimal margin =
        values::parseMargin(cboMargin_->currentData().toString().toStdString()).value_or(values::Decimal::of(2, 0));
    int row = 0;
    for (const values::DividerPair& p : pairs) {
        const QLocale l = locale();
        tblPairs_->setItem(row, CR1, cell(withUnit(p.r1, ohm), fullText(p.r1, "Ω", l)));
        tblPairs_->setItem(row, CR2, cell(withUnit(p.r2, ohm), fullText(p.r2, "Ω", l)));
        tblPairs_->setItem(row, CVout, cell(withUnit(values::approximate(p.vout), volt), fullText(p.vout, "V", l)));
        tblPairs_->setItem(row, CDeviation, cell(localised(p.deviation.text(), l), fullText(p.deviation, l)));
        tblPairs_->setItem(
            row, CLowest,
            cell(withUnit(values::approximate(p.worstCase.min), volt), fullText(p.worstCase.min, "V", l)));
        tblPairs_->setItem(
            row, CHighest,
            cell(withUnit(values::approximate(p.worstCase.max), volt), fullText(p.worstCase.max, "V", l)));
        tblPairs_->setItem(
            row, CCurrent,
            cell(withUnit(values::approximate(p.currentA), QStringLiteral("A")), fullText(p.currentA, "A", l)));
        const auto power = values::dividerPower(shownGoal_, p.r1, p.r2, margin);
        for (std::size_t i = 0; i < power.size(); ++i) {
            const int offset = static_cast<int>(i);
            tblPairs_->setItem(row, CPower1 + offset,
                               cell(withUnit(power[i].watts.rounded(values::shownDigits), QStringLiteral("W")),
                                    fullText(power[i].watts, "W", locale())));
            tblPairs_->setItem(
                row, CRating1 + offset,
                cell(power[i].rating ? localised(values::ratingText(*power[i].rating), locale()) : tr("above 5 W")));
        }
        ++row;
    }
    QString status = pairs.empty() ? tr("No pair of these parts comes near.") : QString();
    if (!pairs.empty() && reach_.side != values::Reach::Side::Within)
        status = (reach_.side == values::Reach::Side::Below
                      ? tr("Out of reach: pairs of these parts give V out no lower than %1")
                      : tr("Out of reach: pairs of these parts give V out no higher than %1"))
                     .arg(withUnit(reach_.limit, QStringLiteral("V")));
    lblStatus_->setText(status);
    shownPairs_ = pairs;
    drawPair();
    Q_EMIT pairsShown();
}

void DividerDesign::clearPairs(const QString& status)
{
    search_.cancel();
    tblPairs_->setRowCount(0);
    lblStatus_->setText(status);
    shownPairs_.clear();
    drawPair();
    Q_EMIT pairsShown();
}

void DividerDesign::drawPair()
{
    const int row = drawnRow(*tblPairs_);
    if (row < 0 || static_cast<std::size_t>(row) >= shownPairs_.size()) {
        circuit_->setDrawing({});
        return;
    }
    const values::DividerPair& p = shownPairs_[static_cast<std::size_t>(row)];
    const QString ohm = QStringLiteral("Ω");
    const QString source = withUnit(shownGoal_.source, QStringLiteral("V"));
    const QString vout = withUnit(values::approximate(p.vout), QStringLiteral("V"));
    // In feedback the regulator's output is on top and its reference pin at the middle.
    const bool feedback = shownGoal_.mode == values::DividerMode::Feedback;
    const QString top = feedback ? tr("V out = %1").arg(vout) : tr("V in = %1").arg(source);
    const QString middle = feedback ? tr("V ref = %1").arg(source) : tr("V out = %1").arg(vout);
    circuit_->setDrawing(schematic::divider(withUnit(p.r1, ohm), withUnit(p.r2, ohm), top, middle));
}

// "4.7 kΩ", "3.297 V", "362.3 µA": the value's own prefix, then the unit.
QString DividerDesign::withUnit(const values::Decimal& v, const QString& unit) const
{
    return localised(values::withUnit(v, unit.toStdString(), values::allDigits), locale());
}

} // namespace tools
