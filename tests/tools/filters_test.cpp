// SPDX-License-Identifier: MIT
// The Filters window, built directly and used as a person would: the worked example designs its
// stages, plots and draws them, each refusal shows beside its field without the window changing
// size, the passive page answers its parts and designs for a target; and every filter drawn
// keeps its labels apart.
#include "schematic/filters.h"
#include "tools/catalogue.h"
#include "tools/circuitview.h"
#include "tools/filters/active.h"
#include "tools/filters/command.h"
#include "tools/filters/filters.h"
#include "tools/filters/passive.h"
#include "tools/plotview.h"

#include "window.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using window::child;
using window::text;
using window::type;

// Types into the active page and waits for the answer to be shown.
bool typed(tools::Filters& panel, const char* field, const QString& value)
{
    auto* page = child<tools::FiltersActive>(panel, "pageFiltersActive");
    QSignalSpy shown(page, &tools::FiltersActive::designShown);
    type(panel, field, value);
    return window::waitFor([&] { return !shown.isEmpty() && !text(panel, "lblFilterSummary").endsWith("..."); });
}

TEST(FiltersWindow, TheWorkedExampleDesignsPlotsAndDrawsTheFourthOrderButterworth)
{
    tools::Filters panel;
    ASSERT_TRUE(typed(panel, "txtFilterCorner", QStringLiteral("1k")));
    const auto* table = child<QTableWidget>(panel, "tblFilterSections");
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(window::cell(*table, 0, 2), QStringLiteral("0.5412"));
    EXPECT_EQ(window::cell(*table, 1, 2), QStringLiteral("1.3066"));
    EXPECT_EQ(window::cell(*table, 0, 7), QStringLiteral("R1 2.4 kΩ, R2 27 kΩ, C1 39 nF, C2 10 nF"));
    EXPECT_EQ(window::cell(*table, 1, 7), QStringLiteral("R3 1.2 kΩ, R4 30 kΩ, C3 180 nF, C4 3.9 nF"));
    EXPECT_TRUE(text(panel, "lblFilterSummary").contains(QStringLiteral("3 dB down at 1.0007 kHz")))
        << text(panel, "lblFilterSummary").toStdString();
    const auto* plot = child<tools::PlotView>(panel, "plotFilter");
    EXPECT_FALSE(plot->plot().isEmpty());
    const schematic::Drawing& drawing = child<tools::CircuitView>(panel, "picFilter")->drawing();
    int amps = 0;
    for (const schematic::Drawing::Box& b : drawing.symbols())
        amps += b.text == QStringLiteral("op-amp") ? 1 : 0;
    EXPECT_EQ(amps, 2);
    EXPECT_TRUE(drawing.description().contains(QStringLiteral("R3 1.2 kΩ")));

    // Each choice is designed again as it is made.
    auto* order = child<QComboBox>(panel, "cboFilterOrder");
    QSignalSpy shown(child<tools::FiltersActive>(panel, "pageFiltersActive"), &tools::FiltersActive::designShown);
    order->setCurrentIndex(4);
    ASSERT_TRUE(window::waitFor([&] { return table->rowCount() == 3; }));
    EXPECT_EQ(window::cell(*table, 0, 2), QStringLiteral("-")) << "the first-order stage has no Q";
}

TEST(FiltersWindow, EachRefusalShowsBesideItsFieldAndTheWindowKeepsItsSize)
{
    const struct {
        const char* field;
        const char* typed;
        const char* message;
    } refusals[] = {
        {"txtFilterCorner", "1kx", "lblFilterCornerMessage"},
        {"txtFilterRTolerance", "60", "lblFilterRToleranceMessage"},
        {"txtFilterCTolerance", "-1", "lblFilterCToleranceMessage"},
        {"txtFilterRFrom", "1kk", "lblFilterRMessage"},
        {"txtFilterCTo", "1p", "lblFilterCMessage"},
    };
    for (const auto& r : refusals) {
        SCOPED_TRACE(r.field);
        tools::Filters panel;
        window::typeExample(panel, tools::find("frmFilters")->example);
        panel.adjustSize();
        const QSize before = panel.size();
        const QString was = text(panel, r.field);
        ASSERT_TRUE(typed(panel, r.field, QString::fromLatin1(r.typed)));
        EXPECT_FALSE(text(panel, r.message).isEmpty());
        EXPECT_EQ(child<QTableWidget>(panel, "tblFilterSections")->rowCount(), 0);
        EXPECT_TRUE(child<tools::PlotView>(panel, "plotFilter")->plot().isEmpty());
        panel.adjustSize();
        EXPECT_EQ(panel.size(), before);
        ASSERT_TRUE(typed(panel, r.field, was));
        EXPECT_TRUE(text(panel, r.message).isEmpty());
        EXPECT_GT(child<QTableWidget>(panel, "tblFilterSections")->rowCount(), 0);
    }
}

