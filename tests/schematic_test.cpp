// SPDX-License-Identifier: MIT
// The schematic painter judged on what it laid out, not on pixels: every series-parallel shape of
// one to four parts and every fixed circuit with no symbol or label on another, descriptions that
// read as the tables write, the resistor style kept, and the view's Copy picture.
#include "schematic/amplifiers.h"
#include "schematic/schematic.h"
#include "tools/circuitview.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using schematic::Drawing;
using schematic::Network;
using schematic::Symbol;

Network part(const char* label, Symbol symbol = Symbol::Resistor)
{
    return Network::part(symbol, QString::fromUtf8(label));
}
Network series(std::vector<Network> parts)
{
    return Network::series(std::move(parts));
}
Network parallel(std::vector<Network> parts)
{
    return Network::parallel(std::move(parts));
}

// The same shape with every group's parts in the other order: the drawing must not care which
// branch comes first.
Network reversed(Network n)
{
    std::reverse(n.parts.begin(), n.parts.end());
    for (Network& p : n.parts)
        p = reversed(std::move(p));
    return n;
}

// Labels of very different widths, so a wide one next to a narrow one is tried everywhere.
Network a()
{
    return part("1.234 MΩ");
}
Network b()
{
    return part("1");
}
Network c()
{
    return part("47 kΩ");
}
Network d()
{
    return part("100 nF", Symbol::Capacitor);
}

struct Shape {
    const char* name;
    std::function<Network()> make;
};

// Every series-parallel shape of one to four parts: 1, 2, 4 and 10 of them.
const Shape shapes[] = {
    {"one part", [] { return a(); }},
    {"two in series",
     [] {
         return series({a(), b()});
     }},
    {"two in parallel",
     [] {
         return parallel({a(), b()});
     }},
    {"three in series",
     [] {
         return series({a(), b(), c()});
     }},
    {"three in parallel",
     [] {
         return parallel({a(), b(), c()});
     }},
    {"one in series with a parallel pair",
     [] {
         return series({a(), parallel({b(), c()})});
     }},
    {"one in parallel with a series pair",
     [] {
         return parallel({a(), series({b(), c()})});
     }},
    {"four in series",
     [] {
         return series({a(), b(), c(), d()});
     }},
    {"four in parallel",
     [] {
         return parallel({a(), b(), c(), d()});
     }},
    {"two in series with a parallel pair",
     [] {
         return series({a(), b(), parallel({c(), d()})});
     }},
    {"two in parallel with a series pair",
     [] {
         return parallel({a(), b(), series({c(), d()})});
     }},
    {"one in series with a parallel three",
     [] {
         return series({a(), parallel({b(), c(), d()})});
     }},
    {"one in parallel with a series three",
     [] {
         return parallel({a(), series({b(), c(), d()})});
     }},
    {"one in series with a parallel of one and a series pair",
     [] {
         return series({a(), parallel({b(), series({c(), d()})})});
     }},
    {"one in parallel with a series of one and a parallel pair",
     [] {
         return parallel({a(), series({b(), parallel({c(), d()})})});
     }},
    {"two parallel pairs in series",
     [] {
         return series({parallel({a(), b()}), parallel({c(), d()})});
     }},
    {"two series pairs in parallel",
     [] {
         return parallel({series({a(), b()}), series({c(), d()})});
     }},
};

// Every pair of boxes among the symbols and labels that share more than a hair of area.
std::vector<std::string> overlaps(const Drawing& drawing)
{
    std::vector<Drawing::Box> boxes = drawing.symbols();
    boxes.insert(boxes.end(), drawing.labels().begin(), drawing.labels().end());
    std::vector<std::string> found;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        if (!drawing.bounds().contains(boxes[i].rect))
            found.push_back(boxes[i].text.toStdString() + " outside the drawing");
        for (std::size_t j = i + 1; j < boxes.size(); ++j) {
            const QRectF shared = boxes[i].rect.intersected(boxes[j].rect);
            if (shared.width() > 1e-6 && shared.height() > 1e-6)
                found.push_back(boxes[i].text.toStdString() + " on " + boxes[j].text.toStdString());
        }
    }
    return found;
}

std::size_t leaves(const Network& n)
{
    if (n.join == Network::Join::Part)
        return 1;
    std::size_t count = 0;
    for (const Network& p : n.parts)
        count += leaves(p);
    return count;
}

