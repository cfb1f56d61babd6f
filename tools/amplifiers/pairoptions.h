// SPDX-License-Identifier: MIT
#pragma once

#include "tools/amplifiers/fields.h"

#include <QObject>

#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

namespace tools::amplifierfields {

// The parts a pair designer chooses from, on four rows of a page's grid: the series with the
// resistors' tolerance, the range both lie in, a line for its message, and a resistor already
// chosen. Names follow `stem`:
// "OpAmp" gives cboOpAmpSeries, txtOpAmpFrom, txtOpAmpTo, cboOpAmpTolerance, cboOpAmpFixed and
// txtOpAmpFixed.
class PairOptions {
public:
    struct Names {
        const char* series;    // cboOpAmpSeries
        const char* from;      // txtOpAmpFrom
        const char* to;        // txtOpAmpTo
        const char* tolerance; // cboOpAmpTolerance
        const char* fixed;     // cboOpAmpFixed
        const char* value;     // txtOpAmpFixed
    };
    PairOptions(QWidget* page, QGridLayout* grid, int row, const Names& names, const char* series, const char* from,
                const char* to, const QStringList& fixedChoices);

    struct Chosen {
        values::SeriesSet series;
        values::Decimal lo;
        values::Decimal hi;
        values::Decimal tolerance;
        int fixed = 0; // the index of the fixed choice; 0 for none
        std::optional<values::Decimal> value;
    };
    // Empty, with the reason beside the field, while something does not read.
    std::optional<Chosen> read() const;

    std::vector<QWidget*> tabOrder() const;
    void onChange(QObject* context, const std::function<void()>& changed) const;
    QComboBox* fixedChoice() const { return fixed_; }

private:
    QComboBox* series_ = nullptr;
    Row from_;
    QLineEdit* to_ = nullptr;
    QComboBox* tolerance_ = nullptr;
    QComboBox* fixed_ = nullptr;
    Row value_;
};

} // namespace tools::amplifierfields
