// SPDX-License-Identifier: MIT
// What a tool says about a value it refuses: examples of the field's own kind, in a place kept for
// it, so the window keeps its size.
#include "shell/panelform.h"
#include "shell/project.h"
#include "tools/catalogue.h"
#include "tools/standardvalues/myparts.h"

#include "everytool.h"
#include "window.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QMainWindow>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

void PrintTo(const QSize& size, std::ostream* os)
{
    *os << size.width() << "x" << size.height();
}

namespace {

using window::child;

std::unique_ptr<QWidget> makeTool(const char* name)
{
    for (const tools::Tool& tool : tools::catalogue()) {
        if (std::string(tool.window) == name)
            return std::unique_ptr<QWidget>(tool.make(nullptr));
    }
    throw std::runtime_error(std::string("no tool ") + name);
}

struct Refusal {
    const char* name;
    const char* tool;
    const char* field;
    const char* typed;
    const char* message;          // the label it shows in
    const char* says;             // how the message starts
    const char* choice = nullptr; // a list set first: "cboKind=1"
};

class RefusedField : public ::testing::TestWithParam<Refusal> {
protected:
    void SetUp() override { QFile::remove(tools::myparts::filePath()); }
    void TearDown() override { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

} // namespace

TEST_P(RefusedField, GivesExamplesOfItsOwnKind)
{
    const Refusal& r = GetParam();
    const std::unique_ptr<QWidget> panel = makeTool(r.tool);
    if (r.choice) {
        const QStringList choice = QString::fromLatin1(r.choice).split(u'=');
        child<QComboBox>(*panel, choice[0].toLatin1().constData())->setCurrentIndex(choice[1].toInt());
    }
    window::type(*panel, r.field, QString::fromUtf8(r.typed));
    const QString shown = window::text(*panel, r.message);
    EXPECT_TRUE(shown.contains(QString::fromUtf8(r.says))) << shown.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Tools, RefusedField,
    ::testing::Values(
        Refusal{"DividerVin", "frmDividerDesign", "txtVin", "abc", "lblVinMessage",
                "'abc' is not a voltage: write 5, 3.3 or 12V"},
        Refusal{"LedForward", "frmLedResistor", "txtForward", "2x", "lblForwardMessage",
                "'2x' is not a voltage: write 5, 3.3 or 12V"},
        Refusal{"LedCurrent", "frmLedResistor", "txtCurrent", "abc", "lblCurrentMessage",
                "'abc' is not a current: write 10m, 20mA or 0.5"},
        Refusal{"OhmsLawPower", "frmOhmsLaw", "txtPower", "abc", "lblPowerNote",
                "'abc' is not a power: write 250m, 0.5 or 2W"},
        Refusal{"TimingCapacitor", "frmTiming", "txtRcC", "abc", "lblRcCMessage",
                "'abc' is not a capacitance: write 100n, 4u7 or 0.1µF"},
        Refusal{"TimingCorner", "frmTiming", "txtRcTarget", "abc", "lblRcTargetMessage",
                "'abc' is not a frequency: write 1k, 50 or 2.4GHz"},
        Refusal{"TimerDuty", "frmTiming", "txt555Duty", "abc", "lbl555DutyMessage", "'abc' is not a duty cycle"},
        Refusal{"AttenuatorImpedance", "frmAttenuator", "txtPadZ", "abc", "lblPadZMessage",
                "'abc' is not an impedance: write 50, 75 or 600"},
        Refusal{"BoardCurrent", "frmBoard", "txtTrackCurrent", "1A5", "lblTrackCurrentMessage",
                "'1A5' is not a current"},
        Refusal{"BoardPermittivity", "frmBoard", "txtViaEr", "FR4", "lblViaErMessage", "'FR4' is not a permittivity"},
        Refusal{"StandardCapacitor", "frmStandardValues", "txtTarget", "4x7", "lblTargetMessage",
                "'4x7' is not a capacitance: write 100n", "cboKind=1"},
        Refusal{"NetworkOfCapacitors", "frmNetwork", "txtNetwork", "1n || 4x7", "lblNetworkMessage",
                "'4x7' is not a capacitance", "cboNetworkKind=1"},
        Refusal{"MarkedValue", "frmMarkings", "txtValue", "4x7", "lblMarkMessage",
                "'4x7' is not a resistance: write 4.7k, 4k7 or 4700"}),
    [](const auto& info) { return std::string(info.param.name); });

namespace {

class SteadyWindow : public ::testing::TestWithParam<tools::Tool> {
protected:
    void SetUp() override { QFile::remove(tools::myparts::filePath()); }
    void TearDown() override
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QFile::remove(tools::myparts::filePath());
    }
};

QSize adjusted(QMainWindow* window)
{
    QCoreApplication::processEvents();
    window->adjustSize();
    return window->size();
}

} // namespace

// Sized as the shell sizes it, the window is as large with a message under or beside any field as
// with the answer the message replaces.
TEST_P(SteadyWindow, KeepsItsSizeWhenAMessageComesAndGoes)
{
    const tools::Tool& tool = GetParam();
    shell::Project project{{{shell::panel(tool.window, tool.make)}, tool.window}};
    project.start();
    QMainWindow* window = project.form(tool.window).window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    // With answers shown, so refusing one takes them away too.
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
}

INSTANTIATE_TEST_SUITE_P(Catalogue, SteadyWindow,
                         ::testing::ValuesIn(tools::catalogue().begin(), tools::catalogue().end()), everytool::name);
