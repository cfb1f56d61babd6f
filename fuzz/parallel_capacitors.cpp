// SPDX-License-Identifier: MIT
// parallelCapacitors on any two texts: the exact Currency sum, or the first failing field's error, or 6.
#include "checks.h"

#include "calculators/capacitors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > fuzz::maxInputSize)
        return -1;
    const fuzz::CalculatorInput input = fuzz::calculatorInput(data, size, 2);
    const std::vector<std::string>& f = input.fields;
    fuzz::checkParallelCapacitors(
        input, fuzz::outcomeOf([&] { return calculators::parallelCapacitors(f[0], f[1], input.display); }, f));
    return 0;
}
