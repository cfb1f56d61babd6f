// SPDX-License-Identifier: MIT
#pragma once

#include "schematic/schematic.h"

#include <QWidget>

class QPushButton;

namespace tools {

// Shows a tool's circuit, scaled to the space it gets, with "Copy picture" (a button and the
// right-click menu) putting it on the clipboard as SVG and PNG. Its accessible description is
// the drawing's own, in words.
class CircuitView : public QWidget {
    Q_OBJECT
public:
    explicit CircuitView(QWidget* parent = nullptr);

    void setDrawing(schematic::Drawing drawing); // an empty Drawing shows nothing
    const schematic::Drawing& drawing() const;
    // Its "Copy picture" button, for the window's tab order.
    QPushButton* copyButton() const { return cmdCopyPicture_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Puts the drawing on the clipboard as SVG and as a picture at this screen's ratio.
    void copyPicture();

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QSizeF naturalSize() const;
    QRectF drawingArea() const;

    schematic::Drawing drawing_;
    QPushButton* cmdCopyPicture_ = nullptr;
};

} // namespace tools
