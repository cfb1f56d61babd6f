// SPDX-License-Identifier: MIT
// The Transmission lines window, built directly: the users' figures as they type them, the width
// found for an impedance, refusals beside their fields, and the cross-section of every type drawn
// with its labels clear of the copper and of each other.
#include "schematic/crosssection.h"
#include "tools/circuitview.h"
#include "tools/lines/lines.h"

#include "window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <string_view>
#include <utility>
#include <vector>

namespace {

using window::child;
using window::text;
using window::type;

void choose(QWidget& panel, const char* box, const QString& item)
{
    auto* combo = child<QComboBox>(panel, box);
    combo->setCurrentIndex(combo->findText(item));
}

TEST(LinesWindow, AnswersTheUsersFiguresAsTheyAreTyped)
{
    struct Case {
        const char* type;
        std::vector<std::pair<const char*, const char*>> typed;
        const char* impedance;
        const char* erEff;
    };
    const Case cases[] = {
        {"Microstrip",
         {{"txtLineW", "3"}, {"txtLineH", "1.6mm"}, {"txtLineT", "0"}, {"txtLineEr", "4.5"}},
         "50.108 Ω (45.852-54.35 Ω over the tolerances)",
         "3.3933 (3.4092 at 1 GHz)"},
        {"Stripline",
         {{"txtLineW", "0.3"}, {"txtLineB", "1"}, {"txtLineT", "0"}, {"txtLineEr", "4.5"}},
         "60.956 Ω (54.729-67.474 Ω over the tolerances)",
         "4.5"},
        {"Grounded coplanar waveguide (GCPW)",
         {{"txtLineW", "1"}, {"txtLineS", "0.2"}, {"txtLineH", "1.6"}, {"txtLineT", "0"}, {"txtLineEr", "4.5"}},
         "53.873 Ω (50.359-57.387 Ω over the tolerances)",
         "2.808"},
        {"Edge-coupled microstrip",
         {{"txtLineW", "0.2"}, {"txtLineS", "0.2"}, {"txtLineH", "0.2"}, {"txtLineT", "0"}, {"txtLineEr", "4.3"}},
         "122.27 Ω (107.53-138.34 Ω over the tolerances)",
         "2.8312 odd, 3.3126 even"},
        {"Coax",
         {{"txtLineD", "0.9"}, {"txtLineOuter", "2.95"}, {"txtLineEr", "2.25"}},
         "47.454 Ω (40.39-54.886 Ω over the tolerances)",
         "2.25"},
    };
    tools::Lines panel;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        choose(panel, "cboLineType", QString::fromUtf8(c.type));
        for (const auto& [field, value] : c.typed)
            type(panel, field, QString::fromUtf8(value));
        EXPECT_EQ(text(panel, "lblLineImpedance").toStdString(), c.impedance);
        EXPECT_EQ(text(panel, "lblLineErEff").toStdString(), c.erEff);
    }
}

TEST(LinesWindow, FindsTheWidthRoundsItAndDrawsIt)
{
    tools::Lines panel;
    type(panel, "txtLineH", QStringLiteral("1.6"));
    type(panel, "txtLineT", QStringLiteral("0"));
    type(panel, "txtLineEr", QStringLiteral("4.5"));
    child<QComboBox>(panel, "cboLineSolve")->setCurrentIndex(1);
    type(panel, "txtLineGoal", QStringLiteral("50"));
    EXPECT_FALSE(child<QLineEdit>(panel, "txtLineW")->isEnabled());
    EXPECT_EQ(text(panel, "lblLineFound"), QStringLiteral("w = 3.01 mm gives 50.009 Ω (3.0109 mm gives 50 Ω)"));
    EXPECT_TRUE(child<tools::CircuitView>(panel, "picLineSection")
                    ->drawing()
                    .description()
                    .startsWith(QStringLiteral("Microstrip: a strip w 3.01 mm wide")));
    type(panel, "txtLineStep", QStringLiteral("0.1mil"));
    EXPECT_EQ(text(panel, "lblLineFound").toStdString(), "w = 3.0099 mm gives 50.01 Ω (3.0109 mm gives 50 Ω)");
    type(panel, "txtLineGoal", QStringLiteral("500"));
    EXPECT_EQ(text(panel, "lblLineGoalMessage"),
              QStringLiteral("No width the model takes gives 500 Ω: from 0.016 mm to 160 mm it gives 1.7238 Ω to "
                             "235.74 Ω"));
    EXPECT_EQ(text(panel, "lblLineImpedance"), QString());
}

