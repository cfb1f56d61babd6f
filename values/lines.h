// SPDX-License-Identifier: MIT
#pragma once

#include "values/measured.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

// Transmission lines on boards and in cables: each cross-section's characteristic impedance from
// its published closed form, the line's delay and loss at a frequency, the width (or gap) for an
// impedance, and the impedance's range over the board house's tolerances. Lengths in metres.
namespace values::lines {

inline constexpr double eta0 = 376.730313668; // Ω, the wave impedance of free space
inline constexpr double c0 = 299792458;       // m/s, exact
inline constexpr double mu0 = eta0 / c0;      // H/m

// Each cross-section as a field solver would take it too: conductors and dielectric in metres,
// er the dielectric's relative permittivity. Planar conductors are t thick (0: a thin sheet).
struct Microstrip { // a strip w wide on a substrate h thick over a plane
    double w = 0, h = 0, t = 0, er = 1;
};
struct Stripline { // a strip in the middle between planes b apart
    double w = 0, b = 0, t = 0, er = 1;
};
struct OffsetStripline { // the strip's underside h above the lower of planes b apart
    double w = 0, b = 0, h = 0, t = 0, er = 1;
};
struct Cpw { // a strip between grounds s away on either side, on a substrate h, no plane under it
    double w = 0, s = 0, h = 0, t = 0, er = 1;
};
struct Gcpw { // the same over a plane under the substrate
    double w = 0, s = 0, h = 0, t = 0, er = 1;
};
struct CoupledMicrostrip { // two strips w wide, s apart, on a substrate h over a plane
    double w = 0, s = 0, h = 0, t = 0, er = 1;
};
struct CoupledStripline { // two strips w wide, s apart, in the middle between planes b apart
    double w = 0, s = 0, b = 0, t = 0, er = 1;
};
struct Coax { // an inner conductor d across in a shield D across inside
    double d = 0, D = 0, er = 1;
};
struct TwistedPair { // two round wires d across with their centres D apart
    double d = 0, D = 0, er = 1;
};
using Line = std::variant<Microstrip, Stripline, OffsetStripline, Cpw, Gcpw, CoupledMicrostrip, CoupledStripline, Coax,
                          TwistedPair>;

// In the order of Line's alternatives.
enum class Type {
    Microstrip,
    Stripline,
    OffsetStripline,
    Cpw,
    Gcpw,
    CoupledMicrostrip,
    CoupledStripline,
    Coax,
    TwistedPair
};
inline constexpr std::size_t typeCount = std::variant_size_v<Line>;

inline Type typeOf(const Line& line)
{
    return static_cast<Type>(line.index());
}
bool coupled(Type type);
Line lineOf(Type type); // every dimension 0, er 1

// A dimension by what it is, so the fields, the options, the tolerances and the synthesis act on
// every type alike. Coax and twisted pair have the conductor's diameter d and the outer D. Er is no
// dimension: it names the permittivity where a message belongs beside it.
enum class Dim { W, S, H, B, T, D, Outer, Er };
std::span<const Dim> dimsOf(Type type); // in the order the window and the command list them
double get(const Line& line, Dim dim);  // 0 for a dimension the type has not
void set(Line& line, Dim dim, double metres);
double er(const Line& line);
void setEr(Line& line, double er);

// The names: "microstrip" for the command line, "Microstrip" for people.
struct TypeName {
    const char* command;
    const char* shown;
};
const TypeName& typeName(Type type);
std::optional<Type> typeNamed(std::string_view command);

// Each type's model as it is shown: its source and its stated accuracy.
struct Model {
    const char* name;     // "Hammerstad and Jensen (1980), dispersion by Kirschning and Jansen (1982)"
    const char* accuracy; // "Z0 within 0.03 % ..."
};
const Model& model(Type type);

// The geometry a model takes, or the dimension to change and why: a geometry that does not exist
// (a strip thicker than its planes' spacing) or one outside the model's stated range, with the
// range in the message.
struct Refusal {
    Dim dim = Dim::W;
    std::string message;
};
std::optional<Refusal> refusal(const Line& line);

// Quasi-static: a single line's impedance and effective permittivity, or a coupled pair's odd
// mode (line) and even mode. Z diff = 2 Z odd, Z common = Z even / 2. The line passes refusal().
struct Mode {
    double z0 = 0;
    double erEff = 0;
};
struct Impedance {
    Mode line;
    std::optional<Mode> even;
};
Impedance impedance(const Line& line);

// The one figure a type is designed for: Z0, or a coupled pair's Z diff.
double designed(const Impedance& z);

// What else the analysis takes: the dielectric's loss tangent, the frequency, and a length for the
// whole line's delay and loss (0: per length only).
struct Conditions {
    double tanD = 0;
    double frequencyHz = 1e9;
    double lengthM = 0;
};

struct ModeAnswer {
    Mode mode;
    double erEffAtF = 0;                   // with dispersion where the model has it
    double delaySPerM = 0;                 // sqrt(er eff) / c
    double wavelengthM = 0;                // at the frequency, in the line
    std::optional<double> conductorDbPerM; // none for a planar conductor of no thickness
    double dielectricDbPerM = 0;
};
struct Analysis {
    ModeAnswer line; // or the odd mode
    std::optional<ModeAnswer> even;
    double skinDepthM = 0;
    bool dispersionOutside = false; // f h beyond the dispersion formula's range
};
Analysis analyse(const Line& line, const Conditions& conditions);

// The dimension (the width, or a coupled pair's gap) that gives `goalOhm` (Z0, or Z diff), to 1e-6
// relative in the impedance, within the model's range; then rounded to `stepM`.
struct Synthesis {
    double exactM = 0;
    double roundedM = 0;
    double roundedOhm = 0; // the rounded dimension's impedance
    std::string error;     // when no dimension in the model's range gives the goal
};
Synthesis synthesise(const Line& line, Dim solveFor, double goalOhm, double stepM);
inline constexpr double synthesisTolerance = 1e-6;

// A fabrication tolerance: an amount in metres (in er's own units for er), or a share of the value.
struct Spread {
    double amount = 0;
    bool relative = false;
    double of(double value) const { return relative ? value * amount : amount; }
};
struct Tolerances {
    Spread width{0.025e-3};   // w and s (gaps), d for round conductors
    Spread height{0.1, true}; // h and b, D for round lines
    Spread er{0.2};
    Spread thickness{};
};
// What a tolerance moves.
enum class Toleranced { Width, Height, Er, Thickness };
Toleranced toleranced(Dim dim);

// The least and the most of each mode's impedance over every corner of the tolerances: each model
// moves one way with each dimension, so the corners bound it. Nothing, with the tolerance to change
// and why, when a corner leaves a geometry that does not exist.
struct Band {
    double lo = 0;
    double hi = 0;
};
struct Bands {
    Band line;
    std::optional<Band> even;
    std::optional<Toleranced> refused;
    std::string error;
};
Bands bands(const Line& line, const Tolerances& tolerances);

// Common laminates; any value may be typed instead.
struct Material {
    const char* name;
    double er;
    double tanD;
};
std::span<const Material> materials();

// Copper's skin depth at a frequency: sqrt(rho / (pi f mu0)).
double skinDepth(double frequencyHz);

// What people type for these; a message quotes what was typed.
// A length as the board page reads it ("3", "3mm", "120mil", "35um", "0.1in"; a bare number in mm),
// from 0.1 µm to 1 m; zero too where `zero`.
Measured parseLineLength(std::string_view text, bool zero = false, char decimalSeparator = '.');
// A relative permittivity from 1 to 200.
Measured parsePermittivity(std::string_view text, char decimalSeparator = '.');
// A loss tangent from 0 to 1: "0.02", "0".
Measured parseLossTangent(std::string_view text, char decimalSeparator = '.');
// A frequency, "1G", "2.4GHz", "100 MHz", from 1 Hz to 1 THz.
Measured parseFrequency(std::string_view text, char decimalSeparator = '.');
// An impedance from 1 to 1000 Ω: "50", "50 Ω", "100ohm".
Measured parseImpedance(std::string_view text, char decimalSeparator = '.');
// An etched side's lean from upright, in degrees from 0 to 60: "0", "30", "30°".
Measured parseEtchAngle(std::string_view text, char decimalSeparator = '.');
// A tolerance: a share ("10%") or an amount ("0.025mm", "1mil"; a bare number is in mm), zero
// allowed; for er (`length` false) a bare number is in er's own units.
struct SpreadReading {
    std::optional<Spread> spread;
    std::string error;
};
SpreadReading parseSpread(std::string_view text, bool length, char decimalSeparator = '.');

} // namespace values::lines
