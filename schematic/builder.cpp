// SPDX-License-Identifier: MIT
#include "schematic/builder.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>

#include <algorithm>

namespace schematic {

namespace {

void arrow(QPainterPath& strokes, QPainterPath& fills, QPointF from, QPointF to)
{
    strokes.moveTo(from);
    strokes.lineTo(to);
    const QPointF d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    const QPointF n(-d.y(), d.x());
    QPolygonF head;
    head << to << to - d * 0.1 + n * 0.05 << to - d * 0.1 - n * 0.05;
    fills.addPolygon(head);
    fills.closeSubpath();
}

} // namespace

// A text's size in units, from the application's font: the view paints in the window's font,
// which may differ a little, and fits each text to this box then.
QSizeF textSize(const QString& text)
{
    if (text.isEmpty())
        return {0, 0};
    if (!QGuiApplication::instance())
        return {0.6 * em * static_cast<double>(text.size()), 1.2 * em};
    const QFont font = QGuiApplication::font();
    const QFontMetricsF metrics(font);
    const double pixels = std::max(1.0, metrics.ascent() + metrics.descent() - 1.0);
    const double unit = em / std::max(1.0, static_cast<double>(QFontInfo(font).pixelSize()));
    // A little slack: the painting font may run wider than the one measured here.
    return {metrics.horizontalAdvance(text) * unit * 1.08 + 0.06, std::max(pixels * unit, 1.1 * em)};
}

QRectF bodyRect(Symbol symbol)
{
    switch (symbol) {
    case Symbol::Resistor:
        return {-0.5, -0.17, 1.0, 0.34};
    case Symbol::Capacitor:
    case Symbol::PolarisedCapacitor:
        return {-0.5, -0.3, 1.0, 0.6};
    case Symbol::Inductor:
        return {-0.5, -0.16, 1.0, 0.2};
    case Symbol::Diode:
    case Symbol::Zener:
        return {-0.5, -0.22, 1.0, 0.44};
    case Symbol::Led:
        return {-0.5, -0.62, 1.0, 0.84};
    }
    return {-0.5, -0.2, 1.0, 0.4};
}

QPainterPath resistorShape(ResistorStyle style)
{
    QPainterPath path;
    if (style == ResistorStyle::Box) {
        path.addRect(-0.5, -0.15, 1.0, 0.3);
    } else {
        path.moveTo(-0.5, 0);
        constexpr int peaks = 6;
        for (int i = 0; i < peaks; ++i)
            path.lineTo(-0.5 + (i + 0.5) / peaks, i % 2 == 0 ? -0.15 : 0.15);
        path.lineTo(0.5, 0);
    }
    return path;
}

void symbolShape(Symbol symbol, QPainterPath& strokes, QPainterPath& fills)
{
    switch (symbol) {
    case Symbol::Resistor:
        strokes.addPath(resistorShape(resistorStyle()));
        return;
    case Symbol::Capacitor:
    case Symbol::PolarisedCapacitor:
        strokes.moveTo(-0.5, 0);
        strokes.lineTo(-0.08, 0);
        strokes.moveTo(0.08, 0);
        strokes.lineTo(0.5, 0);
        strokes.moveTo(-0.08, -0.28);
        strokes.lineTo(-0.08, 0.28);
        if (symbol == Symbol::Capacitor) {
            strokes.moveTo(0.08, -0.28);
            strokes.lineTo(0.08, 0.28);
        } else {
            // The negative plate filled, the positive one marked with a plus.
            fills.addRect(0.06, -0.28, 0.08, 0.56);
            strokes.moveTo(-0.34, -0.2);
            strokes.lineTo(-0.2, -0.2);
            strokes.moveTo(-0.27, -0.27);
            strokes.lineTo(-0.27, -0.13);
        }
        return;
    case Symbol::Inductor:
        strokes.moveTo(-0.5, 0);
        for (int i = 0; i < 4; ++i)
            strokes.arcTo(QRectF(-0.5 + 0.25 * i, -0.125, 0.25, 0.25), 180, -180);
        return;
    case Symbol::Diode:
    case Symbol::Zener:
    case Symbol::Led: {
        strokes.moveTo(-0.5, 0);
        strokes.lineTo(-0.18, 0);
        strokes.moveTo(0.18, 0);
        strokes.lineTo(0.5, 0);
        QPolygonF triangle;
        triangle << QPointF(-0.18, -0.2) << QPointF(0.18, 0) << QPointF(-0.18, 0.2) << QPointF(-0.18, -0.2);
        fills.addPolygon(triangle);
        fills.closeSubpath();
        strokes.moveTo(0.18, -0.2);
        strokes.lineTo(0.18, 0.2);
        if (symbol == Symbol::Zener) {
            // The cathode's bar with its ends bent, as IEC 60617 draws it.
            strokes.moveTo(0.18, -0.2);
            strokes.lineTo(0.1, -0.2);
            strokes.moveTo(0.18, 0.2);
            strokes.lineTo(0.26, 0.2);
        }
        if (symbol == Symbol::Led) {
            arrow(strokes, fills, {-0.04, -0.28}, {0.14, -0.58});
            arrow(strokes, fills, {0.16, -0.28}, {0.34, -0.58});
        }
        return;
    }
    }
}

QString named(const QString& name, const QString& value)
{
    return value.isEmpty() ? name : name + u' ' + value;
}

QString given(const QString& value)
{
    return value.isEmpty() ? QStringLiteral("not given") : value;
}

} // namespace schematic
