// SPDX-License-Identifier: MIT
#include "schematic/schematic.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QSettings>
#include <QSvgGenerator>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace schematic {

namespace {

// The drawing's unit is about a symbol's length; texts are this many units high (the font's
// pixel size), which sets how large every drawing comes out beside a window's own text.
constexpr double em = 0.36;
constexpr double gap = 0.12;      // between a symbol and its label
constexpr double branchGap = 0.3; // between stacked parallel branches
constexpr double rail = 0.5;      // from a parallel's terminal to its rails
constexpr double dotRadius = 0.075;
constexpr double margin = 0.25; // around the whole drawing

QSettings settings()
{
    return QSettings(QStringLiteral("voltiva"), QStringLiteral("voltiva"));
}
const QString styleKey = QStringLiteral("schematic/resistorStyle");

// A text's size in units, from the application's font: the view paints in the window's font,
// which may differ a little, and fits each text to this box then.
QSizeF textSize(const QString& text)
{
    if (text.isEmpty())
        return {0, 0};
    if (!QGuiApplication::instance())
        return {0.6 * em * text.size(), 1.2 * em};
    const QFont font = QGuiApplication::font();
    const QFontMetricsF metrics(font);
    const double pixels = std::max(1.0, metrics.ascent() + metrics.descent() - 1.0);
    const double unit = em / std::max(1.0, static_cast<double>(QFontInfo(font).pixelSize()));
    // A little slack: the painting font may run wider than the one measured here.
    return {metrics.horizontalAdvance(text) * unit * 1.08 + 0.06, std::max(pixels * unit, 1.1 * em)};
}

// A symbol's outline along the x axis, from (-0.5, 0) to (0.5, 0), y down as on the screen.
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
        return {-0.5, -0.22, 1.0, 0.44};
    case Symbol::Led:
        return {-0.5, -0.62, 1.0, 0.84};
    }
    return {-0.5, -0.2, 1.0, 0.4};
}

QString symbolName(Symbol symbol)
{
    switch (symbol) {
    case Symbol::Resistor:
        return QStringLiteral("a resistor");
    case Symbol::Capacitor:
        return QStringLiteral("a capacitor");
    case Symbol::PolarisedCapacitor:
        return QStringLiteral("an electrolytic capacitor");
    case Symbol::Inductor:
        return QStringLiteral("an inductor");
    case Symbol::Diode:
        return QStringLiteral("a diode");
    case Symbol::Led:
        return QStringLiteral("an LED");
    }
    return {};
}

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

// The symbol itself in its local frame: strokes and filled parts.
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
        if (symbol == Symbol::Led) {
            arrow(strokes, fills, {-0.04, -0.28}, {0.14, -0.58});
            arrow(strokes, fills, {0.16, -0.28}, {0.34, -0.58});
        }
        return;
    }
    }
}

QString described(const Network& n, bool nested)
{
    if (n.join == Network::Join::Part)
        return n.label.isEmpty() ? symbolName(n.symbol) : n.label;
    QStringList parts;
    for (const Network& p : n.parts)
        parts << described(p, true);
    const QString text = parts.join(n.join == Network::Join::Series ? QStringLiteral(" in series with ")
                                                                    : QStringLiteral(" in parallel with "));
    return nested && parts.size() > 1 ? u'(' + text + u')' : text;
}

} // namespace

// Places symbols, wires and texts in the drawing's units and keeps what tests check.
class Builder {
public:
    enum class Side { Above, Below, Left, Right };

