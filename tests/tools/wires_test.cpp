// SPDX-License-Identifier: MIT
// The Wires and power and the Conversions windows, built directly: the catalogue's worked example
// typed in gives the worked figures on every page, and a person's typing is answered as they type.
#include "schematic/power.h"
#include "tools/catalogue.h"
#include "tools/circuitview.h"
#include "tools/conversions/conversions.h"
#include "tools/wires/wires.h"

#include "window.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>

namespace {

using window::child;
using window::text;
using window::type;

// Each field of the tool's worked example set as the screenshots set it.
void typeExample(QWidget& panel, const char* window)
{
    for (const tools::Tool& tool : tools::catalogue()) {
        if (std::strcmp(tool.window, window) != 0)
            continue;
        for (const QString& entry : QString::fromUtf8(tool.example).split(u';', Qt::SkipEmptyParts))
            child<QLineEdit>(panel, entry.section(u'=', 0, 0).toLatin1().constData())->setText(entry.section(u'=', 1));
    }
}

struct Shown {
    const char* control;
    const char* text;
};

TEST(WiresWindow, TheWorkedExampleGivesTheWorkedFigures)
{
    tools::Wires panel;
    typeExample(panel, "frmWires");
    const Shown shown[] = {
        {"lblGaugeDiameter", "0.51056 mm (20.101 mil)"},
        {"lblGaugeSection", "0.20473 mm² (404.04 cmil)"},
        {"lblGaugeResistance", "84.213 mΩ/m, 25.668 mΩ/ft"},
        {"lblGaugeAwg", "AWG 24 (0.20473 mm²) at or above, AWG 25 (0.16236 mm²) below"},
        {"lblDropResistance", "137.93 mΩ both conductors"},
        {"lblDropDrop", "1.3793 V (11.494 % of the supply)"},
        {"lblDropAwg", "AWG 7 (10.549 mm²), dropping 326.88 mV"},
        {"lblDropMetric", "10 mm², dropping 344.82 mV"},
        {"lblFuseSection", "0.20473 mm² (404.04 cmil)"},
        {"lblFuseOnderdonk", "59.11 A melts it in 1 s from 25 °C"},
        {"lblBatteryAverage", "109.9 µA"},
        {"lblBatteryLife", "18198 h (758.27 days)"},
        {"lblCapacitorEnergy", "72 mJ"},
        {"lblCapacitorCharge", "12 mC"},
        {"lblCapacitorHoldUp", "30 ms"},
    };
    for (const Shown& s : shown)
        EXPECT_EQ(text(panel, s.control).toStdString(), s.text) << s.control;
}

TEST(WiresWindow, EachPageAnswersWhatItIsGivenAndRefusesBesideTheField)
{
    tools::Wires panel;
    child<QComboBox>(panel, "cboGaugeGiven")->setCurrentIndex(1);
    type(panel, "txtGaugeSize", QStringLiteral("2.5mm2"));
    EXPECT_EQ(text(panel, "lblGaugeMetric"), QStringLiteral("2.5 mm² at or above, 1.5 mm² below"));
    type(panel, "txtGaugeSize", QStringLiteral("-2"));
    EXPECT_EQ(text(panel, "lblGaugeSizeMessage"), QStringLiteral("'-2' is negative: write a value above zero"));
    EXPECT_EQ(text(panel, "lblGaugeDiameter"), QString());

    // Three-phase: √3 × one conductor's drop; a limit in volts needs no supply.
    type(panel, "txtDropLength", QStringLiteral("10"));
    type(panel, "txtDropCurrent", QStringLiteral("10"));
    child<QComboBox>(panel, "cboDropFeed")->setCurrentIndex(2);
    type(panel, "txtDropLimit", QStringLiteral("0.3V"));
    EXPECT_EQ(text(panel, "lblDropResistance"), QStringLiteral("give the cable's size"));
    EXPECT_EQ(text(panel, "lblDropAwg"), QStringLiteral("AWG 7 (10.549 mm²), dropping 283.09 mV"));
    type(panel, "txtDropLimit", QStringLiteral("60"));
    EXPECT_EQ(text(panel, "lblDropLimitMessage"), QStringLiteral("'60' is outside from 0 to 50 %"));

    child<QComboBox>(panel, "cboFuseGiven")->setCurrentIndex(3);
    type(panel, "txtFuseSize", QStringLiteral("0.3"));
    EXPECT_EQ(text(panel, "lblFusePreece"), QStringLiteral("for round wires only"));
    EXPECT_EQ(text(panel, "lblFuseOnderdonk"), QStringLiteral("3.0316 A melts it in 1 s from 25 °C"));

    type(panel, "txtBatteryCapacity", QStringLiteral("10Wh"));
    type(panel, "txtBatteryActive", QStringLiteral("100m"));
    EXPECT_EQ(text(panel, "lblBatteryLife"), QStringLiteral("give the battery's voltage for a capacity in Wh"));
    type(panel, "txtBatteryVoltage", QStringLiteral("5"));
    EXPECT_EQ(text(panel, "lblBatteryLife"), QStringLiteral("20 h (0.83333 days)"));

    type(panel, "txtCapacitorC", QStringLiteral("1"));
    type(panel, "txtCapacitorV", QStringLiteral("5"));
    type(panel, "txtCapacitorV2", QStringLiteral("6"));
    EXPECT_EQ(text(panel, "lblCapacitorV2Message"), QStringLiteral("Lower than the voltage it is charged to"));
    type(panel, "txtCapacitorV2", QStringLiteral("0"));
    child<QComboBox>(panel, "cboCapacitorLoad")->setCurrentIndex(1);
    type(panel, "txtCapacitorLoad", QStringLiteral("1W"));
    EXPECT_EQ(text(panel, "lblCapacitorHoldUp"), QStringLiteral("12.5 s"));
}

TEST(ConversionsWindow, TheWorkedExampleGivesTheWorkedFigures)
{
    tools::Conversions panel;
    typeExample(panel, "frmConversions");
    const Shown shown[] = {
        {"txtLevelRms", "707.11 mV"},   {"txtLevelDbw", "-20"},        {"txtLevelPeak", "1 V"},
        {"txtRatioPower", "1.9953"},    {"txtRatioVoltage", "1.4125"}, {"txtWaveVacuum", "299.79 mm"},
        {"txtWaveMedium", "141.32 mm"}, {"txtWaveVelocity", "0.4714"}, {"txtWavePeriod", "1 ns"},
    };
    for (const Shown& s : shown)
        EXPECT_EQ(text(panel, s.control).toStdString(), s.text) << s.control;
    const auto* table = child<QTableWidget>(panel, "tblPrefixes");
    EXPECT_EQ(window::cell(*table, 2, 0), QStringLiteral("4700"));
    EXPECT_EQ(window::cell(*table, 2, 1), QStringLiteral("nF"));
}

TEST(ConversionsWindow, TheFieldTypedLastGivesTheOthers)
{
    tools::Conversions panel;
    type(panel, "txtLevelDbm", QStringLiteral("0"));
    EXPECT_EQ(text(panel, "txtLevelRms"), QStringLiteral("223.61 mV"));
    type(panel, "txtLevelDbu", QStringLiteral("0"));
    EXPECT_EQ(text(panel, "txtLevelRms"), QStringLiteral("774.6 mV"));
    EXPECT_EQ(text(panel, "txtLevelDbm"), QStringLiteral("10.792"));
    // Another impedance answers again from the field typed last.
    type(panel, "txtLevelImpedance", QStringLiteral("600"));
    EXPECT_EQ(text(panel, "txtLevelDbm"), QStringLiteral("0"));
    type(panel, "txtLevelRms", QStringLiteral("1 kV"));
    EXPECT_EQ(text(panel, "txtLevelPower"), QStringLiteral("1.6667 kW"));
    type(panel, "txtLevelRms", QStringLiteral("1 kA"));
    EXPECT_EQ(text(panel, "lblLevelRmsMessage"), QStringLiteral("'1 kA' is not a voltage: write 1, 1V or 500mV"));
    EXPECT_EQ(text(panel, "txtLevelPower"), QString());

    // The medium by its velocity factor; the wavelength typed gives the frequency.
    type(panel, "txtWaveVelocity", QStringLiteral("0.5"));
    EXPECT_EQ(text(panel, "txtWaveEr"), QStringLiteral("4"));
    type(panel, "txtWaveMedium", QStringLiteral("1m"));
    EXPECT_EQ(text(panel, "txtWaveFrequency"), QStringLiteral("149.9 MHz"));
    EXPECT_EQ(text(panel, "txtWaveVacuum"), QStringLiteral("2 m"));
    type(panel, "txtWaveVelocity", QStringLiteral("2"));
    EXPECT_EQ(text(panel, "lblWaveVelocityMessage"), QStringLiteral("Above 1: nothing outruns light in a vacuum"));
    EXPECT_EQ(text(panel, "txtWaveFrequency"), QString());
}

// The access key of each caption shown with a page, tabs and Close included, leads to one control
// only; every control has a name for tests and people, and every field one a screen reader says.
TEST(WiresWindow, EveryPageHasItsOwnAccessKeysAndNamedControls)
{
    std::vector<std::unique_ptr<QWidget>> windows;
    windows.push_back(std::make_unique<tools::Wires>());
    windows.push_back(std::make_unique<tools::Conversions>());
    for (const auto& w : windows) {
        auto* tabs = w->findChild<QTabWidget*>();
        ASSERT_NE(tabs, nullptr);
        const auto keyOf = [](QString text) {
            const qsizetype at = text.replace(QStringLiteral("&&"), QString()).indexOf(u'&');
            return at >= 0 && at + 1 < text.size() ? text.at(at + 1).toLower() : QChar();
        };
        for (int page = 0; page < tabs->count(); ++page) {
            std::map<QChar, QString> keys;
            const auto add = [&](const QString& text) {
                const QChar key = keyOf(text);
                if (key.isNull())
                    return;
                EXPECT_TRUE(keys.emplace(key, text).second) << tabs->tabText(page).toStdString() << ": "
                                                            << text.toStdString() << " and " << keys[key].toStdString();
            };
            for (int t = 0; t < tabs->count(); ++t)
                add(tabs->tabText(t));
            add(child<QAbstractButton>(*w, "cmdClose")->text());
            for (const QLabel* label : tabs->widget(page)->findChildren<QLabel*>())
                add(label->text());
            for (const QAbstractButton* button : tabs->widget(page)->findChildren<QAbstractButton*>())
                add(button->text());
        }
        for (const QWidget* c : w->findChildren<QWidget*>()) {
            const bool listEditor = qobject_cast<const QComboBox*>(c->parent()) != nullptr;
            const bool field = (qobject_cast<const QLineEdit*>(c) && !listEditor) ||
                qobject_cast<const QComboBox*>(c) || qobject_cast<const QTableWidget*>(c);
            if (field || qobject_cast<const QLabel*>(c)) {
                EXPECT_FALSE(c->objectName().isEmpty()) << c->metaObject()->className();
            }
            if (field) {
                EXPECT_FALSE(c->accessibleName().isEmpty()) << c->objectName().toStdString();
            }
        }
    }
}

TEST(WiresWindow, TheCableRunAndTheBatteryAreDrawnFromTheAnswer)
{
    tools::Wires panel;
    typeExample(panel, "frmWires");
    EXPECT_EQ(child<tools::CircuitView>(panel, "picDropCircuit")->drawing().description(),
              QStringLiteral("From 12 V through the line's resistance 68.964 mΩ to a load of 10 A, and back through "
                             "the return conductor's 68.964 mΩ"));
    child<QComboBox>(panel, "cboDropFeed")->setCurrentIndex(2);
    EXPECT_TRUE(child<tools::CircuitView>(panel, "picDropCircuit")
                    ->drawing()
                    .description()
                    .startsWith(QStringLiteral("One of three phases: from L1")));
    EXPECT_EQ(child<tools::CircuitView>(panel, "picBatteryCircuit")->drawing().description(),
              QStringLiteral("A battery of 2 Ah feeding a load of 109.9 µA on average"));
    type(panel, "txtBatteryActive", QStringLiteral("x"));
    EXPECT_TRUE(child<tools::CircuitView>(panel, "picBatteryCircuit")->drawing().isEmpty());

    // No symbol or label on another, whatever the labels' widths.
    for (const schematic::Drawing& d :
         {schematic::cableRun(QStringLiteral("230 V"), QStringLiteral("1.2345 Ω"), QStringLiteral("16 A")),
          schematic::cableRun(QStringLiteral("L1"), QStringLiteral("1 mΩ"), QStringLiteral("1.2345 kA"), false),
          schematic::batteryLoad(QStringLiteral("12 V, 100 Ah"), QStringLiteral("1.2345 A on average"))}) {
        std::vector<schematic::Drawing::Box> boxes = d.symbols();
        boxes.insert(boxes.end(), d.labels().begin(), d.labels().end());
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            EXPECT_TRUE(d.bounds().contains(boxes[i].rect)) << boxes[i].text.toStdString();
            for (std::size_t j = i + 1; j < boxes.size(); ++j) {
                const QRectF shared = boxes[i].rect.intersected(boxes[j].rect);
                EXPECT_FALSE(shared.width() > 1e-6 && shared.height() > 1e-6)
                    << boxes[i].text.toStdString() << " on " << boxes[j].text.toStdString();
            }
        }
    }
}

} // namespace
