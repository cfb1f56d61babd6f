// SPDX-License-Identifier: MIT
#pragma once

#include "shell/form.h"

namespace shell {

extern const ScreenDecl frmOptionsLayout;

// Display precision of every calculator's result, for the running program.
class FrmOptions final : public Form {
public:
    explicit FrmOptions(Project& p)
        : Form(p, frmOptionsLayout)
    {
    }

private:
    void wire() override;
    void cmdDone_Click();
};

} // namespace shell
