// SPDX-License-Identifier: MIT
#include "reference/screens.h"

#include "voltiva/version.h"

namespace reference {

using namespace shell;

namespace {
const FontSpec titleFont{"MS Sans Serif", 13.5, true};
}

// Layout tables: one control a line, as they are read against the screens.
// clang-format off
const ScreenDecl frmTransistorsLayout{
    "frmTransistors", "Transistors", 4575, 3780,
    {
        pictureBox("Picture2", 240, 1080, 1215, 1215, 7, pictures::to5, "TO-5 metal can, bottom view"),
        pictureBox("Picture4", 3120, 1080, 1215, 1215, 3, pictures::to220, "TO-220 with heat-sink tab"),
        pictureBox("Picture3", 1680, 1080, 1215, 1215, 2, pictures::to92, "TO-92 plastic package"),
        button("cmdDone", "Done", 2880, 3240, 1335, 375, 1),
        pictureBox("Picture1", 120, 120, 855, 855, 0, pictures::transistorEmblem, "Transistor emblem"),
        label("Label3", "Silicon Transistor with heat-sink Case TO-220", 3120, 2400, 1335, 615, 6),
        label("Label2", "Silicon Transistor Case TO-92", 1680, 2400, 1215, 375, 5),
        label("Label1", "Canistor Transistor Case TO-5", 240, 2400, 1335, 375, 4),
    },
};

const ScreenDecl frmCapacitorsLayout{
    "frmCapacitors", "Capacitors", 4680, 3930,
    {
        pictureBox("Picture4", 3240, 1200, 1215, 1215, 4, pictures::tantalum, "Dipped tantalum capacitor"),
        pictureBox("Picture3", 1680, 1200, 1215, 1215, 3, pictures::electrolytic, "Electrolytic capacitors"),
        pictureBox("Picture2", 120, 1200, 1215, 1215, 2, pictures::ceramic, "Ceramic disc capacitor"),
        pictureBox("Picture1", 120, 120, 855, 855, 1, pictures::capacitorEmblem, "Capacitor emblem"),
        button("cmdDoneC", "Done", 2880, 3360, 1215, 375, 0),
        label("Label4", "Dipped Tantalum Capacitor (Polarized)", 3240, 2520, 1335, 735, 8),
        label("Label2", "Electrolytic Capacitor (Polarized)", 1680, 2520, 1335, 615, 6),
        label("Label1", "Ceramic Capacitor (No Polarity)", 120, 2520, 1335, 495, 5),
    },
};

const ScreenDecl frmHowToLayout{
    "frmHowTo", "How to...", 4965, 2760,
    {
        button("cmdDone", "OK", 3360, 2280, 1095, 375, 1),
        label("Label5", "Note:  All fields must be filled unless otherwise stated.", 240, 1800, 3975, 255, 5),
        label("Label4", "3.  Click Done to return to the home screen.", 240, 1320, 3735, 255, 4),
        label("Label3", "     component measurement.", 240, 960, 2175, 255, 3),
        label("Label2", "2.  Enter all data needed to make the calculation or", 240, 720, 3615, 255, 2),
        label("Label1", "1.  Click on which function you would like to use.", 240, 360, 3495, 255, 0),
    },
};

const ScreenDecl frmAboutProgLayout{
    "frmAboutProg", "About Voltiva V" VOLTIVA_VERSION_SHORT, 4155, 1860,
    {
        button("cmdAboutOk", "OK", 2880, 1440, 1095, 375, 4),
        pictureBox("Picture1", 120, 120, 855, 855, 0, pictures::mainEmblem, "Voltiva emblem"),
        label("Label3", "Free software, MIT licence", 1200, 840, 2175, 255, 5),
        label("Label4", "voltiva.example.org", 1200, 1080, 1815, 255, 3),
        label("Label2", "Written by the Voltiva developers", 1200, 600, 2895, 255, 2),
        label("Label1", "Voltiva V" VOLTIVA_VERSION_SHORT, 1200, 120, 2295, 375, 1).withFont(titleFont),
    },
};
// clang-format on

// Each closes itself and leads nowhere else.
const LinkedScreen frmTransistors{frmTransistorsLayout, {{"cmdDone_Click", unloadsItself}}};
const LinkedScreen frmCapacitors{frmCapacitorsLayout, {{"cmdDoneC_Click", unloadsItself}}};
const LinkedScreen frmHowTo{frmHowToLayout, {{"cmdDone_Click", unloadsItself}}};
const LinkedScreen frmAboutProg{frmAboutProgLayout, {{"cmdAboutOk_Click", unloadsItself}}};

} // namespace reference
