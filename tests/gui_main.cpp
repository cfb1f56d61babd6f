// SPDX-License-Identifier: MIT
// Window tests run on Qt's offscreen platform, in the C locale, set up as the program is.
#include "shell/application.h"
#include "tools/latest.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    // A data folder of this process's own: never the user's My parts, and no two tests that
    // ctest runs side by side writing one file.
    const QTemporaryDir dataHome;
    if (!dataHome.isValid())
        return 1;
    qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (dataHome.path() + QStringLiteral("/config")).toLocal8Bit());
    // Some runs give the offscreen platform a scale or screens of different ratios.
    const auto application = shell::startOffscreen(argc, argv, shell::fromEnvironment);
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    tools::waitForWorkers();
    return status;
}
