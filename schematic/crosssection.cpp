// SPDX-License-Identifier: MIT
#include "schematic/crosssection.h"

#include "schematic/builder.h"

#include <initializer_list>

namespace schematic {

namespace {

using Side = Builder::Side;
using Kind = CrossSection::Kind;

constexpr double arrow = 0.12; // an arrowhead's length
constexpr double board = 8;    // a planar section's width
constexpr double copper = 0.15;
constexpr double etchInset = 0.1; // an etched side's lean, whatever its angle
constexpr double maskT = 0.07;

void arrowhead(Builder& b, QPointF tip, QPointF from)
{
    const QPointF d = (tip - from) / std::hypot(tip.x() - from.x(), tip.y() - from.y());
    const QPointF n(-d.y(), d.x());
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(tip - d * arrow + n * arrow * 0.4);
    head.lineTo(tip - d * arrow - n * arrow * 0.4);
    head.closeSubpath();
    b.fill(head);
}

// A dimension line from a to b with its arrows, the label beside it.
void dimension(Builder& b, QPointF from, QPointF to, const QString& text, Side side)
{
    b.wire(from, to);
    arrowhead(b, from, to);
    arrowhead(b, to, from);
    b.label(QRectF(from, to).normalized(), text, side);
}

// The copper's thickness named above and beside the strip's corner at `corner`, a leader to it.
void thickness(Builder& b, QPointF corner, const QString& text, Side side)
{
    const double dx = side == Side::Right ? 0.3 : -0.3;
    const QPointF end = corner + QPointF(dx, -0.3);
    b.wire(corner, end);
    b.label({end, end}, text, side);
}

void copperRect(Builder& b, const QRectF& rect, const QString& name)
{
    QPainterPath path;
    path.addRect(rect);
    b.fill(path);
    b.solid(rect, name);
}

// A strip whose sides may be etched: narrower on its top, the face away from its foot, by `left`
// and `right`.
void strip(Builder& b, const QRectF& rect, double left, double right, const QString& name)
{
    if (left == 0 && right == 0) {
        copperRect(b, rect, name);
        return;
    }
    QPainterPath path;
    path.moveTo(rect.bottomLeft());
    path.lineTo(rect.bottomRight());
    path.lineTo(rect.right() - right, rect.top());
    path.lineTo(rect.left() + left, rect.top());
    path.closeSubpath();
    b.fill(path);
    b.solid(rect, name);
}

// The mask over a substrate whose top is y = 0 and over the strips on it, the strips' feet from
// x0 to x1 with their tops narrower by the insets: its upper face, closed down to the substrate
// at the section's sides.
struct OnSurface {
    double x0, x1, insetL, insetR;
};
void mask(Builder& b, std::initializer_list<OnSurface> strips, double top)
{
    QPainterPath face;
    face.moveTo(0, 0);
    face.lineTo(0, -maskT);
    for (const OnSurface& s : strips) {
        if (s.x0 > 0) {
            face.lineTo(s.x0 - maskT, -maskT);
            face.lineTo(s.x0 + s.insetL - maskT, top - maskT);
        } else {
            face.lineTo(0, top - maskT);
        }
        if (s.x1 < board) {
            face.lineTo(s.x1 - s.insetR + maskT, top - maskT);
            face.lineTo(s.x1 + maskT, -maskT);
        } else {
            face.lineTo(board, top - maskT);
        }
    }
    if (face.currentPosition().x() < board)
        face.lineTo(board, -maskT);
    face.lineTo(board, 0);
    b.outline(face);
}

void dielectric(Builder& b, const QRectF& rect)
{
    QPainterPath path;
    path.addRect(rect);
    b.outline(path);
}

// The dimension of a strip from x0 to x1 whose top is at y, drawn `above` it with extension lines.
void across(Builder& b, double x0, double x1, double y, double at, const QString& text, Side side)
{
    b.wire({x0, y}, {x0, at + (at < y ? -0.1 : 0.1)});
    b.wire({x1, y}, {x1, at + (at < y ? -0.1 : 0.1)});
    dimension(b, {x0, at}, {x1, at}, text, side);
}

// A vertical dimension at x from y0 to y1, with extension lines from `from` (the edge measured).
void down(Builder& b, double x, double y0, double y1, const QString& text, Side side, double from)
{
    b.wire({from, y0}, {x + 0.1, y0});
    b.wire({from, y1}, {x + 0.1, y1});
    dimension(b, {x, y0}, {x, y1}, text, side);
}

QString treated(const CrossSection& c, bool outer)
{
    QString more;
    if (!c.etch.isEmpty())
        more += QStringLiteral(", the sides etched at %1").arg(c.etch);
    if (c.mask && outer)
        more += QStringLiteral(", under solder mask %1 thick of %2")
                    .arg(given(c.maskT), named(QStringLiteral("εr"), c.maskEr));
    return more;
}

QString described(const CrossSection& c)
{
    const auto v = [](const QString& name, const QString& value) { return named(name, value); };
    switch (c.kind) {
    case Kind::Microstrip:
        return QStringLiteral("Microstrip: a strip %1 wide and %2 thick on a substrate %3 thick of %4 over a plane")
            .arg(v(QStringLiteral("w"), c.w), v(QStringLiteral("t"), c.t), v(QStringLiteral("h"), c.h),
                 v(QStringLiteral("εr"), c.er));
    case Kind::Stripline:
        return QStringLiteral("Stripline: a strip %1 wide and %2 thick in the middle between planes %3 apart, in %4")
            .arg(v(QStringLiteral("w"), c.w), v(QStringLiteral("t"), c.t), v(QStringLiteral("b"), c.b),
                 v(QStringLiteral("εr"), c.er));
    case Kind::OffsetStripline:
        return QStringLiteral("Offset stripline: a strip %1 wide and %2 thick, %3 above the lower of planes %4 apart, "
                              "in %5")
            .arg(v(QStringLiteral("w"), c.w), v(QStringLiteral("t"), c.t), v(QStringLiteral("h"), c.h),
                 v(QStringLiteral("b"), c.b), v(QStringLiteral("εr"), c.er));
    case Kind::Cpw:
    case Kind::Gcpw:
        return QStringLiteral("Coplanar waveguide: a strip %1 wide and %2 thick with grounds %3 away on either side, "
                              "on a substrate %4 thick of %5%6")
            .arg(v(QStringLiteral("w"), c.w), v(QStringLiteral("t"), c.t), v(QStringLiteral("s"), c.s),
                 v(QStringLiteral("h"), c.h), v(QStringLiteral("εr"), c.er),
                 c.kind == Kind::Gcpw ? QStringLiteral(" over a plane") : QString());
    case Kind::CoupledMicrostrip:
        return QStringLiteral("Edge-coupled microstrip: two strips %1 wide and %2 thick, %3 apart, on a substrate %4 "
                              "thick of %5 over a plane")
            .arg(v(QStringLiteral("w"), c.w), v(QStringLiteral("t"), c.t), v(QStringLiteral("s"), c.s),
                 v(QStringLiteral("h"), c.h), v(QStringLiteral("εr"), c.er));
    case Kind::CoupledStripline:
        return QStringLiteral("Edge-coupled stripline: two strips %1 wide and %2 thick, %3 apart, in the middle "
                              "between planes %4 apart, in %5")
            .arg(v(QStringLiteral("w"), c.w), v(QStringLiteral("t"), c.t), v(QStringLiteral("s"), c.s),
                 v(QStringLiteral("b"), c.b), v(QStringLiteral("εr"), c.er));
    case Kind::Coax:
        return QStringLiteral("Coax: an inner conductor %1 across in a shield %2 across inside, filled with %3")
            .arg(v(QStringLiteral("d"), c.d), v(QStringLiteral("D"), c.D), v(QStringLiteral("εr"), c.er));
    case Kind::TwistedPair:
        return QStringLiteral("Twisted pair: two wires %1 across with their centres %2 apart, in %3")
            .arg(v(QStringLiteral("d"), c.d), v(QStringLiteral("D"), c.D), v(QStringLiteral("εr"), c.er));
    }
    return {};
}

QString describedAll(const CrossSection& c)
{
    const bool round = c.kind == Kind::Coax || c.kind == Kind::TwistedPair;
    const bool outer =
        c.kind == Kind::Microstrip || c.kind == Kind::Cpw || c.kind == Kind::Gcpw || c.kind == Kind::CoupledMicrostrip;
    return round ? described(c) : described(c) + treated(c, outer);
}

// Microstrip, CPW, GCPW and coupled microstrip: a substrate with strips on top, a plane under it
// where there is one.
void planar(Builder& b, const CrossSection& c)
{
    constexpr double h = 1.4;
    dielectric(b, {0, 0, board, h});
    const bool plane = c.kind != Kind::Cpw;
    if (plane)
        copperRect(b, {0, h, board, copper}, QStringLiteral("plane"));
    const bool coplanar = c.kind == Kind::Cpw || c.kind == Kind::Gcpw;
    const bool pair = c.kind == Kind::CoupledMicrostrip;
    const double top = -copper;
    const QString w = named(QStringLiteral("w"), c.w);
    const QString t = named(QStringLiteral("t"), c.t);
    const QString s = named(QStringLiteral("s"), c.s);
    const double e = c.etch.isEmpty() ? 0 : etchInset;
    if (pair) {
        strip(b, {2.0, top, 1.6, copper}, e, e, QStringLiteral("strip"));
        strip(b, {4.4, top, 1.6, copper}, e, e, QStringLiteral("strip"));
        across(b, 2.0, 3.6, top, top - 0.45, w, Side::Above);
        across(b, 3.6, 4.4, 0, 0.4, s, Side::Below);
        thickness(b, {6.0 - e, top}, t, Side::Right);
        if (c.mask)
            mask(b, {{2.0, 3.6, e, e}, {4.4, 6.0, e, e}}, top);
    } else {
        strip(b, {3.2, top, 1.6, copper}, e, e, QStringLiteral("strip"));
        across(b, 3.2, 4.8, top, top - 0.45, w, Side::Above);
        if (coplanar) {
            strip(b, {0, top, 2.4, copper}, 0, e, QStringLiteral("ground"));
            strip(b, {5.6, top, 2.4, copper}, e, 0, QStringLiteral("ground"));
            across(b, 4.8, 5.6, 0, 0.4, s, Side::Below);
            b.label({0, top - 0.45, 2.4, 0}, t, Side::Above);
            if (c.mask)
                mask(b, {{0, 2.4, 0, e}, {3.2, 4.8, e, e}, {5.6, board, e, 0}}, top);
        } else {
            thickness(b, {4.8 - e, top}, t, Side::Right);
            if (c.mask)
                mask(b, {{3.2, 4.8, e, e}}, top);
        }
    }
    // Named where no figure is: beside the grounds' thickness on a coplanar line, else at the left.
    if (c.mask)
        b.label(coplanar ? QRectF(6.4, top - maskT, 1.6, 0) : QRectF(0.1, -maskT, 1.0, 0), QStringLiteral("mask"),
                Side::Above);
    down(b, board + 0.45, 0, h, named(QStringLiteral("h"), c.h), Side::Right, board);
    b.label({0.15, 0.95, 0, 0.3}, named(QStringLiteral("εr"), c.er), Side::Right);
}

// Stripline, offset and coupled: strips between two planes.
void between(Builder& b, const CrossSection& c)
{
    constexpr double spacing = 2.2;
    dielectric(b, {0, 0, board, spacing});
    copperRect(b, {0, -copper, board, copper}, QStringLiteral("plane"));
    copperRect(b, {0, spacing, board, copper}, QStringLiteral("plane"));
    const bool offset = c.kind == Kind::OffsetStripline;
    const double y = offset ? 1.45 : (spacing - copper) / 2;
    const QString w = named(QStringLiteral("w"), c.w);
    const QString t = named(QStringLiteral("t"), c.t);
    const double e = c.etch.isEmpty() ? 0 : etchInset;
    if (c.kind == Kind::CoupledStripline) {
        strip(b, {2.0, y, 1.6, copper}, e, e, QStringLiteral("strip"));
        strip(b, {4.4, y, 1.6, copper}, e, e, QStringLiteral("strip"));
        across(b, 2.0, 3.6, y, y - 0.3, w, Side::Above);
        across(b, 3.6, 4.4, y + copper, y + copper + 0.3, named(QStringLiteral("s"), c.s), Side::Below);
        b.label({2.0, y, 0, copper}, t, Side::Left);
    } else {
        strip(b, {3.2, y, 1.6, copper}, e, e, QStringLiteral("strip"));
        across(b, 3.2, 4.8, y, y - 0.3, w, Side::Above);
        b.label({4.8, y, 0, copper}, t, Side::Right);
    }
    if (offset)
        down(b, 2.7, y + copper, spacing, named(QStringLiteral("h"), c.h), Side::Left, 3.2);
    down(b, board + 0.45, 0, spacing, named(QStringLiteral("b"), c.b), Side::Right, board);
    b.label({0.15, offset ? 0.3 : 1.55, 0, 0.3}, named(QStringLiteral("εr"), c.er), Side::Right);
}

void coax(Builder& b, const CrossSection& c)
{
    constexpr double inner = 0.5;
    constexpr double shield = 1.6;
    QPainterPath ring;
    ring.setFillRule(Qt::OddEvenFill);
    ring.addEllipse(QPointF(0, 0), shield + copper, shield + copper);
    ring.addEllipse(QPointF(0, 0), shield, shield);
    b.fill(ring);
    b.solid({-shield - copper, -shield - copper, 2 * (shield + copper), copper}, QStringLiteral("shield"));
    QPainterPath core;
    core.addEllipse(QPointF(0, 0), inner, inner);
    b.fill(core);
    b.solid({-inner, -inner, 2 * inner, 2 * inner}, QStringLiteral("inner conductor"));
    across(b, -shield, shield, 0, -shield - 0.5, named(QStringLiteral("D"), c.D), Side::Above);
    across(b, -inner, inner, 0, shield + 0.5, named(QStringLiteral("d"), c.d), Side::Below);
    b.label({shield + copper, -0.15, 0, 0.3}, named(QStringLiteral("εr"), c.er), Side::Right);
}

void pair(Builder& b, const CrossSection& c)
{
    constexpr double radius = 0.5;
    constexpr double apart = 2.2;
    for (const double x : {0.0, apart}) {
        QPainterPath wire;
        wire.addEllipse(QPointF(x, 0), radius, radius);
        b.fill(wire);
        b.solid({x - radius, -radius, 2 * radius, 2 * radius}, QStringLiteral("wire"));
    }
    across(b, -radius, radius, 0, -radius - 0.45, named(QStringLiteral("d"), c.d), Side::Above);
    across(b, 0, apart, 0, radius + 0.45, named(QStringLiteral("D"), c.D), Side::Below);
    b.label({apart + radius, -0.15, 0, 0.3}, named(QStringLiteral("εr"), c.er), Side::Right);
}

} // namespace

Drawing crossSection(const CrossSection& section)
{
    Builder b;
    switch (section.kind) {
    case Kind::Microstrip:
    case Kind::Cpw:
    case Kind::Gcpw:
    case Kind::CoupledMicrostrip:
        planar(b, section);
        break;
    case Kind::Stripline:
    case Kind::OffsetStripline:
    case Kind::CoupledStripline:
        between(b, section);
        break;
    case Kind::Coax:
        coax(b, section);
        break;
    case Kind::TwistedPair:
        pair(b, section);
        break;
    }
    return b.finish(describedAll(section));
}

} // namespace schematic
