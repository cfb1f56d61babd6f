// SPDX-License-Identifier: MIT
// seriesResistors2 on any two texts: the exact Long total, or the first failing field's error, or 6.
#include "checks.h"

#include "calculators/resistors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > fuzz::maxInputSize)
        return -1;
    const fuzz::CalculatorInput input = fuzz::calculatorInput(data, size, 2);
    const std::vector<std::string>& f = input.fields;
    fuzz::checkSeriesResistors(
        input, fuzz::outcomeOf([&] { return calculators::seriesResistors2(f[0], f[1], input.display); }, f));
    return 0;
}
