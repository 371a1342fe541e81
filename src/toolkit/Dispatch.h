#pragma once

#include <QString>
#include <functional>

// Every handler of the window runs through Dispatch, which catches whatever
// error escapes it, so no handler error can end the program. The error is
// shown in the error box and the program goes on with the next event.
enum class TEventCause {
    UserInput,  // a click, key or scroll gesture of the learner
    System,     // a repaint or activation that the window system asked for
};

void Dispatch(TEventCause cause, const std::function<void()>& handler);

// Shows an error. The default opens the modal error box; tests put a
// recorder here instead.
using TErrorBox = std::function<void(const QString& caption, const QString& text)>;
void SetErrorBox(TErrorBox box);

// The error box's text for a message: a "." is added when the message's
// last character sorts after ".".
QString ErrorBoxText(const QString& message);
