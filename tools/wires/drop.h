// SPDX-License-Identifier: MIT
#pragma once

#include "tools/wires/fields.h"

#include <QWidget>

class QComboBox;

namespace tools {

class CircuitView;

// The Drop page: a cable run's resistance, voltage drop and loss, and the thinnest AWG and metric
// sizes that keep the drop within a limit. Follows every keystroke.
class WiresDrop : public QWidget {
    Q_OBJECT
public:
    explicit WiresDrop(QWidget* parent = nullptr);

    QWidget* firstField() const { return length_.field; }

private:
    void build();
    void givenChosen();
    void refresh();

    wirefields::Row length_;
    wirefields::Row current_;
    QComboBox* cboGiven_ = nullptr;
    wirefields::Row size_;
    wirefields::Row supply_;
    wirefields::Row limit_;
    QComboBox* cboFeed_ = nullptr;
    QComboBox* cboMetal_ = nullptr;
    wirefields::Row temperature_;
    wirefields::Answers* answers_ = nullptr;
    QLabel* lblResistance_ = nullptr;
    QLabel* lblDrop_ = nullptr;
    QLabel* lblLoss_ = nullptr;
    QLabel* lblAwg_ = nullptr;
    QLabel* lblMetric_ = nullptr;
    CircuitView* circuit_ = nullptr;
};

} // namespace tools
