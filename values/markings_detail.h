// SPDX-License-Identifier: MIT
#pragma once

// What the markings' bands and codes share; nothing outside values/ includes it.

#include "values/markings.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace values::detail::markings {

Decimal pct(std::int64_t mantissa, int exponent);
char upper(char c);
bool isDigit(char c);
// A whole number of at most 18 digits, or nothing.
std::optional<std::int64_t> digitsValue(std::string_view digits);

std::optional<Tolerance> percentLetter(char letter);
// Below 10 pF a capacitor's B, C and D are absolute; the capacitor code always means them so.
std::optional<Tolerance> capacitorLetter(char letter, bool absolute);
extern const Decimal tenPicofarads;

std::int64_t power10(int n);
// The value as `digits` significant digits times a power of ten: 4.7k with 3 is {470, 1}.
struct Scaled {
    std::int64_t digits;
    int exponent;
};
Scaled scaled(const Decimal& v, int digits);

// The codes, each read into the reading it gives, if any, and written for a value.
std::optional<Reading> readRkm(std::string_view code);
std::optional<Reading> readEia96(std::string_view code);
std::optional<Reading> readSmd(std::string_view code);
std::optional<Reading> readCapacitorCode(std::string_view code);
Marking smd(MarkingKind kind, const Decimal& v);
Marking eia96(const Decimal& v);

} // namespace values::detail::markings
