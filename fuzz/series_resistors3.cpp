// SPDX-License-Identifier: MIT
// seriesResistors3 on any three texts: the exact Long total, or the first failing field's error, or 6.
#include "checks.h"

#include "calculators/resistors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > fuzz::maxInputSize)
        return -1;
    const fuzz::CalculatorInput input = fuzz::calculatorInput(data, size, 3);
    const std::vector<std::string>& f = input.fields;
    fuzz::checkSeriesResistors(
        input, fuzz::outcomeOf([&] { return calculators::seriesResistors3(f[0], f[1], f[2], input.display); }, f));
    return 0;
}
