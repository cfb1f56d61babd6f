// SPDX-License-Identifier: MIT
// Renders every screen as it first opens to <folder>/<screen>.png: the client area with its
// menu bar, in the program's own fonts, at one device pixel per logical pixel, or with
// --scale N at N device pixels per logical pixel, as a high-density desktop shows it.
#include "app/screens.h"
#include "shell/application.h"
#include "shell/fonts.h"
#include "shell/form.h"
#include "tools/catalogue.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFontInfo>
#include <QLineEdit>
#include <QMainWindow>
#include <QPixmap>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

// Types a tool's worked example into its window ("txtVin=5;txtVout=3.3"): a field gets the
// text, a list the item, a tab page its title, a button a click; then lets it answer.
void fillExample(QWidget& window, const std::string& name)
{
    for (const tools::Tool& tool : tools::catalogue()) {
        if (name != tool.window)
            continue;
        for (const QString& entry : QString::fromUtf8(tool.example).split(u';', Qt::SkipEmptyParts)) {
            const QString control = entry.section(u'=', 0, 0);
            const QString text = entry.section(u'=', 1);
            auto* w = window.findChild<QWidget*>(control);
            if (auto* field = qobject_cast<QLineEdit*>(w)) {
                field->setText(text);
            } else if (auto* list = qobject_cast<QComboBox*>(w)) {
                list->setCurrentIndex(list->findText(text));
            } else if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
                for (int i = 0; i < tabs->count(); ++i) {
                    if (tabs->tabText(i).remove(u'&') == text)
                        tabs->setCurrentIndex(i);
                }
            } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
                button->click();
            } else {
                std::fprintf(stderr, "%s: no control %s for its example\n", tool.window, qPrintable(control));
            }
        }
        // Searches answer from a worker thread within milliseconds.
        QEventLoop settle;
        QTimer::singleShot(400, &settle, &QEventLoop::quit);
        settle.exec();
    }
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

    shell::Project project(app::screens());
    project.setOnLastUnloaded([] {});
    int failures = 0;
    for (const std::string& name : project.screenNames()) {
        shell::Form& form = project.form(name);
        form.show();
        QApplication::processEvents();
        QMainWindow* window = form.window();
        fillExample(*window, name);
        const QPixmap picture = window->grab();
        const QString path = folder.filePath(QString::fromStdString(name) + QStringLiteral(".png"));
        if (picture.deviceIndependentSize().toSize() != window->size() || !picture.save(path, "PNG")) {
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
