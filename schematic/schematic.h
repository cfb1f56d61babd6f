// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTransform>

#include <string>
#include <vector>

class QPainter;
class QPalette;

// Circuits drawn from the answer a tool shows, so the values on the drawing are the ones in its
// table. Painting only (QPainter, no widgets): tools/circuitview.h shows a Drawing in a window.
namespace schematic {

enum class Symbol { Resistor, Capacitor, PolarisedCapacitor, Inductor, Led, Diode, Zener };

// How resistors are drawn: the IEC box, or the zigzag many readers know from American books.
// Kept with QSettings, so the choice holds for every drawing and the next start.
enum class ResistorStyle { Box, Zigzag };
ResistorStyle resistorStyle();
void setResistorStyle(ResistorStyle style);

// A series-parallel network: one part, or two or more networks in series or in parallel, to any
// depth.
struct Network {
    enum class Join { Part, Series, Parallel };
    Join join = Join::Part;
    Symbol symbol = Symbol::Resistor; // a part's symbol
    QString label;                    // a part's value as the tool writes it: "4.7k", "100n"
    std::vector<Network> parts;       // Series and Parallel: in the order of the text

    static Network part(Symbol symbol, QString label);
    static Network series(std::vector<Network> parts);
    static Network parallel(std::vector<Network> parts);
};

// A laid-out circuit, in its own units (one grid step is about one symbol's width); painted
// scaled to fit any rectangle, so it is crisp at every display scale.
class Drawing {
public:
    struct Box {
        QRectF rect;
        QString text; // a symbol's label, or a label's text
    };

    QRectF bounds() const;
    // Where each symbol and each text ended up, for tests of the layout.
    const std::vector<Box>& symbols() const;
    const std::vector<Box>& labels() const;
    // The circuit in words, for screen readers: "10k in parallel with 10k".
    const QString& description() const;
    bool isEmpty() const;

    // Fits the drawing into `target`, keeping its proportions, in the palette's text colour on
    // no background of its own (dark palettes too), its texts in the painter's font.
    void paint(QPainter& painter, const QRectF& target, const QPalette& palette) const;
    // For the clipboard: the same drawing as SVG, and as a picture of `size` logical pixels at
    // `devicePixelRatio`, on the palette's base colour.
    QByteArray svg(const QPalette& palette) const;
    QImage image(QSize size, double devicePixelRatio, const QPalette& palette) const;

    // The least size in logical pixels at which its texts, painted in `font`, come out as large
    // as that font and fit their places: what a view asks for, so the labels read like the
    // window's own. Painted any smaller, texts shrink below the font.
    QSizeF sizeAt(const QFont& font) const;

private:
    friend class Builder;
    struct Text {
        QRectF rect; // where it fits, in the drawing's units
        QString text;
    };
    // What was laid out, in the drawing's units: lines and outlines, filled shapes, texts.
    QPainterPath strokes_;
    QPainterPath fills_;
    std::vector<QTransform> resistors_; // drawn in the style of the moment they are painted
    std::vector<Text> texts_;
    std::vector<Box> symbols_;
    std::vector<Box> labels_;
    QString description_;
    QRectF bounds_;
};

// A network between two terminals, laid out from its tree: series parts in a row, parallel
// branches stacked, joined by wires and node dots.
Drawing network(const Network& network);

// A divider from `top` (V in, or the regulator's output in feedback) through r1 to the middle
// node (V out, or the reference) and r2 to ground; each label is a value with its unit.
// In the fixed circuits a part's value is drawn after its name ("R1 4.7 kΩ"); a terminal's text
// is drawn as given, so it names itself ("V in = 5 V").
Drawing divider(const QString& r1, const QString& r2, const QString& top, const QString& middle);

// A supply, its series resistor and `count` LEDs in series to ground (a long string is drawn
// with its first and last LEDs and the count between them).
Drawing ledString(const QString& supply, const QString& resistor, int count, const QString& led);

// A first-order RC filter from input to output (low pass: R in series, C to ground; high pass
// the other way round).
enum class Filter { LowPass, HighPass };
Drawing rcFilter(Filter filter, const QString& r, const QString& c);

// L and C in parallel (the tank whose resonance the tool computes).
Drawing lcTank(const QString& l, const QString& c);

// The 555 as an astable (R1 from the supply to discharge, R2 to threshold and trigger, C to
// ground), with a diode across R2 when `diode`; and as a monostable (R from the supply, C).
Drawing astable555(const QString& r1, const QString& r2, const QString& c, bool diode);
Drawing monostable555(const QString& r, const QString& c);

// Matched attenuator pads between two ports of impedance z: Pi (shunt, series, shunt), T
// (series, shunt, series) and bridged T (two arms of z, the bridge across them, the shunt).
Drawing piPad(const QString& shunt, const QString& series);
Drawing teePad(const QString& series, const QString& shunt);
Drawing bridgedTeePad(const QString& arm, const QString& bridge, const QString& shunt);

} // namespace schematic
