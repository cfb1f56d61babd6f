// SPDX-License-Identifier: MIT
// What a desktop shows of the running program beside what the package installs: every
// window carries the icon installed under share/icons/hicolor, at each of its sizes.
#include "gui.h"

#include <QMainWindow>

namespace {
const QList<QSize> hicolorSizes = {{16, 16}, {22, 22}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}};
} // namespace

TEST_F(ScreenTest, EveryWindowCarriesTheApplicationIconAtEveryHicolorSize)
{
    for (const std::string& name : project.screenNames()) {
        SCOPED_TRACE(name);
        shell::Form& f = form(name.c_str());
        f.show();
        const QIcon icon = f.window()->windowIcon();
        // A missing resource leaves its size out silently, and the desktop scales another.
        EXPECT_EQ(icon.availableSizes(), hicolorSizes);
        f.unload();
    }
}
