// SPDX-License-Identifier: MIT
#include "schematic/plot.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QSvgGenerator>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace schematic {

namespace {

constexpr double minimumAreaHeight = 4; // lines of text a panel's curves get at the least
constexpr double minimumAreaWidth = 12;

double mapped(Scale scale, double v)
{
    return scale == Scale::Log ? std::log10(v) : v;
}

// 1, 2 or 5 times a power of ten, at least `raw`.
double niceStep(double raw)
{
    if (!(raw > 0) || !std::isfinite(raw))
        return 1;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 5.0, 10.0}) {
        if (m * power >= raw * (1 - 1e-12))
            return m * power;
    }
    return 10 * power;
}

struct Tick {
    double value = 0;
    bool labelled = false;
};

// A linear axis's ticks at a step of 1, 2 or 5 (or the multiple of `unit` given) that leaves
// `spacing` pixels between them.
std::vector<Tick> linearTicks(double from, double to, double pixels, double spacing, double unit = 0)
{
    std::vector<Tick> ticks;
    if (!(to > from) || pixels <= 0)
        return ticks;
    const double least = (to - from) * spacing / pixels;
    double step = niceStep(least);
    if (unit > 0) {
        step = unit;
        while (step < least * (1 - 1e-12))
            step *= 2;
    }
    for (double k = std::ceil(from / step - 1e-9); k * step <= to + step * 1e-9; k += 1)
        ticks.push_back({std::abs(k * step) < step * 1e-9 ? 0.0 : k * step, true});
    return ticks;
}

// A log axis's decades, every `every`th labelled, and the 2 to 9 between them.
std::vector<Tick> logTicks(double from, double to, int every)
{
    std::vector<Tick> ticks;
    if (!(from > 0) || !(to > from))
        return ticks;
    const int first = static_cast<int>(std::floor(std::log10(from)));
    const int last = static_cast<int>(std::ceil(std::log10(to)));
    for (int d = first; d <= last; ++d) {
        for (int m = 1; m <= 9; ++m) {
            const double v = m * std::pow(10.0, d);
            if (v < from * (1 - 1e-12) || v > to * (1 + 1e-12))
                continue;
            ticks.push_back({v, m == 1 && (d % every + every) % every == 0});
        }
    }
    return ticks;
}

// Decibels, degrees and shares read as plain figures; other units take prefixes.
bool prefixed(const QString& unit)
{
    return !unit.isEmpty() && unit != QLatin1String("dB") && unit != QStringLiteral("°");
}

// A linear axis with prefixes writes them once, in its title ("Time (ms)"), its labels plain; a
// log axis, spanning decades, gives each label its own (1k, 10k, 100k).
int prefixGroup(const Axis& a)
{
    if (a.scale == Scale::Log || !prefixed(a.unit))
        return 0;
    const double largest = std::max(std::abs(a.from), std::abs(a.to));
    if (!(largest > 0) || !std::isfinite(largest))
        return 0;
    return std::clamp(static_cast<int>(std::floor(std::log10(largest) / 3)), -5, 4);
}

QString prefixOf(int group)
{
    static const char16_t* const prefixes[] = {u"f", u"p", u"n", u"µ", u"m", u"", u"k", u"M", u"G", u"T"};
    return QString::fromUtf16(prefixes[group + 5]);
}

// Hertz below 1 take no prefix: "mHz" reads as "MHz".
bool plainHertz(double v, const QString& unit)
{
    return unit == QLatin1String("Hz") && std::abs(v) < 1;
}

QString plainFigure(double v, QChar point, int significant)
{
    QString text = QString::number(v, 'g', significant);
    text.replace(u'.', point);
    return text;
}

QString labelOf(const Axis& a, double v, QChar point)
{
    if (a.scale == Scale::Log && prefixed(a.unit))
        return plainHertz(v, a.unit) ? plainFigure(v, point, 6) : engineering(v, point);
    const double scaled = v / std::pow(10.0, 3 * prefixGroup(a));
    // Ticks are whole steps: what is left beyond six digits is the sum's noise.
    QString text = QString::number(std::abs(scaled) < 1e-12 ? 0.0 : scaled, 'g', 6);
    text.replace(u'.', point);
    return text;
}

