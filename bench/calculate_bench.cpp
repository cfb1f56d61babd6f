// SPDX-License-Identifier: MIT
// One Calculate press end to end on a real window (offscreen platform): from the mouse click on
// the button, through reading the fields, the arithmetic and the error report, to the result
// label painted into the window. Presses alternate between a result and an error so the label
// changes, and so repaints, every time.
// Usage: bench_calculate [presses per kind and screen]   (500 by default)
#include "app/screens.h"
#include "calculators/catalogue.h"
#include "shell/application.h"
#include "shell/form.h"
#include "shell/messagebox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string_view>
#include <vector>

namespace {

// What a screen's presses type: texts alternated for a result, so each press shows a new line,
// and texts for an error.
struct Inputs {
    const char* screen;
    std::vector<std::vector<const char*>> results;
    std::vector<const char*> error;
};

const Inputs calculatorInputs[] = {
    {"frmSerRes2", {{"100", "220"}, {"470", "1000"}}, {"100", "22O"}},
    {"frmSerRes3", {{"1000", "2200", "470"}, {"10", "22", "47"}}, {"1000", "2200", "4k7"}},
    {"frmParRes", {{"1", "2"}, {"470", "1000"}}, {"5", "-5"}},
    {"frmSerCap2", {{"1", "2"}, {"4.7", "10"}}, {"0", "0"}},
    {"frmSerCap3", {{"10", "22", "47"}, {"1", "2", "3"}}, {"10", "0", "47"}},
    {"frmParCap", {{"2.5", "3.25"}, {"100", "0.1"}}, {"2.5", "x"}},
    {"frmVoltageDiv", {{"12", "2000", "1000"}, {"5", "1000", "1000"}}, {"12", "1k", "1000"}},
};
// The colour-code reader's bands. Typing blanks the line a list feeds; every row has other
// bands, all recognised, so every press writes the value line anew.
const Inputs colourCodeInputs{"frmResistors",
                              {{"Brown", "Black", "Red", "Gold"}, {"Yellow", "Violet", "Orange", "Silver"}},
                              {"Red", "Red", "Brown", "Gold?"}};

// One screen as the benchmark drives it.
struct Target {
    const char* screen;
    std::string_view button;
    const char* label;
    std::vector<const char*> fields;
    const Inputs* inputs;
};

std::vector<Target> targets()
{
    std::vector<Target> all;
    for (const calculators::Calculator& c : calculators::catalogue()) {
        const auto* inputs = std::find_if(std::begin(calculatorInputs), std::end(calculatorInputs),
                                          [&c](const Inputs& i) { return std::string_view(i.screen) == c.name(); });
        if (inputs == std::end(calculatorInputs)) {
            std::fprintf(stderr, "bench_calculate: no inputs for %s\n", c.name());
            std::exit(1);
        }
        all.push_back({c.name(), c.button(), c.resultLabel(), c.fields, inputs});
    }
    const calculators::ColourCodeScreen& colour = calculators::colourCode;
    all.push_back({colour.name(),
                   colour.button,
                   colour.valueLabel,
                   {colour.bands.begin(), colour.bands.end()},
                   &colourCodeInputs});
    return all;
}

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

void typeInto(shell::Form& form, const Target& c, const std::vector<const char*>& texts)
{
    for (std::size_t k = 0; k < c.fields.size(); ++k) {
        const QString text = QString::fromUtf8(texts[k]);
        if (auto* field = form.control<QLineEdit>(c.fields[k]))
            field->setText(text);
        else
            form.require<QComboBox>(c.fields[k])->setEditText(text);
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
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const auto application = shell::startOffscreen(argc, argv);
    // The real report box would wait for someone to close it; its text is still made.
    shell::setMessageSink([](QWidget*, const QString&) {});
    shell::Project project(app::screens());
    project.setOnLastUnloaded([] {});

    std::printf("Calculate press, click to painted result, offscreen platform, %d presses of each kind\n", presses);
    std::printf("%-16s %14s %14s %14s %14s\n", "screen", "result median", "result worst", "error median",
                "error worst");
    std::vector<double> allResults;
    std::vector<double> allErrors;
    for (const Target& c : targets()) {
        project.show(c.screen);
        shell::Form& form = project.form(c.screen);
        if (!QTest::qWaitForWindowExposed(form.window())) {
            std::fprintf(stderr, "bench_calculate: %s was never shown\n", c.screen);
            return 1;
        }
        auto* button = form.require<QAbstractButton>(c.button);
        PaintWatch watch;
        form.require<QLabel>(c.label)->installEventFilter(&watch);

        std::vector<double> results;
        std::vector<double> errors;
        for (int k = 0; k < presses; ++k) {
            typeInto(form, c, c.inputs->results[static_cast<std::size_t>(k) % c.inputs->results.size()]);
            results.push_back(press(button, watch));
            typeInto(form, c, c.inputs->error);
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
