// SPDX-License-Identifier: MIT
#include "calculators/screens.h"

#include "arithmetic/capacitors.h"
#include "arithmetic/colourcode.h"
#include "arithmetic/divider.h"
#include "arithmetic/resistors.h"
#include "calculators/calculatorform.h"
#include "shell/messagebox.h"
#include "shell/project.h"

#include <QComboBox>
#include <QLineEdit>

namespace calculators {

using namespace shell;
using namespace arithmetic;

namespace {
const FontSpec smallFont{"MS Sans Serif", 8.25};
const FontSpec headingFont{"MS Sans Serif", 12};
const std::initializer_list<const char*> colourNames{"Black", "Brown", "Red",    "Orange", "Yellow",
                                                     "Green", "Blue",  "Violet", "Gray",   "White"};
} // namespace

// Layout tables: one control a line, as they are read against the screens.
// clang-format off
const ScreenDecl frmResistorsLayout{
    "frmResistors", "Resistors", 5145, 3195,
    {
        pictureBox("Picture1", 120, 0, 855, 855, 12, pictures::resistorEmblem, "Resistor emblem"),
        button("cmdDone", "Done", 3000, 2640, 1215, 375, 11),
        button("ResistCalc", "Calculate", 1200, 2640, 1215, 375, 9),
        comboBox("cboTolerance", 4200, 1200, 735, 315, 7, {"Gold", "Silver", "None"}).withFont(smallFont),
        comboBox("cboBand3", 2880, 1200, 1095, 315, 3, colourNames).withFont(smallFont),
        comboBox("cboBand2", 1560, 1200, 1095, 315, 2, colourNames).withFont(smallFont),
        comboBox("cboBand1", 240, 1200, 1095, 315, 1, colourNames).withFont(smallFont),
        label("lblTolerance", "", 360, 2040, 4695, 255, 13),
        label("lblResistorValue", "", 360, 1680, 4215, 255, 10),
        label("Label5", "Tolerance", 4200, 960, 975, 255, 8).withFont(smallFont).withBuddy("cboTolerance"),
        label("Label4", "Band 3", 3000, 960, 735, 255, 6).withFont(smallFont).withBuddy("cboBand3"),
        label("Label3", "Band 2", 1680, 960, 735, 255, 5).withFont(smallFont).withBuddy("cboBand2"),
        label("Label2", "Band 1", 360, 960, 735, 255, 4).withFont(smallFont).withBuddy("cboBand1"),
        label("Label1", "Resistors:", 1320, 0, 1095, 255, 0).withFont(headingFont),
    },
    {},
    FontSpec{"MS Sans Serif", 9.75},
};

const ScreenDecl frmSerRes2Layout{
    "frmSerRes2", "2 Resistors in series", 4680, 2430,
    {
        textBox("txtResSer2", 3000, 240, 975, 285, 5),
        button("cmdDone", "Done", 3120, 1920, 1215, 375, 3),
        button("cmdCalculate", "Calculate", 3120, 1320, 1215, 375, 2),
        textBox("txtResSer1", 960, 240, 975, 285, 1),
        label("lblSerResTotal", "", 480, 840, 3615, 255, 6),
        label("Label2", "R2=", 2640, 240, 375, 255, 4).withBuddy("txtResSer2"),
        label("Label1", "R1=", 600, 240, 375, 255, 0).withBuddy("txtResSer1"),
    },
    {}, {}, "lblSerResTotal",
};

const ScreenDecl frmSerRes3Layout{
    "frmSerRes3", "3 Resistors in series", 4725, 2340,
    {
        textBox("txtResSer3", 3600, 240, 975, 285, 7),
        textBox("txtResSer2", 2040, 240, 975, 285, 5),
        button("cmdDone", "Done", 3120, 1800, 1215, 375, 3),
        button("cmdCalculate", "Calculate", 3120, 1200, 1215, 375, 2),
        textBox("txtResSer1", 480, 240, 975, 285, 1),
        label("lblSerResTotal", "", 360, 720, 3855, 255, 8),
        label("Label3", "R3=", 3240, 240, 375, 255, 6).withBuddy("txtResSer3"),
        label("Label2", "R2=", 1680, 240, 375, 255, 4).withBuddy("txtResSer2"),
        label("Label1", "R1=", 120, 240, 375, 255, 0).withBuddy("txtResSer1"),
    },
    {}, {}, "lblSerResTotal",
};

const ScreenDecl frmParResLayout{
    "frmParRes", "2 Resistors in Parallel", 4680, 2820,
    {
        button("cmdCalculate", "Calculate", 3000, 1800, 1335, 375, 5),
        textBox("txtR2", 1920, 720, 1335, 285, 3),
        textBox("txtR1", 1920, 240, 1335, 285, 2),
        pictureBox("Picture1", 120, 120, 855, 855, 1, pictures::parallelEmblem, "Parallel emblem"),
        button("cmdDone", "Done", 3000, 2280, 1335, 375, 0),
        label("Label2", "R2 =", 1440, 720, 375, 255, 7).withBuddy("txtR2"),
        label("Label1", "R1 =", 1440, 240, 375, 255, 6).withBuddy("txtR1"),
        label("lblParResTotal", "", 960, 1200, 3375, 375, 4),
    },
    {}, {}, "lblParResTotal",
};

const ScreenDecl frmSerCap2Layout{
    "frmSerCap2", "2 Capacitors in series", 4680, 2460,
    {
        textBox("txtCapSer2", 2400, 120, 855, 285, 5),
        textBox("txtCapSer1", 840, 120, 855, 285, 3),
        button("cmdDone", "Done", 3120, 1920, 1215, 375, 1),
        button("cmdCalculate", "Calculate", 3120, 1320, 1215, 375, 0),
        label("lblSerCap2", "", 360, 600, 3975, 255, 6),
        label("Label2", "C2=", 2040, 120, 375, 255, 4).withBuddy("txtCapSer2"),
        label("Label1", "C1=", 480, 120, 375, 255, 2).withBuddy("txtCapSer1"),
    },
    {}, {}, "lblSerCap2",
};

const ScreenDecl frmSerCap3Layout{
    "frmSerCap3", "3 Capacitors in series", 4755, 2460,
    {
        textBox("txtCapSer3", 3600, 120, 975, 285, 7),
        textBox("txtCapSer2", 2040, 120, 975, 285, 5),
        textBox("txtCapSer1", 480, 120, 975, 285, 3),
        button("cmdDone", "Done", 3120, 1920, 1215, 375, 1),
        button("cmdCalculate", "Calculate", 3120, 1320, 1215, 375, 0),
        label("lblSerCap3", "", 360, 600, 4095, 255, 8),
        label("Label3", "C3=", 3240, 120, 375, 255, 6).withBuddy("txtCapSer3"),
        label("Label2", "C2=", 1680, 120, 375, 255, 4).withBuddy("txtCapSer2"),
        label("Label1", "C1=", 120, 120, 375, 255, 2).withBuddy("txtCapSer1"),
    },
    {}, {}, "lblSerCap3",
};

const ScreenDecl frmParCapLayout{
    "frmParCap", "2 Capacitors in Parallel", 4680, 2835,
    {
        button("cmdDone", "Done", 3000, 2280, 1335, 375, 4),
        button("cmdCalulate", "Calculate", 3000, 1800, 1335, 375, 3),
        textBox("txtC2", 1920, 720, 1335, 285, 2),
        textBox("txtC1", 1920, 240, 1335, 285, 1),
        pictureBox("Picture1", 120, 120, 855, 855, 0, pictures::parallelEmblem, "Parallel emblem"),
        label("Label2", "C2 =", 1440, 720, 375, 255, 7).withBuddy("txtC2"),
        label("Label1", "C1 =", 1440, 240, 375, 255, 6).withBuddy("txtC1"),
        label("lblParCapTotal", "", 960, 1200, 3255, 375, 5),
    },
    {}, {}, "lblParCapTotal",
};

const ScreenDecl frmVoltageDivLayout{
    "frmVoltageDiv", "Voltage Divider", 4680, 2775,
    {
        textBox("txtVoltDivR2", 720, 840, 1095, 285, 7),
        textBox("txtVoltDivR1", 720, 480, 1095, 285, 6),
        textBox("txtVoltDivIn", 720, 120, 1095, 285, 5),
        button("cmdCalculate", "Calculate", 3120, 1800, 1215, 375, 1),
        button("cmdDone", "Done", 3120, 2280, 1215, 375, 0),
        label("lblVoltDivTotal", "", 360, 1320, 3495, 255, 8),
        label("Label3", "R2=", 240, 840, 375, 255, 4).withBuddy("txtVoltDivR2"),
        label("Label2", "R1=", 240, 480, 375, 255, 3).withBuddy("txtVoltDivR1"),
        label("Label1", "V In=", 240, 120, 375, 255, 2).withBuddy("txtVoltDivIn"),
    },
    {}, {}, "lblVoltDivTotal",
};
// clang-format on

const ColourCodeScreen colourCode{
    frmResistorsLayout, "ResistCalc",   {"cboBand1", "cboBand2", "cboBand3", "cboTolerance"},
    "lblResistorValue", "lblTolerance",
};

// The Calculate button of frmParCap has always been named cmdCalulate; the name stays so
// nothing that finds it by name breaks.
const std::vector<Calculator>& catalogue()
{
    // clang-format off
    static const std::vector<Calculator> all{
        {frmSerRes2Layout, "cmdCalculate_Click", {"txtResSer1", "txtResSer2"}, arithmeticOf(seriesResistors2)},
        {frmSerRes3Layout, "cmdCalculate_Click", {"txtResSer1", "txtResSer2", "txtResSer3"}, arithmeticOf(seriesResistors3)},
        {frmParResLayout, "cmdCalculate_Click", {"txtR1", "txtR2"}, arithmeticOf(parallelResistors)},
        {frmSerCap2Layout, "cmdCalculate_Click", {"txtCapSer1", "txtCapSer2"}, arithmeticOf(seriesCapacitors2)},
        {frmSerCap3Layout, "cmdCalculate_Click", {"txtCapSer1", "txtCapSer2", "txtCapSer3"}, arithmeticOf(seriesCapacitors3)},
        {frmParCapLayout, "cmdCalulate_Click", {"txtC1", "txtC2"}, arithmeticOf(parallelCapacitors)},
        {frmVoltageDivLayout, "cmdCalculate_Click", {"txtVoltDivIn", "txtVoltDivR1", "txtVoltDivR2"}, arithmeticOf(voltageDivider)},
    };
    // clang-format on
    return all;
}

std::string_view Calculator::button() const
{
    const std::string_view handler = calculate;
    return handler.substr(0, handler.rfind("_Click"));
}

const Calculator* findCalculator(std::string_view screen)
{
    for (const Calculator& c : catalogue()) {
        if (screen == c.name())
            return &c;
    }
    return nullptr;
}

shell::ScreenEntry screen(const Calculator& calculator)
{
    return {calculator.name(), [&calculator](Project& p) { return std::make_unique<CalculatorForm>(p, calculator); }};
}

// The colour-code reader.

void FrmResistors::wire()
{
    onClick(colourCode.button, &FrmResistors::ResistCalc_Click);
    onClick("cmdDone", &FrmResistors::cmdDone_Click);
    onEvent<QComboBox>("cboBand1", &QComboBox::editTextChanged, &FrmResistors::cboBand1_Change);
    onEvent<QComboBox>("cboBand1", &QComboBox::activated, &FrmResistors::cboBand1_Click);
    onEvent<QComboBox>("cboBand2", &QComboBox::editTextChanged, &FrmResistors::cboBand2_Change);
    onEvent<QComboBox>("cboBand2", &QComboBox::activated, &FrmResistors::cboBand2_Click);
    onEvent<QComboBox>("cboBand3", &QComboBox::editTextChanged, &FrmResistors::cboBand3_Change);
    onEvent<QComboBox>("cboBand3", &QComboBox::activated, &FrmResistors::cboBand3_Click);
    onEvent<QComboBox>("cboTolerance", &QComboBox::editTextChanged, &FrmResistors::cboTolerance_Change);
    onEvent<QComboBox>("cboTolerance", &QComboBox::activated, &FrmResistors::cboTolerance_Click);
}

void FrmResistors::ResistCalc_Click()
{
    auto text = [this](const char* list) { return require<QComboBox>(list)->currentText().toStdString(); };
    const auto& [band1, band2, band3, tolerance] = colourCode.bands;
    const ColourCodeReading reading = readColourCode(text(band1), text(band2), text(band3), text(tolerance));
    for (const std::string& prompt : reading.prompts)
        MsgBox(window(), QString::fromStdString(prompt));
    setCaption(colourCode.valueLabel, QString::fromStdString(reading.valueLine));
    setCaption(colourCode.toleranceLabel, QString::fromStdString(reading.toleranceLine));
    // The prompts are closed by now; the user goes on at the first list to mend.
    if (reading.firstUnrecognised) {
        auto* list = require<QComboBox>(colourCode.bands[static_cast<std::size_t>(*reading.firstUnrecognised)]);
        list->setFocus(Qt::OtherFocusReason);
        list->lineEdit()->selectAll();
    }
}

// A changed band makes the value shown stale at once, a changed tolerance its line; the
// other line still describes what is on screen.
void FrmResistors::cboBand1_Change()
{
    setCaption(colourCode.valueLabel, QString());
}
void FrmResistors::cboBand1_Click()
{
    setCaption(colourCode.valueLabel, QString());
}
void FrmResistors::cboBand2_Change()
{
    setCaption(colourCode.valueLabel, QString());
}
void FrmResistors::cboBand2_Click()
{
    setCaption(colourCode.valueLabel, QString());
}
void FrmResistors::cboBand3_Change()
{
    setCaption(colourCode.valueLabel, QString());
}
void FrmResistors::cboBand3_Click()
{
    setCaption(colourCode.valueLabel, QString());
}
void FrmResistors::cboTolerance_Change()
{
    setCaption(colourCode.toleranceLabel, QString());
}
void FrmResistors::cboTolerance_Click()
{
    setCaption(colourCode.toleranceLabel, QString());
}
void FrmResistors::cmdDone_Click()
{
    unload();
}

} // namespace calculators
