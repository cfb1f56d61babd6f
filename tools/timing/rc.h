// SPDX-License-Identifier: MIT
#pragma once

#include "tools/latest.h"
#include "tools/timing/fields.h"
#include "values/timing.h"

#include <QWidget>

#include <vector>

class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace tools {

class CircuitView;
class PlotView;

// An RC's time constant, corner and charging time from its parts, and the standard pairs for a
// corner or a time constant.
class RcPage : public QWidget {
    Q_OBJECT
public:
    explicit RcPage(QWidget* parent = nullptr);
    QWidget* firstField() const;

Q_SIGNALS:
    void pairsShown(); // the table answers the current target (also when emptied)

private:
    void calculate();
    void design();
    // What a search found, and whether it stopped at its budget first (a better one may exist).
    struct Found {
        std::vector<values::RcPair> pairs;
        bool limited = false;
    };
    void showPairs(const Found& found);
    void clearPairs(const QString& status);
    // The parts typed, or the pair picked in the table once it answers or is clicked: whichever
    // side was last touched.
    void draw();
    void cornerTip(); // the value column's, for what was asked

    timing::Field r_;
    timing::Field c_;
    timing::Field supply_;
    timing::Field level_;
    QLabel* result_ = nullptr;
    CircuitView* circuit_ = nullptr;
    PlotView* bode_ = nullptr;
    PlotView* charge_ = nullptr;
    QRadioButton* corner_ = nullptr;
    QRadioButton* tau_ = nullptr;
    timing::Field target_;
    timing::PartRange* resistors_ = nullptr;
    timing::PartRange* capacitors_ = nullptr;
    QTableWidget* table_ = nullptr;
    QPushButton* copy_ = nullptr;
    QLabel* status_ = nullptr;
    bool cornerAsked_ = true;
    QString typedR_; // as drawn: empty while not given
    QString typedC_;
    std::optional<values::Decimal> rValue_; // as typed, for the plots
    std::optional<values::Decimal> cValue_;
    std::optional<values::Decimal> supplyValue_;
    std::optional<values::Decimal> levelValue_;
    bool pairDrawn_ = false;
    Latest<Found> search_;
};

} // namespace tools
