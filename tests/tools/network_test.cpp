// SPDX-License-Identifier: MIT
// The Network and Attenuator panels, built directly and used as a person would: typing goes to
// the first field, answers follow each keystroke, a typing error is marked where it is.
#include "tools/attenuator.h"
#include "tools/circuitview.h"
#include "tools/networkcalculator.h"

#include "window.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

using window::child;

class NetworkWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        panel = std::make_unique<tools::NetworkCalculator>();
        panel->show();
        QApplication::setActiveWindow(panel.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(panel.get()));
    }

    QString shown(const char* label) { return child<QLabel>(panel.get(), label)->text(); }

    std::unique_ptr<tools::NetworkCalculator> panel;
};

TEST_F(NetworkWindow, TypingGoesToTheNetworkAndTheExampleIsExact)
{
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("4k7 + (10k || 22k)"));
    EXPECT_EQ(child<QLineEdit>(panel.get(), "txtNetwork")->text(), QStringLiteral("4k7 + (10k || 22k)"));
    EXPECT_EQ(shown("lblNetworkValue"), QStringLiteral("11.575 kΩ exact"));
    EXPECT_EQ(shown("lblNetworkRange"), QStringLiteral("no tolerance given"));
    EXPECT_EQ(shown("lblNetworkNearest"), QStringLiteral("12 kΩ"));
    EXPECT_EQ(shown("lblNetworkText"), QStringLiteral("4.7k + (22k || 10k)"));
    EXPECT_FALSE(child<tools::CircuitView>(panel.get(), "picNetwork")->drawing().isEmpty());
}

TEST_F(NetworkWindow, OneToleranceForAllOrEachPartItsOwn)
{
    auto* network = child<QLineEdit>(panel.get(), "txtNetwork");
    auto* tolerance = child<QComboBox>(panel.get(), "cboNetworkTolerance");
    network->setText(QStringLiteral("4k7 + (10k || 22k)"));
    tolerance->setCurrentIndex(tolerance->findData(QStringLiteral("1")));
    EXPECT_EQ(shown("lblNetworkRange"), QStringLiteral("11.459-11.691 kΩ"));
    network->setText(QStringLiteral("4k7/5% + (10k/1% || 22k/1%)"));
    tolerance->setCurrentIndex(0);
    EXPECT_EQ(shown("lblNetworkRange"), QStringLiteral("11.271-11.879 kΩ"));
    EXPECT_EQ(shown("lblNetworkText"), QStringLiteral("4.7k/5% + (22k/1% || 10k/1%)"));
}

TEST_F(NetworkWindow, CapacitorsInParallelAdd)
{
    child<QComboBox>(panel.get(), "cboNetworkKind")->setCurrentIndex(1);
    child<QLineEdit>(panel.get(), "txtNetwork")->setText(QStringLiteral("100n || 47n"));
    EXPECT_EQ(shown("lblNetworkValue"), QStringLiteral("147 nF exact"));
    child<QComboBox>(panel.get(), "cboNetworkKind")->setCurrentIndex(0);
    EXPECT_EQ(shown("lblNetworkValue"), QStringLiteral("31.973 nΩ")) << "the same values as resistors";
}

TEST_F(NetworkWindow, ATypingErrorIsMarkedWhereItIsAndClearsTheAnswer)
{
    auto* network = child<QLineEdit>(panel.get(), "txtNetwork");
    network->setText(QStringLiteral("4k7 + 1k"));
    network->setText(QStringLiteral("4k7 + 4x7 || 1k"));
    auto* message = child<QLabel>(panel.get(), "lblNetworkMessage");
    EXPECT_TRUE(message->isVisible());
    EXPECT_TRUE(message->text().contains(QStringLiteral("'4x7' is not a resistance"))) << message->text().toStdString();
    EXPECT_TRUE(message->text().contains(QStringLiteral("4k7 + <u><b>4x7</b></u> || 1k")))
        << message->text().toStdString();
    EXPECT_EQ(shown("lblNetworkValue"), QString());
    EXPECT_TRUE(child<tools::CircuitView>(panel.get(), "picNetwork")->drawing().isEmpty());
    network->setText(QStringLiteral("4k7 +"));
    EXPECT_TRUE(message->text().contains(QStringLiteral("expected a value after '+'")));
    network->setText(QStringLiteral("4k7"));
    EXPECT_TRUE(message->text().isEmpty());
    EXPECT_EQ(network->cursorPosition(), 3) << "the cursor stays where the user types";
}

class AttenuatorWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        panel = std::make_unique<tools::Attenuator>();
        panel->show();
        QApplication::setActiveWindow(panel.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(panel.get()));
        table = child<QTableWidget>(panel.get(), "tblPads");
    }

    QString at(int row, int column) const
    {
        const QTableWidgetItem* item = table->item(row, column);
        return item ? item->text() : QString();
    }

    std::unique_ptr<tools::Attenuator> panel;
    QTableWidget* table = nullptr;
};

TEST_F(AttenuatorWindow, SixDbFiftyOhmsByTyping)
{
    EXPECT_EQ(child<QLineEdit>(panel.get(), "txtPadZ")->text(), QStringLiteral("50"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("6"));
    EXPECT_EQ(child<QLineEdit>(panel.get(), "txtPadDb")->text(), QStringLiteral("6"));
    const char* expected[][4] = {{"Pi", "shunt (×2)", "150.48 Ω", "150 Ω"},   {"", "series", "37.352 Ω", "37.4 Ω"},
                                 {"T", "series (×2)", "16.614 Ω", "16.5 Ω"},  {"", "shunt", "66.931 Ω", "66.5 Ω"},
                                 {"Bridged T", "arm (×2)", "50 Ω", "49.9 Ω"}, {"", "bridge", "49.763 Ω", "49.9 Ω"},
                                 {"", "shunt", "50.238 Ω", "49.9 Ω"}};
    for (int row = 0; row < 7; ++row) {
        for (int column = 0; column < 4; ++column)
            EXPECT_EQ(at(row, column), QString::fromUtf8(expected[row][column])) << row << ", " << column;
    }
    EXPECT_EQ(at(0, 4), QStringLiteral("6.009 dB"));
    EXPECT_EQ(at(0, 5), QStringLiteral("49.956 Ω"));
    EXPECT_EQ(table->horizontalHeaderItem(3)->text(), QStringLiteral("E96"));
}

TEST_F(AttenuatorWindow, TheSelectedRowsPadIsDrawnAloneOtherwiseAllThree)
{
    child<QLineEdit>(panel.get(), "txtPadDb")->setText(QStringLiteral("20"));
    const char* names[] = {"picPadPi", "picPadTee", "picPadBridgedTee"};
    for (const char* name : names) {
        EXPECT_TRUE(child<tools::CircuitView>(panel.get(), name)->isVisible()) << name;
        EXPECT_FALSE(child<tools::CircuitView>(panel.get(), name)->drawing().isEmpty()) << name;
    }
    table->selectRow(3);
    EXPECT_FALSE(child<tools::CircuitView>(panel.get(), "picPadPi")->isVisible());
    EXPECT_TRUE(child<tools::CircuitView>(panel.get(), "picPadTee")->isVisible());
    EXPECT_FALSE(child<tools::CircuitView>(panel.get(), "picPadBridgedTee")->isVisible());
    table->clearSelection();
    EXPECT_TRUE(child<tools::CircuitView>(panel.get(), "picPadPi")->isVisible());
}

TEST_F(AttenuatorWindow, APerfectMatchAndRefusals)
{
    child<QLineEdit>(panel.get(), "txtPadZ")->setText(QStringLiteral("75"));
    child<QComboBox>(panel.get(), "cboPadSeries")->setCurrentText(QStringLiteral("E24"));
    child<QLineEdit>(panel.get(), "txtPadDb")->setText(QStringLiteral("6.0206"));
    EXPECT_EQ(at(4, 6), QStringLiteral("infinite"));
    EXPECT_EQ(table->horizontalHeaderItem(3)->text(), QStringLiteral("E24"));
    child<QLineEdit>(panel.get(), "txtPadDb")->setText(QStringLiteral("0"));
    EXPECT_TRUE(
        child<QLabel>(panel.get(), "lblPadDbMessage")->text().contains(QStringLiteral("'0' is not above 0 dB")));
    EXPECT_EQ(at(0, 2), QString());
    child<QLineEdit>(panel.get(), "txtPadDb")->setText(QStringLiteral("6"));
    child<QLineEdit>(panel.get(), "txtPadZ")->setText(QStringLiteral("5V"));
    EXPECT_TRUE(child<QLabel>(panel.get(), "lblPadZMessage")->text().contains(QStringLiteral("'5V'")));
    EXPECT_EQ(at(0, 2), QString());
}

} // namespace
