// SPDX-License-Identifier: MIT
#include "gui.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace {

using calculators::Calculator;

// For each calculator, texts for its fields in order and the line they give.
struct Press {
    const char* screen;
    std::vector<const char*> texts;
    const char* line;
};

const Press everyCalculator[] = {
    {"frmSerRes2", {"100", "220"}, "Resistor total= 320 Ohms"},
    {"frmSerRes3", {"1000", "2200", "470"}, "Resistor total= 3670 Ohms"},
    {"frmParRes", {"1", "2"}, "Resistor Total = 0.6667 Ohms"},
    {"frmSerCap2", {"1", "2"}, "Capacitor total= 0.666666666666667 microfarads"},
    {"frmSerCap3", {"10", "22", "47"}, "Capacitor total= 5.99767981438515 microfarads"},
    {"frmParCap", {"2.5", "3.25"}, "Capacitor Total = 5.75 Microfarads"},
    {"frmVoltageDiv", {"10", "1000", "2000"}, "Voltage out = 6.6667"},
};

} // namespace

TEST_F(ScreenTest, EveryCalculatorWritesItsResultLine)
{
    forEveryCalculator(everyCalculator, [this](const Calculator& c, const Press& p) {
        project.show(c.name());
        typeAll(c, p.texts);
        calculate(c);
        EXPECT_EQ(result(c), p.line);
        EXPECT_TRUE(messages.isEmpty());

        // Typing leaves the old result until the next Calculate.
        type(c.name(), c.fields.front(), "7");
        EXPECT_EQ(result(c), p.line);
    });
}

TEST_F(ScreenTest, AFailedCalculateClearsTheResultAndSelectsTheFailingField)
{
    forEveryCalculator(everyCalculator, [this](const Calculator& c, const Press& p) {
        project.show(c.name());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form(c.name()).window()));
        typeAll(c, p.texts);
        calculate(c);
        const char* last = c.fields.back();
        type(c.name(), last, "12abc");
        messages.clear();
        calculate(c);
        EXPECT_EQ(messages, QStringList{"Run-time error '13':\n\nType mismatch"});
        EXPECT_TRUE(result(c).isEmpty());
        EXPECT_EQ(QApplication::focusWidget(), control<QWidget>(c.name(), last));
        EXPECT_EQ(control<QLineEdit>(c.name(), last)->selectedText(), "12abc");
        EXPECT_EQ(control<QLineEdit>(c.name(), c.fields.front())->text(), p.texts.front());
    });
}

TEST_F(ScreenTest, AnEmptyScreenFailsOnItsFirstField)
{
    project.show("frmSerRes3");
    ASSERT_TRUE(QTest::qWaitForWindowActive(form("frmSerRes3").window()));
    click("frmSerRes3", "cmdCalculate");
    EXPECT_EQ(messages, QStringList{"Run-time error '13':\n\nType mismatch"});
    EXPECT_EQ(QApplication::focusWidget(), control<QWidget>("frmSerRes3", "txtResSer1"));
}

TEST_F(ScreenTest, AnArithmeticErrorIsReportedWithItsNumber)
{
    project.show("frmSerCap2");
    type("frmSerCap2", "txtCapSer1", "5");
    type("frmSerCap2", "txtCapSer2", "-5");
    click("frmSerCap2", "cmdCalculate");
    type("frmSerCap2", "txtCapSer2", "-0");
    type("frmSerCap2", "txtCapSer1", "0");
    click("frmSerCap2", "cmdCalculate");
    project.show("frmSerRes2");
    type("frmSerRes2", "txtResSer1", "2147483647");
    type("frmSerRes2", "txtResSer2", "1");
    click("frmSerRes2", "cmdCalculate");
    EXPECT_EQ(messages,
              (QStringList{"Run-time error '11':\n\nDivision by zero", "Run-time error '6':\n\nOverflow",
                           "Run-time error '6':\n\nOverflow"}));
}

