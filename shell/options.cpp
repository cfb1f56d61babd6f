// SPDX-License-Identifier: MIT
#include "shell/options.h"

#include "shell/project.h"

#include <QRadioButton>

namespace shell {

// Layout tables: one control a line, as they are read against the screens.
// clang-format off
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
        if (project().precision() == precision)
            control<QRadioButton>(name)->setChecked(true);
    }
    onClick("cmdDone", &FrmOptions::cmdDone_Click);
}

void FrmOptions::cmdDone_Click()
{
    for (const auto& [name, precision] : choices) {
        if (control<QRadioButton>(name)->isChecked())
            project().setPrecision(precision);
    }
    project().form("frmOptions").unload();
}

} // namespace shell
