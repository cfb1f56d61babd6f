// SPDX-License-Identifier: MIT
#include "gui.h"

#include "shell/widgets.h"

#include <QImage>
#include <QMainWindow>

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

TEST_F(ScreenTest, EveryPictureIsShownWholeAtItsOwnSize)
{
    for (const Picture& p : everyPicture) {
        SCOPED_TRACE(std::string(p.screen) + "." + p.box);
        project.show(p.screen);
        auto* box = control<shell::PictureBox>(p.screen, p.box);
        ASSERT_NE(box, nullptr);
        const QImage picture = box->picture().toImage();
        EXPECT_EQ(picture.size(), p.size);
        EXPECT_FALSE(box->accessibleName().isEmpty());

        // Drawn unscaled from the top left of the box's inner area, nothing cut off.
        const QRect inner = box->contentsRect();
        EXPECT_TRUE(inner.contains(QRect(inner.topLeft(), p.size)));
        box->clearFocus();
        const QImage shown = box->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage expected = picture.convertToFormat(QImage::Format_RGB32);
        int differing = 0;
        for (int y = 0; y < p.size.height(); ++y)
            for (int x = 0; x < p.size.width(); ++x)
                differing += shown.pixel(inner.left() + x, inner.top() + y) != expected.pixel(x, y);
        EXPECT_EQ(differing, 0);
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
