// SPDX-License-Identifier: MIT
#pragma once

#include "schematic/schematic.h"

#include <QPainterPath>
#include <QTransform>

#include <cmath>
#include <utility>

// What the network layout and the fixed circuits share, inside this folder only: the drawing's
// units, the symbols' shapes, and the Builder that places them into a Drawing.
namespace schematic {

// The drawing's unit is about a symbol's length; texts are this many units high (the font's
// pixel size), which sets how large every drawing comes out beside a window's own text.
inline constexpr double em = 0.36;
inline constexpr double gap = 0.12; // between a symbol and its label
inline constexpr double dotRadius = 0.075;
inline constexpr double margin = 0.25; // around the whole drawing

// A text's size in units.
QSizeF textSize(const QString& text);
// A symbol's outline along the x axis, from (-0.5, 0) to (0.5, 0), y down as on the screen.
QRectF bodyRect(Symbol symbol);
QPainterPath resistorShape(ResistorStyle style);
// Every symbol but the resistor, whose style is chosen when it is painted.
void symbolShape(Symbol symbol, QPainterPath& strokes, QPainterPath& fills);
// "R1 4.7 kΩ", or "R1" while there is no value.
QString named(const QString& name, const QString& value);
// A value in a drawing's words: as the tool writes it, or "not given" while there is none.
QString given(const QString& value);

// Places symbols, wires and texts in the drawing's units and keeps what tests check.
class Builder {
public:
    enum class Side { Above, Below, Left, Right };

    void wire(QPointF a, QPointF b)
    {
        d.strokes_.moveTo(a);
        d.strokes_.lineTo(b);
    }
    void dot(QPointF p) { d.fills_.addEllipse(p, dotRadius, dotRadius); }

    // An open circle where the circuit meets the outside, with its name beside it.
    void terminal(QPointF p, const QString& name = {}, Side side = Side::Left)
    {
        d.strokes_.addEllipse(p, 0.08, 0.08);
        if (!name.isEmpty())
            label(QRectF(p - QPointF(0.1, 0.1), QSizeF(0.2, 0.2)), name, side);
    }

    // A part from a to b (horizontal or vertical), its body in the middle, leads to both ends;
    // for diodes and LEDs a is the anode, for an electrolytic the positive end.
    QRectF part(Symbol symbol, QPointF a, QPointF b, const QString& text, Side side)
    {
        const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
        const QPointF dir = (b - a) / length;
        const QPointF centre = (a + b) / 2;
        const QTransform t(dir.x(), dir.y(), -dir.y(), dir.x(), centre.x(), centre.y());
        if (symbol == Symbol::Resistor) {
            d.resistors_.push_back(t);
        } else {
            QPainterPath strokes;
            QPainterPath fills;
            symbolShape(symbol, strokes, fills);
            d.strokes_.addPath(t.map(strokes));
            d.fills_.addPath(t.map(fills));
        }
        wire(a, t.map(QPointF(-0.5, 0)));
        wire(t.map(QPointF(0.5, 0)), b);
        const QRectF body = t.mapRect(bodyRect(symbol));
        d.symbols_.push_back({body, text});
        if (!text.isEmpty())
            label(body, text, side);
        return body;
    }

    // A label beside a rectangle, clear of it.
    QRectF label(const QRectF& beside, const QString& text, Side side)
    {
        const QSizeF size = textSize(text);
        QPointF topLeft;
        switch (side) {
        case Side::Above:
            topLeft = {beside.center().x() - size.width() / 2, beside.top() - gap - size.height()};
            break;
        case Side::Below:
            topLeft = {beside.center().x() - size.width() / 2, beside.bottom() + gap};
            break;
        case Side::Left:
            topLeft = {beside.left() - gap - size.width(), beside.center().y() - size.height() / 2};
            break;
        case Side::Right:
            topLeft = {beside.right() + gap, beside.center().y() - size.height() / 2};
            break;
        }
        const QRectF rect(topLeft, size);
        d.texts_.push_back({rect, text});
        d.labels_.push_back({rect, text});
        return rect;
    }

