// SPDX-License-Identifier: MIT
// The divider designer panel, built directly and used as a person would: both ways of stating the
// goal, a refusal beside the field, My parts, and copying the table.
#include "tools/dividerdesign.h"
#include "tools/standardvalues/myparts.h"

#include "window.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using window::cell;
using window::child;

constexpr int waitMs = 10000;

enum Column { R1, R2, Vout, Deviation, Lowest, Highest, Current };

class DividerDesignWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile::remove(tools::myparts::filePath());
        panel = std::make_unique<tools::DividerDesign>();
    }

    void TearDown() override
    {
        panel.reset();
        QFile::remove(tools::myparts::filePath());
    }

    // Fills the fields named and waits until the table answers them.
    bool enter(std::initializer_list<std::pair<const char*, const char*>> fields)
    {
        for (const auto& [name, text] : fields) {
            auto* edit = child<QLineEdit>(*panel, name);
            if (!edit)
                return false;
            edit->setText(QString::fromUtf8(text));
        }
        return settled();
    }

    bool settled()
    {
        auto* status = child<QLabel>(*panel, "lblStatus");
        if (!status)
            return false;
        for (int waited = 0; waited < waitMs; waited += 10) {
            if (status->text() != QStringLiteral("Searching..."))
                return true;
            QTest::qWait(10);
        }
        return false;
    }

    bool chooseSeries(const char* label)
    {
        auto* series = child<QComboBox>(*panel, "cboSeries");
        if (!series || series->findText(QLatin1String(label)) < 0)
            return false;
        series->setCurrentIndex(series->findText(QLatin1String(label)));
        return true;
    }

    std::unique_ptr<tools::DividerDesign> panel;
};

TEST_F(DividerDesignWindow, VinAndVoutGiveTheBestPairsWithTheirWorstCase)
{
    auto* pairs = child<QTableWidget>(*panel, "tblPairs");
    ASSERT_NE(pairs, nullptr);
    ASSERT_TRUE(chooseSeries("E24"));
    ASSERT_TRUE(enter({{"txtFrom", "1k"}, {"txtTo", "100k"}, {"txtVin", "5"}, {"txtVout", "3.3"}}));
    ASSERT_EQ(pairs->rowCount(), 10);
    EXPECT_EQ(cell(*pairs, 0, R1), QStringLiteral("4.7 kΩ"));
    EXPECT_EQ(cell(*pairs, 0, R2), QStringLiteral("9.1 kΩ"));
    EXPECT_EQ(cell(*pairs, 0, Vout), QStringLiteral("3.2971 V"));
    EXPECT_EQ(cell(*pairs, 0, Deviation), QStringLiteral("-0.09 %"));
    EXPECT_EQ(cell(*pairs, 0, Lowest), QStringLiteral("3.2746 V"));
    EXPECT_EQ(cell(*pairs, 0, Highest), QStringLiteral("3.3195 V"));
    EXPECT_EQ(cell(*pairs, 0, Current), QStringLiteral("362.32 µA"));
    EXPECT_EQ(cell(*pairs, 1, R1), QStringLiteral("47 kΩ"));

    // A looser tolerance widens the worst case only.
    auto* tolerance = child<QComboBox>(*panel, "cboTolerance");
    ASSERT_NE(tolerance, nullptr);
    tolerance->setCurrentIndex(tolerance->findText(QStringLiteral("5 %")));
    ASSERT_TRUE(settled());
    EXPECT_EQ(cell(*pairs, 0, R1), QStringLiteral("4.7 kΩ"));
    EXPECT_EQ(cell(*pairs, 0, Lowest), QStringLiteral("3.183 V"));
}

TEST_F(DividerDesignWindow, FeedbackModeAsksForVrefAndRanksByVout)
{
    auto* feedback = child<QRadioButton>(*panel, "optFeedback");
    auto* vin = child<QLineEdit>(*panel, "txtVin");
    auto* vref = child<QLineEdit>(*panel, "txtVref");
    auto* pairs = child<QTableWidget>(*panel, "tblPairs");
    ASSERT_TRUE(feedback && vin && vref && pairs);
    panel->show();
    EXPECT_TRUE(vin->isVisible());
    EXPECT_FALSE(vref->isVisible());
    feedback->click();
    EXPECT_FALSE(vin->isVisible());
    EXPECT_TRUE(vref->isVisible());

    ASSERT_TRUE(chooseSeries("E96"));
    ASSERT_TRUE(enter({{"txtFrom", "1k"}, {"txtTo", "100k"}, {"txtVref", "0.8"}, {"txtVout", "3.3"}}));
    ASSERT_GT(pairs->rowCount(), 0);
    EXPECT_EQ(cell(*pairs, 0, R1), QStringLiteral("3.57 kΩ"));
    EXPECT_EQ(cell(*pairs, 0, R2), QStringLiteral("1.15 kΩ"));
    EXPECT_EQ(cell(*pairs, 0, Vout), QStringLiteral("3.2835 V"));
    EXPECT_EQ(cell(*pairs, 0, Deviation), QStringLiteral("-0.50 %"));

    ASSERT_TRUE(chooseSeries("E24"));
    ASSERT_TRUE(settled());
    EXPECT_EQ(cell(*pairs, 0, R1), QStringLiteral("7.5 kΩ"));
    EXPECT_EQ(cell(*pairs, 0, R2), QStringLiteral("2.4 kΩ"));
    EXPECT_EQ(cell(*pairs, 0, Deviation), QStringLiteral("exact"));
}

