// SPDX-License-Identifier: MIT
#include "tools/filters/passive.h"

#include "tools/circuitview.h"
#include "tools/filters/drawing.h"
#include "tools/form.h"
#include "tools/localised.h"
#include "tools/plots.h"
#include "tools/plotview.h"
#include "tools/table.h"
#include "tools/timing/fields.h"
#include "tools/widgets.h"

#include "numeric/format.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace tools {

namespace {

using values::Measure;
using values::PassiveForm;

struct FormChoice {
    const char* text;
    PassiveForm form;
};
const FormChoice forms[] = {
    {QT_TRANSLATE_NOOP("tools::FiltersPassive", "RC low pass"), PassiveForm::RcLow},
    {QT_TRANSLATE_NOOP("tools::FiltersPassive", "RC high pass"), PassiveForm::RcHigh},
    {QT_TRANSLATE_NOOP("tools::FiltersPassive", "RL low pass"), PassiveForm::RlLow},
    {QT_TRANSLATE_NOOP("tools::FiltersPassive", "RL high pass"), PassiveForm::RlHigh},
    {QT_TRANSLATE_NOOP("tools::FiltersPassive", "LC low pass into the load R"), PassiveForm::LcLow},
    {QT_TRANSLATE_NOOP("tools::FiltersPassive", "LC high pass into the load R"), PassiveForm::LcHigh},
    {QT_TRANSLATE_NOOP("tools::FiltersPassive", "LC band pass fed through R"), PassiveForm::LcBand},
    {QT_TRANSLATE_NOOP("tools::FiltersPassive", "RLC low pass"), PassiveForm::RlcLow},
    {QT_TRANSLATE_NOOP("tools::FiltersPassive", "RLC high pass"), PassiveForm::RlcHigh},
    {QT_TRANSLATE_NOOP("tools::FiltersPassive", "RLC band pass"), PassiveForm::RlcBand},
    {QT_TRANSLATE_NOOP("tools::FiltersPassive", "RLC notch"), PassiveForm::RlcNotch},
};

bool loaded(PassiveForm f)
{
    return f == PassiveForm::LcLow || f == PassiveForm::LcHigh || f == PassiveForm::LcBand;
}

using filterfields::figure;

} // namespace

