// SPDX-License-Identifier: MIT
#pragma once

#include "schematic/schematic.h"

#include <QString>

#include <vector>

// Filters drawn from their parts: active filters as a cascade of op-amp stages, passive ones as a
// ladder of series parts and branches to ground.
namespace schematic {

// An op-amp stage; its parts are labelled in the order given ("R1 10 kΩ").
enum class Stage {
    RcLow,                // R1 in series, C1 to ground, a follower
    RcHigh,               // C1 in series, R1 to ground, a follower
    SallenKeyLow,         // R1, R2 in series; C1 from between them to the output, C2 to ground
    SallenKeyHigh,        // C1, C2 in series; R1 from between them to the output, R2 to ground
    SallenKeyEqualLow,    // as SallenKeyLow, the gain set by RF and RG
    SallenKeyEqualHigh,   // as SallenKeyHigh, the gain set by RF and RG
    MultipleFeedbackLow,  // R1 in, C1 to ground, R2 to the output, R3 to the inverting input, C2 across
    MultipleFeedbackHigh, // C1 in, R1 to ground, C2 to the output, C3 to the inverting input, R2 across
};

struct StageParts {
    Stage stage = Stage::RcLow;
    // Labels in the order of the stage's comment above: R1 C1 for RcLow; C1 C2 R1 R2 (RF RG) for
    // a Sallen-Key high pass; R1 R2 R3 C1 C2 for multiple feedback's low pass ...
    std::vector<QString> labels;
};

// The stages one after another from "in" to "out".
Drawing activeFilter(const std::vector<StageParts>& stages, const QString& description);

// A part of a ladder, with its label.
struct Rung {
    Symbol symbol = Symbol::Resistor;
    QString label;
};
// From "in" through the series parts to the output node, and from there each branch to ground
// (its parts in series); the output beside the last branch.
Drawing ladder(const std::vector<Rung>& series, const std::vector<std::vector<Rung>>& branches,
               const QString& description);

} // namespace schematic
