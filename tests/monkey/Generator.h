// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MonkeyEvent.h"

#include <cstdint>
#include <random>

// Picks the learner's next action at random, from a seed, looking at the
// window as it is now; each kind of action is one of the functions below.
class TGenerator {
public:
    explicit TGenerator(std::uint64_t seed);

    TMonkeyEvent Next(const TKavrel_Form& form);

private:
    int Below(int n);
    bool OneIn(int n);
    QPoint Inside(const QRect& rect);
    Qt::MouseButton AnyButton();

    TMonkeyEvent KeypadKey(const TKavrel_Form& form);
    TMonkeyEvent ToggleButton(const TKavrel_Form& form);
    TMonkeyEvent RetryButton(const TKavrel_Form& form);
    TMonkeyEvent AnywhereOnWindow(const TKavrel_Form& form);
    TMonkeyEvent OnControl(QWidget* control, Qt::MouseButton button);
    TMonkeyEvent OnPlane(QPoint pixel);
    TMonkeyEvent PlaneAtRandom(const TKavrel_Form& form);
    TMonkeyEvent PlaneNearCurve(const TKavrel_Form& form);
    TMonkeyEvent PlaneOnF(const TKavrel_Form& form);
    TMonkeyEvent PlaneOnLine(const TKavrel_Form& form);
    TMonkeyEvent PlaneOnP(const TKavrel_Form& form);
    TMonkeyEvent PlaneOnKeptPoint(const TKavrel_Form& form);
    TMonkeyEvent OnScrollBar(const TKavrel_Form& form, const QRect& part);
    TMonkeyEvent ScrollArrow(const TKavrel_Form& form);
    TMonkeyEvent ScrollTrack(const TKavrel_Form& form);
    TMonkeyEvent ScrollThumbDrag(const TKavrel_Form& form);
    TMonkeyEvent KeyPress(const TKavrel_Form& form);

    std::mt19937_64 random_;
    // Events left of a run of clicks along the curve, as a learner tracing
    // it would make: the only way to fill the store before the next
    // confirmation empties it.
    int tracing_ = 0;
};
