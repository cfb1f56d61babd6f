// SPDX-License-Identifier: MIT
#pragma once

#include "schematic/schematic.h"

// Amplifiers and regulators: an op-amp and its resistors, an adjustable regulator or a shunt
// reference with its two, a Zener shunt, a transistor switching a load, a part's heat path.
// Values come as the tool writes them ("18 kΩ"); an empty one is named alone ("Rf").
namespace schematic {

enum class OpAmp { NonInverting, Inverting, Difference };

// The op-amp with Rf from its output to the inverting input and Rg from there to ground
// (non-inverting) or to the input (inverting); the difference amplifier has a second Rg into the
// non-inverting input and a second Rf from there to ground. `balance`, when given, is the
// resistor the non-inverting input sees: in series with the input, or to ground.
Drawing opAmp(OpAmp circuit, const QString& rf, const QString& rg, const QString& balance = {});

// A three-terminal adjustable regulator: IN, OUT and ADJ, R1 from OUT to ADJ, R2 from ADJ to
// ground. `output` names the output terminal ("out = 5.0097 V").
Drawing adjustableRegulator(const QString& r1, const QString& r2, const QString& output);

// A shunt reference: cathode to the output, R2 from the output to REF, R1 from REF to the anode
// and ground.
Drawing shuntReference(const QString& r1, const QString& r2, const QString& output);

// A Zener shunt regulator: the supply through R to the Zener and the load.
Drawing zenerShunt(const QString& supply, const QString& r, const QString& zener, const QString& load);

// A bipolar transistor switching a load to ground from a supply, its base driven through RB; an
// N-MOSFET switching it likewise through RG, with a pull-down from gate to ground.
Drawing bjtSwitch(const QString& drive, const QString& rb, const QString& load);
Drawing mosfetSwitch(const QString& drive, const QString& rg, const QString& pullDown, const QString& load);

// Heat from the junction through the case and the interface to the heat sink and the air, each
// step a thermal resistance.
Drawing heatPath(const QString& junction, const QString& jc, const QString& cs, const QString& sa,
                 const QString& ambient);

} // namespace schematic
