// SPDX-License-Identifier: MIT
#include "shell/widgets.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace shell {

void CommandButton::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
        animateClick();
        return;
    }
    QPushButton::keyPressEvent(event);
}

PictureBox::PictureBox(QWidget* parent)
    : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setFocusPolicy(Qt::StrongFocus);
}

void PictureBox::setPicture(const QString& file)
{
    file_ = file;
    picture_ = QPixmap(file);
    shown_ = picture_;
    update();
}

QString pictureFileFor(const QString& file, qreal devicePixelRatio)
{
    if (devicePixelRatio <= 1.0)
        return file;
    const qsizetype dot = file.lastIndexOf(QLatin1Char('.'));
    const QLatin1String scale(devicePixelRatio <= 2.0 ? "@2x" : "@3x");
    return dot < 0 ? file + scale : file.left(dot) + scale + file.mid(dot);
}

QPixmap PictureBox::shownPicture() const
{
    const qreal ratio = devicePixelRatioF();
    if (picture_.isNull() || shown_.devicePixelRatio() == ratio)
        return shown_;
    QPixmap drawn(pictureFileFor(file_, ratio));
    if (drawn.isNull())
        drawn = picture_;
    const QSize pixels(qRound(picture_.width() * ratio), qRound(picture_.height() * ratio));
    if (drawn.size() != pixels)
        drawn = drawn.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    drawn.setDevicePixelRatio(ratio);
    shown_ = drawn;
    return shown_;
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect inner = contentsRect();
    painter.setClipRect(inner);
    painter.drawPixmap(inner.topLeft(), shownPicture());
    if (hasFocus()) {
        // Keyboard users need to see that the picture holds the focus.
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = inner;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

namespace {
class DropDownStyle : public QProxyStyle {
public:
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget) const override
    {
        if (control != CC_ComboBox)
            return QProxyStyle::subControlRect(control, option, sub, widget);
        constexpr int arrowWidth = 14;
        constexpr int frame = 2;
        const QRect r = option->rect;
        switch (sub) {
        case SC_ComboBoxArrow:
            return {r.right() - arrowWidth - frame + 1, r.top(), arrowWidth + frame, r.height()};
        case SC_ComboBoxEditField:
            return {r.left() + frame, r.top() + frame, r.width() - arrowWidth - 2 * frame, r.height() - 2 * frame};
        default:
            return QProxyStyle::subControlRect(control, option, sub, widget);
        }
    }
};
} // namespace

QStyle* dropDownStyle()
{
    static QPointer<QStyle> style;
    if (!style) {
        style = new DropDownStyle;
        style->setParent(qApp);
    }
    return style;
}

void LineControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawLine(0, 0, width() - 1, height() - 1);
}

} // namespace shell
