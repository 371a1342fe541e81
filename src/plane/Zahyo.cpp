// SPDX-License-Identifier: GPL-3.0-or-later
#include "plane/Zahyo.h"

#include "kavrelsrc.h"
#include "toolkit/FloatErrors.h"

std::int32_t Roundoff(long double x)
{
    const long double shifted = x < 0.0L ? x - 0.5L : x + 0.5L;
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
    const long double dx = static_cast<long double>(b.X) - a.X;
    const long double dy = static_cast<long double>(b.Y) - a.Y;
    return CheckedSingle(dx * dx + dy * dy);
}

// Multiply, divide by the scale, then add the half size, in extended
// precision; the result is stored as Single.
TDot ZahyotoDot(TZahyoR zahyo, int scale, const TPlaneBox& box)
{
    const long double halfWidth = static_cast<long double>(box.Width) / 2;
    const long double halfHeight = static_cast<long double>(box.Height) / 2;
    const long double x = CheckedDivide(static_cast<long double>(box.Right) * zahyo.X, scale) + halfWidth;
    const long double y = CheckedDivide(static_cast<long double>(box.Bottom) * -static_cast<long double>(zahyo.Y), scale) + halfHeight;
    return TDot{CheckedSingle(x), CheckedSingle(y)};
}

TZahyoR DottoZahyo(TDot dot, int scale, const TPlaneBox& box)
{
    const long double halfWidth = static_cast<long double>(box.Width) / 2;
    const long double halfHeight = static_cast<long double>(box.Height) / 2;
    const long double x = CheckedDivide((dot.X - halfWidth) * scale, box.Right);
    const long double y = CheckedDivide(-(dot.Y - halfHeight) * scale, box.Bottom);
    return TZahyoR{CheckedSingle(x), CheckedSingle(y)};
}

int ScaleOfPosition(int position)
{
    const std::int32_t steps = (50 - position) * 8;
    return Roundoff(steps / 25.0L) + 20;
}

namespace {

TPlaneBox BoxOf(const TPaintBox& paintBox)
{
    const QRect client = paintBox.ClientRect();
    return TPlaneBox{client.right() + 1, client.bottom() + 1, paintBox.width(), paintBox.height()};
}

}  // namespace

TDot TKavrel_Form::ZahyotoDot(TZahyoR zahyo) const
{
    return ::ZahyotoDot(zahyo, Scale, BoxOf(*PaintBox1));
}

TZahyoR TKavrel_Form::DottoZahyo(TDot dot) const
{
    return ::DottoZahyo(dot, Scale, BoxOf(*PaintBox1));
}
