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

// An active filter's sections designed from standard parts as the user types, with the response
// those parts give against the ideal, its band over the tolerances, and the circuit.
class FiltersActive : public QWidget {
    Q_OBJECT
public:
    explicit FiltersActive(QWidget* parent = nullptr);
    QWidget* firstField() const;

Q_SIGNALS:
    void designShown(); // the table, plot and circuit answer the current inputs (also when emptied)

private:
    struct Found {
        values::FilterDesign design;
        values::FilterCurves curves;
        values::Tolerances tolerances;
        bool limited = false;
    };
    void design();
    void show(const Found& found);
    void clear();

    QComboBox* kind_ = nullptr;
    QComboBox* response_ = nullptr;
    QComboBox* order_ = nullptr;
    filterfields::Field corner_;
    QComboBox* topology_ = nullptr;
    std::unique_ptr<filterfields::Range> resistors_;
    std::unique_ptr<filterfields::Range> capacitors_;
    filterfields::Field rTolerance_;
    filterfields::Field cTolerance_;
    QTableWidget* table_ = nullptr;
    QPushButton* copy_ = nullptr;
    QLabel* summary_ = nullptr;
    PlotView* plot_ = nullptr;
    CircuitView* circuit_ = nullptr;
    Latest<Found> search_;
};

} // namespace tools
