// SPDX-License-Identifier: MIT
#include "tools/table.h"

#include "numeric/exact.h"
#include "numeric/format.h"
#include "tools/localised.h"
#include "tools/widgets.h"
#include "values/nearest.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

namespace tools {

namespace {

// What a cell copies when it holds more than it shows.
constexpr int copiedRole = Qt::UserRole + 0x100;

// Ctrl+C copies rows, where the view alone would copy the current cell.
class CopyKey : public QObject {
public:
    explicit CopyKey(QTableWidget* table)
        : QObject(table)
        , table_(table)
    {
        table->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const bool isKey = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
        if (isKey && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
            if (event->type() == QEvent::KeyPress)
                copyTable(*table_);
            event->accept();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QTableWidget* table_;
};

// The style draws no focus around a table, only around its current cell, which a table of answers
// may not have: a frame in the highlight colour, which every palette sets apart from its window,
// drawn over the table's own border while it has the focus.
class FocusFrame : public QWidget {
public:
    explicit FocusFrame(QTableWidget* table)
        : QWidget(table)
        , table_(table)
    {
        setObjectName(QStringLiteral("focusFrame"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
        table->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == table_) {
            switch (event->type()) {
            case QEvent::FocusIn:
                setGeometry(table_->rect());
                raise();
                show();
                break;
            case QEvent::FocusOut:
                hide();
                break;
            case QEvent::Resize:
                setGeometry(table_->rect());
                break;
            default:
                break;
            }
        }
        return QWidget::eventFilter(watched, event);
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const qreal width = 2;
        QPen pen(palette().color(QPalette::Active, QPalette::Highlight), width);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.drawRect(QRectF(rect()).adjusted(width / 2, width / 2, -width / 2, -width / 2));
    }

private:
    QTableWidget* table_;
};

// Every column as wide as its widest text, header included, whatever the cells hold; the width
// left over goes to the stretching columns. Qt's own modes do one or the other: Stretch cuts a
// long text short, and ResizeToContents leaves a spanned cell's text out.
class ColumnFit : public QObject {
public:
    ColumnFit(QTableWidget* table, std::vector<int> stretch)
        : QObject(table)
        , table_(table)
        , viewport_(table->viewport())
        , stretch_(std::move(stretch))
    {
        table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
        table->horizontalHeader()->setStretchLastSection(false);
        table->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        QAbstractItemModel* model = table->model();
        // Through the header: a table going away empties its model after its header has gone.
        QHeaderView* header = table->horizontalHeader();
        // A changed cell measures its own column again; anything more, every column.
        connect(model, &QAbstractItemModel::dataChanged, header,
                [this](const QModelIndex& from, const QModelIndex& to) {
                    for (int column = from.column(); column <= to.column(); ++column)
                        measure(column);
                    apply();
                });
        const auto all = [this] { fit(); };
        connect(model, &QAbstractItemModel::rowsInserted, header, all);
        connect(model, &QAbstractItemModel::rowsRemoved, header, all);
        connect(model, &QAbstractItemModel::modelReset, header, all);
        connect(model, &QAbstractItemModel::headerDataChanged, header, all);
        table->installEventFilter(this);
        table->viewport()->installEventFilter(this);
        fit();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        // Compared, not asked of the table: a table being destroyed still sends events, and is no
        // longer a table by then.
        if (watched == viewport_ && type == QEvent::Resize)
            apply();
        else if (watched == table_ && (type == QEvent::FontChange || type == QEvent::StyleChange))
            fit();
        return QObject::eventFilter(watched, event);
    }

private:
    void fit()
    {
        needed_.assign(static_cast<std::size_t>(table_->columnCount()), 0);
        for (int column = 0; column < table_->columnCount(); ++column)
            measure(column);
        apply();
    }

    void measure(int column)
    {
        if (column < 0 || column >= static_cast<int>(needed_.size()))
            return fit();
        // The item view's text margins either side, and a pixel each for the grid and for luck.
        const int margin = 2 * (table_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table_) + 1) + 2;
        int width = std::max(table_->horizontalHeader()->sectionSizeHint(column),
                             table_->horizontalHeader()->minimumSectionSize());
        for (int row = 0; row < table_->rowCount(); ++row) {
            const QTableWidgetItem* item = table_->item(row, column);
            if (item == nullptr || item->text().isEmpty())
                continue;
            const QFont font = item->data(Qt::FontRole).isValid() ? item->font() : table_->font();
            width = std::max(width, QFontMetrics(font).horizontalAdvance(item->text()) + margin);
        }
        needed_[static_cast<std::size_t>(column)] = width;
    }

    void apply()
    {
        if (static_cast<int>(needed_.size()) != table_->columnCount())
            return fit();
        std::vector<int> widths = needed_;
        int total = 0;
        for (const int width : widths)
            total += width;
        std::vector<int> stretching = stretch_;
        if (stretching.empty()) {
            for (int column = 0; column < table_->columnCount(); ++column)
                stretching.push_back(column);
        }
        int spare = std::max(0, table_->viewport()->width() - total);
        for (std::size_t i = 0; i < stretching.size(); ++i) {
            const int share = spare / static_cast<int>(stretching.size() - i);
            widths[static_cast<std::size_t>(stretching[i])] += share;
            spare -= share;
        }
        for (int column = 0; column < table_->columnCount(); ++column)
            table_->horizontalHeader()->resizeSection(column, widths[static_cast<std::size_t>(column)]);
    }

    QTableWidget* table_;
    const QObject* viewport_;
    std::vector<int> stretch_;
    std::vector<int> needed_;
};

// Asked of the model, which outlives its table's other parts.
bool holdsText(const QAbstractItemModel& model)
{
    for (int row = 0; row < model.rowCount(); ++row) {
        for (int column = 0; column < model.columnCount(); ++column) {
            if (!model.index(row, column).data().toString().isEmpty())
                return true;
        }
    }
    return false;
}

QString copied(const QTableWidgetItem* item)
{
    if (item == nullptr)
        return {};
    const QVariant full = item->data(copiedRole);
    return full.isValid() ? full.toString() : item->text();
}

} // namespace

void makeResultsTable(QTableWidget* table, std::initializer_list<int> stretch)
{
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setWordWrap(false);
    // Tab leaves the table; the arrows move inside it.
    table->setTabKeyNavigation(false);
    new CopyKey(table);
    new FocusFrame(table);
    new ColumnFit(table, stretch);
}

QTableWidget* resultsTable(QWidget* parent, const char* name, const QString& accessibleName, const QStringList& headers,
                           std::initializer_list<int> stretch)
{
    auto* table = named(new QTableWidget(0, static_cast<int>(headers.size()), parent), name, accessibleName);
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    makeResultsTable(table, stretch);
    return table;
}

QTableWidgetItem* cell(const QString& shown, const QString& copied, Qt::Alignment alignment)
{
    QTableWidgetItem* item = cell(shown, alignment);
    if (copied != shown)
        item->setData(copiedRole, copied);
    return item;
}

QString fullText(const values::Decimal& value, const char* unit, const QLocale& locale)
{
    return localised(values::withUnit(value, unit, 18), locale);
}

QString fullText(double value, const char* unit, const QLocale& locale)
{
    return localised(values::withUnit(values::shortest(value), unit, 17), locale);
}

QString fullText(const values::Exact& value, const char* unit, const QLocale& locale)
{
    return localised(values::withUnit(value.rounded(17), unit, 17), locale);
}

QString fullPercent(double percent, const QLocale& locale)
{
    const QString sign = percent > 0 ? QStringLiteral("+") : percent < 0 ? QStringLiteral("-") : QString();
    return sign + localised(values::shortestText(std::abs(percent)), locale) + QStringLiteral(" %");
}

QString fullText(const values::Deviation& deviation, const QLocale& locale)
{
    return deviation.exact ? localised(deviation.text(), locale) : fullPercent(deviation.precise, locale);
}

QString tableText(const QTableWidget& table)
{
    std::set<int> rows;
    for (const QModelIndex& index : table.selectionModel()->selectedRows())
        rows.insert(index.row());
    if (rows.empty()) {
        for (int row = 0; row < table.rowCount(); ++row)
            rows.insert(row);
    }
    const bool rowNames = !table.verticalHeader()->isHidden();
    QStringList header;
    if (rowNames)
        header << QString();
    for (int column = 0; column < table.columnCount(); ++column) {
        const QTableWidgetItem* item = table.horizontalHeaderItem(column);
        header << (item ? item->text() : QString());
    }
    QStringList lines{header.join(u'\t')};
    for (const int row : rows) {
        QStringList cells;
        if (rowNames) {
            const QTableWidgetItem* name = table.verticalHeaderItem(row);
            cells << (name ? name->text() : QString());
        }
        for (int column = 0; column < table.columnCount(); ++column)
            cells << copied(table.item(row, column));
        lines << cells.join(u'\t');
    }
    return lines.join(u'\n') + u'\n';
}

void copyTable(const QTableWidget& table)
{
    if (holdsText(*table.model()))
        QApplication::clipboard()->setText(tableText(table));
}

QPushButton* copyTableButton(QWidget* parent, QTableWidget* table, const char* name, const QString& caption)
{
    auto* button = named(new QPushButton(caption.isEmpty() ? QObject::tr("Cop&y table") : caption, parent), name);
    button->setToolTip(QObject::tr("Copy the selected rows, or the whole table, with its headers (Ctrl+C)"));
    QObject::connect(button, &QPushButton::clicked, table, [table] { copyTable(*table); });
    QAbstractItemModel* model = table->model();
    const auto follow = [button, model] { button->setEnabled(holdsText(*model)); };
    QObject::connect(model, &QAbstractItemModel::dataChanged, button, follow);
    QObject::connect(model, &QAbstractItemModel::rowsInserted, button, follow);
    QObject::connect(model, &QAbstractItemModel::rowsRemoved, button, follow);
    QObject::connect(model, &QAbstractItemModel::modelReset, button, follow);
    follow();
    return button;
}

} // namespace tools
