// SPDX-License-Identifier: MIT
// The screen table: the one place that knows every screen of the program.
#include "app/screens.h"

#include "calculators/calculatorform.h"
#include "calculators/screens.h"
#include "navigation/screens.h"
#include "reference/screens.h"
#include "shell/linkform.h"
#include "shell/panelform.h"
#include "tools/catalogue.h"

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
                             },
                             "frmMainScr"};
    for (const calculators::Calculator& calculator : calculators::catalogue())
        table.screens.insert(calculators::screen(calculator));
    for (const tools::Tool& tool : tools::catalogue())
        table.screens.insert(shell::panel(tool.window, tool.make));
    return table;
}

} // namespace app
