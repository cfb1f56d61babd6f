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

// A bordered box drawing its picture unscaled at the top left of its inner area; it takes
// the focus in tab order like the other controls.
class PictureBox : public QFrame {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);
    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
};

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
