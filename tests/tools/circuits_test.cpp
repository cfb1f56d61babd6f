// SPDX-License-Identifier: MIT
// Every designer draws the row the user picks, by mouse or keyboard, or its best row until one is
// picked, with that row's values; a new answer draws its best row again.
#include "tools/amplifiers/amplifiers.h"
#include "tools/attenuator.h"
#include "tools/circuitview.h"
#include "tools/dividerdesign.h"
#include "tools/filters/filters.h"
#include "tools/ledresistor.h"
#include "tools/standardvalues/myparts.h"
#include "tools/standardvalues/standardvalues.h"
#include "tools/timing/timing.h"

#include "window.h"

#include <QFile>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

namespace {

using window::cell;
using window::child;

// "36k || (9.1k + 820)" as a screen reader hears the drawing.
QString inWords(QString text)
{
    return text.replace(QStringLiteral(" || "), QStringLiteral(" in parallel with "))
        .replace(QStringLiteral(" + "), QStringLiteral(" in series with "));
}

struct Designer {
    const char* name;
    std::function<QWidget*()> make;
    const char* example; // typed first: the table answers
    const char* table;
    std::vector<int> columns; // the cells of a row its drawing must show
    int best = 0;             // drawn while no row is picked
    // Typed beside the designer: the drawing shows what is typed until a row is picked again.
    const char* parts = "";
    const char* partsDrawn = "";
    const char* again = ""; // typed last: a new answer
};

void PrintTo(const Designer& d, std::ostream* out)
{
    *out << d.name;
}

template <class Panel>
std::function<QWidget*()> make()
{
    return [] { return new Panel; };
}

const Designer designers[] = {
    {"RC",
     make<tools::Timing>(),
     "txtRcTarget=1k",
     "tblRcPairs",
     {0, 1},
     0,
     "txtRcR=1k",
     "R 1 kΩ from in to out, C not given",
     "txtRcTarget=2k"},
    {"LC",
     make<tools::Timing>(),
     "tabTiming=Resonance;txtLcL=10u;txtLcTarget=159k",
     "tblLcCapacitors",
     {0},
     0,
     "txtLcC=47n",
     "L 10 µH in parallel with C 47 nF",
     "txtLcTarget=100k"},
    {"555",
     make<tools::Timing>(),
     "tabTiming=555 timer;txt555F=1k;txt555Duty=60",
     "tbl555Designs",
     {0, 1, 2},
     0,
     "txt555R1=4k7",
     "R1 4.7 kΩ",
     "txt555F=2k"},
    {"divider", make<tools::DividerDesign>(), "txtVin=5;txtVout=3.3", "tblPairs", {0, 1, 2}, 0, "", "", "txtVout=2.5"},
    {"standard values",
     make<tools::StandardValues>(),
     "txtTarget=7k777;tabStandard=Networks",
     "tblNetworks",
     {0},
     0,
     "",
     "",
     "txtTarget=4k321"},
    // Exact, at or above, below: the part to buy is the one at or above.
    {"LED resistor",
     make<tools::LedResistor>(),
     "txtSupply=12;txtForward=2.2;txtCurrent=30m",
     "tblResistors",
     {0},
     1,
     "",
     "",
     "txtSupply=9"},
    // The passive filter's parts, drawn on the Circuit tab beside its Bode plot.
    {"passive filter",
     make<tools::Filters>(),
     "tabFilters=Passive;tabPassiveViews=Circuit;cboPassiveForm=RLC band pass;txtPassiveTarget=1k;txtPassiveQ=2",
     "tblPassiveDesigns",
     {0, 1, 2},
     0,
     "txtPassiveR=47",
     "R 47 Ω from out to ground",
     "txtPassiveTarget=2k"},
    // The standard value of each pad's resistors; a picked pad stays picked while values change.
    {"attenuator", make<tools::Attenuator>(), "txtPadDb=6;txtPadZ=50", "tblPads", {3}},
    {"op-amp", make<tools::Amplifiers>(), "txtOpAmpGain=10", "tblOpAmpPairs", {0, 1}, 0, "", "", "txtOpAmpGain=4.7"},
    {"regulator",
     make<tools::Amplifiers>(),
     "tabAmplifiers=Regulator;txtRegulatorVout=5",
     "tblRegulatorPairs",
     {0, 1},
     0,
     "",
     "",
     "txtRegulatorVout=12"},
    {"Zener",
     make<tools::Amplifiers>(),
     "tabAmplifiers=Zener;txtZenerSupply=9;txtZenerSupplyMax=12;txtZenerVz=5.1;txtZenerLoadMax=20m",
     "tblZenerResistors",
     {0},
     0,
     "",
     "",
     "txtZenerSupply=10"},
};

class DesignerDrawings : public ::testing::TestWithParam<Designer> {
protected:
    void SetUp() override { QFile::remove(tools::myparts::filePath()); }
    void TearDown() override { QFile::remove(tools::myparts::filePath()); }

