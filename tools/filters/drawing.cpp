// SPDX-License-Identifier: MIT
#include "tools/filters/drawing.h"

#include "schematic/filters.h"
#include "tools/timing/fields.h"

#include <QCoreApplication>
#include <QStringList>

namespace tools::filterdrawing {

namespace {

using schematic::Rung;
using schematic::Stage;
using schematic::Symbol;

QString tr(const char* text)
{
    return QCoreApplication::translate("tools::filterdrawing", text);
}

Stage stageOf(values::Circuit c)
{
    switch (c) {
    case values::Circuit::RcLow:
        return Stage::RcLow;
    case values::Circuit::RcHigh:
        return Stage::RcHigh;
    case values::Circuit::SallenKeyLow:
        return Stage::SallenKeyLow;
    case values::Circuit::SallenKeyHigh:
        return Stage::SallenKeyHigh;
    case values::Circuit::SallenKeyEqualLow:
        return Stage::SallenKeyEqualLow;
    case values::Circuit::SallenKeyEqualHigh:
        return Stage::SallenKeyEqualHigh;
    case values::Circuit::MultipleFeedbackLow:
        return Stage::MultipleFeedbackLow;
    case values::Circuit::MultipleFeedbackHigh:
        return Stage::MultipleFeedbackHigh;
    }
    return Stage::RcLow;
}

QString stageName(values::Circuit c)
{
    switch (c) {
    case values::Circuit::RcLow:
    case values::Circuit::RcHigh:
        return tr("an RC and a follower");
    case values::Circuit::SallenKeyLow:
    case values::Circuit::SallenKeyHigh:
        return tr("a Sallen-Key stage");
    case values::Circuit::SallenKeyEqualLow:
    case values::Circuit::SallenKeyEqualHigh:
        return tr("a Sallen-Key stage of equal parts");
    case values::Circuit::MultipleFeedbackLow:
    case values::Circuit::MultipleFeedbackHigh:
        return tr("a multiple-feedback stage");
    }
    return {};
}

QString labelled(const QString& name, const QString& value)
{
    return value.isEmpty() ? name : name + u' ' + value;
}

QString given(const QString& value)
{
    return value.isEmpty() ? tr("not given") : value;
}

} // namespace

QString valueText(const values::SectionPart& part, const QLocale& locale)
{
    return timing::shown(part.value, values::isCapacitor(part.name) ? QStringLiteral("F") : QStringLiteral("Ω"),
                         locale);
}

schematic::Drawing active(const values::FilterDesign& design, const QLocale& locale)
{
    std::vector<schematic::StageParts> stages;
    QStringList words;
    for (const values::SectionDesign& s : design.sections) {
        schematic::StageParts stage{stageOf(s.circuit), {}};
        QStringList parts;
        for (const values::SectionPart& p : s.parts) {
            const QString text = QString::fromStdString(p.name) + u' ' + valueText(p, locale);
            stage.labels.push_back(text);
            parts << text;
        }
        stages.push_back(std::move(stage));
        words << QStringLiteral("%1 (%2)").arg(stageName(s.circuit), parts.join(QStringLiteral(", ")));
    }
    const bool low = design.goal.pass == values::Pass::LowPass;
    return schematic::activeFilter(stages,
                                   (low ? tr("A low pass of %1 stages: %2") : tr("A high pass of %1 stages: %2"))
                                       .arg(stages.size())
                                       .arg(words.join(QStringLiteral(", then "))));
}

schematic::Drawing passive(values::PassiveForm form, const QString& r, const QString& l, const QString& c)
{
    using F = values::PassiveForm;
    const Rung R{Symbol::Resistor, labelled(QStringLiteral("R"), r)};
    const Rung L{Symbol::Inductor, labelled(QStringLiteral("L"), l)};
    const Rung C{Symbol::Capacitor, labelled(QStringLiteral("C"), c)};
    std::vector<Rung> series;
    std::vector<std::vector<Rung>> branches;
    QString words;
    switch (form) {
    case F::RcLow:
        series = {R};
        branches = {{C}};
        words = tr("R %1 from in to out, C %2 from out to ground").arg(given(r), given(c));
        break;
    case F::RcHigh:
        series = {C};
        branches = {{R}};
        words = tr("C %1 from in to out, R %2 from out to ground").arg(given(c), given(r));
        break;
    case F::RlLow:
        series = {L};
        branches = {{R}};
        words = tr("L %1 from in to out, R %2 from out to ground").arg(given(l), given(r));
        break;
    case F::RlHigh:
        series = {R};
        branches = {{L}};
        words = tr("R %1 from in to out, L %2 from out to ground").arg(given(r), given(l));
        break;
    case F::LcLow:
        series = {L};
        branches = {{C}, {R}};
        words = tr("L %1 from in to out, C %2 and the load R %3 from out to ground").arg(given(l), given(c), given(r));
        break;
    case F::LcHigh:
        series = {C};
        branches = {{L}, {R}};
        words = tr("C %1 from in to out, L %2 and the load R %3 from out to ground").arg(given(c), given(l), given(r));
        break;
    case F::LcBand:
        series = {R};
        branches = {{L}, {C}};
        words = tr("R %1 from in to out, L %2 and C %3 from out to ground").arg(given(r), given(l), given(c));
        break;
    case F::RlcLow:
        series = {R, L};
        branches = {{C}};
        words = tr("R %1 and L %2 in series from in to out, C %3 from out to ground").arg(given(r), given(l), given(c));
        break;
    case F::RlcHigh:
        series = {R, C};
        branches = {{L}};
        words = tr("R %1 and C %2 in series from in to out, L %3 from out to ground").arg(given(r), given(c), given(l));
        break;
    case F::RlcBand:
        series = {L, C};
        branches = {{R}};
        words = tr("L %1 and C %2 in series from in to out, R %3 from out to ground").arg(given(l), given(c), given(r));
        break;
    case F::RlcNotch:
        series = {R};
        branches = {{L, C}};
        words = tr("R %1 from in to out, L %2 and C %3 in series from out to ground").arg(given(r), given(l), given(c));
        break;
    }
    return schematic::ladder(series, branches, words);
}

} // namespace tools::filterdrawing
