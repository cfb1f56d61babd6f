// SPDX-License-Identifier: MIT
// Every tool worked from the keyboard alone: Tab reaches every control once, in the order the
// window is read, and comes back round, leaving a table at one press; a table shows it has the focus.
#include "everytool.h"

#include <QApplication>
#include <QImage>
#include <QTableWidget>

#include <algorithm>
#include <set>
#include <vector>

namespace {

QRect onScreen(const QWidget* w)
{
    return {w->mapToGlobal(QPoint(0, 0)), w->size()};
}

// Whether `b` is read after `a`: below it, or on its right where the two share a row. Compared
// as the parts of the window that hold them, so a column of fields beside a drawing, or beside a
// second column, is read down before it.
bool readAfter(QWidget* a, QWidget* b, int tolerance)
{
    const QWidget* common = a->parentWidget();
    while (!common->isAncestorOf(b))
        common = common->parentWidget();
    const auto holding = [common](QWidget* w) {
        while (w->parentWidget() != common)
            w = w->parentWidget();
        return onScreen(w);
    };
    const QRect first = holding(a);
    const QRect second = holding(b);
    const bool oneRow = std::min(first.bottom(), second.bottom()) - std::max(first.top(), second.top()) > tolerance;
    return oneRow ? second.center().x() > first.center().x() : second.top() >= first.bottom() - tolerance;
}

std::string named(const QWidget* w)
{
    return w->objectName().isEmpty() ? std::string(w->metaObject()->className()) : w->objectName().toStdString();
}

// A table with the focus is framed in the highlight colour, one without is not.
void expectFrame(QTableWidget* table, bool focused)
{
    const QImage image = table->grab().toImage();
    const QColor highlight = table->palette().color(QPalette::Active, QPalette::Highlight);
    EXPECT_EQ(image.pixelColor(image.width() / 2, 0) == highlight, focused) << named(table);
    EXPECT_EQ(image.pixelColor(0, image.height() / 2) == highlight, focused) << named(table);
}

class Keyboard : public ::testing::TestWithParam<tools::Tool> {};

} // namespace

TEST_P(Keyboard, TabGoesRoundEveryControlInReadingOrder)
{
    everytool::Opened tool(GetParam());
    ASSERT_TRUE(tool.active());
    auto* tabs = tool.panel().findChild<QTabWidget*>();
    const int tolerance = tool.window().fontMetrics().height() / 2;
    for (int page = 0; page < (tabs ? tabs->count() : 1); ++page) {
        if (tabs) {
            tabs->setCurrentIndex(page);
            tabs->tabBar()->setFocus();
        }
        SCOPED_TRACE(tabs ? tabs->tabText(page).toStdString() : std::string());
        std::vector<QWidget*> stops{QApplication::focusWidget()};
        ASSERT_NE(stops.front(), nullptr);
        for (int press = 0; press < 100; ++press) {
            auto* table = qobject_cast<QTableWidget*>(stops.back());
            if (table)
                expectFrame(table, true);
            QTest::keyClick(stops.back(), Qt::Key_Tab);
            if (table)
                expectFrame(table, false);
            QWidget* now = QApplication::focusWidget();
            if (now == stops.front() || std::find(stops.begin(), stops.end(), now) != stops.end())
                break;
            stops.push_back(now);
        }
        EXPECT_EQ(QApplication::focusWidget(), stops.front())
            << "Tab from " << named(stops.back()) << " goes to " << named(QApplication::focusWidget());

        // Every control a person can reach on the page.
        const std::set<QWidget*> reached(stops.begin(), stops.end());
        for (QWidget* w : tool.window().findChildren<QWidget*>()) {
            if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy()) {
                EXPECT_TRUE(reached.count(w)) << named(w) << " is never reached";
            }
        }

        // Read from the top: the round starts at the highest control, leftmost on its row.
        std::rotate(stops.begin(),
                    std::min_element(stops.begin(), stops.end(),
                                     [](QWidget* a, QWidget* b) {
                                         const QRect ra = onScreen(a);
                                         const QRect rb = onScreen(b);
                                         return std::pair(ra.top(), ra.left()) < std::pair(rb.top(), rb.left());
                                     }),
                    stops.end());
        for (std::size_t i = 1; i < stops.size(); ++i)
            EXPECT_TRUE(readAfter(stops[i - 1], stops[i], tolerance))
                << named(stops[i - 1]) << " comes before " << named(stops[i]);
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, Keyboard, ::testing::ValuesIn(tools::catalogue().begin(), tools::catalogue().end()),
                         everytool::name);
