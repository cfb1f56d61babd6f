// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

#include <array>

class QPushButton;
class QTabWidget;

namespace tools {

// Wires and power: a wire's size and resistance, a cable run's drop, the current that melts a
// conductor, a battery's life and a capacitor's energy. One page each.
class Wires : public QWidget {
    Q_OBJECT
public:
    explicit Wires(QWidget* parent = nullptr);

private:
    void pageChosen(int index);

    QTabWidget* tabWires_ = nullptr;
    std::array<QWidget*, 5> firstFields_{};
    QPushButton* cmdClose_ = nullptr;
};

} // namespace tools
