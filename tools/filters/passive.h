// SPDX-License-Identifier: MIT
#pragma once

#include "tools/filters/fields.h"
#include "tools/latest.h"
#include "values/filters.h"

#include <QWidget>

#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace tools {

class CircuitView;
class PlotView;

// A passive RC, RL, LC or RLC filter: f0, Q and the -3 dB points of the parts typed with their
// Bode plot, and the standard parts for an f0 (and a Q).
class FiltersPassive : public QWidget {
    Q_OBJECT
public:
    explicit FiltersPassive(QWidget* parent = nullptr);
    QWidget* firstField() const;

Q_SIGNALS:
    void designsShown(); // the table answers the current target (also when emptied)

private:
    struct Found {
        std::vector<values::PassiveDesign> designs;
        bool limited = false;
    };
    values::PassiveForm form() const;
    void formChosen();
    void calculate();
    void design();
    void showDesigns(const Found& found);
    // The parts typed, or the row picked in the table once it answers or is clicked: whichever
    // side was last touched.
    void draw();

    QComboBox* form_ = nullptr;
    filterfields::Field r_;
    filterfields::Field l_;
    filterfields::Field c_;
    QLabel* result_ = nullptr;
    filterfields::Field target_;
    filterfields::Field q_;
    std::unique_ptr<filterfields::Range> resistors_;
    std::unique_ptr<filterfields::Range> inductors_;
    std::unique_ptr<filterfields::Range> capacitors_;
    QTableWidget* table_ = nullptr;
    QPushButton* copy_ = nullptr;
    QLabel* status_ = nullptr;
    PlotView* plot_ = nullptr;
    CircuitView* circuit_ = nullptr;
    std::vector<values::PassiveDesign> designs_;
    std::optional<values::PassiveParts> typed_; // every part the form needs, as typed
    bool rowDrawn_ = false;
    Latest<Found> search_;
};

} // namespace tools
