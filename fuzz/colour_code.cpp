// SPDX-License-Identifier: MIT
// readColourCode on any four texts: never an error; a prompt for each unrecognised band, in
// band order; the value line whole or empty, spelling the two digits and the multiplier's zeros;
// the tolerance line whole or empty.
#include "support.h"

#include "arithmetic/colourcode.h"

#include <array>

namespace {

constexpr std::array<std::string_view, 10> colours{"Black", "Brown", "Red",    "Orange", "Yellow",
                                                   "Green", "Blue",  "Violet", "Gray",   "White"};
constexpr std::array<std::pair<std::string_view, std::string_view>, 3> tolerances{
    {{"Gold", "5"}, {"Silver", "10"}, {"None", "20"}}};

std::optional<std::size_t> colourIndex(std::string_view text)
{
    for (std::size_t k = 0; k < colours.size(); ++k) {
        if (colours[k] == text)
            return k;
    }
    return std::nullopt;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > fuzz::maxInputSize)
        return -1;
    // The separator and precision bytes mean nothing here but keep one input layout for all.
    const fuzz::CalculatorInput input = fuzz::calculatorInput(data, size, 4);
    const std::vector<std::string>& f = input.fields;
    arithmetic::ColourCodeReading reading;
    if (fuzz::errorOf([&] { reading = arithmetic::readColourCode(f[0], f[1], f[2], f[3]); }))
        fuzz::fail("the colour code raised an error", f);

    std::vector<std::string> prompts;
    std::array<std::optional<std::size_t>, 3> bands;
    for (std::size_t k = 0; k < bands.size(); ++k) {
        bands[k] = colourIndex(f[k]);
        if (!bands[k])
            prompts.push_back("Pick a color for Band " + std::to_string(k + 1));
    }
    std::string_view percent;
    for (const auto& [name, value] : tolerances) {
        if (name == f[3])
            percent = value;
    }
    if (percent.empty())
        prompts.emplace_back("Enter a Tolerance value");
    if (reading.prompts != prompts)
        fuzz::fail("the prompts are not one per unrecognised band in order", f);
    std::optional<int> first;
    for (int k = 0; k < 3 && !first; ++k) {
        if (!bands[static_cast<std::size_t>(k)])
            first = k;
    }
    if (!first && percent.empty())
        first = 3;
    if (reading.firstUnrecognised != first)
        fuzz::fail("the list to mend is not the first unrecognised one", f);

    std::string value;
    if (bands[0] && bands[1] && bands[2]) {
        value = "Resistor Value= " + std::to_string(*bands[0]) + std::to_string(*bands[1]) +
            std::string(*bands[2], '0') + " Ohms";
    }
    if (reading.valueLine != value)
        fuzz::fail("value line \"" + reading.valueLine + "\" should be \"" + value + "\"", f);
    const std::string tolerance =
        percent.empty() ? "" : "Tolerance = +/- " + std::string(percent) + "% of resistor's measured value";
    if (reading.toleranceLine != tolerance)
        fuzz::fail("tolerance line \"" + reading.toleranceLine + "\" should be \"" + tolerance + "\"", f);
    return 0;
}
