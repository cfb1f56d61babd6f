// SPDX-License-Identifier: MIT
// Every tool worked from the keyboard alone: Tab reaches every control once, in the order the
// window is read, and comes back round; one press leaves a table; the table with the focus shows it.
#include "everytool.h"

#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QTableWidget>

#include <algorithm>
#include <set>
#include <vector>

namespace {

QRect onScreen(const QWidget* w)
{
    return {w->mapToGlobal(QPoint(0, 0)), w->size()};
}

// The child of `ancestor` that holds `w`.
QWidget* holding(const QWidget* ancestor, QWidget* w)
{
    while (w->parentWidget() != ancestor)
        w = w->parentWidget();
    return w;
}

// Whether `b` is read after `a`: below it, or on its right where the two share a row. Compared
// as the parts of the window that hold them, so the fields in a column beside a drawing or a
// second column are read down before it.
bool readAfter(QWidget* a, QWidget* b, int tolerance)
{
    const QWidget* common = a->parentWidget();
    while (!common->isAncestorOf(b))
        common = common->parentWidget();
    const QRect first = onScreen(holding(common, a));
    const QRect second = onScreen(holding(common, b));
    const bool oneRow = std::min(first.bottom(), second.bottom()) - std::max(first.top(), second.top()) > tolerance;
    return oneRow ? second.center().x() > first.center().x() : second.top() >= first.bottom() - tolerance;
}

std::string named(const QWidget* w)
{
    return w->objectName().isEmpty() ? std::string(w->metaObject()->className()) : w->objectName().toStdString();
}

// Where Tab goes from the focus on, once round, and whether it came back.
struct Round {
    std::vector<QWidget*> stops;
    bool closed = false;
};

Round walkTab(QWidget& window)
{
    Round round;
    QWidget* start = QApplication::focusWidget();
    if (start == nullptr)
        return round;
    round.stops.push_back(start);
    for (int press = 0; press < 100; ++press) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* now = QApplication::focusWidget();
        round.closed = now == start;
        if (round.closed || now == nullptr || !window.isAncestorOf(now) ||
            std::find(round.stops.begin(), round.stops.end(), now) != round.stops.end())
            break;
        round.stops.push_back(now);
    }
    return round;
}

// Every control a person can reach on the window's current page.
std::set<QWidget*> reachable(QWidget& window)
{
    std::set<QWidget*> all;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus &&
            w->focusProxy() == nullptr)
            all.insert(w);
    }
    return all;
}

class Keyboard : public ::testing::TestWithParam<tools::Tool> {};

} // namespace

TEST_P(Keyboard, TabReachesEveryControlInReadingOrderAndComesBack)
{
    everytool::Opened tool(GetParam());
    ASSERT_TRUE(tool.active());
    auto* tabs = tool.panel().findChild<QTabWidget*>();
    const int pages = tabs ? tabs->count() : 1;
    const int tolerance = tool.window().fontMetrics().height() / 2;
    for (int page = 0; page < pages; ++page) {
        if (tabs) {
            tabs->setCurrentIndex(page);
            if (QApplication::focusWidget() == nullptr || !QApplication::focusWidget()->isVisible())
                tabs->tabBar()->setFocus();
        }
        SCOPED_TRACE(tabs ? tabs->tabText(page).toStdString() : std::string("the window"));
        Round round = walkTab(tool.window());
        std::vector<QWidget*>& stops = round.stops;
        ASSERT_FALSE(stops.empty());
        EXPECT_TRUE(round.closed) << "Tab from " << named(stops.back()) << " does not go on to "
                                  << named(stops.front());

        const std::set<QWidget*> reached(stops.begin(), stops.end());
        for (QWidget* w : reachable(tool.window()))
            EXPECT_TRUE(reached.count(w)) << named(w) << " is never reached";
        for (QWidget* w : stops)
            EXPECT_TRUE(w->isVisible() && w->isEnabled()) << named(w);

        // Read from the top: the round starts at the highest control, leftmost on its row.
        const auto top = std::min_element(stops.begin(), stops.end(), [](QWidget* a, QWidget* b) {
            const QRect ra = onScreen(a);
            const QRect rb = onScreen(b);
            return ra.top() != rb.top() ? ra.top() < rb.top() : ra.left() < rb.left();
        });
        std::rotate(stops.begin(), top, stops.end());
        for (std::size_t i = 1; i < stops.size(); ++i)
            EXPECT_TRUE(readAfter(stops[i - 1], stops[i], tolerance))
                << named(stops[i - 1]) << " comes before " << named(stops[i]);
    }
}

TEST_P(Keyboard, OneTabLeavesATableWhichShowsTheFocus)
{
    everytool::Opened tool(GetParam());
    ASSERT_TRUE(tool.active());
    for (QTableWidget* table : tool.panel().findChildren<QTableWidget*>()) {
        if (!table->isVisible())
            continue;
        SCOPED_TRACE(named(table));
        table->setFocus(Qt::TabFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), table);
        if (table->rowCount() > 0)
            table->setCurrentCell(0, 0);
        const QImage focused = table->grab().toImage();
        QTest::keyClick(table, Qt::Key_Tab);
        EXPECT_NE(QApplication::focusWidget(), table);
        const QImage unfocused = table->grab().toImage();
        // The frame: its edge in the highlight colour with the focus, not without.
        const QColor highlight = table->palette().color(QPalette::Active, QPalette::Highlight);
        const QPoint edges[] = {{focused.width() / 2, 0}, {0, focused.height() / 2}};
        for (const QPoint at : edges) {
            EXPECT_EQ(focused.pixelColor(at), highlight) << at.x() << "," << at.y();
            EXPECT_NE(unfocused.pixelColor(at), highlight) << at.x() << "," << at.y();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, Keyboard, ::testing::ValuesIn(tools::catalogue().begin(), tools::catalogue().end()),
                         everytool::name);

// The frame is drawn in the palette's highlight, so a dark palette gets one that shows on it.
TEST(FocusFrame, FollowsADarkPalette)
{
    everytool::Opened tool(tools::catalogue()[0]);
    ASSERT_TRUE(tool.active());
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    tool.window().setPalette(dark);
    auto* table = tool.panel().findChild<QTableWidget*>();
    ASSERT_NE(table, nullptr);
    table->setFocus(Qt::TabFocusReason);
    const QImage focused = table->grab().toImage();
    EXPECT_EQ(focused.pixelColor(focused.width() / 2, 0), QColor(0x2a, 0x82, 0xda));
}
