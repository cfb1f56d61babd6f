// SPDX-License-Identifier: MIT
// Filters placed by hand on the drawing's grid, stage after stage along the signal line at y = 0;
// every length follows the labels beside it, so a long value pushes its neighbours aside.
#include "schematic/filters.h"

#include "schematic/builder.h"

#include <algorithm>

namespace schematic {

namespace {

using Side = Builder::Side;

constexpr double opampLength = 1.8;
constexpr double top = -2.8;    // the outer feedback path
constexpr double middle = -1.4; // the inner one (multiple feedback)
constexpr double shuntEnd = 2.6;

double along(const QString& label, double least = 2.4)
{
    return std::max(least, textSize(label).width() + 0.8);
}

QString at(const std::vector<QString>& labels, std::size_t i)
{
    return i < labels.size() ? labels[i] : QString();
}

// The op-amp's output: a wire from the tip to the stage's output node, which comes back to the
// signal line for the next stage. Returns the node's x.
double output(Builder& b, QPointF tip, double reach)
{
    const double x = std::max(tip.x() + 0.6, reach);
    b.wire(tip, {x, tip.y()});
    b.dot({x, tip.y()});
    b.wire({x, tip.y()}, {x, 0});
    return x;
}

// A follower's feedback, or the gain-setting RF and RG: below the op-amp from the output node
// back to the inverting input at (ox, 1).
void lowerFeedback(Builder& b, double ox, double node, const QString& rf, const QString& rg)
{
    const double join = ox - 0.5;
    b.wire({ox, 1.0}, {join, 1.0});
    b.wire({join, 1.0}, {join, 2.0});
    b.wire({node, 2.0}, {node, 0.5});
    if (rf.isEmpty()) {
        b.wire({join, 2.0}, {node, 2.0});
        return;
    }
    b.dot({join, 2.0});
    b.part(Symbol::Resistor, {join, 2.0}, {node, 2.0}, rf, Side::Below);
    b.part(Symbol::Resistor, {join, 2.0}, {join, 4.4}, rg, Side::Right);
    b.ground({join, 4.4});
}

// Sallen-Key: two series parts, the first's far end fed back over the top to the output, the
// second's to ground at the non-inverting input.
double sallenKey(Builder& b, double x0, const StageParts& s)
{
    const bool low = s.stage == Stage::SallenKeyLow || s.stage == Stage::SallenKeyEqualLow;
    const bool equal = s.stage == Stage::SallenKeyEqualLow || s.stage == Stage::SallenKeyEqualHigh;
    const Symbol seriesSymbol = low ? Symbol::Resistor : Symbol::Capacitor;
    const Symbol shuntSymbol = low ? Symbol::Capacitor : Symbol::Resistor;
    // Labels: low R1 R2 C1 C2, high C1 C2 R1 R2; RF RG after them.
    const QString first = at(s.labels, 0);
    const QString second = at(s.labels, 1);
    const QString feedback = at(s.labels, 2);
    const QString shunt = at(s.labels, 3);
    const double a = x0 + along(first);
    const double nodeB = a + along(second);
    b.part(seriesSymbol, {x0, 0}, {a, 0}, first, Side::Above);
    b.dot({a, 0});
    b.part(seriesSymbol, {a, 0}, {nodeB, 0}, second, Side::Above);
    b.dot({nodeB, 0});
    b.part(shuntSymbol, {nodeB, 0}, {nodeB, shuntEnd}, shunt, Side::Left);
    b.ground({nodeB, shuntEnd});
    const double ox = nodeB + (equal ? 1.4 : 1.0);
    b.wire({nodeB, 0}, {ox, 0});
    const QPointF tip = b.opamp({ox, 0}, opampLength, false);
    // The feedback part goes up from the first node to the top line, then across to the output.
    const QString rf = at(s.labels, 4);
    double reach = a + 0.42 + textSize(feedback).width() + 0.3;
    if (equal)
        reach = std::max(reach, ox - 0.5 + along(rf));
    const double node = output(b, tip, reach);
    lowerFeedback(b, ox, node, rf, at(s.labels, 5));
    b.part(shuntSymbol == Symbol::Capacitor ? Symbol::Capacitor : Symbol::Resistor, {a, 0}, {a, top}, feedback,
           Side::Right);
    b.wire({a, top}, {node, top});
    b.wire({node, top}, {node, 0});
    return node;
}

// Multiple feedback: the input part to a node grounded through the second, the third on to the
// inverting input, an outer path from the node and an inner one from the input to the output.
double multipleFeedback(Builder& b, double x0, const StageParts& s)
{
    const bool low = s.stage == Stage::MultipleFeedbackLow;
    // Labels: low R1 R2 R3 C1 C2, high C1 C2 C3 R1 R2.
    const QString in = at(s.labels, 0);
    const QString outer = at(s.labels, 1);
    const QString on = at(s.labels, 2);
    const QString shunt = at(s.labels, 3);
    const QString inner = at(s.labels, 4);
    const Symbol seriesSymbol = low ? Symbol::Resistor : Symbol::Capacitor;
    const Symbol otherSymbol = low ? Symbol::Capacitor : Symbol::Resistor;
    const double a = x0 + along(in);
    const double nodeB = a + along(on);
    b.part(seriesSymbol, {x0, 0}, {a, 0}, in, Side::Above);
    b.dot({a, 0});
    b.part(otherSymbol, {a, 0}, {a, shuntEnd}, shunt, Side::Left);
    b.ground({a, shuntEnd});
    b.part(seriesSymbol, {a, 0}, {nodeB, 0}, on, Side::Above);
    b.dot({nodeB, 0});
    const double ox = nodeB + 1.0;
    b.wire({nodeB, 0}, {ox, 0});
    const QPointF tip = b.opamp({ox, 0}, opampLength, true);
    b.wire({ox, 1.0}, {ox - 0.5, 1.0});
    b.ground({ox - 0.5, 1.0});
    const double reach = std::max(nodeB + along(inner), a + along(outer));
    const double node = output(b, tip, reach);
    b.wire({nodeB, 0}, {nodeB, middle});
    b.part(otherSymbol, {nodeB, middle}, {node, middle}, inner, Side::Above);
    b.dot({node, middle});
    b.wire({a, 0}, {a, top});
    b.part(seriesSymbol, {a, top}, {node, top}, outer, Side::Above);
    b.wire({node, top}, {node, 0});
    return node;
}

// A first-order RC before a follower.
double firstOrder(Builder& b, double x0, const StageParts& s)
{
    const bool low = s.stage == Stage::RcLow;
    const QString series = at(s.labels, 0);
    const QString shunt = at(s.labels, 1);
    const double nodeA = x0 + along(series);
    b.part(low ? Symbol::Resistor : Symbol::Capacitor, {x0, 0}, {nodeA, 0}, series, Side::Above);
    b.dot({nodeA, 0});
    b.part(low ? Symbol::Capacitor : Symbol::Resistor, {nodeA, 0}, {nodeA, shuntEnd}, shunt, Side::Left);
    b.ground({nodeA, shuntEnd});
    const double ox = nodeA + 1.0;
    b.wire({nodeA, 0}, {ox, 0});
    const QPointF tip = b.opamp({ox, 0}, opampLength, false);
    const double node = output(b, tip, 0);
    lowerFeedback(b, ox, node, {}, {});
    return node;
}

} // namespace

Drawing activeFilter(const std::vector<StageParts>& stages, const QString& description)
{
    if (stages.empty())
        return {};
    Builder b;
    b.terminal({0, 0}, QStringLiteral("in"), Side::Left);
    double x = 0.08;
    for (const StageParts& s : stages) {
        b.wire({x, 0}, {x + 0.4, 0});
        x += 0.4;
        switch (s.stage) {
        case Stage::RcLow:
        case Stage::RcHigh:
            x = firstOrder(b, x, s);
            break;
        case Stage::SallenKeyLow:
        case Stage::SallenKeyHigh:
        case Stage::SallenKeyEqualLow:
        case Stage::SallenKeyEqualHigh:
            x = sallenKey(b, x, s);
            break;
        case Stage::MultipleFeedbackLow:
        case Stage::MultipleFeedbackHigh:
            x = multipleFeedback(b, x, s);
            break;
        }
        b.dot({x, 0});
    }
    b.wire({x, 0}, {x + 0.6, 0});
    b.terminal({x + 0.68, 0}, QStringLiteral("out"), Side::Right);
    return b.finish(description);
}

Drawing ladder(const std::vector<Rung>& series, const std::vector<std::vector<Rung>>& branches,
               const QString& description)
{
    if (series.empty() || branches.empty())
        return {};
    Builder b;
    b.terminal({0, 0}, QStringLiteral("in"), Side::Left);
    double x = 0.08;
    for (const Rung& r : series) {
        const double next = x + along(r.label);
        b.part(r.symbol, {x, 0}, {next, 0}, r.label, Side::Above);
        x = next;
    }
    for (std::size_t i = 0; i < branches.size(); ++i) {
        double widest = 0;
        double y = 0;
        b.dot({x, 0});
        for (const Rung& r : branches[i]) {
            b.part(r.symbol, {x, y}, {x, y + 2.2}, r.label, Side::Right);
            widest = std::max(widest, textSize(r.label).width());
            y += 2.2;
        }
        b.ground({x, y});
        const double next = x + std::max(1.4, widest + 0.9);
        b.wire({x, 0}, {next - (i + 1 == branches.size() ? 0.08 : 0), 0});
        x = next;
    }
    b.terminal({x, 0}, QStringLiteral("out"), Side::Right);
    return b.finish(description);
}

} // namespace schematic
