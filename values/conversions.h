// SPDX-License-Identifier: MIT
#pragma once

#include "numeric/decimal.h"
#include "values/measured.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The conversions a bench asks for between two measurements: decibels and the ratios they stand
// for, signal levels at an impedance, frequency and wavelength, and a value under every prefix.
namespace values {

// Decibels and the power and voltage ratios, any one giving the other two.
enum class Ratio { Decibels, Power, Voltage };
struct Ratios {
    double db = 0;
    double power = 1;
    double voltage = 1;
};
Ratios ratios(Ratio given, double value); // a ratio above zero

// A signal's level, every form from any one, at an impedance; voltages of a sine wave.
enum class Level { Dbm, Dbw, Dbuv, Dbu, Dbv, Watt, VoltRms, VoltPeak, VoltPeakToPeak };
inline constexpr std::size_t levelCount = 9;
using Levels = std::array<double, levelCount>; // by Level
// `value` in dB for the first five, above zero for the others; `impedanceOhm` above zero.
Levels levels(Level given, double value, double impedanceOhm);
std::string_view levelUnit(Level level); // "dBm", "dBµV", "W", "V rms"

// Frequency, period and wavelength in vacuum and in a medium of relative permittivity er
// (velocity factor 1 / √er), any one giving the others.
enum class Wave { Frequency, Period, Wavelength, MediumWavelength, MediumQuarter };
inline constexpr std::size_t waveCount = 5;
using Waves = std::array<double, waveCount>; // by Wave; Hz, s, m
Waves waves(Wave given, double value, double er);
inline constexpr double speedOfLight = 299792458; // m/s, exact
// er from a velocity factor (0 < vf <= 1) and back.
double erOfVelocityFactor(double vf);
double velocityFactorOfEr(double er);

// A value under each prefix from f to T, exactly: 4.7 µ is 4700000000 f ... 0.0000000000000047 T.
struct PrefixForm {
    std::string_view prefix; // "f" ... "µ", "m", "", "k" ... "T"
    std::string digits;      // "4700", "0.0047"
};
std::array<PrefixForm, 10> prefixForms(const Decimal& value);

// What a text asks `voltiva convert` and the Conversions window: which of the above, and the
// number. Levels in dB: "10dBm", "-3 dBW", "60dBuV", "0dBu", "-10dBV"; levels in watts and volts:
// "1W", "500mW", "1V" (RMS), "1Vrms", "1Vpk", "2Vpp"; a gain "3dB" or a ratio "2:1"; a
// frequency "2.4GHz", a period "1ns", a wavelength "300mm" or "0.3m"; anything else the value
// parser reads ("4.7uF", "10k", "100nH") for its prefixes.
struct Conversion {
    enum class Kind { Level, Gain, Ratio, Wave, Prefixes } kind = Kind::Prefixes;
    Level level = Level::Dbm;
    Wave wave = Wave::Frequency;
    double value = 0;
    Decimal exact;     // Prefixes: the value as typed, exactly
    std::string unit;  // Prefixes: the unit typed after it ("F", "Ω", "H"), if any
    std::string error; // the message when the text is none of these
    bool ok() const { return error.empty(); }
};
Conversion parseConversion(std::string_view text, char decimalSeparator = '.');

// A value for its prefixes alone, with the unit typed after it, if any: "4.7uF", "100nH",
// "2.4GHz", "10ms", "1kW"; "m" is milli here, never metres.
Conversion parsePrefixed(std::string_view text, char decimalSeparator = '.');

// A wavelength: "300mm", "0.3m", "2.9979 Mm", a bare number in metres ("m" is the metre).
Measured parseWavelength(std::string_view text, char decimalSeparator = '.');

// A level in dB as typed ("-3", "10.5", "0"): signed, from -500 to 500.
std::optional<double> parseDecibels(std::string_view text, std::string& error, char decimalSeparator = '.');
inline constexpr double maxDecibels = 500;

} // namespace values