TEST(LinesWindow, RefusesBesideTheFieldWithTheModelsRange)
{
    tools::Lines panel;
    type(panel, "txtLineW", QStringLiteral("300"));
    type(panel, "txtLineH", QStringLiteral("1.6"));
    type(panel, "txtLineEr", QStringLiteral("4.5"));
    EXPECT_EQ(text(panel, "lblLineWMessage"),
              QStringLiteral("w/h is 187.5: Hammerstad and Jensen's model holds for w/h from 0.01 to 100"));
    EXPECT_EQ(text(panel, "lblLineImpedance"), QString());
    type(panel, "txtLineW", QStringLiteral("3"));
    type(panel, "txtLineTolWidth", QStringLiteral("4mm"));
    EXPECT_EQ(text(panel, "lblLineTolerancesMessage"),
              QStringLiteral("The tolerance leaves nothing of 3 mm: make it smaller"));
    // A laminate chosen fills in its figures; figures typed show the laminate they are.
    choose(panel, "cboLineMaterial", QStringLiteral("Alumina, er 9.8"));
    EXPECT_EQ(text(panel, "txtLineEr"), QStringLiteral("9.8"));
    type(panel, "txtLineEr", QStringLiteral("4.5"));
    type(panel, "txtLineTanD", QStringLiteral("0.02"));
    EXPECT_EQ(child<QComboBox>(panel, "cboLineMaterial")->currentText(), QStringLiteral("FR-4, er 4.5"));
}

// The figure a field line starts with: "49.906 Ω (formula ...".
double leading(const QString& text)
{
    return text.section(u' ', 0, 0).toDouble();
}