    void wire(QPointF a, QPointF b)
    {
        d.strokes_.moveTo(a);
        d.strokes_.lineTo(b);
    }
    void wire(std::initializer_list<QPointF> points)
    {
        const QPointF* previous = nullptr;
        for (const QPointF& p : points) {
            if (previous)
                wire(*previous, p);
            previous = &p;
        }
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

namespace {

// A network's extent from its left terminal, its axis at y = 0.
struct Extent {
    double width = 0;
    double above = 0;
    double below = 0;
};

Extent measure(const Network& n)
{
    if (n.join == Network::Join::Part) {
        const QRectF body = bodyRect(n.symbol);
        const QSizeF text = textSize(n.label);
        return {std::max(2.0, text.width() + 0.4), -body.top() + (n.label.isEmpty() ? 0 : gap + text.height()),
                body.bottom()};
    }
    Extent e;
    if (n.join == Network::Join::Series) {
        for (const Network& p : n.parts) {
            const Extent pe = measure(p);
            e.width += pe.width;
            e.above = std::max(e.above, pe.above);
            e.below = std::max(e.below, pe.below);
        }
        return e;
    }
    // Branches stacked down from the first, which stays on the axis.
    double y = 0;
    double previousBelow = 0;
    for (std::size_t i = 0; i < n.parts.size(); ++i) {
        const Extent pe = measure(n.parts[i]);
        e.width = std::max(e.width, pe.width);
        if (i == 0)
            e.above = pe.above;
        else
            y += previousBelow + branchGap + pe.above;
        previousBelow = pe.below;
    }
    e.below = y + previousBelow;
    e.width += 2 * rail;
    return e;
}

void place(Builder& b, const Network& n, QPointF at)
{
    const Extent e = measure(n);
    switch (n.join) {
    case Network::Join::Part: {
        const QPointF centre = at + QPointF(e.width / 2, 0);
        b.part(n.symbol, centre - QPointF(0.75, 0), centre + QPointF(0.75, 0), n.label, Builder::Side::Above);
        b.wire(at, centre - QPointF(0.75, 0));
        b.wire(centre + QPointF(0.75, 0), at + QPointF(e.width, 0));
        return;
    }
    case Network::Join::Series: {
        QPointF p = at;
        for (const Network& part : n.parts) {
            place(b, part, p);
            p += QPointF(measure(part).width, 0);
        }
        return;
    }
    case Network::Join::Parallel: {
        const double left = at.x() + rail;
        const double right = at.x() + e.width - rail;
        b.wire(at, {left, at.y()});
        b.wire({right, at.y()}, at + QPointF(e.width, 0));
        double y = at.y();
        double previousBelow = 0;
        for (std::size_t i = 0; i < n.parts.size(); ++i) {
            const Extent pe = measure(n.parts[i]);
            if (i > 0) {
                const double next = y + previousBelow + branchGap + pe.above;
                b.wire({left, y}, {left, next});
                b.wire({right, y}, {right, next});
                y = next;
            }
            if (i + 1 < n.parts.size()) {
                b.dot({left, y});
                b.dot({right, y});
            }
            const double x = left + (right - left - pe.width) / 2;
            b.wire({left, y}, {x, y});
            b.wire({x + pe.width, y}, {right, y});
            place(b, n.parts[i], {x, y});
            previousBelow = pe.below;
        }
        return;
    }
    }
}

bool valid(const Network& n)
{
    if (n.join == Network::Join::Part)
        return true;
    return !n.parts.empty() && std::all_of(n.parts.begin(), n.parts.end(), valid);
}

QString named(const QString& name, const QString& value)
{
    return value.isEmpty() ? name : name + u' ' + value;
}

} // namespace

namespace {
// Read once: every paint asks.
std::optional<ResistorStyle>& styleKept()
{
    static std::optional<ResistorStyle> style;
    return style;
}
} // namespace

ResistorStyle resistorStyle()
{
    std::optional<ResistorStyle>& style = styleKept();
    if (!style) {
        style = settings().value(styleKey).toString() == QLatin1String("zigzag") ? ResistorStyle::Zigzag
                                                                                 : ResistorStyle::Box;
    }
    return *style;
}

void setResistorStyle(ResistorStyle style)
{
    styleKept() = style;
    settings().setValue(styleKey, style == ResistorStyle::Zigzag ? QStringLiteral("zigzag") : QStringLiteral("box"));
}

Network Network::part(Symbol symbol, QString label)
{
    Network n;
    n.symbol = symbol;
    n.label = std::move(label);
    return n;
}

Network Network::series(std::vector<Network> parts)
{
    Network n;
    n.join = Join::Series;
    n.parts = std::move(parts);
    return n;
}

Network Network::parallel(std::vector<Network> parts)
{
    Network n;
    n.join = Join::Parallel;
    n.parts = std::move(parts);
    return n;
}

QRectF Drawing::bounds() const
{
    return bounds_;
}
const std::vector<Drawing::Box>& Drawing::symbols() const
{
    return symbols_;
}
const std::vector<Drawing::Box>& Drawing::labels() const
{
    return labels_;
}
const QString& Drawing::description() const
{
    return description_;
}
bool Drawing::isEmpty() const
{
    return strokes_.isEmpty() && fills_.isEmpty() && texts_.empty() && resistors_.empty();
}

QSizeF Drawing::sizeAt(double fontPixels) const
{
    if (isEmpty())
        return {0, 0};
    return bounds_.size() * (fontPixels / em);
}

void Drawing::paint(QPainter& painter, const QRectF& target, const QPalette& palette) const
{
    if (isEmpty() || target.width() <= 0 || target.height() <= 0)
        return;
    const double scale = std::min(target.width() / bounds_.width(), target.height() / bounds_.height());
    const QPointF offset = target.center() - QPointF(bounds_.center().x() * scale, bounds_.center().y() * scale);
    const QTransform toTarget = QTransform::fromScale(scale, scale) * QTransform::fromTranslate(offset.x(), offset.y());
    const QColor ink = palette.color(QPalette::WindowText);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // Lines a whole number of device pixels wide, thicker as the drawing grows.
    const double ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const double width = std::max(1.0, std::round(scale / 24 * ratio)) / ratio;
    QPen pen(ink, width);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    QPainterPath strokes = strokes_;
    const QPainterPath resistor = resistorShape(resistorStyle());
    for (const QTransform& t : resistors_)
        strokes.addPath(t.map(resistor));
    painter.drawPath(toTarget.map(strokes));
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawPath(toTarget.map(fills_));

    painter.setPen(ink);
    QFont font = painter.font();
    for (const Text& t : texts_) {
        const QRectF rect = toTarget.mapRect(t.rect);
        // The painting font may be wider than the one measured: shrink to the box if need be.
        QFont f = font;
        f.setPixelSize(std::max(1, static_cast<int>(std::lround(em * scale))));
        const double advance = QFontMetricsF(f).horizontalAdvance(t.text);
        if (advance > rect.width())
            f.setPixelSize(std::max(1, static_cast<int>(std::floor(f.pixelSize() * rect.width() / advance))));
        painter.setFont(f);
        painter.drawText(rect, Qt::AlignCenter | Qt::TextDontClip, t.text);
    }
    painter.restore();
}

namespace {
// The picture's logical size for the clipboard: texts as large as the application's.
QSize naturalSize(const Drawing& d)
{
    const double pixels = QGuiApplication::instance() ? QFontInfo(QGuiApplication::font()).pixelSize() : 11.0;
    return d.sizeAt(pixels * 1.25).toSize().expandedTo(QSize(1, 1));
}
} // namespace

QByteArray Drawing::svg(const QPalette& palette) const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QSize size = naturalSize(*this);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setResolution(96);
    generator.setTitle(QStringLiteral("Circuit"));
    generator.setDescription(description_);
    QPainter painter(&generator);
    painter.fillRect(QRect(QPoint(0, 0), size), palette.color(QPalette::Base));
    QPalette onBase = palette;
    onBase.setColor(QPalette::WindowText, palette.color(QPalette::Text));
    paint(painter, QRectF(QPointF(0, 0), size), onBase);
    painter.end();
    return bytes;
}

QImage Drawing::image(QSize size, double devicePixelRatio, const QPalette& palette) const
{
    if (size.isEmpty())
        size = naturalSize(*this);
    QImage picture(size * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(devicePixelRatio);
    picture.fill(palette.color(QPalette::Base));
    QPainter painter(&picture);
    QPalette onBase = palette;
    onBase.setColor(QPalette::WindowText, palette.color(QPalette::Text));
    paint(painter, QRectF(QPointF(0, 0), QSizeF(size)), onBase);
    painter.end();
    return picture;
}

Drawing network(const Network& n)
{
    if (!valid(n))
        return {};
    Builder b;
    const Extent e = measure(n);
    b.terminal({0, 0});
    b.wire({0.08, 0}, {0.5, 0});
    place(b, n, {0.5, 0});
    b.wire({0.5 + e.width, 0}, {1.0 + e.width - 0.08, 0});
    b.terminal({1.0 + e.width, 0});
    return b.finish(described(n, false));
}

Drawing divider(const QString& r1, const QString& r2, const QString& top, const QString& middle)
{
    using Side = Builder::Side;
    Builder b;
    b.terminal({0, 0}, top, Side::Right);
    b.part(Symbol::Resistor, {0, 0.08}, {0, 2.5}, named(QStringLiteral("R1"), r1), Side::Right);
    b.dot({0, 2.5});
    b.part(Symbol::Resistor, {0, 2.5}, {0, 4.9}, named(QStringLiteral("R2"), r2), Side::Right);
    b.ground({0, 4.9});
    const double out = 1.4;
    b.wire({0, 2.5}, {out - 0.08, 2.5});
    b.terminal({out, 2.5}, middle, Side::Right);
    return b.finish(
        QStringLiteral("A divider: R1 %1 from %2 to %3, R2 %4 from there to ground").arg(r1, top, middle, r2));
}

Drawing ledString(const QString& supply, const QString& resistor, int count, const QString& led)
{
    using Side = Builder::Side;
    count = std::max(count, 1);
    Builder b;
    b.terminal({0, 0}, supply, Side::Left);
    double x = 0;
    b.part(Symbol::Resistor, {x + 0.08, 0}, {x + 2, 0}, named(QStringLiteral("R"), resistor), Side::Above);
    x += 2;
    // Up to four LEDs each drawn; more as the first, the count and the last.
    const int drawn = count <= 4 ? count : 2;
    const double step = std::max(2.0, textSize(led).width() + 0.4);
    for (int i = 0; i < drawn; ++i) {
        if (count > 4 && i == 1) {
            const QString between = QStringLiteral("%1 LEDs in all").arg(count);
            const double w = std::max(2.0, textSize(between).width() + 0.4);
            for (double dx = 0.1; dx + 0.15 < w - 0.1; dx += 0.3)
                b.wire({x + dx, 0}, {x + dx + 0.15, 0});
            b.wire({x, 0}, {x + 0.1, 0});
            b.wire({x + w - 0.1, 0}, {x + w, 0});
            b.label(QRectF(x, -0.1, w, 0.2), between, Side::Above);
            x += w;
        }
        b.part(Symbol::Led, {x, 0}, {x + step, 0}, led, Side::Above);
        x += step;
    }
    b.wire({x, 0}, {x + 0.5, 0});
    b.wire({x + 0.5, 0}, {x + 0.5, 0.6});
    b.ground({x + 0.5, 0.6});
    const QString leds = count == 1 ? QStringLiteral("an LED") : QStringLiteral("%1 LEDs in series").arg(count);
    return b.finish(QStringLiteral("From %1 through R %2 and %3 (%4 each) to ground").arg(supply, resistor, leds, led));
}

Drawing rcFilter(Filter filter, const QString& r, const QString& c)
{
    using Side = Builder::Side;
    const bool low = filter == Filter::LowPass;
    const QString seriesText = low ? named(QStringLiteral("R"), r) : named(QStringLiteral("C"), c);
    const QString shuntText = low ? named(QStringLiteral("C"), c) : named(QStringLiteral("R"), r);
    Builder b;
    b.terminal({0, 0}, QStringLiteral("in"), Side::Left);
    const double length = std::max(2.4, textSize(seriesText).width() + 0.6);
    b.part(low ? Symbol::Resistor : Symbol::Capacitor, {0.08, 0}, {length, 0}, seriesText, Side::Above);
    b.dot({length, 0});
    b.part(low ? Symbol::Capacitor : Symbol::Resistor, {length, 0}, {length, 2.2}, shuntText, Side::Right);
    b.ground({length, 2.2});
    const double out = length + std::max(1.2, textSize(shuntText).width() + 0.6);
    b.wire({length, 0}, {out - 0.08, 0});
    b.terminal({out, 0}, QStringLiteral("out"), Side::Right);
    return b.finish(low ? QStringLiteral("A low-pass filter: R %1 from in to out, C %2 from out to ground").arg(r, c)
                        : QStringLiteral("A high-pass filter: C %1 from in to out, R %2 from out to ground").arg(c, r));
}

Drawing lcTank(const QString& l, const QString& c)
{
    Drawing d = network(Network::parallel({Network::part(Symbol::Inductor, named(QStringLiteral("L"), l)),
                                           Network::part(Symbol::Capacitor, named(QStringLiteral("C"), c))}));
    return Builder::redescribed(std::move(d), QStringLiteral("A tank: L %1 in parallel with C %2").arg(l, c));
}

namespace {

// The 555 and its supply and output, with the left side's pins where `timing` wants them.
// Returns the chip's rectangle. Pins named "7 DIS" and so on, as data sheets write them.
struct Chip555 {
    QRectF rect;
    double left; // x of the left pins
};

Chip555 chip555(Builder& b, double x, const std::vector<std::pair<double, QString>>& leftPins, double bottomPin,
                const QString& bottomName)
{
    using Side = Builder::Side;
    const double widest =
        std::max({textSize(QStringLiteral("2 TRIG")).width(), textSize(QStringLiteral("7 DIS")).width(),
                  textSize(QStringLiteral("6 THR")).width()});
    const double width = std::max(2.6, 2 * widest + textSize(QStringLiteral("555")).width() + 0.5);
    const QRectF rect(x, 1.4, width, 4.6);
    b.chip(rect, QStringLiteral("555"));
    for (const auto& [y, name] : leftPins)
        b.pin(rect, {rect.left(), y}, name);
    // Supply to 8 and 4 (reset held high).
    const double vcc = rect.left() + width * 0.3;
    const double reset = rect.left() + width * 0.7;
    b.pin(rect, {vcc, rect.top()}, QStringLiteral("8"));
    b.pin(rect, {reset, rect.top()}, QStringLiteral("4"));
    b.wire({vcc, 0}, {vcc, rect.top()});
    b.wire({reset, 0}, {reset, rect.top()});
    b.dot({vcc, 0});
    // Output.
    b.pin(rect, {rect.right(), 3.0}, QStringLiteral("OUT 3"));
    b.wire({rect.right(), 3.0}, {rect.right() + 0.9, 3.0});
    b.terminal({rect.right() + 0.98, 3.0}, QStringLiteral("out"), Side::Right);
    // Ground to 1.
    const double gnd = rect.left() + width * 0.7;
    b.pin(rect, {gnd, rect.bottom()}, QStringLiteral("1"));
    b.wire({gnd, rect.bottom()}, {gnd, 7.4});
    b.ground({gnd, 7.4});
    if (!bottomName.isEmpty())
        b.pin(rect, {bottomPin, rect.bottom()}, bottomName);
    return {rect, rect.left()};
}

} // namespace

Drawing astable555(const QString& r1, const QString& r2, const QString& c, bool diode)
{
    using Side = Builder::Side;
    Builder b;
    const QString r1Text = named(QStringLiteral("R1"), r1);
    const QString r2Text = named(QStringLiteral("R2"), r2);
    const QString cText = named(QStringLiteral("C"), c);
    // Timing parts in a column at x = 0, their labels to the left; the chip to the right.
    b.supply({0, 0}, QStringLiteral("V+"));
    b.dot({0, 0});
    b.part(Symbol::Resistor, {0, 0}, {0, 2.4}, r1Text, Side::Left);
    b.dot({0, 2.4});
    b.part(Symbol::Resistor, {0, 2.4}, {0, 4.9}, r2Text, Side::Left);
    b.dot({0, 4.9});
    b.part(Symbol::Capacitor, {0, 4.9}, {0, 7.4}, cText, Side::Left);
    b.ground({0, 7.4});
    if (diode) {
        const double xd = -(textSize(r2Text).width() + 0.9);
        b.wire({0, 2.4}, {xd, 2.4});
        b.part(Symbol::Diode, {xd, 2.4}, {xd, 4.9}, QStringLiteral("D"), Side::Left);
        b.wire({xd, 4.9}, {0, 4.9});
    }
    const double x = 1.6;
    const Chip555 chip = chip555(
        b, x, {{2.4, QStringLiteral("7 DIS")}, {4.0, QStringLiteral("6 THR")}, {4.9, QStringLiteral("2 TRIG")}}, 0, {});
    b.wire({0, 0}, {chip.rect.left() + chip.rect.width() * 0.7, 0});
    b.wire({0, 2.4}, {chip.left, 2.4});
    b.wire({0, 4.9}, {chip.left, 4.9});
    const double join = chip.left - 0.5;
    b.wire({join, 4.9}, {join, 4.0});
    b.wire({join, 4.0}, {chip.left, 4.0});
    b.dot({join, 4.9});
    QString text =
        QStringLiteral("A 555 astable: R1 %1 from the supply to discharge, R2 %2 from discharge to threshold "
                       "and trigger, C %3 from there to ground")
            .arg(r1, r2, c);
    if (diode)
        text += QStringLiteral(", a diode across R2");
    return b.finish(text);
}

Drawing monostable555(const QString& r, const QString& c)
{
    using Side = Builder::Side;
    Builder b;
    b.supply({0, 0}, QStringLiteral("V+"));
    b.dot({0, 0});
    b.part(Symbol::Resistor, {0, 0}, {0, 2.4}, named(QStringLiteral("R"), r), Side::Left);
    b.dot({0, 2.4});
    b.part(Symbol::Capacitor, {0, 2.4}, {0, 7.4}, named(QStringLiteral("C"), c), Side::Left);
    b.ground({0, 7.4});
    const double x = 1.6;
    const QString trig = QStringLiteral("trigger");
    // The trigger comes in below the chip, its terminal's name to the left, clear of the ground.
    Chip555 chip = chip555(b, x, {{2.4, QStringLiteral("7 DIS")}, {3.4, QStringLiteral("6 THR")}}, 0, {});
    const double trigX = chip.rect.left() + chip.rect.width() * 0.3;
    b.pin(chip.rect, {trigX, chip.rect.bottom()}, QStringLiteral("2"));
    b.wire({trigX, chip.rect.bottom()}, {trigX, 6.9 - 0.08});
    b.terminal({trigX, 6.9}, trig, Side::Below);
    b.wire({0, 0}, {chip.rect.left() + chip.rect.width() * 0.7, 0});
    b.wire({0, 2.4}, {chip.left, 2.4});
    const double join = chip.left - 0.5;
    b.wire({join, 2.4}, {join, 3.4});
    b.wire({join, 3.4}, {chip.left, 3.4});
    b.dot({join, 2.4});
    return b.finish(QStringLiteral("A 555 monostable: R %1 from the supply to discharge and threshold, C %2 from there "
                                   "to ground, the trigger at pin 2")
                        .arg(r, c));
}

namespace {

// A pad's top line from in to out and its common line below, with terminals at the four ends.
void ports(Builder& b, double right, double bottom)
{
    using Side = Builder::Side;
    b.terminal({0, 0}, QStringLiteral("in"), Side::Left);
    b.terminal({0, bottom}, {}, Side::Left);
    b.terminal({right, 0}, QStringLiteral("out"), Side::Right);
    b.terminal({right, bottom}, {}, Side::Right);
    b.wire({0.08, bottom}, {right - 0.08, bottom});
}

double lengthFor(const QString& text, double least)
{
    return std::max(least, textSize(text).width() + 0.6);
}

} // namespace

Drawing piPad(const QString& shunt, const QString& series)
{
    using Side = Builder::Side;
    Builder b;
    const double bottom = 2.4;
    const double a = 1.0;
    const double bx = a + std::max(lengthFor(series, 2.4), textSize(shunt).width() + 0.9);
    const double right = bx + lengthFor(shunt, 1.2);
    ports(b, right, bottom);
    b.wire({0.08, 0}, {a, 0});
    b.part(Symbol::Resistor, {a, 0}, {bx, 0}, series, Side::Above);
    b.wire({bx, 0}, {right - 0.08, 0});
    for (double x : {a, bx}) {
        b.part(Symbol::Resistor, {x, 0}, {x, bottom}, shunt, Side::Right);
        b.dot({x, 0});
        b.dot({x, bottom});
    }
    return b.finish(
        QStringLiteral("A Pi pad: %1 across the input, %2 in series, %1 across the output").arg(shunt, series));
}

Drawing teePad(const QString& series, const QString& shunt)
{
    using Side = Builder::Side;
    Builder b;
    const double bottom = 2.4;
    const double arm = lengthFor(series, 2.2);
    const double mid = arm;
    const double right = mid + std::max(arm, textSize(shunt).width() + 0.6);
    ports(b, right, bottom);
    b.part(Symbol::Resistor, {0.08, 0}, {mid, 0}, series, Side::Above);
    b.part(Symbol::Resistor, {mid, 0}, {right - 0.08, 0}, series, Side::Above);
    b.part(Symbol::Resistor, {mid, 0}, {mid, bottom}, shunt, Side::Right);
    b.dot({mid, 0});
    b.dot({mid, bottom});
    return b.finish(QStringLiteral("A T pad: %1 in series, %2 to the common line, %1 in series").arg(series, shunt));
}

Drawing bridgedTeePad(const QString& arm, const QString& bridge, const QString& shunt)
{
    using Side = Builder::Side;
    Builder b;
    const double bottom = 2.4;
    const double left = 0.8;
    const double length = lengthFor(arm, 2.2);
    const double mid = left + length;
    const double end = mid + std::max(length, textSize(shunt).width() + 0.6);
    const double right = end + 0.8;
    ports(b, right, bottom);
    b.wire({0.08, 0}, {left, 0});
    b.part(Symbol::Resistor, {left, 0}, {mid, 0}, arm, Side::Above);
    b.part(Symbol::Resistor, {mid, 0}, {end, 0}, arm, Side::Above);
    b.wire({end, 0}, {right - 0.08, 0});
    b.part(Symbol::Resistor, {mid, 0}, {mid, bottom}, shunt, Side::Right);
    const double top = -(0.17 + gap + textSize(arm).height() + 0.45);
    b.wire({left, 0}, {left, top});
    b.wire({end, 0}, {end, top});
    b.part(Symbol::Resistor, {left, top}, {end, top}, bridge, Side::Above);
    for (const QPointF p : {QPointF(left, 0), QPointF(mid, 0), QPointF(end, 0), QPointF(mid, bottom)})
        b.dot(p);
    return b.finish(QStringLiteral("A bridged T pad: two arms of %1 in series, %2 across both, %3 from their middle "
                                   "to the common line")
                        .arg(arm, bridge, shunt));
}

} // namespace schematic
