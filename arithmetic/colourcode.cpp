// SPDX-License-Identifier: MIT
#include "arithmetic/colourcode.h"

#include "runtime/text.h"

#include <array>
#include <cstdint>
#include <optional>

namespace arithmetic {

namespace {

struct Colour {
    const char* name;
    std::int16_t digit;
    const char* zeros;
};

constexpr std::array<Colour, 10> colours{{
    {"Black", 0, ""},
    {"Brown", 1, "0"},
    {"Red", 2, "00"},
    {"Orange", 3, "000"},
    {"Yellow", 4, "0000"},
    {"Green", 5, "00000"},
    {"Blue", 6, "000000"},
    {"Violet", 7, "0000000"},
    {"Gray", 8, "00000000"},
    {"White", 9, "000000000"},
}};

struct Tolerance {
    const char* name;
    const char* percent;
};

constexpr std::array<Tolerance, 3> tolerances{{{"Gold", "5%"}, {"Silver", "10%"}, {"None", "20%"}}};

template <class Row, std::size_t N>
const Row* lookUp(const std::array<Row, N>& table, std::string_view text)
{
    for (const Row& row : table) {
        if (runtime::StrCmp(text, row.name) == 0)
            return &row;
    }
    return nullptr;
}

} // namespace

ColourCodeReading readColourCode(std::string_view band1, std::string_view band2, std::string_view band3,
                                 std::string_view tolerance)
{
    ColourCodeReading reading;
    auto recognise = [&reading](int list, auto found, const char* prompt) {
        if (!found) {
            reading.prompts.emplace_back(prompt);
            if (!reading.firstUnrecognised)
                reading.firstUnrecognised = list;
        }
        return found;
    };
    const Colour* first = recognise(0, lookUp(colours, band1), "Pick a color for Band 1");
    const Colour* second = recognise(1, lookUp(colours, band2), "Pick a color for Band 2");
    const Colour* zeros = recognise(2, lookUp(colours, band3), "Pick a color for Band 3");
    const Tolerance* percent = recognise(3, lookUp(tolerances, tolerance), "Enter a Tolerance value");

    // A line built from some of its bands would state a wrong value: write it whole or not at all.
    if (first && second && zeros) {
        runtime::Variant value = runtime::VarCat(std::string("Resistor Value= "), first->digit);
        value = runtime::VarCat(value, second->digit);
        reading.valueLine = runtime::StrCat(runtime::StrCat(runtime::StrVarVal(value), zeros->zeros), " Ohms");
    }
    if (percent) {
        reading.toleranceLine =
            runtime::StrCat(runtime::StrCat("Tolerance = +/- ", percent->percent), " of resistor's measured value");
    }
    return reading;
}

} // namespace arithmetic
