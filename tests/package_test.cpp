// SPDX-License-Identifier: MIT
// What a desktop shows of the running program beside what the package installs: every
// window carries the icon installed under share/icons/hicolor, at each of its sizes.
#include "gui.h"

#include "shell/icon.h"

#include <QMainWindow>
#include <QPainter>
#include <QTest>

namespace {
const QList<QSize> hicolorSizes = {{16, 16}, {22, 22}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}};
} // namespace

TEST_F(ScreenTest, EveryWindowCarriesTheApplicationIconAtEveryHicolorSize)
{
    for (const std::string& name : project.screenNames()) {
        SCOPED_TRACE(name);
        shell::Form& f = form(name.c_str());
        f.show();
        // Given once the window has drawn itself, not before: start-up does not wait for it.
        QMainWindow* window = f.window();
        EXPECT_TRUE(window->windowIcon().isNull());
        EXPECT_TRUE(QTest::qWaitFor([&] { return !window->windowIcon().isNull(); }));
        // A missing resource leaves its size out silently, and the desktop scales another.
        EXPECT_EQ(window->windowIcon().availableSizes(), hicolorSizes);
        f.unload();
    }
}

// The icon decodes a picture only when a size is asked for; what it then draws must be what an
// icon holding every picture would draw, at any size, ratio and mode, asked for first or after
// others.
TEST_F(ScreenTest, TheIconDrawsWhatAnIconOfEveryPictureWouldDraw)
{
    const QString pictures = QStringLiteral(":/icons/hicolor/%1x%1/apps/voltiva.png");
    QIcon everyPicture;
    for (const QSize& size : hicolorSizes)
        everyPicture.addFile(pictures.arg(size.width()), size);
    const auto painted = [](const QIcon& icon, QSize size, qreal ratio, QIcon::Mode mode) {
        QImage canvas(size * ratio, QImage::Format_ARGB32_Premultiplied);
        canvas.setDevicePixelRatio(ratio);
        canvas.fill(Qt::transparent);
        QPainter painter(&canvas);
        icon.paint(&painter, QRect(QPoint(), size), Qt::AlignCenter, mode);
        return canvas;
    };
    const QIcon used = shell::iconOfSizes(pictures, {16, 22, 24, 32, 48, 64, 128, 256});
    for (int side : {1, 15, 16, 17, 20, 23, 24, 40, 64, 100, 129, 256, 400}) {
        for (qreal ratio : {1.0, 2.0}) {
            for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active}) {
                SCOPED_TRACE(testing::Message() << side << " px at " << ratio << "x, mode " << mode);
                const QSize size(side, side);
                const QImage expected = everyPicture.pixmap(size, ratio, mode).toImage();
                ASSERT_FALSE(expected.isNull());
                for (const QIcon& icon : {used, shell::iconOfSizes(pictures, {16, 22, 24, 32, 48, 64, 128, 256})}) {
                    EXPECT_EQ(icon.actualSize(size, mode), everyPicture.actualSize(size, mode));
                    EXPECT_EQ(icon.pixmap(size, ratio, mode).toImage(), expected);
                    EXPECT_EQ(painted(icon, size, ratio, mode), painted(everyPicture, size, ratio, mode));
                }
            }
        }
    }
}
