// SPDX-License-Identifier: GPL-3.0-or-later
// The bare window (BareWindow.h) for the start-up comparison. Ends after
// its first frame, like StartupKavrel.cpp.

#include "BareWindow.h"
#include "FirstFrame.h"

#include <QApplication>

int main(int, char** argv)
{
    int argc = 1;
    QApplication application(argc, argv);
    const std::unique_ptr<QWidget> window = MakeBareWindow();
    FirstFrame firstFrame(window.get());
    window->show();
    return application.exec();
}