TEST(Schematic, EverySeriesParallelShapeOfUpToFourPartsIsDrawnWithoutOverlaps)
{
    for (const Shape& shape : shapes) {
        for (const bool backwards : {false, true}) {
            SCOPED_TRACE(std::string(shape.name) + (backwards ? ", parts in the other order" : ""));
            const Network n = backwards ? reversed(shape.make()) : shape.make();
            const Drawing drawing = schematic::network(n);
            ASSERT_FALSE(drawing.isEmpty());
            EXPECT_EQ(drawing.symbols().size(), leaves(n));
            EXPECT_EQ(drawing.labels().size(), leaves(n));
            EXPECT_EQ(overlaps(drawing), std::vector<std::string>{});
        }
    }
}

struct Fixed {
    const char* name;
    std::function<Drawing()> make;
    std::size_t symbols; // parts, grounds, supplies and chips
};

const Fixed fixedCircuits[] = {
    {"divider", [] { return schematic::divider("10 kΩ", "20 kΩ", "V in 5 V", "V out 3.3 V"); }, 3},
    {"feedback divider", [] { return schematic::divider("1.5 MΩ", "100 Ω", "V out 12 V", "V ref 0.8 V"); }, 3},
    {"one LED", [] { return schematic::ledString("5 V", "150 Ω", 1, "2 V"); }, 3},
    {"four LEDs", [] { return schematic::ledString("12 V", "68 Ω", 4, "2.1 V"); }, 6},
    {"twelve LEDs, drawn as first and last", [] { return schematic::ledString("48 V", "1.2 kΩ", 12, "3.2 V"); }, 4},
    {"low pass", [] { return schematic::rcFilter(schematic::Filter::LowPass, "1.6 kΩ", "100 nF"); }, 3},
    {"high pass", [] { return schematic::rcFilter(schematic::Filter::HighPass, "160 kΩ", "1 µF"); }, 3},
    {"LC tank", [] { return schematic::lcTank("10 µH", "100 pF"); }, 2},
    {"555 astable", [] { return schematic::astable555("1 kΩ", "10 kΩ", "10 nF", false); }, 7},
    {"555 astable with the diode", [] { return schematic::astable555("1.234 MΩ", "1.234 MΩ", "4.7 µF", true); }, 8},
    {"555 monostable", [] { return schematic::monostable555("100 kΩ", "10 µF"); }, 6},
    {"Pi pad", [] { return schematic::piPad("96.25 Ω", "71.15 Ω"); }, 3},
    {"T pad", [] { return schematic::teePad("8.55 Ω", "1.234 kΩ"); }, 3},
    {"bridged T pad", [] { return schematic::bridgedTeePad("50 Ω", "108.1 Ω", "23.12 Ω"); }, 4},
    {"non-inverting amplifier", [] { return schematic::opAmp(schematic::OpAmp::NonInverting, "180 kΩ", "20 kΩ"); }, 4},
    {"non-inverting amplifier with Rb",
     [] { return schematic::opAmp(schematic::OpAmp::NonInverting, "1.234 MΩ", "1.234 MΩ", "620 kΩ"); }, 5},
    {"inverting amplifier", [] { return schematic::opAmp(schematic::OpAmp::Inverting, "47 kΩ", "10 kΩ"); }, 4},
    {"inverting amplifier with Rb",
     [] { return schematic::opAmp(schematic::OpAmp::Inverting, "1.234 MΩ", "1.234 MΩ", "620 kΩ"); }, 5},
    {"difference amplifier", [] { return schematic::opAmp(schematic::OpAmp::Difference, "1.234 MΩ", "1.234 MΩ"); }, 6},
    {"adjustable regulator", [] { return schematic::adjustableRegulator("240 Ω", "715 Ω", "out = 5.0097 V"); }, 4},
    {"shunt reference", [] { return schematic::shuntReference("10 kΩ", "10 kΩ", "out = 5.0097 V"); }, 4},
    {"Zener shunt", [] { return schematic::zenerShunt("9 to 12 V", "100 Ω", "5.1 V", "0 to 20 mA"); }, 4},
    {"bipolar switch", [] { return schematic::bjtSwitch("5 V", "430 Ω", "100 mA"); }, 5},
    {"MOSFET switch", [] { return schematic::mosfetSwitch("5 V", "20 Ω", "10 kΩ", "2 A"); }, 7},
    {"heat path", [] { return schematic::heatPath("junction 125 °C", "5 K/W", "0.5 K/W", "23.071 K/W", "air 25 °C"); },
     3},
};

TEST(Schematic, EveryFixedCircuitIsDrawnWithoutOverlapsAndDescribed)
{
    for (const Fixed& circuit : fixedCircuits) {
        SCOPED_TRACE(circuit.name);
        const Drawing drawing = circuit.make();
        ASSERT_FALSE(drawing.isEmpty());
        EXPECT_EQ(drawing.symbols().size(), circuit.symbols);
        EXPECT_EQ(overlaps(drawing), std::vector<std::string>{});
        EXPECT_FALSE(drawing.description().isEmpty());
    }
}

