// SPDX-License-Identifier: MIT
#include "tools/plotview.h"

#include "tools/circuitview.h"
#include "tools/widgets.h"

#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QStyleOptionFocusRect>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <utility>

namespace tools {

// The plot inside the view's scroll area, never smaller than the size its texts need in the
// view's font.
class PlotView::Canvas : public QWidget {
public:
    explicit Canvas(PlotView* view)
        : QWidget(view)
        , view_(view)
    {
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
        setObjectName(QStringLiteral("picPlot"));
        setAccessibleName(tr("Plot"));
    }

    void follow()
    {
        const QSizeF least = view_->plot_.minimumSize(font());
        setMinimumSize(static_cast<int>(std::ceil(least.width())), static_cast<int>(std::ceil(least.height())));
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        const schematic::Plot& plot = view_->plot_;
        if (plot.isEmpty())
            return;
        QPainter painter(this);
        plot.paint(painter, rect(), palette(), font());
        if (view_->cursor_ && *view_->cursor_ < plot.xs.size()) {
            const schematic::Plot::Layout l = plot.layout(size(), font());
            const double x = l.xToPixel(plot.xs[*view_->cursor_]);
            painter.setPen(QPen(palette().color(QPalette::Highlight), 1));
            for (const QRectF& area : l.areas)
                painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
        }
        if (hasFocus()) {
            QStyleOptionFocusRect frame;
            frame.initFrom(this);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
        }
    }

    void mouseMoveEvent(QMouseEvent* event) override
    {
        const schematic::Plot& plot = view_->plot_;
        if (plot.isEmpty())
            return;
        const schematic::Plot::Layout l = plot.layout(size(), font());
        const QRectF& first = l.areas.front();
        if (event->position().x() < first.left() || event->position().x() > first.right())
            return;
        view_->moveCursor(plot.nearest(l.pixelToX(event->position().x())));
    }

    void leaveEvent(QEvent* event) override
    {
        if (!hasFocus())
            view_->moveCursor(std::nullopt);
        QWidget::leaveEvent(event);
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        const std::size_t n = view_->plot_.xs.size();
        if (n == 0) {
            QWidget::keyPressEvent(event);
            return;
        }
        const std::size_t at = view_->cursor_.value_or(n / 2);
        const std::size_t page = std::max<std::size_t>(1, n / 10);
        switch (event->key()) {
        case Qt::Key_Left:
            view_->moveCursor(at > 0 ? at - 1 : 0);
            return;
        case Qt::Key_Right:
            view_->moveCursor(std::min(n - 1, at + 1));
            return;
        case Qt::Key_PageDown:
            view_->moveCursor(at > page ? at - page : 0);
            return;
        case Qt::Key_PageUp:
            view_->moveCursor(std::min(n - 1, at + page));
            return;
        case Qt::Key_Home:
            view_->moveCursor(0);
            return;
        case Qt::Key_End:
            view_->moveCursor(n - 1);
            return;
        default:
            QWidget::keyPressEvent(event);
        }
    }

    void focusInEvent(QFocusEvent* event) override
    {
        if (!view_->cursor_ && !view_->plot_.xs.empty())
            view_->moveCursor(view_->plot_.xs.size() / 2);
        update();
        QWidget::focusInEvent(event);
    }

    void focusOutEvent(QFocusEvent* event) override
    {
        update();
        QWidget::focusOutEvent(event);
    }

    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::FontChange)
            follow();
        QWidget::changeEvent(event);
    }

private:
    PlotView* view_;
};

