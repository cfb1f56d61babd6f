// SPDX-License-Identifier: MIT
// The resistor the Markings tool draws, its bands in their colours and captioned.
#include "tools/markings/markings.h"

#include "tools/circuitview.h"
#include "tools/localised.h"
#include "tools/markings/names.h"
#include "values/markings.h"

#include <QBuffer>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>

namespace tools {

using values::Colour;

namespace {

using markings::colourName;
using markings::multiplierText;

// WCAG 2 relative luminance and contrast ratio.
double luminance(const QColor& colour)
{
    const auto linear = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor bandColour(Colour colour)
{
    switch (colour) {
    case Colour::Pink:
        return {0xff, 0x9e, 0xc8};
    case Colour::Silver:
        return {0xc4, 0xc8, 0xcc};
    case Colour::Gold:
        return {0xcf, 0xa6, 0x2d};
    case Colour::Black:
        return {0x1a, 0x1a, 0x1a};
    case Colour::Brown:
        return {0x7a, 0x43, 0x1d};
    case Colour::Red:
        return {0xd6, 0x1f, 0x1f};
    case Colour::Orange:
        return {0xf5, 0x82, 0x0a};
    case Colour::Yellow:
        return {0xf7, 0xdc, 0x1e};
    case Colour::Green:
        return {0x22, 0x9a, 0x3c};
    case Colour::Blue:
        return {0x1f, 0x55, 0xd6};
    case Colour::Violet:
        return {0x8a, 0x3c, 0xc8};
    case Colour::Grey:
        return {0x88, 0x88, 0x88};
    case Colour::White:
        return {0xfa, 0xfa, 0xfa};
    }
    return {};
}

// --- Drawing ----------------------------------------------------------------------------------

namespace {
constexpr int leadLength = 28;
constexpr int bodyHeight = 44;
constexpr int bodyPadding = 18; // body end to the first band's column
constexpr int margin = 6;
} // namespace

ResistorDrawing::ResistorDrawing(QWidget* parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAccessibleName(tr("Resistor drawing"));
}

void ResistorDrawing::setBands(const std::vector<Colour>& bands)
{
    if (bands == bands_)
        return;
    bands_ = bands;
    QStringList description;
    for (std::size_t k = 0; k < bands_.size(); ++k)
        description.append(caption(k).join(QLatin1Char(' ')));
    setAccessibleDescription(description.join(QStringLiteral(", ")));
    updateGeometry();
    update();
}

QStringList ResistorDrawing::caption(std::size_t index) const
{
    if (index >= bands_.size())
        return {};
    const values::ColourFacts& f = values::facts(bands_[index]);
    const std::size_t n = bands_.size();
    const std::size_t digits = n >= 5 ? 3 : 2;
    QStringList lines{colourName(f.colour)};
    if (index < digits) {
        lines.append(f.digit ? QString::number(*f.digit) : tr("no digit"));
    } else if (index == digits) {
        lines.append(multiplierText(f.multiplierExponent));
    } else if (index == digits + 1) {
        if (!f.tolerance) {
            lines.append(tr("no tolerance"));
        } else {
            lines.append(localised(values::describe(values::Tolerance::percent(*f.tolerance))));
            if (f.colour == Colour::Grey)
                lines.append(tr("older: ±0.05 %"));
        }
    } else {
        lines.append(f.tcr ? tr("%1 ppm/K").arg(*f.tcr) : tr("no coefficient"));
    }
    return lines;
}

int ResistorDrawing::columnWidth() const
{
    int widest = 0;
    for (std::size_t k = 0; k < bands_.size(); ++k) {
        for (const QString& line : caption(k))
            widest = std::max(widest, fontMetrics().horizontalAdvance(line));
    }
    return std::max(widest + 2 * margin, 2 * fontMetrics().height());
}

QSize ResistorDrawing::minimumSizeHint() const
{
    const int columns = static_cast<int>(std::max<std::size_t>(bands_.size(), 3));
    const int width = 2 * leadLength + 2 * bodyPadding + columns * columnWidth();
    const int height = margin + bodyHeight + margin + 3 * fontMetrics().lineSpacing() + margin;
    return {width, height};
}

QSize ResistorDrawing::sizeHint() const
{
    return minimumSizeHint();
}

void ResistorDrawing::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    paint(p, size(), palette());
}

void ResistorDrawing::paint(QPainter& p, QSizeF size, const QPalette& pal) const
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(font());
    const int columns = static_cast<int>(std::max<std::size_t>(bands_.size(), 3));
    const qreal bodyWidth =
        std::min<qreal>(size.width() - 2 * leadLength, 2 * bodyPadding + columns * columnWidth() * 1.25);
    const qreal left = (size.width() - bodyWidth) / 2;
    const QRectF body(left, margin, bodyWidth, bodyHeight);

