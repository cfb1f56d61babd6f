// SPDX-License-Identifier: MIT
#pragma once

#include "tools/amplifiers/pairoptions.h"
#include "tools/latest.h"
#include "values/opamp.h"

#include <QWidget>

#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace tools {

class CircuitView;

// The Op-amp page: the standard pairs for a gain, non-inverting, inverting or a difference
// amplifier, with the gain over the tolerance, the input resistance and the bias balance.
// Follows every keystroke; the search runs off the UI thread.
class AmplifiersOpAmp : public QWidget {
    Q_OBJECT
public:
    explicit AmplifiersOpAmp(QWidget* parent = nullptr);

    QWidget* firstField() const { return gain_.field; }

Q_SIGNALS:
    void pairsShown(); // the table answers the current input (also when emptied)

private:
    void build();
    void refresh();
    void show(const values::OpAmpDesign& design);
    void clear(const QString& status);
    void draw();

    QComboBox* cboCircuit_ = nullptr;
    amplifierfields::Row gain_;
    std::unique_ptr<amplifierfields::PairOptions> options_;
    QTableWidget* table_ = nullptr;
    QLabel* lblStatus_ = nullptr;
    QPushButton* cmdCopy_ = nullptr;
    CircuitView* circuit_ = nullptr;
    values::OpAmpCircuit shownCircuit_ = values::OpAmpCircuit::NonInverting;
    Latest<values::OpAmpDesign> search_;
};

} // namespace tools