// Every type answers on the field solution too, once typing pauses, beside the formula and how far
// apart; the mask, on an outer layer, lowers it.
TEST(LinesWindow, SolvesEveryTypeAsAFieldBesideTheFormula)
{
    struct Case {
        const char* type;
        std::vector<std::pair<const char*, const char*>> typed;
        bool outer; // a mask applies
    };
    const Case cases[] = {
        {"Microstrip", {{"txtLineW", "0.36"}, {"txtLineH", "0.2"}, {"txtLineEr", "4.3"}}, true},
        {"Stripline", {{"txtLineW", "0.2"}, {"txtLineB", "0.6"}, {"txtLineEr", "4.3"}}, false},
        {"Offset stripline", {{"txtLineW", "0.15"}, {"txtLineB", "0.8"}, {"txtLineH", "0.2"}}, false},
        {"Coplanar waveguide (CPW)", {{"txtLineW", "0.5"}, {"txtLineS", "0.15"}, {"txtLineH", "1"}}, true},
        {"Grounded coplanar waveguide (GCPW)", {{"txtLineW", "0.5"}, {"txtLineS", "0.15"}, {"txtLineH", "0.4"}}, true},
        {"Edge-coupled microstrip", {{"txtLineW", "0.15"}, {"txtLineS", "0.2"}, {"txtLineH", "0.12"}}, true},
        {"Edge-coupled stripline", {{"txtLineW", "0.1"}, {"txtLineS", "0.15"}, {"txtLineB", "0.5"}}, false},
    };
    tools::Lines panel;
    auto* mask = child<QCheckBox>(panel, "chkLineMask");
    const QRegularExpression answer(QStringLiteral("^[0-9.]+ Ω \\(formula [0-9.]+ Ω, [0-9.]+ % apart\\)$"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        choose(panel, "cboLineType", QString::fromUtf8(c.type));
        for (const auto& [field, value] : c.typed)
            type(panel, field, QString::fromUtf8(value));
        EXPECT_EQ(text(panel, "lblLineField"), QStringLiteral("solving…"));
        ASSERT_TRUE(window::waitFor([&] { return text(panel, "lblLineField").contains(QStringLiteral("apart")); }))
            << text(panel, "lblLineField").toStdString();
        const QString bare = text(panel, "lblLineField");
        EXPECT_TRUE(answer.match(bare).hasMatch()) << bare.toStdString();
        if (std::string_view(c.type).starts_with("Edge")) {
            EXPECT_TRUE(text(panel, "lblLineFieldModes").contains(QStringLiteral("(formula "))) << c.type;
        }
        EXPECT_EQ(mask->isVisibleTo(&panel), c.outer);
        if (!c.outer)
            continue;
        mask->setChecked(true);
        ASSERT_TRUE(window::waitFor([&] { return text(panel, "lblLineField").contains(QStringLiteral("apart")); }));
        EXPECT_LT(leading(text(panel, "lblLineField")), leading(bare) - 0.5)
            << text(panel, "lblLineField").toStdString();
        mask->setChecked(false);
    }
    for (const char* round : {"Coax", "Twisted pair"}) {
        choose(panel, "cboLineType", QString::fromUtf8(round));
        type(panel, "txtLineD", QStringLiteral("0.5"));
        type(panel, "txtLineOuter", QStringLiteral("2"));
        EXPECT_EQ(text(panel, "lblLineField"), QStringLiteral("the formula is exact for this line")) << round;
        EXPECT_FALSE(child<QWidget>(panel, "grpLineField")->isVisibleTo(&panel)) << round;
    }
}

// The width for an impedance found on the field solution, the mask in it; what the field solution
// refuses, and options that do not read, said where they belong.
TEST(LinesWindow, FindsTheWidthOnTheFieldAndSaysWhatItCannotSolve)
{
    tools::Lines panel;
    type(panel, "txtLineH", QStringLiteral("0.2"));
    type(panel, "txtLineEr", QStringLiteral("4.3"));
    child<QComboBox>(panel, "cboLineSolve")->setCurrentIndex(1);
    type(panel, "txtLineGoal", QStringLiteral("50"));
    child<QCheckBox>(panel, "chkLineMask")->setChecked(true);
    child<QCheckBox>(panel, "chkLineFieldFind")->setChecked(true);
    ASSERT_TRUE(window::waitFor([&] { return text(panel, "lblLineFound").contains(QStringLiteral("field")); }));
    // "w = 310 µm gives 50.1 Ω on the field solution (308.12 µm gives 50 Ω; the formula's 350.52 µm)"
    const QRegularExpression found(QStringLiteral("^w = ([0-9.]+) µm gives ([0-9.]+) Ω on the field solution "
                                                  "\\(([0-9.]+) µm gives 50 Ω; the formula's ([0-9.]+) µm\\)$"));
    const auto m = found.match(text(panel, "lblLineFound"));
    ASSERT_TRUE(m.hasMatch()) << text(panel, "lblLineFound").toStdString();
    EXPECT_NEAR(m.captured(2).toDouble(), 50, 1);
    EXPECT_LT(m.captured(3).toDouble(), m.captured(4).toDouble() * 0.95); // the mask lowers Z0: a narrower strip
    EXPECT_NEAR(m.captured(1).toDouble(), m.captured(3).toDouble(), 5.01);
    EXPECT_EQ(leading(text(panel, "lblLineField")), m.captured(2).toDouble());

    type(panel, "txtLineMaskT", QStringLiteral("3mm"));
    EXPECT_EQ(text(panel, "lblLineField"),
              QStringLiteral("the mask is 15 h thick: the field solution takes a mask from 0 to 10 h thick"));
    type(panel, "txtLineEtch", QStringLiteral("75"));
    EXPECT_EQ(text(panel, "lblLineFieldMessage"), QStringLiteral("'75' is outside 0° (upright) to 60°"));
    EXPECT_EQ(text(panel, "lblLineField"), QString());
}

TEST(CrossSection, EveryTypeKeepsItsLabelsClearOfTheCopperAndOfEachOther)
{
    using Kind = schematic::CrossSection::Kind;
    for (int k = 0; k <= 2 * static_cast<int>(Kind::TwistedPair) + 1; ++k) {
        schematic::CrossSection c;
        c.kind = static_cast<Kind>(k / 2);
        // Each with the mask and etched sides as well (where there is an outer layer to mask).
        c.mask = k % 2 == 1;
        c.maskT = QStringLiteral("20 µm");
        c.maskEr = QStringLiteral("3.8");
        c.etch = c.mask ? QStringLiteral("30°") : QString();
        // The widest figures five digits give.
        c.w = c.s = c.h = c.b = c.d = c.D = QStringLiteral("0.12345 mm");
        c.t = QStringLiteral("17.999 µm");
        c.er = QStringLiteral("10.999");
        const schematic::Drawing d = schematic::crossSection(c);
        SCOPED_TRACE(d.description().toStdString());
        std::vector<schematic::Drawing::Box> boxes = d.symbols();
        boxes.insert(boxes.end(), d.labels().begin(), d.labels().end());
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            EXPECT_TRUE(d.bounds().contains(boxes[i].rect)) << boxes[i].text.toStdString();
            for (std::size_t j = i + 1; j < boxes.size(); ++j) {
                const QRectF shared = boxes[i].rect.intersected(boxes[j].rect);
                EXPECT_FALSE(shared.width() > 1e-6 && shared.height() > 1e-6)
                    << boxes[i].text.toStdString() << " on " << boxes[j].text.toStdString();
            }
        }
        EXPECT_FALSE(d.description().contains(QStringLiteral("%")));
    }
}

} // namespace
