// SPDX-License-Identifier: MIT
// parallelResistors on any two texts: R1 x (R2 / (R1 + R2)) rounded once, or the first failing field's error, or 6
// or 11.
#include "checks.h"

#include "calculators/resistors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > fuzz::maxInputSize)
        return -1;
    const fuzz::CalculatorInput input = fuzz::calculatorInput(data, size, 2);
    const std::vector<std::string>& f = input.fields;
    fuzz::checkParallelResistors(
        input, fuzz::outcomeOf([&] { return calculators::parallelResistors(f[0], f[1], input.display); }, f));
    return 0;
}
