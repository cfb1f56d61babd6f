// SPDX-License-Identifier: MIT
#pragma once

#include "calculators/calculation.h"
#include "shell/form.h"

#include <functional>
#include <string>
#include <vector>

namespace calculators {

// A screen whose Calculate reads its text fields in a fixed order, hands their texts to its
// arithmetic and writes one result label as the last step.
class CalculatorForm : public shell::Form {
protected:
    using Arithmetic = std::function<std::string(const std::vector<std::string>& texts, const Display& display)>;

    CalculatorForm(shell::Project& project, const shell::ScreenDecl& decl, std::vector<const char*> fields);

    void calculate(const Arithmetic& arithmetic);
    // After an error the failing field takes the focus with its text selected, ready to retype.
    void recover(const runtime::Error& error) override;

private:
    std::vector<const char*> fields_;
};

} // namespace calculators
