// SPDX-License-Identifier: MIT
#pragma once

#include "shell/form.h"

// The four screens that only lead on to others. A chooser stays open behind what it opens.
namespace shell {

extern const ScreenDecl frmSeriesLayout;
extern const ScreenDecl frmParallelLayout;
extern const ScreenDecl frmSeriesResistorsLayout;
extern const ScreenDecl frmSeriesCapacitorsLayout;

class FrmSeries final : public Form {
public:
    explicit FrmSeries(Project& p)
        : Form(p, frmSeriesLayout)
    {
    }

private:
    void wire() override;
    void cmdSeriesResistors_Click();
    void cmdSeriesCapacitors_Click();
    void cmdDone_Click();
};

class FrmParallel final : public Form {
public:
    explicit FrmParallel(Project& p)
        : Form(p, frmParallelLayout)
    {
    }

private:
    void wire() override;
    void cmdParRes_Click();
    void cmdParCap_Click();
    void cmdDone_Click();
};

class FrmSeriesResistors final : public Form {
public:
    explicit FrmSeriesResistors(Project& p)
        : Form(p, frmSeriesResistorsLayout)
    {
    }

private:
    void wire() override;
    void cmdCalculateTwo_Click();
    void cmdCalculateThree_Click();
    void cmdDone_Click();
};

class FrmSeriesCapacitors final : public Form {
public:
    explicit FrmSeriesCapacitors(Project& p)
        : Form(p, frmSeriesCapacitorsLayout)
    {
    }

private:
    void wire() override;
    void cmdSerCap2_Click();
    void cmdSerCap3_Click();
    void cmdDone_Click();
};

} // namespace shell
