// SPDX-License-Identifier: MIT
// The Amplifiers and regulators window, built directly: the worked example typed in gives the
// worked figures on every page, typing is answered as typed, and each page draws what it shows.
#include "tools/amplifiers/amplifiers.h"
#include "tools/catalogue.h"
#include "tools/circuitview.h"

#include "window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

using window::cell;
using window::child;
using window::text;
using window::type;

// The panel with the catalogue's worked example typed in, and every search answered.
std::unique_ptr<tools::Amplifiers> withExample()
{
    auto panel = std::make_unique<tools::Amplifiers>();
    window::typeExample(*panel, tools::find("frmAmplifiers")->example);
    for (const char* table : {"tblOpAmpPairs", "tblRegulatorPairs"}) {
        auto* t = child<QTableWidget>(*panel, table);
        EXPECT_TRUE(window::waitFor([t] { return t->rowCount() > 0; })) << table;
    }
    return panel;
}

QString drawn(const QWidget& panel, const char* view)
{
    return child<tools::CircuitView>(panel, view)->drawing().description();
}

TEST(AmplifiersWindow, TheWorkedExampleGivesTheWorkedFigures)
{
    const auto panel = withExample();
    const auto* opamp = child<QTableWidget>(*panel, "tblOpAmpPairs");
    // Gain 10, E24 from 1 k to 1 M: the four exact pairs, the smallest first.
    const char* exact[][2] = {{"18 kΩ", "2 kΩ"}, {"27 kΩ", "3 kΩ"}, {"180 kΩ", "20 kΩ"}, {"270 kΩ", "30 kΩ"}};
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(cell(*opamp, row, 0).toStdString(), exact[row][0]);
        EXPECT_EQ(cell(*opamp, row, 1).toStdString(), exact[row][1]);
        EXPECT_EQ(cell(*opamp, row, 3), QStringLiteral("exact"));
    }
    EXPECT_EQ(cell(*opamp, 0, 7), QStringLiteral("1.8 kΩ"));

    // 5 V from 1.25 V and 50 µA over 240 Ω: exactly 713.15 Ω, and 715 Ω of E96 gives 5.0097 V.
    const auto* regulator = child<QTableWidget>(*panel, "tblRegulatorPairs");
    EXPECT_EQ(cell(*regulator, 0, 1), QStringLiteral("715 Ω"));
    EXPECT_EQ(cell(*regulator, 0, 2), QStringLiteral("5.0097 V"));
    EXPECT_EQ(cell(*regulator, 0, 6), QStringLiteral("5.2083 mA, too little"));
    EXPECT_TRUE(text(*panel, "lblRegulatorStatus").contains(QStringLiteral("Exact R2: 713.15 Ω")));
    EXPECT_TRUE(text(*panel, "lblRegulatorStatus").contains(QStringLiteral("R1 above 125 Ω draws less")));

    const auto* zener = child<QTableWidget>(*panel, "tblZenerResistors");
    ASSERT_EQ(zener->rowCount(), 7);
    EXPECT_EQ(cell(*zener, 0, 0), QStringLiteral("75 Ω"));
    EXPECT_EQ(cell(*zener, 6, 0), QStringLiteral("130 Ω"));
    EXPECT_EQ(text(*panel, "lblZenerWindow"), QStringLiteral("Window: 71.168 Ω to 145.8 Ω"));

    EXPECT_EQ(text(*panel, "lblHeatPowerAnswer"), QStringLiteral("3.5 W ((V in - V out) × I)"));
    EXPECT_EQ(text(*panel, "lblHeatBare"), QStringLiteral("the junction at 200 °C: too hot; 2 W at most"));
    EXPECT_EQ(text(*panel, "lblHeatSink"), QStringLiteral("at most 23.071 K/W"));

    const auto* transistor = child<QTableWidget>(*panel, "tblSwitchResistors");
    EXPECT_EQ(cell(*transistor, 0, 0), QStringLiteral("430 Ω"));
    EXPECT_EQ(cell(*transistor, 1, 0), QStringLiteral("470 Ω"));
}

