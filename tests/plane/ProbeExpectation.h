// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numbers/Zahyo.h"

// The probe's measure worked out again for the tests, in quad precision
// (GCC's __float128, a 113-bit significand) where the program works in
// extended precision (64 bits): the differences of Singles and their
// squares are exact here and the roots correctly rounded, so an
// expectation shares no rounding, and no fault, with the program's sums.
// Each result is rounded to Single where the program keeps a Single.

// A squared distance, as the program keeps it.
inline float ExpectedKyori(TZahyoR a, TZahyoR b)
{
    const __float128 dx = __float128(b.X) - a.X;
    const __float128 dy = __float128(b.Y) - a.Y;
    return float(dx * dx + dy * dy);
}

// e = |PF·ratioPH − PH·ratioPF|, the error the probe writes.
inline float ExpectedProbeError(TZahyoR p, TZahyoR f, TZahyoR h, float ratioPF, float ratioPH)
{
    const __float128 e = __builtin_sqrtf128(ExpectedKyori(f, p)) * ratioPH
                         - __builtin_sqrtf128(ExpectedKyori(h, p)) * ratioPF;
    return float(e < 0 ? -e : e);
}

// The 0.05 rule: P lies on the curve, and is kept, when e is below 0.05.
inline bool ExpectedKept(float e)
{
    return __float128(e) < __float128(5) / 100;
}
