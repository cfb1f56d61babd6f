// SPDX-License-Identifier: MIT
// Renders every screen as it first opens to <folder>/<screen>.png: the client area with its
// menu bar, in the program's own fonts, at one device pixel per logical pixel, or with
// --scale N at N device pixels per logical pixel, as a high-density desktop shows it. Each
// picture waits --settle MS (400) for the answers the screen computes as it opens.
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

// Grabs a window as it is drawn, as <folder>/<name>.png, after `settleMs` for the answers that
// arrive from worker threads (searches take milliseconds, the field solution starts 250 ms after
// the last change); false when it cannot.
bool render(QMainWindow& window, const QDir& folder, const QString& name, int settleMs)
{
    QEventLoop settle;
    QTimer::singleShot(settleMs, &settle, &QEventLoop::quit);
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
    double scale = 1.0;
    int settleMs = 400;
    int i = 1;
    for (; i + 1 < argc && argv[i][0] == '-'; i += 2) {
        if (std::strcmp(argv[i], "--scale") == 0)
            scale = std::atof(argv[i + 1]);
        else if (std::strcmp(argv[i], "--settle") == 0)
            settleMs = std::atoi(argv[i + 1]);
        else
            break;
    }
    if (i != argc - 1 || !(scale > 0) || settleMs < 0) {
        std::fprintf(stderr, "usage: %s [--scale N] [--settle MS] FOLDER\n", argv[0]);
        return 2;
    }
    const char* folderName = argv[i];
    // The pictures must not depend on the display of whoever runs this.
    const auto application = shell::startOffscreen(argc, argv, scale);

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
            if (!render(*form.window(), folder, QString::fromStdString(picture), settleMs))
                ++failures;
        }
        form.unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    tools::waitForWorkers();
    return failures == 0 ? 0 : 1;
}
