// SPDX-License-Identifier: MIT
// Window tests run on Qt's offscreen platform, in the C locale, set up as the program is.
#include "shell/application.h"

#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    shell::silenceOffscreenNotices();
    // The offscreen platform may be given options, such as screens of different ratios.
    if (!qEnvironmentVariable("QT_QPA_PLATFORM").startsWith(QLatin1String("offscreen")))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    shell::setUpApplication();
    QLocale::setDefault(QLocale::c());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
