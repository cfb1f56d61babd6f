// SPDX-License-Identifier: MIT
#include "tools/circuitview.h"

#include "tools/widgets.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <utility>

namespace tools {

namespace {
// Larger than its texts match the window's, a drawing looks shouted; smaller, it gets hard to read.
constexpr double largest = 1.2;
} // namespace

// The drawing inside the view's scroll area, never smaller than its natural size in the view's font.
class CircuitView::Canvas : public QWidget {
public:
    Canvas(const schematic::Drawing& drawing, QWidget* parent)
        : QWidget(parent)
        , drawing_(drawing)
    {
    }

    QSizeF naturalSize() const { return drawing_.sizeAt(font()); }

    void follow()
    {
        const QSizeF natural = naturalSize();
        setMinimumSize(static_cast<int>(std::ceil(natural.width())), static_cast<int>(std::ceil(natural.height())));
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (drawing_.isEmpty())
            return;
        QRectF area = rect();
        const QSizeF most = naturalSize() * largest;
        if (area.width() > most.width() || area.height() > most.height()) {
            const QSizeF size(std::min(area.width(), most.width()), std::min(area.height(), most.height()));
            area = QRectF(area.center() - QPointF(size.width(), size.height()) / 2, size);
        }
        QPainter painter(this);
        drawing_.paint(painter, area, palette());
    }

    void changeEvent(QEvent* event) override
    {
        // A window moved to a screen of another ratio paints in another face.
        if (event->type() == QEvent::FontChange)
            follow();
        QWidget::changeEvent(event);
    }

private:
    const schematic::Drawing& drawing_;
};

CircuitView::CircuitView(QWidget* parent)
    : QWidget(parent)
    , scroll_(new QScrollArea(this))
    , canvas_(new Canvas(drawing_, this))
{
    setObjectName(QStringLiteral("circuitView"));
    setAccessibleName(tr("Circuit"));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    scroll_->setObjectName(QStringLiteral("scrCircuit"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    scroll_->setWidget(canvas_);
    // On the window's own background, as the drawing has none; out of the Tab order, as Copy
    // picture gives the whole of it.
    scroll_->viewport()->setAutoFillBackground(false);
    canvas_->setAutoFillBackground(false);
    scroll_->setFocusPolicy(Qt::NoFocus);
    cmdCopyPicture_ = named(new QPushButton(tr("Copy &picture"), this), "cmdCopyPicture");
    cmdCopyPicture_->setToolTip(tr("Copy the circuit as a picture (SVG and PNG)"));
    cmdCopyPicture_->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdCopyPicture_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // The view's least size is its own (below), not the drawing's: that scrolls.
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    layout->addWidget(scroll_, 1);
    layout->addLayout(buttons);
    connect(cmdCopyPicture_, &QPushButton::clicked, this, &CircuitView::copyPicture);
}

void CircuitView::setDrawing(schematic::Drawing drawing)
{
    drawing_ = std::move(drawing);
    setAccessibleDescription(drawing_.description());
    setToolTip(drawing_.description());
    cmdCopyPicture_->setEnabled(!drawing_.isEmpty());
    canvas_->follow();
    updateGeometry();
}

const schematic::Drawing& CircuitView::drawing() const
{
    return drawing_;
}

// Sizes in the window's text height, not the drawing's, so a window keeps its size while the
// drawing changes under the user's typing.
QSize CircuitView::sizeHint() const
{
    const QSize button = cmdCopyPicture_->sizeHint();
    const int text = QFontInfo(font()).pixelSize();
    const QSize natural = canvas_->naturalSize().toSize().expandedTo(QSize(22 * text, 12 * text));
    return {std::max(natural.width(), button.width()), natural.height() + button.height() + layout()->spacing()};
}

QSize CircuitView::minimumSizeHint() const
{
    const QSize button = cmdCopyPicture_->sizeHint();
    const int text = QFontInfo(font()).pixelSize();
    return {std::max(14 * text, button.width()), 8 * text + button.height() + layout()->spacing()};
}

void CircuitView::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    QAction* copy = menu.addAction(tr("Copy picture"));
    copy->setEnabled(!drawing_.isEmpty());
    connect(copy, &QAction::triggered, this, &CircuitView::copyPicture);
    menu.addSeparator();
    QAction* zigzag = menu.addAction(tr("Zigzag resistors"));
    zigzag->setCheckable(true);
    zigzag->setChecked(schematic::resistorStyle() == schematic::ResistorStyle::Zigzag);
    connect(zigzag, &QAction::toggled, this, [](bool on) {
        schematic::setResistorStyle(on ? schematic::ResistorStyle::Zigzag : schematic::ResistorStyle::Box);
        // Every drawing on the screen follows at once.
        for (QWidget* w : QApplication::allWidgets()) {
            if (auto* view = qobject_cast<CircuitView*>(w))
                view->canvas_->update();
        }
    });
    menu.exec(event->globalPos());
}

void CircuitView::copyPicture()
{
    if (drawing_.isEmpty())
        return;
    copyToClipboard(drawing_.svg(palette()), drawing_.image({}, devicePixelRatioF(), palette()));
}

void copyToClipboard(const QByteArray& svg, const QImage& image)
{
    auto* data = new QMimeData;
    data->setData(QStringLiteral("image/svg+xml"), svg);
    data->setImageData(image);
    QApplication::clipboard()->setMimeData(data);
}

int drawnRow(const QAbstractItemView& table)
{
    const QAbstractItemModel* model = table.model();
    if (model == nullptr || model->rowCount() == 0)
        return -1;
    const QItemSelectionModel* selection = table.selectionModel();
    const QModelIndex current = selection->currentIndex();
    if (current.isValid() && selection->isRowSelected(current.row(), current.parent()))
        return current.row();
    const QModelIndexList selected = selection->selectedRows();
    return selected.isEmpty() ? 0 : selected.first().row();
}

void onRowPicked(QAbstractItemView* table, QObject* context, const std::function<void()>& picked)
{
    QObject::connect(table, &QAbstractItemView::clicked, context, picked);
    QObject::connect(table, &QAbstractItemView::activated, context, picked);
    QObject::connect(table->selectionModel(), &QItemSelectionModel::currentChanged, context, picked);
    QObject::connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, context, picked);
}

} // namespace tools
