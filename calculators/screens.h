// SPDX-License-Identifier: MIT
#pragma once

#include "calculators/calculatorform.h"

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
    explicit FrmResistors(shell::Project& p) : shell::Form(p, frmResistorsLayout) {}

private:
    void wire() override;
    void ResistCalc_Click();
    void cboBand1_Change();
    void cboBand1_Click();
    void cmdDone_Click();
};

class FrmSerRes2 final : public CalculatorForm {
public:
    explicit FrmSerRes2(shell::Project& p) : CalculatorForm(p, frmSerRes2Layout, {"txtResSer1", "txtResSer2"}) {}

private:
    void wire() override;
    void cmdCalculate_Click();
    void cmdDone_Click();
};

class FrmSerRes3 final : public CalculatorForm {
public:
    explicit FrmSerRes3(shell::Project& p)
        : CalculatorForm(p, frmSerRes3Layout, {"txtResSer1", "txtResSer2", "txtResSer3"}) {}

private:
    void wire() override;
    void cmdCalculate_Click();
    void cmdDone_Click();
};

class FrmParRes final : public CalculatorForm {
public:
    explicit FrmParRes(shell::Project& p) : CalculatorForm(p, frmParResLayout, {"txtR1", "txtR2"}) {}

private:
    void wire() override;
    void cmdCalculate_Click();
    void cmdDone_Click();
};

class FrmSerCap2 final : public CalculatorForm {
public:
    explicit FrmSerCap2(shell::Project& p) : CalculatorForm(p, frmSerCap2Layout, {"txtCapSer1", "txtCapSer2"}) {}

private:
    void wire() override;
    void cmdCalculate_Click();
    void cmdDone_Click();
};

class FrmSerCap3 final : public CalculatorForm {
public:
    explicit FrmSerCap3(shell::Project& p)
        : CalculatorForm(p, frmSerCap3Layout, {"txtCapSer1", "txtCapSer2", "txtCapSer3"}) {}

private:
    void wire() override;
    void cmdCalculate_Click();
    void cmdDone_Click();
};

class FrmParCap final : public CalculatorForm {
public:
    explicit FrmParCap(shell::Project& p) : CalculatorForm(p, frmParCapLayout, {"txtC1", "txtC2"}) {}

private:
    void wire() override;
    void cmdCalulate_Click();
    void cmdDone_Click();
};

class FrmVoltageDiv final : public CalculatorForm {
public:
    explicit FrmVoltageDiv(shell::Project& p)
        : CalculatorForm(p, frmVoltageDivLayout, {"txtVoltDivIn", "txtVoltDivR1", "txtVoltDivR2"}) {}

private:
    void wire() override;
    void cmdCalculate_Click();
    void cmdDone_Click();
};

} // namespace calculators
