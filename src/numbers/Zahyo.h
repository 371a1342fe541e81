// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numbers/Extended.h"
#include "numbers/Point.h"

#include <cstdint>

// A point in plane units: X to the right, Y upwards, origin at the centre
// of the plane.
struct TZahyoR {
    float X = 0.0f;
    float Y = 0.0f;
};

// A position in the plane's pixels, X to the right and Y downwards from its
// top-left corner, kept as Singles until Roundoff makes whole pixels.
struct TDot {
    float X = 0.0f;
    float Y = 0.0f;
};

// The measures of the box the plane is shown in: its client rectangle's
// right and bottom, and its width and height.
struct TPlaneBox {
    int Right = 0;
    int Bottom = 0;
    int Width = 0;
    int Height = 0;
};

// x rounded to the nearest integer, halves away from zero.
std::int32_t Roundoff(Extended x);

TZahyoR ZahyoR(float x, float y);

TPoint ZahyoRtoPoint(TDot dot);

// The squared distance from a to b.
float Kyori(TZahyoR a, TZahyoR b);

TDot ZahyotoDot(TZahyoR zahyo, int scale, const TPlaneBox& box);
TZahyoR DottoZahyo(TDot dot, int scale, const TPlaneBox& box);

// The plane units across the box for a position of the zoom scroll bar:
// 36 at the left end, 20 in the middle, 4 at the right end.
int ScaleOfPosition(int position);

// What the probe measures of P against F and the fixed line through H: the
// ratio PF : PH as ratioPF : m, and the error e = |PF x ratioPH - PH x ratioPF|.
// Raises a division error when P is on F (PF = 0).
struct TMeasure {
    float m = 0.0f;
    float e = 0.0f;
};
TMeasure MeasureRatio(TZahyoR f, TZahyoR h, TZahyoR p, float ratioPF, float ratioPH);

// P lies on the curve, and is kept, when the error is below 0.05.
bool OnTheCurve(float e);