TEST_F(ScreenTest, DisplayPrecisionAppliesToEveryCalculatorButTheColourCode)
{
    project.setPrecision(shell::Project::Precision::TwoDecimals);
    project.show("frmParRes");
    type("frmParRes", "txtR1", "1");
    type("frmParRes", "txtR2", "2");
    click("frmParRes", "cmdCalculate");
    EXPECT_EQ(caption("frmParRes", "lblParResTotal"), "Resistor Total = 0.67 Ohms");

    project.show("frmResistors");
    control<QComboBox>("frmResistors", "cboBand1")->setCurrentText("Yellow");
    control<QComboBox>("frmResistors", "cboBand2")->setCurrentText("Violet");
    control<QComboBox>("frmResistors", "cboBand3")->setCurrentText("Red");
    control<QComboBox>("frmResistors", "cboTolerance")->setCurrentText("Gold");
    click("frmResistors", "ResistCalc");
    EXPECT_EQ(caption("frmResistors", "lblResistorValue"), "Resistor Value= 4700 Ohms");
}

TEST_F(ScreenTest, ColourCodePromptsInBandOrderThenWritesWhatItCan)
{
    project.show("frmResistors");
    ASSERT_TRUE(QTest::qWaitForWindowActive(form("frmResistors").window()));
    EXPECT_EQ(QApplication::focusWidget(), control<QWidget>("frmResistors", "cboBand1"));
    click("frmResistors", "ResistCalc");
    EXPECT_EQ(messages,
              (QStringList{"Pick a color for Band 1", "Pick a color for Band 2", "Pick a color for Band 3",
                           "Enter a Tolerance value"}));
    EXPECT_EQ(caption("frmResistors", "lblResistorValue"), "");
    EXPECT_EQ(caption("frmResistors", "lblTolerance"), "");

    messages.clear();
    auto* band1 = control<QComboBox>("frmResistors", "cboBand1");
    QTest::keyClicks(band1, "Black");
    QTest::keyClick(band1, Qt::Key_Return); // typed text is not added to the list
    EXPECT_EQ(band1->count(), 10);
    control<QComboBox>("frmResistors", "cboBand2")->setCurrentIndex(1);     // Brown
    control<QComboBox>("frmResistors", "cboBand3")->setCurrentIndex(2);     // Red
    control<QComboBox>("frmResistors", "cboTolerance")->setCurrentIndex(2); // None
    click("frmResistors", "ResistCalc");
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(caption("frmResistors", "lblResistorValue"), "Resistor Value= 0100 Ohms");
    EXPECT_EQ(caption("frmResistors", "lblTolerance"), "Tolerance = +/- 20% of resistor's measured value");
}

namespace {
const char* const colourLists[] = {"cboBand1", "cboBand2", "cboBand3", "cboTolerance"};

struct ListChange {
    const char* name;
    const char* list;
    const char* blanked; // the line that no longer describes the lists
    const char* kept;
};
const ListChange listChanges[] = {
    {"Band1", "cboBand1", "lblResistorValue", "lblTolerance"},
    {"Band2", "cboBand2", "lblResistorValue", "lblTolerance"},
    {"Band3", "cboBand3", "lblResistorValue", "lblTolerance"},
    {"Tolerance", "cboTolerance", "lblTolerance", "lblResistorValue"},
};
void PrintTo(const ListChange& c, std::ostream* os)
{
    *os << c.name;
}
} // namespace

class ColourListChange : public ScreenTest, public ::testing::WithParamInterface<ListChange> {};

TEST_P(ColourListChange, BlanksItsOwnLineOnlyWhetherChosenOrTyped)
{
    const ListChange& c = GetParam();
    project.show("frmResistors");
    const int picks[] = {4, 7, 2, 0}; // Yellow, Violet, Red, Gold
    for (int i = 0; i < 4; ++i)
        control<QComboBox>("frmResistors", colourLists[i])->setCurrentIndex(picks[i]);
    auto* list = control<QComboBox>("frmResistors", c.list);
    ASSERT_NE(list, nullptr);

    click("frmResistors", "ResistCalc");
    const QString kept = caption("frmResistors", c.kept);
    ASSERT_FALSE(kept.isEmpty());
    list->setCurrentIndex(1); // chosen from the list
    EXPECT_EQ(caption("frmResistors", c.blanked), "");
    EXPECT_EQ(caption("frmResistors", c.kept), kept);

    click("frmResistors", "ResistCalc");
    ASSERT_FALSE(caption("frmResistors", c.blanked).isEmpty());
    QTest::keyClick(list, Qt::Key_Backspace); // typed
    EXPECT_EQ(caption("frmResistors", c.blanked), "");
    EXPECT_EQ(caption("frmResistors", c.kept), kept);
}

