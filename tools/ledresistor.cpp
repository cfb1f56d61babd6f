// SPDX-License-Identifier: MIT
#include "tools/ledresistor.h"

#include "numeric/format.h"
#include "tools/circuitview.h"
#include "tools/form.h"
#include "tools/localised.h"
#include "tools/table.h"
#include "tools/widgets.h"
#include "values/led.h"
#include "values/power.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <charconv>

namespace tools {

namespace {

enum Column { COhms, CCurrent, CLowest, CHighest, CPower, CWorst, CRating, CLedPower, CEfficiency, CColumns };
enum Row { RExact, RAbove, RBelow, RRows };

constexpr const char* tolerances[] = {"0.1", "0.5", "1", "2", "5", "10", "20"};
constexpr int defaultTolerance = 4; // 5 %
constexpr const char* margins[] = {"1", "1.5", "2", "3", "4"};
constexpr int defaultMargin = 2; // 2x
constexpr int defaultSeries = 3; // E24

} // namespace

LedResistor::LedResistor(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmLedResistor"));
    setWindowTitle(tr("LED resistor"));
    build();
    connectAll();
    refresh();
}

void LedResistor::build()
{
    const auto message = [this](const char* name) {
        QLabel* label = warningLabel(this, name);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 28);
        return label;
    };
    const auto field = [&](const char* name, const QString& accessible, const QString& placeholder, int chars) {
        return tools::field(this, name, accessible, placeholder, QString(chars, u'0'));
    };
    const auto unit = [&](const char* name, const QString& text) { return named(new QLabel(text, this), name); };

    txtSupply_ = field("txtSupply", tr("Supply voltage"), tr("e.g. 5 or 12"), 8);
    txtSupplyTolerance_ = field("txtSupplyTolerance", tr("Supply tolerance in percent"), QString(), 4);
    txtSupplyTolerance_->setText(QStringLiteral("0"));
    lblSupplyMessage_ = message("lblSupplyMessage");
    txtForward_ = field("txtForward", tr("LED forward voltage"), tr("e.g. 2"), 8);
    cboColour_ = named(new QComboBox(this), "cboColour", tr("LED colour"));
    cboColour_->addItem(tr("(typed)"));
    for (const values::LedColour& c : values::ledColours()) {
        cboColour_->addItem(tr("%1: %2 V (%3-%4)")
                                .arg(tr(c.name), localised(values::format(c.typical, 3), locale()),
                                     localised(values::format(c.min, 3), locale()),
                                     localised(values::format(c.max, 3), locale())));
    }
    // The list opens as wide as its texts; closed, it need not be.
    cboColour_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboColour_->setMinimumContentsLength(16);
    cboColour_->setToolTip(tr("Typical forward voltages at about 20 mA; the LED's datasheet rules"));
    txtForwardMin_ = field("txtForwardMin", tr("Lowest forward voltage"), tr("typical"), 5);
    txtForwardMax_ = field("txtForwardMax", tr("Highest forward voltage"), tr("typical"), 5);
    lblForwardMessage_ = message("lblForwardMessage");
    txtCount_ = field("txtCount", tr("LEDs in series"), QString(), 4);
    txtCount_->setText(QStringLiteral("1"));
    lblCountMessage_ = message("lblCountMessage");
    txtCurrent_ = field("txtCurrent", tr("LED current"), tr("e.g. 10m"), 8);
    lblCurrentMessage_ = message("lblCurrentMessage");

    cboSeries_ = named(new QComboBox(this), "cboSeries", tr("Series of the resistor"));
    for (const values::Series s : values::allSeries)
        cboSeries_->addItem(QString::fromLatin1(values::name(s).data(), static_cast<int>(values::name(s).size())));
    cboSeries_->setCurrentIndex(defaultSeries);
    cboTolerance_ = numberChoices(this, "cboTolerance", tr("Tolerance of the resistor"), tolerances,
                                  QStringLiteral(" %"), defaultTolerance);
    cboMargin_ = numberChoices(this, "cboMargin", tr("Power margin"), margins, QStringLiteral("x"), defaultMargin);
    cboMargin_->setToolTip(tr("The rating is at least this many times the typical dissipation, and never below "
                              "the worst corner's"));

