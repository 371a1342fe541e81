// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WindowPicture.h"

#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>

// The real program, started as a learner starts it, on the X server of
// DISPLAY. It is driven only through real X events (xdotool) and watched
// through screenshots. A program still running when the object goes is
// killed.
class KavrelProgram {
public:
    KavrelProgram();
    ~KavrelProgram();
    KavrelProgram(const KavrelProgram&) = delete;
    KavrelProgram& operator=(const KavrelProgram&) = delete;

    // Starts the program and waits until its window is mapped; false, with
    // the reason in Problem(), when it does not come.
    bool Start();
    const QString& Problem() const { return problem_; }

    // The client area on the screen, and the window manager's frame around
    // it (the client area itself where there is none).
    QRect ClientRect() const { return client_; }
    QRect FrameRect() const { return frame_; }

    // A left click (press and release) at a point of the client area.
    void ClickClient(QPoint client);
    void ClickPlane(QPoint plane) { ClickClient(PlaneToClient(plane)); }
    // Clicks the keypad's keys in turn, by caption.
    void Keys(const QStringList& captions);
    // Asks the window to close, as the close box does (WM_DELETE_WINDOW).
    bool RequestClose();

    WindowPicture Picture() const;

    bool WaitForExit(int milliseconds) { return !Running() || process_.waitForFinished(milliseconds); }
    bool Running() const { return process_.state() != QProcess::NotRunning; }
    QProcess::ExitStatus ExitStatus() const { return process_.exitStatus(); }
    int ExitCode() const { return process_.exitCode(); }
    // What the program wrote on its standard output and error.
    QString Output();

private:
    bool FindWindow();
    bool ReadWindowPlace();
    bool ReadPlace(QRect& client, QRect& frame);

    QProcess process_;
    QByteArray output_;
    unsigned long window_ = 0;
    QRect client_;
    QRect frame_;
    QString problem_;
};

// Asks `done` again and again, keeping this process's events going, until it
// is true (true) or the time is up (false).
bool PollUntil(const std::function<bool()>& done, int milliseconds);
