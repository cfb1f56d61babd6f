// SPDX-License-Identifier: MIT
// Every calculator of the catalogue, one at a time: VOLTIVA_FUZZ_SCREEN names the screen whose
// arithmetic runs on any texts, as many as it reads, judged by that screen's check. Each either
// writes its line or raises the first failing field's error, or Overflow (or Division by zero
// where it divides). Replay a kept input with VOLTIVA_FUZZ_SCREEN=<screen> fuzz_calculator <file>.
#include "checks.h"

#include "calculators/catalogue.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

using Check = void (*)(const fuzz::CalculatorInput&, const fuzz::Outcome&);

// What each calculator must have computed, by screen.
const struct {
    const char* screen;
    Check check;
} judges[] = {
    {"frmSerRes2", fuzz::checkSeriesResistors},   // the exact Long total
    {"frmSerRes3", fuzz::checkSeriesResistors},   //
    {"frmParRes", fuzz::checkParallelResistors},  // R1 x (R2 / (R1 + R2)) rounded once
    {"frmSerCap2", fuzz::checkSeriesCapacitors},  // C1 x C2 / (C1 + C2) to Double accuracy
    {"frmSerCap3", fuzz::checkSeriesCapacitors},  // 1 / (1/C1 + 1/C2 + 1/C3) likewise
    {"frmParCap", fuzz::checkParallelCapacitors}, // the exact Currency sum
    {"frmVoltageDiv", fuzz::checkVoltageDivider}, // V in x (R2 / (R1 + R2)) rounded once
};

Check judgeOf(std::string_view screen)
{
    for (const auto& judge : judges) {
        if (screen == judge.screen)
            return judge.check;
    }
    return nullptr;
}

const calculators::Calculator* target = nullptr;
Check check = nullptr;

[[noreturn]] void refuse(const char* what, const char* screen)
{
    std::fprintf(stderr, "fuzz_calculator: %s %s\n", what, screen ? screen : "(VOLTIVA_FUZZ_SCREEN is not set)");
    std::exit(1);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // A calculator added to the catalogue without a judge would go unfuzzed.
    for (const calculators::Calculator& c : calculators::catalogue()) {
        if (!judgeOf(c.name()))
            refuse("no judge for", c.name());
    }
    const char* screen = std::getenv("VOLTIVA_FUZZ_SCREEN");
    target = screen ? calculators::findCalculator(screen) : nullptr;
    if (!target)
        refuse("no calculator", screen);
    check = judgeOf(screen);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > fuzz::maxInputSize)
        return -1;
    const fuzz::CalculatorInput input = fuzz::calculatorInput(data, size, target->fields.size());
    check(input, fuzz::outcomeOf([&] { return target->arithmetic(input.fields, input.display); }, input.fields));
    return 0;
}
