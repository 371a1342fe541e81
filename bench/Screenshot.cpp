// SPDX-License-Identifier: GPL-3.0-or-later
// Shows the window on the display, enters the parabola's conditions on the
// keypad, clicks points of the parabola until 60 are kept and saves what
// the display shows of the window:
//
//   kavrel_screenshot <picture.png>
//
// scripts/screenshot.sh runs it on a private Xvfb server.

#include "Session.h"

#include "toolkit/Application.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <cstdio>

namespace {

constexpr int kTracedPoints = 60;

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <picture.png>\n", argv[0]);
        return 64;
    }
    const QString picture = QString::fromLocal8Bit(argv[1]);
    int qtArgc = 1;
    TApplication application(qtArgc, argv);
    session::ShowWindow();
    if (!session::TraceParabola(kTracedPoints)) {
        std::fprintf(stderr, "only %d points of the parabola were kept\n", session::Kavrel_Form->Lesson.ZanzoCount);
        return 1;
    }
    // Let the last frame reach the display before reading it back.
    session::PaintPendingFrame();
    QTest::qWait(300);
    const QPixmap shot = session::Kavrel_Form->screen()->grabWindow(session::Kavrel_Form->winId());
    if (shot.isNull() || !shot.save(picture, "PNG")) {
        std::fprintf(stderr, "could not grab the window into %s\n", argv[1]);
        return 1;
    }
    std::printf("%s: %dx%d\n", argv[1], shot.width(), shot.height());
    return 0;
}
