// SPDX-License-Identifier: MIT
#pragma once

#include "values/lines.h"

#include <atomic>
#include <optional>
#include <string>

// The Transmission lines' cross-sections solved as fields: Laplace's equation over the section by
// finite volumes on a grid graded towards every conductor's edge, the capacitance per length with
// the dielectrics (C) and without (C0) from the field's energy, Z0 = 1 / (c sqrt(C C0)) and
// er eff = C / C0. Each grid's capacitances are extrapolated with the grid's before to a grid of
// no size (Richardson); the grid is refined until two successive such estimates agree within
// `agreement`, and the last is the answer.
namespace values::lines::field {

// What the cross-section has beyond what the closed forms take.
struct Options {
    // Solder mask over the outer layer: maskT thick over the substrate and round each conductor on
    // it (microstrip, CPW, GCPW, coupled microstrip; striplines are inside the board and have none).
    bool mask = false;
    double maskT = 20e-6;
    double maskEr = 3.8;
    // The etched side walls lean in by this angle from the vertical, so a strip t thick is
    // w - 2 t tan(etchDeg) wide on top; w and s are measured at its foot. 0: rectangular.
    double etchDeg = 0;
};

inline constexpr double agreement = 0.002; // relative, between two successive estimates

struct Solution {
    Mode line;                // Z0 and er eff, or a coupled pair's odd mode
    std::optional<Mode> even; // a coupled pair's even mode
    int gridCells = 0;        // of the finest grid solved; 0 for the round lines
    // How far apart the last two estimates lay (each extrapolated from its grid and the grid
    // before), in percent, the most of any mode's Z0 and er eff: at most agreement x 100 unless
    // the grid reached its bound first.
    double convergedPercent = 0;
    std::string error; // the geometry refused, or "Cancelled"; nothing else is set then
    Impedance impedance() const { return {line, even}; }
};

// The field solution of a cross-section. Coax and twisted pair are not solved: their closed forms
// are exact for the round conductors they take, and are given as they are (gridCells 0).
// A geometry the solution does not take (beyond its range, or not buildable) gives `error` with
// the reason. Three or four grids of up to 30,000 cells, each solved with and without the
// dielectrics and, for a coupled pair, for both modes: 2 to 50 ms of processor time and under
// 10 MB for a board's lines here, at most about 0.2 s and 20 MB at the ends of the ranges it
// takes; so a window calls it on a worker thread. `cancel` is read between the steps of every
// solve, the longest about 50 ms: once it reads true, solve() ends with `error` "Cancelled".
Solution solve(const Line& line, const Options& options = {}, const std::atomic<bool>* cancel = nullptr);

// Why solve() would not take the geometry, in one line, with the dimension to change (none when
// it is the mask or the etch angle).
struct Refused {
    std::optional<Dim> dim;
    std::string message;
};
std::optional<Refused> refusal(const Line& line, const Options& options = {});

// (closed form - field) / field, in percent.
double percentApart(double closedForm, double field);

} // namespace values::lines::field
