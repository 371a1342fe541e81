// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers/Zahyo.h"

#include "numbers/FloatErrors.h"

std::int32_t Roundoff(Extended x)
{
    const Extended shifted = x < 0 ? x - 0.5f : x + 0.5f;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(Truncate(shifted)));
}

TZahyoR ZahyoR(float x, float y)
{
    return TZahyoR{x, y};
}

TPoint ZahyoRtoPoint(TDot dot)
{
    return TPoint{Roundoff(dot.X), Roundoff(dot.Y)};
}

float Kyori(TZahyoR a, TZahyoR b)
{
    const Extended dx = Extended(b.X) - a.X;
    const Extended dy = Extended(b.Y) - a.Y;
    return CheckedSingle(dx * dx + dy * dy);
}

// Multiply, divide by the scale, then add the half size, in extended
// precision; the result is stored as Single.
TDot ZahyotoDot(TZahyoR zahyo, int scale, const TPlaneBox& box)
{
    const Extended halfWidth = Extended(box.Width) / 2;
    const Extended halfHeight = Extended(box.Height) / 2;
    const Extended x = CheckedDivide(Extended(box.Right) * zahyo.X, scale) + halfWidth;
    const Extended y = CheckedDivide(Extended(box.Bottom) * -Extended(zahyo.Y), scale) + halfHeight;
    return TDot{CheckedSingle(x), CheckedSingle(y)};
}

TZahyoR DottoZahyo(TDot dot, int scale, const TPlaneBox& box)
{
    const Extended halfWidth = Extended(box.Width) / 2;
    const Extended halfHeight = Extended(box.Height) / 2;
    const Extended x = CheckedDivide((dot.X - halfWidth) * scale, box.Right);
    const Extended y = CheckedDivide(-(dot.Y - halfHeight) * scale, box.Bottom);
    return TZahyoR{CheckedSingle(x), CheckedSingle(y)};
}

int ScaleOfPosition(int position)
{
    const std::int32_t steps = (50 - position) * 8;
    return Roundoff(Extended(steps) / 25) + 20;
}

TMeasure MeasureRatio(TZahyoR f, TZahyoR h, TZahyoR p, float ratioPF, float ratioPH)
{
    const float pf2 = Kyori(f, p);
    const float ph2 = Kyori(h, p);
    const Extended pf = CheckedSqrt(pf2);
    const Extended ph = CheckedSqrt(ph2);
    TMeasure measure;
    measure.e = CheckedSingle(Abs(pf * ratioPH - ph * ratioPF));
    measure.m = CheckedSingle(CheckedSqrt(CheckedDivide(ph2, pf2)) * ratioPF);
    return measure;
}

bool OnTheCurve(float e)
{
    // 0.05 in extended precision, which the quotient, correctly rounded, is.
    static const Extended keepBelow = Extended(5) / 100;
    return Extended(e) < keepBelow;
}
