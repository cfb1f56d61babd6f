// SPDX-License-Identifier: MIT
// The Timing and filters window, built directly and used as a person would: each page answers
// as its fields are typed, its designer fills its table, and a refusal shows beside its field.
#include "tools/plotview.h"
#include "tools/timing/timing.h"

#include "window.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

using window::child;

constexpr int waitMs = 10000;

class TimingWindow : public ::testing::Test {
protected:
    void SetUp() override { panel = std::make_unique<tools::Timing>(); }

    bool type(std::initializer_list<std::pair<const char*, const char*>> fields)
    {
        for (const auto& [name, text] : fields) {
            auto* edit = child<QLineEdit>(*panel, name);
            if (!edit)
                return false;
            edit->setText(QString::fromUtf8(text));
        }
        return true;
    }

    // Waits until the status under a designer's table no longer says it is searching.
    bool settled(const char* status)
    {
        auto* label = child<QLabel>(*panel, status);
        for (int waited = 0; label && waited < waitMs; waited += 10) {
            if (label->text() != QStringLiteral("Searching..."))
                return true;
            QTest::qWait(10);
        }
        return false;
    }

    QString text(const char* label) { return child<QLabel>(*panel, label)->text(); }

    static QString cellText(const QTableWidget* table, int row, int column)
    {
        const QTableWidgetItem* item = table->item(row, column);
        return item ? item->text() : QString();
    }

    std::unique_ptr<tools::Timing> panel;
};

TEST_F(TimingWindow, RcPageGivesTheTimeConstantCornerChargeAndTheBestPairs)
{
    ASSERT_TRUE(type({{"txtRcR", "10k"}, {"txtRcC", "100u"}, {"txtRcSupply", "5"}, {"txtRcLevel", "3.3"}}));
    EXPECT_TRUE(text("lblRc").contains(QStringLiteral("Time constant R C: 1 s"))) << text("lblRc").toStdString();
    EXPECT_TRUE(text("lblRc").contains(QStringLiteral("0.15915 Hz (period 6.2832 s)")));
    EXPECT_TRUE(text("lblRc").contains(QStringLiteral("1.0788 s")));

    ASSERT_TRUE(type({{"txtRcLevel", "6"}}));
    EXPECT_FALSE(text("lblRcLevelMessage").isEmpty());

    auto* pairs = child<QTableWidget>(*panel, "tblRcPairs");
    ASSERT_TRUE(type({{"txtRcTarget", "1k"}}));
    ASSERT_TRUE(settled("lblRcStatus"));
    ASSERT_EQ(pairs->rowCount(), 10);
    EXPECT_EQ(cellText(pairs, 0, 0), QStringLiteral("160 kΩ"));
    EXPECT_EQ(cellText(pairs, 0, 1), QStringLiteral("1 nF"));
    EXPECT_EQ(cellText(pairs, 0, 2), QStringLiteral("994.72 Hz"));
    EXPECT_EQ(cellText(pairs, 0, 3), QStringLiteral("-0.53 %"));

    child<QRadioButton>(*panel, "optRcTau")->click();
    ASSERT_TRUE(type({{"txtRcTarget", "1m"}}));
    ASSERT_TRUE(settled("lblRcStatus"));
    ASSERT_GT(pairs->rowCount(), 0);
    EXPECT_EQ(cellText(pairs, 0, 0), QStringLiteral("1 MΩ"));
    EXPECT_EQ(cellText(pairs, 0, 3), QStringLiteral("exact"));

    ASSERT_TRUE(type({{"txtRcCFrom", "1.1n"}, {"txtRcCTo", "1.4n"}}));
    EXPECT_EQ(pairs->rowCount(), 0);
    EXPECT_EQ(text("lblRcCRangeMessage"), QStringLiteral("No E6 value lies in this range."));
}

TEST_F(TimingWindow, ReactancePageGivesBothReactancesAndTheirResonantPartners)
{
    ASSERT_TRUE(type({{"txtReactanceF", "1 kHz"}, {"txtReactanceC", "100n"}, {"txtReactanceL", "10mH"}}));
    const QString result = text("lblReactance");
    EXPECT_TRUE(result.contains(QStringLiteral("1.5915 kΩ"))) << result.toStdString();
    EXPECT_TRUE(result.contains(QStringLiteral("62.832 Ω")));
    EXPECT_TRUE(result.contains(QStringLiteral("L = 253.3 mH")));
    ASSERT_TRUE(type({{"txtReactanceL", "10 ohm"}}));
    EXPECT_TRUE(text("lblReactanceLMessage").startsWith(QStringLiteral("'10 ohm' is not an inductance")));
}

TEST_F(TimingWindow, ResonancePageGivesF0AndTheNearestCapacitors)
{
    ASSERT_TRUE(type({{"txtLcL", "10u"}, {"txtLcC", "100n"}, {"txtLcTarget", "159k"}}));
    EXPECT_TRUE(text("lblLc").contains(QStringLiteral("159.15 kHz"))) << text("lblLc").toStdString();
    EXPECT_TRUE(text("lblLc").contains(QStringLiteral("10 Ω")));
    auto* caps = child<QTableWidget>(*panel, "tblLcCapacitors");
    ASSERT_GT(caps->rowCount(), 1);
    EXPECT_EQ(cellText(caps, 0, 0), QStringLiteral("100 nF"));
    EXPECT_EQ(cellText(caps, 0, 2), QStringLiteral("+0.10 %"));
}

