// SPDX-License-Identifier: MIT
// Every tool of the catalogue, through the menu, the command line and its window: a new tool's
// one catalogue line brings it all of these checks.
#include "gui.h"

#include "tools/catalogue.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTest>

#include <algorithm>
#include <set>
#include <sstream>

namespace tools {
// Names a tool's test case by its window.
void PrintTo(const Tool& tool, std::ostream* os)
{
    *os << tool.window;
}
} // namespace tools

namespace {

QChar accessKey(const QString& text)
{
    const qsizetype at = text.indexOf(u'&');
    return at >= 0 && at + 1 < text.size() ? text.at(at + 1).toLower() : QChar();
}

} // namespace

TEST_F(ScreenTest, TheToolsMenuListsTheCatalogueInGroupsWithUniqueAccessKeys)
{
    project.start();
    auto* menu = form("frmMainScr").window()->findChild<QMenu*>(QStringLiteral("mnuTools"));
    ASSERT_NE(menu, nullptr);

    QStringList expected;
    const tools::Tool* previous = nullptr;
    for (const tools::Tool& tool : tools::catalogue()) {
        if (previous != nullptr) {
            EXPECT_LE(previous->group, tool.group) << tool.window << ": a group's tools stand together";
            if (previous->group != tool.group)
                expected.append(QStringLiteral("-"));
        }
        expected.append(QString::fromLatin1(tool.action) + u' ' + QString::fromUtf8(tool.menuText));
        previous = &tool;
    }
    QStringList shown;
    std::set<QChar> keys;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            shown.append(QStringLiteral("-"));
            continue;
        }
        shown.append(action->objectName() + u' ' + action->text());
        EXPECT_EQ(action->text().count(u'&'), 1) << action->text().toStdString();
        EXPECT_TRUE(keys.insert(accessKey(action->text())).second)
            << "access key used twice: " << action->text().toStdString();
    }
    EXPECT_EQ(shown, expected);
}

TEST(ToolCommands, HelpListsEveryToolsCommandsOnceAndEachAnswersItsOwnHelp)
{
    const std::vector<cli::Command> commands = tools::commands();
    std::ostringstream help, err;
    ASSERT_EQ(cli::run({"--help"}, commands, help, err), cli::exitOk);
    std::set<std::string_view> names;
    for (const cli::Command& c : commands) {
        EXPECT_TRUE(names.insert(c.name).second) << "two tools claim " << c.name;
        const std::string synopsis = cli::synopsis(c.name, c.syntax);
        EXPECT_TRUE(synopsis.starts_with(c.name)) << synopsis;
        EXPECT_NE(help.str().find(synopsis), std::string::npos) << c.name;
        std::ostringstream out, cerr;
        EXPECT_EQ(cli::run({std::string(c.name), "--help"}, commands, out, cerr), cli::exitOk) << c.name;
        EXPECT_NE(out.str().find(synopsis), std::string::npos) << c.name;
    }
}

// The man page's description names every tool as its menu does, with the commands it answers by.
TEST(ToolsCatalogue, TheManPageDescribesEveryToolWithItsCommands)
{
    QFile file(QStringLiteral(VOLTIVA_MAN_PAGE));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << VOLTIVA_MAN_PAGE;
    const QString page = QString::fromUtf8(file.readAll());
    const qsizetype start = page.indexOf(QStringLiteral("\n.SH DESCRIPTION\n"));
    ASSERT_GE(start, 0);
    const QString description = page.mid(start, page.indexOf(QStringLiteral("\n.SH "), start + 1) - start);
    for (const tools::Tool& tool : tools::catalogue()) {
        const QString name = QString::fromUtf8(tool.menuText).remove(u'&').remove(QStringLiteral("..."));
        // Bold, quoted when it has a blank: .BR "Ohm's law" : or .BR Board :
        const qsizetype at = std::max(description.indexOf(QStringLiteral(".BR \"%1\" :").arg(name)),
                                      description.indexOf(QStringLiteral(".BR %1 :").arg(name)));
        ASSERT_GE(at, 0) << name.toStdString();
        // Its entry runs to the next tool's bullet.
        const QString entry = description.mid(at, description.indexOf(QStringLiteral(".IP"), at) - at);
        for (const cli::Command& c : tool.commands)
            EXPECT_TRUE(entry.contains(QString::fromUtf8(c.name.data(), static_cast<qsizetype>(c.name.size()))))
                << name.toStdString() << " does not name " << c.name;
    }
}

