// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numbers/Zahyo.h"

#include <QString>
#include <array>

constexpr int STATE_COMPLETE = 9;
constexpr int ZANZO_MAX = 100;

// The state of one lesson: what the learner has typed and what the plane
// holds. The window owns one; everything is zero or empty when it is made.
struct TLesson {
    // The term the keypad edits: 0 none, 1 the line, 2 F's X, 3 F's Y, 4 PF, 5 PH.
    int InputTarget = 0;

    // Entry states: 0 empty, 1..8 in progress, STATE_COMPLETE or more
    // complete. The keys only set them or count them up: none is negative.
    int LineState = 0;
    int FxState = 0;
    int FyState = 0;
    int PfState = 0;
    int PhState = 0;

    // The fixed line is X = LineValue when LineAxis is 1, else Y = LineValue.
    int LineAxis = 0;
    int LineValue = 0;
    int FxValue = 0;
    int FyValue = 0;
    float RatioPF = 0.0f;
    float RatioPH = 0.0f;

    QString MinusMark;
    QString RootMark;
    QString LineName;

    int Scale = 0;
    TZahyoR TenF;
    TZahyoR TenH;
    // Ten[0] is P; Ten[1..ZanzoCount] are the kept points, oldest first.
    std::array<TZahyoR, ZANZO_MAX + 1> Ten{};
    int ZanzoCount = 0;
    TDot ClickDot;
    QString PText;

    // F is drawn when the product of its two states is above 1, and the
    // probe runs when the product of F's and the ratio's four states is not
    // 0. As no state is negative, both are read factor by factor: multiplied
    // out, the states overflow an int after a few thousand presses of "－".
    bool TenFShown() const { return FxState > 0 && FyState > 0 && (FxState > 1 || FyState > 1); }
    bool ProbeRuns() const { return FxState != 0 && FyState != 0 && PfState != 0 && PhState != 0; }

    // What the probe measures of P.
    TMeasure Measure() const { return MeasureRatio(TenF, TenH, Ten[0], RatioPF, RatioPH); }
};
