// SPDX-License-Identifier: MIT
// One Calculate press end to end on a real window (offscreen platform): from the mouse click on
// the button, through reading the fields, the arithmetic and the error report, to the result
// label painted into the window. Presses alternate between a result and an error so the label
// changes, and so repaints, every time.
// Usage: bench_calculate [presses per kind and screen]   (500 by default)
#include "shell/application.h"
#include "shell/form.h"
#include "shell/messagebox.h"
#include "shell/project.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Calculator {
    const char* screen;
    const char* button;
    const char* label;
    std::vector<const char*> fields;
    std::vector<std::vector<const char*>> results; // alternated, so each press shows a new line
    std::vector<const char*> error;
};

const Calculator calculators[] = {
    {"frmSerRes2",
     "cmdCalculate",
     "lblSerResTotal",
     {"txtResSer1", "txtResSer2"},
     {{"100", "220"}, {"470", "1000"}},
     {"100", "22O"}},
    {"frmSerRes3",
     "cmdCalculate",
     "lblSerResTotal",
     {"txtResSer1", "txtResSer2", "txtResSer3"},
     {{"1000", "2200", "470"}, {"10", "22", "47"}},
     {"1000", "2200", "4k7"}},
    {"frmParRes", "cmdCalculate", "lblParResTotal", {"txtR1", "txtR2"}, {{"1", "2"}, {"470", "1000"}}, {"5", "-5"}},
    {"frmSerCap2", "cmdCalculate", "lblSerCap2", {"txtCapSer1", "txtCapSer2"}, {{"1", "2"}, {"4.7", "10"}}, {"0", "0"}},
    {"frmSerCap3",
     "cmdCalculate",
     "lblSerCap3",
     {"txtCapSer1", "txtCapSer2", "txtCapSer3"},
     {{"10", "22", "47"}, {"1", "2", "3"}},
     {"10", "0", "47"}},
    {"frmParCap", "cmdCalulate", "lblParCapTotal", {"txtC1", "txtC2"}, {{"2.5", "3.25"}, {"100", "0.1"}}, {"2.5", "x"}},
    {"frmVoltageDiv",
     "cmdCalculate",
     "lblVoltDivTotal",
     {"txtVoltDivIn", "txtVoltDivR1", "txtVoltDivR2"},
     {{"12", "2000", "1000"}, {"5", "1000", "1000"}},
     {"12", "1k", "1000"}},
    // Typing a first band already blanks the value line, so the tolerance line is the one that
    // changes with every press.
    {"frmResistors",
     "ResistCalc",
     "lblTolerance",
     {"cboBand1", "cboBand2", "cboBand3", "cboTolerance"},
     {{"Brown", "Black", "Red", "Gold"}, {"Yellow", "Violet", "Orange", "Silver"}},
     {"Brown", "Black", "Red", "Gold?"}},
};

// Notes when a widget has been painted.
class PaintWatch : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

void typeInto(shell::Form& form, const Calculator& c, const std::vector<const char*>& texts)
{
    for (std::size_t k = 0; k < c.fields.size(); ++k) {
        const QString text = QString::fromUtf8(texts[k]);
        if (auto* field = form.control<QLineEdit>(c.fields[k]))
            field->setText(text);
        else
            form.control<QComboBox>(c.fields[k])->setEditText(text);
    }
    QCoreApplication::processEvents(); // the typing's own repaints are not the press's
}

// Microseconds from the click to the label's paint.
double press(QAbstractButton* button, PaintWatch& watch)
{
    watch.painted = false;
    const auto start = std::chrono::steady_clock::now();
    QTest::mouseClick(button, Qt::LeftButton);
    while (!watch.painted) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (std::chrono::steady_clock::now() - start > std::chrono::seconds(5)) {
            std::fprintf(stderr, "bench_calculate: the result was never painted\n");
            std::exit(1);
        }
    }
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::micro>(end - start).count();
}

struct Figures {
    double median;
    double worst;
};

Figures figures(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back()};
}

} // namespace

int main(int argc, char* argv[])
{
    const int presses = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    shell::silenceOffscreenNotices();
    QApplication app(argc, argv);
    shell::setUpApplication();
    QLocale::setDefault(QLocale::c());
    // The real report box would wait for someone to close it; its text is still made.
    shell::setMessageSink([](QWidget*, const QString&) {});
    shell::Project project;
    project.setOnLastUnloaded([] {});

    std::printf("Calculate press, click to painted result, offscreen platform, %d presses of each kind\n", presses);
    std::printf("%-16s %14s %14s %14s %14s\n", "screen", "result median", "result worst", "error median",
                "error worst");
    std::vector<double> allResults;
    std::vector<double> allErrors;
    for (const Calculator& c : calculators) {
        project.show(c.screen);
        shell::Form& form = project.form(c.screen);
        if (!QTest::qWaitForWindowExposed(form.window())) {
            std::fprintf(stderr, "bench_calculate: %s was never shown\n", c.screen);
            return 1;
        }
        auto* button = form.control<QAbstractButton>(c.button);
        PaintWatch watch;
        form.control<QLabel>(c.label)->installEventFilter(&watch);

        std::vector<double> results;
        std::vector<double> errors;
        for (int k = 0; k < presses; ++k) {
            typeInto(form, c, c.results[static_cast<std::size_t>(k) % c.results.size()]);
            results.push_back(press(button, watch));
            typeInto(form, c, c.error);
            errors.push_back(press(button, watch));
        }
        const Figures r = figures(results);
        const Figures e = figures(errors);
        std::printf("%-16s %11.0f us %11.0f us %11.0f us %11.0f us\n", c.screen, r.median, r.worst, e.median, e.worst);
        allResults.insert(allResults.end(), results.begin(), results.end());
        allErrors.insert(allErrors.end(), errors.begin(), errors.end());
        form.unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    const Figures r = figures(allResults);
    const Figures e = figures(allErrors);
    std::printf("%-16s %11.0f us %11.0f us %11.0f us %11.0f us\n", "all screens", r.median, r.worst, e.median, e.worst);
    return 0;
}