QString withUnit(double v, const QString& unit, QChar point, int significant)
{
    if (unit.isEmpty())
        return plainFigure(v, point, significant);
    if (plainHertz(v, unit))
        return plainFigure(v, point, significant) + QStringLiteral(" Hz");
    if (unit == QLatin1String("dB") || unit == QStringLiteral("°")) {
        QString text = QString::number(v, 'f', 2);
        text.replace(u'.', point);
        return unit == QLatin1String("dB") ? text + QStringLiteral(" dB") : text + unit;
    }
    const QString e = engineering(v, point, significant);
    // "1.59k Hz" reads better as "1.59 kHz".
    const QChar last = e.isEmpty() ? QChar() : e.back();
    if (!last.isDigit())
        return e.chopped(1) + u' ' + last + unit;
    return e + u' ' + unit;
}

QString titled(const Axis& a)
{
    return a.unit.isEmpty() ? a.title : QStringLiteral("%1 (%2%3)").arg(a.title, prefixOf(prefixGroup(a)), a.unit);
}

QColor colourOf(Colour c, const QPalette& palette)
{
    const QColor accent = palette.color(QPalette::Highlight);
    switch (c) {
    case Colour::Accent:
        return accent;
    case Colour::Ink:
        return palette.color(QPalette::WindowText);
    case Colour::Second:
    case Colour::Third: {
        // The highlight's saturation and value, so the curve stands out as well on a dark base as
        // on a light one, at another hue.
        const int turn = c == Colour::Second ? 150 : 240;
        const int hue = accent.hsvHue() < 0 ? 0 : accent.hsvHue();
        return QColor::fromHsv((hue + turn) % 360, std::max(accent.hsvSaturation(), 160),
                               std::max(accent.value(), 160));
    }
    }
    return accent;
}

struct Metrics {
    explicit Metrics(const QFont& font)
        : fm(font)
        , line(std::ceil(fm.height()))
        , pad(std::ceil(fm.height() / 3))
    {
    }
    double width(const QString& text) const { return std::ceil(fm.horizontalAdvance(text)) + 1; }
    // Right of the panels: room for half the last x label.
    double right() const { return width(QStringLiteral("000.0M")) / 2 + pad; }
    QFontMetricsF fm;
    double line;
    double pad;
};

bool overlaps(const QRectF& a, const QRectF& b)
{
    const QRectF shared = a.intersected(b);
    return shared.width() > 1e-6 && shared.height() > 1e-6;
}

// The legend's entries: each curve and shade by its name, a curve drawn alike in two panels (a
// Bode plot's gain and phase) once.
struct Entry {
    QString name;
    const Curve* curve = nullptr;
    const Shade* shade = nullptr;
};
std::vector<Entry> entries(const Plot& p)
{
    std::vector<Entry> list;
    const auto listed = [&list](const Curve& c) {
        return std::any_of(list.begin(), list.end(), [&c](const Entry& e) {
            return e.curve && e.name == c.name && e.curve->colour == c.colour && e.curve->dashed == c.dashed;
        });
    };
    for (const Panel& panel : p.panels) {
        for (const Curve& c : panel.curves) {
            if (!c.name.isEmpty() && !listed(c))
                list.push_back({c.name, &c, nullptr});
        }
        for (const Shade& s : panel.shades) {
            if (!s.name.isEmpty())
                list.push_back({s.name, nullptr, &s});
        }
    }
    return list;
}

// Everything layout() decides, with what paint() needs beyond the boxes.
struct Placed {
    Plot::Layout layout;
    std::vector<std::vector<Tick>> yTicks; // per panel
    std::vector<Tick> xTicks;
    std::vector<QRectF> swatches; // per legend entry
};

