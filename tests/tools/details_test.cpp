// SPDX-License-Identifier: MIT
// The tools' windows as a person first meets them: where typing goes, what the drawing shows,
// whether notes can be read, one resistor already chosen, and a goal the parts cannot reach.
#include "shell/fonts.h"
#include "shell/panelform.h"
#include "shell/project.h"
#include "tools/catalogue.h"
#include "tools/dividerdesign.h"
#include "tools/markings/markings.h"
#include "tools/standardvalues/myparts.h"
#include "tools/standardvalues/standardvalues.h"

#include "everytool.h"
#include "window.h"

#include "values/markings.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using values::Colour;

namespace {

using window::cell;
using window::child;

// Waits until the status label no longer says the search is running.
bool settled(QWidget* panel, const char* status)
{
    auto* label = child<QLabel>(panel, status);
    return window::waitFor(
        [label] { return label->text() != QStringLiteral("Searching...") && !label->text().isEmpty(); });
}

// WCAG 2: relative luminance of sRGB, and the ratio text needs at least 4.5 of.
double luminance(const QColor& c)
{
    const auto linear = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

double contrast(const QColor& a, const QColor& b)
{
    const double x = luminance(a);
    const double y = luminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

class ToolWindow : public ::testing::Test {
protected:
    void SetUp() override { QFile::remove(tools::myparts::filePath()); }
    void TearDown() override
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QFile::remove(tools::myparts::filePath());
    }
};

} // namespace

TEST_F(ToolWindow, DividerDesignerOpensWithTypingInVin)
{
    shell::Project project{{{shell::panel<tools::DividerDesign>("frmDividerDesign")}, "frmDividerDesign"}};
    project.start();
    QMainWindow* window = project.form("frmDividerDesign").window();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("5"));
    EXPECT_EQ(child<QLineEdit>(window, "txtVin")->text(), QStringLiteral("5"));
    project.form("frmDividerDesign").unload();
}

TEST_F(ToolWindow, DividerDesignerWithR2FixedGivesTheBestR1)
{
    tools::DividerDesign panel;
    child<QComboBox>(&panel, "cboFixed")->setCurrentIndex(2);
    child<QLineEdit>(&panel, "txtFixed")->setText(QStringLiteral("10k"));
    child<QLineEdit>(&panel, "txtVin")->setText(QStringLiteral("5"));
    child<QLineEdit>(&panel, "txtVout")->setText(QStringLiteral("3.3"));
    QTest::qWait(0);
    auto* pairs = child<QTableWidget>(&panel, "tblPairs");
    ASSERT_TRUE(window::waitFor([pairs] { return !cell(*pairs, 0, 0).isEmpty(); }));
    EXPECT_EQ(cell(*pairs, 0, 0), QStringLiteral("5.11 kΩ"));
    EXPECT_EQ(cell(*pairs, 0, 1), QStringLiteral("10 kΩ"));
    EXPECT_EQ(cell(*pairs, 1, 1), QStringLiteral("10 kΩ"));

    child<QLineEdit>(&panel, "txtFixed")->setText(QStringLiteral("10 V"));
    EXPECT_FALSE(child<QLabel>(&panel, "lblRangeMessage")->text().isEmpty());
    EXPECT_EQ(child<QTableWidget>(&panel, "tblPairs")->rowCount(), 0);
}

TEST_F(ToolWindow, DividerDesignerSaysWhenVoutIsOutOfReach)
{
    tools::DividerDesign panel;
    child<QLineEdit>(&panel, "txtVin")->setText(QStringLiteral("5"));
    child<QLineEdit>(&panel, "txtVout")->setText(QStringLiteral("1m"));
    ASSERT_TRUE(settled(&panel, "lblStatus"));
    EXPECT_EQ(child<QLabel>(&panel, "lblStatus")->text(),
              QStringLiteral("Out of reach: pairs of these parts give V out no lower than 4.995 mV"));
    EXPECT_EQ(cell(*child<QTableWidget>(&panel, "tblPairs"), 0, 0), QStringLiteral("1 MΩ"));
}

TEST_F(ToolWindow, StandardValuesSaysWhenATargetIsOutOfReach)
{
    tools::StandardValues panel;
    child<QLineEdit>(&panel, "txtTarget")->setText(QStringLiteral("5G"));
    ASSERT_TRUE(settled(&panel, "lblNetworksStatus"));
    EXPECT_TRUE(child<QLabel>(&panel, "lblNetworksStatus")->text().startsWith(QStringLiteral("Out of reach")))
        << child<QLabel>(&panel, "lblNetworksStatus")->text().toStdString();
}

TEST_F(ToolWindow, MarkingsExampleIsReplacedByWhatIsTyped)
{
    tools::Markings panel;
    panel.show();
    auto* marking = child<QLineEdit>(&panel, "txtMarking");
    marking->setFocus();
    QTest::keyClicks(marking, QStringLiteral("4K7"));
    EXPECT_EQ(marking->text(), QStringLiteral("4K7"));
}

