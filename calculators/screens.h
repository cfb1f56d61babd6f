// SPDX-License-Identifier: MIT
#pragma once

#include "calculators/calculatorform.h"

#include <memory>

namespace calculators {

extern const shell::ScreenDecl frmResistorsLayout;
extern const shell::ScreenDecl frmSerRes2Layout;
extern const shell::ScreenDecl frmSerRes3Layout;
extern const shell::ScreenDecl frmParResLayout;
extern const shell::ScreenDecl frmSerCap2Layout;
extern const shell::ScreenDecl frmSerCap3Layout;
extern const shell::ScreenDecl frmParCapLayout;
extern const shell::ScreenDecl frmVoltageDivLayout;

// The colour-code reader.
class FrmResistors final : public shell::Form {
public:
    explicit FrmResistors(shell::Project& p)
        : shell::Form(p, frmResistorsLayout)
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

// Its Calculate button has always been named cmdCalulate; the name stays so nothing that
// finds it by name breaks.
class FrmParCap final : public CalculatorForm {
public:
    explicit FrmParCap(shell::Project& p);

private:
    void wire() override;
    void cmdCalulate_Click() { cmdCalculate_Click(); }
};

// The calculators whose buttons are cmdCalculate and cmdDone.
std::unique_ptr<CalculatorForm> makeFrmSerRes2(shell::Project& p);
std::unique_ptr<CalculatorForm> makeFrmSerRes3(shell::Project& p);
std::unique_ptr<CalculatorForm> makeFrmParRes(shell::Project& p);
std::unique_ptr<CalculatorForm> makeFrmSerCap2(shell::Project& p);
std::unique_ptr<CalculatorForm> makeFrmSerCap3(shell::Project& p);
std::unique_ptr<CalculatorForm> makeFrmVoltageDiv(shell::Project& p);

} // namespace calculators
