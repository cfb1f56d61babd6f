// SPDX-License-Identifier: MIT
#pragma once

#include "numeric/decimal.h"
#include "values/timing.h"

#include <complex>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

// Active filters cascaded from op-amp sections, and passive RC, RL, LC and RLC filters: the
// prototype's poles from its polynomial, each section designed from standard parts, and the
// response the chosen parts really give, with its spread over their tolerances.
//
// Frequencies are in hertz, parts in ohms, farads and henries; responses are complex gains,
// magnitudes in dB.
namespace values {

// The all-pole families. Butterworth and Bessel are normalised to -3 dB at the corner, Bessel
// also to the delay of its polynomial (a group delay of 1 / (2 pi fc) at DC); Chebyshev to the
// edge of its ripple band, where the response last leaves the ripple.
enum class Response { Butterworth, Bessel, BesselDelay, Chebyshev };
inline constexpr int maxOrder = 8;

struct Prototype {
    Response response = Response::Butterworth;
    int order = 2;       // 1 to maxOrder
    double rippleDb = 0; // Chebyshev only: 0.5, 1 or 3
};
bool valid(const Prototype& p);

// The prototype's poles, normalised to a corner of 1 rad/s, in the left half plane; a conjugate
// pair once, by its upper member. Butterworth and Chebyshev from their closed forms; Bessel as
// the roots of its reverse polynomial, found numerically and polished.
std::vector<std::complex<double>> prototypePoles(const Prototype& p);

// One section of the cascade: a real pole (first order, q 0) or a conjugate pair.
struct PoleSection {
    double w0 = 0; // the pole frequency over the corner
    double q = 0;  // 0 for a first-order section
    bool firstOrder() const { return q == 0; }
};
// First order first, then by rising Q: the sections that peak come last, where the signal has
// already been filtered.
std::vector<PoleSection> prototypeSections(const Prototype& p);

// |H(j w)| of the prototype from its polynomial (not its poles), w in rad/s over the corner,
// unity at DC: what the cascade of sections must reproduce.
double prototypeGain(const Prototype& p, double w);

// For Bessel: the -3 dB frequency of the delay-normalised polynomial, in rad/s.
double besselCorner(int order);

enum class Pass { LowPass, HighPass };
enum class FilterTopology { SallenKey, SallenKeyEqual, MultipleFeedback };

// The circuit of one section: first order is an RC before a unity buffer in every topology.
enum class Circuit {
    RcLow,
    RcHigh,
    SallenKeyLow,      // unity gain: R1, R2 in series, C1 to the output, C2 to ground
    SallenKeyHigh,     // unity gain: C1, C2 in series, R1 to the output, R2 to ground
    SallenKeyEqualLow, // R1 = R2, C1 = C2, gain 1 + RF / RG = 3 - 1 / Q
    SallenKeyEqualHigh,
    MultipleFeedbackLow,  // R1 = R2 (gain -1), R3 to the inverting input, C1 to ground, C2 across
    MultipleFeedbackHigh, // C1 = C2 (gain -1), C3 to the inverting input, R1 to ground, R2 across
};
Circuit circuitFor(FilterTopology topology, Pass pass, bool firstOrder);
bool isFirstOrder(Circuit circuit);
// The parts' names in the order a section lists them: "R1", "R2", "C1", "C2" ...
std::vector<std::string> partNames(Circuit circuit);
bool isCapacitor(std::string_view partName); // "C1"

// H(s) = (b2 s^2 + b1 s + b0) / (a2 s^2 + a1 s + a0), s in rad/s.
struct Biquad {
    double b2 = 0, b1 = 0, b0 = 0;
    double a2 = 0, a1 = 0, a0 = 1;
    std::complex<double> at(double fHz) const;
    double f0Hz() const; // sqrt(a0 / a2) / 2 pi, or a0 / a1 / 2 pi for a first-order one
    double q() const;    // sqrt(a0 a2) / a1; 0 for a first-order one
};
// The section's transfer from its parts' values, in partNames' order (an ideal op-amp).
Biquad biquadOf(Circuit circuit, std::span<const double> values);

struct SectionGoal {
    double f0Hz = 0;
    double q = 0; // 0 for first order
};

struct FilterGoal {
    Prototype prototype;
    Pass pass = Pass::LowPass;
    FilterTopology topology = FilterTopology::SallenKey;
    double fcHz = 1000;
};
std::vector<SectionGoal> sectionGoals(const FilterGoal& goal);
// The ideal response at f: the prototype scaled to the corner, low or high pass.
std::complex<double> idealResponse(const FilterGoal& goal, double fHz);

struct SectionPart {
    std::string name; // within its section ("R1"); a filter renames them along the cascade
    Decimal value;
};

struct SectionDesign {
    Circuit circuit = Circuit::RcLow;
    SectionGoal goal;
    std::vector<SectionPart> parts;
    double f0Hz = 0; // what the parts give
    double q = 0;
    double gain = 1; // in the pass band: 1, -1 or 1 + RF / RG
    double f0ErrorPct = 0;
    double qErrorPct = 0;
    double worstPct() const;
    std::vector<double> values() const;
    Biquad biquad() const;
};

// The best `top` parts for a section, ranked by the larger of the relative errors of f0 and Q,
// then the smaller, then by the parts' places in their lists (the smaller capacitors first).
// Resistors and capacitors ascending and positive. Errors are ranked as doubles: f0 has a square
// root and pi in it, so two candidates tie only when their parts give the same products (R1 and
// R2 swapped), and the brute force below computes every error by the same function.
std::vector<SectionDesign> designSection(Circuit circuit, const SectionGoal& goal, std::span<const Decimal> resistors,
                                         std::span<const Decimal> capacitors, int top, const std::stop_token& stop = {},
                                         DesignBudget* budget = nullptr);
// Every combination tried; for checking designSection, slow.
std::vector<SectionDesign> designSectionBruteForce(Circuit circuit, const SectionGoal& goal,
                                                   std::span<const Decimal> resistors,
                                                   std::span<const Decimal> capacitors, int top);

struct FilterDesign {
    FilterGoal goal;
    std::vector<SectionDesign> sections; // empty when a section found no parts
    bool limited = false;                // a search stopped at its budget
};
// The best parts for every section; parts renamed along the cascade (R1 R2 C1 C2, then R3 R4
// C3 C4 ...) so that no name is used twice. Empty sections once `stop` is requested.
FilterDesign designFilter(const FilterGoal& goal, std::span<const Decimal> resistors,
                          std::span<const Decimal> capacitors, const std::stop_token& stop = {},
                          DesignBudget* budget = nullptr);
// The response the chosen parts give, at f.
std::complex<double> designResponse(const FilterDesign& design, double fHz);
// The gain in the pass band: the product of the sections' (-1 for multiple feedback, 1 + RF / RG
// for equal parts). Responses are compared with the ideal, and plotted, divided by its size.
double passBandGain(const FilterDesign& design);

// Points spread evenly on a log scale, both ends included: `perDecade` a decade.
std::vector<double> logFrequencies(double fromHz, double toHz, int perDecade);

// Tolerances in percent.
struct Tolerances {
    double resistorPct = 1;
    double capacitorPct = 5;
};
// The response's extremes in dB at each frequency.
struct Band {
    std::vector<double> lowDb;
    std::vector<double> highDb;
};
// Every corner of a section's parts (each at its low or high end).
Band sectionBand(const SectionDesign& section, const Tolerances& tolerances, std::span<const double> frequencies);
// A whole filter over its nominal pass band's gain: the nominal response and `draws` draws of
// every part uniform within its tolerance, from a fixed seed, so the band is the same on every run.
Band filterBand(const FilterDesign& design, const Tolerances& tolerances, std::span<const double> frequencies,
                int draws = 200, std::uint64_t seed = 1);

// What a plot of a designed filter shows, from a hundredth of the corner to a hundred times it:
// the ideal and the real response (over the pass band's gain), the real phase, and the band over
// the tolerances.
struct FilterCurves {
    std::vector<double> frequencies;
    std::vector<double> idealDb;
    std::vector<double> realDb;
    std::vector<double> realDegrees; // unwrapped, from the phase at the lowest frequency
    Band band;
};
FilterCurves filterCurves(const FilterDesign& design, const Tolerances& tolerances, int perDecade = 50);

// Where a response last crosses 3 dB below its pass band (DC for a low pass, far above the corner
// for a high pass), searched from the far end of the stop band: the corner's own -3 dB point for
// Butterworth and Bessel, beyond the ripple for Chebyshev. Nothing when the response is not below
// half power there, or comes back above it nowhere between a hundredth of fc and a hundred times it.
std::optional<double> halfPowerHz(const FilterGoal& goal, const std::function<std::complex<double>(double)>& response);

double decibels(std::complex<double> h); // 20 log10 |h|
// A level as shown: "-3.0103 dB", and "0 dB" for what only rounding put off zero.
std::string decibelText(double db);
double degrees(std::complex<double> h); // the phase, -180 to 180

// Passive filters from R, L and C.
enum class PassiveForm {
    RcLow,    // R in series, C across the output
    RcHigh,   // C in series, R across the output
    RlLow,    // L in series, R across the output
    RlHigh,   // R in series, L across the output
    LcLow,    // L in series, C across the load R
    LcHigh,   // C in series, L across the load R
    LcBand,   // R in series, L and C in parallel across the output
    RlcLow,   // series R, L and C from the source; the output across C
    RlcHigh,  // across L
    RlcBand,  // across R
    RlcNotch, // across L and C
};
bool usesInductor(PassiveForm form);
bool usesCapacitor(PassiveForm form);
bool isSecondOrder(PassiveForm form);
bool isBandPass(PassiveForm form);
bool isNotch(PassiveForm form);

struct PassiveParts {
    double r = 0;
    double l = 0;
    double c = 0;
};
Biquad passiveBiquad(PassiveForm form, const PassiveParts& parts);

struct PassiveAnswer {
    double f0Hz = 0;
    double q = 0;                   // 0 for first order
    std::vector<double> minus3dbHz; // one for low and high pass, two for band pass and notch
};
PassiveAnswer analysePassive(PassiveForm form, const PassiveParts& parts);

// Standard parts for a passive filter: RC and RL for f0; LC for f0 and Q with the load R given;
// RLC for f0 and Q, R from the resistors. Ranked as designSection. An inductor's list is
// `inductors`, from a series like the others.
struct PassiveDesign {
    PassiveParts parts;
    Decimal r; // the parts as chosen (r as given for LC)
    Decimal l;
    Decimal c;
    double f0Hz = 0;
    double q = 0;
    double f0ErrorPct = 0;
    double qErrorPct = 0;
};
std::vector<PassiveDesign> designPassive(PassiveForm form, const SectionGoal& goal, const Decimal& load,
                                         std::span<const Decimal> resistors, std::span<const Decimal> inductors,
                                         std::span<const Decimal> capacitors, int top, const std::stop_token& stop = {},
                                         DesignBudget* budget = nullptr);

} // namespace values
