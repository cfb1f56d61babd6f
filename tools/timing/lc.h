// SPDX-License-Identifier: MIT
#pragma once

#include "tools/timing/fields.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;

namespace tools {

class CircuitView;
class PlotView;

// The reactance of a capacitor and of an inductor at a frequency, and the partner each resonates
// with there.
class ReactancePage : public QWidget {
    Q_OBJECT
public:
    explicit ReactancePage(QWidget* parent = nullptr);

private:
    void calculate();

    timing::Field f_;
    timing::Field c_;
    timing::Field l_;
    QLabel* result_ = nullptr;
    CircuitView* circuit_ = nullptr;
};

// An LC tank's resonance and characteristic impedance, and the standard capacitors that bring an
// inductor nearest to a frequency.
class ResonancePage : public QWidget {
    Q_OBJECT
public:
    explicit ResonancePage(QWidget* parent = nullptr);

private:
    void calculate();
    void design();
    // The parts typed, or the capacitor picked in the table once it answers or is clicked:
    // whichever side was last touched.
    void draw();

    timing::Field l_;
    timing::Field c_;
    QLabel* result_ = nullptr;
    CircuitView* circuit_ = nullptr;
    PlotView* tank_ = nullptr;
    timing::Field target_;
    timing::PartRange* capacitors_ = nullptr;
    QTableWidget* table_ = nullptr;
    QString typedL_; // as drawn: empty while not given
    QString typedC_;
    QString designedL_;
    std::optional<values::Decimal> lValue_; // as typed, for the plot
    std::optional<values::Decimal> cValue_;
    std::optional<values::Decimal> designedLValue_;
    bool capacitorDrawn_ = false;
    QPushButton* copy_ = nullptr;
};

} // namespace tools
