// SPDX-License-Identifier: MIT
// One target per calculator, picked when it is built (VOLTIVA_FUZZ_CALCULATOR names an entry
// below): the arithmetic on any texts, as many as it reads, judged by its check. Each either
// writes its line or raises the first failing field's error, or 6 (or 11 where it divides).
#include "checks.h"

#include "calculators/capacitors.h"
#include "calculators/divider.h"
#include "calculators/resistors.h"

namespace {

using calculators::arithmeticOf;

struct Target {
    std::size_t fields;
    calculators::Arithmetic arithmetic;
    void (*check)(const fuzz::CalculatorInput&, const fuzz::Outcome&);
};

// The exact Long total.
const Target series_resistors2{2, arithmeticOf(calculators::seriesResistors2), fuzz::checkSeriesResistors};
const Target series_resistors3{3, arithmeticOf(calculators::seriesResistors3), fuzz::checkSeriesResistors};
// R1 x (R2 / (R1 + R2)) rounded once.
const Target parallel_resistors{2, arithmeticOf(calculators::parallelResistors), fuzz::checkParallelResistors};
// C1 x C2 / (C1 + C2) and 1 / (1/C1 + 1/C2 + 1/C3) to Double accuracy.
const Target series_capacitors2{2, arithmeticOf(calculators::seriesCapacitors2), fuzz::checkSeriesCapacitors};
const Target series_capacitors3{3, arithmeticOf(calculators::seriesCapacitors3), fuzz::checkSeriesCapacitors};
// The exact Currency sum.
const Target parallel_capacitors{2, arithmeticOf(calculators::parallelCapacitors), fuzz::checkParallelCapacitors};
// V in x (R2 / (R1 + R2)) rounded once.
const Target voltage_divider{3, arithmeticOf(calculators::voltageDivider), fuzz::checkVoltageDivider};

const Target& target = VOLTIVA_FUZZ_CALCULATOR;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > fuzz::maxInputSize)
        return -1;
    const fuzz::CalculatorInput input = fuzz::calculatorInput(data, size, target.fields);
    target.check(input, fuzz::outcomeOf([&] { return target.arithmetic(input.fields, input.display); }, input.fields));
    return 0;
}
