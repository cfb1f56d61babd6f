// SPDX-License-Identifier: MIT
// The workbench: every tool in one window, found by a word, remembered between runs, closed by
// Escape, and going on without the main screen.
#include "gui.h"

#include "navigation/workbench.h"
#include "tools/catalogue.h"
#include "tools/workbench/workbench.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QTabBar>
#include <QTest>
#include <QTextBrowser>

#include <map>
#include <utility>
#include <vector>

namespace {

class Workbench : public ScreenTest {
protected:
    // The workbench opened from the main screen's Tools menu at `tool`.
    tools::Workbench& open(const tools::Tool& tool)
    {
        control<QAction>("frmMainScr", tool.action)->trigger();
        window()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window()));
        return *bench();
    }
    tools::Workbench* bench() { return static_cast<navigation::FrmWorkbench&>(form("frmWorkbench")).workbench(); }
    QMainWindow* window() { return form("frmWorkbench").window(); }

    static QLineEdit* firstField(const tools::Tool& tool, QWidget& panel)
    {
        const QString name = tools::exampleEntries(tool.example).value(0).section(u'=', 0, 0);
        return panel.findChild<QLineEdit*>(name);
    }
};

// The access key of a caption: "&Supply" is S; "R&&D" has none.
QChar accessKey(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (text[i + 1] != u'&')
            return text[i + 1].toLower();
        ++i;
    }
    return {};
}

} // namespace

TEST_F(Workbench, FindsAToolByAWordOfItsNameOrWhatItAnswersAndEnterOpensTheFirst)
{
    project.start();
    open(tools::catalogue().front());
    auto* find = window()->findChild<QLineEdit*>(QStringLiteral("txtFind"));
    ASSERT_NE(find, nullptr);
    // "filters" opens the tool whose name begins with it, not Timing and filters above it.
    const struct {
        const char* typed;
        const char* opens; // the first tool found; nullptr: none
    } rows[] = {
        {"led", "frmLedResistor"},       {"555", "frmTiming"},    {"track", "frmBoard"},
        {"pad", "frmAttenuator"},        {"OHM", "frmOhmsLaw"},   {"smd codes", "frmMarkings"},
        {"divider", "frmDividerDesign"}, {"eval", "frmNetwork"},  {"zzz", nullptr},
        {"filters", "frmFilters"},       {"timing", "frmTiming"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        QTest::keyClick(window(), Qt::Key_K, Qt::ControlModifier);
        EXPECT_EQ(QApplication::focusWidget(), find);
        QTest::keyClicks(find, QString::fromLatin1(row.typed));
        const tools::Tool* before = bench()->currentTool();
        QTest::keyClick(find, Qt::Key_Return);
        if (row.opens == nullptr) {
            EXPECT_EQ(bench()->currentTool(), before);
            continue;
        }
        ASSERT_NE(bench()->currentTool(), nullptr);
        EXPECT_STREQ(bench()->currentTool()->window, row.opens);
        EXPECT_TRUE(bench()->panel(row.opens)->isAncestorOf(QApplication::focusWidget()));
    }
    // Every tool by its name.
    for (const tools::Tool& tool : tools::catalogue()) {
        QTest::keyClick(window(), Qt::Key_F, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), tools::title(tool));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
        EXPECT_EQ(bench()->currentTool(), &tool) << tool.window;
    }
}