TEST(FiltersWindow, ThePassivePageAnswersItsPartsAndDesignsForATarget)
{
    tools::Filters panel;
    window::typeExample(panel, tools::find("frmFilters")->example);
    auto* form = child<QComboBox>(panel, "cboPassiveForm");
    const struct {
        const char* form;
        const char* r;
        const char* l;
        const char* c;
        const char* result;
    } cases[] = {
        {"RC low pass", "1k", "", "100n", "Corner 1.5915 kHz. 3 dB down at 1.5915 kHz."},
        {"RL high pass", "100", "10m", "", "Corner 1.5915 kHz. 3 dB down at 1.5915 kHz."},
        {"RLC band pass", "100", "10m", "100n", "f0 5.0329 kHz, Q 3.1623. 3 dB down at 4.2997 kHz and 5.8912 kHz."},
        {"LC low pass into the load R", "1k", "10m", "10n", "f0 15.915 kHz, Q 1. 3 dB down at 20.245 kHz."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.form);
        form->setCurrentText(QString::fromLatin1(c.form));
        type(panel, "txtPassiveR", QString::fromLatin1(c.r));
        type(panel, "txtPassiveL", QString::fromLatin1(c.l));
        type(panel, "txtPassiveC", QString::fromLatin1(c.c));
        EXPECT_EQ(text(panel, "lblPassiveResult").toStdString(), c.result);
        EXPECT_EQ(child<tools::PlotView>(panel, "plotPassive")->plot().panels.size(), 2U);
    }
    // The best parts for 1 kHz and Q 2, the best row drawn with its values.
    form->setCurrentText(QStringLiteral("RLC notch"));
    auto* page = child<tools::FiltersPassive>(panel, "pageFiltersPassive");
    QSignalSpy shown(page, &tools::FiltersPassive::designsShown);
    type(panel, "txtPassiveQ", QStringLiteral("2"));
    auto* table = child<QTableWidget>(panel, "tblPassiveDesigns");
    ASSERT_TRUE(
        window::waitFor([&] { return table->rowCount() == 10 && !text(panel, "lblPassiveStatus").endsWith("..."); }));
    const QString r = window::cell(*table, 0, 0);
    EXPECT_TRUE(child<tools::CircuitView>(panel, "picPassive")->drawing().description().contains(r)) << r.toStdString();
    type(panel, "txtPassiveTarget", QStringLiteral("0"));
    EXPECT_FALSE(text(panel, "lblPassiveTargetMessage").isEmpty());
    EXPECT_EQ(table->rowCount(), 0);
}

TEST(FiltersWindow, EachPassiveFormTakesOnlyItsParts)
{
    tools::Filters panel;
    const struct {
        const char* form;
        bool inductor;
        bool capacitor;
        bool q;
        bool resistors; // from a series, or the load typed above
        const char* rCaption;
    } forms[] = {
        {"RC high pass", false, true, false, true, "&Resistor:"},
        {"RL low pass", true, false, false, true, "&Resistor:"},
        {"LC high pass into the load R", true, true, true, false, "Load &R:"},
        {"RLC notch", true, true, true, true, "&Resistor:"},
    };
    auto* form = child<QComboBox>(panel, "cboPassiveForm");
    for (const auto& f : forms) {
        SCOPED_TRACE(f.form);
        form->setCurrentText(QString::fromLatin1(f.form));
        EXPECT_EQ(child<QLineEdit>(panel, "txtPassiveL")->isEnabled(), f.inductor);
        EXPECT_EQ(child<QLineEdit>(panel, "txtPassiveC")->isEnabled(), f.capacitor);
        EXPECT_EQ(child<QLineEdit>(panel, "txtPassiveQ")->isEnabled(), f.q);
        EXPECT_EQ(child<QComboBox>(panel, "cboPassiveRSeries")->isEnabled(), f.resistors);
        EXPECT_EQ(child<QComboBox>(panel, "cboPassiveLSeries")->isEnabled(), f.inductor);
        EXPECT_EQ(child<QLabel>(panel, "lblPassiveR")->text(), QString::fromLatin1(f.rCaption));
    }
}

