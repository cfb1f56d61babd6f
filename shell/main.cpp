// SPDX-License-Identifier: MIT
#include "shell/fonts.h"
#include "shell/project.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("voltiva"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    QGuiApplication::setDesktopFileName(QStringLiteral("voltiva"));
    // The program ends with its last screen, which the screens decide, not Qt.
    QApplication::setQuitOnLastWindowClosed(false);
    shell::installInterfaceFont();

    shell::Project project;
    project.start();
    return QApplication::exec();
}
