// SPDX-License-Identifier: MIT
#include "gui.h"

#include "calculators/calculatorform.h"
#include "runtime/error.h"
#include "shell/builder.h"
#include "shell/linkform.h"
#include "tools/catalogue.h"

#include <QComboBox>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

using shell::toPixels;

namespace {

QWidget* client(shell::Form& f)
{
    return f.window()->centralWidget();
}

// The focus chain from the first focusable control. Qt takes the unchecked buttons of an
// option group out of Tab while one of them has the focus, so focusability is what counts.
QStringList tabChain(QWidget* first)
{
    QStringList names;
    for (QWidget* w = first; w && !names.contains(w->objectName()); w = w->nextInFocusChain()) {
        if (w->parentWidget() == first->parentWidget() && w->focusPolicy() != Qt::NoFocus)
            names.append(w->objectName());
    }
    return names;
}

} // namespace

TEST_F(ScreenTest, StartShowsTheMainScreenAloneWithTheFocusOnResistors)
{
    project.start();
    EXPECT_EQ(visibleScreens(), QStringList{"frmMainScr"});
    QMainWindow* main = form("frmMainScr").window();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "cmdResistors");
    EXPECT_EQ(main->windowTitle(), "Voltiva V1.0");
}

TEST_F(ScreenTest, EveryScreenMatchesItsDeclaration)
{
    for (const std::string& name : project.screenNames()) {
        SCOPED_TRACE(name);
        shell::Form& f = form(name.c_str());
        if (!f.declaration())
            continue; // a panel, laid out by Qt
        f.show();
        const shell::ScreenDecl& decl = *f.declaration();
        EXPECT_EQ(f.window()->objectName(), QString::fromLatin1(decl.name));
        EXPECT_EQ(f.window()->windowTitle(), QString::fromUtf8(decl.caption));
        EXPECT_EQ(client(f)->size(), QSize(toPixels(decl.width), toPixels(decl.height)));
        EXPECT_FALSE(f.window()->windowFlags() & Qt::MSWindowsFixedSizeDialogHint);

        const QList<QWidget*> made = client(f)->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        ASSERT_EQ(made.size(), static_cast<qsizetype>(decl.controls.size()));
        for (std::size_t i = 0; i < decl.controls.size(); ++i) {
            const shell::ControlDecl& c = decl.controls[i];
            SCOPED_TRACE(c.name);
            QWidget* w = made[static_cast<qsizetype>(i)]; // creation order
            EXPECT_EQ(w->objectName(), QString::fromLatin1(c.name));
            if (c.kind != shell::Kind::Line) {
                EXPECT_EQ(w->geometry(),
                          QRect(toPixels(c.left), toPixels(c.top), toPixels(c.width), toPixels(c.height)));
            }
            const shell::FontSpec& font = c.font ? *c.font : decl.font;
            EXPECT_DOUBLE_EQ(w->font().pointSizeF(), font.points);
            EXPECT_EQ(w->font().bold(), font.bold);
            if (auto* button = qobject_cast<QPushButton*>(w)) {
                EXPECT_EQ(button->text(), QString::fromUtf8(c.caption));
                EXPECT_FALSE(button->isDefault());
                EXPECT_FALSE(button->autoDefault());
            }
            if (auto* l = qobject_cast<QLabel*>(w)) {
                EXPECT_EQ(l->text(), QString::fromUtf8(c.caption));
            }
            if (auto* field = qobject_cast<QLineEdit*>(w)) {
                EXPECT_TRUE(field->text().isEmpty());
            }
        }
        f.unload();
    }
}

