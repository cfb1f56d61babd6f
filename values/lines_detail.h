// SPDX-License-Identifier: MIT
#pragma once

#include "values/lines.h"

// The pieces of the closed forms that the analysis and the tests reach beyond impedance().
namespace values::lines::detail {

Impedance quasiStatic(const Line& line); // no range check: a tolerance's corner may leave the range

// Kirschning and Jansen's er eff at f h (in GHz mm) from the static one, u = w / h.
double dispersedErEff(double u, double er, double erEff0, double fhGHzMm);

// How much wider than it is a strip of no thickness with the same impedance acts: Hammerstad
// and Jensen's (in the dielectric), Wheeler's (between planes b - t apart), Gupta et al.'s.
double microstripWidening(double w, double h, double t, double er);
double striplineWidening(double w, double b, double t);
double coplanarWidening(double w, double t);

// Wheeler's incremental inductance rule: the conductor loss in Np/m of a line whose conductors
// have a surface resistance `rs`, from how its impedance in air grows as every conductor's surface
// recedes; none for planar conductors of no thickness, whose loss the rule puts at infinity.
struct ConductorLoss {
    std::optional<double> line;
    std::optional<double> even;
};
ConductorLoss conductorLoss(const Line& line, double rs);

} // namespace values::lines::detail
