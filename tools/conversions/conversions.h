// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

#include <array>

class QPushButton;
class QTabWidget;

namespace tools {

// Conversions: signal levels, decibels and ratios, frequency and wavelength, and SI prefixes.
// One page each.
class Conversions : public QWidget {
    Q_OBJECT
public:
    explicit Conversions(QWidget* parent = nullptr);

private:
    void pageChosen(int index);

    QTabWidget* tabConversions_ = nullptr;
    std::array<QWidget*, 4> firstFields_{};
    QPushButton* cmdClose_ = nullptr;
};

} // namespace tools
