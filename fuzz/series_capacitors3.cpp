// SPDX-License-Identifier: MIT
// seriesCapacitors3 on any three texts: 1 / (1/C1 + 1/C2 + 1/C3) to Double accuracy, or the first failing field's
// error, or 6 or 11.
#include "checks.h"

#include "calculators/capacitors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > fuzz::maxInputSize)
        return -1;
    const fuzz::CalculatorInput input = fuzz::calculatorInput(data, size, 3);
    const std::vector<std::string>& f = input.fields;
    fuzz::checkSeriesCapacitors(
        input, fuzz::outcomeOf([&] { return calculators::seriesCapacitors3(f[0], f[1], f[2], input.display); }, f));
    return 0;
}
