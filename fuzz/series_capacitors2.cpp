// SPDX-License-Identifier: MIT
// seriesCapacitors2 on any two texts: C1 x C2 / (C1 + C2) to Double accuracy, or the first failing field's error, or 6
// or 11.
#include "checks.h"

#include "calculators/capacitors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > fuzz::maxInputSize)
        return -1;
    const fuzz::CalculatorInput input = fuzz::calculatorInput(data, size, 2);
    const std::vector<std::string>& f = input.fields;
    fuzz::checkSeriesCapacitors(
        input, fuzz::outcomeOf([&] { return calculators::seriesCapacitors2(f[0], f[1], input.display); }, f));
    return 0;
}
