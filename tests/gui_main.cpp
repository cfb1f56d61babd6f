// SPDX-License-Identifier: MIT
// Window tests run on Qt's offscreen platform, in the C locale, with the program's fonts.
#include "shell/fonts.h"

#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

namespace {
// The offscreen platform cannot raise windows; saying so for every show is noise.
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!message.startsWith(QLatin1String("This plugin does not support")))
        qt_message_output(type, context, message);
}
} // namespace

int main(int argc, char* argv[])
{
    qInstallMessageHandler(quietHandler);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QLocale::setDefault(QLocale::c());
    shell::installInterfaceFont();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
