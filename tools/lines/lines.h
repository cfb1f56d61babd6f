// SPDX-License-Identifier: MIT
#pragma once

#include "tools/board/fields.h"
#include "values/field.h"

#include <QWidget>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace tools {

class CircuitView;
class LineField;
namespace wirefields {
class Answers;
}

// Transmission lines: a line's impedance, delay and loss from its cross-section, or the width (or
// gap) for an impedance, with the impedance's range over the board house's tolerances and the
// cross-section drawn; beside the formula, the field solution of the cross-section. Follows every
// keystroke, the field solution once typing pauses.
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
    bool showField(const values::lines::Line& line, const std::optional<values::lines::field::Options>& options,
                   bool finding, const values::lines::field::Synthesis* found);

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
    LineField* field_ = nullptr;
    wirefields::Answers* answers_ = nullptr;
    QLabel* lblImpedance_ = nullptr;
    QLabel* lblSecond_ = nullptr;
    QLabel* lblModes_ = nullptr;
    QLabel* lblField_ = nullptr;
    QLabel* lblFieldModes_ = nullptr;
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
