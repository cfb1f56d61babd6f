// SPDX-License-Identifier: MIT
// The Board window, built directly and used as a person would: one test per page, with the
// worked examples typed in and a refusal beside its field.
#include "tools/board/board.h"

#include "window.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

using window::child;

class BoardWindow : public ::testing::Test {
protected:
    void SetUp() override { panel = std::make_unique<tools::Board>(); }

    void type(const char* field, const char* text)
    {
        if (auto* edit = child<QLineEdit>(*panel, field))
            edit->setText(QString::fromUtf8(text));
    }

    std::string text(const char* label)
    {
        const auto* l = child<QLabel>(*panel, label);
        return l != nullptr ? l->text().toStdString() : std::string();
    }

    std::unique_ptr<tools::Board> panel;
};

TEST_F(BoardWindow, TrackGivesTheWorkedWidthsResistanceAndTheReverse)
{
    type("txtTrackCurrent", "1");
    EXPECT_EQ(text("lblTrackAnswer"), "0.30039 mm (11.826 mil)");
    EXPECT_EQ(text("lblTrackSection"), "16.296 mil² (35 µm thick)");
    EXPECT_EQ(text("lblTrackResistance"), "give a length");
    child<QComboBox>(*panel, "cboTrackLayer")->setCurrentIndex(1);
    EXPECT_EQ(text("lblTrackAnswer"), "0.78144 mm (30.765 mil)");
    child<QComboBox>(*panel, "cboTrackLayer")->setCurrentIndex(0);

    type("txtTrackLength", "100mm");
    type("txtTrackAmbient", "10");
    EXPECT_EQ(text("lblTrackResistance"), "163.6 mΩ at 20 °C (ambient plus rise)");
    EXPECT_EQ(text("lblTrackDrop"), "163.6 mV, 163.6 mW at 1 A");

    child<QComboBox>(*panel, "cboTrackCopper")->setCurrentText("2oz");
    type("txtTrackCurrent", "3");
    type("txtTrackRise", "20");
    EXPECT_EQ(text("lblTrackAnswer"), "0.4488 mm (17.669 mil)");

    child<QComboBox>(*panel, "cboTrackSolve")->setCurrentIndex(1);
    EXPECT_FALSE(child<QLineEdit>(*panel, "txtTrackCurrent")->isEnabled());
    type("txtTrackWidth", "0.4488");
    EXPECT_EQ(text("lblTrackAnswer"), "3 A");
    type("txtTrackWidth", "nan");
    EXPECT_EQ(text("lblTrackAnswer"), "");
    EXPECT_EQ(text("lblTrackWidthMessage"), "'nan' is not a length: write 0.3mm, 35um, 12mil or 0.1in");
    type("txtTrackWidth", "20mm");
    EXPECT_FALSE(child<QLabel>(*panel, "lblTrackOutside")->isHidden());
    EXPECT_NE(text("lblTrackOutside").find("width above 400 mil"), std::string::npos);
    EXPECT_EQ(text("lblTrackWidthMessage"), "");
}

TEST_F(BoardWindow, ViaGivesTheWorkedFiguresAndRefusesAnAntipadInsideThePad)
{
    child<QTabWidget>(*panel, "tabBoard")->setCurrentIndex(1);
    type("txtViaHole", "0.3");
    type("txtViaPad", "0.6");
    type("txtViaAntipad", "1.0");
    EXPECT_EQ(text("lblViaResistance"), "1.0781 mΩ at 20 °C");
    EXPECT_EQ(text("lblViaCapacitance"), "599.53 fF");
    EXPECT_EQ(text("lblViaInductance"), "1.2993 nH");
    EXPECT_EQ(text("lblViaThermal"), "156.32 K/W");
    EXPECT_EQ(text("lblViaDrop"), "give a current");
    type("txtViaCurrent", "1A");
    EXPECT_EQ(text("lblViaDrop"), "1.0781 mV, 1.0781 mW at 1 A");
    type("txtViaAntipad", "0.5");
    EXPECT_EQ(text("lblViaAntipadMessage"), "The antipad must be wider than the pad.");
    type("txtViaAntipad", "1.0");
    type("txtViaPad", "0.35");
    EXPECT_EQ(text("lblViaPadMessage"), "The pad must be wider than the hole with its plating (0.35 mm).");
    type("txtViaPad", "0.6");
    type("txtViaAntipad", "0.5");
    EXPECT_EQ(text("lblViaResistance"), "");
    type("txtViaPlating", "-25");
    EXPECT_EQ(text("lblViaPlatingMessage"), "'-25' is negative: write a value above zero");
}

TEST_F(BoardWindow, SpacingFillsEveryCategoryForTheVoltage)
{
    child<QTabWidget>(*panel, "tabBoard")->setCurrentIndex(2);
    auto* table = child<QTableWidget>(*panel, "tblSpacing");
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rowCount(), 7);
    type("txtSpacingVoltage", "48");
    EXPECT_EQ(text("lblSpacingRow"), "The 31-50 V row.");
    const char* at48[] = {"0.1 mm (3.937 mil)",   "0.6 mm (23.622 mil)", "0.6 mm (23.622 mil)", "0.13 mm (5.1181 mil)",
                          "0.13 mm (5.1181 mil)", "0.4 mm (15.748 mil)", "0.13 mm (5.1181 mil)"};
    for (int r = 0; r < 7; ++r)
        EXPECT_EQ(table->item(r, 1)->text().toStdString(), at48[r]) << table->item(r, 0)->text().toStdString();
    type("txtSpacingVoltage", "1kV");
    EXPECT_EQ(table->item(0, 1)->text().toStdString(), "1.5 mm (59.055 mil)");
    EXPECT_EQ(table->item(6, 1)->text().toStdString(), "2.325 mm (91.535 mil)");
    type("txtSpacingVoltage", "-5");
    EXPECT_EQ(text("lblSpacingVoltageMessage"), "'-5' is negative: write a value above zero");
    EXPECT_EQ(table->item(0, 1)->text().toStdString(), "");
    // Mains typed as its RMS is taken at its peak.
    type("txtSpacingVoltage", "230");
    EXPECT_EQ(text("lblSpacingRow"), "The 171-250 V row.");
    child<QComboBox>(*panel, "cboSpacingKind")->setCurrentIndex(1);
    EXPECT_EQ(text("lblSpacingRow"), "230 V RMS peaks at 325.27 V. The 301-500 V row.");
    EXPECT_EQ(table->item(1, 1)->text().toStdString(), "2.5 mm (98.425 mil)");
}

TEST_F(BoardWindow, TypingGoesToTheCurrentFieldFirst)
{
    panel->show();
    QApplication::setActiveWindow(panel.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(panel.get()));
    EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>(*panel, "txtTrackCurrent"));
    QTest::keyClicks(QApplication::focusWidget(), "2");
    EXPECT_EQ(child<QLineEdit>(*panel, "txtTrackCurrent")->text(), "2");
}

} // namespace
