// SPDX-License-Identifier: MIT
#pragma once

#include "shell/layout.h"

#include <QFont>
#include <QObject>
#include <QPointer>

#include <utility>
#include <vector>

class QWidget;

namespace shell {

// Makes "MS Sans Serif", the family every screen is laid out for, available: Debian's
// fonts-wine ships it outside fontconfig's path; where it is missing, close-metric
// families stand in so captions still fit their rectangles.
void installInterfaceFont();

// The font a declaration names, for a window drawn at the given device pixel ratio.
// MS Sans Serif is a bitmap face with a single usable size (8.25 pt at one device pixel per
// pixel) and no bold, so other sizes, bold, and every ratio but 1 are drawn in Tahoma, its
// outline successor; at 8.25 pt Tahoma is narrowed just enough that every caption still
// fits the rectangle it was laid out for in MS Sans Serif.
QFont makeFont(const FontSpec& spec, qreal devicePixelRatio = 1.0);

// The font of captions, menus and fields that name no font of their own.
QFont interfaceFont(qreal devicePixelRatio);

// The device pixel ratio a window is drawn at: that of the screen it is on, or will open on.
qreal windowPixelRatio(const QWidget& window);

// Keeps the fonts of one window right for the ratio of the screen it is on, also when it
// moves to a screen of another ratio. Owned by its window.
class WindowFonts : public QObject {
    Q_OBJECT
public:
    // The one of this window, made on first use.
    static WindowFonts& of(QWidget& window);

    // Gives a widget of this window (the window itself, or a popup menu of it) the font of
    // a declaration now and after every change of ratio.
    void use(QWidget& widget, const FontSpec& spec);

    qreal ratio() const { return ratio_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit WindowFonts(QWidget& window);
    void follow();

    QWidget& window_;
    qreal ratio_;
    bool watchingScreen_ = false;
    std::vector<std::pair<QPointer<QWidget>, FontSpec>> fonts_;
};

// Gives a window and the menus it has the interface font for its screen, following it to other
// screens: what every screen does, and what any other window of the program calls once its
// menus are made.
void useInterfaceFont(QWidget& window);

} // namespace shell
