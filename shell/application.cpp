// SPDX-License-Identifier: MIT
#include "shell/application.h"

#include "shell/fonts.h"

#include <QApplication>

namespace shell {

void setUpApplication()
{
    QApplication::setApplicationName(QStringLiteral("voltiva"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
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

void silenceOffscreenNotices()
{
    qInstallMessageHandler(withoutOffscreenNotices);
}

} // namespace shell
