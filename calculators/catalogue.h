// SPDX-License-Identifier: MIT
#pragma once

#include "arithmetic/calculation.h"
#include "shell/layout.h"
#include "shell/project.h"

#include <array>
#include <string_view>
#include <vector>

namespace calculators {

// One calculator screen as everything that drives it sees it: the screen, the window tests,
// the stress and caption tests, the benchmark and the fuzz targets. Its Calculate reads the
// fields in order, hands their texts to the arithmetic and writes the result label.
struct Calculator {
    const shell::ScreenDecl& layout;
    const char* calculate;           // its Calculate button's handler, control_Click
    std::vector<const char*> fields; // in the order the arithmetic reads them
    arithmetic::Arithmetic arithmetic;

    const char* name() const { return layout.name; }
    // The Calculate button's name: the handler's without "_Click".
    std::string_view button() const;
    const char* resultLabel() const { return layout.resultLabel; }
};

// Every network and divider calculator. A new one is its declaration, its arithmetic and a
// line here; the screen table takes every entry.
const std::vector<Calculator>& catalogue();
// The entry of that screen, or nullptr.
const Calculator* findCalculator(std::string_view screen);
// A screen-table row for an entry.
shell::ScreenEntry screen(const Calculator& calculator);

// The colour-code reader, which prompts instead of raising errors and writes two lines.
struct ColourCodeScreen {
    const shell::ScreenDecl& layout;
    const char* button;
    std::array<const char*, 4> bands; // band 1, 2, 3, tolerance: the order they are read
    const char* valueLabel;
    const char* toleranceLabel;

    const char* name() const { return layout.name; }
};
extern const ColourCodeScreen colourCode;

} // namespace calculators
