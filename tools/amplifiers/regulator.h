// SPDX-License-Identifier: MIT
#pragma once

#include "tools/amplifiers/pairoptions.h"
#include "tools/latest.h"
#include "values/regulator.h"

#include <QWidget>

#include <memory>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tools {

class CircuitView;

// The Regulator page: an adjustable regulator's or a shunt reference's two resistors for an
// output, with the adjust-pin current, the output over the tolerance and the ranges of V ref and
// I adj, and the current R1 draws against the part's minimum load. Follows every keystroke; the
// search runs off the UI thread.
class AmplifiersRegulator : public QWidget {
    Q_OBJECT
public:
    explicit AmplifiersRegulator(QWidget* parent = nullptr);

    QWidget* firstField() const { return vout_.field; }

Q_SIGNALS:
    void pairsShown(); // the table answers the current input (also when emptied)

private:
    // A typical value and its range: three fields on one row.
    struct Ranged {
        amplifierfields::Row typical;
        QLineEdit* lo = nullptr;
        QLineEdit* hi = nullptr;
    };

    void build();
    Ranged ranged(QGridLayout* grid, int at, const char* name, const QString& caption, const QString& accessibleName,
                  const QString& unit);
    void partChosen();
    void typedOwn();
    void refresh();
    std::optional<values::RegulatorInput> readInput(bool& negative);
    void show(const values::RegulatorDesign& design);
    void clear(const QString& status);
    void draw();

    QComboBox* cboPart_ = nullptr;
    amplifierfields::Row vout_;
    Ranged vref_;
    Ranged iadj_;
    amplifierfields::Row minLoad_;
    QLabel* lblParameters_ = nullptr; // what is wrong with V ref's or I adj's fields
    std::unique_ptr<amplifierfields::PairOptions> options_;
    QTableWidget* table_ = nullptr;
    QLabel* lblStatus_ = nullptr;
    QPushButton* cmdCopy_ = nullptr;
    CircuitView* circuit_ = nullptr;
    bool negative_ = false;
    bool shunt_ = false;
    Latest<values::RegulatorDesign> search_;
};

} // namespace tools