// A panel's ticks when its area is `height` pixels tall: labels a line and a half apart at least.
std::vector<Tick> yTicks(const Axis& y, double height, const Metrics& m)
{
    if (y.scale == Scale::Linear)
        return linearTicks(y.from, y.to, height, 1.6 * m.line, y.step);
    const double decades = std::log10(y.to / y.from);
    const int every = std::max(1, static_cast<int>(std::ceil(1.6 * m.line * decades / std::max(1.0, height))));
    return logTicks(y.from, y.to, every);
}

// Where a y value lies in a panel's area.
double yToPixel(const Axis& y, const QRectF& area, double v)
{
    const double lo = mapped(y.scale, y.from);
    const double hi = mapped(y.scale, y.to);
    return area.bottom() - (mapped(y.scale, v) - lo) / (hi - lo) * area.height();
}

// The widest of a panel's tick labels when its area is `height` pixels tall.
double yLabelWidth(const Panel& panel, double height, const Metrics& m, QChar point)
{
    double widest = m.width(titled(panel.y));
    for (const Tick& t : yTicks(panel.y, height, m)) {
        if (t.labelled)
            widest = std::max(widest, m.width(labelOf(panel.y, t.value, point)));
    }
    return widest;
}

// NOLINTNEXTLINE(readability-function-cognitive-complexity): one pass per part of the plot, in order
Placed place(const Plot& p, const QSizeF& size, const QFont& font)
{
    const Metrics m(font);
    Placed out;
    Plot::Layout& l = out.layout;
    l.bounds = QRectF(QPointF(0, 0), size);
    l.scale = p.x.scale;
    l.from = p.x.from;
    l.to = p.x.to;
    const double w = size.width();
    const double h = size.height();

    // The legend, in rows across the top.
    double x = 0;
    double y = 0;
    const std::vector<Entry> legend = entries(p);
    for (const Entry& e : legend) {
        const double entry = 2 * m.line + m.pad + m.width(e.name);
        if (x > 0 && x + entry > w) {
            x = 0;
            y += m.line;
        }
        out.swatches.emplace_back(x, y + m.line / 4, 2 * m.line, m.line / 2);
        l.labels.push_back({QRectF(x + 2 * m.line + m.pad, y, m.width(e.name), m.line), e.name});
        x += entry + 2 * m.pad;
    }
    const double top = legend.empty() ? 0 : y + m.line + m.pad;

    // Below the last panel: the x labels half a line clear of the lowest y label, then the title.
    const double bottom = m.line / 2 + m.line + m.line;
    const auto panels = static_cast<double>(p.panels.size());
    const double right = m.right();
    // A panel's lowest y label reaches half a line below it, where the next one's title starts.
    const double gapBetween = m.line / 2;

    // The left column and the markers' rows decide each other through the area's width: a few
    // turns settle it.
    double left = 0;
    std::vector<int> rows(p.panels.size(), 1);
    std::vector<std::vector<Plot::Box>> markerBoxes(p.panels.size());
    for (int turn = 0; turn < 3; ++turn) {
        double headers = 0;
        for (const int r : rows)
            headers += r * m.line + m.line / 2;
        const double areaHeight = std::max(1.0, (h - top - bottom - headers - (panels - 1) * gapBetween) / panels);
        double widest = 0;
        for (const Panel& panel : p.panels)
            widest = std::max(widest, yLabelWidth(panel, areaHeight, m, p.decimalPoint));
        left = widest + m.pad;
        l.areas.clear();
        const double areaLeft = left;
        const double areaRight = std::max(areaLeft + 1, w - right);
        l.areas.emplace_back(areaLeft, 0, areaRight - areaLeft, 0); // for xToPixel while placing
        for (std::size_t i = 0; i < p.panels.size(); ++i) {
            // Marker texts above their panel, each in the first row where it meets nothing; the
            // y axis's title keeps the first row's left.
            markerBoxes[i].clear();
            std::vector<std::vector<QRectF>> taken(1, {QRectF(0, 0, m.width(titled(p.panels[i].y)), m.line)});
            for (const Marker& marker : p.panels[i].markers) {
                const double tw = m.width(marker.text);
                const double cx = l.xToPixel(marker.x);
                const double mx = std::clamp(cx - tw / 2, areaLeft, std::max(areaLeft, areaRight - tw));
                std::size_t row = 0;
                for (;; ++row) {
                    if (row == taken.size())
                        taken.emplace_back();
                    const QRectF box(mx, static_cast<double>(row) * m.line, tw, m.line);
                    if (std::none_of(taken[row].begin(), taken[row].end(),
                                     [&box](const QRectF& t) { return overlaps(t, box); })) {
                        taken[row].push_back(box);
                        markerBoxes[i].push_back({box, marker.text});
                        break;
                    }
                }
            }
            rows[i] = static_cast<int>(taken.size());
        }
    }

    // The panels, one under another, each below its header.
    double headers = 0;
    for (const int r : rows)
        headers += r * m.line + m.line / 2;
    const double areaHeight = std::max(1.0, (h - top - bottom - headers - (panels - 1) * gapBetween) / panels);
    const double areaRight = std::max(left + 1, w - right);
    l.areas.clear();
    y = top;
    for (std::size_t i = 0; i < p.panels.size(); ++i) {
        const Panel& panel = p.panels[i];
        const double header = rows[i] * m.line + m.line / 2;
        l.labels.push_back({QRectF(0, y, m.width(titled(panel.y)), m.line), titled(panel.y)});
        for (const Plot::Box& b : markerBoxes[i])
            l.labels.push_back({b.rect.translated(0, y), b.text});
        const QRectF area(left, y + header, areaRight - left, areaHeight);
        l.areas.push_back(area);
        std::vector<Tick> ticks = yTicks(panel.y, areaHeight, m);
        for (const Tick& t : ticks) {
            if (!t.labelled)
                continue;
            const double ty = yToPixel(panel.y, area, t.value);
            const QString text = labelOf(panel.y, t.value, p.decimalPoint);
            const double tw = m.width(text);
            l.labels.push_back({QRectF(left - m.pad - tw, ty - m.line / 2, tw, m.line), text});
        }
        out.yTicks.push_back(std::move(ticks));
        y = area.bottom() + gapBetween;
    }

    // The x labels: every decade, or every second or third where they would touch.
    const QRectF& last = l.areas.back();
    const double labelsTop = last.bottom() + m.line / 2;
    std::vector<Tick> xTicks;
    if (p.x.scale == Scale::Log) {
        for (int every = 1; every <= 12; ++every) {
            xTicks = logTicks(p.x.from, p.x.to, every);
            double previousRight = -std::numeric_limits<double>::infinity();
            bool fits = true;
            for (const Tick& t : xTicks) {
                if (!t.labelled)
                    continue;
                const double tw = m.width(labelOf(p.x, t.value, p.decimalPoint));
                const double cx = l.xToPixel(t.value);
                fits = fits && cx - tw / 2 >= previousRight + m.pad;
                previousRight = cx + tw / 2;
            }
            if (fits)
                break;
        }
    } else {
        double spacing = m.width(QStringLiteral("-000.0m")) + m.pad;
        xTicks = linearTicks(p.x.from, p.x.to, last.width(), spacing, p.x.step);
    }
    for (const Tick& t : xTicks) {
        if (!t.labelled)
            continue;
        const QString text = labelOf(p.x, t.value, p.decimalPoint);
        const double tw = m.width(text);
        const double lx = std::clamp(l.xToPixel(t.value) - tw / 2, 0.0, std::max(0.0, w - tw));
        l.labels.push_back({QRectF(lx, labelsTop, tw, m.line), text});
    }
    out.xTicks = std::move(xTicks);
    const QString xTitle = titled(p.x);
    const double titleWidth = m.width(xTitle);
    l.labels.push_back({QRectF(std::clamp(last.center().x() - titleWidth / 2, 0.0, std::max(0.0, w - titleWidth)),
                               labelsTop + m.line, titleWidth, m.line),
                        xTitle});
    return out;
}

