// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kavrelsrc.h"

#include <QString>
#include <QStringList>
#include <map>
#include <numeric>

// What the window's handlers did during one event.
struct THandlerLog {
    std::map<QString, int> buttonClicks;  // push buttons' clicks, by name
    std::map<QString, int> toggleClicks;  // toggle buttons' clicks, by name
    int planePresses = 0;                 // runs of the plane's mouse-down handler
    int scrollNotifications = 0;          // runs of the scroll bar's handler
    int scrollsAfterFailure = 0;          // of which came after one that failed, in the same gesture
    int positionAtFailure = -1;           // Position during the notification that failed; -1: none failed
    // Carried from event to event: the ScrollPos of the last notification,
    // if it failed. Scale then holds its scale while Position stayed.
    int failedScrollPos = -1;
    int gesturesBegun = 0;                // presses of a mouse button or a key sent
    int systemRepaintsOnF = 0;            // repaints of the plane the window system asked for that met P on F
    QStringList expectedErrors;           // "caption|text" of the reports the window owes
    QStringList reportedErrors;           // what the error box showed
};

// The clicks of one button, by name, in buttonClicks or toggleClicks.
inline int ClicksOf(const std::map<QString, int>& clicks, const QString& name)
{
    const auto found = clicks.find(name);
    return found == clicks.end() ? 0 : found->second;
}

// The clicks of all buttons in buttonClicks or toggleClicks.
inline int AllClicks(const std::map<QString, int>& clicks)
{
    return std::accumulate(clicks.begin(), clicks.end(), 0, [](int sum, const auto& entry) { return sum + entry.second; });
}

// Watches a window: wraps the handlers of the plane, the scroll bar and the
// toggle buttons (each wrapper runs the original one unchanged), listens to
// the push buttons' clicks and captures the error box, writing all of it
// into `log`. The wrappers also say which errors the window must report:
// the division error of P on F, met by a handler run (a click, a scroll
// notification, a repaint) while the probe runs with P on F, is reported
// once per gesture of the learner (a mouse press, a double-click press or a
// key press begins one), at the first run that meets it.
class TWatch {
public:
    explicit TWatch(TKavrel_Form& form);
    ~TWatch();
    TWatch(const TWatch&) = delete;
    TWatch& operator=(const TWatch&) = delete;

    // The monkey calls this just before it sends each press.
    void BeginGesture()
    {
        reportDue_ = true;
        scrollFailed_ = false;
        ++log.gesturesBegun;
    }

    // Error boxes go to the real modal box from now on (ModalErrorBoxes
    // answers them) instead of the recorder.
    void UseModalBox();

    THandlerLog log;

private:
    void WrapPlane(TKavrel_Form& form);
    void WrapScrollBar(TKavrel_Form& form);
    void WrapToggles(TKavrel_Form& form);
    void ListenToButtons(TKavrel_Form& form);
    // After a run of PaintBox1Paint, thrown out of or not: notes the error
    // that the probe had to raise, if the gesture has not reported yet.
    void AfterRepaint();

    const TLesson& lesson_;
    bool reportDue_ = true;
    bool scrollFailed_ = false;
};
