// SPDX-License-Identifier: MIT
#include "tools/catalogue.h"

#include "cli/board.h"
#include "cli/conversions.h"
#include "cli/divider.h"
#include "cli/led.h"
#include "cli/markings.h"
#include "cli/network.h"
#include "cli/pad.h"
#include "cli/standard.h"
#include "cli/timing.h"
#include "cli/wires.h"
#include "tools/attenuator.h"
#include "tools/board/board.h"
#include "tools/conversions/conversions.h"
#include "tools/dividerdesign.h"
#include "tools/ledresistor.h"
#include "tools/markings/markings.h"
#include "tools/networkcalculator.h"
#include "tools/ohmslaw.h"
#include "tools/standardvalues/standardvalues.h"
#include "tools/timing/timing.h"
#include "tools/wires/wires.h"

namespace tools {

namespace {

template <class Panel>
QWidget* make(QWidget* parent)
{
    return new Panel(parent);
}

} // namespace

std::span<const Tool> catalogue()
{
    // One line a tool. Nothing here is built until its window first opens, so a tool costs the
    // program's start nothing.
    static const Tool tools[] = {
        {"frmStandardValues", "mnuToolsStandard", "&Standard values...", Group::ValuesAndParts, make<StandardValues>,
         cli::standardCommands(), "txtTarget=7k777;tabStandard=Networks"},
        {"frmMarkings", "mnuToolsMarkings", "&Markings...", Group::ValuesAndParts, make<Markings>,
         cli::markingsCommands()},
        {"frmNetwork", "mnuToolsNetwork", "&Network...", Group::ValuesAndParts, make<NetworkCalculator>,
         cli::networkCommands(), "txtNetwork=4k7/5% + (10k/1% || 22k/1%)"},
        {"frmConversions", "mnuToolsConversions", "&Conversions...", Group::ValuesAndParts, make<Conversions>,
         cli::conversionsCommands(),
         "txtLevelDbm=10;txtRatioDb=3;txtWaveFrequency=1G;txtWaveEr=4.5;txtPrefixValue=4.7uF"},
        {"frmDividerDesign", "mnuToolsDivider", "&Divider designer...", Group::Design, make<DividerDesign>,
         cli::dividerCommands(), "txtVin=5;txtVout=3.3"},
        {"frmLedResistor", "mnuToolsLed", "&LED resistor...", Group::Design, make<LedResistor>, cli::ledCommands(),
         "txtSupply=12;txtForward=2.2;txtCurrent=30m"},
        {"frmOhmsLaw", "mnuToolsOhm", "&Ohm's law...", Group::Design, make<OhmsLaw>, cli::ohmCommands(),
         "txtVoltage=5;txtResistance=220"},
        {"frmAttenuator", "mnuToolsAttenuator", "&Attenuator...", Group::Design, make<Attenuator>, cli::padCommands(),
         "txtPadDb=6;txtPadZ=50"},
        {"frmTiming", "mnuToolsTiming", "&Timing and filters...", Group::Design, make<Timing>, cli::timingCommands(),
         "txtRcR=10k;txtRcC=100n;txtRcSupply=5;txtRcLevel=3.3;txtRcTarget=1k"},
        {"frmBoard", "mnuToolsBoard", "&Board...", Group::Boards, make<Board>, cli::boardCommands(),
         "txtTrackCurrent=1;txtTrackLength=100;txtViaHole=0.3;txtViaPad=0.6;txtViaAntipad=1;txtSpacingVoltage=48"},
        {"frmWires", "mnuToolsWires", "&Wires and power...", Group::Boards, make<Wires>, cli::wiresCommands(),
         "txtGaugeSize=24;txtDropLength=10;txtDropCurrent=10;txtDropSize=2.5;txtDropSupply=12;txtFuseSize=24;"
         "txtBatteryCapacity=2000;txtBatteryActive=10m;txtBatteryDuty=1;txtBatterySleep=10u;txtCapacitorC=1000u;"
         "txtCapacitorV=12;txtCapacitorV2=9;txtCapacitorLoad=100m"},
    };
    return tools;
}

std::vector<cli::Command> commands()
{
    std::vector<cli::Command> all;
    for (const Tool& tool : catalogue())
        all.insert(all.end(), tool.commands.begin(), tool.commands.end());
    return all;
}

} // namespace tools
