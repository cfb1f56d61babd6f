// SPDX-License-Identifier: MIT
#pragma once

#include "schematic/schematic.h"

#include <QWidget>

#include <functional>

class QAbstractItemView;
class QPushButton;
class QScrollArea;

namespace tools {

// Shows a tool's circuit, scaled to the space it gets but never below the size at which its texts
// are as large as the window's (a circuit wider or taller than its space scrolls), with "Copy
// picture" (a button and the right-click menu) putting it on the clipboard as SVG and PNG. Its
// accessible description is the drawing's own, in words.
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
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    class Canvas;

    schematic::Drawing drawing_;
    QScrollArea* scroll_ = nullptr;
    Canvas* canvas_ = nullptr;
    QPushButton* cmdCopyPicture_ = nullptr;
};

// A picture on the clipboard as SVG and as PNG, as every Copy picture puts it.
void copyToClipboard(const QByteArray& svg, const QImage& image);

// The row of a designer's table that its drawing shows: the current row while it is selected,
// else the first one selected, else the best (the first); -1 when the table is empty.
int drawnRow(const QAbstractItemView& table);
// Calls `picked` whenever the user may have picked a row to draw: the current row moves (mouse,
// arrow keys), the selection changes, or a row is clicked or activated (Enter, double-click).
void onRowPicked(QAbstractItemView* table, QObject* context, const std::function<void()>& picked);

} // namespace tools
