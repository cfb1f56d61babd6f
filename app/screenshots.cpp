// SPDX-License-Identifier: MIT
// Renders every screen as it first opens to <folder>/<screen>.png: the client area with its
// menu bar, in the program's own fonts, at one device pixel per logical pixel.
#include "app/screens.h"
#include "shell/application.h"
#include "shell/form.h"

#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QMainWindow>
#include <QPixmap>

#include <cstdio>

int main(int argc, char* argv[])
{
    // The pictures must not depend on the display of whoever runs this.
    const auto application = shell::startOffscreen(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }

    // A picture in a stand-in font would show captions the user never sees.
    const QString family = QFontInfo(QFont(QStringLiteral("MS Sans Serif"))).family();
    if (family != QLatin1String("MS Sans Serif")) {
        std::fprintf(stderr, "MS Sans Serif is missing (got %s): install fonts-wine\n", qPrintable(family));
        return 1;
    }

    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }

    shell::Project project(app::screens());
    project.setOnLastUnloaded([] {});
    int failures = 0;
    for (const std::string& name : project.screenNames()) {
        shell::Form& form = project.form(name);
        form.show();
        QApplication::processEvents();
        QMainWindow* window = form.window();
        const QPixmap picture = window->grab();
        const QString path = folder.filePath(QString::fromStdString(name) + QStringLiteral(".png"));
        if (picture.size() != window->size() || !picture.save(path, "PNG")) {
            std::fprintf(stderr, "%s: could not render %dx%d\n", qPrintable(path), window->width(), window->height());
            ++failures;
        } else {
            std::printf("%s %dx%d\n", qPrintable(path), picture.width(), picture.height());
        }
        form.unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return failures == 0 ? 0 : 1;
}
