// SPDX-License-Identifier: MIT
#pragma once

#include "shell/form.h"

// Read-only screens: package pictures, instructions and About.
namespace reference {

extern const shell::ScreenDecl frmTransistorsLayout;
extern const shell::ScreenDecl frmCapacitorsLayout;
extern const shell::ScreenDecl frmHowToLayout;
extern const shell::ScreenDecl frmAboutProgLayout;

class FrmTransistors final : public shell::Form {
public:
    explicit FrmTransistors(shell::Project& p)
        : shell::Form(p, frmTransistorsLayout)
    {
    }

private:
    void wire() override;
    void cmdDone_Click();
};

class FrmCapacitors final : public shell::Form {
public:
    explicit FrmCapacitors(shell::Project& p)
        : shell::Form(p, frmCapacitorsLayout)
    {
    }

private:
    void wire() override;
    void cmdDoneC_Click();
};

class FrmHowTo final : public shell::Form {
public:
    explicit FrmHowTo(shell::Project& p)
        : shell::Form(p, frmHowToLayout)
    {
    }

private:
    void wire() override;
    void cmdDone_Click();
};

class FrmAboutProg final : public shell::Form {
public:
    explicit FrmAboutProg(shell::Project& p)
        : shell::Form(p, frmAboutProgLayout)
    {
    }

private:
    void wire() override;
    void cmdAboutOk_Click();
};

} // namespace reference
