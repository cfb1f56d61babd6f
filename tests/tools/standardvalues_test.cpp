// SPDX-License-Identifier: MIT
// The Standard values panel, built directly, the way a person uses it: typing follows live, bad
// input is named beside the field, and My parts survives a restart.
#include "tools/standardvalues/myparts.h"
#include "tools/standardvalues/standardvalues.h"

#include "window.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

using window::cell;
using window::child;

constexpr int waitMs = 10000;

enum Row { E3, E6, E12, E24, E48, E96, E192 };
enum Column { Series, Nearest, NearestDev, Below, BelowDev, Above, AboveDev, Exact };

class StandardValuesWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile::remove(tools::myparts::filePath());
        open();
    }

    void TearDown() override
    {
        panel.reset();
        QFile::remove(tools::myparts::filePath());
    }

    void open() { panel = std::make_unique<tools::StandardValues>(); }

    // Types into a field and waits for the network search it starts, if any, to be shown.
    bool typeAndWait(const char* field, const QString& value)
    {
        QSignalSpy shown(panel.get(), &tools::StandardValues::networksShown);
        auto* edit = child<QLineEdit>(*panel, field);
        if (!edit)
            return false;
        edit->setText(value);
        return !shown.isEmpty() || shown.wait(waitMs);
    }

    std::unique_ptr<tools::StandardValues> panel;
};

struct NearestCase {
    const char* name;
    const char* typed;
    Row series;
    const char* nearest;
    const char* deviation;
    const char* below;
    const char* above;
    bool exact;
};

class NearestAsTyped : public StandardValuesWindow, public ::testing::WithParamInterface<NearestCase> {};

