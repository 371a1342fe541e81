// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

class QWidget;

// Every handler of the window runs through Dispatch, which catches whatever
// error escapes it, so no handler error can end the program. The error is
// shown in the error box and the program goes on with the next event.
//
// Each gesture of the learner reports at most one error: a click on a
// scroll bar's arrow that fails at the step and again at its end, or the
// repaints that the window system asks for afterwards, meet the error that
// was already reported. Nothing is reported while the box is open.
//
// False when the handler failed: whatever the caller would have done after
// it must not happen, as the error leaves every caller up to the dispatch.
bool Dispatch(const std::function<void()>& handler);

// A press of a mouse button or a key begins a new gesture of the learner.
void BeginUserGesture();

// A control that holds the mouse from a press to its release. An error that
// escapes any handler while it does ends its gesture there: the error box
// takes the release, so the control lets go at once and sends nothing more
// of that gesture (no repeated step, no end of the scroll).
class TMouseHolder {
public:
    virtual void AbandonGesture() = 0;

protected:
    ~TMouseHolder() = default;
};

void HoldMouse(TMouseHolder* holder);
void LetGoOfMouse(TMouseHolder* holder);
// False once the holder has let go, or an error has ended its gesture.
bool HoldsMouse(const TMouseHolder* holder);

// Shows an error. The default opens the modal error box; tests put a
// recorder here instead.
using TErrorBox = std::function<void(const QString& caption, const QString& text)>;
void SetErrorBox(TErrorBox box);

// The box's caption, and the window the default box stands over (none when
// it gives none): the application hands over its title and main window.
void SetErrorBoxOwner(const QString& caption, std::function<QWidget*()> window);

// The error box's text for a message: a "." is added when the message's
// last character sorts after ".".
QString ErrorBoxText(const QString& message);
