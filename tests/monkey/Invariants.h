// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MonkeyEvent.h"
#include "Watch.h"

#include <QList>
#include <QString>
#include <array>

// A broken rule: which invariant (a short stable name, so that shrinking
// can keep to the same fault) and what was seen.
struct TFailure {
    QString invariant;
    QString detail;
};

// What the window is given, as seen before the event.
enum class TInputKind {
    PlanePress,   // a mouse button on the plane
    ScrollMouse,  // a mouse gesture on the scroll bar
    ScrollKey,    // a key that moves the focused scroll bar
    ButtonMouse,  // a mouse gesture on a push button
    ButtonKey,    // a key that presses the focused push button
    ToggleMouse,  // a mouse gesture on a toggle button
    Other,        // anything else: keys and clicks that the window ignores
};

// The state that the checks after an event compare with.
struct TSnapshot {
    int zanzoCount = 0;
    std::array<TZahyoR, ZANZO_MAX + 1> ten{};
    bool allComplete = false;
    bool probeRuns = false;
    QString target;  // the control the event goes to
    TInputKind kind = TInputKind::Other;
};

TSnapshot Snapshot(const TKavrel_Form& form, const TMonkeyEvent& event);

// Every invariant of the window after an event that was performed.
QList<TFailure> CheckAfterEvent(const TKavrel_Form& form, const TMonkeyEvent& event, const TSnapshot& before,
                                const THandlerLog& log);
