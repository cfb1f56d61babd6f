// SPDX-License-Identifier: MIT
#include "app/screens.h"
#include "cli/cli.h"
#include "shell/application.h"
#include "tools/catalogue.h"
#include "tools/latest.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

// What Qt said while the application was being made, and the first of it alone: why, when no
// platform starts.
QStringList& startupMessages()
{
    static QStringList messages;
    return messages;
}
QString& startupCause()
{
    static QString cause;
    return cause;
}

// Qt ends with qFatal, an abort and a core, when no platform plugin starts (-platform bogus, no
// X display): that is input the program cannot use, so it gets what any bad input gets, one
// line and status 2. The handler only stands while QApplication is made, so later faults still
// abort as they should.
void startupHandler(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type != QtFatalMsg) {
        startupMessages().append(qFormatLogMessage(type, context, text));
        if (startupCause().isEmpty())
            startupCause() = text.trimmed();
        return;
    }
    // Qt's warnings name the cause ("could not connect to display :9"); its fatal message the
    // platforms there are.
    QString why = startupCause().isEmpty() ? text.section(QLatin1Char('\n'), 0, 0) : startupCause();
    const QLatin1String platforms("Available platform plugins are: ");
    if (const qsizetype at = text.indexOf(platforms); at >= 0)
        why += QLatin1String(" (platforms: ") +
            text.mid(at + platforms.size()).section(QLatin1Char('\n'), 0, 0).trimmed().chopped(1) + QLatin1Char(')');
    cli::message(std::cerr, "cannot open the windows: " + why.trimmed().toStdString());
    std::_Exit(cli::exitUsage);
}

std::unique_ptr<QApplication> makeApplication(int& argc, char* argv[])
{
    const QtMessageHandler previous = qInstallMessageHandler(startupHandler);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    // Nothing went wrong: what Qt said goes out as it would have.
    for (const QString& m : std::as_const(startupMessages()))
        std::fprintf(stderr, "%s\n", qPrintable(m));
    startupMessages().clear();
    return application;
}

int runWindows(int& argc, char* argv[])
{
    const std::unique_ptr<QApplication> application = makeApplication(argc, argv);
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
    if (const auto error = cli::windowsArgumentsError(args))
        return cli::usage(std::cerr, *error);
    const int status = runWindows(argc, argv);
    tools::waitForWorkers();
    return status;
}
