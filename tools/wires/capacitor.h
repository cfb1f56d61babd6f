// SPDX-License-Identifier: MIT
#pragma once

#include "tools/wires/fields.h"

#include <QWidget>

class QComboBox;

namespace tools {

// The Capacitor page: the energy and charge a capacitor holds at a voltage, and how long it holds
// a constant-current or constant-power load up to a lower voltage. Follows every keystroke.
class WiresCapacitor : public QWidget {
    Q_OBJECT
public:
    explicit WiresCapacitor(QWidget* parent = nullptr);

    QWidget* firstField() const { return capacitance_.field; }

private:
    void build();
    void loadChosen();
    void refresh();

    wirefields::Row capacitance_;
    wirefields::Row voltage_;
    wirefields::Row end_;
    QComboBox* cboLoad_ = nullptr;
    wirefields::Row load_;
    wirefields::Answers* answers_ = nullptr;
    QLabel* lblEnergy_ = nullptr;
    QLabel* lblCharge_ = nullptr;
    QLabel* lblHoldUp_ = nullptr;
    QLabel* lblDelivered_ = nullptr;
};

} // namespace tools
