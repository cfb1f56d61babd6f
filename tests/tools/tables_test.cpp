// SPDX-License-Identifier: MIT
// The answer tables of every tool alike: Ctrl+C and "Copy table" copy rows with their headers,
// every column shows its widest text whole, and a term of art says what it means.
#include "everytool.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include <map>
#include <vector>

namespace {

bool holdsAnswer(const QTableWidget& table)
{
    for (int row = 0; row < table.rowCount(); ++row) {
        for (int column = 0; column < table.columnCount(); ++column) {
            if (!window::cell(table, row, column).isEmpty())
                return true;
        }
    }
    return false;
}

// The tables that hold an answer once the example is typed in, on any page.
std::vector<QTableWidget*> answered(QWidget& panel)
{
    std::vector<QTableWidget*> tables;
    for (QTableWidget* table : panel.findChildren<QTableWidget*>()) {
        if (holdsAnswer(*table))
            tables.push_back(table);
    }
    return tables;
}

QString headers(const QTableWidget& table)
{
    QStringList names;
    if (!table.verticalHeader()->isHidden())
        names << QString();
    for (int column = 0; column < table.columnCount(); ++column)
        names << table.horizontalHeaderItem(column)->text();
    return names.join(u'\t');
}

QStringList copiedBy(QTableWidget* table, int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
{
    QApplication::clipboard()->clear();
    QTest::keyClick(table, static_cast<Qt::Key>(key), modifiers);
    return QApplication::clipboard()->text().split(u'\n', Qt::SkipEmptyParts);
}

class Tables : public ::testing::TestWithParam<tools::Tool> {};

} // namespace

TEST_P(Tables, CopyTheirRowsWithTheirHeaders)
{
    everytool::Opened tool(GetParam());
    const std::vector<QTableWidget*> tables = answered(tool.panel());
    int buttons = 0;
    for (QPushButton* button : tool.panel().findChildren<QPushButton*>())
        buttons += button->text().remove(u'&') == QStringLiteral("Copy table");
    EXPECT_EQ(buttons, tool.panel().findChildren<QTableWidget*>().size()) << "one Copy table button a table";

    for (QTableWidget* table : tables) {
        SCOPED_TRACE(table->objectName().toStdString());
        table->setFocus();
        QTest::keyClick(table, Qt::Key_A, Qt::ControlModifier);
        QStringList lines = copiedBy(table, Qt::Key_C);
        ASSERT_EQ(lines.size(), table->rowCount() + 1) << lines.join(u'\n').toStdString();
        EXPECT_EQ(lines.front(), headers(*table));
        for (const QString& line : lines)
            EXPECT_EQ(line.count(u'\t'), lines.front().count(u'\t')) << line.toStdString();

        table->clearSelection();
        EXPECT_EQ(copiedBy(table, Qt::Key_C).size(), table->rowCount() + 1) << "none selected copies every row";

        table->selectRow(table->rowCount() - 1);
        lines = copiedBy(table, Qt::Key_C);
        ASSERT_EQ(lines.size(), 2);
        // Each cell as shown or, where the shown text rounds, with more digits.
        const QStringList last = lines.back().split(u'\t');
        const int first = table->verticalHeader()->isHidden() ? 0 : 1;
        for (int column = 0; column < table->columnCount(); ++column) {
            const QString shown = window::cell(*table, table->rowCount() - 1, column);
            EXPECT_GE(last.value(column + first).size(), shown.size()) << shown.toStdString();
        }
    }
}

TEST_P(Tables, ShowEveryTextWhole)
{
    everytool::Opened tool(GetParam());
    QCoreApplication::processEvents();
    for (QTableWidget* table : answered(tool.panel())) {
        for (int column = 0; column < table->columnCount(); ++column) {
            const QFontMetrics header = table->horizontalHeader()->fontMetrics();
            EXPECT_LE(header.horizontalAdvance(table->horizontalHeaderItem(column)->text()), table->columnWidth(column))
                << table->objectName().toStdString() << " " << column;
            for (int row = 0; row < table->rowCount(); ++row) {
                const QString text = window::cell(*table, row, column);
                EXPECT_LE(table->fontMetrics().horizontalAdvance(text) + 6, table->columnWidth(column))
                    << table->objectName().toStdString() << ": " << text.toStdString();
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, Tables, ::testing::ValuesIn(tools::catalogue().begin(), tools::catalogue().end()),
                         everytool::name);

// Words a person may not know, where they name a column or start a caption.
TEST(TermsOfArt, SayWhatTheyMeanInATip)
{
    std::map<QString, int> terms{{QStringLiteral("Deviation"), 0},  {QStringLiteral("Worst"), 0},
                                 {QStringLiteral("Worst time"), 0}, {QStringLiteral("Return loss"), 0},
                                 {QStringLiteral("Z in"), 0},       {QStringLiteral("Exact"), 0},
                                 {QStringLiteral("Corner"), 0},     {QStringLiteral("Resonance"), 0},
                                 {QStringLiteral("Duty"), 0},       {QStringLiteral("Tolerance"), 0},
                                 {QStringLiteral("Rating"), 0},     {QStringLiteral("Efficiency"), 0},
                                 {QStringLiteral("Category"), 0},   {QStringLiteral("Series"), 0},
                                 {QStringLiteral("Pad"), 0},        {QStringLiteral("Temperature coefficient"), 0},
                                 {QStringLiteral("k ="), 0}};
    const auto check = [&](const QString& text, const QString& tip, const std::string& where) {
        for (auto& [term, seen] : terms) {
            if (text == term || (term.endsWith(u'=') && text.startsWith(term))) {
                ++seen;
                EXPECT_FALSE(tip.isEmpty()) << where << ": " << text.toStdString();
            }
        }
    };
    for (const tools::Tool& tool : tools::catalogue()) {
        everytool::Opened opened(tool);
        for (QTableWidget* table : opened.panel().findChildren<QTableWidget*>()) {
            for (int column = 0; column < table->columnCount(); ++column) {
                const QTableWidgetItem* header = table->horizontalHeaderItem(column);
                check(header->text(), header->toolTip(), table->objectName().toStdString());
            }
        }
        for (QLabel* label : opened.panel().findChildren<QLabel*>())
            check(label->text(), label->toolTip(), label->objectName().toStdString());
    }
    for (const auto& [term, seen] : terms)
        EXPECT_GT(seen, 0) << term.toStdString() << " is no longer a tool's word";
}
