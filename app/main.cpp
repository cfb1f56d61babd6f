// SPDX-License-Identifier: MIT
#include "app/screens.h"
#include "cli/cli.h"
#include "shell/application.h"
#include "tools/catalogue.h"

#include <QApplication>

#include <iostream>
#include <string>
#include <vector>

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
    // A command prints its answer and exits before any window, or Qt itself, exists; anything
    // else (no arguments, Qt's own options) opens the windows.
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (cli::isCommandLine(args))
        return cli::runOnStandardStreams(args, tools::commands());
    return runWindows(argc, argv);
}
