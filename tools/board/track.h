// SPDX-License-Identifier: MIT
#pragma once

#include "tools/board/fields.h"

#include <QWidget>

class QComboBox;
class QLabel;

namespace tools {

// The Track page: the narrowest track for a current by IPC-2221, or the current a width carries,
// with the track's resistance, drop and loss. Follows every keystroke.
class BoardTrack : public QWidget {
    Q_OBJECT
public:
    explicit BoardTrack(QWidget* parent = nullptr);

    QWidget* firstField() const;

private:
    void build();
    void refresh();
    void clearAnswers();
    void solveChosen();

    QComboBox* cboSolve_ = nullptr;
    boardfields::Row current_;
    boardfields::Row width_;
    boardfields::Row rise_;
    boardfields::Row length_;
    boardfields::Row ambient_;
    QLabel* lblCopper_ = nullptr;
    QComboBox* cboCopper_ = nullptr;
    QLabel* lblCopperMessage_ = nullptr;
    QComboBox* cboLayer_ = nullptr;
    QLabel* lblAnswer_ = nullptr;
    QLabel* lblSection_ = nullptr;
    QLabel* lblResistance_ = nullptr;
    QLabel* lblDrop_ = nullptr;
    QLabel* lblOutside_ = nullptr;
};

} // namespace tools