TEST_F(ToolWindow, MarkingsDrawingFollowsTheSideLastEdited)
{
    tools::Markings panel;
    auto* drawing = child<tools::ResistorDrawing>(&panel, "picResistor");
    const std::vector<Colour> read{Colour::Yellow, Colour::Violet, Colour::Red, Colour::Gold};
    EXPECT_EQ(drawing->bands(), read);
    child<QLineEdit>(&panel, "txtValue")->setText(QStringLiteral("1k"));
    EXPECT_EQ(drawing->bands(), (std::vector<Colour>{Colour::Brown, Colour::Black, Colour::Red, Colour::Gold}));
    child<QLineEdit>(&panel, "txtMarking")->setText(QStringLiteral("brown black orange gold"));
    EXPECT_EQ(drawing->bands(), (std::vector<Colour>{Colour::Brown, Colour::Black, Colour::Orange, Colour::Gold}));
    // A value four bands cannot carry is drawn with five.
    child<QLineEdit>(&panel, "txtValue")->setText(QStringLiteral("4.99k"));
    EXPECT_EQ(drawing->bands(),
              (std::vector<Colour>{Colour::Yellow, Colour::White, Colour::White, Colour::Brown, Colour::Gold}));
}

TEST_F(ToolWindow, MarkingsNotesReadAtFourAndAHalfToOne)
{
    tools::Markings panel;
    child<QLineEdit>(&panel, "txtValue")->setText(QStringLiteral("4.7k"));
    auto* table = child<QTableWidget>(&panel, "tblMarkings");
    const QColor base = table->palette().color(QPalette::Active, QPalette::Base);
    int notes = 0;
    for (int row = 0; row < table->rowCount(); ++row) {
        const QTableWidgetItem* item = table->item(row, 1);
        if (item == nullptr || !item->text().startsWith(QStringLiteral("4.7k")))
            continue; // a code, not a note on why there is none
        ++notes;
        EXPECT_GE(contrast(item->foreground().color(), base), 4.5) << item->text().toStdString();
    }
    EXPECT_GT(notes, 0);
}

// Run at 1x and, by ctest, at other display scales: the window has the size its panel lays out
// to in the face of ratio 1 (MS Sans Serif), not a narrower one because another face is drawn.
TEST_F(ToolWindow, EveryToolKeepsItsLogicalSizeAtEveryScale)
{
    const struct {
        const char* name;
        shell::PanelFactory make;
    } tools[] = {
        {"frmStandardValues", [](QWidget* parent) -> QWidget* { return new tools::StandardValues(parent); }},
        {"frmMarkings", [](QWidget* parent) -> QWidget* { return new tools::Markings(parent); }},
        {"frmDividerDesign", [](QWidget* parent) -> QWidget* { return new tools::DividerDesign(parent); }},
    };
    for (const auto& tool : tools) {
        SCOPED_TRACE(tool.name);
        // Laid out as the shell lays out a panel, its message lines left out of the width.
        QMainWindow reference;
        reference.setFont(shell::interfaceFont(1.0));
        reference.setCentralWidget(tool.make(&reference));
        for (QLabel* label : reference.findChildren<QLabel*>()) {
            if (label->wordWrap() || label->text().isEmpty())
                label->setSizePolicy(QSizePolicy::Ignored, label->sizePolicy().verticalPolicy());
        }
        const QSize expected = reference.sizeHint();

        shell::Project project{{{shell::panel(tool.name, tool.make)}, tool.name}};
        project.start();
        QMainWindow* window = project.form(tool.name).window();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        EXPECT_GE(window->width(), expected.width());
        EXPECT_GE(window->height(), expected.height());
        EXPECT_LE(window->width(), expected.width() * 21 / 20);
        EXPECT_LE(window->height(), expected.height() * 21 / 20);
        EXPECT_LE(window->width(), 1280);
        EXPECT_LE(window->height(), 720);
        project.form(tool.name).unload();
    }
}

// A page pasted into a one-line field: the field takes its first line, and the message quoting
// at most 60 characters of it grows the window no more than a short mistake's message does.
// A case a tool, so that the tools' windows are pasted into side by side.
class MultiLinePaste : public ToolWindow, public ::testing::WithParamInterface<tools::Tool> {};

TEST_P(MultiLinePaste, TakesItsFirstLineInEveryField)
{
    QStringList page;
    for (int i = 0; i < 2000; ++i)
        page << QStringLiteral("junk%1 ").arg(i).repeated(20);
    const tools::Tool& tool = GetParam();
    shell::Project project{{{shell::panel(tool.window, tool.make)}, tool.window}};
    project.start();
    QMainWindow* window = project.form(tool.window).window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    const int line = window->fontMetrics().lineSpacing();
    for (QLineEdit* field : window->findChildren<QLineEdit*>()) {
        if (!field->isVisible())
            continue;
        SCOPED_TRACE(field->objectName().toStdString());
        const QString before = field->text();
        const int height = window->height();
        field->setText(QStringLiteral("x"));
        QTest::qWait(20);
        const int shortMistake = std::max(window->height(), height + 2 * line); // a line and its spacing
        field->selectAll();
        QApplication::clipboard()->setText(page.join(QLatin1Char('\n')));
        field->paste();
        QTest::qWait(20);
        EXPECT_EQ(field->text().toStdString(), page.front().toStdString());
        EXPECT_LE(window->height(), shortMistake);
        for (QLabel* label : window->findChildren<QLabel*>())
            EXPECT_FALSE(label->text().contains(page.front().left(61))) << label->text().toStdString();
        field->setText(before);
    }
    project.form(tool.window).unload();
}

INSTANTIATE_TEST_SUITE_P(Catalogue, MultiLinePaste,
                         ::testing::ValuesIn(tools::catalogue().begin(), tools::catalogue().end()), everytool::name);
