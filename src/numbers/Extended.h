// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

// The program's intermediate reals: extended precision, a 64-bit
// significand, every operation rounded to nearest with ties to even, as the
// x87 unit computes with the program's floating-point settings.

// The processors with the x87 unit, whose long double is its extended type.
#if defined(__x86_64__) || defined(__i386__)
#define KAVREL_HAS_X87 1
#endif

// A decimal approximation: |x| as 0.digits x 10^exponent.
struct TDecimal {
    std::string digits;
    int exponent = 0;
};

// Extended precision in software, for processors without the x87 unit
// (WebAssembly, where long double is a 128-bit type): the operations the
// program uses, with exactly the x87's results. Its exponent is not bounded
// below as the x87's is; the program's values, Singles and their products
// and quotients, lie far inside both ranges.
class TSoftExtended {
public:
    TSoftExtended() = default;
    TSoftExtended(float value);
    TSoftExtended(int value) : TSoftExtended(std::int64_t(value)) {}
    TSoftExtended(std::int64_t value);

    explicit operator float() const;
    // Truncated toward zero; the value must lie in the 64-bit range.
    explicit operator std::int64_t() const;

    TSoftExtended operator-() const;
    friend TSoftExtended operator+(TSoftExtended a, TSoftExtended b);
    friend TSoftExtended operator-(TSoftExtended a, TSoftExtended b);
    friend TSoftExtended operator*(TSoftExtended a, TSoftExtended b);
    friend TSoftExtended operator/(TSoftExtended a, TSoftExtended b);
    friend bool operator==(TSoftExtended a, TSoftExtended b);
    friend bool operator<(TSoftExtended a, TSoftExtended b);
    friend bool operator>(TSoftExtended a, TSoftExtended b) { return b < a; }
    friend bool operator<=(TSoftExtended a, TSoftExtended b) { return a < b || a == b; }
    friend bool operator>=(TSoftExtended a, TSoftExtended b) { return b <= a; }

    friend TSoftExtended Sqrt(TSoftExtended x);
    friend TSoftExtended Abs(TSoftExtended x);
    friend bool IsNan(TSoftExtended x);
    friend bool IsInf(TSoftExtended x);
    // |x| to the given number of significant digits, rounded to nearest
    // with ties to even.
    friend TDecimal ToDecimal(TSoftExtended magnitude, int digits);

    // The bits as the x87 holds them: the significand with its leading bit,
    // and the sign with the biased 15-bit exponent.
    std::uint64_t Significand() const { return significand_; }
    std::uint16_t SignAndExponent() const;

private:
    enum class TKind : std::uint8_t { Zero, Finite, Infinite, NaN };

    // The nearest value to (wide + f) x 2^exponent, where f is 0 or, when
    // `inexact`, a fraction strictly between 0 and 1.
    static TSoftExtended Rounded(bool negative, unsigned __int128 wide, std::int32_t exponent, bool inexact);
    static TSoftExtended Special(TKind kind, bool negative = false);

    // Finite: significand_ x 2^(exponent_ - 63), the significand's top bit set.
    TKind kind_ = TKind::Zero;
    bool negative_ = false;
    std::int32_t exponent_ = 0;
    std::uint64_t significand_ = 0;
};

#ifdef KAVREL_HAS_X87
// The x87 unit's own type.
using Extended = long double;

bool IsNan(Extended x);
bool IsInf(Extended x);
Extended Sqrt(Extended x);
Extended Abs(Extended x);
TDecimal ToDecimal(Extended magnitude, int digits);
#else
using Extended = TSoftExtended;
#endif