    // The leads, then the body with its wider end caps.
    p.setPen(QPen(QColor(0x90, 0x90, 0x90), 3, Qt::SolidLine, Qt::RoundCap));
    const qreal axis = body.center().y();
    p.drawLine(QPointF(left - leadLength + 2, axis), QPointF(left + 4, axis));
    p.drawLine(QPointF(body.right() - 4, axis), QPointF(body.right() + leadLength - 2, axis));
    const QColor beige(0xe6, 0xcf, 0x9c);
    p.setPen(QPen(beige.darker(150), 1));
    p.setBrush(beige);
    p.drawRoundedRect(body, bodyHeight / 2.5, bodyHeight / 2.5);

    const qreal inner = bodyWidth - 2 * bodyPadding;
    const qreal column = bands_.empty() ? inner : inner / static_cast<qreal>(bands_.size());
    const qreal bandWidth = std::min<qreal>(column * 0.5, 12);
    const int line = fontMetrics().lineSpacing();
    for (std::size_t k = 0; k < bands_.size(); ++k) {
        const qreal centre = left + bodyPadding + (static_cast<qreal>(k) + 0.5) * column;
        const QColor c = bandColour(bands_[k]);
        p.setPen(QPen(c.darker(160), 1));
        p.setBrush(c);
        p.drawRect(QRectF(centre - bandWidth / 2, body.top() + 0.5, bandWidth, body.height() - 1));

        p.setPen(pal.color(QPalette::WindowText));
        const QStringList lines = caption(k);
        for (int j = 0; j < lines.size(); ++j) {
            const QRectF box(centre - column / 2, body.bottom() + margin + j * line, column, line);
            p.drawText(box, Qt::AlignHCenter | Qt::AlignTop,
                       fontMetrics().elidedText(lines[j], Qt::ElideRight, static_cast<int>(column)));
        }
    }
}

void ResistorDrawing::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    connect(menu.addAction(tr("Copy picture")), &QAction::triggered, this, &ResistorDrawing::copyPicture);
    menu.exec(event->globalPos());
}

void ResistorDrawing::copyPicture()
{
    // The body as long as the window draws it at its widest, on the palette's base colour.
    const int columns = static_cast<int>(std::max<std::size_t>(bands_.size(), 3));
    const QSize size(2 * leadLength + 2 * bodyPadding + columns * columnWidth() * 5 / 4, minimumSizeHint().height());
    QPalette onBase = palette();
    onBase.setColor(QPalette::WindowText, palette().color(QPalette::Text));
    const QColor base = palette().color(QPalette::Base);

    QByteArray svg;
    QBuffer buffer(&svg);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setResolution(96);
    generator.setTitle(tr("Resistor"));
    generator.setDescription(accessibleDescription());
    QPainter onSvg(&generator);
    onSvg.fillRect(QRect(QPoint(0, 0), size), base);
    paint(onSvg, size, onBase);
    onSvg.end();

    const double ratio = devicePixelRatioF();
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(base);
    QPainter onImage(&image);
    paint(onImage, size, onBase);
    onImage.end();
    copyToClipboard(svg, image);
}

} // namespace tools