TEST_P(NearestAsTyped, ShowsTheRowOfTheSeries)
{
    const NearestCase& c = GetParam();
    auto* table = child<QTableWidget>(*panel, "tblNearest");
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rowCount(), 7);
    child<QLineEdit>(*panel, "txtTarget")->setText(QString::fromUtf8(c.typed));
    EXPECT_EQ(cell(*table, c.series, Nearest), QString::fromUtf8(c.nearest));
    EXPECT_EQ(cell(*table, c.series, NearestDev), QString::fromUtf8(c.deviation));
    EXPECT_EQ(cell(*table, c.series, Below), QString::fromUtf8(c.below));
    EXPECT_EQ(cell(*table, c.series, Above), QString::fromUtf8(c.above));
    EXPECT_EQ(!cell(*table, c.series, Exact).isEmpty(), c.exact);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, NearestAsTyped,
    ::testing::Values(
        NearestCase{"FiveKInE24IsFive1", "5k", E24, "5.1 kΩ", "+2.00 %", "4.7 kΩ", "5.1 kΩ", false},
        NearestCase{"FiveKInE192IsFour99", "5000", E192, "4.99 kΩ", "-0.20 %", "4.99 kΩ", "5.05 kΩ", false},
        NearestCase{"E6TakesTheGeometricMidpoint", "1234", E6, "1.5 kΩ", "+21.56 %", "1 kΩ", "1.5 kΩ", false},
        NearestCase{"IrregularE192ValueIsExact", "9k2", E192, "9.2 kΩ", "exact", "9.09 kΩ", "9.31 kΩ", true},
        NearestCase{"CapacitorUnitSwitchesTheKind", "100nF", E12, "100 nF", "exact", "82 nF", "120 nF", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StandardValuesWindow, TypingAgainReplacesTheNetworksOfTheEarlierValue)
{
    auto* networks = child<QTableWidget>(*panel, "tblNetworks");
    auto* parts = child<QComboBox>(*panel, "cboParts");
    ASSERT_NE(networks, nullptr);
    ASSERT_NE(parts, nullptr);
    parts->setCurrentIndex(1); // at most 2

    ASSERT_TRUE(typeAndWait("txtTarget", QStringLiteral("5k")));
    ASSERT_EQ(networks->rowCount(), 10);
    EXPECT_EQ(cell(*networks, 0, 0), QStringLiteral("10k || 10k"));
    EXPECT_EQ(cell(*networks, 0, 1), QStringLiteral("5 kΩ"));
    EXPECT_EQ(cell(*networks, 0, 2), QStringLiteral("exact"));
    EXPECT_EQ(cell(*networks, 5, 0), QStringLiteral("47k || 5.6k"));
    EXPECT_EQ(cell(*networks, 5, 2), QStringLiteral("+0.08 %"));

    // Keystrokes faster than the search: only the last value may end up in the table.
    auto* target = child<QLineEdit>(*panel, "txtTarget");
    QSignalSpy shown(panel.get(), &tools::StandardValues::networksShown);
    for (const char* typed : {"1", "12", "123", "1234"})
        target->setText(QLatin1String(typed));
    ASSERT_TRUE(shown.wait(waitMs));
    EXPECT_EQ(shown.count(), 1);
    EXPECT_EQ(cell(*networks, 0, 0), QStringLiteral("24k || 1.3k"));
    EXPECT_EQ(cell(*networks, 0, 2), QStringLiteral("-0.06 %"));
}

TEST_F(StandardValuesWindow, AtMostFourPartsReachesExactly)
{
    auto* networks = child<QTableWidget>(*panel, "tblNetworks");
    auto* parts = child<QComboBox>(*panel, "cboParts");
    ASSERT_NE(networks, nullptr);
    ASSERT_NE(parts, nullptr);
    ASSERT_EQ(parts->count(), 4);
    EXPECT_EQ(parts->currentText(), QStringLiteral("3")) << "three by default";
    // Every network and its near miss shown whole at the window's opening size.
    panel->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
    const auto everyCellFits = [networks] {
        for (int row = 0; row < networks->rowCount(); ++row) {
            for (int column = 0; column < networks->columnCount(); ++column) {
                const QString shown = cell(*networks, row, column);
                EXPECT_LE(networks->fontMetrics().horizontalAdvance(shown) + 8, networks->columnWidth(column))
                    << shown.toStdString();
            }
        }
    };
    ASSERT_TRUE(typeAndWait("txtTarget", QStringLiteral("7777")));
    EXPECT_EQ(cell(*networks, 0, 0), QStringLiteral("36k || (9.1k + 820)"));
    EXPECT_EQ(cell(*networks, 0, 2), QStringLiteral("+0.000045 %"));
    everyCellFits();
    QSignalSpy shown(panel.get(), &tools::StandardValues::networksShown);
    parts->setCurrentIndex(3);
    ASSERT_TRUE(shown.wait(waitMs));
    EXPECT_EQ(cell(*networks, 0, 0), QStringLiteral("5.6k + 27 + (4.3k || 4.3k)"));
    EXPECT_EQ(cell(*networks, 0, 2), QStringLiteral("exact"));
    EXPECT_EQ(cell(*networks, 0, 3), QStringLiteral("4"));
    everyCellFits();
}

// A search that reaches its limit of work shows the best it found and says so beside the table.
TEST_F(StandardValuesWindow, ASearchAtItsLimitSaysSo)
{
    auto* source = child<QComboBox>(*panel, "cboSource");
    ASSERT_NE(source, nullptr);
    source->setCurrentIndex(E192);
    child<QComboBox>(*panel, "cboParts")->setCurrentIndex(3);
    child<QLineEdit>(*panel, "txtFrom")->setText(QStringLiteral("1e-15"));
    child<QLineEdit>(*panel, "txtTo")->setText(QStringLiteral("1e15"));
    ASSERT_TRUE(typeAndWait("txtTarget", QStringLiteral("1.23456789")));
    EXPECT_GT(child<QTableWidget>(*panel, "tblNetworks")->rowCount(), 0);
    EXPECT_EQ(child<QLabel>(*panel, "lblNetworksStatus")->text(),
              QStringLiteral("The search stopped at its limit: a better network may exist."));
}

TEST_F(StandardValuesWindow, ThreePartsPreferFewerDistinctValues)
{
    auto* source = child<QComboBox>(*panel, "cboSource");
    auto* networks = child<QTableWidget>(*panel, "tblNetworks");
    ASSERT_NE(source, nullptr);
    ASSERT_NE(networks, nullptr);
    source->setCurrentText(QStringLiteral("E12"));
    ASSERT_TRUE(typeAndWait("txtTarget", QStringLiteral("1234")));
    EXPECT_EQ(cell(*networks, 0, 0), QStringLiteral("1.2k + (68 || 68)"));
    EXPECT_EQ(cell(*networks, 0, 3), QStringLiteral("3"));
}

struct RefusalCase {
    const char* name;
    const char* typed;
    const char* message; // the start of it
};

class RefusedTarget : public StandardValuesWindow, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(RefusedTarget, IsNamedBesideTheFieldAndShowsNoResult)
{
    const RefusalCase& c = GetParam();
    auto* target = child<QLineEdit>(*panel, "txtTarget");
    auto* message = child<QLabel>(*panel, "lblTargetMessage");
    auto* nearest = child<QTableWidget>(*panel, "tblNearest");
    auto* networks = child<QTableWidget>(*panel, "tblNetworks");
    ASSERT_TRUE(target && message && nearest && networks);

    ASSERT_TRUE(typeAndWait("txtTarget", QStringLiteral("5k")));
    ASSERT_GT(networks->rowCount(), 0);
    ASSERT_TRUE(typeAndWait("txtTarget", QString::fromUtf8(c.typed)));

    EXPECT_FALSE(message->text().isEmpty());
    EXPECT_TRUE(message->text().startsWith(QString::fromUtf8(c.message))) << message->text().toStdString();
    EXPECT_EQ(target->text(), QString::fromUtf8(c.typed));
    EXPECT_EQ(networks->rowCount(), 0);
    for (int row = 0; row < nearest->rowCount(); ++row)
        EXPECT_TRUE(cell(*nearest, row, Nearest).isEmpty()) << row;

    // Fixing it brings the results back and the message goes.
    ASSERT_TRUE(typeAndWait("txtTarget", QStringLiteral("4k7")));
    EXPECT_TRUE(message->text().isEmpty());
    EXPECT_EQ(cell(*nearest, E12, NearestDev), QStringLiteral("exact"));
}

INSTANTIATE_TEST_SUITE_P(Inputs, RefusedTarget,
                         ::testing::Values(RefusalCase{"NotAValue", "4x7",
                                                       "'4x7' is not a resistance: write 4.7k, 4k7 or 4700"},
                                           RefusalCase{"Zero", "0", ""}, RefusalCase{"Negative", "-5k", ""},
                                           RefusalCase{"TooLarge", "1e16", ""}, RefusalCase{"TooSmall", "1e-16", ""},
                                           RefusalCase{"AVoltage", "5V", "'5V' is not a resistance or a capacitance"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StandardValuesWindow, ABadRangeIsNamedAndShowsNoNetworks)
{
    auto* message = child<QLabel>(*panel, "lblRangeMessage");
    auto* networks = child<QTableWidget>(*panel, "tblNetworks");
    auto* from = child<QLineEdit>(*panel, "txtFrom");
    ASSERT_TRUE(message && networks && from);
    ASSERT_TRUE(typeAndWait("txtTarget", QStringLiteral("5k")));
    ASSERT_GT(networks->rowCount(), 0);

    for (const char* typed : {"1x0", "2M"}) { // not a value; above the 1M end
        ASSERT_TRUE(typeAndWait("txtFrom", QLatin1String(typed)));
        EXPECT_FALSE(message->text().isEmpty()) << typed;
        EXPECT_EQ(from->text(), QLatin1String(typed));
        EXPECT_EQ(networks->rowCount(), 0) << typed;
    }
    ASSERT_TRUE(typeAndWait("txtFrom", QStringLiteral("1k")));
    EXPECT_TRUE(message->text().isEmpty());
    EXPECT_EQ(cell(*networks, 0, 0), QStringLiteral("10k || 10k"));
}

TEST_F(StandardValuesWindow, MyPartsSurviveARestartWithTheBadLineMarked)
{
    auto* source = child<QComboBox>(*panel, "cboSource");
    auto* list = child<QPlainTextEdit>(*panel, "txtMyParts");
    ASSERT_TRUE(source && list);
    source->setCurrentText(QStringLiteral("My parts"));
    const QString typed = QStringLiteral("10k x2\n4q7\n4k7\n");
    list->setPlainText(typed);

    panel.reset(); // closing saves what is still waiting to be saved
    ASSERT_TRUE(QFile::exists(tools::myparts::filePath()));
    open();
    ASSERT_TRUE(QSignalSpy(panel.get(), &tools::StandardValues::partsRead).wait(waitMs));

    list = child<QPlainTextEdit>(*panel, "txtMyParts");
    auto* problems = child<QListWidget>(*panel, "lstPartProblems");
    source = child<QComboBox>(*panel, "cboSource");
    auto* networks = child<QTableWidget>(*panel, "tblNetworks");
    ASSERT_TRUE(list && problems && source && networks);
    EXPECT_EQ(list->toPlainText(), typed);
    ASSERT_EQ(problems->count(), 1);
    EXPECT_TRUE(problems->item(0)->text().startsWith(QStringLiteral("Line 2: ")))
        << problems->item(0)->text().toStdString();
    EXPECT_EQ(list->extraSelections().size(), 1);

    // Both 10k parts are used, never a third; the bad line is left out.
    source->setCurrentText(QStringLiteral("My parts"));
    ASSERT_TRUE(typeAndWait("txtTarget", QStringLiteral("5k")));
    ASSERT_GT(networks->rowCount(), 0);
    EXPECT_EQ(cell(*networks, 0, 0), QStringLiteral("10k || 10k"));
    for (int row = 0; row < networks->rowCount(); ++row)
        EXPECT_LE(cell(*networks, row, 0).count(QStringLiteral("10k")), 2) << cell(*networks, row, 0).toStdString();
}

TEST_F(StandardValuesWindow, EveryFieldHasAnAccessibleNameAndAnAccessKey)
{
    for (const char* name : {"txtTarget", "cboKind", "tblNearest", "cboSource", "txtFrom", "txtTo", "cboParts",
                             "tblNetworks", "txtMyParts", "lstPartProblems"}) {
        auto* field = child<QWidget>(*panel, name);
        ASSERT_NE(field, nullptr);
        EXPECT_FALSE(field->accessibleName().isEmpty()) << name;
        bool labelled = false;
        for (const QLabel* label : panel->findChildren<QLabel*>())
            labelled = labelled || (label->buddy() == field && label->text().contains(u'&'));
        EXPECT_TRUE(labelled) << name;
    }
}

} // namespace

namespace {

struct CsvCase {
    const char* name;
    const char* csv;
    char decimalSeparator;
    const char* list;
};

class CsvImport : public ::testing::TestWithParam<CsvCase> {};

TEST_P(CsvImport, GivesOnePartARow)
{
    const CsvCase& c = GetParam();
    EXPECT_EQ(tools::myparts::partsFromCsv(QString::fromUtf8(c.csv), c.decimalSeparator).toStdString(), c.list);
}

INSTANTIATE_TEST_SUITE_P(Files, CsvImport,
                         ::testing::Values(
                             // Without a heading the rows stay as they are: the list reads each row's first value.
                             CsvCase{"RowsWithoutAHeadingStayAsTheyAre", "resistor,4k7,0805\ncapacitor,\"100n\",0603\n",
                                     '.', "resistor,4k7,0805\ncapacitor,\"100n\",0603\n"},
                             CsvCase{"AByteOrderMarkIsDropped", "\xEF\xBB\xBFValue,Qty\n4k7,3\n", '.', "4k7 x3\n"},
                             CsvCase{"HeadingWithoutValueIsLeftOut", "Part,Size\n2.2k,0805\n", '.', "2.2k\n"},
                             // R1 reads as 0.1 ohm: the named column wins over the designators.
                             CsvCase{"ValueColumnOfABillOfMaterials", "Ref,Qty,Value\nR1,3,4k7\nR2,1,\"10k\"\n", '.',
                                     "4k7 x3\n10k\n"},
                             CsvCase{"SemicolonsWithADecimalComma", "Ref;Value\nR7;\"2,2k\"\n", ',', "2,2k\n"},
                             CsvCase{"RowWithoutAValueIsKeptToBeMarked", "Value\nTBD\n1M\n", '.', "TBD\n1M\n"}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