TEST(AmplifiersWindow, EachPageRefusesBesideTheFieldAndSaysWhy)
{
    tools::Amplifiers panel;
    type(panel, "txtOpAmpGain", QStringLiteral("1"));
    EXPECT_EQ(text(panel, "lblOpAmpGainMessage"), QStringLiteral("A gain of 1 needs no resistors: a follower"));
    type(panel, "txtOpAmpGain", QStringLiteral("-4.7"));
    EXPECT_EQ(text(panel, "lblOpAmpGainMessage"),
              QStringLiteral("A negative gain is the inverting amplifier's: choose Inverting"));
    EXPECT_EQ(child<QTableWidget>(panel, "tblOpAmpPairs")->rowCount(), 0);

    type(panel, "txtRegulatorVout", QStringLiteral("1"));
    EXPECT_EQ(text(panel, "lblRegulatorVoutMessage"),
              QStringLiteral("V out must be higher than V ref, 1.25 V: change V out"));
    type(panel, "txtRegulatorVrefMax", QStringLiteral("1.2"));
    type(panel, "txtRegulatorVout", QStringLiteral("5"));
    EXPECT_TRUE(text(panel, "lblRegulatorParameterMessage").startsWith(QStringLiteral("V ref's range runs")));

    type(panel, "txtZenerSupply", QStringLiteral("9"));
    type(panel, "txtZenerSupplyMax", QStringLiteral("12"));
    type(panel, "txtZenerVz", QStringLiteral("5.1"));
    type(panel, "txtZenerLoadMax", QStringLiteral("20m"));
    type(panel, "txtZenerPz", QStringLiteral("200mW"));
    EXPECT_TRUE(text(panel, "lblZenerWindow").startsWith(QStringLiteral("The Zener's rating:")));
    EXPECT_EQ(child<QTableWidget>(panel, "tblZenerResistors")->rowCount(), 0);

    type(panel, "txtHeatPower", QStringLiteral("2"));
    type(panel, "txtHeatJc", QStringLiteral("hot"));
    EXPECT_EQ(text(panel, "lblHeatJcMessage"),
              QStringLiteral("'hot' is not a thermal resistance: write 5, 5K/W or 62.5"));
    EXPECT_EQ(text(panel, "lblHeatSink"), QString());

    child<QComboBox>(panel, "cboSwitchKind")->setCurrentIndex(1);
    type(panel, "txtSwitchDrive", QStringLiteral("2"));
    type(panel, "txtSwitchCharge", QStringLiteral("10n"));
    type(panel, "txtSwitchTime", QStringLiteral("100ns"));
    type(panel, "txtSwitchPlateau", QStringLiteral("3"));
    EXPECT_EQ(text(panel, "lblSwitchDriveMessage"),
              QStringLiteral("The drive must be above the plateau, 3 V, or the gate never gets past it"));
    type(panel, "txtSwitchDrive", QStringLiteral("5"));
    EXPECT_EQ(cell(*child<QTableWidget>(panel, "tblSwitchResistors"), 0, 1), QStringLiteral("100 ns"));
    EXPECT_TRUE(text(panel, "lblSwitchStatus").contains(QStringLiteral("Pull-down 10 kΩ")));
}

TEST(AmplifiersWindow, TheCircuitChosenSetsTheColumnsAndTheDrawing)
{
    tools::Amplifiers panel;
    auto* table = child<QTableWidget>(panel, "tblOpAmpPairs");
    child<QComboBox>(panel, "cboOpAmpCircuit")->setCurrentIndex(1);
    type(panel, "txtOpAmpGain", QStringLiteral("-4.7"));
    ASSERT_TRUE(window::waitFor([table] { return table->rowCount() >= 4; }));
    // 24k over 5.1k after the exact pairs: 4.7059, +0.125 %.
    EXPECT_EQ(cell(*table, 3, 0), QStringLiteral("24 kΩ"));
    EXPECT_EQ(cell(*table, 3, 1), QStringLiteral("5.1 kΩ"));
    EXPECT_EQ(cell(*table, 3, 3), QStringLiteral("+0.13 %"));
    EXPECT_EQ(cell(*table, 0, 6), QStringLiteral("1 kΩ"));
    EXPECT_TRUE(drawn(panel, "picOpAmp").startsWith(QStringLiteral("An inverting amplifier: Rg 1 kΩ")));

    child<QComboBox>(panel, "cboOpAmpCircuit")->setCurrentIndex(2);
    type(panel, "txtOpAmpGain", QStringLiteral("1"));
    ASSERT_TRUE(window::waitFor([table] { return cell(*table, 0, 1) == QStringLiteral("1 kΩ"); }));
    EXPECT_EQ(table->horizontalHeaderItem(7)->text(), QStringLiteral("CMRR"));
    EXPECT_EQ(cell(*table, 0, 7), QStringLiteral("33.892 dB"));
    EXPECT_TRUE(drawn(panel, "picOpAmp").startsWith(QStringLiteral("A difference amplifier")));

    // Ctrl+C copies the rows shown, headers first.
    table->setFocus();
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = QApplication::clipboard()->text().split(u'\n');
    EXPECT_EQ(lines.front(), QStringLiteral("Rf\tRg\tGain\tDeviation\tLowest\tHighest\tInput\tCMRR"));
    EXPECT_EQ(lines.at(1).section(u'\t', 0, 1), QStringLiteral("1 kΩ\t1 kΩ"));
}

TEST(AmplifiersWindow, AKindFillsItsFiguresInAndTypingMakesThemOwn)
{
    tools::Amplifiers panel;
    auto* kind = child<QComboBox>(panel, "cboRegulatorPart");
    kind->setCurrentIndex(2); // the low-dropout kind
    EXPECT_EQ(text(panel, "txtRegulatorVrefMin"), QStringLiteral("1.225"));
    EXPECT_EQ(text(panel, "txtRegulatorIadj"), QStringLiteral("60µ"));
    EXPECT_EQ(text(panel, "txtRegulatorMinLoad"), QStringLiteral("5m"));
    type(panel, "txtRegulatorVref", QStringLiteral("1.24"));
    EXPECT_EQ(kind->currentText(), QStringLiteral("Typed values"));
    EXPECT_EQ(text(panel, "txtRegulatorIadj"), QStringLiteral("60µ")); // left as it was

    kind->setCurrentIndex(3); // the shunt reference
    type(panel, "txtRegulatorVout", QStringLiteral("5"));
    auto* table = child<QTableWidget>(panel, "tblRegulatorPairs");
    ASSERT_TRUE(window::waitFor([table] { return table->rowCount() > 0; }));
    EXPECT_TRUE(drawn(panel, "picRegulator").startsWith(QStringLiteral("A shunt reference from out = 5")));
    kind->setCurrentIndex(1); // negative
    ASSERT_TRUE(window::waitFor([table] { return cell(*table, 0, 2).startsWith(u'-'); }));
}

} // namespace
