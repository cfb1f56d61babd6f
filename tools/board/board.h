// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

class QPushButton;
class QTabWidget;

namespace tools {

class BoardSpacing;
class BoardTrack;
class BoardVia;

// Three questions about a printed board: how wide a track for a current, what a via carries and
// costs, and how far apart conductors at a voltage must be. One page each.
class Board : public QWidget {
    Q_OBJECT
public:
    explicit Board(QWidget* parent = nullptr);

private:
    void pageChosen(int index);

    QTabWidget* tabBoard_ = nullptr;
    BoardTrack* track_ = nullptr;
    BoardVia* via_ = nullptr;
    BoardSpacing* spacing_ = nullptr;
    QPushButton* cmdClose_ = nullptr;
};

} // namespace tools
