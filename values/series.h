// SPDX-License-Identifier: MIT
#pragma once

#include "numeric/decimal.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace values {

// The IEC 60063 series. Hard-coded: E24 and below, and E48 and above, round differently and
// neither follows a formula everywhere (E24's 2.7 ... 4.7 and 8.2, E192's 9.20).
enum class Series { E3, E6, E12, E24, E48, E96, E192 };

inline constexpr std::array<Series, 7> allSeries{Series::E3,  Series::E6,  Series::E12, Series::E24,
                                                 Series::E48, Series::E96, Series::E192};

std::string_view name(Series series);                     // "E24"
int valuesPerDecade(Series series);                       // 3 ... 192
std::optional<Series> seriesNamed(std::string_view text); // "E24" or "e24"; empty when unknown

// One decade of a series, 1 <= value < 10, ascending: E24 gives 1, 1.1, 1.2 ... 9.1.
std::span<const Decimal> decade(Series series);

// Parts are often bought from more than one series, so "E24+E96" names a union.
using SeriesSet = std::vector<Series>;
std::optional<SeriesSet> seriesSetNamed(std::string_view names); // "E24+E96"; empty when any name is unknown
std::string name(const SeriesSet& set);                          // "E24+E96"

// Every value of the series (or union) within [lo, hi], both ends included, ascending and
// without repeats: E192 from 1 to 10M gives 1345 values.
std::vector<Decimal> valuesInRange(Series series, const Decimal& lo, const Decimal& hi);
std::vector<Decimal> valuesInRange(const SeriesSet& set, const Decimal& lo, const Decimal& hi);

// Whether the series holds the value in some decade.
bool contains(Series series, const Decimal& value);

} // namespace values
