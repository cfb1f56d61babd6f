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

// Why solve() would not take the geometry, in one line, with the dimension to change, or else the
// setting of Options (the mask's er or thickness, or the etch angle).
enum class Setting { MaskEr, MaskT, Etch };
struct Refused {
    std::optional<Dim> dim;
    std::string message;
    std::optional<Setting> setting = std::nullopt;
};
std::optional<Refused> refusal(const Line& line, const Options& options = {});

// (closed form - field) / field, in percent.
double percentApart(double closedForm, double field);
// How far apart, as shown beside both: "0.4 %", to a tenth of a percent.
std::string apartText(double closedForm, double field);
// The solution's convergedPercent as shown, its one digit rounded up so that "within" holds:
// "0.03 %".
std::string convergedText(double percent);

// The width (or a coupled pair's gap) whose field solution gives `goalOhm` (Z0, or Z diff), then
// rounded to `stepM` and solved there. The closed form's answer starts it, and its figure there
// against the field's gives the second guess; secant steps on the logarithm of the dimension,
// kept inside a bracket once there is one, end when the field is within `synthesisAgreement` of
// the goal, after `synthesisSolves` solves in all, or before a step would take it past
// `synthesisCpuSeconds` of processor time with the rounded dimension's solve (the field is then
// further off, which the rounded solution shows); `cancel` as for solve(). Coax and twisted pair
// are the closed form's answer.
inline constexpr double synthesisAgreement = 0.0005; // relative, a quarter of the solution's own
inline constexpr int synthesisSolves = 8;
inline constexpr double synthesisCpuSeconds = 0.9;
struct Synthesis {
    double exactM = 0;
    double roundedM = 0;
    double closedFormM = 0; // what the closed form alone finds
    Solution rounded;       // at the rounded dimension
    int solves = 0;
    std::string error; // no dimension found: the closed form's or the field solution's reason, or "Cancelled"
};
Synthesis synthesise(const Line& line, Dim solveFor, double goalOhm, double stepM, const Options& options = {},
                     const std::atomic<bool>* cancel = nullptr);

} // namespace values::lines::field
