// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace values {
struct Decimal;
struct Pad;
} // namespace values

namespace tools {

class CircuitView;

// Matched Pi, T and bridged-T pads for an attenuation and an impedance: each resistor's ideal
// value and nearest standard value, and what the pad built from those does. The selected row's pad
// is drawn large, or all three side by side when none is selected.
class Attenuator : public QWidget {
    Q_OBJECT
public:
    explicit Attenuator(QWidget* parent = nullptr);

private:
    void build();
    void refresh();
    void showPads(const std::array<values::Pad, 3>& pads);
    void clearPads();
    void selectionChanged();
    QString ohms(const values::Decimal& v) const;
    QString decibels(double db) const;

    QLineEdit* txtPadDb_ = nullptr;
    QLabel* lblPadDbMessage_ = nullptr;
    QLineEdit* txtPadZ_ = nullptr;
    QLabel* lblPadZMessage_ = nullptr;
    QComboBox* cboPadSeries_ = nullptr;
    QTableWidget* tblPads_ = nullptr;
    std::array<CircuitView*, 3> pictures_{};
    QPushButton* cmdCopyTable_ = nullptr;
    QPushButton* cmdClose_ = nullptr;
};

} // namespace tools