TEST_F(TimingWindow, TimerPageRunsForwardsAndDesignsWithAndWithoutTheDiode)
{
    ASSERT_TRUE(type({{"txt555R1", "10k"}, {"txt555R2", "1M"}, {"txt555C", "300n"}}));
    EXPECT_TRUE(text("lbl555").contains(QStringLiteral("2.3925 Hz"))) << text("lbl555").toStdString();
    EXPECT_TRUE(text("lbl555").contains(QStringLiteral("50.249 %")));

    auto* designs = child<QTableWidget>(*panel, "tbl555Designs");
    ASSERT_TRUE(type({{"txt555F", "1k"}, {"txt555Duty", "60"}}));
    ASSERT_TRUE(settled("lbl555Status"));
    ASSERT_EQ(designs->rowCount(), 10);
    EXPECT_EQ(cellText(designs, 0, 0), QStringLiteral("180 kΩ"));
    EXPECT_EQ(cellText(designs, 0, 1), QStringLiteral("390 kΩ"));
    EXPECT_EQ(cellText(designs, 0, 2), QStringLiteral("1.5 nF"));
    EXPECT_EQ(cellText(designs, 0, 4), QStringLiteral("59.375 %"));
    EXPECT_EQ(cellText(designs, 0, 5), QStringLiteral("+1.37 %"));

    ASSERT_TRUE(type({{"txt555Duty", "25"}}));
    EXPECT_EQ(designs->rowCount(), 0);
    EXPECT_FALSE(text("lbl555DutyMessage").isEmpty());
    child<QCheckBox>(*panel, "chk555Diode")->click();
    ASSERT_TRUE(settled("lbl555Status"));
    ASSERT_GT(designs->rowCount(), 0);
    EXPECT_EQ(cellText(designs, 0, 0), QStringLiteral("110 kΩ"));
    EXPECT_EQ(cellText(designs, 0, 4), QStringLiteral("25 % exact"));
    EXPECT_TRUE(text("lbl555").contains(QStringLiteral("neglected")));

    child<QRadioButton>(*panel, "opt555Monostable")->click();
    ASSERT_TRUE(type({{"txt555R1", "100k"}, {"txt555C", "10u"}}));
    EXPECT_TRUE(text("lbl555").contains(QStringLiteral("1.0986 s"))) << text("lbl555").toStdString();
}

// Where a plot's first marker stands: the corner, f0, the high time, the pulse.
double firstMarker(const tools::Timing& panel, const char* plot)
{
    const schematic::Plot& p = child<tools::PlotView>(panel, plot)->plot();
    return p.panels.empty() || p.panels.front().markers.empty() ? 0 : p.panels.front().markers.front().x;
}

TEST_F(TimingWindow, EachPagePlotsThePartsItDraws)
{
    ASSERT_TRUE(type({{"txtRcR", "10k"}, {"txtRcC", "100u"}, {"txtRcSupply", "5"}, {"txtRcLevel", "3.3"}}));
    EXPECT_NEAR(firstMarker(*panel, "plotRcBode"), 0.15915494, 1e-8);
    const schematic::Plot& charge = child<tools::PlotView>(*panel, "plotRcCharge")->plot();
    ASSERT_EQ(charge.panels.size(), 1u);
    ASSERT_EQ(charge.panels[0].markers.size(), 2u);
    EXPECT_NEAR(charge.panels[0].markers[1].x, 1.0788097, 1e-6) << "the time to the level typed";
    // A pair found for a target is drawn and plotted until the parts are typed again.
    ASSERT_TRUE(type({{"txtRcTarget", "1k"}}));
    ASSERT_TRUE(settled("lblRcStatus"));
    EXPECT_NEAR(firstMarker(*panel, "plotRcBode"), 994.72, 0.01);
    ASSERT_TRUE(type({{"txtRcLevel", "6"}}));
    EXPECT_TRUE(child<tools::PlotView>(*panel, "plotRcCharge")->plot().isEmpty());
    EXPECT_NEAR(firstMarker(*panel, "plotRcBode"), 0.15915494, 1e-8);

    ASSERT_TRUE(type({{"txtLcL", "10u"}, {"txtLcC", "100n"}}));
    EXPECT_NEAR(firstMarker(*panel, "plotLcTank"), 159154.94, 0.01);

    ASSERT_TRUE(type({{"txt555R1", "10k"}, {"txt555R2", "1M"}, {"txt555C", "300n"}}));
    const schematic::Plot& wave = child<tools::PlotView>(*panel, "plot555")->plot();
    ASSERT_FALSE(wave.isEmpty());
    EXPECT_NEAR(wave.xs.back(), 2 / 2.3925290893680984, 1e-9) << "two periods";
    child<QRadioButton>(*panel, "opt555Monostable")->click();
    ASSERT_TRUE(type({{"txt555R1", "100k"}, {"txt555C", "10u"}}));
    EXPECT_NEAR(firstMarker(*panel, "plot555"), 1.0986123, 1e-6);
}

} // namespace