TEST_F(ScreenTest, TabOrderFollowsTabIndexAndTheLowestTakesTheFocus)
{
    const struct {
        const char* screen = nullptr;
        QStringList chain;
    } cases[] = {
        {"frmMainScr",
         {"cmdResistors", "cmdCapacitors", "cmdTransistors", "cmdParallel", "cmdSeriesCircuits", "Picture1",
          "cmdVoltDiv"}},
        {"frmSeries", {"cmdDone", "Picture1", "cmdSeriesResistors", "cmdSeriesCapacitors"}},
        {"frmParallel", {"Picture1", "cmdParRes", "cmdParCap", "cmdDone"}},
        {"frmSeriesResistors", {"Picture1", "cmdDone", "cmdCalculateTwo", "cmdCalculateThree"}},
        {"frmSeriesCapacitors", {"cmdDone", "Picture1", "cmdSerCap2", "cmdSerCap3"}},
        {"frmSerRes2", {"txtResSer1", "cmdCalculate", "cmdDone", "txtResSer2"}},
        {"frmSerRes3", {"txtResSer1", "cmdCalculate", "cmdDone", "txtResSer2", "txtResSer3"}},
        {"frmParRes", {"cmdDone", "Picture1", "txtR1", "txtR2", "cmdCalculate"}},
        {"frmSerCap2", {"cmdCalculate", "cmdDone", "txtCapSer1", "txtCapSer2"}},
        {"frmSerCap3", {"cmdCalculate", "cmdDone", "txtCapSer1", "txtCapSer2", "txtCapSer3"}},
        {"frmParCap", {"Picture1", "txtC1", "txtC2", "cmdCalulate", "cmdDone"}},
        {"frmVoltageDiv", {"cmdDone", "cmdCalculate", "txtVoltDivIn", "txtVoltDivR1", "txtVoltDivR2"}},
        {"frmResistors", {"cboBand1", "cboBand2", "cboBand3", "cboTolerance", "ResistCalc", "cmdDone", "Picture1"}},
        {"frmTransistors", {"Picture1", "cmdDone", "Picture3", "Picture4", "Picture2"}},
        {"frmCapacitors", {"cmdDoneC", "Picture1", "Picture2", "Picture3", "Picture4"}},
        {"frmHowTo", {"cmdDone"}},
        {"frmAboutProg", {"Picture1", "cmdAboutOk"}},
        {"frmOptions", {"optTwoDec", "optThreeDec", "cmdDone", "optFloatDec"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.screen);
        shell::Form& f = form(c.screen);
        f.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(f.window()));
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        EXPECT_EQ(focus->objectName(), c.chain.front());
        EXPECT_EQ(tabChain(focus), c.chain);
        f.unload();
    }
}

TEST_F(ScreenTest, ShowingAnOpenScreenKeepsOneWindowAndItsContents)
{
    project.start();
    click("frmMainScr", "cmdParallel");
    click("frmParallel", "cmdParRes");
    QMainWindow* first = form("frmParRes").window();
    type("frmParRes", "txtR1", "470");
    click("frmParallel", "cmdParRes");
    EXPECT_EQ(form("frmParRes").window(), first);
    EXPECT_EQ(control<QLineEdit>("frmParRes", "txtR1")->text(), "470");
    EXPECT_EQ(visibleScreens(), (QStringList{"frmMainScr", "frmParRes", "frmParallel"}));
}

TEST_F(ScreenTest, UnloadDiscardsContentsAndTheNextShowStartsAfresh)
{
    project.show("frmSerRes2");
    type("frmSerRes2", "txtResSer1", "100");
    type("frmSerRes2", "txtResSer2", "220");
    click("frmSerRes2", "cmdCalculate");
    EXPECT_FALSE(caption("frmSerRes2", "lblSerResTotal").isEmpty());
    click("frmSerRes2", "cmdDone");
    EXPECT_FALSE(form("frmSerRes2").isLoaded());
    project.show("frmSerRes2");
    EXPECT_TRUE(control<QLineEdit>("frmSerRes2", "txtResSer1")->text().isEmpty());
    EXPECT_TRUE(caption("frmSerRes2", "lblSerResTotal").isEmpty());
}

TEST_F(ScreenTest, ChoosersOpenTheirScreensAndDoneClosesOnlyTheChooser)
{
    project.start();
    click("frmMainScr", "cmdSeriesCircuits");
    click("frmSeries", "cmdSeriesResistors");
    click("frmSeriesResistors", "cmdCalculateTwo");
    click("frmSeriesResistors", "cmdCalculateThree");
    click("frmSeriesResistors", "cmdDone");
    EXPECT_EQ(visibleScreens(), (QStringList{"frmMainScr", "frmSerRes2", "frmSerRes3", "frmSeries"}));

    click("frmSeries", "cmdSeriesCapacitors");
    click("frmSeriesCapacitors", "cmdSerCap2");
    click("frmSeriesCapacitors", "cmdSerCap3");
    click("frmMainScr", "cmdParallel");
    click("frmParallel", "cmdParCap");
    EXPECT_TRUE(form("frmSerCap2").isLoaded());
    EXPECT_TRUE(form("frmSerCap3").isLoaded());
    EXPECT_TRUE(form("frmParCap").isLoaded());
    EXPECT_FALSE(ended);
}

