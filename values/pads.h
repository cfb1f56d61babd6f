// SPDX-License-Identifier: MIT
#pragma once

#include "numeric/decimal.h"
#include "values/series.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace values {

// Matched resistive attenuators between two ports of impedance Z, with K = 10^(A / 20):
// Pi: two shunts Z (K + 1) / (K - 1), series Z (K² - 1) / (2 K);
// T: two series arms Z (K - 1) / (K + 1), shunt 2 Z K / (K² - 1);
// bridged T: two arms Z, bridge Z (K - 1), shunt Z / (K - 1).
enum class PadKind { Pi, Tee, BridgedTee };

inline constexpr std::array<PadKind, 3> allPads{PadKind::Pi, PadKind::Tee, PadKind::BridgedTee};

std::string_view name(PadKind kind); // "Pi", "T", "Bridged T"

struct PadResistor {
    std::string_view role; // "shunt", "series", "arm", "bridge"
    int count = 1;         // how many the pad has of it: a Pi's two shunts
    // K is irrational for most attenuations, so the ideal value is the double nearest it (a
    // double-double evaluation, about 31 digits, rounded once), not an exact decimal.
    double exact = 0;
    Decimal standard; // the nearest value of the series to it
};

// The pad as built from the standard values, terminated in Z; decided in exact rational
// arithmetic, then rounded to doubles.
struct PadPerformance {
    double db = 0;  // 20 log10 (V in / V out)
    double zIn = 0; // ohms
    // -20 log10 |(Z in - Z) / (Z in + Z)|; empty when Z in is exactly Z, an infinite return loss.
    std::optional<double> returnLossDb;
};

struct Pad {
    PadKind kind = PadKind::Pi;
    std::vector<PadResistor> resistors; // Pi: shunt, series; T: series, shunt; bridged T: arm, bridge, shunt
    PadPerformance standard;
};

inline constexpr int maxPadDb = 200;

// The attenuation as typed ("6", "6 dB", "10.5dB"); above 0 and at most maxPadDb.
struct ParsedAttenuation {
    std::optional<Decimal> db;
    std::string error; // names what was typed
};
ParsedAttenuation parseAttenuation(std::string_view text, char decimalSeparator = '.');

// The three pads for an attenuation (0 < db <= maxPadDb) and an impedance (any value parse() gives).
std::array<Pad, 3> designPads(const Decimal& db, const Decimal& z, Series series);

// A pad built from these resistors (in the order of Pad::resistors), terminated in z.
PadPerformance analysePad(PadKind kind, std::span<const Decimal> resistors, const Decimal& z);

} // namespace values