PlotView::PlotView(QWidget* parent)
    : QWidget(parent)
    , scroll_(new QScrollArea(this))
    , canvas_(new Canvas(this))
{
    setObjectName(QStringLiteral("plotView"));
    setAccessibleName(tr("Plot"));
    scroll_->setObjectName(QStringLiteral("scrPlot"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    scroll_->setWidget(canvas_);
    scroll_->viewport()->setAutoFillBackground(false);
    canvas_->setAutoFillBackground(false);
    scroll_->setFocusPolicy(Qt::NoFocus);
    // As wide as it is given, wrapped in room for three lines: a Bode plot's four readings beside
    // a narrow plot take that many.
    readout_ = new SteadyLabel(this, QStringLiteral("lblPlotReadout"), 3, SteadyLabel::Tone::Plain);
    cmdCopyData_ = named(new QPushButton(tr("Copy &data"), this), "cmdCopyData");
    cmdCopyData_->setToolTip(tr("Copy the plotted points as CSV"));
    // Alt+P, as the circuit's Copy picture beside it: the plots and the circuit share a page's tabs,
    // so the one key copies the picture shown.
    cmdCopyPlot_ = named(new QPushButton(tr("Copy &plot"), this), "cmdCopyPlot");
    cmdCopyPlot_->setToolTip(tr("Copy the plot as a picture (SVG and PNG)"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdCopyData_);
    buttons->addWidget(cmdCopyPlot_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    layout->addWidget(scroll_, 1);
    layout->addWidget(readout_);
    layout->addLayout(buttons);
    connect(cmdCopyPlot_, &QPushButton::clicked, this, &PlotView::copyPicture);
    connect(cmdCopyData_, &QPushButton::clicked, this, &PlotView::copyData);
    setPlot({});
}

void PlotView::setPlot(schematic::Plot plot)
{
    const bool sameAxis = !plot_.xs.empty() && plot.xs.size() == plot_.xs.size();
    plot_ = std::move(plot);
    canvas_->setAccessibleDescription(plot_.title);
    cmdCopyPlot_->setEnabled(!plot_.isEmpty());
    cmdCopyData_->setEnabled(!plot_.isEmpty());
    canvas_->setFocusPolicy(plot_.isEmpty() ? Qt::NoFocus : Qt::StrongFocus);
    // A cursor stays on its point while the answer changes under it.
    moveCursor(sameAxis && !plot_.isEmpty() ? cursor_ : std::nullopt);
    canvas_->follow();
    updateGeometry();
}

const schematic::Plot& PlotView::plot() const
{
    return plot_;
}

QWidget* PlotView::canvas() const
{
    return canvas_;
}

std::optional<std::size_t> PlotView::cursor() const
{
    return cursor_;
}

QString PlotView::readout() const
{
    return readout_->text();
}

void PlotView::moveCursor(std::optional<std::size_t> point)
{
    cursor_ = point;
    readout_->setText(cursor_ && !plot_.isEmpty() ? plot_.readout(*cursor_) : tr("Point at the plot to read it."));
    readout_->setToolTip(readout_->text());
    canvas_->update();
}

// In the window's text height, not the plot's, so the window keeps its size as the answer changes.
QSize PlotView::sizeHint() const
{
    const int text = QFontInfo(font()).pixelSize();
    const QSize least = canvas_->minimumSize().expandedTo(QSize(22 * text, 12 * text));
    const QSize buttons = cmdCopyPlot_->sizeHint();
    return {least.width(), least.height() + readout_->sizeHint().height() + buttons.height() + 2 * layout()->spacing()};
}

QSize PlotView::minimumSizeHint() const
{
    const int text = QFontInfo(font()).pixelSize();
    const QSize buttons = cmdCopyPlot_->sizeHint() + cmdCopyData_->sizeHint();
    return {std::max(16 * text, buttons.width()),
            10 * text + readout_->sizeHint().height() + cmdCopyPlot_->sizeHint().height()};
}

void PlotView::copyPicture()
{
    if (plot_.isEmpty())
        return;
    copyToClipboard(plot_.svg(palette(), canvas_->size()),
                    plot_.image(canvas_->size(), devicePixelRatioF(), palette()));
}

void PlotView::copyData()
{
    if (plot_.isEmpty())
        return;
    auto* data = new QMimeData;
    const QString csv = plot_.csv();
    data->setData(QStringLiteral("text/csv"), csv.toUtf8());
    data->setText(csv);
    QApplication::clipboard()->setMimeData(data);
}

} // namespace tools
