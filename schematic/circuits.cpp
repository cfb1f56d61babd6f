// SPDX-License-Identifier: MIT
// The fixed circuits, each placed by hand on the drawing's grid; labels are measured, so a long
// value pushes its neighbours aside instead of running into them.
#include "schematic/builder.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace schematic {

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
    return b.finish(QStringLiteral("A divider: R1 %1 from %2 to %3, R2 %4 from there to ground")
                        .arg(given(r1), top, middle, given(r2)));
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
    return b.finish(QStringLiteral("From %1 through R %2 and %3 (%4 each) to ground")
                        .arg(given(supply), given(resistor), leds, given(led)));
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
    return b.finish(
        low ? QStringLiteral("A low-pass filter: R %1 from in to out, C %2 from out to ground").arg(given(r), given(c))
            : QStringLiteral("A high-pass filter: C %1 from in to out, R %2 from out to ground")
                  .arg(given(c), given(r)));
}

Drawing lcTank(const QString& l, const QString& c)
{
    Drawing d = network(Network::parallel({Network::part(Symbol::Inductor, named(QStringLiteral("L"), l)),
                                           Network::part(Symbol::Capacitor, named(QStringLiteral("C"), c))}));
    return Builder::redescribed(std::move(d),
                                QStringLiteral("A tank: L %1 in parallel with C %2").arg(given(l), given(c)));
}

namespace {

// The 555 with its supply, output and ground wired, its left pins at the heights the timing parts
// want them. Pins named "7 DIS" and so on, as data sheets write them.
struct Chip555 {
    QRectF rect;
    double left = 0; // x of the left pins
};

Chip555 chip555(Builder& b, double x, const std::vector<std::pair<double, QString>>& leftPins)
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
        b, x, {{2.4, QStringLiteral("7 DIS")}, {4.0, QStringLiteral("6 THR")}, {4.9, QStringLiteral("2 TRIG")}});
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
            .arg(given(r1), given(r2), given(c));
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
    const Chip555 chip = chip555(b, x, {{2.4, QStringLiteral("7 DIS")}, {3.4, QStringLiteral("6 THR")}});
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
                        .arg(given(r), given(c)));
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
    return b.finish(QStringLiteral("A Pi pad: %1 across the input, %2 in series, %1 across the output")
                        .arg(given(shunt), given(series)));
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
    return b.finish(
        QStringLiteral("A T pad: %1 in series, %2 to the common line, %1 in series").arg(given(series), given(shunt)));
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
                        .arg(given(arm), given(bridge), given(shunt)));
}

} // namespace schematic
