// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <xcb/xcb.h>

// Tells the start-up driver that a window has shown its first frame: after
// the first paint event of the watched widget, once the frame it is part of
// has been painted and handed to the window system (on an X server: once
// the server has received it), writes one line on standard output (with the
// processor time spent so far) and ends the event loop.
class FirstFrame : public QObject {
public:
    explicit FirstFrame(QWidget* watched) { watched->installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // A zero timer runs once the whole frame is done.
            QTimer::singleShot(0, this, [] {
                WaitUntilTheServerHasTheFrame();
                std::printf("first frame after %.3f ms of processor time\n", ProcessorMilliseconds());
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    // A round trip: the server answers only after every earlier request,
    // the frame's among them.
    static void WaitUntilTheServerHasTheFrame()
    {
        const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
        if (!connection)
            return;
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    }

    // User and system time of all the process's threads so far.
    static double ProcessorMilliseconds()
    {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const auto milliseconds = [](const timeval& time) { return time.tv_sec * 1e3 + time.tv_usec / 1e3; };
        return milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime);
    }

    bool seen_ = false;
};
