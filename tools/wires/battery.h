// SPDX-License-Identifier: MIT
#pragma once

#include "tools/wires/fields.h"

#include <QWidget>

namespace tools {

class CircuitView;

// The Battery page: how long a battery lasts under a steady or duty-cycled load, with its
// self-discharge, a derating and Peukert's law. Follows every keystroke.
class WiresBattery : public QWidget {
    Q_OBJECT
public:
    explicit WiresBattery(QWidget* parent = nullptr);

    QWidget* firstField() const { return capacity_.field; }

private:
    void build();
    void refresh();

    wirefields::Row capacity_;
    wirefields::Row voltage_;
    wirefields::Row active_;
    wirefields::Row duty_;
    wirefields::Row sleep_;
    wirefields::Row selfDischarge_;
    wirefields::Row derating_;
    wirefields::Row peukert_;
    wirefields::Row rated_;
    wirefields::Answers* answers_ = nullptr;
    QLabel* lblAverage_ = nullptr;
    QLabel* lblSelfDischarge_ = nullptr;
    QLabel* lblUsable_ = nullptr;
    QLabel* lblLife_ = nullptr;
    CircuitView* circuit_ = nullptr;
};

} // namespace tools
