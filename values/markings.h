// SPDX-License-Identifier: MIT
#pragma once

#include "numeric/decimal.h"
#include "numeric/parse.h"
#include "values/nearest.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The markings printed on resistors and capacitors, read and written exactly: colour bands
// (IEC 60062, 2016 table), SMD 3- and 4-digit codes, EIA-96, the letter-and-digit (RKM) code
// and the capacitor code.
namespace values {

enum class Colour { Pink, Silver, Gold, Black, Brown, Red, Orange, Yellow, Green, Blue, Violet, Grey, White };

struct ColourFacts {
    Colour colour;
    std::string_view name;            // lower case, as written in output: "grey", never "gray"
    std::optional<int> digit;         // 0-9 on the digit bands
    int multiplierExponent;           // the multiplier band is x 10^this
    std::optional<Decimal> tolerance; // percent, on the tolerance band
    char toleranceLetter;             // the same tolerance as a letter, or 0
    std::optional<int> tcr;           // ppm/K, on the sixth band
};

// In the table's order: pink, silver, gold, then black to white.
const std::array<ColourFacts, 13>& colourTable();
const ColourFacts& facts(Colour colour);
// Any letter case; "gray" is grey.
std::optional<Colour> colourNamed(std::string_view name);

// A tolerance as printed: symmetric or not, in percent or, for the smallest capacitors, picofarads.
struct Tolerance {
    Decimal plus;
    Decimal minus; // its size; equal to plus unless asymmetric (Z: +80/-20 %)
    bool picofarads = false;
    friend bool operator==(const Tolerance&, const Tolerance&) = default;
    static Tolerance percent(Decimal p) { return {p, p, false}; }
    bool symmetricPercent() const { return !picofarads && plus == minus; }
};
// "±5 %", "±0.25 pF", "+80/-20 %" (the minus sign and the narrow no-break space are the
// caller's business: this is ASCII apart from the ±).
std::string describe(const Tolerance& tolerance);

enum class ReadingKind { ColourBands, Rkm, Smd3, Smd4, Eia96, CapacitorCode, PlainValue };
// "colour bands", "RKM", "SMD 3-digit", "SMD 4-digit", "EIA-96", "capacitor code", "value".
std::string_view kindName(ReadingKind kind);

struct Reading {
    ReadingKind kind;
    Decimal value;
    Unit unit; // Ohm or Farad
    std::optional<Tolerance> tolerance;
    std::optional<int> tcr;    // ppm/K
    std::vector<Colour> bands; // the bands read, for colour bands only
    int figures = 0;           // significant digits the marking states, trailing zeros included
};

// The value with its unit and the figures the marking states: "10.0 kΩ", "4.7 nF", "2.00 Ω".
std::string quantity(const Decimal& value, Unit unit, int figures = 0);

struct ReadResult {
    std::vector<Reading> readings; // every reading of the text, each labelled by its kind
    std::string error;             // when there is none: what was not understood
};

// Colour names (3 to 6, separated by blanks, commas or dashes), an RKM code with an optional
// tolerance letter, an SMD 3- or 4-digit code, an EIA-96 code, a capacitor code with an optional
// tolerance letter; a plain value only when the text is none of these.
ReadResult read(std::string_view text, char decimalSeparator = '.');
// The colours of a text made only of colour names, however many; empty when it is not one.
std::optional<std::vector<Colour>> colourWords(std::string_view text);
// The bands alone, in order: 3 to 6 of them.
ReadResult readBands(const std::vector<Colour>& bands);

enum class MarkingKind { Bands4, Bands5, Bands6, Smd3, Smd4, Eia96, Rkm };
inline constexpr std::array<MarkingKind, 7> allMarkingKinds{
    MarkingKind::Bands4, MarkingKind::Bands5, MarkingKind::Bands6, MarkingKind::Smd3,
    MarkingKind::Smd4,   MarkingKind::Eia96,  MarkingKind::Rkm};
// JSON keys: "bands4", "bands5", "bands6", "smd3", "smd4", "eia96", "rkm".
std::string_view keyOf(MarkingKind kind);

struct Marking {
    MarkingKind kind;
    std::vector<Colour> bands; // colour markings; a 4-band marking at ±20 % has 3
    std::string code;          // the other markings
    std::string whyNot;        // set when this marking cannot carry the value
    bool carries() const { return whyNot.empty(); }
};

struct MarkResult {
    std::vector<Marking> markings; // one per MarkingKind, in allMarkingKinds order, unless refused
    std::string error;             // the value is refused by every marking
    std::vector<Nearest> nearest;  // with a refusal for too many digits: the nearest in E24, E96, E192
};

// Resistor markings of a value in ohms at a tolerance in percent, with an optional temperature
// coefficient in ppm/K (only 6 bands carry one).
MarkResult mark(const Decimal& ohms, const Decimal& tolerancePercent, std::optional<int> tcr = std::nullopt);

// The most significant digits any marking holds.
inline constexpr int maxMarkedDigits = 3;

} // namespace values
