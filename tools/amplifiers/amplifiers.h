// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

#include <array>

class QPushButton;
class QTabWidget;

namespace tools {

// Amplifiers and regulators: an op-amp's gain resistors, an adjustable regulator's pair, a Zener
// shunt's resistor, a heat sink, and a transistor switch's resistors. One page each.
class Amplifiers : public QWidget {
    Q_OBJECT
public:
    explicit Amplifiers(QWidget* parent = nullptr);

private:
    void pageChosen(int index);

    QTabWidget* tabAmplifiers_ = nullptr;
    std::array<QWidget*, 5> firstFields_{};
    QPushButton* cmdClose_ = nullptr;
};

} // namespace tools
