// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kavrelsrc.h"

#include <QPoint>
#include <QString>
#include <Qt>
#include <functional>

// One action of the learner, recorded concretely enough to be replayed on
// a fresh window and printed as the lines of a regular test.
enum class TGesture {
    Click,        // press and release on a control, at a point of it
    DoubleClick,  // press, release, double-click press, release
    Drag,         // left press, two moves, release (a scroll bar's thumb)
    Key,          // a key pressed and released on the widget with the focus
};

struct TMonkeyEvent {
    TGesture gesture = TGesture::Click;
    // The control by its name in the window ("PaintBox1", "Btn05", ...);
    // empty for the window's client area itself.
    QString control;
    Qt::MouseButton button = Qt::LeftButton;
    QPoint at;  // in the control's own coordinates
    QPoint to;  // where a drag ends
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers;
};

// The widget an event goes to in the current window, or nullptr.
QWidget* TargetOf(const TKavrel_Form& form, const TMonkeyEvent& event);

// A key that presses the focused push button: space, return or enter, alone.
bool ActivatesButton(const TMonkeyEvent& event);

// Sends the event to the window as real Qt mouse and key events, calling
// beginGesture just before each press (a double click has two). When
// `interrupted` says that an error box opened, the rest of the gesture was
// made while the box was open and is not sent. Returns false when the
// event was skipped: the quit key is the one thing the learner can press
// that ends the run.
bool Perform(TKavrel_Form& form, const TMonkeyEvent& event, const std::function<void()>& beginGesture,
             const std::function<bool()>& interrupted);

// Where the learner lets go of the mouse button of the event, in the
// window's coordinates.
QPoint ReleasePoint(const TKavrel_Form& form, const TMonkeyEvent& event);

// The number of presses of the mouse button the event makes (a double
// click makes two).
int Presses(const TMonkeyEvent& event);

// The event as C++ lines for the body of a test on the KavrelWindow
// fixture (tests/support), which offers Form().
QString Code(const TMonkeyEvent& event);
