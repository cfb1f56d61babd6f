// SPDX-License-Identifier: MIT
#include "schematic/schematic.h"

#include "schematic/builder.h"

#include <QBuffer>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QSettings>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace schematic {

namespace {

constexpr double branchGap = 0.3; // between stacked parallel branches
constexpr double rail = 0.5;      // from a parallel's terminal to its rails

QSettings settings()
{
    return QSettings(QStringLiteral("voltiva"), QStringLiteral("voltiva"));
}
const QString styleKey = QStringLiteral("schematic/resistorStyle");

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
    case Symbol::Zener:
        return QStringLiteral("a Zener diode");
    }
    return {};
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

QSizeF Drawing::sizeAt(const QFont& font) const
{
    if (isEmpty())
        return {0, 0};
    // Texts come out at the nearest whole pixel size; measured in the application's font, one
    // painted in a wider font needs a larger scale to fit at full size.
    const int pixels = std::max(1, QFontInfo(font).pixelSize());
    QFont f = font;
    f.setPixelSize(pixels);
    const QFontMetricsF metrics(f);
    double scale = (pixels - 0.45) / em; // just under half a pixel less still rounds up to it
    for (const Text& t : texts_) {
        if (t.rect.width() > 0)
            scale = std::max(scale, metrics.horizontalAdvance(t.text) / t.rect.width());
    }
    return bounds_.size() * scale;
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
        // The painting font may be wider than the one measured: below sizeAt(), shrink to the box.
        QFont f = font;
        const int full = std::max(1, static_cast<int>(std::lround(em * scale)));
        f.setPixelSize(full);
        const auto advance = [&f, &t](int pixels) {
            f.setPixelSize(pixels);
            return QFontMetricsF(f).horizontalAdvance(t.text);
        };
        if (const double wide = advance(full); wide > rect.width()) {
            // Glyph widths do not grow quite in step with the size: the largest that fits.
            int pixels = std::max(1, static_cast<int>(std::floor(full * rect.width() / wide)));
            while (pixels < full && advance(pixels + 1) <= rect.width())
                ++pixels;
            f.setPixelSize(pixels);
        }
        painter.setFont(f);
        painter.drawText(rect, Qt::AlignCenter | Qt::TextDontClip, t.text);
    }
    painter.restore();
}

namespace {
// The picture's logical size for the clipboard: texts a quarter larger than the application's.
QSize naturalSize(const Drawing& d)
{
    QFont font = QGuiApplication::font();
    font.setPixelSize(static_cast<int>(std::lround(QFontInfo(font).pixelSize() * 1.25)));
    return d.sizeAt(font).toSize().expandedTo(QSize(1, 1));
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

} // namespace schematic
