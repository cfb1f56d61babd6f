// SPDX-License-Identifier: MIT
#include "tools/timing/timer.h"

#include "numeric/format.h"
#include "tools/circuitview.h"
#include "tools/localised.h"
#include "tools/plots.h"
#include "tools/plotview.h"
#include "tools/table.h"
#include "tools/widgets.h"
#include "values/dividerdesign.h"

#include <QButtonGroup>
#include <QCheckBox>
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

namespace tools {

using values::Measure;

namespace {

enum Column { CR1, CR2, CC, CFrequency, CDuty, CWorst, CColumns };

} // namespace

TimerPage::TimerPage(QWidget* parent)
    : QWidget(parent)
    , result_(timing::answerLabel(this, "lbl555", 5))
    , search_(this, [this](const Found& found) { showDesigns(found); })
{
    setObjectName(QStringLiteral("fra555"));
    astable_ = named(new QRadioButton(tr("&Astable"), this), "opt555Astable");
    monostable_ = named(new QRadioButton(tr("Monosta&ble"), this), "opt555Monostable");
    astable_->setChecked(true);
    astable_->setToolTip(tr("Runs on its own, high and low by turns"));
    monostable_->setToolTip(tr("Gives one pulse each time it is triggered"));
    auto* modes = new QButtonGroup(this);
    modes->addButton(astable_);
    modes->addButton(monostable_);
    diode_ = named(new QCheckBox(tr("With a d&iode across R2"), this), "chk555Diode");
    diode_->setToolTip(tr("The capacitor charges through R1 alone, so any duty cycle can be had"));
    r1_ = timing::makeField(this, "txt555R1", tr("R&1:"), Measure::Resistance, tr("R1"), QStringLiteral("10k"));
    r2_ = timing::makeField(this, "txt555R2", tr("R&2:"), Measure::Resistance, tr("R2"), QStringLiteral("100k"));
    c_ = timing::makeField(this, "txt555C", tr("C:"), Measure::Capacitance, tr("Timing capacitor"),
                           QStringLiteral("10n"));
    circuit_ = named(new CircuitView(this), "pic555", tr("Circuit"));
    waveform_ = named(new PlotView(this), "plot555", tr("Waveform"));
    QTabWidget* views = timing::views(this, "tab555Views", circuit_, {{waveform_, tr("Waveform")}});
    // "&Duty" has the usual key.
    waveform_->dataButton()->setText(tr("C&opy data"));

    auto* modeRow = new QHBoxLayout;
    modeRow->addWidget(astable_);
    modeRow->addWidget(monostable_);
    modeRow->addStretch();
    auto* grid = new QGridLayout;
    grid->addLayout(modeRow, 0, 0, 1, 4);
    grid->addWidget(diode_, 1, 0, 1, 4);
    addField(grid, 2, r1_);
    addField(grid, 4, r2_);
    addField(grid, 6, c_);
    grid->setColumnStretch(3, 1);
    QGroupBox* forward = timing::section(this, tr("From the parts"), grid, {result_, views}, views);

    f_ = timing::makeField(this, "txt555F", tr("Frequenc&y:"), Measure::Frequency, tr("Target frequency"),
                           QStringLiteral("1k"), 1);
    duty_ = timing::makeField(this, "txt555Duty", tr("&Duty (time high):"), Measure::DutyCycle, tr("Target duty cycle"),
                              QStringLiteral("60"), 1);
    resistors_ = new timing::PartRange(this, QStringLiteral("555R"), tr("Resistors:"), Measure::Resistance,
                                       values::Series::E24, "1k", "1M");
    capacitors_ = new timing::PartRange(this, QStringLiteral("555C"), tr("Capacitors:"), Measure::Capacitance,
                                        values::Series::E6, "1n", "10u");
    table_ = timing::makeTable(this, "tbl555Designs", tr("Best designs"),
                               {tr("R1"), tr("R2"), tr("C"), tr("Frequency"), tr("Duty"), tr("Worst time")},
                               {QStringLiteral("999.9 kΩ"), QStringLiteral("999.9 kΩ"), QStringLiteral("999.9 nF"),
                                QStringLiteral("999.999 kHz"), QStringLiteral("99.999 % exact"),
                                QStringLiteral("-100.00 %")});
    table_->horizontalHeaderItem(CDuty)->setToolTip(tr("The share of each period the output is high"));
    table_->horizontalHeaderItem(CWorst)->setToolTip(
        tr("The worst case: the larger of the high time's and the low time's errors, in percent"));
    // "Frequenc&y" has the usual key.
    copy_ = copyTableButton(this, table_, "cmdCopy555Designs", tr("Copy tab&le"));
    status_ = new SteadyLabel(this, QStringLiteral("lbl555Status"), 2, SteadyLabel::Tone::Plain);

    auto* goal = new QGridLayout;
    addField(goal, 0, f_);
    addField(goal, 2, duty_);
    goal->setColumnStretch(3, 1);
    timing::sideBySide(this, forward,
                       timing::section(this, tr("Standard parts for a frequency and duty (R1 at least 1 kΩ)"), goal,
                                       {resistors_, capacitors_, table_, timing::underTable(this, copy_, status_)},
                                       table_),
                       2);

    connect(astable_, &QRadioButton::toggled, this, &TimerPage::modeChosen);
    connect(diode_, &QCheckBox::toggled, this, [this] {
        calculate();
        design();
    });
    for (const timing::Field* f : {&r1_, &r2_, &c_})
        connect(f->edit, &QLineEdit::textChanged, this, &TimerPage::calculate);
    for (QLineEdit* e :
         {f_.edit, duty_.edit, resistors_->from(), resistors_->to(), capacitors_->from(), capacitors_->to()})
        connect(e, &QLineEdit::textChanged, this, &TimerPage::design);
    for (QComboBox* b : {resistors_->series(), capacitors_->series()})
        connect(b, &QComboBox::currentIndexChanged, this, &TimerPage::design);
    tabChain(timing::around({astable_, monostable_, diode_, r1_.edit, r2_.edit, c_.edit}, views,
                            {f_.edit, duty_.edit, resistors_->series(), resistors_->from(), resistors_->to(),
                             capacitors_->series(), capacitors_->from(), capacitors_->to(), table_, copy_}));
    onRowPicked(table_, this, [this] {
        designDrawn_ = true;
        draw();
    });
    modeChosen();
    design();
}

void TimerPage::modeChosen()
{
    const bool astable = astable_->isChecked();
    r2_.setVisible(astable);
    diode_->setEnabled(astable);
    r1_.label->setText(astable ? tr("R&1:") : tr("R&1 (the timing resistor):"));
    calculate();
}

void TimerPage::calculate()
{
    const bool astable = astable_->isChecked();
    const bool diode = diode_->isChecked();
    const auto r1 = r1_.read();
    const auto r2 = astable ? r2_.read() : std::nullopt;
    const auto c = c_.read();
    const QLocale l = locale();
    const auto label = [&](const std::optional<values::Decimal>& v, const QString& unit) {
        return v ? timing::shown(*v, unit, l) : QString();
    };
    typedR1_ = label(r1, QStringLiteral("Ω"));
    typedR2_ = label(r2, QStringLiteral("Ω"));
    typedC_ = label(c, QStringLiteral("F"));
    designDrawn_ = false;
    draw();
    if (!r1 || !c || (astable && !r2)) {
        result_->setText(diode && astable ? tr("The diode's forward drop is neglected.") : QString());
        return;
    }
    if (!astable) {
        result_->setText(
            tr("Pulse ln 3 × R C: %1").arg(timing::shown(values::monostable(*r1, *c), QStringLiteral("s"), l)));
        return;
    }
    const values::Astable a = values::astable(*r1, *r2, *c, diode);
    QStringList lines;
    lines << tr("Frequency: %1").arg(timing::shown(a.frequencyHz, QStringLiteral("Hz"), l))
          << tr("Duty: %1 %").arg(timing::plain(values::approximate(a.dutyPercent), l))
          << tr("High: %1, low: %2 (ln 2 R C)")
                 .arg(timing::shown(a.highS, QStringLiteral("s"), l), timing::shown(a.lowS, QStringLiteral("s"), l));
    if (diode)
        lines << tr("The diode's forward drop is neglected.");
    result_->setText(lines.join(u'\n'));
}

void TimerPage::design()
{
    const auto f = f_.read();
    duty_.message->clear();
    std::optional<values::Decimal> duty;
    if (const QString text = duty_.edit->text().trimmed(); !text.isEmpty()) {
        const values::Parsed parsed =
            values::parseMeasure(text.toStdString(), Measure::DutyCycle, decimalSeparator(locale()));
        const bool diode = diode_->isChecked();
        QString refusal;
        if (!parsed.value)
            refusal = QString::fromStdString(parsed.error);
        else if (!(*parsed.value < values::Decimal::of(100, 0)))
            refusal = tr("Give a percentage above 0 and below 100.");
        else if (!values::reachable({values::Decimal::of(1, 0), *parsed.value, diode}))
            // One line across the designer; the help says why.
            refusal = tr("Without the diode, give more than 50 % or tick the diode.");
        else
            duty = parsed.value;
        duty_.message->setText(refusal);
    }
    const auto resistors = resistors_->values();
    const auto capacitors = capacitors_->values();
    if (!f || !duty || !resistors || !capacitors) {
        clearDesigns({});
        return;
    }
    if (resistors->back() < values::leastR1) {
        clearDesigns(tr("R1 needs a resistor of at least 1 kΩ."));
        return;
    }
    const values::TimerGoal goal{*f, *duty, diode_->isChecked()};
    status_->setText(tr("Searching..."));
    search_.run([goal, r = *resistors, c = *capacitors](const std::stop_token& stop) {
        values::DesignBudget budget;
        Found found;
        found.designs = values::designTimer(goal, r, c, 10, stop, &budget);
        found.limited = budget.limited;
        found.diode = goal.diode;
        return found;
    });
}

void TimerPage::showDesigns(const Found& found)
{
    const std::vector<values::TimerDesign>& designs = found.designs;
    const QLocale l = locale();
    const QString ohm = QStringLiteral("Ω");
    table_->setRowCount(static_cast<int>(designs.size()));
    int row = 0;
    for (const values::TimerDesign& d : designs) {
        table_->setItem(row, CR1, cell(timing::shown(d.r1, ohm, l), fullText(d.r1, "Ω", l)));
        table_->setItem(row, CR2, cell(timing::shown(d.r2, ohm, l), fullText(d.r2, "Ω", l)));
        table_->setItem(row, CC, cell(timing::shown(d.c, QStringLiteral("F"), l), fullText(d.c, "F", l)));
        table_->setItem(row, CFrequency,
                        cell(timing::shownInCell(d.result.frequencyHz, QStringLiteral("Hz"), l),
                             fullText(d.result.frequencyHz, "Hz", l)));
        const QString duty = timing::plain(d.dutyRounded, l) + QStringLiteral(" %");
        table_->setItem(
            row, CDuty,
            d.duty.exact ? cell(duty + QStringLiteral(" ") + tr("exact"))
                         : cell(duty, localised(values::shortestText(d.result.dutyPercent), l) + QStringLiteral(" %")));
        auto* worst = timing::missCell(d.worst, l);
        worst->setToolTip(
            tr("High %1, low %2, frequency %3")
                .arg(timing::percent(d.high, l), timing::percent(d.low, l), timing::percent(d.frequency, l)));
        table_->setItem(row, CWorst, worst);
        ++row;
    }
    QString status = designs.empty() ? tr("No design of these parts comes near.") : QString();
    if (found.limited)
        status = tr("The search stopped at its limit: a better design may exist.");
    status_->setText(status);
    designDiode_ = found.diode;
    table_->selectionModel()->clear(); // the best design is drawn again
    designDrawn_ = true;
    draw();
    Q_EMIT designsShown();
}

void TimerPage::clearDesigns(const QString& status)
{
    search_.cancel();
    table_->setRowCount(0);
    status_->setText(status);
    draw();
    Q_EMIT designsShown();
}

void TimerPage::draw()
{
    // The designer's answers are astables, whichever mode the parts are typed for; the waveform
    // follows the parts drawn.
    const QLocale l = locale();
    const auto value = [&l](const QString& text, Measure quantity) { return timing::shownValue(text, quantity, l); };
    if (const int row = designDrawn_ ? drawnRow(*table_) : -1; row >= 0) {
        const QString r1 = timing::cellText(*table_, row, CR1);
        const QString r2 = timing::cellText(*table_, row, CR2);
        const QString c = timing::cellText(*table_, row, CC);
        circuit_->setDrawing(schematic::astable555(r1, r2, c, designDiode_));
        const auto r1v = value(r1, Measure::Resistance);
        const auto r2v = value(r2, Measure::Resistance);
        const auto cv = value(c, Measure::Capacitance);
        if (r1v && r2v && cv) {
            const values::Astable a = values::astable(*r1v, *r2v, *cv, designDiode_);
            waveform_->setPlot(plots::timer(a.highS, a.lowS, l));
            return;
        }
    } else if (astable_->isChecked()) {
        circuit_->setDrawing(schematic::astable555(typedR1_, typedR2_, typedC_, diode_->isChecked()));
        const auto r1 = r1_.read();
        const auto r2 = r2_.read();
        const auto c = c_.read();
        if (r1 && r2 && c) {
            const values::Astable a = values::astable(*r1, *r2, *c, diode_->isChecked());
            waveform_->setPlot(plots::timer(a.highS, a.lowS, l));
            return;
        }
    } else {
        circuit_->setDrawing(schematic::monostable555(typedR1_, typedC_));
        const auto r = r1_.read();
        const auto c = c_.read();
        if (r && c) {
            waveform_->setPlot(plots::pulse(values::monostable(*r, *c), l));
            return;
        }
    }
    waveform_->setPlot({});
}

} // namespace tools
