// SPDX-License-Identifier: MIT
#pragma once

#include "calculators/catalogue.h"
#include "shell/form.h"

#include <vector>

class QLabel;
class QLineEdit;

namespace calculators {

// Serves every catalogue entry: Calculate reads the text fields in their order, hands their
// texts to the arithmetic and writes one result label as the last step; Done unloads it.
class CalculatorForm final : public shell::Form {
public:
    CalculatorForm(shell::Project& project, const Calculator& calculator);

private:
    void wire() override;
    // After an error the failing field takes the focus with its text selected, ready to retype.
    void recover(const runtime::Error& error) override;

    void cmdCalculate_Click();

    const Calculator& calculator_;
    // Resolved when the screen is loaded.
    std::vector<QLineEdit*> fields_;
    QLabel* result_ = nullptr;
};

} // namespace calculators
