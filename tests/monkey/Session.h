// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Invariants.h"
#include "MonkeyEvent.h"
#include "Watch.h"
#include "support/ModalErrorBoxes.h"

#include <QList>
#include <QString>
#include <functional>
#include <cstdint>
#include <memory>
#include <random>

// What a run went through, to show that it reached the states worth
// checking.
struct TStats {
    long long events = 0;             // performed
    long long skippedQuits = 0;       // events that would have pressed "終わる"
    long long errorsReported = 0;
    long long planeClicksOnF = 0;     // plane events that reported P on F
    long long scrollsOnF = 0;         // scroll events that reported P on F
    long long repaintsOnF = 0;        // repaints the window system asked for that met P on F
    long long probes = 0;             // plane presses that reached the probe
    long long pointsKept = 0;
    long long storeFilled = 0;        // times the store reached 100 points
    long long confirmations = 0;      // "決定" with all five terms complete
    long long resets = 0;             // "再試行"
    long long scrollNotifications = 0;
};

// A fault planted in the window by the monkey itself, to show that the
// invariants catch it and the shrinker finds its few events.
enum class TPlantedFault {
    None,
    KeepOnScroll,  // a scroll also keeps a qualifying P
    MinusCompletes,  // the minus key makes an incomplete coordinate complete
    Runaway,  // a failing scroll step does not end the scroll bar's gesture
};

// How the error box is shown: the recorder notes it and returns at once;
// the modal box is the program's own, with its nested event loop, open for
// a random time during which the learner lets go of the mouse.
enum class TErrorBoxKind { Recorder, Modal };

// A new window as at start-up, with a lesson of its own, and its handlers
// watched. Only one lives at a time: the watch takes the error box.
class TSession {
public:
    explicit TSession(TPlantedFault fault = TPlantedFault::None, TErrorBoxKind box = TErrorBoxKind::Recorder,
                      std::uint64_t seed = 1);
    ~TSession();
    TSession(const TSession&) = delete;
    TSession& operator=(const TSession&) = delete;

    TKavrel_Form& Form() { return *form_; }

    // Performs the event on the window, lets it process what follows, and
    // checks every invariant. Returns the failures.
    QList<TFailure> Step(const TMonkeyEvent& event);

    const TStats& Stats() const { return stats_; }

private:
    void Count(const TSnapshot& before, const THandlerLog& log);
    void Plant(TPlantedFault fault);

    TKavrel_Form* form_ = nullptr;
    std::unique_ptr<TWatch> watch_;
    std::unique_ptr<ModalErrorBoxes> boxes_;
    std::mt19937_64 boxTimes_;
    TStats stats_;
};

// Replays events on a fresh session; the index of the event after which
// the first failure showed, or -1, and its failures.
struct TReplay {
    int failedAt = -1;
    QList<TFailure> failures;
};
TReplay Replay(const QList<TMonkeyEvent>& events, TPlantedFault fault, TErrorBoxKind box);
