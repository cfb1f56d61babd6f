// SPDX-License-Identifier: MIT
// The screen table: every screen of the program by name.
#include "calculators/screens.h"
#include "reference/screens.h"
#include "shell/choosers.h"
#include "shell/mainscreen.h"
#include "shell/options.h"
#include "shell/project.h"

namespace shell {

namespace {
template <class F>
std::pair<std::string, Project::Factory> screen(const char* name)
{
    return {name, [](Project& p) { return std::make_unique<F>(p); }};
}

std::pair<std::string, Project::Factory> screen(const char* name, Project::Factory make)
{
    return {name, std::move(make)};
}
} // namespace

Project::Project()
    : Project({
          screen<FrmMainScr>("frmMainScr"),
          screen<calculators::FrmResistors>("frmResistors"),
          screen<reference::FrmCapacitors>("frmCapacitors"),
          screen<reference::FrmTransistors>("frmTransistors"),
          screen<FrmSeries>("frmSeries"),
          screen<FrmParallel>("frmParallel"),
          screen("frmVoltageDiv", calculators::makeFrmVoltageDiv),
          screen<reference::FrmHowTo>("frmHowTo"),
          screen<reference::FrmAboutProg>("frmAboutProg"),
          screen<FrmSeriesResistors>("frmSeriesResistors"),
          screen<FrmSeriesCapacitors>("frmSeriesCapacitors"),
          screen("frmSerRes2", calculators::makeFrmSerRes2),
          screen("frmSerRes3", calculators::makeFrmSerRes3),
          screen("frmParRes", calculators::makeFrmParRes),
          screen("frmSerCap2", calculators::makeFrmSerCap2),
          screen("frmSerCap3", calculators::makeFrmSerCap3),
          screen<calculators::FrmParCap>("frmParCap"),
          screen<FrmOptions>("frmOptions"),
      })
{
}

} // namespace shell