TEST_F(ScreenTest, EveryButtonAndMenuItemOfTheMainScreenOpensItsScreen)
{
    project.start();
    const std::pair<const char*, const char*> opens[] = {
        {"cmdResistors", "frmResistors"},   {"cmdCapacitors", "frmCapacitors"}, {"cmdTransistors", "frmTransistors"},
        {"cmdSeriesCircuits", "frmSeries"}, {"cmdParallel", "frmParallel"},     {"cmdVoltDiv", "frmVoltageDiv"},
    };
    for (const auto& [button, screen] : opens) {
        click("frmMainScr", button);
        EXPECT_TRUE(form(screen).isLoaded()) << screen;
    }
    const std::pair<const char*, const char*> menus[] = {
        {"mnuHelpHow", "frmHowTo"},
        {"mnuHelpAbout", "frmAboutProg"},
        {"mnuFileOptions", "frmOptions"},
    };
    for (const auto& [item, screen] : menus) {
        control<QAction>("frmMainScr", item)->trigger();
        EXPECT_TRUE(form(screen).isLoaded()) << screen;
    }
    // Every tool opens the one workbench, at that tool.
    for (const tools::Tool& tool : tools::catalogue()) {
        control<QAction>("frmMainScr", tool.action)->trigger();
        ASSERT_TRUE(form("frmWorkbench").isLoaded()) << tool.window;
        EXPECT_TRUE(form("frmWorkbench").window()->findChild<QWidget*>(QLatin1String(tool.window))->isVisible());
    }
    EXPECT_EQ(project.loadedCount(), 11);
}

TEST_F(ScreenTest, MenusKeepTheirAccessKeys)
{
    project.start();
    const std::pair<const char*, const char*> captions[] = {
        {"mnuFile", "&File"},
        {"mnuFileOptions", "&Options..."},
        {"mnuFileQuit", "&Quit"},
        {"mnuHelp", "&Help"},
        {"mnuHelpHow", "&How to use..."},
        {"mnuHelpAbout", "&About Voltiva V1.0..."},
        {"mnuTools", "&Tools"},
        {"mnuToolsStandard", "&Standard values..."},
        {"mnuToolsMarkings", "&Markings..."},
        {"mnuToolsDivider", "&Divider designer..."},
    };
    for (const auto& [name, text] : captions) {
        auto* action = form("frmMainScr").window()->findChild<QAction*>(name);
        ASSERT_NE(action, nullptr) << name;
        EXPECT_EQ(action->text(), text);
        EXPECT_TRUE(action->shortcut().isEmpty());
    }
}

TEST_F(ScreenTest, ToolsSitsBetweenFileAndHelp)
{
    project.start();
    QStringList menus;
    for (QAction* a : form("frmMainScr").window()->menuBar()->actions())
        menus.append(a->text());
    EXPECT_EQ(menus, (QStringList{"&File", "&Tools", "&Help"}));
}

TEST_F(ScreenTest, QuitClosesOnlyTheMainScreenAndTheProgramEndsWithTheLastScreen)
{
    project.start();
    click("frmMainScr", "cmdVoltDiv");
    click("frmMainScr", "cmdResistors");
    control<QAction>("frmMainScr", "mnuFileQuit")->trigger();
    EXPECT_FALSE(form("frmMainScr").isLoaded());
    EXPECT_EQ(visibleScreens(), (QStringList{"frmResistors", "frmVoltageDiv"}));
    EXPECT_FALSE(ended);
    form("frmResistors").window()->close(); // the title-bar close box
    EXPECT_FALSE(form("frmResistors").isLoaded());
    EXPECT_FALSE(ended);
    click("frmVoltageDiv", "cmdDone");
    EXPECT_TRUE(ended);
}

