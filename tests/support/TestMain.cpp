// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/Application.h"

#include <gtest/gtest.h>

// Every test binary runs inside one application object, as the program does.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", KAVREL_HEADLESS_PLATFORM);
    int qtArgc = 1;
    TApplication application(qtArgc, argv);
    return RUN_ALL_TESTS();
}
