// SPDX-License-Identifier: MIT
// The Tools windows draw the row the user picks, or the best one: the drawing's words follow the
// selection in the table.
#include "tools/circuitview.h"
#include "tools/dividerdesign.h"
#include "tools/standardvalues/myparts.h"
#include "tools/standardvalues/standardvalues.h"

#include "window.h"

#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace {

using window::cell;
using window::child;

constexpr int waitMs = 10000;

// "36k || (9.1k + 820)" as a screen reader hears the drawing.
QString inWords(QString text)
{
    return text.replace(QStringLiteral(" || "), QStringLiteral(" in parallel with "))
        .replace(QStringLiteral(" + "), QStringLiteral(" in series with "));
}

class CircuitWindows : public ::testing::Test {
protected:
    void SetUp() override { QFile::remove(tools::myparts::filePath()); }
    void TearDown() override { QFile::remove(tools::myparts::filePath()); }
};

TEST_F(CircuitWindows, StandardValuesDrawsTheBestNetworkThenTheSelectedOne)
{
    tools::StandardValues window;
    auto* view = child<tools::CircuitView>(window, "circuitView");
    auto* table = child<QTableWidget>(window, "tblNetworks");
    ASSERT_TRUE(view && table);
    EXPECT_TRUE(view->drawing().isEmpty());

    QSignalSpy shown(&window, &tools::StandardValues::networksShown);
    child<QLineEdit>(window, "txtTarget")->setText(QStringLiteral("7k777"));
    ASSERT_TRUE(!shown.isEmpty() || shown.wait(waitMs));
    ASSERT_GE(table->rowCount(), 4);
    EXPECT_EQ(view->drawing().description(), inWords(cell(*table, 0, 0)));

    table->selectRow(3);
    EXPECT_EQ(view->drawing().description(), inWords(cell(*table, 3, 0)));
    EXPECT_EQ(view->accessibleDescription(), view->drawing().description());

    child<QLineEdit>(window, "txtTarget")->setText(QStringLiteral("x"));
    EXPECT_TRUE(view->drawing().isEmpty());
}

TEST_F(CircuitWindows, DividerDesignDrawsTheBestPairThenTheSelectedOne)
{
    tools::DividerDesign window;
    auto* view = child<tools::CircuitView>(window, "circuitView");
    auto* table = child<QTableWidget>(window, "tblPairs");
    ASSERT_TRUE(view && table);

    QSignalSpy shown(&window, &tools::DividerDesign::pairsShown);
    child<QLineEdit>(window, "txtVin")->setText(QStringLiteral("5"));
    child<QLineEdit>(window, "txtVout")->setText(QStringLiteral("3.3"));
    for (int waited = 0; waited < waitMs && table->rowCount() == 0; waited += 50)
        shown.wait(50);
    ASSERT_GE(table->rowCount(), 3);
    const auto drawsRow = [&](int row) {
        const QString words = view->drawing().description();
        return words.contains(QStringLiteral("R1 ") + cell(*table, row, 0)) &&
            words.contains(QStringLiteral("R2 ") + cell(*table, row, 1)) &&
            words.contains(QStringLiteral("V in = 5 V")) &&
            words.contains(QStringLiteral("V out = ") + cell(*table, row, 2));
    };
    EXPECT_TRUE(drawsRow(0)) << view->drawing().description().toStdString();
    table->selectRow(2);
    EXPECT_TRUE(drawsRow(2)) << view->drawing().description().toStdString();
}

} // namespace
