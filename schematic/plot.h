// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>

#include <optional>
#include <vector>

class QPainter;
class QPalette;

// Responses drawn from a tool's answer: curves over a shared horizontal axis, in one or more
// panels stacked (a Bode plot's magnitude over its phase), with a legend, a shaded band, marked
// points and engineering labels (1k, 10k, 100k). Painting only: tools/plotview.h shows a Plot in
// a window with a cursor, Copy picture and Copy data. Texts are painted in the font given, never
// smaller: the curves take the room left.
namespace schematic {

enum class Scale { Linear, Log };

struct Axis {
    QString title; // "Frequency"
    QString unit;  // "Hz", "dB", "°", "V", "s": the labels carry its prefixes
    Scale scale = Scale::Linear;
    double from = 0; // the range shown
    double to = 1;
    double step = 0; // a linear axis's ticks at multiples of it (45 for degrees); 0 for 1, 2 or 5
};

// The palette's colours a curve may take: Accent is the palette's highlight, Ink its text.
enum class Colour { Accent, Ink, Second, Third };

struct Curve {
    QString name;          // in the legend and the CSV's header
    std::vector<double> y; // one a point of the plot's x
    Colour colour = Colour::Accent;
    bool dashed = false;
};

// A shaded region between two curves (the response over the parts' tolerances).
struct Shade {
    QString name;
    std::vector<double> low;
    std::vector<double> high;
};

// A point worth naming: a line across its panel at x, with its text above the panel, and a dot
// where y is given.
struct Marker {
    QString text; // "-3 dB 1.59 kHz"
    double x = 0;
    std::optional<double> y;
};

struct Panel {
    Axis y;
    std::vector<Curve> curves;
    std::vector<Shade> shades;
    std::vector<Marker> markers;
};

class Plot {
public:
    QString title; // for the picture's and the view's description
    Axis x;
    std::vector<double> xs; // the points every curve and shade gives a y for
    std::vector<Panel> panels;
    QChar decimalPoint = u'.';

    bool isEmpty() const;

    // Where things go at a size (logical pixels) with texts in a font.
    struct Box {
        QRectF rect;
        QString text;
    };
    struct Layout {
        std::vector<QRectF> areas; // each panel's plotting area
        std::vector<Box> labels;   // every text: legend, ticks, axis titles, markers
        QRectF bounds;
        double xToPixel(double x) const;
        double pixelToX(double pixel) const;
        Scale scale = Scale::Linear;
        double from = 0;
        double to = 1;
    };
    Layout layout(const QSizeF& size, const QFont& font) const;

    // The least size at which every text fits in the font given with some room for the curves.
    QSizeF minimumSize(const QFont& font) const;

    // The plot in `target`, in the palette's colours on no background of its own.
    void paint(QPainter& painter, const QRectF& target, const QPalette& palette, const QFont& font) const;
    // For the clipboard: as SVG and as a picture of `size` logical pixels at `devicePixelRatio`,
    // on the palette's base colour, in the application's font.
    QByteArray svg(const QPalette& palette, QSize size = {}) const;
    QImage image(QSize size, double devicePixelRatio, const QPalette& palette) const;

    // The points as CSV: the x axis and then every curve and shade's low and high, named with
    // their units, each number the shortest text that reads back as the same double.
    QString csv() const;

    // What a cursor at point `index` reads: "1.59 kHz: Ideal -3.01 dB, Real -2.98 dB".
    QString readout(std::size_t index) const;
    // The point nearest `at` on the x axis.
    std::size_t nearest(double at) const;
};

// A value with an SI prefix to at most `significant` digits, trailing zeros dropped: "1k", "2.5m",
// "-40"; micro is "µ".
QString engineering(double value, QChar decimalPoint = u'.', int significant = 3);

} // namespace schematic
