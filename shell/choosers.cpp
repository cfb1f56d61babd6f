// SPDX-License-Identifier: MIT
#include "shell/choosers.h"

#include "shell/project.h"

namespace shell {

// Layout tables: one control a line, as they are read against the screens.
// clang-format off
const ScreenDecl frmSeriesLayout{
    "frmSeries", "Series", 4680, 1965,
    {
        button("cmdSeriesCapacitors", "Capacitors in Series", 1800, 840, 1815, 375, 3),
        button("cmdSeriesResistors", "Resistors in Series", 1800, 240, 1815, 375, 2),
        pictureBox("Picture1", 120, 120, 855, 855, 1, pictures::seriesEmblem, "Series emblem"),
        button("cmdDone", "Done", 2880, 1440, 1215, 375, 0),
    },
};

const ScreenDecl frmParallelLayout{
    "frmParallel", "Parallel", 4110, 1800,
    {
        button("cmdDone", "Done", 2640, 1320, 1215, 375, 3),
        button("cmdParCap", "Capacitors in Parallel", 1320, 720, 1695, 375, 2),
        button("cmdParRes", "Resistors in Parallel", 1320, 120, 1695, 375, 1),
        pictureBox("Picture1", 120, 120, 855, 855, 0, pictures::parallelEmblem, "Parallel emblem"),
    },
};

const ScreenDecl frmSeriesResistorsLayout{
    "frmSeriesResistors", "Resistors in Series", 4680, 2220,
    {
        button("cmdCalculateThree", "3 Resistors", 1920, 720, 1215, 375, 3),
        button("cmdCalculateTwo", "2 Resistors", 1920, 120, 1215, 375, 2),
        button("cmdDone", "Done", 3000, 1680, 1335, 375, 1),
        pictureBox("Picture1", 120, 120, 855, 855, 0, pictures::seriesEmblem, "Series emblem"),
    },
};

const ScreenDecl frmSeriesCapacitorsLayout{
    "frmSeriesCapacitors", "Capacitors in Series", 4680, 2220,
    {
        button("cmdSerCap3", "3 Capacitors", 1920, 720, 1215, 375, 3),
        button("cmdSerCap2", "2 Capacitors", 1920, 120, 1215, 375, 2),
        pictureBox("Picture1", 120, 120, 855, 855, 1, pictures::seriesEmblem, "Series emblem"),
        button("cmdDone", "Done", 3000, 1680, 1335, 375, 0),
    },
};
// clang-format on

void FrmSeries::wire()
{
    onClick("cmdSeriesResistors", &FrmSeries::cmdSeriesResistors_Click);
    onClick("cmdSeriesCapacitors", &FrmSeries::cmdSeriesCapacitors_Click);
    onClick("cmdDone", &FrmSeries::cmdDone_Click);
}
void FrmSeries::cmdSeriesResistors_Click()
{
    project().show("frmSeriesResistors");
}
void FrmSeries::cmdSeriesCapacitors_Click()
{
    project().show("frmSeriesCapacitors");
}
void FrmSeries::cmdDone_Click()
{
    project().form("frmSeries").unload();
}

void FrmParallel::wire()
{
    onClick("cmdParRes", &FrmParallel::cmdParRes_Click);
    onClick("cmdParCap", &FrmParallel::cmdParCap_Click);
    onClick("cmdDone", &FrmParallel::cmdDone_Click);
}
void FrmParallel::cmdParRes_Click()
{
    project().show("frmParRes");
}
void FrmParallel::cmdParCap_Click()
{
    project().show("frmParCap");
}
void FrmParallel::cmdDone_Click()
{
    project().form("frmParallel").unload();
}

void FrmSeriesResistors::wire()
{
    onClick("cmdCalculateTwo", &FrmSeriesResistors::cmdCalculateTwo_Click);
    onClick("cmdCalculateThree", &FrmSeriesResistors::cmdCalculateThree_Click);
    onClick("cmdDone", &FrmSeriesResistors::cmdDone_Click);
}
void FrmSeriesResistors::cmdCalculateTwo_Click()
{
    project().show("frmSerRes2");
}
void FrmSeriesResistors::cmdCalculateThree_Click()
{
    project().show("frmSerRes3");
}
void FrmSeriesResistors::cmdDone_Click()
{
    project().form("frmSeriesResistors").unload();
}

void FrmSeriesCapacitors::wire()
{
    onClick("cmdSerCap2", &FrmSeriesCapacitors::cmdSerCap2_Click);
    onClick("cmdSerCap3", &FrmSeriesCapacitors::cmdSerCap3_Click);
    onClick("cmdDone", &FrmSeriesCapacitors::cmdDone_Click);
}
void FrmSeriesCapacitors::cmdSerCap2_Click()
{
    project().show("frmSerCap2");
}
void FrmSeriesCapacitors::cmdSerCap3_Click()
{
    project().show("frmSerCap3");
}
void FrmSeriesCapacitors::cmdDone_Click()
{
    project().form("frmSeriesCapacitors").unload();
}

} // namespace shell
