// SPDX-License-Identifier: MIT
#include "tools/filters/active.h"

#include "tools/circuitview.h"
#include "tools/filters/drawing.h"
#include "tools/form.h"
#include "tools/localised.h"
#include "tools/plots.h"
#include "tools/plotview.h"
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
};
const ResponseChoice responses[] = {
    {QT_TRANSLATE_NOOP("tools::FiltersActive", "Butterworth"), values::Response::Butterworth, 0},
    {QT_TRANSLATE_NOOP("tools::FiltersActive", "Bessel, -3 dB at the corner"), values::Response::Bessel, 0},
    {QT_TRANSLATE_NOOP("tools::FiltersActive", "Bessel, delay-normalised"), values::Response::BesselDelay, 0},
    {QT_TRANSLATE_NOOP("tools::FiltersActive", "Chebyshev 0.5 dB"), values::Response::Chebyshev, 0.5},
    {QT_TRANSLATE_NOOP("tools::FiltersActive", "Chebyshev 1 dB"), values::Response::Chebyshev, 1},
    {QT_TRANSLATE_NOOP("tools::FiltersActive", "Chebyshev 3 dB"), values::Response::Chebyshev, 3},
};

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

QString percentText(double p, const QLocale& locale)
{
    return localised((p > 0 ? "+" : "") + values::plain(p, 3) + " %", locale);
}

constexpr int partsColumn = 7;

QString figure(double v, const QLocale& locale)
{
    return localised(values::plain(v, 5), locale);
}

} // namespace

FiltersActive::FiltersActive(QWidget* parent)
    : QWidget(parent)
    , search_(this, [this](const Found& found) { show(found); })
{
    setObjectName(QStringLiteral("pageFiltersActive"));
    auto* grid = new QGridLayout;
    kind_ = choices(this, grid, 0, "cboFilterKind", tr("&Kind:"), tr("Low or high pass"),
                    {tr("Low pass"), tr("High pass")});
    QStringList names;
    for (const ResponseChoice& r : responses)
        names << tr(r.text);
    response_ = choices(this, grid, 1, "cboFilterResponse", tr("&Response:"), tr("Response"), names);
    order_ = choices(this, grid, 2, "cboFilterOrder", tr("&Order:"), tr("Order"),
                     {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                      QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8")});
    order_->setCurrentIndex(3);
    corner_ = filterfields::makeField(this, "txtFilterCorner", tr("Cor&ner:"), Measure::Frequency,
                                      tr("Corner frequency"), QStringLiteral("1k"));
    corner_.edit->setPlaceholderText(tr("e.g. 1k"));
    filterfields::addField(grid, 3, corner_);
    topology_ = choices(this, grid, 5, "cboFilterTopology", tr("Topolo&gy:"), tr("FilterTopology"),
                        {tr("Sallen-Key, unity gain"), tr("Sallen-Key, equal parts"), tr("Multiple feedback")});
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

    summary_ = filterfields::reservedLabel(this, QStringLiteral("lblFilterSummary"), 5);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* filter = new QGroupBox(tr("Filter"), this);
    auto* left = new QVBoxLayout(filter);
    left->addLayout(grid);
    left->addWidget(summary_);
    left->addStretch();

    table_ = filterfields::makeTable(
        this, "tblFilterSections", tr("Stages"),
        {tr("Stage"), tr("Goal f0"), tr("Goal Q"), tr("f0"), tr("Q"), tr("f0 error"), tr("Q error"), tr("Parts")}, 4);

    plot_ = named(new PlotView(this), "plotFilter", tr("Response"));
    circuit_ = named(new CircuitView(this), "picFilter", tr("Circuit"));
    auto* views = named(new QTabWidget(this), "tabFilterViews", tr("Response and circuit"));
    views->addTab(plot_, tr("Response"));
    views->addTab(circuit_, tr("Circuit"));

    auto* right = new QVBoxLayout;
    right->addWidget(table_);
    right->addWidget(views, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(filter);
    layout->addLayout(right, 1);

    for (QComboBox* box : {kind_, response_, order_, topology_, resistors_->series(), capacitors_->series()})
        connect(box, &QComboBox::currentIndexChanged, this, &FiltersActive::design);
    for (QLineEdit* e : {corner_.edit, resistors_->from(), resistors_->to(), capacitors_->from(), capacitors_->to(),
                         rTolerance_.edit, cTolerance_.edit})
        connect(e, &QLineEdit::textChanged, this, &FiltersActive::design);
    tabChain({kind_, response_, order_, corner_.edit, topology_, resistors_->series(), resistors_->from(),
              resistors_->to(), capacitors_->series(), capacitors_->from(), capacitors_->to(), rTolerance_.edit,
              cTolerance_.edit, table_, views, plot_->canvas(), plot_->dataButton(), plot_->copyButton(),
              circuit_->copyButton()});
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
        const QStringList cells = {QString::number(row + 1),
                                   timing::shown(s.goal.f0Hz, QStringLiteral("Hz"), l),
                                   first ? QStringLiteral("-") : figure(s.goal.q, l),
                                   timing::shown(s.f0Hz, QStringLiteral("Hz"), l),
                                   first ? QStringLiteral("-") : figure(s.q, l),
                                   percentText(s.f0ErrorPct, l),
                                   first ? QStringLiteral("-") : percentText(s.qErrorPct, l),
                                   parts.join(QStringLiteral(", "))};
        for (int column = 0; column < cells.size(); ++column)
            table_->setItem(
                row, column,
                cell(cells[column],
                     column == partsColumn ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter));
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
