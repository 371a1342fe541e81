// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kavrelsrc.h"

#include <cmath>
#include <cstdint>

// The probe's measure, redone by the monkey to judge what the window did.

// H for a P: the foot of the perpendicular on the fixed line.
inline TZahyoR FootOnLine(const TLesson& lesson, TZahyoR p)
{
    const float c = float(lesson.LineValue);
    return lesson.LineAxis == 1 ? TZahyoR{c, p.Y} : TZahyoR{p.X, c};
}

// e = |PF·RatioPH − PH·RatioPF|, the roots and products in extended
// precision, the result rounded to Single, as the probe forms it.
inline float ProbeError(const TLesson& lesson, TZahyoR p, TZahyoR f, TZahyoR h)
{
    const float pf2 = Kyori(f, p);
    const float ph2 = Kyori(h, p);
    return float(std::fabs(std::sqrt(static_cast<long double>(pf2)) * lesson.RatioPH
                           - std::sqrt(static_cast<long double>(ph2)) * lesson.RatioPF));
}

inline bool Keepable(float e)
{
    return static_cast<long double>(e) < 0.05L;
}

// The repaint reaches the probe while no term of F or of the ratio is empty.
inline bool ProbeRuns(const TLesson& lesson)
{
    return std::int64_t(lesson.FxState) * lesson.FyState * lesson.PfState * lesson.PhState != 0;
}

// P exactly on F leaves PF² = 0 to divide by.
inline bool POnF(const TLesson& lesson)
{
    return Kyori(lesson.TenF, lesson.Ten[0]) == 0.0f;
}

inline bool POnLine(const TLesson& lesson)
{
    return Kyori(lesson.TenH, lesson.Ten[0]) == 0.0f;
}