FiltersPassive::FiltersPassive(QWidget* parent)
    : QWidget(parent)
    , result_(timing::answerLabel(this, "lblPassiveResult", 3))
    , status_(timing::answerLabel(this, "lblPassiveStatus", 2))
    , search_(this, [this](const Found& found) { showDesigns(found); })
{
    setObjectName(QStringLiteral("pageFiltersPassive"));
    auto* parts = new QGridLayout;
    form_ = named(new QComboBox(this), "cboPassiveForm", tr("Circuit"));
    for (const FormChoice& f : forms)
        form_->addItem(tr(f.text));
    parts->addWidget(labelFor(this, "lblPassiveForm", tr("&Kind:"), form_), 0, 0);
    parts->addWidget(form_, 0, 1, 1, 3);
    r_ = filterfields::makeField(this, "txtPassiveR", tr("&Resistor:"), Measure::Resistance, tr("Resistor"),
                                 QStringLiteral("1k"));
    l_ = filterfields::makeField(this, "txtPassiveL", tr("I&nductor:"), Measure::Inductance, tr("Inductor"),
                                 QStringLiteral("10m"));
    c_ = filterfields::makeField(this, "txtPassiveC", tr("C&apacitor:"), Measure::Capacitance, tr("Capacitor"),
                                 QStringLiteral("100n"));
    filterfields::addField(parts, 1, r_);
    filterfields::addField(parts, 3, l_);
    filterfields::addField(parts, 5, c_);
    parts->setColumnStretch(3, 1);
    auto* forward = new QGroupBox(tr("From the parts"), this);
    auto* forwardLayout = new QVBoxLayout(forward);
    forwardLayout->addLayout(parts);
    forwardLayout->addWidget(result_);

    auto* goal = new QGridLayout;
    target_ = filterfields::makeField(this, "txtPassiveTarget", tr("Tar&get f0:"), Measure::Frequency,
                                      tr("Target frequency"), QStringLiteral("1k"));
    target_.label->setToolTip(tr("f0: the corner of a first-order filter; the centre of a band pass or notch, or "
                                 "where a second-order one would resonate"));
    q_ = filterfields::makeNumber(this, "txtPassiveQ", tr("&Q:"), tr("Target Q"), QStringLiteral("0.7071"));
    q_.label->setToolTip(tr("Q: how sharply a second-order filter peaks at f0; f0 over the bandwidth of a band pass "
                            "or notch; 0.7071 is the flattest low or high pass"));
    filterfields::addField(goal, 0, target_);
    filterfields::addField(goal, 2, q_);
    resistors_ = std::make_unique<filterfields::Range>(this, goal, 4, QStringLiteral("PassiveR"), tr("R&esistors:"),
                                                       Measure::Resistance, values::Series::E24, "10", "1M");
    inductors_ = std::make_unique<filterfields::Range>(this, goal, 6, QStringLiteral("PassiveL"), tr("Ind&uctors:"),
                                                       Measure::Inductance, values::Series::E12, "1u", "1");
    capacitors_ = std::make_unique<filterfields::Range>(this, goal, 8, QStringLiteral("PassiveC"), tr("Capacit&ors:"),
                                                        Measure::Capacitance, values::Series::E12, "1p", "100u");
    goal->setColumnStretch(3, 1);
    table_ = filterfields::makeTable(this, "tblPassiveDesigns", tr("Best parts"),
                                     {tr("R"), tr("L"), tr("C"), tr("f0"), tr("Q"), tr("f0 error"), tr("Q error")}, 4);
    table_->horizontalHeaderItem(3)->setToolTip(tr("f0: the corner or centre frequency the parts give"));
    table_->horizontalHeaderItem(4)->setToolTip(tr("Q: how sharply the parts' filter peaks at f0"));
    table_->horizontalHeaderItem(5)->setToolTip(tr("How far the parts' f0 lies from the target, in percent"));
    table_->horizontalHeaderItem(6)->setToolTip(tr("How far the parts' Q lies from the target, in percent"));
    copy_ = copyTableButton(this, table_, "cmdCopyPassiveDesigns");
    auto* designer = new QGroupBox(tr("Standard parts for a target"), this);
    auto* designerLayout = new QVBoxLayout(designer);
    designerLayout->addLayout(goal);
    designerLayout->addWidget(status_);

    plot_ = named(new PlotView(this), "plotPassive", tr("Bode plot"));
    circuit_ = named(new CircuitView(this), "picPassive", tr("Circuit"));
    auto* views = named(new QTabWidget(this), "tabPassiveViews", tr("Bode plot and circuit"));
    views->addTab(plot_, tr("Bode plot"));
    views->addTab(circuit_, tr("Circuit"));
    views->setUsesScrollButtons(false);

    // The parts and the target side by side over the designer's table; the plot and the circuit
    // beside them all.
    auto* copyRow = new QHBoxLayout;
    copyRow->addStretch();
    copyRow->addWidget(copy_);
    auto* left = new QGridLayout;
    left->addWidget(forward, 0, 0);
    left->addWidget(designer, 0, 1);
    left->addWidget(table_, 1, 0, 1, 2);
    left->addLayout(copyRow, 2, 0, 1, 2);
    left->setRowStretch(3, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(views, 1);

    connect(form_, &QComboBox::currentIndexChanged, this, &FiltersPassive::formChosen);
    for (const filterfields::Field* f : {&r_, &l_, &c_})
        connect(f->edit, &QLineEdit::textChanged, this, &FiltersPassive::calculate);
    for (QLineEdit* e : {target_.edit, q_.edit, resistors_->from(), resistors_->to(), inductors_->from(),
                         inductors_->to(), capacitors_->from(), capacitors_->to()})
        connect(e, &QLineEdit::textChanged, this, &FiltersPassive::design);
    for (QComboBox* b : {resistors_->series(), inductors_->series(), capacitors_->series()})
        connect(b, &QComboBox::currentIndexChanged, this, &FiltersPassive::design);
    // The load R of the LC forms is the one typed above.
    connect(r_.edit, &QLineEdit::textChanged, this, [this] {
        if (loaded(form()))
            design();
    });
    onRowPicked(table_, this, [this] {
        rowDrawn_ = true;
        draw();
    });
    tabChain(
        timing::around({form_, r_.edit, l_.edit, c_.edit, target_.edit, q_.edit, resistors_->series(),
                        resistors_->from(), resistors_->to(), inductors_->series(), inductors_->from(),
                        inductors_->to(), capacitors_->series(), capacitors_->from(), capacitors_->to(), table_, copy_},
                       views, {}));
    formChosen();
}

QWidget* FiltersPassive::firstField() const
{
    return r_.edit;
}

PassiveForm FiltersPassive::form() const
{
    return forms[std::max(0, form_->currentIndex())].form;
}

void FiltersPassive::formChosen()
{
    const PassiveForm f = form();
    l_.setEnabled(values::usesInductor(f));
    c_.setEnabled(values::usesCapacitor(f));
    q_.setEnabled(values::isSecondOrder(f));
    resistors_->setEnabled(!loaded(f));
    inductors_->setEnabled(values::usesInductor(f));
    capacitors_->setEnabled(values::usesCapacitor(f));
    r_.label->setText(loaded(f) ? tr("Load &R:") : tr("&Resistor:"));
    calculate();
    design();
}

void FiltersPassive::calculate()
{
    const PassiveForm f = form();
    const auto r = r_.read();
    const auto l = values::usesInductor(f) ? l_.read() : std::optional<values::Decimal>(values::Decimal{});
    const auto c = values::usesCapacitor(f) ? c_.read() : std::optional<values::Decimal>(values::Decimal{});
    rowDrawn_ = false;
    typed_.reset();
    if (r && l && c)
        typed_ = values::PassiveParts{r->nearestDouble(), l->nearestDouble(), c->nearestDouble()};
    const QLocale locale = this->locale();
    if (!typed_) {
        result_->clear();
    } else {
        const values::PassiveAnswer a = values::analysePassive(f, *typed_);
        QStringList points;
        for (const double hz : a.minus3dbHz)
            points << timing::shown(hz, QStringLiteral("Hz"), locale);
        QString text = values::isSecondOrder(f)
            ? tr("f0 %1, Q %2.").arg(timing::shown(a.f0Hz, QStringLiteral("Hz"), locale), figure(a.q, locale))
            : tr("Corner %1.").arg(timing::shown(a.f0Hz, QStringLiteral("Hz"), locale));
        text += u' ' + tr("3 dB down at %1.").arg(points.join(tr(" and ")));
        result_->setText(text);
    }
    draw();
}

void FiltersPassive::design()
{
    const PassiveForm f = form();
    const auto target = target_.read();
    const auto q = values::isSecondOrder(f) ? q_.read() : std::optional<values::Decimal>(values::Decimal{});
    const auto resistors =
        loaded(f) ? std::optional<std::vector<values::Decimal>>(std::vector<values::Decimal>{}) : resistors_->values();
    const auto inductors = values::usesInductor(f)
        ? inductors_->values()
        : std::optional<std::vector<values::Decimal>>(std::vector<values::Decimal>{});
    const auto capacitors = values::usesCapacitor(f)
        ? capacitors_->values()
        : std::optional<std::vector<values::Decimal>>(std::vector<values::Decimal>{});
    const auto load = loaded(f) ? r_.read() : std::optional<values::Decimal>(values::Decimal{});
    if (!target || !q || !resistors || !inductors || !capacitors || !load) {
        search_.cancel();
        designs_.clear();
        table_->setRowCount(0);
        status_->setText(loaded(f) && !load ? tr("Give the load R above.") : QString());
        draw();
        Q_EMIT designsShown();
        return;
    }
    const values::SectionGoal goal{target->nearestDouble(), q->nearestDouble()};
    status_->setText(tr("Searching..."));
    search_.run([f, goal, l = *load, rs = *resistors, ls = *inductors, cs = *capacitors](const std::stop_token& stop) {
        values::DesignBudget budget;
        Found found;
        found.designs = values::designPassive(f, goal, l, rs, ls, cs, 10, stop, &budget);
        found.limited = budget.limited;
        return found;
    });
}

void FiltersPassive::showDesigns(const Found& found)
{
    designs_ = found.designs;
    const PassiveForm f = form();
    const QLocale l = locale();
    table_->setRowCount(static_cast<int>(designs_.size()));
    int row = 0;
    for (const values::PassiveDesign& d : designs_) {
        const bool second = values::isSecondOrder(f);
        const auto none = [] { return cell(QStringLiteral("-")); };
        table_->setItem(row, 0, cell(timing::shown(d.r, QStringLiteral("Ω"), l)));
        table_->setItem(row, 1, values::usesInductor(f) ? cell(timing::shown(d.l, QStringLiteral("H"), l)) : none());
        table_->setItem(row, 2, values::usesCapacitor(f) ? cell(timing::shown(d.c, QStringLiteral("F"), l)) : none());
        table_->setItem(row, 3, filterfields::frequencyCell(d.f0Hz, l));
        table_->setItem(row, 4, second ? filterfields::figureCell(d.q, l) : none());
        table_->setItem(row, 5, filterfields::errorCell(d.f0ErrorPct, l));
        table_->setItem(row, 6, second ? filterfields::errorCell(d.qErrorPct, l) : none());
        ++row;
    }
    QString status = designs_.empty() ? tr("No parts of these ranges come near.") : QString();
    if (found.limited)
        status = tr("The search stopped at its limit: better parts may exist.");
    status_->setText(status);
    table_->selectionModel()->clear();
    rowDrawn_ = !designs_.empty();
    draw();
    Q_EMIT designsShown();
}

void FiltersPassive::draw()
{
    const PassiveForm f = form();
    const QLocale l = locale();
    const int row = rowDrawn_ ? drawnRow(*table_) : -1;
    const bool picked = row >= 0 && row < static_cast<int>(designs_.size());
    QString r;
    QString ind;
    QString c;
    std::optional<values::PassiveParts> parts;
    if (picked) {
        const values::PassiveDesign& d = designs_[static_cast<std::size_t>(row)];
        parts = d.parts;
        r = timing::shown(d.r, QStringLiteral("Ω"), l);
        ind = timing::shown(d.l, QStringLiteral("H"), l);
        c = timing::shown(d.c, QStringLiteral("F"), l);
    } else {
        parts = typed_;
        const auto typedText = [&l](const filterfields::Field& field, const QString& unit) {
            const auto v = field.read();
            return v ? timing::shown(*v, unit, l) : QString();
        };
        r = typedText(r_, QStringLiteral("Ω"));
        ind = typedText(l_, QStringLiteral("H"));
        c = typedText(c_, QStringLiteral("F"));
    }
    circuit_->setDrawing(filterdrawing::passive(f, r, ind, c));
    if (!parts) {
        plot_->setPlot({});
        return;
    }
    plot_->setPlot(plots::bode(values::passiveBiquad(f, *parts), values::analysePassive(f, *parts).minus3dbHz,
                               tr("The Bode plot of the %1").arg(form_->currentText()), l));
}

} // namespace tools