    // A symbol none of the parts above draws (an op-amp, a transistor): its lines, its filled
    // shapes and the name it is known by.
    void outline(const QPainterPath& strokes, const QPainterPath& fills, const QString& name)
    {
        d.strokes_.addPath(strokes);
        d.fills_.addPath(fills);
        d.symbols_.push_back({strokes.boundingRect().united(fills.boundingRect()), name});
    }
    // Shapes of their own (a cross-section's copper and dielectric): outlined, or filled in the ink,
    // and a part of the drawing that labels must keep clear of.
    void outline(const QPainterPath& path) { d.strokes_.addPath(path); }
    void fill(const QPainterPath& path) { d.fills_.addPath(path); }
    void solid(const QRectF& rect, const QString& name) { d.symbols_.push_back({rect, name}); }

    // Text that belongs to a symbol (a pin's name inside a chip), not a label of its own.
    void symbolText(const QRectF& rect, const QString& text) { d.texts_.push_back({rect, text}); }

    void ground(QPointF p)
    {
        wire(p, p + QPointF(0, 0.25));
        for (const auto& [half, y] : {std::pair{0.28, 0.25}, std::pair{0.17, 0.35}, std::pair{0.06, 0.45}})
            wire(p + QPointF(-half, y), p + QPointF(half, y));
        d.symbols_.push_back({QRectF(p.x() - 0.28, p.y() + 0.25, 0.56, 0.2), QStringLiteral("ground")});
    }

    // A supply rail's end: a bar with its name above.
    void supply(QPointF p, const QString& name)
    {
        wire(p, p - QPointF(0, 0.25));
        wire(p + QPointF(-0.25, -0.25), p + QPointF(0.25, -0.25));
        const QRectF bar(p.x() - 0.25, p.y() - 0.3, 0.5, 0.1);
        d.symbols_.push_back({bar, name});
        if (!name.isEmpty())
            label(bar, name, Side::Above);
    }

    // A chip: its outline, its name in the middle, and pins named inside the edge.
    void chip(const QRectF& rect, const QString& name)
    {
        d.strokes_.addRect(rect);
        d.symbols_.push_back({rect, name});
        const QSizeF size = textSize(name);
        symbolText(QRectF(rect.center() - QPointF(size.width(), size.height()) / 2, size), name);
    }
    void pin(const QRectF& chip, QPointF at, const QString& name)
    {
        const QSizeF size = textSize(name);
        QPointF topLeft(at.x() - size.width() / 2, at.y() - size.height() / 2);
        if (at.x() <= chip.left())
            topLeft.setX(chip.left() + 0.08);
        else if (at.x() >= chip.right())
            topLeft.setX(chip.right() - 0.08 - size.width());
        else if (at.y() <= chip.top())
            topLeft.setY(chip.top() + 0.04);
        else
            topLeft.setY(chip.bottom() - 0.04 - size.height());
        symbolText(QRectF(topLeft, size), name);
    }

    // An op-amp whose inputs meet its left side at `top` and `top` + (0, 1), its output at the
    // tip, half way down and `length` to the right; the inverting input on top or below.
    QPointF opamp(QPointF top, double length, bool invertingOnTop)
    {
        const QPointF upper = top + QPointF(0, -0.6);
        const QPointF lower = top + QPointF(0, 1.6);
        const QPointF tip = top + QPointF(length, 0.5);
        wire(upper, lower);
        wire(lower, tip);
        wire(tip, upper);
        d.symbols_.push_back({QRectF(upper, QSizeF(length, 2.2)), QStringLiteral("op-amp")});
        const QSizeF sign = textSize(QStringLiteral("+"));
        for (const auto& [y, plus] : {std::pair{0.0, !invertingOnTop}, std::pair{1.0, invertingOnTop}})
            symbolText(QRectF(top + QPointF(0.1, y - sign.height() / 2), sign),
                       plus ? QStringLiteral("+") : QStringLiteral("\u2212"));
        return tip;
    }

    static Drawing redescribed(Drawing d, QString description)
    {
        d.description_ = std::move(description);
        return d;
    }

    Drawing finish(QString description)
    {
        QRectF bounds = d.strokes_.boundingRect().united(d.fills_.boundingRect());
        for (const Drawing::Box& s : d.symbols_)
            bounds = bounds.united(s.rect);
        for (const Drawing::Text& t : d.texts_)
            bounds = bounds.united(t.rect);
        d.bounds_ = bounds.adjusted(-margin, -margin, margin, margin);
        d.description_ = std::move(description);
        return std::move(d);
    }

private:
    Drawing d;
};

} // namespace schematic
