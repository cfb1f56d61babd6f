// SPDX-License-Identifier: MIT
#include "gui.h"

#include "shell/widgets.h"

#include <QImage>
#include <QMainWindow>
#include <QPixmap>

#include <cmath>
#include <string>

namespace {

struct Picture {
    const char* screen = nullptr;
    const char* box = nullptr;
    QSize size;
};

const Picture everyPicture[] = {
    {"frmMainScr", "Picture1", {54, 52}},          {"frmSeries", "Picture1", {54, 52}},
    {"frmParallel", "Picture1", {54, 52}},         {"frmSeriesResistors", "Picture1", {54, 52}},
    {"frmSeriesCapacitors", "Picture1", {54, 52}}, {"frmParRes", "Picture1", {54, 52}},
    {"frmParCap", "Picture1", {54, 52}},           {"frmResistors", "Picture1", {54, 52}},
    {"frmTransistors", "Picture1", {54, 52}},      {"frmTransistors", "Picture2", {74, 76}},
    {"frmTransistors", "Picture3", {74, 76}},      {"frmTransistors", "Picture4", {74, 76}},
    {"frmCapacitors", "Picture1", {54, 52}},       {"frmCapacitors", "Picture2", {74, 76}},
    {"frmCapacitors", "Picture3", {74, 76}},       {"frmCapacitors", "Picture4", {74, 76}},
    {"frmAboutProg", "Picture1", {54, 52}},
};

} // namespace

// At ratio 1 the picture file itself; at 2 and 3 the file drawn at that many pixels, shown
// as it is; in between the next larger one reduced to the ratio. Always the same logical size.
TEST_F(ScreenTest, EveryPictureIsShownWholeAtItsOwnSize)
{
    for (const Picture& p : everyPicture) {
        SCOPED_TRACE(std::string(p.screen) + "." + p.box);
        project.show(p.screen);
        auto* box = control<shell::PictureBox>(p.screen, p.box);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->picture().size(), p.size);
        EXPECT_FALSE(box->accessibleName().isEmpty());

        const qreal ratio = box->devicePixelRatioF();
        const QPixmap shown = box->shownPicture();
        EXPECT_EQ(shown.devicePixelRatio(), ratio);
        EXPECT_EQ(shown.size(), QSize(qRound(p.size.width() * ratio), qRound(p.size.height() * ratio)));
        EXPECT_EQ(shown.deviceIndependentSize().toSize(), p.size);
        if (ratio != std::floor(ratio))
            continue; // the box's border falls between device pixels

        // Drawn unscaled from the top left of the box's inner area, nothing cut off.
        const QRect inner = box->contentsRect();
        EXPECT_TRUE(inner.contains(QRect(inner.topLeft(), p.size)));
        box->clearFocus();
        const QImage drawn = box->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage expected = shown.toImage().convertToFormat(QImage::Format_RGB32);
        const QPoint origin = inner.topLeft() * ratio;
        int differing = 0;
        for (int y = 0; y < expected.height(); ++y)
            for (int x = 0; x < expected.width(); ++x)
                differing += drawn.pixel(origin.x() + x, origin.y() + y) != expected.pixel(x, y);
        EXPECT_EQ(differing, 0);
    }
}

// The larger pictures are the artwork drawn again at more pixels: an enlargement of the
// one-to-one picture would only repeat its pixels.
TEST(Pictures, EachIsDrawnAtTwoAndThreeTimesItsPixels)
{
    const struct {
        const char* name;
        qreal ratio;
        const char* file;
    } choices[] = {
        {"ratio 1 shows the file itself", 1.0, ":/assets/main.png"},
        {"1.25 reduces the twice-size file", 1.25, ":/assets/main@2x.png"},
        {"2 shows the twice-size file", 2.0, ":/assets/main@2x.png"},
        {"2.5 reduces the three-times file", 2.5, ":/assets/main@3x.png"},
        {"3 shows the three-times file", 3.0, ":/assets/main@3x.png"},
        {"4 enlarges nothing smaller than three times", 4.0, ":/assets/main@3x.png"},
    };
    for (const auto& c : choices)
        EXPECT_EQ(shell::pictureFileFor(QStringLiteral(":/assets/main.png"), c.ratio), QLatin1String(c.file)) << c.name;

    for (const char* picture : {"main", "series", "parallel", "resistor", "transistor", "capacitor", "to5", "to92",
                                "to220", "ceramic", "electrolytic", "tantalum"}) {
        SCOPED_TRACE(picture);
        const QString base = QStringLiteral(":/assets/") + QLatin1String(picture);
        const QImage one(base + QStringLiteral(".png"));
        ASSERT_FALSE(one.isNull());
        for (int scale : {2, 3}) {
            const QImage larger(base + QStringLiteral("@%1x.png").arg(scale));
            ASSERT_EQ(larger.size(), one.size() * scale) << scale;
            const QImage enlarged = one.scaled(one.size() * scale).convertToFormat(QImage::Format_RGB32);
            EXPECT_NE(larger.convertToFormat(QImage::Format_RGB32), enlarged) << scale;
        }
    }
}

TEST_F(ScreenTest, ReferenceScreensKeepOneInstanceAndCloseBothWays)
{
    project.start();
    const struct {
        const char* screen = nullptr;
        const char* close;
        std::function<void()> open;
    } cases[] = {
        {"frmTransistors", "cmdDone", [this] { click("frmMainScr", "cmdTransistors"); }},
        {"frmCapacitors", "cmdDoneC", [this] { click("frmMainScr", "cmdCapacitors"); }},
        {"frmHowTo", "cmdDone", [this] { control<QAction>("frmMainScr", "mnuHelpHow")->trigger(); }},
        {"frmAboutProg", "cmdAboutOk", [this] { control<QAction>("frmMainScr", "mnuHelpAbout")->trigger(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.screen);
        c.open();
        QMainWindow* first = form(c.screen).window();
        c.open();
        EXPECT_EQ(form(c.screen).window(), first);
        EXPECT_EQ(visibleScreens().count(c.screen), 1);
        click(c.screen, c.close);
        EXPECT_FALSE(form(c.screen).isLoaded());
        c.open();
        form(c.screen).window()->close();
        EXPECT_FALSE(form(c.screen).isLoaded());
    }
    EXPECT_EQ(visibleScreens(), QStringList{"frmMainScr"});
}

TEST_F(ScreenTest, HelpAndAboutTextsAreExact)
{
    project.show("frmHowTo");
    EXPECT_EQ(caption("frmHowTo", "Label1"), "1.  Click on which function you would like to use.");
    EXPECT_EQ(caption("frmHowTo", "Label3"), "     component measurement.");
    EXPECT_EQ(caption("frmHowTo", "Label5"), "Note:  All fields must be filled unless otherwise stated.");
    project.show("frmAboutProg");
    auto* title = control<QLabel>("frmAboutProg", "Label1");
    EXPECT_EQ(title->text(), "Voltiva V1.0");
    EXPECT_DOUBLE_EQ(title->font().pointSizeF(), 13.5);
    EXPECT_TRUE(title->font().bold());
}