TEST(FilterCommand, PlotsPicturesAsTheFilesEndingSays)
{
    for (const char* name : {"voltiva-filter-test.svg", "voltiva-filter-test.PNG"}) {
        const QString path = QDir::temp().filePath(QLatin1String(name));
        std::ostringstream out, err;
        const int status = cli::run({"filter", "--kind", "lowpass", "--response", "bessel", "--order", "3", "--f", "2k",
                                     "--plot", path.toStdString()},
                                    tools::filterCommands(), out, err);
        EXPECT_EQ(status, cli::exitOk) << err.str();
        EXPECT_EQ(err.str(), "");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        const QByteArray bytes = file.readAll();
        if (path.endsWith(QLatin1String(".svg")))
            EXPECT_TRUE(bytes.contains("<svg"));
        else
            EXPECT_FALSE(QImage::fromData(bytes, "PNG").isNull());
        file.remove();
    }
}

// Every pair of symbols and labels that share more than a hair of area, and any outside.
std::vector<std::string> overlaps(const schematic::Drawing& drawing)
{
    std::vector<schematic::Drawing::Box> boxes = drawing.symbols();
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

TEST(SchematicFilters, EveryStageAndLadderIsDrawnWithoutOverlaps)
{
    using schematic::Stage;
    // Labels of very different widths, so a wide one beside a narrow one is tried everywhere.
    const std::vector<QString> labels = {QStringLiteral("R1 1.234 MΩ"), QStringLiteral("R2 1 Ω"),
                                         QStringLiteral("C1 4.7 nF"),   QStringLiteral("C2 100.5 µF"),
                                         QStringLiteral("RF1 10 kΩ"),   QStringLiteral("RG1 1.5 MΩ")};
    const Stage stages[] = {Stage::RcLow,
                            Stage::RcHigh,
                            Stage::SallenKeyLow,
                            Stage::SallenKeyHigh,
                            Stage::SallenKeyEqualLow,
                            Stage::SallenKeyEqualHigh,
                            Stage::MultipleFeedbackLow,
                            Stage::MultipleFeedbackHigh};
    for (const Stage s : stages) {
        SCOPED_TRACE(static_cast<int>(s));
        const schematic::Drawing one = schematic::activeFilter({{s, labels}}, QStringLiteral("one"));
        EXPECT_EQ(overlaps(one), std::vector<std::string>{});
        const schematic::Drawing cascade = schematic::activeFilter({{s, labels}, {s, labels}}, QStringLiteral("two"));
        EXPECT_EQ(overlaps(cascade), std::vector<std::string>{});
    }
    using schematic::Rung;
    using schematic::Symbol;
    const Rung r{Symbol::Resistor, QStringLiteral("R 1.234 MΩ")};
    const Rung l{Symbol::Inductor, QStringLiteral("L 10 mH")};
    const Rung c{Symbol::Capacitor, QStringLiteral("C 100.5 µF")};
    const std::vector<std::pair<std::vector<Rung>, std::vector<std::vector<Rung>>>> ladders = {
        {{r}, {{c}}}, {{r, l}, {{c}}}, {{l}, {{c}, {r}}}, {{r}, {{l, c}}}, {{l, c}, {{r}}}};
    for (const auto& [series, branches] : ladders)
        EXPECT_EQ(overlaps(schematic::ladder(series, branches, QStringLiteral("ladder"))), std::vector<std::string>{});
}

} // namespace
