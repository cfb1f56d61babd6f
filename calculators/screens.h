// SPDX-License-Identifier: MIT
#pragma once

#include "calculators/catalogue.h"
#include "shell/form.h"

namespace calculators {

// The colour-code reader.
class FrmResistors final : public shell::Form {
public:
    explicit FrmResistors(shell::Project& p)
        : shell::Form(p, colourCode.layout)
    {
    }

private:
    void wire() override;
    void ResistCalc_Click();
    void cboBand1_Change();
    void cboBand1_Click();
    void cboBand2_Change();
    void cboBand2_Click();
    void cboBand3_Change();
    void cboBand3_Click();
    void cboTolerance_Change();
    void cboTolerance_Click();
    void cmdDone_Click();
};

} // namespace calculators
