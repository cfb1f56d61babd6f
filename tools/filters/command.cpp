// SPDX-License-Identifier: MIT
#include "tools/filters/command.h"

#include "cli/filter.h"
#include "tools/plots.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QPalette>
#include <QScopeGuard>

#include <array>
#include <memory>

namespace tools {

namespace {

std::string writePicture(const std::string& path, const values::FilterDesign& design,
                         const values::FilterCurves& curves)
{
    // The command line runs before any window: a painter needs an application, one that shows
    // nothing.
    std::unique_ptr<QGuiApplication> app;
    // Qt's notes on the way (no runtime folder, fonts) are not the command's to print.
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    const auto restore = qScopeGuard([previous] { qInstallMessageHandler(previous); });
    if (QGuiApplication::instance() == nullptr) {
        static int argc = 3;
        static char name[] = "voltiva";
        static char platform[] = "-platform";
        static char offscreen[] = "offscreen";
        static char* argv[] = {name, platform, offscreen, nullptr};
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    const schematic::Plot plot = plots::filter(design, curves, QLocale::c());
    // Black on white, whatever the desktop's colours: a picture for a page.
    QPalette palette;
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::Highlight, QColor(0x1f, 0x5f, 0xbf));
    const QString file = QString::fromStdString(path);
    QByteArray bytes;
    if (file.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        bytes = plot.svg(palette);
    } else {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        plot.image({}, 2.0, palette).save(&buffer, "PNG");
    }
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(bytes) != bytes.size() || !out.flush())
        return "cannot write '" + path + "'";
    out.close();
    return out.error() == QFileDevice::NoError ? std::string() : "cannot write '" + path + "'";
}

int run(const cli::Arguments& a, std::ostream& out, std::ostream& err)
{
    return cli::runFilter(a, out, err, writePicture);
}

} // namespace

std::span<const cli::Command> filterCommands()
{
    static const std::array<cli::Command, 1> table{{{"filter", cli::filterSyntax(), run}}};
    return table;
}

} // namespace tools
