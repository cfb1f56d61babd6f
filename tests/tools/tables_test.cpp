// SPDX-License-Identifier: MIT
// The answer tables of every tool alike: Ctrl+C and "Copy table" copy the rows with their headers,
// every column shows its widest text whole, and a term of art says what it means.
#include "everytool.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

#include <map>

namespace {

QStringList copied(QTableWidget* table)
{
    QApplication::clipboard()->clear();
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    return QApplication::clipboard()->text().split(u'\n', Qt::SkipEmptyParts);
}

class Tables : public ::testing::TestWithParam<tools::Tool> {};

} // namespace

TEST_P(Tables, CopyTheirRowsWithHeadersAndShowEveryTextWhole)
{
    everytool::Opened tool(GetParam());
    const QList<QTableWidget*> tables = tool.panel().findChildren<QTableWidget*>();
    int buttons = 0;
    for (QPushButton* button : tool.panel().findChildren<QPushButton*>())
        buttons += button->text().remove(u'&') == QStringLiteral("Copy table");
    EXPECT_EQ(buttons, tables.size()) << "a Copy table button a table";

    for (QTableWidget* table : tables) {
        if (window::cell(*table, 0, 0).isEmpty() && window::cell(*table, 0, 1).isEmpty())
            continue; // no answer from the example
        SCOPED_TRACE(table->objectName().toStdString());
        QStringList header;
        if (!table->verticalHeader()->isHidden())
            header << QString();
        for (int column = 0; column < table->columnCount(); ++column) {
            header << table->horizontalHeaderItem(column)->text();
            EXPECT_LE(table->horizontalHeader()->fontMetrics().horizontalAdvance(header.back()),
                      table->columnWidth(column));
            for (int row = 0; row < table->rowCount(); ++row) {
                const QString text = window::cell(*table, row, column);
                EXPECT_LE(table->fontMetrics().horizontalAdvance(text) + 6, table->columnWidth(column))
                    << text.toStdString();
            }
        }
        table->setFocus();
        QTest::keyClick(table, Qt::Key_A, Qt::ControlModifier);
        const QStringList all = copied(table);
        ASSERT_EQ(all.size(), table->rowCount() + 1);
        EXPECT_EQ(all.front(), header.join(u'\t'));
        for (const QString& line : all)
            EXPECT_EQ(line.count(u'\t'), header.size() - 1) << line.toStdString();
        table->clearSelection();
        EXPECT_EQ(copied(table), all) << "none selected copies every row";

        // The last row alone, each cell as shown or, where that rounds, with more digits.
        const int last = table->rowCount() - 1;
        table->selectRow(last);
        const QStringList one = copied(table);
        ASSERT_EQ(one.size(), 2);
        const QStringList cells = one.back().split(u'\t').mid(header.front().isEmpty() ? 1 : 0);
        for (int column = 0; column < table->columnCount(); ++column)
            EXPECT_GE(cells.value(column).size(), window::cell(*table, last, column).size()) << column;
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, Tables, ::testing::ValuesIn(tools::catalogue().begin(), tools::catalogue().end()),
                         everytool::name);

// Words a person may not know, where they name a column or start a caption.
TEST(TermsOfArt, SayWhatTheyMeanInATip)
{
    std::map<QString, int> seen;
    for (const char* term : {"Deviation", "Worst",     "Worst time", "Return loss",
                             "Z in",      "Exact",     "Corner",     "Resonance",
                             "Duty",      "Tolerance", "Rating",     "Efficiency",
                             "Category",  "Series",    "Pad",        "Temperature coefficient",
                             "k =",       "f0",        "Q",          "Goal Q"})
        seen[QString::fromLatin1(term)] = 0;
    const auto check = [&](const QString& text, const QString& tip) {
        for (auto& [term, count] : seen) {
            if (text == term || (term.endsWith(u'=') && text.startsWith(term))) {
                ++count;
                EXPECT_FALSE(tip.isEmpty()) << text.toStdString();
            }
        }
    };
    for (const tools::Tool& tool : tools::catalogue()) {
        everytool::Opened opened(tool);
        for (QTableWidget* table : opened.panel().findChildren<QTableWidget*>()) {
            for (int column = 0; column < table->columnCount(); ++column)
                check(table->horizontalHeaderItem(column)->text(), table->horizontalHeaderItem(column)->toolTip());
        }
        for (QLabel* label : opened.panel().findChildren<QLabel*>())
            check(label->text(), label->toolTip());
    }
    for (const auto& [term, count] : seen)
        EXPECT_GT(count, 0) << term.toStdString() << " is no longer a tool's word";
}