    // What the drawings on show say.
    static QStringList drawn(const QWidget& panel)
    {
        QStringList words;
        for (const auto* view : panel.findChildren<tools::CircuitView*>()) {
            if (view->isVisibleTo(&panel))
                words << view->drawing().description();
        }
        return words;
    }

    // A drawing on show holds every checked cell of the row.
    static bool draws(const QWidget& panel, const QTableWidget& table, const std::vector<int>& columns, int row)
    {
        if (row >= table.rowCount())
            return false;
        for (const QString& words : drawn(panel)) {
            bool all = true;
            for (const int column : columns)
                all = all && !cell(table, row, column).isEmpty() && words.contains(inWords(cell(table, row, column)));
            if (all)
                return true;
        }
        return false;
    }
};

TEST_P(DesignerDrawings, DrawThePickedRowOrTheBest)
{
    const Designer& d = GetParam();
    const std::unique_ptr<QWidget> panel(d.make());
    panel->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
    auto* table = child<QTableWidget>(*panel, d.table);
    const auto drawsRow = [&](int row) { return draws(*panel, *table, d.columns, row); };
    const auto trace = [&] { return drawn(*panel).join(QStringLiteral(" / ")).toStdString(); };

    window::typeExample(*panel, d.example);
    ASSERT_TRUE(window::waitFor([&] { return table->rowCount() >= 3 && drawsRow(d.best); })) << trace();

    const QPoint third = table->visualRect(table->model()->index(2, d.columns.front())).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, third);
    EXPECT_TRUE(drawsRow(2)) << trace();
    QTest::keyClick(table, Qt::Key_Up);
    EXPECT_TRUE(drawsRow(1)) << trace();
    QTest::keyClick(table, Qt::Key_Up);
    EXPECT_TRUE(drawsRow(0)) << trace();

    if (*d.parts != '\0') {
        window::typeExample(*panel, d.parts);
        EXPECT_TRUE(drawn(*panel).join(u'/').contains(QString::fromUtf8(d.partsDrawn))) << trace();
        QTest::keyClick(table, Qt::Key_Return);
        EXPECT_TRUE(drawsRow(0)) << trace();
    }
    if (*d.again != '\0') {
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, third);
        window::typeExample(*panel, d.again);
        EXPECT_TRUE(window::waitFor([&] { return !table->selectionModel()->hasSelection() && drawsRow(d.best); }))
            << trace();
    }
}

INSTANTIATE_TEST_SUITE_P(Tools, DesignerDrawings, ::testing::ValuesIn(designers), [](const auto& info) {
    std::string name;
    for (const char c : std::string(info.param.name)) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            name += c;
    }
    return name;
});

TEST(StandardValuesDrawing, ABadTargetLeavesNothingDrawn)
{
    QFile::remove(tools::myparts::filePath());
    tools::StandardValues window;
    auto* view = child<tools::CircuitView>(window, "circuitView");
    auto* table = child<QTableWidget>(window, "tblNetworks");
    window::typeExample(window, "txtTarget=7k777");
    ASSERT_TRUE(window::waitFor([&] { return table->rowCount() > 0; }));
    EXPECT_FALSE(view->drawing().isEmpty());
    window::typeExample(window, "txtTarget=x");
    EXPECT_TRUE(view->drawing().isEmpty());
}

} // namespace
