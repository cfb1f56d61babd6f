// SPDX-License-Identifier: MIT
// What a tool says about a value it refuses: examples of the field's own kind, in a place kept for
// it, so the window keeps its size.
#include "shell/panelform.h"
#include "shell/project.h"

#include "everytool.h"

#include <QMainWindow>

#include <memory>
#include <ostream>

void PrintTo(const QSize& size, std::ostream* os)
{
    *os << size.width() << "x" << size.height();
}

namespace {

struct Refusal {
    const char* name;
    const char* tool;
    const char* field;
    const char* typed;
    const char* message;          // the label it shows in
    const char* says;             // what it says first
    const char* choice = nullptr; // a list set first: "cboKind=Capacitor"
};

class RefusedField : public ::testing::TestWithParam<Refusal> {};

} // namespace

TEST_P(RefusedField, GivesExamplesOfItsOwnKind)
{
    const Refusal& r = GetParam();
    const std::unique_ptr<QWidget> panel(everytool::tool(r.tool).make(nullptr));
    if (r.choice)
        everytool::typeExample(*panel, r.choice);
    window::type(*panel, r.field, QString::fromUtf8(r.typed));
    EXPECT_TRUE(window::text(*panel, r.message).startsWith(QString::fromUtf8(r.says)))
        << window::text(*panel, r.message).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Tools, RefusedField,
    ::testing::Values(Refusal{"StandardCapacitor", "frmStandardValues", "txtTarget", "4x7", "lblTargetMessage",
                              "'4x7' is not a capacitance: write 100n, 4u7 or 0.1µF", "cboKind=Capacitor"},
                      Refusal{"MarkedValue", "frmMarkings", "txtValue", "4x7", "lblMarkMessage",
                              "'4x7' is not a resistance: write 4.7k"},
                      Refusal{"NetworkOfCapacitors", "frmNetwork", "txtNetwork", "1n || 4x7", "lblNetworkMessage",
                              "'4x7' is not a capacitance", "cboNetworkKind=Capacitors"},
                      Refusal{"DividerVin", "frmDividerDesign", "txtVin", "abc", "lblVinMessage",
                              "'abc' is not a voltage: write 5, 3.3 or 12V"},
                      Refusal{"LedCurrent", "frmLedResistor", "txtCurrent", "abc", "lblCurrentMessage",
                              "'abc' is not a current: write 10m, 20mA or 0.5"},
                      Refusal{"OhmsLawPower", "frmOhmsLaw", "txtPower", "abc", "lblPowerNote",
                              "'abc' is not a power: write 250m, 0.5 or 2W"},
                      Refusal{"AttenuatorImpedance", "frmAttenuator", "txtPadZ", "abc", "lblPadZMessage",
                              "'abc' is not an impedance"},
                      Refusal{"TimingCorner", "frmTiming", "txtRcTarget", "abc", "lblRcTargetMessage",
                              "'abc' is not a frequency: write 1k, 50 or 2.4GHz"},
                      Refusal{"FilterCorner", "frmFilters", "txtFilterCorner", "1 kV", "lblFilterCornerMessage",
                              "'1 kV' is not a frequency: write 1k, 50 or 2.4GHz"},
                      Refusal{"PassiveQ", "frmFilters", "txtPassiveQ", "high", "lblPassiveQMessage",
                              "'high' is not a number", "cboPassiveForm=RLC band pass"},
                      Refusal{"BoardPermittivity", "frmBoard", "txtViaEr", "FR4", "lblViaErMessage",
                              "'FR4' is not a permittivity"}),
    [](const auto& info) { return std::string(info.param.name); });

namespace {

class SteadyWindow : public ::testing::TestWithParam<tools::Tool> {};

QSize adjusted(QMainWindow* window)
{
    QCoreApplication::processEvents();
    window->adjustSize();
    return window->size();
}

} // namespace

// Sized as the shell sizes it, the window is as large with a message under or beside any field,
// on any page, as with the answer the message replaces.
TEST_P(SteadyWindow, KeepsItsSizeWhenAMessageComesAndGoes)
{
    const tools::Tool& tool = GetParam();
    shell::Project project{{{shell::panel(tool.window, tool.make)}, tool.window}};
    project.start();
    QMainWindow* window = project.form(tool.window).window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    everytool::typeExample(*window, tool.example);
    auto* tabs = window->findChild<QTabWidget*>();
    for (int page = 0; page < (tabs ? tabs->count() : 1); ++page) {
        if (tabs)
            tabs->setCurrentIndex(page);
        const QSize size = adjusted(window);
        for (QLineEdit* field : window->findChildren<QLineEdit*>()) {
            if (!field->isVisible() || !field->isEnabled() || field->isReadOnly())
                continue;
            SCOPED_TRACE(field->objectName().toStdString());
            const QString before = field->text();
            field->setText(QStringLiteral("abc"));
            EXPECT_EQ(adjusted(window), size);
            field->setText(before);
            EXPECT_EQ(adjusted(window), size);
        }
    }
    project.form(tool.window).unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, SteadyWindow,
                         ::testing::ValuesIn(tools::catalogue().begin(), tools::catalogue().end()), everytool::name);
