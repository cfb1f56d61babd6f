// SPDX-License-Identifier: MIT
#pragma once

#include "shell/form.h"
#include "shell/linkform.h"

// The screens that lead to the others: the main screen and the choosers, each a stay-open
// menu of buttons; and Options, reached from the main screen's File menu.
namespace navigation {

extern const shell::LinkedScreen frmMainScr;
extern const shell::LinkedScreen frmSeries;
extern const shell::LinkedScreen frmParallel;
extern const shell::LinkedScreen frmSeriesResistors;
extern const shell::LinkedScreen frmSeriesCapacitors;

extern const shell::ScreenDecl frmOptionsLayout;

// Display precision of every calculator's result, for the running program.
class FrmOptions final : public shell::Form {
public:
    explicit FrmOptions(shell::Project& p)
        : shell::Form(p, frmOptionsLayout)
    {
    }

private:
    void wire() override;
    void cmdDone_Click();
};

} // namespace navigation
