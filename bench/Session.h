// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kavrelsrc.h"

#include <QPoint>
#include <QStringList>

// The program's window driven as a learner drives it: keypad keys and
// clicks on the plane go through real mouse events. Shared by the
// benchmarks and by the screenshot session.
namespace session {

// The window that ShowWindow made.
extern TKavrel_Form* Kavrel_Form;

// Creates the window and shows it as at start-up (its activation resets the
// conditions); fails the process if the window never shows.
void ShowWindow();

// Presses the keypad's keys in turn, by caption: "Ｙ＝", "－", "２", "決定"...
void Keys(const QStringList& captions);

// A left click on the plane at pixel (x, y) of the paint box.
void ClickPlane(QPoint pixel);

// The line Y = -1, F = (0, 1) and PF : PH = 1 : 1: the parabola Y = X²/4.
QStringList ParabolaKeys();

// Enters the parabola's conditions, then clicks pixels of the parabola
// from left to right, spread over the plane, until `count` points are kept.
// Every click is one that the probe keeps, so the last segments are
// fuchsia. Returns false when fewer points could be kept.
bool TraceParabola(int count);

// A pixel on the parabola (plane X = 2, Y = 1 at the start scale) whose
// click the probe accepts with no error.
QPoint PointOnParabola();

// Paints at once whatever of the window waits to be repainted, as the
// window system's next frame would.
void PaintPendingFrame();

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget);
    int Count() const { return count_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int count_ = 0;
};

}  // namespace session