// Typed, closed with Escape, opened again: as it was; and so after the program starts again.
TEST_F(Workbench, EveryToolKeepsWhatWasTypedAcrossCloseAndRestart)
{
    project.start();
    for (const tools::Tool& tool : tools::catalogue()) {
        SCOPED_TRACE(tool.window);
        QWidget* panel = open(tool).panel(tool.window);
        ASSERT_NE(panel, nullptr);
        QLineEdit* field = firstField(tool, *panel);
        ASSERT_NE(field, nullptr) << "the worked example starts with a field";
        EXPECT_EQ(QApplication::focusWidget(), field) << "the first field of the example takes the typing";
        EXPECT_FALSE(field->text().isEmpty()) << "a first run shows the worked example";
        field->selectAll();
        QTest::keyClicks(field, QStringLiteral("47"));
        const QString typed = field->text();
        QTest::keyClick(field, Qt::Key_Escape);
        EXPECT_FALSE(form("frmWorkbench").isLoaded());

        panel = open(tool).panel(tool.window);
        EXPECT_EQ(firstField(tool, *panel)->text(), typed);
        window()->close();
    }

    shell::Project again{app::screens()};
    again.setOnLastUnloaded([] {});
    again.start();
    for (const tools::Tool& tool : tools::catalogue()) {
        SCOPED_TRACE(tool.window);
        again.form("frmMainScr").require<QAction>(tool.action)->trigger();
        auto& frm = static_cast<navigation::FrmWorkbench&>(again.form("frmWorkbench"));
        QWidget* panel = frm.workbench()->panel(tool.window);
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(firstField(tool, *panel)->text(), QStringLiteral("47"));
        // And back to the worked example.
        frm.window()->findChild<QAction*>(QStringLiteral("mnuFileReset"))->trigger();
        panel = frm.workbench()->panel(tool.window);
        const QString example = tools::exampleEntries(tool.example).value(0).section(u'=', 1);
        EXPECT_EQ(firstField(tool, *panel)->text(), example);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(Workbench, AStoredValueThatNoLongerReadsIsDroppedQuietly)
{
    QSettings(QStringLiteral("voltiva"), QStringLiteral("voltiva"))
        .setValue(QStringLiteral("tools/frmLedResistor/inputs"),
                  QStringList{QStringLiteral("txtGone=3"), QStringLiteral("cboSeries=E7"), QStringLiteral("junk"),
                              QStringLiteral("txtSupply=9")});
    project.start();
    QWidget* panel = open(*tools::find("frmLedResistor")).panel("frmLedResistor");
    EXPECT_EQ(panel->findChild<QLineEdit*>(QStringLiteral("txtSupply"))->text(), QStringLiteral("9"));
    EXPECT_EQ(panel->findChild<QComboBox*>(QStringLiteral("cboSeries"))->currentText(), QStringLiteral("E24"));
}

TEST_F(Workbench, OpensEveryToolWithTheMainScreenClosedAndBringsItBack)
{
    project.start();
    open(tools::catalogue().front());
    form("frmMainScr").unload();
    EXPECT_FALSE(ended) << "the workbench keeps the program going";
    for (const tools::Tool& tool : tools::catalogue()) {
        window()->findChild<QAction*>(QLatin1String(tool.action))->trigger();
        ASSERT_NE(bench()->currentTool(), nullptr);
        EXPECT_STREQ(bench()->currentTool()->window, tool.window);
        EXPECT_TRUE(bench()->panel(tool.window)->isVisible()) << tool.window;
    }
    window()->findChild<QAction*>(QStringLiteral("mnuWindowCalculators"))->trigger();
    EXPECT_TRUE(form("frmMainScr").isLoaded());
    QTest::keyClick(window(), Qt::Key_W, Qt::ControlModifier);
    EXPECT_FALSE(form("frmWorkbench").isLoaded());
    EXPECT_FALSE(ended);
}

TEST_F(Workbench, ANewWindowKeepsTheProgramGoingUntilItCloses)
{
    project.start();
    open(*tools::find("frmOhmsLaw"));
    QTest::keyClick(window(), Qt::Key_N, Qt::ControlModifier);
    QMainWindow* second = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("frmWorkbench") && w != window() && w->isVisible())
            second = qobject_cast<QMainWindow*>(w);
    }
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second->findChild<QWidget*>(QStringLiteral("frmOhmsLaw")), nullptr) << "opens at the same tool";
    form("frmWorkbench").unload();
    form("frmMainScr").unload();
    EXPECT_FALSE(ended);
    second->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(ended);
}

