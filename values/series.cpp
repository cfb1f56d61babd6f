// SPDX-License-Identifier: MIT
#include "values/series.h"

#include <algorithm>
#include <cctype>

namespace values {

namespace {

// Hundredths for E192 and tenths for E24; the smaller series of each family take every 2nd,
// 4th or 8th value from the first.
constexpr std::array<int, 24> e24{10, 11, 12, 13, 15, 16, 18, 20, 22, 24, 27, 30,
                                  33, 36, 39, 43, 47, 51, 56, 62, 68, 75, 82, 91};
constexpr std::array<int, 192> e192{
    100, 101, 102, 104, 105, 106, 107, 109, 110, 111, 113, 114, 115, 117, 118, 120, 121, 123, 124, 126, 127, 129,
    130, 132, 133, 135, 137, 138, 140, 142, 143, 145, 147, 149, 150, 152, 154, 156, 158, 160, 162, 164, 165, 167,
    169, 172, 174, 176, 178, 180, 182, 184, 187, 189, 191, 193, 196, 198, 200, 203, 205, 208, 210, 213, 215, 218,
    221, 223, 226, 229, 232, 234, 237, 240, 243, 246, 249, 252, 255, 258, 261, 264, 267, 271, 274, 277, 280, 284,
    287, 291, 294, 298, 301, 305, 309, 312, 316, 320, 324, 328, 332, 336, 340, 344, 348, 352, 357, 361, 365, 370,
    374, 379, 383, 388, 392, 397, 402, 407, 412, 417, 422, 427, 432, 437, 442, 448, 453, 459, 464, 470, 475, 481,
    487, 493, 499, 505, 511, 517, 523, 530, 536, 542, 549, 556, 562, 569, 576, 583, 590, 597, 604, 612, 619, 626,
    634, 642, 649, 657, 665, 673, 681, 690, 698, 706, 715, 723, 732, 741, 750, 759, 768, 777, 787, 796, 806, 816,
    825, 835, 845, 856, 866, 876, 887, 898, 909, 920, 931, 942, 953, 965, 976, 988};

struct Table {
    Series series;
    std::string_view name;
    std::vector<Decimal> decade;
};

template <std::size_t N>
std::vector<Decimal> everyNth(const std::array<int, N>& source, std::size_t stride, int exponent)
{
    std::vector<Decimal> values;
    for (std::size_t i = 0; i < N; i += stride)
        values.push_back(Decimal::of(source[i], exponent));
    return values;
}

const std::vector<Table>& tables()
{
    static const std::vector<Table> all{
        {Series::E3, "E3", everyNth(e24, 8, -1)},      {Series::E6, "E6", everyNth(e24, 4, -1)},
        {Series::E12, "E12", everyNth(e24, 2, -1)},    {Series::E24, "E24", everyNth(e24, 1, -1)},
        {Series::E48, "E48", everyNth(e192, 4, -2)},   {Series::E96, "E96", everyNth(e192, 2, -2)},
        {Series::E192, "E192", everyNth(e192, 1, -2)},
    };
    return all;
}

const Table& table(Series series)
{
    return tables()[static_cast<std::size_t>(series)];
}

} // namespace

std::string_view name(Series series)
{
    return table(series).name;
}

int valuesPerDecade(Series series)
{
    return static_cast<int>(table(series).decade.size());
}

std::optional<Series> seriesNamed(std::string_view text)
{
    for (const Table& t : tables()) {
        if (text.size() == t.name.size() && std::equal(text.begin(), text.end(), t.name.begin(), [](char a, char b) {
                return std::toupper(static_cast<unsigned char>(a)) == b;
            }))
            return t.series;
    }
    return std::nullopt;
}

std::span<const Decimal> decade(Series series)
{
    return table(series).decade;
}

std::optional<SeriesSet> seriesSetNamed(std::string_view names)
{
    SeriesSet set;
    while (true) {
        const std::size_t plus = names.find('+');
        const std::optional<Series> series = seriesNamed(names.substr(0, plus));
        if (!series)
            return std::nullopt;
        if (std::find(set.begin(), set.end(), *series) == set.end())
            set.push_back(*series);
        if (plus == std::string_view::npos)
            break;
        names.remove_prefix(plus + 1);
    }
    return set;
}

std::string name(const SeriesSet& set)
{
    std::string text;
    for (const Series series : set) {
        if (!text.empty())
            text += '+';
        text += name(series);
    }
    return text;
}

std::vector<Decimal> valuesInRange(Series series, const Decimal& lo, const Decimal& hi)
{
    return valuesInRange(SeriesSet{series}, lo, hi);
}

std::vector<Decimal> valuesInRange(const SeriesSet& set, const Decimal& lo, const Decimal& hi)
{
    std::vector<Decimal> values;
    if (lo.mantissa <= 0 || hi < lo)
        return values;
    // From the decade below lo's leading digit to hi's; the comparison trims the ends exactly.
    const int first = lo.digits() - 1 + lo.exponent;
    const int last = hi.digits() - 1 + hi.exponent;
    for (const Series series : set) {
        for (int decadeExponent = first; decadeExponent <= last; ++decadeExponent) {
            for (const Decimal& d : decade(series)) {
                const Decimal v = Decimal::of(d.mantissa, d.exponent + decadeExponent);
                if (lo <= v && v <= hi)
                    values.push_back(v);
            }
        }
    }
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    return values;
}

bool contains(Series series, const Decimal& value)
{
    if (value.mantissa <= 0)
        return false;
    // Bring the value into [1, 10) by its exponent alone; the decade then holds it or not.
    const int order = value.digits() - 1 + value.exponent;
    const Decimal inDecade = Decimal::of(value.mantissa, value.exponent - order);
    const std::span<const Decimal> d = decade(series);
    return std::binary_search(d.begin(), d.end(), inDecade);
}

} // namespace values