// Infinities as "inf" and "-inf" (a notch's depth, a tank's impedance at resonance), which
// spreadsheets and number readers take back.
void appendNumber(QString& text, double v)
{
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v);
    text += QString::fromLatin1(buffer.data(), static_cast<int>(result.ptr - buffer.data()));
}

QString csvField(const QString& text)
{
    if (!text.contains(u',') && !text.contains(u'"'))
        return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

} // namespace

QString engineering(double value, QChar decimalPoint, int significant)
{
    if (value == 0 || !std::isfinite(value))
        return QStringLiteral("0");
    const double size = std::abs(value);
    int group = static_cast<int>(std::floor(std::log10(size) / 3));
    group = std::clamp(group, -5, 4);
    double mantissa = value / std::pow(10.0, 3 * group);
    const int whole = static_cast<int>(std::floor(std::log10(std::abs(mantissa))));
    int decimals = std::max(0, significant - 1 - whole);
    // Rounding may carry into the next prefix: 999.7 is 1k to three digits.
    const double scale = std::pow(10.0, decimals);
    if (std::round(std::abs(mantissa) * scale) / scale >= 1000 && group < 4) {
        ++group;
        mantissa /= 1000;
        decimals = std::max(0, significant - 1);
    }
    QString text = QString::number(mantissa, 'f', decimals);
    if (text.contains(u'.')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    text.replace(u'.', decimalPoint);
    return text + prefixOf(group);
}

double Plot::Layout::xToPixel(double x) const
{
    const QRectF& a = areas.front();
    const double lo = mapped(scale, from);
    const double hi = mapped(scale, to);
    return a.left() + (mapped(scale, x) - lo) / (hi - lo) * a.width();
}

double Plot::Layout::pixelToX(double pixel) const
{
    const QRectF& a = areas.front();
    const double lo = mapped(scale, from);
    const double hi = mapped(scale, to);
    const double v = lo + (pixel - a.left()) / a.width() * (hi - lo);
    return scale == Scale::Log ? std::pow(10.0, v) : v;
}

bool Plot::isEmpty() const
{
    return xs.empty() || panels.empty() || !(x.to > x.from);
}

Plot::Layout Plot::layout(const QSizeF& size, const QFont& font) const
{
    if (isEmpty())
        return {};
    return place(*this, size, font).layout;
}

QSizeF Plot::minimumSize(const QFont& font) const
{
    if (isEmpty())
        return {0, 0};
    const Metrics m(font);
    // Wide enough for the legend on two rows and a few x labels; tall enough for every header
    // and a few lines of curve in each panel.
    double legend = 0;
    for (const Entry& e : entries(*this))
        legend += 2 * m.line + 3 * m.pad + m.width(e.name);
    double left = 0;
    double marker = 0;
    for (const Panel& panel : panels) {
        left = std::max(left, yLabelWidth(panel, minimumAreaHeight * m.line, m, decimalPoint));
        for (const Marker& k : panel.markers)
            marker = std::max(marker, m.width(k.text));
    }
    // A marker's text stays over its panel.
    const double width =
        std::max({legend / 2 + 2 * m.line, left + m.pad + minimumAreaWidth * m.width(QStringLiteral("0")),
                  left + m.pad + marker + m.right()});
    double height = (legend > 0 ? 2 * m.line + m.pad : 0) + 2.5 * m.line;
    for (const Panel& panel : panels)
        height += (minimumAreaHeight + 2 + static_cast<double>(panel.markers.size())) * m.line;
    return {std::ceil(width), std::ceil(height)};
}

// NOLINTNEXTLINE(readability-function-cognitive-complexity): grid, shades, curves, markers, texts in turn
void Plot::paint(QPainter& painter, const QRectF& target, const QPalette& palette, const QFont& font) const
{
    if (isEmpty() || target.width() <= 0 || target.height() <= 0)
        return;
    const Placed placed = place(*this, target.size(), font);
    const Layout& l = placed.layout;
    const Metrics m(font);
    const QColor ink = palette.color(QPalette::WindowText);
    QColor grid = ink;
    grid.setAlpha(0x30);
    QColor faint = ink;
    faint.setAlpha(0x18);
    const double ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const double thin = 1 / ratio;
    const double thick = std::max(1.5, std::round(m.line / 8 * ratio) / ratio);

    painter.save();
    painter.translate(target.topLeft());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font);
    const auto px = [&l](double v) { return l.xToPixel(v); };

    for (std::size_t i = 0; i < panels.size(); ++i) {
        const Panel& panel = panels[i];
        const QRectF& area = l.areas[i];
        const auto py = [&panel, &area](double v) { return yToPixel(panel.y, area, v); };
        // The grid.
        for (const Tick& t : placed.xTicks) {
            painter.setPen(QPen(t.labelled || x.scale == Scale::Linear ? grid : faint, thin));
            painter.drawLine(QPointF(px(t.value), area.top()), QPointF(px(t.value), area.bottom()));
        }
        for (const Tick& t : placed.yTicks[i]) {
            painter.setPen(QPen(t.labelled || panel.y.scale == Scale::Linear ? grid : faint, thin));
            painter.drawLine(QPointF(area.left(), py(t.value)), QPointF(area.right(), py(t.value)));
        }
        painter.save();
        painter.setClipRect(area);
        for (const Shade& s : panel.shades) {
            QPolygonF region;
            for (std::size_t k = 0; k < xs.size() && k < s.high.size(); ++k)
                region << QPointF(px(xs[k]), py(s.high[k]));
            for (std::size_t k = std::min(xs.size(), s.low.size()); k-- > 0;)
                region << QPointF(px(xs[k]), py(s.low[k]));
            QColor fill = colourOf(Colour::Accent, palette);
            fill.setAlpha(0x48);
            painter.setPen(Qt::NoPen);
            painter.setBrush(fill);
            painter.drawPolygon(region);
        }
        painter.setBrush(Qt::NoBrush);
        for (const Curve& c : panel.curves) {
            QPainterPath path;
            bool pen = false;
            for (std::size_t k = 0; k < xs.size() && k < c.y.size(); ++k) {
                if (!std::isfinite(c.y[k]) || (panel.y.scale == Scale::Log && !(c.y[k] > 0))) {
                    pen = false;
                    continue;
                }
                // Far outside the area a point is held near it, so the line still leaves in the
                // right direction and the painter is never given a huge coordinate.
                const double yy = std::clamp(py(c.y[k]), area.top() - area.height(), area.bottom() + area.height());
                const QPointF point(px(xs[k]), yy);
                pen ? path.lineTo(point) : path.moveTo(point);
                pen = true;
            }
            QPen line(colourOf(c.colour, palette), thick);
            if (c.dashed)
                line.setStyle(Qt::DashLine);
            painter.setPen(line);
            painter.drawPath(path);
        }
        for (const Marker& marker : panel.markers) {
            QPen dashed(ink, thin, Qt::DashLine);
            painter.setPen(dashed);
            painter.drawLine(QPointF(px(marker.x), area.top()), QPointF(px(marker.x), area.bottom()));
            if (marker.y) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(ink);
                painter.drawEllipse(QPointF(px(marker.x), py(*marker.y)), m.pad / 1.5, m.pad / 1.5);
                painter.setBrush(Qt::NoBrush);
            }
        }
        painter.restore();
        painter.setPen(QPen(ink, thin));
        painter.drawRect(area);
    }

    // The legend's swatches, then every text.
    const std::vector<Entry> legend = entries(*this);
    for (std::size_t i = 0; i < legend.size() && i < placed.swatches.size(); ++i) {
        const QRectF& s = placed.swatches[i];
        if (legend[i].shade) {
            QColor fill = colourOf(Colour::Accent, palette);
            fill.setAlpha(0x48);
            painter.fillRect(s, fill);
            continue;
        }
        QPen line(colourOf(legend[i].curve->colour, palette), thick);
        if (legend[i].curve->dashed)
            line.setStyle(Qt::DashLine);
        painter.setPen(line);
        painter.drawLine(QPointF(s.left(), s.center().y()), QPointF(s.right(), s.center().y()));
    }
    painter.setPen(ink);
    for (const Box& b : l.labels)
        painter.drawText(b.rect, Qt::AlignCenter | Qt::TextDontClip, b.text);
    painter.restore();
}