    auto* grid = new QGridLayout;
    int row = 0;
    grid->addWidget(labelFor(this, "lblSupply", tr("&Supply:"), txtSupply_), row, 0);
    grid->addWidget(txtSupply_, row, 1);
    grid->addWidget(unit("lblSupplyUnit", QStringLiteral("V")), row, 2);
    auto* tolerance = new QHBoxLayout;
    tolerance->addWidget(labelFor(this, "lblSupplyTolerance", tr("w&ithin ±"), txtSupplyTolerance_));
    tolerance->addWidget(txtSupplyTolerance_);
    tolerance->addWidget(unit("lblSupplyToleranceUnit", QStringLiteral("%")));
    tolerance->addStretch();
    grid->addLayout(tolerance, row, 3);
    grid->addWidget(lblSupplyMessage_, row, 4);
    ++row;
    grid->addWidget(labelFor(this, "lblForward", tr("Forwar&d voltage:"), txtForward_), row, 0);
    grid->addWidget(txtForward_, row, 1);
    grid->addWidget(unit("lblForwardUnit", QStringLiteral("V")), row, 2);
    grid->addWidget(cboColour_, row, 3);
    grid->addWidget(lblForwardMessage_, row, 4, 2, 1, Qt::AlignTop);
    ++row;
    auto* range = new QHBoxLayout;
    range->addWidget(labelFor(this, "lblForwardMin", tr("Ran&ge:"), txtForwardMin_));
    range->addWidget(txtForwardMin_);
    range->addWidget(labelFor(this, "lblForwardMax", tr("t&o"), txtForwardMax_));
    range->addWidget(txtForwardMax_);
    range->addWidget(unit("lblForwardRangeUnit", QStringLiteral("V")));
    range->addStretch();
    grid->addLayout(range, row, 3);
    ++row;
    grid->addWidget(labelFor(this, "lblCount", tr("LEDs in se&ries:"), txtCount_), row, 0);
    grid->addWidget(txtCount_, row, 1);
    grid->addWidget(lblCountMessage_, row, 4);
    ++row;
    grid->addWidget(labelFor(this, "lblCurrent", tr("LED c&urrent:"), txtCurrent_), row, 0);
    grid->addWidget(txtCurrent_, row, 1);
    grid->addWidget(unit("lblCurrentUnit", QStringLiteral("A")), row, 2);
    grid->addWidget(lblCurrentMessage_, row, 4);
    ++row;
    auto* parts = new QHBoxLayout;
    parts->addWidget(labelFor(this, "lblSeries", tr("S&eries:"), cboSeries_));
    parts->addWidget(cboSeries_);
    parts->addSpacing(8);
    parts->addWidget(labelFor(this, "lblTolerance", tr("To&lerance:"), cboTolerance_));
    parts->addWidget(cboTolerance_);
    parts->addSpacing(8);
    parts->addWidget(labelFor(this, "lblMargin", tr("Power &margin:"), cboMargin_));
    parts->addWidget(cboMargin_);
    parts->addStretch();
    grid->addLayout(parts, row, 0, 1, 5);
    grid->setColumnStretch(4, 1);

    circuit_ = named(new CircuitView(this), "picCircuit", tr("The circuit"));
    circuit_->setMinimumSize(220, 150);
    auto* top = new QHBoxLayout;
    top->addLayout(grid, 1);
    top->addWidget(circuit_);