struct Refusal {
    const char* name;
    bool feedback;
    const char* source;
    const char* vout;
    const char* messageLabel;
    const char* message;
};

class RefusedGoal : public DividerDesignWindow, public ::testing::WithParamInterface<Refusal> {};

TEST_P(RefusedGoal, IsNamedBesideTheFieldAndShowsNoPairs)
{
    const Refusal& r = GetParam();
    auto* pairs = child<QTableWidget>(*panel, "tblPairs");
    auto* message = child<QLabel>(*panel, r.messageLabel);
    auto* mode = child<QRadioButton>(*panel, r.feedback ? "optFeedback" : "optOutput");
    ASSERT_TRUE(pairs && message && mode);
    mode->click();
    ASSERT_TRUE(enter({{r.feedback ? "txtVref" : "txtVin", r.source}, {"txtVout", "1"}}));
    ASSERT_GT(pairs->rowCount(), 0);
    ASSERT_TRUE(enter({{"txtVout", r.vout}}));
    EXPECT_EQ(pairs->rowCount(), 0);
    EXPECT_TRUE(message->text().startsWith(QString::fromUtf8(r.message))) << message->text().toStdString();
    EXPECT_EQ(child<QLineEdit>(*panel, "txtVout")->text(), QString::fromUtf8(r.vout));
}

INSTANTIATE_TEST_SUITE_P(
    Goals, RefusedGoal,
    ::testing::Values(
        Refusal{"VoutAboveVin", false, "3.3", "5", "lblVoutMessage", "V out must be lower than V in: change V out"},
        Refusal{"VoutBelowVref", true, "0.8", "0.5", "lblVoutMessage", "V out must be higher than V ref"},
        Refusal{"VoutNotAValue", false, "5", "3x3", "lblVoutMessage", "'3x3' is not a voltage: write 5, 3.3 or 12V"},
        Refusal{"VoutInOhms", false, "5", "3.3 ohm", "lblVoutMessage", "'3.3 ohm' is not a voltage"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DividerDesignWindow, MyPartsNeverUseAPartTwice)
{
    ASSERT_TRUE(tools::myparts::save(QStringLiteral("4k7\n9k1\n")));
    auto* pairs = child<QTableWidget>(*panel, "tblPairs");
    ASSERT_NE(pairs, nullptr);
    ASSERT_TRUE(chooseSeries("My parts"));
    ASSERT_TRUE(enter({{"txtVin", "5"}, {"txtVout", "3.3"}}));
    ASSERT_EQ(pairs->rowCount(), 2);
    EXPECT_EQ(cell(*pairs, 0, R1), QStringLiteral("4.7 kΩ"));
    EXPECT_EQ(cell(*pairs, 0, R2), QStringLiteral("9.1 kΩ"));
    EXPECT_EQ(cell(*pairs, 1, R1), QStringLiteral("9.1 kΩ"));
}

TEST_F(DividerDesignWindow, CopiesTheSelectionOrTheWholeTableWithHeaders)
{
    auto* pairs = child<QTableWidget>(*panel, "tblPairs");
    auto* copy = child<QPushButton>(*panel, "cmdCopyTable");
    ASSERT_TRUE(pairs && copy);
    ASSERT_TRUE(chooseSeries("E24"));
    ASSERT_TRUE(enter({{"txtFrom", "1k"}, {"txtTo", "100k"}, {"txtVin", "2.5"}, {"txtVout", "0.8"}}));
    ASSERT_EQ(pairs->rowCount(), 10);
    const QString header = QStringLiteral(
        "R1 (top)\tR2 (bottom)\tV out\tDeviation\tLowest\tHighest\tCurrent\tP R1\tP R2\tRating R1\tRating R2\n");
    // The table shows five digits; what it copies has them all.
    EXPECT_EQ(cell(*pairs, 0, 4), QStringLiteral("789.16 mV"));
    const QString first = QStringLiteral("5.1 kΩ\t2.4 kΩ\t800 mV\texact\t789.1590275009964 mV\t810.9193095142513 mV\t"
                                         "333.3333333333333 µA\t566.66666666666667 µW\t266.66666666666667 µW\t1/16 W\t"
                                         "1/16 W\n");

    QApplication::clipboard()->clear();
    copy->click();
    const QString whole = QApplication::clipboard()->text();
    EXPECT_TRUE(whole.startsWith(header + first)) << whole.toStdString();
    EXPECT_EQ(whole.count(u'\n'), 11);

    pairs->selectRow(0);
    pairs->setFocus();
    QApplication::clipboard()->clear();
    QTest::keyClick(pairs, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), header + first);
}

} // namespace
