// SPDX-License-Identifier: MIT
#pragma once

#include "tools/amplifiers/fields.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace tools {

class CircuitView;

// The Transistor switch page: a bipolar transistor's base resistor for a load and a logic level,
// or an N-MOSFET's gate resistor for a switching time and its pull-down, with the standard values
// around the exact one. Follows every keystroke.
class AmplifiersSwitch : public QWidget {
    Q_OBJECT
public:
    explicit AmplifiersSwitch(QWidget* parent = nullptr);

    QWidget* firstField() const { return cboKind_; }

private:
    void build();
    void kindChosen();
    void refresh();
    void showBase();
    void showGate();
    void draw();

    QComboBox* cboKind_ = nullptr;
    amplifierfields::Row drive_;
    amplifierfields::Row load_;
    amplifierfields::Row vbe_;
    QComboBox* cboBase_ = nullptr;
    QLabel* lblBase_ = nullptr;
    amplifierfields::Row gain_;
    amplifierfields::Row hfe_;
    amplifierfields::Row overdrive_;
    amplifierfields::Row charge_;
    amplifierfields::Row time_;
    amplifierfields::Row plateau_;
    QComboBox* cboSeries_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* lblStatus_ = nullptr;
    QPushButton* cmdCopy_ = nullptr;
    CircuitView* circuit_ = nullptr;
    QString driveText_; // as drawn
    QString loadText_;
    QString pullDownText_;
};

} // namespace tools
