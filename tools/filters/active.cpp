// SPDX-License-Identifier: MIT
#include "tools/filters/active.h"

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

struct ResponseChoice {
    const char* text;
    values::Response response;
    double rippleDb;
    const char* tip;
};
const ResponseChoice responses[] = {
    {QT_TRANSLATE_NOOP("tools::FiltersActive", "Butterworth"), values::Response::Butterworth, 0,
     QT_TRANSLATE_NOOP("tools::FiltersActive", "The flattest pass band, 3 dB down at the corner")},
    {QT_TRANSLATE_NOOP("tools::FiltersActive", "Bessel, -3 dB at the corner"), values::Response::Bessel, 0,
     QT_TRANSLATE_NOOP("tools::FiltersActive",
                       "The steadiest delay, so a step barely overshoots; scaled to be 3 dB down at the corner")},
    {QT_TRANSLATE_NOOP("tools::FiltersActive", "Bessel, delay-normalised"), values::Response::BesselDelay, 0,
     QT_TRANSLATE_NOOP("tools::FiltersActive",
                       "The steadiest delay, scaled to delay 1 / (2 π fc) at low frequencies: 3 dB down above the "
                       "corner")},
    {QT_TRANSLATE_NOOP("tools::FiltersActive", "Chebyshev 0.5 dB"), values::Response::Chebyshev, 0.5,
     QT_TRANSLATE_NOOP("tools::FiltersActive",
                       "A steeper fall for a pass band that ripples by 0.5 dB up to the corner")},
    {QT_TRANSLATE_NOOP("tools::FiltersActive", "Chebyshev 1 dB"), values::Response::Chebyshev, 1,
     QT_TRANSLATE_NOOP("tools::FiltersActive", "A steeper fall for a pass band that ripples by 1 dB up to the corner")},
    {QT_TRANSLATE_NOOP("tools::FiltersActive", "Chebyshev 3 dB"), values::Response::Chebyshev, 3,
     QT_TRANSLATE_NOOP("tools::FiltersActive", "A steeper fall for a pass band that ripples by 3 dB up to the corner")},
};

struct TopologyChoice {
    const char* text;
    const char* tip;
};
const TopologyChoice topologies[] = {
    {QT_TRANSLATE_NOOP("tools::FiltersActive", "Sallen-Key, unity gain"),
     QT_TRANSLATE_NOOP("tools::FiltersActive",
                       "Sallen-Key: two resistors and two capacitors round a follower; the capacitors' ratio sets Q")},
    {QT_TRANSLATE_NOOP("tools::FiltersActive", "Sallen-Key, equal parts"),
     QT_TRANSLATE_NOOP("tools::FiltersActive",
                       "Sallen-Key with equal resistors and equal capacitors; the gain 1 + RF / RG sets Q")},
    {QT_TRANSLATE_NOOP("tools::FiltersActive", "Multiple feedback"),
     QT_TRANSLATE_NOOP("tools::FiltersActive",
                       "MFB: an inverting stage of gain -1 with two feedback paths; Q varies less with the parts")},
};

// Each choice says what it is when pointed at, the list what is chosen.
void tips(QComboBox* box, const QStringList& tips)
{
    for (int i = 0; i < tips.size(); ++i)
        box->setItemData(i, tips[i], Qt::ToolTipRole);
    const auto follow = [box] { box->setToolTip(box->currentData(Qt::ToolTipRole).toString()); };
    QObject::connect(box, &QComboBox::currentIndexChanged, box, follow);
    follow();
}

QComboBox* choices(QWidget* parent, QGridLayout* grid, int row, const char* name, const QString& caption,
                   const QString& accessibleName, const QStringList& items)
{
    auto* box = named(new QComboBox(parent), name, accessibleName);
    box->addItems(items);
    grid->addWidget(labelFor(parent, QByteArray("lbl").append(QByteArray(name).mid(3)).constData(), caption, box), row,
                    0);
    grid->addWidget(box, row, 1, 1, 3);
    return box;
}

constexpr int partsColumn = 7;

using filterfields::figure;

} // namespace

