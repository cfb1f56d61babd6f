// SPDX-License-Identifier: MIT
#include "app/screens.h"
#include "shell/application.h"

#include <QApplication>

namespace {

int runWindows(int argc, char* argv[])
{
    QApplication application(argc, argv);
    shell::setUpApplication();
    shell::Project project(app::screens());
    project.start();
    return QApplication::exec();
}

} // namespace

int main(int argc, char* argv[])
{
    // A command line, when one is given, will be handled here, before and without any window:
    //     if (argc > 1)
    //         return cli::run({argv + 1, argv + argc}, std::cout, std::cerr);
    return runWindows(argc, argv);
}
