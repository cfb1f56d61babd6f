// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

#include <array>

class QPushButton;
class QTabWidget;

namespace tools {

class FiltersActive;
class FiltersPassive;

// Filters: active ones cascaded from op-amp stages, and passive RC, RL, LC and RLC ones, each
// designed from standard parts and plotted. A page each.
class Filters : public QWidget {
    Q_OBJECT
public:
    explicit Filters(QWidget* parent = nullptr);

    // Opens at its working size: the plot and the circuit would ask for more than a small screen.
    QSize sizeHint() const override;

private:
    void pageChosen(int index);

    QTabWidget* tabFilters_ = nullptr;
    FiltersActive* active_ = nullptr;
    FiltersPassive* passive_ = nullptr;
    QPushButton* cmdClose_ = nullptr;
};

} // namespace tools
