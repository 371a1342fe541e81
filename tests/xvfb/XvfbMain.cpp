// SPDX-License-Identifier: GPL-3.0-or-later
#include "Weston.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The tests watch the real program on a real X server, or in a Wayland
// session of weston's: they take the screen's size through a connection of
// their own, so this process must talk to the same server, never to an
// offscreen one.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const bool wayland = Weston::Active();
    if (qEnvironmentVariableIsEmpty(wayland ? "WAYLAND_DISPLAY" : "DISPLAY")) {
        fprintf(stderr, "xvfb_tests: no display; run through scripts/xvfb-session.sh or scripts/weston-session.sh\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", wayland ? "wayland" : "xcb");
    // Keeps Qt quiet about a missing runtime directory on bare test machines.
    const QTemporaryDir runtimeDir;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit());
    int qtArgc = 1;
    QGuiApplication application(qtArgc, argv);
    return RUN_ALL_TESTS();
}
