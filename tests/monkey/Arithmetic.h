// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kavrelsrc.h"
#include "plane/ProbeExpectation.h"

#include <cstdint>

// The probe's measure, redone by the monkey apart from the program's sums
// (plane/ProbeExpectation.h) to judge what the window did.

// H for a P: the foot of the perpendicular on the fixed line.
inline TZahyoR FootOnLine(TZahyoR p)
{
    const float c = float(LineValue);
    return LineAxis == 1 ? TZahyoR{c, p.Y} : TZahyoR{p.X, c};
}

inline float ProbeError(TZahyoR p, TZahyoR f, TZahyoR h)
{
    return ExpectedProbeError(p, f, h, RatioPF, RatioPH);
}

inline bool Keepable(float e)
{
    return ExpectedKept(e);
}

// The repaint reaches the probe while no term of F or of the ratio is empty.
inline bool ProbeRuns()
{
    return std::int64_t(FxState) * FyState * PfState * PhState != 0;
}

// P exactly on F leaves PF² = 0 to divide by.
inline bool POnF()
{
    return ExpectedKyori(TenF, Ten[0]) == 0.0f;
}

inline bool POnLine()
{
    return ExpectedKyori(TenH, Ten[0]) == 0.0f;
}
