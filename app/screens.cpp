// SPDX-License-Identifier: MIT
// The screen table: the one place that knows every screen of the program.
#include "app/screens.h"

#include "calculators/calculatorform.h"
#include "calculators/screens.h"
#include "navigation/screens.h"
#include "navigation/workbench.h"
#include "reference/screens.h"
#include "shell/linkform.h"

namespace app {

shell::ScreenTable screens()
{
    using shell::screen;
    shell::ScreenTable table{{
                                 screen(navigation::frmMainScr),
                                 screen<calculators::FrmResistors>("frmResistors"),
                                 screen(reference::frmCapacitors),
                                 screen(reference::frmTransistors),
                                 screen(navigation::frmSeries),
                                 screen(navigation::frmParallel),
                                 screen(reference::frmHowTo),
                                 screen(reference::frmAboutProg),
                                 screen(navigation::frmSeriesResistors),
                                 screen(navigation::frmSeriesCapacitors),
                                 screen<navigation::FrmOptions>("frmOptions"),
                                 screen<navigation::FrmWorkbench>("frmWorkbench"),
                             },
                             "frmMainScr"};
    for (const calculators::Calculator& calculator : calculators::catalogue())
        table.screens.insert(calculators::screen(calculator));
    return table;
}

} // namespace app
