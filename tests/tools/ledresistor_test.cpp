// SPDX-License-Identifier: MIT
// The LED resistor panel, built directly and typed into as a person would.
#include "tools/ledresistor.h"

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

using window::cell;
using window::child;

using window::type;

enum Row { Exact, Above, Below };
enum Column { Ohms, Current, Lowest, Highest, Power, Worst, Rating };

TEST(LedResistorWindow, AnswersAsTheUserTypesAndSaysWhenTheSupplyIsTooLow)
{
    tools::LedResistor panel;
    auto* table = child<QTableWidget>(panel, "tblResistors");
    ASSERT_NE(table, nullptr);
    type(panel, "txtSupply", QStringLiteral("5"));
    type(panel, "txtForward", QStringLiteral("2"));
    EXPECT_EQ(cell(*table, Above, Ohms), QString());
    type(panel, "txtCurrent", QStringLiteral("10m"));
    EXPECT_EQ(cell(*table, Exact, Ohms), QStringLiteral("300 Ω"));
    EXPECT_EQ(cell(*table, Above, Ohms), QStringLiteral("300 Ω"));
    EXPECT_EQ(cell(*table, Above, Power), QStringLiteral("30 mW"));
    EXPECT_EQ(cell(*table, Above, Rating), QStringLiteral("1/16 W"));
    EXPECT_EQ(cell(*table, Below, Ohms), QStringLiteral("270 Ω"));

    // One more keystroke: 12 V, 2.2 V, 30 mA.
    type(panel, "txtSupply", QStringLiteral("12"));
    type(panel, "txtForward", QStringLiteral("2.2"));
    type(panel, "txtCurrent", QStringLiteral("30m"));
    EXPECT_EQ(cell(*table, Exact, Ohms), QStringLiteral("≈ 326.67 Ω"));
    EXPECT_EQ(cell(*table, Above, Ohms), QStringLiteral("330 Ω"));
    EXPECT_EQ(cell(*table, Above, Current), QStringLiteral("29.697 mA"));
    EXPECT_EQ(cell(*table, Above, Rating), QStringLiteral("1 W"));

    // Three white LEDs cannot run from 5 V: the message, and no resistor.
    type(panel, "txtSupply", QStringLiteral("5"));
    type(panel, "txtForward", QStringLiteral("3.2"));
    type(panel, "txtCount", QStringLiteral("3"));
    auto* message = child<QLabel>(panel, "lblSupplyMessage");
    ASSERT_NE(message, nullptr);
    EXPECT_TRUE(message->text().startsWith(QStringLiteral("The supply cannot drive the string")))
        << message->text().toStdString();
    for (const int row : {Exact, Above, Below})
        EXPECT_EQ(cell(*table, row, Ohms), QString());
}

TEST(LedResistorWindow, AColourFillsTheTypicalVoltageAndItsRange)
{
    tools::LedResistor panel;
    auto* colour = child<QComboBox>(panel, "cboColour");
    ASSERT_NE(colour, nullptr);
    colour->setFocus();
    colour->setCurrentIndex(0);
    QTest::keyClick(colour, Qt::Key_Down); // infrared
    QTest::keyClick(colour, Qt::Key_Down); // red
    EXPECT_EQ(child<QLineEdit>(panel, "txtForward")->text(), QStringLiteral("2"));
    EXPECT_EQ(child<QLineEdit>(panel, "txtForwardMin")->text(), QStringLiteral("1.8"));
    EXPECT_EQ(child<QLineEdit>(panel, "txtForwardMax")->text(), QStringLiteral("2.2"));
    // Typing another V f leaves the colour and its range.
    type(panel, "txtForward", QStringLiteral("3"));
    EXPECT_EQ(colour->currentIndex(), 0);
    EXPECT_EQ(child<QLineEdit>(panel, "txtForwardMin")->text(), QString());
}

} // namespace