namespace {

class ToolWindow : public ScreenTest, public ::testing::WithParamInterface<tools::Tool> {
protected:
    // Opens the tool from the main screen's Tools menu: the workbench, at that tool.
    QMainWindow* open(const tools::Tool& tool)
    {
        control<QAction>("frmMainScr", tool.action)->trigger();
        return form("frmWorkbench").window();
    }
};

// A caption must show whole: layouts give a label or button at least what it asks for,
// unless the window is too small for its contents.
void expectCaptionsFit(QWidget* window)
{
    for (auto* label : window->findChildren<QLabel*>()) {
        if (!label->isVisibleTo(window) || label->text().isEmpty() || label->wordWrap())
            continue;
        const QSize needed = label->minimumSizeHint();
        EXPECT_GE(label->width(), needed.width())
            << label->objectName().toStdString() << " \"" << label->text().toStdString() << '"';
        EXPECT_GE(label->height(), needed.height()) << label->objectName().toStdString();
    }
    for (auto* button : window->findChildren<QAbstractButton*>()) {
        if (!button->isVisibleTo(window) || button->text().isEmpty())
            continue;
        EXPECT_GE(button->width(), button->minimumSizeHint().width())
            << button->objectName().toStdString() << " \"" << button->text().toStdString() << '"';
    }
}

} // namespace

TEST_P(ToolWindow, OpensFromItsMenuFitsASmallScreenTakesTypingAndCloses)
{
    const tools::Tool& tool = GetParam();
    project.start();
    QMainWindow* window = open(tool);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    auto* panel = window->findChild<QWidget*>(QLatin1String(tool.window));
    ASSERT_NE(panel, nullptr) << "the tool's panel keeps its name";
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(window->windowTitle().startsWith(tools::title(tool))) << window->windowTitle().toStdString();

    // 1080p at 150 % leaves 1280 x 720 logical pixels, a title bar of about 30 included.
    EXPECT_LE(window->width(), 1280);
    EXPECT_LE(window->height(), 690);
    expectCaptionsFit(window);

    // Typing goes straight into a field.
    window->activateWindow();
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    EXPECT_TRUE(panel->isAncestorOf(focus)) << focus->objectName().toStdString();
    const auto* list = qobject_cast<QComboBox*>(focus);
    EXPECT_TRUE(qobject_cast<QLineEdit*>(focus) || (list && list->isEditable())) << focus->objectName().toStdString();

    EXPECT_EQ(open(tool), window) << "brought to the front, not opened twice";
    EXPECT_EQ(visibleScreens().count(QStringLiteral("frmWorkbench")), 1);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(form("frmWorkbench").isLoaded());
    EXPECT_TRUE(form("frmMainScr").isLoaded());
}

INSTANTIATE_TEST_SUITE_P(Catalogue, ToolWindow,
                         ::testing::ValuesIn(tools::catalogue().begin(), tools::catalogue().end()),
                         [](const auto& info) { return std::string(info.param.window); });

// A tool's Close closes the workbench, once: a panel that also closed itself on the same click
// would run a second close first, its central widget hidden and sent a close of its own.
class ToolClose : public ScreenTest, public ::testing::WithParamInterface<tools::Tool> {};

TEST_P(ToolClose, RunsOnceAndUnloads)
{
    const tools::Tool& tool = GetParam();
    project.start();
    control<QAction>("frmMainScr", tool.action)->trigger();
    QMainWindow* window = form("frmWorkbench").window();
    ASSERT_NE(window, nullptr);
    auto* panel = window->findChild<QWidget*>(QLatin1String(tool.window));
    ASSERT_NE(panel, nullptr);

    struct CloseSpy : QObject {
        QWidget* window = nullptr;
        QStringList closed;
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (event->type() == QEvent::Close && widget && (widget == window || window->isAncestorOf(widget)))
                closed.append(widget->objectName());
            return false;
        }
    } spy;
    spy.window = window;
    qApp->installEventFilter(&spy);
    panel->findChild<QAbstractButton*>(QStringLiteral("cmdClose"))->click();
    qApp->removeEventFilter(&spy);

    EXPECT_EQ(spy.closed, QStringList(QStringLiteral("frmWorkbench"))) << "closed besides the window's own close";
    EXPECT_FALSE(form("frmWorkbench").isLoaded());
}

INSTANTIATE_TEST_SUITE_P(Catalogue, ToolClose,
                         ::testing::ValuesIn(tools::catalogue().begin(), tools::catalogue().end()),
                         [](const auto& info) { return std::string(info.param.window); });
