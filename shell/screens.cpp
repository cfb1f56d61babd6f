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
} // namespace

Project::Project()
    : Project({
          screen<FrmMainScr>("frmMainScr"),
          screen<calculators::FrmResistors>("frmResistors"),
          screen<reference::FrmCapacitors>("frmCapacitors"),
          screen<reference::FrmTransistors>("frmTransistors"),
          screen<FrmSeries>("frmSeries"),
          screen<FrmParallel>("frmParallel"),
          screen<calculators::FrmVoltageDiv>("frmVoltageDiv"),
          screen<reference::FrmHowTo>("frmHowTo"),
          screen<reference::FrmAboutProg>("frmAboutProg"),
          screen<FrmSeriesResistors>("frmSeriesResistors"),
          screen<FrmSeriesCapacitors>("frmSeriesCapacitors"),
          screen<calculators::FrmSerRes2>("frmSerRes2"),
          screen<calculators::FrmSerRes3>("frmSerRes3"),
          screen<calculators::FrmParRes>("frmParRes"),
          screen<calculators::FrmSerCap2>("frmSerCap2"),
          screen<calculators::FrmSerCap3>("frmSerCap3"),
          screen<calculators::FrmParCap>("frmParCap"),
          screen<FrmOptions>("frmOptions"),
      })
{
}

} // namespace shell
