// SPDX-License-Identifier: MIT
// The Ohm's law panel, built directly and typed into as a person would.
#include "tools/ohmslaw.h"

#include "window.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using window::child;
using window::type;

TEST(OhmsLawWindow, TheTwoTypedLastDecide)
{
    tools::OhmsLaw panel;
    type(panel, "txtVoltage", QStringLiteral("5"));
    type(panel, "txtResistance", QStringLiteral("220"));
    EXPECT_EQ(child<QLineEdit>(panel, "txtCurrent")->text(), QStringLiteral("22.727 mA"));
    EXPECT_EQ(child<QLineEdit>(panel, "txtPower")->text(), QStringLiteral("113.64 mW"));
    EXPECT_EQ(child<QLabel>(panel, "lblCurrentNote")->text(), QStringLiteral("from V and R, rounded"));

    // A third typed value: the oldest, V, is now computed from R and I.
    type(panel, "txtCurrent", QStringLiteral("20m"));
    EXPECT_EQ(child<QLineEdit>(panel, "txtVoltage")->text(), QStringLiteral("4.4 V"));
    EXPECT_EQ(child<QLineEdit>(panel, "txtPower")->text(), QStringLiteral("88 mW"));
    EXPECT_EQ(child<QLineEdit>(panel, "txtResistance")->text(), QStringLiteral("220"));

    // Power and resistance: the root, correctly rounded.
    type(panel, "txtPower", QStringLiteral("1"));
    type(panel, "txtResistance", QStringLiteral("2"));
    EXPECT_EQ(child<QLineEdit>(panel, "txtVoltage")->text(), QStringLiteral("1.4142 V"));
    EXPECT_EQ(child<QLineEdit>(panel, "txtCurrent")->text(), QStringLiteral("707.11 mA"));

    // A zero that divides: the message beside it, nothing computed.
    type(panel, "txtResistance", QStringLiteral("0"));
    EXPECT_FALSE(child<QLabel>(panel, "lblResistanceNote")->text().isEmpty());
    EXPECT_EQ(child<QLineEdit>(panel, "txtVoltage")->text(), QString());
    type(panel, "txtResistance", QStringLiteral("-2"));
    EXPECT_EQ(child<QLabel>(panel, "lblResistanceNote")->text(),
              QStringLiteral("'-2' is negative: write a value above zero"));
}

TEST(OhmsLawWindow, TypingGoesToTheVoltageFirst)
{
    tools::OhmsLaw panel;
    panel.show();
    panel.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&panel));
    panel.setFocus();
    EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>(panel, "txtVoltage"));
}

// A value that arrives without a keystroke (a screen reader, dictation, the worked example) is
// typed all the same; what the panel writes in itself is not.
TEST(OhmsLawWindow, AValueSetWithoutKeystrokesCountsAsTyped)
{
    tools::OhmsLaw panel;
    child<QLineEdit>(panel, "txtVoltage")->setText(QStringLiteral("12"));
    child<QLineEdit>(panel, "txtCurrent")->setText(QStringLiteral("2"));
    EXPECT_EQ(child<QLineEdit>(panel, "txtResistance")->text(), QStringLiteral("6 Ω"));
    EXPECT_EQ(child<QLineEdit>(panel, "txtPower")->text(), QStringLiteral("24 W"));

    // Emptied, V stops being given: nothing is computed from I alone, and V stays empty.
    child<QLineEdit>(panel, "txtVoltage")->clear();
    EXPECT_EQ(child<QLineEdit>(panel, "txtVoltage")->text(), QString());
    EXPECT_EQ(child<QLineEdit>(panel, "txtResistance")->text(), QString());
    EXPECT_EQ(child<QLineEdit>(panel, "txtCurrent")->text(), QStringLiteral("2"));
}

} // namespace
