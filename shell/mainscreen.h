// SPDX-License-Identifier: MIT
#pragma once

#include "shell/form.h"

namespace shell {

extern const ScreenDecl frmMainScrLayout;

class FrmMainScr final : public Form {
public:
    explicit FrmMainScr(Project& project)
        : Form(project, frmMainScrLayout)
    {
    }

private:
    void wire() override;

    void cmdResistors_Click();
    void cmdCapacitors_Click();
    void cmdTransistors_Click();
    void cmdSeriesCircuits_Click();
    void cmdParallel_Click();
    void cmdVoltDiv_Click();
    void mnuFileOptions_Click();
    void mnuFileQuit_Click();
    void mnuHelpHow_Click();
    void mnuHelpAbout_Click();
};

} // namespace shell
