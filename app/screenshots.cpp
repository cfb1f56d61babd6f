// SPDX-License-Identifier: MIT
// Renders every screen as it first opens to <folder>/<screen>.png: the client area with its
// menu bar, in the program's own fonts, at one device pixel per logical pixel, or with
// --scale N at N device pixels per logical pixel, as a high-density desktop shows it.
#include "app/screens.h"
#include "shell/application.h"
#include "shell/fonts.h"
#include "shell/form.h"
#include "tools/catalogue.h"
#include "tools/latest.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFontInfo>
#include <QMainWindow>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

// Grabs a window as it is drawn, as <folder>/<name>.png; false when it cannot.
bool render(QMainWindow& window, const QDir& folder, const QString& name)
{
    // Searches answer from a worker thread within milliseconds.
    QEventLoop settle;
    QTimer::singleShot(400, &settle, &QEventLoop::quit);
    settle.exec();
    const QPixmap picture = window.grab();
    const QString path = folder.filePath(name + QStringLiteral(".png"));
    if (picture.deviceIndependentSize().toSize() != window.size() || !picture.save(path, "PNG")) {
        std::fprintf(stderr, "%s: could not render %dx%d\n", qPrintable(path), window.width(), window.height());
        return false;
    }
    std::printf("%s %dx%d\n", qPrintable(path), picture.width(), picture.height());
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    const bool scaled = argc == 4 && std::strcmp(argv[1], "--scale") == 0 && std::atof(argv[2]) > 0;
    if (argc != 2 && !scaled) {
        std::fprintf(stderr, "usage: %s [--scale N] FOLDER\n", argv[0]);
        return 2;
    }
    const char* folderName = argv[argc - 1];
    // The pictures must not depend on the display of whoever runs this.
    const auto application = shell::startOffscreen(argc, argv, scaled ? std::atof(argv[2]) : 1.0);

    // A picture in a stand-in font would show captions the user never sees.
    // The fonts the screens use at ratio 1 and at any other ratio.
    const std::pair<const char*, QFont> fonts[] = {{"MS Sans Serif", shell::interfaceFont(1.0)},
                                                   {"Tahoma", shell::interfaceFont(2.0)}};
    for (const auto& [wanted, font] : fonts) {
        const QString family = QFontInfo(font).family();
        if (family != QLatin1String(wanted)) {
            std::fprintf(stderr, "%s is missing (got %s): install fonts-wine\n", wanted, qPrintable(family));
            return 1;
        }
    }

    const QDir folder(QString::fromLocal8Bit(folderName));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", folderName);
        return 1;
    }

    // Every tool as it first opens, with its worked example: never what the user last typed.
    const QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    shell::Project project(app::screens());
    project.setOnLastUnloaded([] {});
    int failures = 0;
    for (const std::string& name : project.screenNames()) {
        shell::Form& form = project.form(name);
        // The workbench is pictured at each tool, with its worked example, named after the tool.
        std::vector<std::pair<std::string, std::string>> views{{name, {}}};
        if (name == "frmWorkbench") {
            for (const tools::Tool& tool : tools::catalogue())
                views.emplace_back(tool.window, tool.window);
        }
        for (const auto& [picture, part] : views) {
            form.showPart(part);
            QApplication::processEvents();
            if (!render(*form.window(), folder, QString::fromStdString(picture)))
                ++failures;
        }
        form.unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    tools::waitForWorkers();
    return failures == 0 ? 0 : 1;
}
