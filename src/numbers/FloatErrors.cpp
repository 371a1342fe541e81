// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers/FloatErrors.h"

#include <cfenv>
#include <cfloat>
#include <cmath>
#include <limits>

EMathError::EMathError(const QString& message)
    : std::runtime_error(message.toStdString()), message_(message)
{
}

EZeroDivide::EZeroDivide()
    : EMathError(QStringLiteral("0 による浮動小数点数除算"))
{
}

EInvalidOp::EInvalidOp()
    : EMathError(QStringLiteral("不正な浮動小数点数演算命令"))
{
}

EOverflow::EOverflow()
    : EMathError(QStringLiteral("浮動小数点数のオーバーフロー"))
{
}

void SetFloatingPointSettings()
{
#ifdef KAVREL_HAS_X87
    // x87: all exceptions masked, 64-bit significand, round to nearest.
    const unsigned short controlWord = 0x037F;
    asm volatile("fldcw %0" : : "m"(controlWord));
#endif
    std::fesetround(FE_TONEAREST);
}

void ResetFloatingPoint()
{
    std::feclearexcept(FE_ALL_EXCEPT);
    SetFloatingPointSettings();
}

Extended CheckedDivide(Extended a, Extended b)
{
    if (b == 0) {
        if (a == 0 || IsNan(a))
            throw EInvalidOp();
        throw EZeroDivide();
    }
    // A quotient of finite values too large for the extended type overflows.
    const Extended quotient = a / b;
    if (IsInf(quotient) && !IsInf(a) && !IsNan(a))
        throw EOverflow();
    return quotient;
}

Extended CheckedSqrt(Extended x)
{
    if (x < 0)
        throw EInvalidOp();
    return Sqrt(x);
}

float CheckedSingle(Extended x)
{
    const float single = static_cast<float>(x);
    if (std::isinf(single) && !IsInf(x) && !IsNan(x))
        throw EOverflow();
    return single;
}

std::int64_t Truncate(Extended x)
{
    // The range is [-2^63, 2^63); -2^63 is exact in extended precision.
    const Extended limit = -Extended(std::numeric_limits<std::int64_t>::min());
    if (IsNan(x) || x >= limit || x < -limit)
        throw EInvalidOp();
    return static_cast<std::int64_t>(x);
}
