// SPDX-License-Identifier: MIT
// The program's start-up exactly as shell/main.cpp does it, plus the watch for the main
// screen's first paint; the program itself stays free of any such hook.
#include "firstpaint.h"

#include "shell/application.h"
#include "shell/project.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    FirstPaint firstPaint("frmMainScr");
    QApplication::instance()->installEventFilter(&firstPaint);

    shell::setUpApplication();

    shell::Project project;
    project.start();
    return QApplication::exec();
}
