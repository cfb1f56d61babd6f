// SPDX-License-Identifier: MIT
// Every tool's drawings as a person reads them: texts never smaller than the window's own, however
// wide the circuit and however small the window, and a part whose value is unknown named once and
// said to be not given.
#include "shell/fonts.h"
#include "shell/panelform.h"
#include "shell/project.h"
#include "tools/catalogue.h"
#include "tools/circuitview.h"
#include "tools/markings/markings.h"
#include "tools/standardvalues/myparts.h"

#include "window.h"

#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QMainWindow>
#include <QPaintEngine>
#include <QPainter>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

// A picture that keeps the size of every text painted on it, in logical pixels, and draws nothing.
class TextSizes : public QImage {
public:
    TextSizes(QSize size, qreal ratio)
        : QImage(size * ratio, QImage::Format_ARGB32_Premultiplied)
    {
        setDevicePixelRatio(ratio);
    }
    QPaintEngine* paintEngine() const override { return &engine_; }
    const std::vector<double>& sizes() const { return engine_.sizes; }

private:
    struct Engine : QPaintEngine {
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPath(const QPainterPath&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawTextItem(const QPointF&, const QTextItem& text) override
        {
            // The size asked for: a face with a single bitmap size reports that whatever is asked.
            // Widgets are rendered through a transform that takes in the pixel ratio.
            const QFont& font = text.font();
            const double pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
            sizes.push_back(pixels * std::abs(painter()->combinedTransform().m22()) /
                            paintDevice()->devicePixelRatioF());
        }
        Type type() const override { return QPaintEngine::User; }

        std::vector<double> sizes;
    };
    mutable Engine engine_;
};

// The drawings on show: circuits and the Markings resistor.
std::vector<QWidget*> drawings(const QWidget& window)
{
    std::vector<QWidget*> found;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if ((qobject_cast<tools::CircuitView*>(w) || qobject_cast<tools::ResistorDrawing*>(w)) &&
            w->isVisibleTo(&window))
            found.push_back(w);
    }
    return found;
}

// Every search answered, every circuit on show drawn.
bool answered(const QWidget& window)
{
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->isVisibleTo(&window) && label->text() == QStringLiteral("Searching..."))
            return false;
    }
    return std::ranges::none_of(drawings(window), [](QWidget* w) {
        const auto* view = qobject_cast<tools::CircuitView*>(w);
        return view && view->drawing().isEmpty();
    });
}

const tools::Tool& tool(const char* window)
{
    for (const tools::Tool& t : tools::catalogue()) {
        if (std::string(t.window) == window)
            return t;
    }
    throw std::runtime_error(std::string("no tool ") + window);
}

class Drawings : public ::testing::Test {
protected:
    void SetUp() override { QFile::remove(tools::myparts::filePath()); }
    void TearDown() override
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QFile::remove(tools::myparts::filePath());
    }
};

// Run at 1x and, by ctest, at 2x, where the window's face is another.
using CircuitViewText = Drawings;

TEST_F(CircuitViewText, IsNeverSmallerThanTheWindowsFontInAnyTool)
{
    struct Case {
        const char* window;
        std::string example;
    };
    std::vector<Case> cases;
    for (const tools::Tool& t : tools::catalogue())
        cases.push_back({t.window, t.example});
    // The widest circuits: a string of LEDs, the 555 with its diode, a network of five parts.
    cases.push_back({"frmLedResistor", "txtSupply=24;txtForward=3.2;txtCount=3;txtCurrent=20m"});
    cases.push_back({"frmTiming", "tabTiming=555 timer;chk555Diode=1;txt555R1=1.234M;txt555R2=1.234M;txt555C=4.7u"});
    cases.push_back({"frmNetwork", "txtNetwork=(1.234M + 47k) || (100k + 220k + 4k7)"});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.window + std::string(" ") + c.example);
        const tools::Tool& t = tool(c.window);
        shell::Project project{{{shell::panel(t.window, t.make)}, t.window}};
        project.start();
        QMainWindow* window = project.form(t.window).window();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        window::typeExample(*window, c.example.c_str());
        ASSERT_TRUE(window::waitFor([window] { return answered(*window); }));
        const int font = QFontInfo(shell::interfaceFont(window->devicePixelRatioF())).pixelSize();

        // As it opens, then squeezed to the least the window allows.
        for (const bool smallest : {false, true}) {
            SCOPED_TRACE(smallest ? "the window at its smallest" : "the window as it opens");
            if (smallest) {
                window->resize(window->minimumSizeHint());
                QApplication::processEvents();
            }
            for (QWidget* drawing : drawings(*window)) {
                SCOPED_TRACE(drawing->objectName().toStdString());
                TextSizes texts(drawing->size(), drawing->devicePixelRatioF());
                drawing->render(&texts);
                ASSERT_GT(texts.sizes().size(), 1U);
                EXPECT_GE(*std::min_element(texts.sizes().begin(), texts.sizes().end()), font);
            }
        }
        project.form(t.window).unload();
    }
}

// Two words alike side by side: "L L", "R1 R1".
bool doubled(const QString& text)
{
    static const QRegularExpression twice(QStringLiteral(R"((?:^|\s)(\S+) \1(?:$|\s))"));
    return twice.match(text).hasMatch();
}

TEST_F(Drawings, NameAPartOnceAndSayWhenItsValueIsNotGiven)
{
    // Every tool as it opens, nothing typed.
    for (const tools::Tool& t : tools::catalogue()) {
        SCOPED_TRACE(t.window);
        const std::unique_ptr<QWidget> panel(t.make(nullptr));
        for (const auto* view : panel->findChildren<tools::CircuitView*>()) {
            EXPECT_FALSE(doubled(view->drawing().description())) << view->drawing().description().toStdString();
            for (const auto& label : view->drawing().labels())
                EXPECT_FALSE(doubled(label.text)) << label.text.toStdString();
        }
    }

    // Some parts typed: the others named alone, or drawn as the answer gives them.
    const struct {
        const char* typed;
        const char* view;
        const char* words;
    } cases[] = {
        {"", "picRc", "A low-pass filter: R not given from in to out, C not given from out to ground"},
        {"txtRcR=10k", "picRc", "R 10 kΩ from in to out, C not given from out"},
        {"txtReactanceC=100n", "picReactance", "A tank: L not given in parallel with C 100 nF"},
        {"txtReactanceF=1k;txtReactanceC=100n", "picReactance", "L 253.3 mH in parallel with C 100 nF"},
        {"txtReactanceF=1k;txtReactanceL=10m", "picReactance", "L 10 mH in parallel with C 2.533 µF"},
        {"txtLcL=10u", "picLc", "L 10 µH in parallel with C not given"},
        {"txt555C=10n", "pic555", "R1 not given from the supply to discharge, R2 not given from"},
        {"opt555Monostable=1;txt555R1=100k", "pic555",
         "R 100 kΩ from the supply to discharge and threshold, C not given"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const std::unique_ptr<QWidget> panel(tool("frmTiming").make(nullptr));
        window::typeExample(*panel, c.typed);
        const QString words = window::child<tools::CircuitView>(*panel, c.view)->drawing().description();
        EXPECT_TRUE(words.contains(QString::fromUtf8(c.words))) << words.toStdString();
        EXPECT_FALSE(doubled(words)) << words.toStdString();
    }
}

} // namespace
