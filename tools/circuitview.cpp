// SPDX-License-Identifier: MIT
#include "tools/circuitview.h"

#include "tools/widgets.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace tools {

namespace {
// Larger than its texts match the window's, a drawing looks shouted; smaller, it gets hard to read.
constexpr double largest = 1.2;
} // namespace

CircuitView::CircuitView(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("circuitView"));
    setAccessibleName(tr("Circuit"));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    cmdCopyPicture_ = named(new QPushButton(tr("Copy &picture"), this), "cmdCopyPicture");
    cmdCopyPicture_->setToolTip(tr("Copy the circuit as a picture (SVG and PNG)"));
    cmdCopyPicture_->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdCopyPicture_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch(1);
    layout->addLayout(buttons);
    connect(cmdCopyPicture_, &QPushButton::clicked, this, &CircuitView::copyPicture);
}

void CircuitView::setDrawing(schematic::Drawing drawing)
{
    drawing_ = std::move(drawing);
    setAccessibleDescription(drawing_.description());
    setToolTip(drawing_.description());
    cmdCopyPicture_->setEnabled(!drawing_.isEmpty());
    updateGeometry();
    update();
}

const schematic::Drawing& CircuitView::drawing() const
{
    return drawing_;
}

// The drawing with its texts as large as the window's own.
QSizeF CircuitView::naturalSize() const
{
    return drawing_.sizeAt(QFontInfo(font()).pixelSize());
}

QRectF CircuitView::drawingArea() const
{
    const int below = cmdCopyPicture_->sizeHint().height() + layout()->spacing();
    return QRectF(rect()).adjusted(0, 0, 0, -below);
}

// Sizes in the window's text height, not the drawing's, so a window keeps its size while the
// drawing changes under the user's typing.
QSize CircuitView::sizeHint() const
{
    const QSize button = cmdCopyPicture_->sizeHint();
    const int text = QFontInfo(font()).pixelSize();
    const QSize natural = naturalSize().toSize().expandedTo(QSize(22 * text, 12 * text));
    return {std::max(natural.width(), button.width()), natural.height() + button.height() + layout()->spacing()};
}

QSize CircuitView::minimumSizeHint() const
{
    const QSize button = cmdCopyPicture_->sizeHint();
    const int text = QFontInfo(font()).pixelSize();
    return {std::max(14 * text, button.width()), 8 * text + button.height() + layout()->spacing()};
}

void CircuitView::paintEvent(QPaintEvent*)
{
    if (drawing_.isEmpty())
        return;
    QRectF area = drawingArea();
    const QSizeF most = naturalSize() * largest;
    if (area.width() > most.width() || area.height() > most.height()) {
        const QSizeF size(std::min(area.width(), most.width()), std::min(area.height(), most.height()));
        area = QRectF(area.center() - QPointF(size.width(), size.height()) / 2, size);
    }
    QPainter painter(this);
    drawing_.paint(painter, area, palette());
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
            if (qobject_cast<CircuitView*>(w))
                w->update();
        }
    });
    menu.exec(event->globalPos());
}

void CircuitView::copyPicture()
{
    if (drawing_.isEmpty())
        return;
    auto* data = new QMimeData;
    data->setData(QStringLiteral("image/svg+xml"), drawing_.svg(palette()));
    data->setImageData(drawing_.image({}, devicePixelRatioF(), palette()));
    QApplication::clipboard()->setMimeData(data);
}

} // namespace tools