    tblResistors_ = named(new QTableWidget(RRows, CColumns, this), "tblResistors", tr("Resistors"));
    tblResistors_->setHorizontalHeaderLabels({tr("Resistor"), tr("Current"), tr("Lowest"), tr("Highest"), tr("R power"),
                                              tr("Worst"), tr("Rating"), tr("LED power"), tr("Efficiency")});
    tblResistors_->setVerticalHeaderLabels({tr("Exact"), tr("At or above"), tr("Below")});
    const QString corners = tr("The current with the supply, every forward voltage and the resistor at the ends "
                               "of their tolerances");
    tblResistors_->horizontalHeaderItem(CLowest)->setToolTip(corners);
    tblResistors_->horizontalHeaderItem(CHighest)->setToolTip(corners);
    tblResistors_->horizontalHeaderItem(CPower)->setToolTip(tr("What the resistor dissipates, typical values"));
    tblResistors_->horizontalHeaderItem(CWorst)->setToolTip(
        tr("The worst case: what the resistor dissipates with every tolerance at the end that gives the most "
           "current"));
    tblResistors_->horizontalHeaderItem(CRating)->setToolTip(
        tr("The smallest standard rating with the margin over the typical power, never below the worst"));
    tblResistors_->horizontalHeaderItem(CEfficiency)->setToolTip(tr("LED power over the power from the supply"));
    tblResistors_->verticalHeaderItem(RExact)->setToolTip(tr("The resistance that gives the current exactly"));
    tblResistors_->verticalHeaderItem(RAbove)->setToolTip(
        tr("The nearest standard value at or above it: the current at or below the one asked for"));
    tblResistors_->verticalHeaderItem(RBelow)->setToolTip(
        tr("The standard value below it: a little more current than asked for"));
    makeResultsTable(tblResistors_);
    const int padding = 4 * tblResistors_->style()->pixelMetric(QStyle::PM_HeaderMargin);
    int columnWidth = tblResistors_->fontMetrics().horizontalAdvance(QStringLiteral("999.9 mW")) + padding;
    for (int column = 0; column < CColumns; ++column) {
        columnWidth = std::max(columnWidth,
                               tblResistors_->horizontalHeader()->fontMetrics().horizontalAdvance(
                                   tblResistors_->horizontalHeaderItem(column)->text()) +
                                   padding);
    }
    tblResistors_->horizontalHeader()->setMinimumSectionSize(columnWidth);
    const int rowHeight = tblResistors_->verticalHeader()->defaultSectionSize();
    tblResistors_->setMinimumSize(
        tblResistors_->verticalHeader()->sizeHint().width() + CColumns * columnWidth + 2 * tblResistors_->frameWidth(),
        tblResistors_->horizontalHeader()->sizeHint().height() + RRows * rowHeight + 2 * tblResistors_->frameWidth());
    tblResistors_->setMaximumHeight(tblResistors_->minimumHeight());

    cmdCopy_ = copyTableButton(this, tblResistors_);
    cmdClose_ = named(new QPushButton(tr("&Close"), this), "cmdClose");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdCopy_);
    buttons->addWidget(cmdClose_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(labelFor(this, "lblResistors", tr("Resistor v&alues:"), tblResistors_));
    layout->addWidget(tblResistors_);
    layout->addStretch();
    layout->addLayout(buttons);

    tabChain({txtSupply_, txtSupplyTolerance_, txtForward_, cboColour_, txtForwardMin_, txtForwardMax_, txtCount_,
              txtCurrent_, cboSeries_, cboTolerance_, cboMargin_, circuit_->copyButton(), tblResistors_, cmdCopy_,
              cmdClose_});
    setFocusProxy(txtSupply_);
}

void LedResistor::connectAll()
{
    for (QLineEdit* edit :
         {txtSupply_, txtSupplyTolerance_, txtForward_, txtForwardMin_, txtForwardMax_, txtCount_, txtCurrent_})
        connect(edit, &QLineEdit::textChanged, this, &LedResistor::refresh);
    connect(txtForward_, &QLineEdit::textEdited, this, &LedResistor::forwardTyped);
    connect(cboColour_, &QComboBox::activated, this, &LedResistor::colourChosen);
    for (QComboBox* box : {cboSeries_, cboTolerance_, cboMargin_})
        connect(box, &QComboBox::currentIndexChanged, this, &LedResistor::refresh);
    onRowPicked(tblResistors_, this, [this] { drawRow(); });
}

void LedResistor::colourChosen(int index)
{
    if (index <= 0)
        return;
    const values::LedColour& c = values::ledColours()[static_cast<std::size_t>(index - 1)];
    // The range first, so the typical value never stands outside it.
    txtForwardMin_->setText(localised(values::format(c.min, 3), locale()));
    txtForwardMax_->setText(localised(values::format(c.max, 3), locale()));
    txtForward_->setText(localised(values::format(c.typical, 3), locale()));
}

