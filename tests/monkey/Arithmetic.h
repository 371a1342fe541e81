// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kavrelsrc.h"
#include "plane/ProbeExpectation.h"


// The probe's measure, redone by the monkey apart from the program's sums
// (plane/ProbeExpectation.h) to judge what the window did.

// H for a P: the foot of the perpendicular on the fixed line.
inline TZahyoR FootOnLine(const TLesson& lesson, TZahyoR p)
{
    const float c = float(lesson.LineValue);
    return lesson.LineAxis == 1 ? TZahyoR{c, p.Y} : TZahyoR{p.X, c};
}

// e for a P and its H, with the lesson's F and ratio.
inline float ProbeError(const TLesson& lesson, TZahyoR p, TZahyoR h)
{
    return ExpectedProbeError(p, lesson.TenF, h, lesson.RatioPF, lesson.RatioPH);
}

// The repaint reaches the probe while no term of F or of the ratio is empty.
inline bool ProbeRuns(const TLesson& lesson)
{
    return lesson.FxState != 0 && lesson.FyState != 0 && lesson.PfState != 0 && lesson.PhState != 0;
}

// P exactly on F leaves PF² = 0 to divide by.
inline bool POnF(const TLesson& lesson)
{
    return ExpectedKyori(lesson.TenF, lesson.Ten[0]) == 0.0f;
}

inline bool POnLine(const TLesson& lesson)
{
    return ExpectedKyori(lesson.TenH, lesson.Ten[0]) == 0.0f;
}
