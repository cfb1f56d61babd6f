// SPDX-License-Identifier: MIT
#include "tools/catalogue.h"

#include "cli/amplifiers.h"
#include "cli/board.h"
#include "cli/conversions.h"
#include "cli/divider.h"
#include "cli/led.h"
#include "cli/lines.h"
#include "cli/markings.h"
#include "cli/network.h"
#include "cli/pad.h"
#include "cli/standard.h"
#include "cli/timing.h"
#include "cli/wires.h"
#include "tools/amplifiers/amplifiers.h"
#include "tools/attenuator.h"
#include "tools/board/board.h"
#include "tools/conversions/conversions.h"
#include "tools/dividerdesign.h"
#include "tools/filters/command.h"
#include "tools/filters/filters.h"
#include "tools/ledresistor.h"
#include "tools/lines/lines.h"
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
         cli::standardCommands(), "txtTarget=7k777;tabStandard=Networks",
         "The nearest E3 to E192 values, and the best networks of one to four parts for a value, from a series "
         "or from My parts."},
        {"frmMarkings", "mnuToolsMarkings", "&Markings...", Group::ValuesAndParts, make<Markings>,
         cli::markingsCommands(), "txtMarking=yellow violet red gold",
         "Colour bands, SMD and EIA-96 codes, letter codes and capacitor codes, read and written."},
        {"frmNetwork", "mnuToolsNetwork", "&Network...", Group::ValuesAndParts, make<NetworkCalculator>,
         cli::networkCommands(), "txtNetwork=4k7/5% + (10k/1% || 22k/1%)",
         "The value of a network typed as 4k7 + (10k || 22k), its range over the tolerances and the nearest "
         "standard value."},
        {"frmConversions", "mnuToolsConversions", "&Conversions...", Group::ValuesAndParts, make<Conversions>,
         cli::conversionsCommands(),
         "txtLevelDbm=10;txtRatioDb=3;txtWaveFrequency=1G;txtWaveEr=4.5;txtPrefixValue=4.7uF",
         "dBm, dBW, dBuV, dBu and dBV, watts and volts at an impedance, decibels and ratios, wavelength in a "
         "medium, and a value under every prefix."},
        {"frmDividerDesign", "mnuToolsDivider", "&Divider designer...", Group::Design, make<DividerDesign>,
         cli::dividerCommands(), "txtVin=5;txtVout=3.3",
         "Standard resistor pairs for a voltage divider or a regulator's feedback, with the worst case."},
        {"frmLedResistor", "mnuToolsLed", "&LED resistor...", Group::Design, make<LedResistor>, cli::ledCommands(),
         "txtSupply=12;txtForward=2.2;txtCurrent=30m",
         "The series resistor for an LED or a string of LEDs, its current over the tolerances and its power "
         "rating."},
        {"frmOhmsLaw", "mnuToolsOhm", "&Ohm's law...", Group::Design, make<OhmsLaw>, cli::ohmCommands(),
         "txtVoltage=5;txtResistance=220", "Any two of voltage, current, resistance and power give the others."},
        {"frmAttenuator", "mnuToolsAttenuator", "&Attenuator...", Group::Design, make<Attenuator>, cli::padCommands(),
         "txtPadDb=6;txtPadZ=50",
         "Pi, T and bridged-T attenuator pads for a loss in dB, exact and from standard values, with the return "
         "loss."},
        {"frmTiming", "mnuToolsTiming", "&Timing and filters...", Group::Design, make<Timing>, cli::timingCommands(),
         "txtRcR=10k;txtRcC=100n;txtRcSupply=5;txtRcLevel=3.3;txtRcTarget=1k",
         "RC time constant and corner frequency, reactance, LC resonance and the 555 timer, forwards or designed "
         "from standard parts."},
        // F is the menu's own Find a tool, I Transmission lines'.
        {"frmFilters", "mnuToolsFilters", "Filt&ers...", Group::Design, make<Filters>, filterCommands(),
         "txtFilterCorner=1k;cboFilterKind=Low pass;cboFilterResponse=Butterworth;cboFilterOrder=4;txtPassiveR=1k;"
         "txtPassiveL=10m;txtPassiveC=100n;txtPassiveTarget=1k;txtPassiveQ=0.7071",
         "Active low and high pass filters of orders 1 to 8 (Butterworth, Bessel, Chebyshev; Sallen-Key or "
         "multiple feedback) and passive RC, RL, LC and RLC filters from standard parts, with their responses "
         "plotted."},
        {"frmAmplifiers", "mnuToolsAmplifiers", "Am&plifiers and regulators...", Group::Design, make<Amplifiers>,
         cli::amplifiersCommands(),
         "txtOpAmpGain=10;txtRegulatorVout=5;cboRegulatorFixed=R1 (across V ref);txtRegulatorFixed=240;"
         "txtZenerSupply=9;txtZenerSupplyMax=12;txtZenerVz=5.1;txtZenerLoadMax=20m;cboHeatGiven=Linear regulator's "
         "loss;"
         "txtHeatVin=12;txtHeatVout=5;txtHeatCurrent=0.5;txtHeatJc=5;txtHeatJa=50;txtSwitchDrive=5;txtSwitchLoad=100m",
         "Op-amp gain resistors, an adjustable regulator's R1 and R2 with its adjust-pin current, a Zener's series "
         "resistor, a heat sink, and a transistor switch's base or gate resistor."},
        {"frmBoard", "mnuToolsBoard", "&Board...", Group::Boards, make<Board>, cli::boardCommands(),
         "txtTrackCurrent=1;txtTrackLength=100;txtViaHole=0.3;txtViaPad=0.6;txtViaAntipad=1;txtSpacingVoltage=48",
         "PCB track width for a current and the reverse, a via's resistance and current, and conductor spacing "
         "for a voltage."},
        {"frmWires", "mnuToolsWires", "&Wires and power...", Group::Boards, make<Wires>, cli::wiresCommands(),
         "txtGaugeSize=24;txtDropLength=10;txtDropCurrent=10;txtDropSize=2.5;txtDropSupply=12;txtFuseSize=24;"
         "txtBatteryCapacity=2000;txtBatteryActive=10m;txtBatteryDuty=1;txtBatterySleep=10u;txtCapacitorC=1000u;"
         "txtCapacitorV=12;txtCapacitorV2=9;txtCapacitorLoad=100m",
         "Wire gauge (AWG and mm2), cable voltage drop, fusing current, battery life and capacitor energy and "
         "hold-up time."},
        {"frmLines", "mnuToolsLines", "Transmission l&ines...", Group::Boards, make<Lines>, cli::linesCommands(),
         "txtLineW=3;txtLineH=1.6;txtLineT=35um;txtLineEr=4.5;txtLineTanD=0.02;cboLineType=Microstrip",
         "Controlled impedance: microstrip, stripline, CPW, coupled pairs (Z diff), coax and twisted pair, the "
         "width for a Z0, and the range over the fabrication tolerances."},
    };
    return tools;
}

const Tool* find(std::string_view window)
{
    for (const Tool& tool : catalogue()) {
        if (window == tool.window)
            return &tool;
    }
    return nullptr;
}

QString title(const Tool& tool)
{
    QString text = QString::fromUtf8(tool.menuText);
    text.remove(u'&');
    if (text.endsWith(QLatin1String("...")))
        text.chop(3);
    return text;
}

std::vector<cli::Command> commands()
{
    std::vector<cli::Command> all;
    for (const Tool& tool : catalogue())
        all.insert(all.end(), tool.commands.begin(), tool.commands.end());
    return all;
}

} // namespace tools