// A typed V f leaves the colour, and its range goes with it.
void LedResistor::forwardTyped()
{
    if (cboColour_->currentIndex() == 0)
        return;
    cboColour_->setCurrentIndex(0);
    txtForwardMin_->clear();
    txtForwardMax_->clear();
}

std::optional<values::Decimal> LedResistor::readValue(QLineEdit* field, QLabel* message, values::Unit unit)
{
    return readTyped(field, message, unit == values::Unit::Volt ? values::Measure::Voltage : values::Measure::Current);
}

std::optional<values::Decimal> LedResistor::readPercent(QLineEdit* field, QLabel* message)
{
    QString text = field->text().trimmed();
    if (text.endsWith(u'%'))
        text.chop(1);
    text = text.trimmed();
    if (text.isEmpty() || text == QStringLiteral("0"))
        return values::Decimal{};
    const values::Parsed parsed = values::parse(text.toStdString(), decimalSeparator(locale()));
    if (!parsed.value || parsed.unit != values::Unit::None || *parsed.value >= values::Decimal::of(100, 0)) {
        message->setText(
            tr("'%1' is not a tolerance: write a percentage below 100, such as 5").arg(elided(field->text())));
        return std::nullopt;
    }
    return parsed.value;
}

void LedResistor::refresh()
{
    for (QLabel* label : {lblSupplyMessage_, lblForwardMessage_, lblCountMessage_, lblCurrentMessage_})
        label->clear();
    values::LedInput input;
    const auto supply = readValue(txtSupply_, lblSupplyMessage_, values::Unit::Volt);
    const auto supplyTolerance = readPercent(txtSupplyTolerance_, lblSupplyMessage_);
    const auto forward = readValue(txtForward_, lblForwardMessage_, values::Unit::Volt);
    const auto forwardMin = readValue(txtForwardMin_, lblForwardMessage_, values::Unit::Volt);
    const bool minOk = txtForwardMin_->text().trimmed().isEmpty() || forwardMin;
    const auto forwardMax = readValue(txtForwardMax_, lblForwardMessage_, values::Unit::Volt);
    const bool maxOk = txtForwardMax_->text().trimmed().isEmpty() || forwardMax;
    const auto current = readValue(txtCurrent_, lblCurrentMessage_, values::Unit::Ampere);
    int count = 0;
    const QString countText = txtCount_->text().trimmed();
    const QByteArray countBytes = countText.toLatin1();
    const auto [end, ec] = std::from_chars(countBytes.data(), countBytes.data() + countBytes.size(), count);
    const bool countOk = !countText.isEmpty() && ec == std::errc() && end == countBytes.data() + countBytes.size() &&
        count >= 1 && count <= values::maxLedCount;
    if (!countOk && !countText.isEmpty())
        lblCountMessage_->setText(tr("Write a whole number from 1 to %1").arg(values::maxLedCount));
    if (!supply || !supplyTolerance || !forward || !minOk || !maxOk || !current || !countOk) {
        clear();
        return;
    }
    input.supply = *supply;
    input.supplyTolerance = *supplyTolerance;
    input.forward = *forward;
    input.forwardMin = forwardMin;
    input.forwardMax = forwardMax;
    input.count = count;
    input.current = *current;
    input.series = values::allSeries[static_cast<std::size_t>(std::max(0, cboSeries_->currentIndex()))];
    input.tolerance =
        values::parse(cboTolerance_->currentData().toString().toStdString()).value.value_or(values::Decimal::of(5, 0));
    input.margin =
        values::parseMargin(cboMargin_->currentData().toString().toStdString()).value_or(values::Decimal::of(2, 0));

    const values::LedCheck check = values::checkLed(input);
    if (check.change != values::LedField::None) {
        QLabel* beside = check.change == values::LedField::Forward || check.change == values::LedField::ForwardRange
            ? lblForwardMessage_
            : check.change == values::LedField::Count   ? lblCountMessage_
            : check.change == values::LedField::Current ? lblCurrentMessage_
                                                        : lblSupplyMessage_;
        beside->setText(localised(check.message, locale()));
        clear();
        return;
    }
    const std::optional<values::LedDesign> design = values::designLed(input);
    if (!design) {
        clear();
        return;
    }
    showDesign(input, *design);
}

