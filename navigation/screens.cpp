// SPDX-License-Identifier: MIT
#include "navigation/screens.h"

#include "shell/project.h"
#include "tools/catalogue.h"
#include "voltiva/version.h"

#include <QRadioButton>

#include <string>
#include <vector>

namespace navigation {

using namespace shell;

namespace {

// The Tools menu lists the catalogue, a separator between its groups.
std::vector<MenuItemDecl> toolsMenu()
{
    std::vector<MenuItemDecl> items;
    const tools::Tool* previous = nullptr;
    for (const tools::Tool& tool : tools::catalogue()) {
        if (previous != nullptr && previous->group != tool.group)
            items.push_back({});
        items.push_back({tool.action, tool.menuText});
        previous = &tool;
    }
    return items;
}

// What the main screen's controls open: its own links, then each tool's menu item, which opens
// the workbench at that tool.
std::vector<Link> mainScreenLinks(std::vector<Link> links)
{
    static const std::vector<std::string> handlers = [] {
        std::vector<std::string> names;
        for (const tools::Tool& tool : tools::catalogue())
            names.push_back(std::string(tool.action) + "_Click");
        return names;
    }();
    const auto tools = tools::catalogue();
    for (std::size_t i = 0; i < tools.size(); ++i)
        links.push_back({handlers[i].c_str(), "frmWorkbench", tools[i].window});
    return links;
}

} // namespace

// Layout tables: one control a line, as they are read against the screens.
// clang-format off
const ScreenDecl frmMainScrLayout{
    "frmMainScr", "Voltiva V" VOLTIVA_VERSION_SHORT, 3720, 1185,
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
        {"mnuTools", "&Tools", toolsMenu()},
        {"mnuHelp", "&Help", {{"mnuHelpHow", "&How to use..."},
                              {"mnuHelpAbout", "&About Voltiva V" VOLTIVA_VERSION_SHORT "..."}}},
    },
};

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

const ScreenDecl frmOptionsLayout{
    "frmOptions", "Options", 4680, 1785,
    {
        label("Label1", "Set all decimals to:", 120, 120, 1335, 255, 0),
        optionButton("optTwoDec", "2 decimal places", 1680, 120, 1575, 255, 1),
        optionButton("optThreeDec", "3 decimal places", 1680, 360, 1695, 255, 2),
        optionButton("optFloatDec", "Float decimals", 1680, 600, 1575, 255, 4),
        button("cmdDone", "OK", 3000, 1200, 1095, 375, 3),
    },
};
// clang-format on

// What each button and menu item opens. A chooser stays open behind what it opens; Quit closes
// the main screen alone, and the program ends when the last screen is closed.
const LinkedScreen frmMainScr{frmMainScrLayout,
                              mainScreenLinks({
                                  {"cmdResistors_Click", "frmResistors"},
                                  {"cmdCapacitors_Click", "frmCapacitors"},
                                  {"cmdTransistors_Click", "frmTransistors"},
                                  {"cmdSeriesCircuits_Click", "frmSeries"},
                                  {"cmdParallel_Click", "frmParallel"},
                                  {"cmdVoltDiv_Click", "frmVoltageDiv"},
                                  {"mnuFileOptions_Click", "frmOptions"},
                                  {"mnuFileQuit_Click", unloadsItself},
                                  {"mnuHelpHow_Click", "frmHowTo"},
                                  {"mnuHelpAbout_Click", "frmAboutProg"},
                              })};

const LinkedScreen frmSeries{frmSeriesLayout,
                             {
                                 {"cmdSeriesResistors_Click", "frmSeriesResistors"},
                                 {"cmdSeriesCapacitors_Click", "frmSeriesCapacitors"},
                                 {"cmdDone_Click", unloadsItself},
                             }};

const LinkedScreen frmParallel{frmParallelLayout,
                               {
                                   {"cmdParRes_Click", "frmParRes"},
                                   {"cmdParCap_Click", "frmParCap"},
                                   {"cmdDone_Click", unloadsItself},
                               }};

const LinkedScreen frmSeriesResistors{frmSeriesResistorsLayout,
                                      {
                                          {"cmdCalculateTwo_Click", "frmSerRes2"},
                                          {"cmdCalculateThree_Click", "frmSerRes3"},
                                          {"cmdDone_Click", unloadsItself},
                                      }};

const LinkedScreen frmSeriesCapacitors{frmSeriesCapacitorsLayout,
                                       {
                                           {"cmdSerCap2_Click", "frmSerCap2"},
                                           {"cmdSerCap3_Click", "frmSerCap3"},
                                           {"cmdDone_Click", unloadsItself},
                                       }};

// Options.

namespace {
using Precision = Project::Precision;
constexpr std::pair<const char*, Precision> choices[] = {
    {"optTwoDec", Precision::TwoDecimals},
    {"optThreeDec", Precision::ThreeDecimals},
    {"optFloatDec", Precision::FloatDecimals},
};
} // namespace

void FrmOptions::wire()
{
    // The screen opens on the choice in force.
    for (const auto& [name, precision] : choices) {
        auto* choice = require<QRadioButton>(name);
        if (project().precision() == precision)
            choice->setChecked(true);
    }
    onClick("cmdDone", &FrmOptions::cmdDone_Click);
}

void FrmOptions::cmdDone_Click()
{
    for (const auto& [name, precision] : choices) {
        if (require<QRadioButton>(name)->isChecked())
            project().setPrecision(precision);
    }
    unload();
}

} // namespace navigation
