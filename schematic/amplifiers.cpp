// SPDX-License-Identifier: MIT
#include "schematic/amplifiers.h"

#include "schematic/builder.h"

#include <algorithm>

namespace schematic {

namespace {

using Side = Builder::Side;

// The op-amp's triangle with its left edge at x, from y to y + height; the inputs a quarter of
// the height from either end, the inverting one on top when `minusOnTop`.
struct Triangle {
    QPointF minus;
    QPointF plus;
    QPointF out;
};

Triangle triangle(Builder& b, double x, double y, double height, bool minusOnTop)
{
    const double width = height * 0.9;
    QPainterPath strokes;
    strokes.moveTo(x, y);
    strokes.lineTo(x + width, y + height / 2);
    strokes.lineTo(x, y + height);
    strokes.closeSubpath();
    const double top = y + height / 4;
    const double bottom = y + height * 3 / 4;
    const double mark = 0.09;
    const double markX = x + 0.22;
    const double minusY = minusOnTop ? top : bottom;
    const double plusY = minusOnTop ? bottom : top;
    strokes.moveTo(markX - mark, minusY);
    strokes.lineTo(markX + mark, minusY);
    strokes.moveTo(markX - mark, plusY);
    strokes.lineTo(markX + mark, plusY);
    strokes.moveTo(markX, plusY - mark);
    strokes.lineTo(markX, plusY + mark);
    b.outline(strokes, {}, QStringLiteral("op-amp"));
    return {{x, minusY}, {x, plusY}, {x + width, y + height / 2}};
}

double lengthFor(const QString& text, double least)
{
    return std::max(least, textSize(text).width() + 0.6);
}

QString aLoad(const QString& load)
{
    return load.isEmpty() ? QStringLiteral("a load") : QStringLiteral("a load of %1").arg(load);
}

} // namespace

Drawing opAmp(OpAmp circuit, const QString& rf, const QString& rg, const QString& balance)
{
    Builder b;
    const QString rfText = named(QStringLiteral("Rf"), rf);
    const QString rgText = named(QStringLiteral("Rg"), rg);
    const QString rbText = named(QStringLiteral("Rb"), balance);
    if (circuit == OpAmp::NonInverting) {
        // The input into +, Rf over the op-amp's lower half back to -, Rg from - to ground.
        const double x = balance.isEmpty() ? 1.6 : lengthFor(rbText, 2.0) + 0.2;
        const Triangle t = triangle(b, x, 0, 2, false);
        b.terminal({0, t.plus.y()}, QStringLiteral("in"), Side::Left);
        if (balance.isEmpty())
            b.wire({0.08, t.plus.y()}, t.plus);
        else
            b.part(Symbol::Resistor, {0.08, t.plus.y()}, t.plus, rbText, Side::Above);
        const double node = x - 0.5;
        const double below = 3.2;
        const double out = std::max(t.out.x() + 0.8, node + lengthFor(rfText, 2.4));
        b.wire(t.minus, {node, t.minus.y()});
        b.wire({node, t.minus.y()}, {node, below});
        b.dot({node, below});
        b.part(Symbol::Resistor, {node, below}, {out, below}, rfText, Side::Below);
        b.wire({out, below}, {out, t.out.y()});
        b.wire(t.out, {out + 1.0 - 0.08, t.out.y()});
        b.dot({out, t.out.y()});
        b.terminal({out + 1.0, t.out.y()}, QStringLiteral("out"), Side::Right);
        b.part(Symbol::Resistor, {node, below}, {node, below + 2.2}, rgText, Side::Left);
        b.ground({node, below + 2.2});
        QString words = QStringLiteral("A non-inverting amplifier: the input to +, Rf %1 from the output to -, Rg %2 "
                                       "from - to ground")
                            .arg(given(rf), given(rg));
        if (!balance.isEmpty())
            words += QStringLiteral(", Rb %1 in series with the input").arg(balance);
        return b.finish(words);
    }

    // Rg from the input to -, Rf from the output over the op-amp back to -.
    const bool difference = circuit == OpAmp::Difference;
    const double length = lengthFor(rgText, 2.2);
    const double node = length + 0.1;
    const double x = node + 0.6;
    const Triangle t = triangle(b, x, 0, difference ? 3.2 : 2, true);
    b.terminal({0, t.minus.y()}, difference ? QStringLiteral("V-") : QStringLiteral("in"), Side::Left);
    b.part(Symbol::Resistor, {0.08, t.minus.y()}, {node, t.minus.y()}, rgText, Side::Below);
    b.dot({node, t.minus.y()});
    b.wire({node, t.minus.y()}, t.minus);
    const double above = -1.3;
    const double out = std::max(t.out.x() + 0.8, node + lengthFor(rfText, 2.4));
    b.wire({node, t.minus.y()}, {node, above});
    b.part(Symbol::Resistor, {node, above}, {out, above}, rfText, Side::Above);
    b.wire({out, above}, {out, t.out.y()});
    b.dot({out, t.out.y()});
    b.wire(t.out, {out + 1.0 - 0.08, t.out.y()});
    b.terminal({out + 1.0, t.out.y()}, QStringLiteral("out"), Side::Right);
    if (!difference) {
        const double g = t.plus.x() - 0.3;
        b.wire(t.plus, {g, t.plus.y()});
        if (balance.isEmpty()) {
            b.wire({g, t.plus.y()}, {g, t.plus.y() + 0.6});
            b.ground({g, t.plus.y() + 0.6});
        } else {
            b.part(Symbol::Resistor, {g, t.plus.y()}, {g, t.plus.y() + 2.2}, rbText, Side::Right);
            b.ground({g, t.plus.y() + 2.2});
        }
        QString words =
            QStringLiteral("An inverting amplifier: Rg %1 from the input to -, Rf %2 from the output to -, + to ground")
                .arg(given(rg), given(rf));
        if (!balance.isEmpty())
            words += QStringLiteral(" through Rb %1").arg(balance);
        return b.finish(words);
    }
    // The second pair: Rg from V+ to +, Rf from + to ground.
    b.terminal({0, t.plus.y()}, QStringLiteral("V+"), Side::Left);
    b.part(Symbol::Resistor, {0.08, t.plus.y()}, {node, t.plus.y()}, rgText, Side::Above);
    b.dot({node, t.plus.y()});
    b.wire({node, t.plus.y()}, t.plus);
    b.part(Symbol::Resistor, {node, t.plus.y()}, {node, t.plus.y() + 2.4}, rfText, Side::Left);
    b.ground({node, t.plus.y() + 2.4});
    return b.finish(QStringLiteral("A difference amplifier: Rg %1 from V- to -, Rf %2 from the output to -, Rg %1 "
                                   "from V+ to +, Rf %2 from + to ground")
                        .arg(given(rg), given(rf)));
}

Drawing adjustableRegulator(const QString& r1, const QString& r2, const QString& output)
{
    Builder b;
    const QString r1Text = named(QStringLiteral("R1"), r1);
    const QString r2Text = named(QStringLiteral("R2"), r2);
    const QString name = QStringLiteral("regulator");
    const double width =
        textSize(QStringLiteral("IN")).width() + textSize(QStringLiteral("OUT")).width() + textSize(name).width() + 0.8;
    const QRectF chip(1.2, 0, width, 1.6);
    const double pins = 0.4;
    b.chip(chip, name);
    b.pin(chip, {chip.left(), pins}, QStringLiteral("IN"));
    b.pin(chip, {chip.right(), pins}, QStringLiteral("OUT"));
    b.pin(chip, {chip.center().x(), chip.bottom()}, QStringLiteral("ADJ"));
    b.terminal({0, pins}, QStringLiteral("in"), Side::Left);
    b.wire({0.08, pins}, {chip.left(), pins});
    const double node = chip.right() + 1.2;
    b.wire({chip.right(), pins}, {node, pins});
    b.dot({node, pins});
    b.wire({node, pins}, {node + 1.2 - 0.08, pins});
    b.terminal({node + 1.2, pins}, output, Side::Right);
    const double adj = 3.0;
    b.part(Symbol::Resistor, {node, pins}, {node, adj}, r1Text, Side::Right);
    b.dot({node, adj});
    b.wire({chip.center().x(), chip.bottom()}, {chip.center().x(), adj});
    b.wire({chip.center().x(), adj}, {node, adj});
    b.part(Symbol::Resistor, {node, adj}, {node, adj + 2.4}, r2Text, Side::Right);
    b.ground({node, adj + 2.4});
    return b.finish(QStringLiteral("An adjustable regulator: R1 %1 from OUT to ADJ, R2 %2 from ADJ to ground, %3")
                        .arg(given(r1), given(r2), output));
}

Drawing shuntReference(const QString& r1, const QString& r2, const QString& output)
{
    Builder b;
    const QString r1Text = named(QStringLiteral("R1"), r1);
    const QString r2Text = named(QStringLiteral("R2"), r2);
    const double shunt = 0.6;
    const double divider = 2.4;
    const double ref = 2.3;
    const double bottom = 4.6;
    b.terminal({0, 0}, output, Side::Left);
    b.wire({0.08, 0}, {divider, 0});
    b.dot({shunt, 0});
    // Cathode on top: drawn from the anode up.
    const QRectF body =
        b.part(Symbol::Zener, {shunt, bottom}, {shunt, 0}, QStringLiteral("shunt reference"), Side::Left);
    b.wire({body.right(), ref}, {divider, ref});
    b.label(QRectF(body.right(), ref - 0.05, divider - body.right(), 0.1), QStringLiteral("REF"), Side::Above);
    b.part(Symbol::Resistor, {divider, 0}, {divider, ref}, r2Text, Side::Right);
    b.dot({divider, ref});
    b.part(Symbol::Resistor, {divider, ref}, {divider, bottom}, r1Text, Side::Right);
    b.wire({shunt, bottom}, {divider, bottom});
    b.ground({(shunt + divider) / 2, bottom});
    return b.finish(QStringLiteral("A shunt reference from %1 to ground: R2 %2 from the output to REF, R1 %3 from "
                                   "REF to ground")
                        .arg(output, given(r2), given(r1)));
}

Drawing zenerShunt(const QString& supply, const QString& r, const QString& zener, const QString& load)
{
    Builder b;
    const QString rText = named(QStringLiteral("R"), r);
    const QString loadText = named(QStringLiteral("load"), load);
    const double node = lengthFor(rText, 2.4);
    const double loadX = node + std::max(1.6, textSize(zener).width() + 0.7);
    const double bottom = 2.4;
    b.terminal({0, 0}, supply, Side::Left);
    b.part(Symbol::Resistor, {0.08, 0}, {node, 0}, rText, Side::Above);
    b.dot({node, 0});
    b.part(Symbol::Zener, {node, bottom}, {node, 0}, zener, Side::Right);
    b.wire({node, 0}, {loadX, 0});
    b.part(Symbol::Resistor, {loadX, 0}, {loadX, bottom}, loadText, Side::Right);
    b.wire({node, bottom}, {loadX, bottom});
    b.dot({node, bottom});
    b.ground({node, bottom});
    return b.finish(QStringLiteral("From %1 through R %2 to %3 and %4")
                        .arg(supply, given(r),
                             zener.isEmpty() ? QStringLiteral("a Zener") : QStringLiteral("a Zener of %1").arg(zener),
                             aLoad(load)));
}

namespace {

// A transistor's body in a circle, its control lead coming in from the left at `at`; the upper
// lead ends at `top`, the lower at `bottom`, both on x = at.x() + 0.6.
struct Transistor {
    QPointF top;
    QPointF bottom;
};

Transistor transistor(Builder& b, QPointF at, bool mosfet)
{
    QPainterPath strokes;
    QPainterPath fills;
    const double x = at.x();
    const double y = at.y();
    const double right = x + 0.6;
    strokes.addEllipse(QPointF(x + 0.35, y), 0.45, 0.45);
    if (!mosfet) {
        strokes.moveTo(x, y);
        strokes.lineTo(x + 0.18, y);
        strokes.moveTo(x + 0.18, y - 0.25);
        strokes.lineTo(x + 0.18, y + 0.25);
        strokes.moveTo(x + 0.18, y - 0.1);
        strokes.lineTo(right, y - 0.4);
        strokes.lineTo(right, y - 0.6);
        strokes.moveTo(x + 0.18, y + 0.1);
        strokes.lineTo(right, y + 0.4);
        strokes.lineTo(right, y + 0.6);
        // The emitter's arrow, pointing out.
        QPolygonF head;
        head << QPointF(right, y + 0.4) << QPointF(right - 0.16, y + 0.38) << QPointF(right - 0.07, y + 0.26);
        fills.addPolygon(head);
        fills.closeSubpath();
        b.outline(strokes, fills, QStringLiteral("NPN transistor"));
        return {{right, y - 0.6}, {right, y + 0.6}};
    }
    // Gate, the channel in three pieces, drain on top and source below, the arrow into the channel.
    strokes.moveTo(x, y);
    strokes.lineTo(x + 0.12, y);
    strokes.moveTo(x + 0.12, y - 0.25);
    strokes.lineTo(x + 0.12, y + 0.25);
    for (const double dy : {-0.2, 0.0, 0.2}) {
        strokes.moveTo(x + 0.22, y + dy - 0.07);
        strokes.lineTo(x + 0.22, y + dy + 0.07);
        strokes.moveTo(x + 0.22, y + dy);
        strokes.lineTo(right, y + dy);
    }
    strokes.moveTo(right, y - 0.2);
    strokes.lineTo(right, y - 0.6);
    strokes.moveTo(right, y + 0.2);
    strokes.lineTo(right, y + 0.6);
    strokes.moveTo(right, y);
    strokes.lineTo(right, y + 0.2);
    QPolygonF head;
    head << QPointF(x + 0.24, y) << QPointF(x + 0.38, y - 0.06) << QPointF(x + 0.38, y + 0.06);
    fills.addPolygon(head);
    fills.closeSubpath();
    b.outline(strokes, fills, QStringLiteral("N-MOSFET"));
    return {{right, y - 0.6}, {right, y + 0.6}};
}

} // namespace

Drawing bjtSwitch(const QString& drive, const QString& rb, const QString& load)
{
    Builder b;
    const QString rbText = named(QStringLiteral("RB"), rb);
    const QString loadText = named(QStringLiteral("load"), load);
    const double base = lengthFor(rbText, 2.2);
    const double y = 2.8;
    b.terminal({0, y}, drive, Side::Left);
    b.part(Symbol::Resistor, {0.08, y}, {base, y}, rbText, Side::Above);
    const Transistor t = transistor(b, {base, y}, false);
    b.supply({t.top.x(), 0}, QStringLiteral("V+"));
    b.part(Symbol::Resistor, {t.top.x(), 0}, t.top, loadText, Side::Right);
    b.ground(t.bottom);
    return b.finish(QStringLiteral("An NPN transistor switching %1 to ground, its base driven from %2 through RB %3")
                        .arg(aLoad(load), drive, given(rb)));
}

Drawing mosfetSwitch(const QString& drive, const QString& rg, const QString& pullDown, const QString& load)
{
    Builder b;
    const QString rgText = named(QStringLiteral("RG"), rg);
    const QString pullText = named(QStringLiteral("RPD"), pullDown);
    const QString loadText = named(QStringLiteral("load"), load);
    const double node = lengthFor(rgText, 2.2);
    const double gate = node + 0.5;
    const double y = 2.8;
    b.terminal({0, y}, drive, Side::Left);
    b.part(Symbol::Resistor, {0.08, y}, {node, y}, rgText, Side::Above);
    b.dot({node, y});
    b.wire({node, y}, {gate, y});
    const Transistor t = transistor(b, {gate, y}, true);
    b.part(Symbol::Resistor, {node, y}, {node, y + 2.2}, pullText, Side::Left);
    b.ground({node, y + 2.2});
    b.supply({t.top.x(), 0}, QStringLiteral("V+"));
    b.part(Symbol::Resistor, {t.top.x(), 0}, t.top, loadText, Side::Right);
    b.ground(t.bottom);
    return b.finish(QStringLiteral("An N-MOSFET switching %1 to ground, its gate driven from %2 through RG %3, RPD %4 "
                                   "from gate to ground")
                        .arg(aLoad(load), drive, given(rg), given(pullDown)));
}

Drawing heatPath(const QString& junction, const QString& jc, const QString& cs, const QString& sa,
                 const QString& ambient)
{
    Builder b;
    const QString texts[] = {named(QStringLiteral("θJC"), jc), named(QStringLiteral("θCS"), cs),
                             named(QStringLiteral("θSA"), sa)};
    const QString nodes[] = {QStringLiteral("case"), QStringLiteral("heat sink")};
    b.terminal({0, 0}, junction, Side::Left);
    double x = 0.08;
    for (int i = 0; i < 3; ++i) {
        const double next = x + lengthFor(texts[i], 2.2);
        b.part(Symbol::Resistor, {x, 0}, {next, 0}, texts[i], Side::Above);
        x = next;
        if (i < 2) {
            b.dot({x, 0});
            b.label(QRectF(x - 0.1, -0.1, 0.2, 0.2), nodes[i], Side::Below);
        }
    }
    b.terminal({x + 0.08, 0}, ambient, Side::Right);
    return b.finish(QStringLiteral("Heat from the junction, %1, through θJC %2 to the case, θCS %3 to the heat sink "
                                   "and θSA %4 to the air, %5")
                        .arg(junction, given(jc), given(cs), given(sa), ambient));
}

} // namespace schematic
