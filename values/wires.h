// SPDX-License-Identifier: MIT
#pragma once

#include "values/board.h"
#include "values/measured.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

// Wires and cables: the AWG and metric sizes, a conductor's resistance at a temperature, the
// voltage drop of a cable run and the smallest size that keeps it under a limit, and the current
// that melts a wire or a track. Lengths in metres, sections in m², temperatures in °C.
namespace values {

enum class Metal { Copper, Aluminium };

struct MetalData {
    const char* name;   // "copper"
    double resistivity; // Ωm at 20 °C
    double tempco;      // per K, from 20 °C
};
// Copper 1.7241e-8 Ωm (the annealed standard, IACS), 0.00393/K; aluminium 2.8264e-8 Ωm (61 %
// IACS), 0.00403/K.
const MetalData& metalData(Metal metal);

// AWG 0000 is gauge -3, 000 is -2, 00 is -1.
inline constexpr int awgThickest = -3;
inline constexpr int awgThinnest = 40;

// d = 0.127 mm x 92^((36 - n) / 39).
double awgDiameter(int gauge);
double roundArea(double diameterM); // π d² / 4
std::string awgName(int gauge);     // "24", "0", "0000"

// One size of a table: an AWG gauge or an IEC 60228 metric section.
struct WireSize {
    int awg = 0;             // the gauge, for an AWG size
    const char* metric = ""; // "2.5" (mm²), for a metric size
    double areaM2 = 0;
    double diameterM = 0; // of a solid round conductor of that section
    bool isAwg() const { return metric[0] == '\0'; }
};
// Each table in order of section, the thinnest first: AWG 40 to 0000, metric 0.14 to 240 mm².
std::span<const WireSize> awgSizes();
std::span<const WireSize> metricSizes();
std::string sizeName(const WireSize& size); // "AWG 24", "2.5 mm²"
// With an AWG size its section, "AWG 24 (0.20473 mm²)"; "none" for no size.
std::string sizeText(const WireSize* size);

// The sizes of a table around a section: the thinnest at or above it and the thickest below it.
struct Around {
    const WireSize* above = nullptr; // nothing above the table's thickest
    const WireSize* below = nullptr;
};
Around around(std::span<const WireSize> table, double areaM2);

// Ω per metre of a conductor of this section at a temperature (linear in the temperature).
double resistancePerMetre(Metal metal, double areaM2, double temperatureC);

inline constexpr double metresPerFoot = 0.3048;
inline constexpr double m2PerCircularMil = 5.067074790974977e-10; // π/4 x (25.4 µm)²

// How a load is fed: the current goes out and back in both conductors (DC and single-phase AC)
// or, balanced over three phases, the line-to-line drop is √3 times one conductor's.
enum class Feed { Dc, SinglePhase, ThreePhase };

struct Cable {
    double lengthM = 10; // one way
    double currentA = 1;
    Metal metal = Metal::Copper;
    Feed feed = Feed::Dc;
    double temperatureC = 20;
};

struct Drop {
    double resistanceOhm = 0; // both conductors (DC, single-phase), one conductor (three-phase)
    double dropV = 0;
    double lossW = 0;
};
Drop cableDrop(const Cable& cable, double areaM2);

// The thinnest size of the table whose drop is at most `limitV`; none when even the thickest
// drops more.
const WireSize* smallestSize(std::span<const WireSize> table, const Cable& cable, double limitV);

// Onderdonk's equation for copper from `ambientC` to its melting point (1083 °C) in `timeS`:
// I = A √(log10((Tm - Ta) / (234 + Ta) + 1) / (33 t)), A in circular mils. No heat leaves the
// copper, so it holds for short times (up to about 10 s).
double onderdonkCurrent(double areaM2, double timeS, double ambientC);
inline constexpr double copperMeltingC = 1083;
// Preece's equation for a round copper wire in open air, melting in the long run:
// I = 10244 d^1.5, d in inches.
double preeceCurrent(double diameterM);

// What people type for each of these; a message quotes what was typed.
// A gauge: "24", "AWG 24", "24 AWG", "0000", "4/0".
struct GaugeReading {
    std::optional<int> gauge;
    std::string error;
};
GaugeReading parseGauge(std::string_view text);
// A section: "2.5", "2.5mm2", "2.5 mm²", "404cmil", "250 kcmil", "250MCM"; a bare number in mm².
Measured parseSection(std::string_view text, char decimalSeparator = '.');
// A cable's length: "10", "10m", "2.5 km", "500mm", "30ft"; a bare number in metres (unlike the
// lengths on a board, where "m" would be milli).
Measured parseCableLength(std::string_view text, char decimalSeparator = '.');
// A wire's diameter as lengths on a board are read: "0.5", "0.5mm", "20mil"; a bare number in mm.
Measured parseDiameter(std::string_view text, char decimalSeparator = '.');
// A temperature ("20", "-40 °C") from lo to hi °C.
Measured parseTemperatureIn(std::string_view text, double lo, double hi, char decimalSeparator = '.');

// The drop allowed: a percentage of the supply ("3", "3%", from above 0 to 50 %) or volts
// ("0.5V", "500mV").
struct DropLimit {
    std::optional<double> share; // 0.03 for 3 %
    std::optional<double> volts;
    std::string error;
};
DropLimit parseDropLimit(std::string_view text, char decimalSeparator = '.');

// The limits the answers are given for; outside them a reading is refused, saying so.
inline constexpr double minSectionM2 = 1e-12, maxSectionM2 = 1e-2; // 1 µm² to 10000 mm²
inline constexpr double minDiameterM = 1e-6, maxDiameterM = 0.1;   // 1 µm to 100 mm
inline constexpr double minCableM = 1e-3, maxCableM = 1e5;         // 1 mm to 100 km
inline constexpr double minWireC = -200, maxWireC = 500;           // where the tempco holds
inline constexpr double minFuseS = 1e-3, maxFuseS = 100;           // 1 ms to 100 s
inline constexpr double minFuseAmbientC = -100, maxFuseAmbientC = 500;

} // namespace values
