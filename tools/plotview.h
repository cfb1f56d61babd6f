// SPDX-License-Identifier: MIT
#pragma once

#include "schematic/plot.h"

#include <QWidget>

#include <optional>

class QLabel;
class QPushButton;
class QScrollArea;

namespace tools {

// Shows a tool's plot at the size it gets but never below the one at which its texts are as large
// as the window's (smaller, it scrolls), with a cursor that follows the mouse and the arrow keys
// and reads the curves out under the plot, "Copy plot" (SVG and PNG) and "Copy data" (CSV).
class PlotView : public QWidget {
    Q_OBJECT
public:
    explicit PlotView(QWidget* parent = nullptr);

    void setPlot(schematic::Plot plot); // an empty Plot shows nothing
    const schematic::Plot& plot() const;

    QPushButton* copyButton() const { return cmdCopyPlot_; }
    QPushButton* dataButton() const { return cmdCopyData_; }
    // The plot itself, which takes the focus for the arrow keys.
    QWidget* canvas() const;
    // The point the cursor is on, while there is one.
    std::optional<std::size_t> cursor() const;
    QString readout() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    void copyPicture();
    void copyData();

private:
    class Canvas;
    friend class Canvas;
    void moveCursor(std::optional<std::size_t> point);

    schematic::Plot plot_;
    std::optional<std::size_t> cursor_;
    QScrollArea* scroll_ = nullptr;
    Canvas* canvas_ = nullptr;
    QLabel* readout_ = nullptr;
    QPushButton* cmdCopyData_ = nullptr;
    QPushButton* cmdCopyPlot_ = nullptr;
};

} // namespace tools
