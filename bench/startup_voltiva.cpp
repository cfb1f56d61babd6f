// SPDX-License-Identifier: MIT
// The program's start-up exactly as app/main.cpp does it, plus the watch for the main
// screen's first paint; the program itself stays free of any such hook.
#include "firstpaint.h"

#include "app/screens.h"
#include "shell/application.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    FirstPaint firstPaint("frmMainScr");
    QApplication::instance()->installEventFilter(&firstPaint);

    shell::setUpApplication();

    shell::Project project(app::screens());
    project.start();
    return QApplication::exec();
}