TEST_F(ScreenTest, QuitWithOnlyTheMainScreenEndsTheProgram)
{
    project.start();
    control<QAction>("frmMainScr", "mnuFileQuit")->trigger();
    EXPECT_TRUE(ended);
}

TEST_F(ScreenTest, EnterAndSpacePressOnlyTheFocusedButtonAndEscapeClosesNothing)
{
    project.show("frmSeries");
    QMainWindow* w = form("frmSeries").window();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(form("frmSeries").isLoaded());

    control<QWidget>("frmSeries", "Picture1")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::qWait(300); // Enter's press animates before it clicks
    EXPECT_FALSE(form("frmSeriesResistors").isLoaded());

    control<QWidget>("frmSeries", "cmdSeriesResistors")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_VERIFY_WITH_TIMEOUT(form("frmSeriesResistors").isLoaded(), 2000);

    project.show("frmSeries");
    control<QWidget>("frmSeries", "cmdDone")->setFocus();
    QTest::keyClick(control<QWidget>("frmSeries", "cmdDone"), Qt::Key_Space);
    EXPECT_FALSE(form("frmSeries").isLoaded());
}

TEST_F(ScreenTest, TheErrorReportIsTheStandardBoxCaptionedVoltiva)
{
    shell::setMessageSink({}); // the real box
    project.show("frmSerCap2");
    QString title, text;
    int buttons = 0;
    QMessageBox::Icon icon = QMessageBox::Question;
    withMessageBox([this] { click("frmSerCap2", "cmdCalculate"); },
                   [&](QMessageBox& box) {
                       title = box.windowTitle();
                       text = box.text();
                       icon = box.icon();
                       buttons = static_cast<int>(box.buttons().size());
                   });
    EXPECT_EQ(title, "Voltiva");
    EXPECT_EQ(text, "Run-time error '13':\n\nType mismatch");
    EXPECT_EQ(icon, QMessageBox::NoIcon);
    EXPECT_EQ(buttons, 1);
    EXPECT_TRUE(form("frmSerCap2").isLoaded());
}

TEST_F(ScreenTest, ARunTimeErrorIsReportedAndTheProgramCarriesOn)
{
    project.start();
    click("frmMainScr", "cmdVoltDiv");
    ASSERT_TRUE(QTest::qWaitForWindowActive(form("frmVoltageDiv").window()));
    type("frmVoltageDiv", "txtVoltDivIn", "12");
    type("frmVoltageDiv", "txtVoltDivR1", "2000");
    type("frmVoltageDiv", "txtVoltDivR2", "1000");
    click("frmVoltageDiv", "cmdCalculate");
    EXPECT_EQ(caption("frmVoltageDiv", "lblVoltDivTotal"), "Voltage out = 4");

    type("frmVoltageDiv", "txtVoltDivR1", "1k");
    click("frmVoltageDiv", "cmdCalculate");
    EXPECT_EQ(messages, QStringList{"Run-time error '13':\n\nType mismatch"});
    EXPECT_TRUE(caption("frmVoltageDiv", "lblVoltDivTotal").isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), control<QWidget>("frmVoltageDiv", "txtVoltDivR1"));
    EXPECT_EQ(control<QLineEdit>("frmVoltageDiv", "txtVoltDivR1")->selectedText(), "1k");
    EXPECT_EQ(control<QLineEdit>("frmVoltageDiv", "txtVoltDivIn")->text(), "12");
    EXPECT_EQ(project.loadedCount(), 2);
    EXPECT_FALSE(ended);
}

TEST_F(ScreenTest, LabelsNameTheirFieldsForScreenReaders)
{
    project.show("frmSerRes2");
    EXPECT_EQ(control<QLabel>("frmSerRes2", "Label1")->buddy(), control<QWidget>("frmSerRes2", "txtResSer1"));
    project.show("frmResistors");
    EXPECT_EQ(control<QLabel>("frmResistors", "Label2")->buddy(), control<QWidget>("frmResistors", "cboBand1"));
}

