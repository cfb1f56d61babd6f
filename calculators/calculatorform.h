// SPDX-License-Identifier: MIT
#pragma once

#include "calculators/calculation.h"
#include "shell/form.h"

#include <vector>

namespace calculators {

// A screen whose Calculate reads its text fields in a fixed order, hands their texts to its
// arithmetic and writes one result label as the last step; Done unloads it.
class CalculatorForm : public shell::Form {
public:
    CalculatorForm(shell::Project& project, const shell::ScreenDecl& decl, std::vector<const char*> fields,
                   Arithmetic arithmetic);

protected:
    void wire() override;
    // After an error the failing field takes the focus with its text selected, ready to retype.
    void recover(const runtime::Error& error) override;

    void cmdCalculate_Click();
    void cmdDone_Click();

private:
    std::vector<const char*> fields_;
    Arithmetic arithmetic_;
};

} // namespace calculators
