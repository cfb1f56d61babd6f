// SPDX-License-Identifier: MIT
// The LED resistor and Ohm's law panels, built directly and typed into as a person would.
#include "tools/ledresistor.h"
#include "tools/ohmslaw.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

template <class W>
W* find(QWidget& panel, const char* name)
{
    auto* w = panel.findChild<W*>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// Typed key by key into the field, as textEdited comes from a person only.
void type(QWidget& panel, const char* name, const QString& text)
{
    auto* edit = find<QLineEdit>(panel, name);
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

QString cellText(QTableWidget* table, int row, int column)
{
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text() : QString();
}

enum Row { Exact, Above, Below };
enum Column { Ohms, Current, Lowest, Highest, Power, Worst, Rating };

TEST(LedResistorWindow, AnswersAsTheUserTypesAndSaysWhenTheSupplyIsTooLow)
{
    tools::LedResistor panel;
    auto* table = find<QTableWidget>(panel, "tblResistors");
    ASSERT_NE(table, nullptr);
    type(panel, "txtSupply", QStringLiteral("5"));
    type(panel, "txtForward", QStringLiteral("2"));
    EXPECT_EQ(cellText(table, Above, Ohms), QString());
    type(panel, "txtCurrent", QStringLiteral("10m"));
    EXPECT_EQ(cellText(table, Exact, Ohms), QStringLiteral("300 Ω"));
    EXPECT_EQ(cellText(table, Above, Ohms), QStringLiteral("300 Ω"));
    EXPECT_EQ(cellText(table, Above, Power), QStringLiteral("30 mW"));
    EXPECT_EQ(cellText(table, Above, Rating), QStringLiteral("1/16 W"));
    EXPECT_EQ(cellText(table, Below, Ohms), QStringLiteral("270 Ω"));

    // One more keystroke: 12 V, 2.2 V, 30 mA.
    type(panel, "txtSupply", QStringLiteral("12"));
    type(panel, "txtForward", QStringLiteral("2.2"));
    type(panel, "txtCurrent", QStringLiteral("30m"));
    EXPECT_EQ(cellText(table, Exact, Ohms), QStringLiteral("≈ 326.7 Ω"));
    EXPECT_EQ(cellText(table, Above, Ohms), QStringLiteral("330 Ω"));
    EXPECT_EQ(cellText(table, Above, Current), QStringLiteral("29.7 mA"));
    EXPECT_EQ(cellText(table, Above, Rating), QStringLiteral("1 W"));

    // Three white LEDs cannot run from 5 V: the message, and no resistor.
    type(panel, "txtSupply", QStringLiteral("5"));
    type(panel, "txtForward", QStringLiteral("3.2"));
    type(panel, "txtCount", QStringLiteral("3"));
    auto* message = find<QLabel>(panel, "lblSupplyMessage");
    ASSERT_NE(message, nullptr);
    EXPECT_TRUE(message->text().startsWith(QStringLiteral("The supply cannot drive the string")))
        << message->text().toStdString();
    for (const int row : {Exact, Above, Below})
        EXPECT_EQ(cellText(table, row, Ohms), QString());
}

TEST(LedResistorWindow, AColourFillsTheTypicalVoltageAndItsRange)
{
    tools::LedResistor panel;
    auto* colour = find<QComboBox>(panel, "cboColour");
    ASSERT_NE(colour, nullptr);
    colour->setFocus();
    colour->setCurrentIndex(0);
    QTest::keyClick(colour, Qt::Key_Down); // infrared
    QTest::keyClick(colour, Qt::Key_Down); // red
    EXPECT_EQ(find<QLineEdit>(panel, "txtForward")->text(), QStringLiteral("2"));
    EXPECT_EQ(find<QLineEdit>(panel, "txtForwardMin")->text(), QStringLiteral("1.8"));
    EXPECT_EQ(find<QLineEdit>(panel, "txtForwardMax")->text(), QStringLiteral("2.2"));
    // Typing another V f leaves the colour and its range.
    type(panel, "txtForward", QStringLiteral("3"));
    EXPECT_EQ(colour->currentIndex(), 0);
    EXPECT_EQ(find<QLineEdit>(panel, "txtForwardMin")->text(), QString());
}

TEST(OhmsLawWindow, TheTwoTypedLastDecide)
{
    tools::OhmsLaw panel;
    type(panel, "txtVoltage", QStringLiteral("5"));
    type(panel, "txtResistance", QStringLiteral("220"));
    EXPECT_EQ(find<QLineEdit>(panel, "txtCurrent")->text(), QStringLiteral("22.72727273 mA"));
    EXPECT_EQ(find<QLineEdit>(panel, "txtPower")->text(), QStringLiteral("113.6363636 mW"));
    EXPECT_EQ(find<QLabel>(panel, "lblCurrentNote")->text(), QStringLiteral("from V and R, rounded"));

    // A third typed value: the oldest, V, is now computed from R and I.
    type(panel, "txtCurrent", QStringLiteral("20m"));
    EXPECT_EQ(find<QLineEdit>(panel, "txtVoltage")->text(), QStringLiteral("4.4 V"));
    EXPECT_EQ(find<QLineEdit>(panel, "txtPower")->text(), QStringLiteral("88 mW"));
    EXPECT_EQ(find<QLineEdit>(panel, "txtResistance")->text(), QStringLiteral("220"));

    // Power and resistance: the root, correctly rounded.
    type(panel, "txtPower", QStringLiteral("1"));
    type(panel, "txtResistance", QStringLiteral("2"));
    EXPECT_EQ(find<QLineEdit>(panel, "txtVoltage")->text(), QStringLiteral("1.414213562 V"));
    EXPECT_EQ(find<QLineEdit>(panel, "txtCurrent")->text(), QStringLiteral("707.1067812 mA"));

    // A zero that divides: the message beside it, nothing computed.
    type(panel, "txtResistance", QStringLiteral("0"));
    EXPECT_FALSE(find<QLabel>(panel, "lblResistanceNote")->text().isEmpty());
    EXPECT_EQ(find<QLineEdit>(panel, "txtVoltage")->text(), QString());
    type(panel, "txtResistance", QStringLiteral("-2"));
    EXPECT_EQ(find<QLabel>(panel, "lblResistanceNote")->text(),
              QStringLiteral("'-2' is negative: write a value above zero"));
}

TEST(OhmsLawWindow, TypingGoesToTheVoltageFirst)
{
    tools::OhmsLaw panel;
    panel.show();
    panel.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&panel));
    panel.setFocus();
    EXPECT_EQ(QApplication::focusWidget(), find<QLineEdit>(panel, "txtVoltage"));
}

} // namespace
