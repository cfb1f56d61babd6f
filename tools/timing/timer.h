// SPDX-License-Identifier: MIT
#pragma once

#include "tools/latest.h"
#include "tools/timing/fields.h"
#include "values/timing.h"

#include <QWidget>

#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace tools {

class CircuitView;
class PlotView;

// The 555 as an astable (with or without the diode across R2) or a monostable from its parts,
// and the standard (R1, R2, C) for a frequency and a duty cycle.
class TimerPage : public QWidget {
    Q_OBJECT
public:
    explicit TimerPage(QWidget* parent = nullptr);

Q_SIGNALS:
    void designsShown(); // the table answers the current target (also when emptied)

private:
    void modeChosen();
    void calculate();
    void design();
    // What a search found, and whether it stopped at its budget first (a better one may exist).
    struct Found {
        std::vector<values::TimerDesign> designs;
        bool limited = false;
        bool diode = false; // of the goal searched for
    };
    void showDesigns(const Found& found);
    void clearDesigns(const QString& status);
    // The parts typed, or the design picked in the table once it answers or is clicked:
    // whichever side was last touched.
    void draw();

    QRadioButton* astable_ = nullptr;
    QRadioButton* monostable_ = nullptr;
    QCheckBox* diode_ = nullptr;
    timing::Field r1_;
    timing::Field r2_;
    timing::Field c_;
    QLabel* result_ = nullptr;
    CircuitView* circuit_ = nullptr;
    PlotView* waveform_ = nullptr;
    timing::Field f_;
    timing::Field duty_;
    QLabel* dutyMessage_ = nullptr;
    timing::PartRange* resistors_ = nullptr;
    timing::PartRange* capacitors_ = nullptr;
    QTableWidget* table_ = nullptr;
    QPushButton* copy_ = nullptr;
    QLabel* status_ = nullptr;
    Latest<Found> search_;
    QString typedR1_; // as drawn: empty while not given
    QString typedR2_;
    QString typedC_;
    bool designDrawn_ = false;
    bool designDiode_ = false;
};

} // namespace tools
