// SPDX-License-Identifier: MIT
#pragma once

#include "schematic/schematic.h"

// Power delivered to a load: over a cable, and from a battery.
namespace schematic {

// A cable run: from the supply's terminal through the outgoing conductor to the load and back
// through the return conductor to the supply's other terminal. Without `back` (a balanced
// three-phase load), one phase: the line through its conductor to the load and on to the star
// point. `conductor` is each conductor's value, `load` what the load draws.
Drawing cableRun(const QString& supply, const QString& conductor, const QString& load, bool back = true);

// A battery, drawn as the supply rail it makes, feeding a load to ground.
Drawing batteryLoad(const QString& battery, const QString& load);

} // namespace schematic