TEST_F(Workbench, F1ShowsTheToolsHelpBesideItAndHidesItAgain)
{
    project.start();
    for (const tools::Tool& tool : tools::catalogue()) {
        SCOPED_TRACE(tool.window);
        open(tool);
        auto* help = window()->findChild<QTextBrowser*>(QStringLiteral("txtHelp"));
        ASSERT_NE(help, nullptr);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        EXPECT_TRUE(help->isVisible());
        EXPECT_TRUE(help->toPlainText().contains(tools::title(tool))) << help->toPlainText().left(80).toStdString();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        EXPECT_FALSE(help->isVisible());
    }
}

// An access key used twice in one window goes to neither reliably: Alt+F would cycle between
// the File menu and a field.
TEST_F(Workbench, AccessKeysAreUniqueAtEveryTool)
{
    project.start();
    for (const tools::Tool& tool : tools::catalogue()) {
        open(tool);
        QWidget* panel = bench()->panel(tool.window);
        // Every page of a tool with tabs, one at a time.
        QList<QTabWidget*> tabs = panel->findChildren<QTabWidget*>();
        const int pages = tabs.isEmpty() ? 1 : int(tabs.front()->count());
        // Within a page, each view of a tab widget it holds (a circuit, a plot with its buttons).
        std::vector<std::pair<int, int>> shown{{0, -1}}; // the page, and the view within it or -1
        for (int page = 0; page < pages && !tabs.isEmpty(); ++page) {
            if (page > 0)
                shown.emplace_back(page, -1);
            for (QTabWidget* views : tabs.mid(1)) {
                if (tabs.front()->widget(page)->isAncestorOf(views)) {
                    for (int view = 0; view < views->count(); ++view)
                        shown.emplace_back(page, view);
                }
            }
        }
        for (const std::pair<int, int>& at : shown) {
            const int page = at.first;
            const int view = at.second;
            if (!tabs.isEmpty())
                tabs.front()->setCurrentIndex(page);
            for (QTabWidget* views : tabs.mid(1)) {
                if (view >= 0 && tabs.front()->widget(page)->isAncestorOf(views))
                    views->setCurrentIndex(view);
            }
            std::map<QChar, QString> seen;
            const auto use = [&](const QString& text, const QString& by) {
                const QChar key = accessKey(text);
                if (key.isNull())
                    return;
                const auto [at, fresh] = seen.emplace(key, by);
                EXPECT_TRUE(fresh) << tool.window << " page " << page << " view " << view << ": Alt+"
                                   << QString(key).toStdString() << " is " << at->second.toStdString() << " and "
                                   << by.toStdString();
            };
            for (QAction* menu : window()->menuBar()->actions())
                use(menu->text(), menu->text());
            for (auto* label : window()->findChildren<QLabel*>()) {
                if (label->buddy() && label->isVisibleTo(window()))
                    use(label->text(), label->objectName() + u' ' + label->text());
            }
            for (auto* button : window()->findChildren<QAbstractButton*>()) {
                if (button->isVisibleTo(window()) && !qobject_cast<QTabBar*>(button->parentWidget()))
                    use(button->text(), button->objectName() + u' ' + button->text());
            }
            for (auto* box : window()->findChildren<QGroupBox*>()) {
                if (box->isVisibleTo(window()))
                    use(box->title(), box->objectName() + u' ' + box->title());
            }
            for (auto* bar : window()->findChildren<QTabBar*>()) {
                for (int i = 0; i < bar->count() && bar->isVisibleTo(window()); ++i)
                    use(bar->tabText(i), QStringLiteral("tab ") + bar->tabText(i));
            }
        }
    }
}

// Tab goes from the find box to the list and into the tool; Shift+Tab comes back.
TEST_F(Workbench, TabLeadsFromTheFindBoxThroughTheListIntoTheTool)
{
    project.start();
    const tools::Tool& tool = *tools::find("frmOhmsLaw");
    QWidget* panel = open(tool).panel(tool.window);
    QTest::keyClick(window(), Qt::Key_K, Qt::ControlModifier);
    QWidget* find = QApplication::focusWidget();
    ASSERT_EQ(find->objectName(), QStringLiteral("txtFind"));
    QTest::keyClick(find, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("lstTools"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(panel->isAncestorOf(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("lstTools"));
}