namespace {
QSize pictureSize(const Plot& p, QSize size)
{
    if (!size.isEmpty())
        return size;
    return p.minimumSize(QGuiApplication::font()).toSize().expandedTo(QSize(560, 360));
}
} // namespace

QByteArray Plot::svg(const QPalette& palette, QSize size) const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    size = pictureSize(*this, size);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setResolution(96);
    generator.setTitle(title);
    QPainter painter(&generator);
    painter.fillRect(QRect(QPoint(0, 0), size), palette.color(QPalette::Base));
    QPalette onBase = palette;
    onBase.setColor(QPalette::WindowText, palette.color(QPalette::Text));
    paint(painter, QRectF(QPointF(0, 0), size), onBase, QGuiApplication::font());
    painter.end();
    return bytes;
}

QImage Plot::image(QSize size, double devicePixelRatio, const QPalette& palette) const
{
    size = pictureSize(*this, size);
    QImage picture(size * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(devicePixelRatio);
    picture.fill(palette.color(QPalette::Base));
    QPainter painter(&picture);
    QPalette onBase = palette;
    onBase.setColor(QPalette::WindowText, palette.color(QPalette::Text));
    paint(painter, QRectF(QPointF(0, 0), QSizeF(size)), onBase, QGuiApplication::font());
    painter.end();
    return picture;
}

QString Plot::csv() const
{
    // The numbers are in the units themselves, whatever prefix the axes show.
    QStringList header{csvField(x.unit.isEmpty() ? x.title : QStringLiteral("%1 (%2)").arg(x.title, x.unit))};
    for (const Panel& panel : panels) {
        const QString unit = panel.y.unit.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(panel.y.unit);
        for (const Curve& c : panel.curves)
            header << csvField(c.name + unit);
        for (const Shade& s : panel.shades)
            header << csvField(s.name + QStringLiteral(", low") + unit)
                   << csvField(s.name + QStringLiteral(", high") + unit);
    }
    QString text = header.join(u',') + u'\n';
    for (std::size_t k = 0; k < xs.size(); ++k) {
        appendNumber(text, xs[k]);
        for (const Panel& panel : panels) {
            for (const Curve& c : panel.curves) {
                text += u',';
                if (k < c.y.size())
                    appendNumber(text, c.y[k]);
            }
            for (const Shade& s : panel.shades) {
                text += u',';
                if (k < s.low.size())
                    appendNumber(text, s.low[k]);
                text += u',';
                if (k < s.high.size())
                    appendNumber(text, s.high[k]);
            }
        }
        text += u'\n';
    }
    return text;
}

std::size_t Plot::nearest(double at) const
{
    if (xs.empty())
        return 0;
    const auto it = std::lower_bound(xs.begin(), xs.end(), at);
    if (it == xs.begin())
        return 0;
    if (it == xs.end())
        return xs.size() - 1;
    const auto i = static_cast<std::size_t>(it - xs.begin());
    const double a = mapped(x.scale, xs[i - 1]);
    const double b = mapped(x.scale, xs[i]);
    return mapped(x.scale, at) - a < b - mapped(x.scale, at) ? i - 1 : i;
}

QString Plot::readout(std::size_t index) const
{
    if (index >= xs.size())
        return {};
    QStringList parts;
    for (const Panel& panel : panels) {
        for (const Curve& c : panel.curves) {
            if (index < c.y.size() && std::isfinite(c.y[index]))
                parts << QStringLiteral("%1 %2").arg(c.name, withUnit(c.y[index], panel.y.unit, decimalPoint, 4));
        }
        for (const Shade& s : panel.shades) {
            if (index < s.low.size() && index < s.high.size())
                parts << QStringLiteral("%1 %2 to %3")
                             .arg(s.name, withUnit(s.low[index], panel.y.unit, decimalPoint, 4),
                                  withUnit(s.high[index], panel.y.unit, decimalPoint, 4));
        }
    }
    return withUnit(xs[index], x.unit, decimalPoint, 4) + QStringLiteral(": ") + parts.join(QStringLiteral(", "));
}

} // namespace schematic
