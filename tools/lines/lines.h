// SPDX-License-Identifier: MIT
#pragma once

#include "tools/board/fields.h"

#include <QWidget>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace tools {

class CircuitView;
namespace wirefields {
class Answers;
}

// Transmission lines: a line's impedance, delay and loss from its cross-section, or the width (or
// gap) for an impedance, with the impedance's range over the board house's tolerances and the
// cross-section drawn. Follows every keystroke.
class Lines : public QWidget {
    Q_OBJECT
public:
    explicit Lines(QWidget* parent = nullptr);

private:
    void build();
    QWidget* buildTolerances();
    void typeChosen();
    void materialChosen();
    void refresh();

    QComboBox* cboType_ = nullptr;
    QComboBox* cboSolve_ = nullptr;
    boardfields::Row goal_;
    boardfields::Row step_;
    std::array<boardfields::Row, 7> dims_; // by values::lines::Dim, W to Outer
    QComboBox* cboMaterial_ = nullptr;
    boardfields::Row er_;
    boardfields::Row tanD_;
    boardfields::Row frequency_;
    boardfields::Row length_;
    QGroupBox* grpTolerances_ = nullptr;
    std::array<QLineEdit*, 4> tolerances_{}; // by values::lines::Toleranced
    QLabel* lblTolerancesMessage_ = nullptr;
    wirefields::Answers* answers_ = nullptr;
    QLabel* lblImpedance_ = nullptr;
    QLabel* lblSecond_ = nullptr;
    QLabel* lblModes_ = nullptr;
    QLabel* lblFound_ = nullptr;
    QLabel* lblErEff_ = nullptr;
    QLabel* lblDelay_ = nullptr;
    QLabel* lblWavelength_ = nullptr;
    QLabel* lblLoss_ = nullptr;
    QLabel* lblSkin_ = nullptr;
    QLabel* lblModel_ = nullptr;
    CircuitView* section_ = nullptr;
    QPushButton* cmdClose_ = nullptr;
};

} // namespace tools
