// SPDX-License-Identifier: MIT
#pragma once

#include "tools/amplifiers/fields.h"

#include <QWidget>

class QComboBox;
class QLabel;

namespace tools {

class CircuitView;

// The Heat sink page: a part's junction temperature without a heat sink, and the largest heat
// sink's thermal resistance that keeps the junction within its limit. Follows every keystroke.
class AmplifiersHeatSink : public QWidget {
    Q_OBJECT
public:
    explicit AmplifiersHeatSink(QWidget* parent = nullptr);

    QWidget* firstField() const { return cboGiven_; }

private:
    void build();
    void givenChosen();
    void refresh();

    QComboBox* cboGiven_ = nullptr;
    amplifierfields::Row power_;
    amplifierfields::Row vin_;
    amplifierfields::Row vout_;
    amplifierfields::Row current_;
    amplifierfields::Row junction_;
    amplifierfields::Row ambient_;
    amplifierfields::Row jc_;
    amplifierfields::Row cs_;
    amplifierfields::Row ja_;
    wirefields::Answers* answers_ = nullptr;
    QLabel* lblPower_ = nullptr;
    QLabel* lblBare_ = nullptr;
    QLabel* lblSink_ = nullptr;
    QLabel* lblCase_ = nullptr;
    CircuitView* circuit_ = nullptr;
};

} // namespace tools
