// SPDX-License-Identifier: MIT
#include "shell/application.h"

#include "shell/fonts.h"
#include "voltiva/version.h"

#include <QApplication>
#include <QLocale>

namespace shell {

void setUpApplication()
{
    QApplication::setApplicationName(QStringLiteral("voltiva"));
    QApplication::setApplicationVersion(QString::fromLatin1(voltiva::shortVersionText));
    QGuiApplication::setDesktopFileName(QStringLiteral("voltiva"));
    // The program ends with its last screen, which the screens decide, not Qt.
    QApplication::setQuitOnLastWindowClosed(false);
    installInterfaceFont();
}

namespace {
void withoutOffscreenNotices(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!message.startsWith(QLatin1String("This plugin does not support")))
        qt_message_output(type, context, message);
}
} // namespace

std::unique_ptr<QApplication> startOffscreen(int& argc, char** argv, double scale)
{
    qInstallMessageHandler(withoutOffscreenNotices);
    if (scale == fromEnvironment) {
        if (!qEnvironmentVariable("QT_QPA_PLATFORM").startsWith(QLatin1String("offscreen")))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        if (scale == 1)
            qunsetenv("QT_SCALE_FACTOR");
        else
            qputenv("QT_SCALE_FACTOR", QByteArray::number(scale));
    }
    auto app = std::make_unique<QApplication>(argc, argv);
    setUpApplication();
    QLocale::setDefault(QLocale::c());
    return app;
}

} // namespace shell
