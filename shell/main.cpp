// SPDX-License-Identifier: MIT
#include "shell/application.h"
#include "shell/project.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    shell::setUpApplication();
    shell::Project project;
    project.start();
    return QApplication::exec();
}