INSTANTIATE_TEST_SUITE_P(FrmResistors, ColourListChange, ::testing::ValuesIn(listChanges),
                         [](const auto& info) { return std::string(info.param.name); });

namespace {
struct FocusAfterPrompts {
    const char* name;
    const char* texts[4];
    const char* focused; // the first list to mend, once the prompts are closed
};
const FocusAfterPrompts focusCases[] = {
    {"AllEmpty", {"", "", "", ""}, "cboBand1"},
    {"MisspeltBand2", {"Yellow", "Purple", "Red", "Gold"}, "cboBand2"},
    {"GoldInBand3", {"Brown", "Black", "Gold", "Gold"}, "cboBand3"},
    {"Band3AndTolerance", {"Brown", "Black", "Grey", "gold"}, "cboBand3"},
    {"ToleranceOnly", {"Brown", "Black", "Red", "Red"}, "cboTolerance"},
};
void PrintTo(const FocusAfterPrompts& c, std::ostream* os)
{
    *os << c.name;
}
} // namespace

class ColourFocus : public ScreenTest, public ::testing::WithParamInterface<FocusAfterPrompts> {};

TEST_P(ColourFocus, GoesToTheFirstUnrecognisedListWithItsTextSelected)
{
    const FocusAfterPrompts& c = GetParam();
    project.show("frmResistors");
    ASSERT_TRUE(QTest::qWaitForWindowActive(form("frmResistors").window()));
    for (int i = 0; i < 4; ++i)
        control<QComboBox>("frmResistors", colourLists[i])->setCurrentText(QString::fromLatin1(c.texts[i]));
    click("frmResistors", "ResistCalc");
    ASSERT_FALSE(messages.isEmpty());
    auto* focused = control<QComboBox>("frmResistors", c.focused);
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(QApplication::focusWidget(), focused);
    EXPECT_EQ(focused->lineEdit()->selectedText(), focused->currentText());
}

TEST_F(ScreenTest, ColourFocusStaysOnCalculateWhenEveryListIsRecognised)
{
    project.show("frmResistors");
    ASSERT_TRUE(QTest::qWaitForWindowActive(form("frmResistors").window()));
    const char* texts[] = {"Yellow", "Violet", "Red", "Gold"};
    for (int i = 0; i < 4; ++i)
        control<QComboBox>("frmResistors", colourLists[i])->setCurrentText(QString::fromLatin1(texts[i]));
    auto* calculate = control<QWidget>("frmResistors", "ResistCalc");
    ASSERT_NE(calculate, nullptr);
    calculate->setFocus();
    click("frmResistors", "ResistCalc");
    EXPECT_EQ(QApplication::focusWidget(), calculate);
}

INSTANTIATE_TEST_SUITE_P(FrmResistors, ColourFocus, ::testing::ValuesIn(focusCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScreenTest, EveryColourNameShowsWholeInItsList)
{
    project.show("frmResistors");
    for (const char* list : {"cboBand1", "cboBand2", "cboBand3", "cboTolerance"}) {
        auto* box = control<QComboBox>("frmResistors", list);
        const int room = box->lineEdit()->contentsRect().width() - 4; // the field's own side margins
        for (int i = 0; i < box->count(); ++i) {
            SCOPED_TRACE(box->itemText(i).toStdString());
            EXPECT_LE(box->lineEdit()->fontMetrics().horizontalAdvance(box->itemText(i)), room);
        }
    }
}
