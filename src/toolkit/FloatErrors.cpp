// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/FloatErrors.h"

#include <cfenv>
#include <cfloat>
#include <cmath>

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
#if defined(__x86_64__) || defined(__i386__)
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

long double CheckedDivide(long double a, long double b)
{
    if (b == 0.0L) {
        if (a == 0.0L || std::isnan(a))
            throw EInvalidOp();
        throw EZeroDivide();
    }
    // A quotient of finite values too large for the extended type overflows.
    const long double quotient = a / b;
    if (std::isinf(quotient) && std::isfinite(a))
        throw EOverflow();
    return quotient;
}

long double CheckedSqrt(long double x)
{
    if (x < 0.0L)
        throw EInvalidOp();
    return std::sqrt(x);
}

float CheckedSingle(long double x)
{
    const float single = static_cast<float>(x);
    if (std::isinf(single) && std::isfinite(x))
        throw EOverflow();
    return single;
}

std::int64_t Truncate(long double x)
{
    // 2^63 is exact in extended precision; the range is [-2^63, 2^63).
    constexpr long double limit = 9223372036854775808.0L;
    if (std::isnan(x) || x >= limit || x < -limit)
        throw EInvalidOp();
    return static_cast<std::int64_t>(x);
}
