// SPDX-License-Identifier: MIT
#pragma once

#include "tools/amplifiers/fields.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tools {

class CircuitView;

// The Zener page: the window the series resistor of a Zener shunt regulator must lie in, the
// standard values inside it over their tolerance with the Zener's and the resistor's worst
// cases, or which limit closed the window. Follows every keystroke.
class AmplifiersZener : public QWidget {
    Q_OBJECT
public:
    explicit AmplifiersZener(QWidget* parent = nullptr);

    QWidget* firstField() const { return supply_.field; }

private:
    void build();
    void refresh();
    void draw();

    amplifierfields::Row supply_;
    QLineEdit* supplyMax_ = nullptr;
    amplifierfields::Row vz_;
    amplifierfields::Row vzTolerance_;
    amplifierfields::Row izMin_;
    amplifierfields::Row pz_;
    amplifierfields::Row load_;
    QLineEdit* loadMax_ = nullptr;
    QComboBox* cboSeries_ = nullptr;
    QComboBox* cboTolerance_ = nullptr;
    QComboBox* cboMargin_ = nullptr;
    QLabel* lblWindow_ = nullptr;
    QTableWidget* table_ = nullptr;
    QPushButton* cmdCopy_ = nullptr;
    CircuitView* circuit_ = nullptr;
    QString supplyText_; // as drawn
    QString vzText_;
    QString loadText_;
};

} // namespace tools
