// SPDX-License-Identifier: MIT
// voltageDivider on any three texts: V in x (R2 / (R1 + R2)) rounded once, or the first failing field's error, or 6
// or 11.
#include "checks.h"

#include "calculators/divider.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > fuzz::maxInputSize)
        return -1;
    const fuzz::CalculatorInput input = fuzz::calculatorInput(data, size, 3);
    const std::vector<std::string>& f = input.fields;
    fuzz::checkVoltageDivider(
        input, fuzz::outcomeOf([&] { return calculators::voltageDivider(f[0], f[1], f[2], input.display); }, f));
    return 0;
}