QTableWidgetItem* LedResistor::figure(const values::Exact& value, const char* unit) const
{
    return cell(text(value, unit), fullText(value, unit, locale()));
}

QString LedResistor::text(const values::Exact& value, const char* unit) const
{
    return localised(values::withUnit(value.rounded(values::shownDigits), unit), locale());
}

void LedResistor::showDesign(const values::LedInput& input, const values::LedDesign& design)
{
    const values::LedChoice* rows[RRows] = {&design.exact, design.choices.empty() ? nullptr : design.choices.data(),
                                            design.choices.size() < 2 ? nullptr : &design.choices[1]};
    for (int r = 0; r < RRows; ++r) {
        const values::LedChoice* c = rows[r];
        if (!c) {
            for (int column = 0; column < CColumns; ++column)
                delete tblResistors_->takeItem(r, column);
            continue;
        }
        const QString about = QStringLiteral("≈ ");
        QString ohms = text(c->ohms, "Ω");
        if (r == RExact && c->ohms.isDecimal(values::exactDigits))
            ohms =
                localised(values::withUnit(c->ohms.rounded(values::exactDigits), "Ω", values::exactDigits), locale());
        else if (r == RExact)
            ohms = about + ohms;
        QString ohmsCopied = fullText(c->ohms, "Ω", locale());
        if (r == RExact && !c->ohms.isDecimal(17))
            ohmsCopied = about + ohmsCopied;
        tblResistors_->setItem(r, COhms, cell(ohms, ohmsCopied));
        tblResistors_->setItem(r, CCurrent, figure(c->current, "A"));
        tblResistors_->setItem(r, CLowest, figure(c->currentMin, "A"));
        tblResistors_->setItem(r, CHighest, figure(c->currentMax, "A"));
        tblResistors_->setItem(r, CPower, figure(c->power, "W"));
        tblResistors_->setItem(r, CWorst, figure(c->powerMax, "W"));
        tblResistors_->setItem(r, CRating,
                               cell(c->rating ? localised(values::ratingText(*c->rating), locale()) : tr("above 5 W")));
        tblResistors_->setItem(r, CLedPower, figure(c->ledPower, "W"));
        const values::Exact percent = c->efficiency * values::Exact::of(100);
        tblResistors_->setItem(
            r, CEfficiency,
            cell(localised(values::format(percent.rounded(values::shownDigits)), locale()) + QStringLiteral(" %"),
                 localised(values::format(percent.rounded(17), 17), locale()) + QStringLiteral(" %")));
    }
    drawnSupply_ = localised(values::withUnit(input.supply, "V", values::allDigits), locale()); // as typed
    drawnForward_ = localised(values::withUnit(input.forward, "V", values::allDigits), locale());
    drawnCount_ = input.count;
    tblResistors_->selectionModel()->clear(); // the best row is drawn again
    drawRow();
}

void LedResistor::drawRow()
{
    const bool picked = tblResistors_->selectionModel()->hasSelection();
    const QTableWidgetItem* resistor = tblResistors_->item(picked ? drawnRow(*tblResistors_) : RAbove, COhms);
    // A row left empty (no standard value below) draws the best there is.
    for (const int best : {RAbove, RExact}) {
        if (resistor == nullptr)
            resistor = tblResistors_->item(best, COhms);
    }
    circuit_->setDrawing(resistor ? schematic::ledString(drawnSupply_, resistor->text(), drawnCount_, drawnForward_)
                                  : schematic::Drawing());
}

void LedResistor::clear()
{
    for (int r = 0; r < RRows; ++r) {
        for (int column = 0; column < CColumns; ++column)
            delete tblResistors_->takeItem(r, column);
    }
    drawRow();
}

} // namespace tools
