// SPDX-License-Identifier: MIT
#pragma once

#include "values/field.h"

#include <atomic>
#include <limits>
#include <vector>

// The pieces of the field solution that the tests and the benchmark reach: the cross-section as
// the solver takes it, the graded grid, and one solve.
namespace values::lines::field::detail {

inline constexpr double unbounded = std::numeric_limits<double>::infinity();

// A conductor standing on z0: its foot from xl to xr, t high (0: a sheet), its top narrower by
// insetL and insetR. xr may be `unbounded`: a ground reaching the edge of the box.
struct Conductor {
    double xl = 0;
    double xr = 0;
    double z0 = 0;
    double t = 0;
    double insetL = 0;
    double insetR = 0;
    double volts = 0;
    bool inside(double x, double z, double tolerance) const;
    // Its left and right side at height z (clamped to its foot and its top).
    double left(double z) const;
    double right(double z) const;
};

struct Layer { // a dielectric slab across the whole width; air outside every layer
    double z0 = 0;
    double z1 = 0;
    double er = 1;
};

// A line the grid must have; at a conductor's edge the cells are sized by the section's scale,
// anywhere else by the distance to the next key.
struct Key {
    double at = 0;
    bool edge = false;
};

// Half of a cross-section, x >= 0, the other half its mirror image.
struct Section {
    std::vector<Conductor> conductors;
    std::vector<Layer> layers;
    // The box, x from 0 to xOpen and z from zLow to zHigh, its sides but x = 0 held at 0 V: a
    // ground plane where there is one, elsewhere far enough away to stand for an open side.
    double xOpen = 0;
    double zLow = 0;
    double zHigh = 0;
    bool odd = false;  // x = 0 is held at 0 V (the odd mode); otherwise the field runs along it
    double halves = 2; // what the whole line's capacitance is of the half solved's
    double scale = 1;  // the cross-section's smallest dimension, which the cells at edges follow
    // The solder mask: maskT thick over the substrate's top and round the conductors on it.
    double maskT = 0;
    double maskEr = 1;
    double surface = 0;
    std::vector<Key> xKeys; // where the grid must have a line: every edge and interface
    std::vector<Key> zKeys;
};

// The sections a line is solved as: one, or a coupled pair's odd mode then its even mode.
std::vector<Section> sections(const Line& line, const Options& options);

// The grid lines from lo to hi: one at each key, cells of `share` of the distance to the nearest
// other key there (at an edge, of at most `edgeCell`; anywhere, of at least 0.3 of it), each
// e^growth times the one before away from the keys.
std::vector<double> gradedAxis(std::vector<Key> keys, double lo, double hi, double edgeCell, double share,
                               double growth);

// The grid a section is solved on at a density: 1 is the coarsest solved, and the cells shrink as
// it grows.
struct Grid {
    std::vector<double> x;
    std::vector<double> z;
    int cells() const { return static_cast<int>((x.size() - 1) * (z.size() - 1)); }
};
Grid grid(const Section& section, double density);

// One solve: the capacitance per length of the whole line in units of e0 (F/m), with its dielectrics
// and with air everywhere, on the grid of that density.
struct Capacitance {
    double withDielectric = 0;
    double inAir = 0;
    int cells = 0;
    bool cancelled = false;
};
Capacitance capacitance(const Section& section, double density, const std::atomic<bool>* cancel = nullptr);

} // namespace values::lines::field::detail
