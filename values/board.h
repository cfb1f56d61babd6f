// SPDX-License-Identifier: MIT
#pragma once

#include "numeric/decimal.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

// Printed-board arithmetic: track width for a current (IPC-2221), a via's barrel, and the
// conductor spacing for a voltage (IPC-2221B table 6-1). Lengths in metres, temperatures in °C.
namespace values {

inline constexpr double copperResistivity = 1.72e-8; // Ωm at 20 °C
inline constexpr double copperTempco = 0.00393;      // per K, from 20 °C
inline constexpr double copperConductivity = 401;    // W/(m K)
inline constexpr double metresPerMil = 25.4e-6;
inline constexpr double externalK = 0.048; // IPC-2221, outer layers
inline constexpr double internalK = 0.024; // IPC-2221, inner layers
inline constexpr double externalMaxA = 35; // where the fitted charts end
inline constexpr double internalMaxA = 17.5;

// A value read from a person's text: the value, or the message saying what to write instead.
struct QuantityReading {
    std::optional<Decimal> value;
    std::string error;
};

// What a bare number means where no unit is written.
enum class BareLength {
    Millimetre, // "1.6" is 1.6 mm (holes, pads, board thickness, track length and width)
    Micrometre, // "25" is 25 µm (plating, copper)
};

// A length in metres, exactly: "0.3mm", "35um", "35 µm", "12mil", "0.1in", "2.5cm"; a number with
// an SI prefix and no unit is in metres ("25u" is 25 µm, "1.6m" is 1.6 mm, as the value parser
// reads "m"); a bare number is in `bare`. With `copperWeight`, "1oz" (35 µm per oz/ft²) too.
// Refuses zero, negatives, nan, inf and units of anything else.
QuantityReading parseLength(std::string_view text, BareLength bare, bool copperWeight = false,
                            char decimalSeparator = '.');

// A temperature in °C ("20", "20 °C", "20C"); negatives and zero only with `signedValue`
// (an ambient), never below absolute zero. A rise must be above zero.
QuantityReading parseTemperature(std::string_view text, bool signedValue, char decimalSeparator = '.');

// A peak voltage between conductors, zero or more: "48", "48 V", "1.2k", "0".
QuantityReading parseVoltage(std::string_view text, char decimalSeparator = '.');

// Copper resistance of a conductor of this section and length at a temperature.
double copperResistance(double lengthM, double sectionM2, double temperatureC);

// IPC-2221: I = k dT^0.44 A^0.725, A in mil².
double ipcCurrent(double areaMil2, double riseC, bool internal);
double ipcArea(double currentA, double riseC, bool internal); // its inverse

// Where the IPC-2221 curves were fitted; answers outside are marked, not refused.
struct FitLimits {
    bool current = false; // above 35 A, or 17.5 A on an inner layer (the chart's inner curves end there)
    bool width = false;   // above 400 mil (10.16 mm)
    bool rise = false;    // outside 10-100 °C
    bool copper = false;  // outside 0.5-3 oz (17.5-105 µm)
    bool any() const { return current || width || rise || copper; }
};

struct Track {
    double thicknessM = 35e-6;
    double riseC = 10;
    double ambientC = 20;
    double lengthM = 0; // 0: no length, so no resistance
    bool internal = false;
};

struct TrackResult {
    double widthM = 0;
    double widthMil = 0;
    double areaMil2 = 0;
    double currentA = 0;
    double temperatureC = 0;             // ambient + rise, where the resistance is taken
    std::optional<double> resistanceOhm; // with a length
    std::optional<double> dropV;
    std::optional<double> lossW;
    FitLimits outside;
};

// The narrowest track for a current, or the current a track of this width carries.
TrackResult trackForCurrent(double currentA, const Track& track);
TrackResult trackForWidth(double widthM, const Track& track);

struct Via {
    double holeM = 0.3e-3;   // finished hole
    double platingM = 25e-6; // barrel wall
    double lengthM = 1.6e-3; // board thickness
    double padM = 0.6e-3;
    double antipadM = 1e-3; // clearance in the planes
    double er = 4.5;
    double riseC = 10;
    std::optional<double> currentA; // for the drop and the loss
};

// The input a via's formulas cannot take, named for the message beside its field.
enum class ViaField { None, Pad, Antipad, Length, Er };
struct ViaCheck {
    ViaField field = ViaField::None;
    std::string message;
};
ViaCheck checkVia(const Via& via);

struct ViaResult {
    double sectionM2 = 0;
    double resistanceOhm = 0; // at 20 °C
    std::optional<double> dropV;
    std::optional<double> lossW;
    double currentA = 0; // IPC-2221, outer-layer k, on the barrel's section
    double thermalKPerW = 0;
    double capacitanceF = 0;
    double inductanceH = 0;
};
ViaResult via(const Via& via); // the via passes checkVia

// IPC-2221B table 6-1.
inline constexpr int spacingCategoryCount = 7;

struct SpacingCategory {
    const char* code;        // "B1"
    const char* description; // "Internal conductors"
};
const std::array<SpacingCategory, spacingCategoryCount>& spacingCategories();

struct SpacingRow {
    int fromV;                                        // 0, 16, 31, ...; 501 for the per-volt rule
    int toV;                                          // 15, 30, 50, ...; 0 for the per-volt rule
    std::array<const char*, spacingCategoryCount> mm; // "0.05"; per volt above 500 V in the last row
};
const std::array<SpacingRow, 10>& spacingTable();

struct SpacingResult {
    int row = 0;                                       // into spacingTable(); 9 above 500 V
    std::array<double, spacingCategoryCount> metres{}; // nearest doubles to the exact spacings
};

// Voltage peak between the conductors (DC or AC peak), zero or more. A voltage between two rows'
// whole volts (15.5) takes the higher row. Above 500 V: the 500 V row plus the per-volt figure
// for each volt above 500.
SpacingResult spacing(const Decimal& voltage);

// The same for an AC voltage given as its RMS, whose peak is V sqrt 2: 230 V mains peaks at
// 325.27 V, in the 301-500 V row. The peak is worked out to 113 bits, far finer than any RMS typed
// comes to a row's end, so the row is the exact peak's.
struct RmsSpacing {
    double peakV = 0;
    SpacingResult spacing;
};
RmsSpacing spacingForRms(const Decimal& rms);

} // namespace values