TEST_F(ScreenTest, OptionsRemembersTheChoiceForTheRun)
{
    project.show("frmOptions");
    for (const char* option : {"optTwoDec", "optThreeDec", "optFloatDec"})
        EXPECT_FALSE(control<QAbstractButton>("frmOptions", option)->isChecked());
    click("frmOptions", "cmdDone");
    EXPECT_EQ(project.displayDecimals(), std::nullopt);

    project.show("frmOptions");
    click("frmOptions", "optThreeDec");
    click("frmOptions", "cmdDone");
    EXPECT_FALSE(form("frmOptions").isLoaded());
    EXPECT_EQ(project.displayDecimals(), 3);

    project.show("frmOptions");
    EXPECT_TRUE(control<QAbstractButton>("frmOptions", "optThreeDec")->isChecked());
    click("frmOptions", "optFloatDec");
    click("frmOptions", "cmdDone");
    EXPECT_EQ(project.displayDecimals(), std::nullopt);
}

namespace {

// A screen with one button, a label and a field, for the names tests.
// clang-format off
const shell::ScreenDecl frmProbeLayout{
    "frmProbe", "Probe", 3000, 1500,
    {
        shell::button("cmdGo", "Go", 120, 120, 1095, 375, 0),
        shell::label("lblOut", "", 120, 600, 1095, 255, 1),
        shell::textBox("txtIn", 1320, 120, 975, 285, 2),
    },
};
// clang-format on
const shell::LinkedScreen linkToNowhere{frmProbeLayout, {{"cmdGo_Click", "frmNowhere"}}};
const shell::LinkedScreen linkFromNothing{frmProbeLayout, {{"cmdGone_Click", shell::unloadsItself}}};
const shell::LinkedScreen linkFromALabel{frmProbeLayout, {{"lblOut_Click", shell::unloadsItself}}};
const calculators::Calculator calculatorWithoutItsField{
    frmProbeLayout, "cmdGo_Click", {"txtIn", "txtGone"}, [](const std::vector<std::string>&, const auto&) {
        return std::string();
    }};

} // namespace

TEST(ScreenNames, AWrongNameFailsWhenItsScreenIsBuiltAndSaysWhichName)
{
    const struct {
        const char* name;
        shell::Factory make;
        const char* message;
    } rows[] = {
        {"a link to a screen the table lacks",
         [](shell::Project& p) { return std::make_unique<shell::LinkForm>(p, linkToNowhere); },
         "no screen named frmNowhere"},
        {"a link from a control the screen lacks",
         [](shell::Project& p) { return std::make_unique<shell::LinkForm>(p, linkFromNothing); },
         "frmProbe has no control cmdGone"},
        {"a click bound to a label",
         [](shell::Project& p) { return std::make_unique<shell::LinkForm>(p, linkFromALabel); },
         "frmProbe.lblOut is neither a button nor a menu item"},
        {"a calculator field the screen lacks",
         [](shell::Project& p) { return std::make_unique<calculators::CalculatorForm>(p, calculatorWithoutItsField); },
         "frmProbe has no control txtGone"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        shell::Project project({{{"frmProbe", row.make}}, "frmProbe"});
        try {
            project.start();
            ADD_FAILURE() << "no error";
        } catch (const shell::NameError& e) {
            EXPECT_TRUE(std::string_view(e.what()).starts_with(row.message)) << e.what();
        }
        EXPECT_FALSE(project.form("frmProbe").isLoaded());
        EXPECT_EQ(project.loadedCount(), 0);
    }
}

TEST_F(ScreenTest, AnUnknownScreenOrControlNameIsRefusedAtOnce)
{
    EXPECT_THROW(project.form("frmNoSuchScreen"), shell::NameError);
    try {
        project.show("frmNoSuchScreen");
    } catch (const shell::NameError& e) {
        EXPECT_STREQ(e.what(), "no screen named frmNoSuchScreen");
    }
    project.show("frmSerRes2");
    EXPECT_EQ(form("frmSerRes2").control<QLabel>("lblNoSuchLabel"), nullptr);
    EXPECT_THROW(form("frmSerRes2").require<QLabel>("lblNoSuchLabel"), shell::NameError);
    EXPECT_THROW(form("frmSerRes2").require<QLabel>("txtResSer1"), shell::NameError); // a field, not a label
}
