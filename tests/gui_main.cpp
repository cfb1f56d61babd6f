// SPDX-License-Identifier: MIT
// Window tests run on Qt's offscreen platform, in the C locale, set up as the program is.
#include "shell/application.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    // Some runs give the offscreen platform a scale or screens of different ratios.
    const auto application = shell::startOffscreen(argc, argv, shell::fromEnvironment);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