TEST(Schematic, NetworksAreDescribedAsTheyAreBuilt)
{
    const struct {
        Network network;
        const char* words = nullptr;
    } cases[] = {
        {part("4.7k"), "4.7k"},
        {parallel({part("10k"), part("10k")}), "10k in parallel with 10k"},
        {series({part("4.7k"), parallel({part("10k"), part("22k")})}),
         "4.7k in series with (10k in parallel with 22k)"},
        {parallel({part("7.5k"), series({part("6.8k"), part("1.2k")})}),
         "7.5k in parallel with (6.8k in series with 1.2k)"},
        {series({parallel({part("1k"), part("2k")}), parallel({part("3k"), part("4k")})}),
         "(1k in parallel with 2k) in series with (3k in parallel with 4k)"},
        {series({part("", Symbol::Inductor), part("100n", Symbol::Capacitor)}), "an inductor in series with 100n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(schematic::network(c.network).description().toStdString(), c.words);
}

TEST(Schematic, AGroupWithNothingInItDrawsNothing)
{
    EXPECT_TRUE(schematic::network(series({})).isEmpty());
    EXPECT_TRUE(schematic::network(parallel({part("1k"), series({})})).isEmpty());
    EXPECT_TRUE(Drawing().isEmpty());
}

// Restores the style the test found, so the order of the tests does not matter.
class ResistorStyle : public ::testing::Test {
protected:
    void TearDown() override { schematic::setResistorStyle(found); }
    schematic::ResistorStyle found = schematic::resistorStyle();
};

TEST_F(ResistorStyle, ZigzagChangesTheSymbolAndIsKept)
{
    const Drawing drawing = schematic::network(series({part("1k"), part("2k")}));
    schematic::setResistorStyle(schematic::ResistorStyle::Box);
    const QByteArray box = drawing.svg(QApplication::palette());

    schematic::setResistorStyle(schematic::ResistorStyle::Zigzag);
    EXPECT_EQ(schematic::resistorStyle(), schematic::ResistorStyle::Zigzag);
    EXPECT_EQ(QSettings(QStringLiteral("voltiva"), QStringLiteral("voltiva")).value("schematic/resistorStyle"),
              QStringLiteral("zigzag"));
    // A drawing already made follows the setting too: views repaint with it.
    EXPECT_NE(drawing.svg(QApplication::palette()), box);

    schematic::setResistorStyle(schematic::ResistorStyle::Box);
    EXPECT_EQ(drawing.svg(QApplication::palette()), box);
}

TEST(Schematic, InkIsThePalettesTextColourOnItsBase)
{
    QPalette dark;
    dark.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::Text, QColor(0xf0, 0xf0, 0xf0));
    const QImage picture = schematic::divider("1k", "2k", "5 V", "2.5 V").image({}, 2.0, dark);
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.devicePixelRatio(), 2.0);
    bool inked = false;
    for (int y = 0; y < picture.height() && !inked; ++y) {
        for (int x = 0; x < picture.width() && !inked; ++x)
            inked = picture.pixelColor(x, y) == QColor(0xf0, 0xf0, 0xf0);
    }
    EXPECT_EQ(picture.pixelColor(0, 0), QColor(0x20, 0x20, 0x20));
    EXPECT_TRUE(inked);
}

TEST(CircuitView, CopyPicturePutsSvgAndPngOnTheClipboard)
{
    tools::CircuitView view;
    auto* copy = view.findChild<QPushButton*>(QStringLiteral("cmdCopyPicture"));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->text(), QStringLiteral("Copy &picture"));
    EXPECT_FALSE(copy->isEnabled());

    view.setDrawing(schematic::network(parallel({part("10k"), part("10k")})));
    EXPECT_EQ(view.accessibleDescription(), QStringLiteral("10k in parallel with 10k"));
    view.show();
    QApplication::clipboard()->clear();
    ASSERT_TRUE(copy->isEnabled());
    QTest::mouseClick(copy, Qt::LeftButton);

    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->data(QStringLiteral("image/svg+xml")).contains("<svg"));
    const auto picture = qvariant_cast<QImage>(data->imageData());
    EXPECT_FALSE(picture.isNull());
    EXPECT_TRUE(data->hasImage());

    view.setDrawing({});
    EXPECT_FALSE(copy->isEnabled());
}

} // namespace
