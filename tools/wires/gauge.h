// SPDX-License-Identifier: MIT
#pragma once

#include "tools/wires/fields.h"

#include <QWidget>

class QComboBox;

namespace tools {

// The Gauge page: an AWG gauge, a section or a diameter, its resistance at a temperature and the
// AWG and metric sizes around it. Follows every keystroke.
class WiresGauge : public QWidget {
    Q_OBJECT
public:
    explicit WiresGauge(QWidget* parent = nullptr);

    QWidget* firstField() const { return size_.field; }

private:
    void build();
    void givenChosen();
    void refresh();

    QComboBox* cboGiven_ = nullptr;
    wirefields::Row size_;
    QComboBox* cboMetal_ = nullptr;
    wirefields::Row temperature_;
    wirefields::Answers* answers_ = nullptr;
    QLabel* lblDiameter_ = nullptr;
    QLabel* lblSection_ = nullptr;
    QLabel* lblResistance_ = nullptr;
    QLabel* lblAwg_ = nullptr;
    QLabel* lblMetric_ = nullptr;
};

} // namespace tools
