// SPDX-License-Identifier: MIT
#include "shell/mainscreen.h"

#include "shell/project.h"

namespace shell {

// Layout tables: one control a line, as they are read against the screens.
// clang-format off
const ScreenDecl frmMainScrLayout{
    "frmMainScr", "Voltiva V1.0", 3720, 1185,
    {
        button("cmdVoltDiv", "Voltage Div", 2520, 840, 1095, 255, 6),
        pictureBox("Picture1", 1440, 240, 855, 855, 5, pictures::mainEmblem, "Voltiva emblem"),
        button("cmdSeriesCircuits", "Series ", 2520, 120, 1095, 255, 4),
        button("cmdParallel", "Parallel", 2520, 480, 1095, 255, 3),
        button("cmdTransistors", "Transistors", 120, 840, 1095, 255, 2),
        button("cmdCapacitors", "Capacitors", 120, 480, 1095, 255, 1),
        button("cmdResistors", "Resistors", 120, 120, 1095, 255, 0),
        line("Line1", 0, 0, 4320, 0),
    },
    {
        {"mnuFile", "&File", {{"mnuFileOptions", "&Options..."}, {"mnuFileQuit", "&Quit"}}},
        {"mnuHelp", "&Help", {{"mnuHelpHow", "&How to use..."}, {"mnuHelpAbout", "&About Voltiva V1.0..."}}},
    },
};
// clang-format on

void FrmMainScr::wire()
{
    onClick("cmdResistors", &FrmMainScr::cmdResistors_Click);
    onClick("cmdCapacitors", &FrmMainScr::cmdCapacitors_Click);
    onClick("cmdTransistors", &FrmMainScr::cmdTransistors_Click);
    onClick("cmdSeriesCircuits", &FrmMainScr::cmdSeriesCircuits_Click);
    onClick("cmdParallel", &FrmMainScr::cmdParallel_Click);
    onClick("cmdVoltDiv", &FrmMainScr::cmdVoltDiv_Click);
    onClick("mnuFileOptions", &FrmMainScr::mnuFileOptions_Click);
    onClick("mnuFileQuit", &FrmMainScr::mnuFileQuit_Click);
    onClick("mnuHelpHow", &FrmMainScr::mnuHelpHow_Click);
    onClick("mnuHelpAbout", &FrmMainScr::mnuHelpAbout_Click);
}

void FrmMainScr::cmdResistors_Click()
{
    project().show("frmResistors");
}
void FrmMainScr::cmdCapacitors_Click()
{
    project().show("frmCapacitors");
}
void FrmMainScr::cmdTransistors_Click()
{
    project().show("frmTransistors");
}
void FrmMainScr::cmdSeriesCircuits_Click()
{
    project().show("frmSeries");
}
void FrmMainScr::cmdParallel_Click()
{
    project().show("frmParallel");
}
void FrmMainScr::cmdVoltDiv_Click()
{
    project().show("frmVoltageDiv");
}
void FrmMainScr::mnuFileOptions_Click()
{
    project().show("frmOptions");
}
// Quit closes this screen alone; the program ends when the last screen is closed.
void FrmMainScr::mnuFileQuit_Click()
{
    unload();
}
void FrmMainScr::mnuHelpHow_Click()
{
    project().show("frmHowTo");
}
void FrmMainScr::mnuHelpAbout_Click()
{
    project().show("frmAboutProg");
}

} // namespace shell
