// SPDX-License-Identifier: MIT
#pragma once

#include <QFrame>
#include <QPixmap>
#include <QPushButton>
#include <QWidget>

class QStyle;

namespace shell {

// Enter presses a button only when it has the focus, as Space does; no screen has a
// default button. QPushButton ignores Enter unless it is an auto-default button.
class CommandButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// A bordered box drawing its picture at its own logical size at the top left of its inner
// area; it takes the focus in tab order like the other controls. Beside each picture file
// "name.png" lie "name@2x.png" and "name@3x.png", the same artwork drawn at two and three
// times the pixels: a box shows the one its screen's ratio calls for, and at ratios in
// between the next larger one smoothly reduced, never an enlargement.
class PictureBox : public QFrame {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);
    // A picture file, by its one-to-one name.
    void setPicture(const QString& file);
    // The picture at one device pixel per pixel.
    const QPixmap& picture() const { return picture_; }
    // The picture as drawn at the box's current device pixel ratio.
    QPixmap shownPicture() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString file_;
    QPixmap picture_;
    mutable QPixmap shown_;
};

// The picture file drawn for a device pixel ratio: "name@2x.png" for a ratio above 1 up to
// 2, "name@3x.png" above 2, the file itself at 1 and below.
QString pictureFileFor(const QString& file, qreal devicePixelRatio);

// The style of the drop-down lists: a narrower arrow button, so a short list such as the
// tolerance band still shows its longest colour name whole.
QStyle* dropDownStyle();

// A straight line in the window-text colour.
class LineControl : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace shell