FiltersActive::FiltersActive(QWidget* parent)
    : QWidget(parent)
    , summary_(timing::answerLabel(this, "lblFilterSummary", 5))
    , search_(this, [this](const Found& found) { show(found); })
{
    setObjectName(QStringLiteral("pageFiltersActive"));
    auto* grid = new QGridLayout;
    kind_ = choices(this, grid, 0, "cboFilterKind", tr("&Kind:"), tr("Low or high pass"),
                    {tr("Low pass"), tr("High pass")});
    QStringList names;
    QStringList responseTips;
    for (const ResponseChoice& r : responses) {
        names << tr(r.text);
        responseTips << tr(r.tip);
    }
    response_ = choices(this, grid, 1, "cboFilterResponse", tr("&Response:"), tr("Response"), names);
    tips(response_, responseTips);
    order_ = choices(this, grid, 2, "cboFilterOrder", tr("&Order:"), tr("Order"),
                     {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                      QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8")});
    order_->setCurrentIndex(3);
    corner_ = filterfields::makeField(this, "txtFilterCorner", tr("Cor&ner:"), Measure::Frequency,
                                      tr("Corner frequency"), QStringLiteral("1k"));
    corner_.label->setToolTip(tr("fc: where the response is 3 dB down (Butterworth, Bessel) or last leaves its "
                                 "ripple (Chebyshev)"));
    filterfields::addField(grid, 3, corner_);
    QStringList topologyNames;
    QStringList topologyTips;
    for (const TopologyChoice& t : topologies) {
        topologyNames << tr(t.text);
        topologyTips << tr(t.tip);
    }
    topology_ = choices(this, grid, 5, "cboFilterTopology", tr("Topolo&gy:"), tr("Topology"), topologyNames);
    tips(topology_, topologyTips);
    resistors_ = std::make_unique<filterfields::Range>(this, grid, 6, QStringLiteral("FilterR"), tr("R&esistors:"),
                                                       Measure::Resistance, values::Series::E24, "1k", "1M");
    capacitors_ = std::make_unique<filterfields::Range>(this, grid, 8, QStringLiteral("FilterC"), tr("C&apacitors:"),
                                                        Measure::Capacitance, values::Series::E12, "1n", "1u");
    rTolerance_ = filterfields::makePercent(this, "txtFilterRTolerance", tr("Re&sistor tolerance:"),
                                            tr("Resistor tolerance"), QStringLiteral("1"));
    filterfields::addField(grid, 10, rTolerance_);
    cTolerance_ = filterfields::makePercent(this, "txtFilterCTolerance", tr("Capacitor to&lerance:"),
                                            tr("Capacitor tolerance"), QStringLiteral("5"));
    filterfields::addField(grid, 12, cTolerance_);
    grid->setColumnStretch(3, 1);

    auto* filter = new QGroupBox(tr("Filter"), this);
    auto* left = new QVBoxLayout(filter);
    left->addLayout(grid);
    left->addWidget(summary_);
    left->addStretch();

    table_ = filterfields::makeTable(
        this, "tblFilterSections", tr("Stages"),
        {tr("Stage"), tr("Goal f0"), tr("Goal Q"), tr("f0"), tr("Q"), tr("f0 error"), tr("Q error"), tr("Parts")}, 4,
        {partsColumn});
    const QString headerTips[] = {
        {},
        tr("The pole frequency the response asks of the stage"),
        tr("The Q the response asks of the stage: how sharply it peaks at f0; a first-order stage has none"),
        tr("f0: the pole frequency the parts give, 1 / (2 π √(R1 R2 C1 C2))"),
        tr("Q: the quality factor the parts give, how sharply the stage peaks at f0"),
        tr("How far the parts' f0 lies from the goal, in percent"),
        tr("How far the parts' Q lies from the goal, in percent"),
        tr("The stage's parts, named along the cascade as drawn"),
    };
    for (int column = 1; column < table_->columnCount(); ++column)
        table_->horizontalHeaderItem(column)->setToolTip(headerTips[column]);
    copy_ = copyTableButton(this, table_, "cmdCopyFilterSections");

    plot_ = named(new PlotView(this), "plotFilter", tr("Response"));
    circuit_ = named(new CircuitView(this), "picFilter", tr("Circuit"));
    auto* views = named(new QTabWidget(this), "tabFilterViews", tr("Response and circuit"));
    views->addTab(plot_, tr("Response"));
    views->addTab(circuit_, tr("Circuit"));
    views->setUsesScrollButtons(false);

    auto* copyRow = new QHBoxLayout;
    copyRow->addStretch();
    copyRow->addWidget(copy_);
    auto* right = new QVBoxLayout;
    right->addWidget(table_);
    right->addLayout(copyRow);
    right->addWidget(views, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(filter);
    layout->addLayout(right, 1);

    for (QComboBox* box : {kind_, response_, order_, topology_, resistors_->series(), capacitors_->series()})
        connect(box, &QComboBox::currentIndexChanged, this, &FiltersActive::design);
    for (QLineEdit* e : {corner_.edit, resistors_->from(), resistors_->to(), capacitors_->from(), capacitors_->to(),
                         rTolerance_.edit, cTolerance_.edit})
        connect(e, &QLineEdit::textChanged, this, &FiltersActive::design);
    tabChain(timing::around({kind_, response_, order_, corner_.edit, topology_, resistors_->series(),
                             resistors_->from(), resistors_->to(), capacitors_->series(), capacitors_->from(),
                             capacitors_->to(), rTolerance_.edit, cTolerance_.edit, table_, copy_},
                            views, {}));
    design();
}

QWidget* FiltersActive::firstField() const
{
    return corner_.edit;
}

void FiltersActive::design()
{
    // Every field is read, so each shows its own message.
    const auto corner = corner_.read();
    const auto resistors = resistors_->values();
    const auto capacitors = capacitors_->values();
    const auto rTolerance = rTolerance_.read();
    const auto cTolerance = cTolerance_.read();
    if (!corner || !resistors || !capacitors || !rTolerance || !cTolerance) {
        clear();
        return;
    }
    const ResponseChoice& choice = responses[std::max(0, response_->currentIndex())];
    values::FilterGoal goal;
    goal.prototype = {choice.response, order_->currentIndex() + 1, choice.rippleDb};
    goal.pass = kind_->currentIndex() == 0 ? values::Pass::LowPass : values::Pass::HighPass;
    goal.topology = static_cast<values::FilterTopology>(std::max(0, topology_->currentIndex()));
    goal.fcHz = corner->nearestDouble();
    const values::Tolerances tolerances{rTolerance->nearestDouble(), cTolerance->nearestDouble()};
    summary_->setText(tr("Designing..."));
    search_.run([goal, tolerances, r = *resistors, c = *capacitors](const std::stop_token& stop) {
        values::DesignBudget budget;
        Found found;
        found.tolerances = tolerances;
        found.design = values::designFilter(goal, r, c, stop, &budget);
        found.limited = budget.limited;
        if (!found.design.sections.empty() && !stop.stop_requested())
            found.curves = values::filterCurves(found.design, tolerances);
        return found;
    });
}

void FiltersActive::show(const Found& found)
{
    const values::FilterDesign& d = found.design;
    const QLocale l = locale();
    table_->setRowCount(static_cast<int>(d.sections.size()));
    int row = 0;
    for (const values::SectionDesign& s : d.sections) {
        const bool first = values::isFirstOrder(s.circuit);
        QStringList parts;
        for (const values::SectionPart& p : s.parts)
            parts << QString::fromStdString(p.name) + u' ' + filterdrawing::valueText(p, l);
        const auto none = [] { return cell(QStringLiteral("-")); };
        table_->setItem(row, 0, cell(QString::number(row + 1)));
        table_->setItem(row, 1, filterfields::frequencyCell(s.goal.f0Hz, l));
        table_->setItem(row, 2, first ? none() : filterfields::figureCell(s.goal.q, l));
        table_->setItem(row, 3, filterfields::frequencyCell(s.f0Hz, l));
        table_->setItem(row, 4, first ? none() : filterfields::figureCell(s.q, l));
        table_->setItem(row, 5, filterfields::errorCell(s.f0ErrorPct, l));
        table_->setItem(row, 6, first ? none() : filterfields::errorCell(s.qErrorPct, l));
        table_->setItem(row, partsColumn, cell(parts.join(QStringLiteral(", ")), Qt::AlignLeft | Qt::AlignVCenter));
        ++row;
    }
    QStringList lines;
    if (d.sections.empty()) {
        lines << tr("No parts of these ranges make the filter.");
    } else {
        const double fc = d.goal.fcHz;
        const double gain = values::passBandGain(d);
        const values::Band atFc = values::filterBand(d, found.tolerances, std::array{fc});
        const auto db = [&l](double v) { return localised(values::decibelText(v), l); };
        if (std::abs(gain) != 1)
            lines << tr("Pass-band gain %1 (%2).").arg(figure(gain, l), db(values::decibels(gain)));
        lines << tr("At %1: %2 from the parts, %3 ideal; %4 to %5 over the tolerances.")
                     .arg(timing::shown(fc, QStringLiteral("Hz"), l),
                          db(values::decibels(values::designResponse(d, fc) / gain)),
                          db(values::decibels(values::idealResponse(d.goal, fc))), db(atFc.lowDb[0]),
                          db(atFc.highDb[0]));
        if (const auto half = values::halfPowerHz(d.goal, [&d](double f) { return values::designResponse(d, f); }))
            lines << tr("3 dB down at %1.").arg(timing::shown(*half, QStringLiteral("Hz"), l));
    }
    if (found.limited)
        lines << tr("The search stopped at its limit: better parts may exist.");
    summary_->setText(lines.join(u' '));
    plot_->setPlot(d.sections.empty() ? schematic::Plot{} : plots::filter(d, found.curves, l));
    circuit_->setDrawing(filterdrawing::active(d, l));
    Q_EMIT designShown();
}

void FiltersActive::clear()
{
    search_.cancel();
    table_->setRowCount(0);
    summary_->clear();
    plot_->setPlot({});
    circuit_->setDrawing({});
    Q_EMIT designShown();
}

} // namespace tools
