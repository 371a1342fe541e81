// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers/Extended.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

namespace {

using Wide = unsigned __int128;

// The x87's largest exponent: its values stay below 2^16384.
constexpr std::int32_t kMaxExponent = 16383;
// Extra pairs of bits of a square root's operand, so that the root has a
// guard bit and more beyond its 64 significant bits.
constexpr int kSqrtExtraPairs = 34;

int BitLength(Wide x)
{
    const auto high = std::uint64_t(x >> 64);
    return high ? 128 - std::countl_zero(high) : 64 - std::countl_zero(std::uint64_t(x));
}

// A natural number in base 10^9, least significant limb first, for writing
// a binary value exactly in decimal.
class TBigDecimal {
public:
    explicit TBigDecimal(std::uint64_t value)
    {
        do {
            limbs_.push_back(std::uint32_t(value % kBase));
            value /= kBase;
        } while (value);
    }

    void MultiplyByPowerOf(std::uint32_t base, int exponent)
    {
        // Factors below 2^30 keep a limb's product and carry within 64 bits.
        const std::uint32_t chunkBase = base == 2 ? 1u << 29 : 244140625;  // 2^29, 5^12
        const int chunk = base == 2 ? 29 : 12;
        for (; exponent >= chunk; exponent -= chunk)
            Multiply(chunkBase);
        std::uint32_t rest = 1;
        while (exponent-- > 0)
            rest *= base;
        Multiply(rest);
    }

    std::string Digits() const
    {
        std::string text = std::to_string(limbs_.back());
        char limb[10];
        for (auto it = limbs_.rbegin() + 1; it != limbs_.rend(); ++it) {
            std::snprintf(limb, sizeof limb, "%09u", *it);
            text += limb;
        }
        return text;
    }

private:
    static constexpr std::uint32_t kBase = 1000000000;

    void Multiply(std::uint32_t factor)
    {
        std::uint64_t carry = 0;
        for (std::uint32_t& limb : limbs_) {
            const std::uint64_t product = std::uint64_t(limb) * factor + carry;
            limb = std::uint32_t(product % kBase);
            carry = product / kBase;
        }
        for (; carry; carry /= kBase)
            limbs_.push_back(std::uint32_t(carry % kBase));
    }

    std::vector<std::uint32_t> limbs_;
};

// Rounds an exact decimal 0.digits x 10^exponent to `count` digits, to
// nearest with ties to even.
TDecimal RoundDecimal(const std::string& digits, int exponent, int count)
{
    if (int(digits.size()) <= count)
        return {digits + std::string(count - digits.size(), '0'), exponent};
    std::string kept = digits.substr(0, count);
    const char next = digits[count];
    const bool beyond = digits.find_first_not_of('0', count + 1) != std::string::npos;
    const bool up = next > '5' || (next == '5' && (beyond || (kept.back() - '0') % 2 == 1));
    if (up) {
        int i = count - 1;
        while (i >= 0 && kept[i] == '9')
            kept[i--] = '0';
        if (i >= 0) {
            ++kept[i];
        } else {
            kept.insert(kept.begin(), '1');
            kept.pop_back();
            ++exponent;
        }
    }
    return {kept, exponent};
}

}  // namespace

TSoftExtended TSoftExtended::Special(TKind kind, bool negative)
{
    TSoftExtended x;
    x.kind_ = kind;
    x.negative_ = negative;
    return x;
}

TSoftExtended TSoftExtended::Rounded(bool negative, Wide wide, std::int32_t exponent, bool inexact)
{
    if (wide == 0)
        return Special(TKind::Zero, negative);
    int shift = BitLength(wide) - 64;
    std::uint64_t kept;
    if (shift <= 0) {
        kept = std::uint64_t(wide << -shift);
    } else {
        kept = std::uint64_t(wide >> shift);
        const Wide rest = wide & ((Wide(1) << shift) - 1);
        const Wide half = Wide(1) << (shift - 1);
        if (rest > half || (rest == half && (inexact || (kept & 1)))) {
            if (++kept == 0) {
                kept = std::uint64_t(1) << 63;
                ++shift;
            }
        }
    }
    const std::int64_t biggest = std::int64_t(exponent) + shift + 63;
    if (biggest > kMaxExponent)
        return Special(TKind::Infinite, negative);
    TSoftExtended x = Special(TKind::Finite, negative);
    x.exponent_ = std::int32_t(biggest);
    x.significand_ = kept;
    return x;
}

TSoftExtended::TSoftExtended(float value)
{
    if (std::isnan(value)) {
        *this = Special(TKind::NaN);
        return;
    }
    if (std::isinf(value)) {
        *this = Special(TKind::Infinite, value < 0);
        return;
    }
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const bool negative = bits >> 31;
    const std::uint32_t biased = (bits >> 23) & 0xFF;
    const std::uint32_t fraction = bits & 0x7FFFFF;
    // A normal Single is (2^23 + fraction) x 2^(biased - 150), a subnormal
    // one fraction x 2^-149.
    *this = biased ? Rounded(negative, fraction | (1u << 23), std::int32_t(biased) - 150, false)
                   : Rounded(negative, fraction, -149, false);
}

TSoftExtended::TSoftExtended(std::int64_t value)
{
    const bool negative = value < 0;
    const std::uint64_t magnitude = negative ? std::uint64_t(-(value + 1)) + 1 : std::uint64_t(value);
    *this = Rounded(negative, magnitude, 0, false);
}

TSoftExtended::operator float() const
{
    switch (kind_) {
    case TKind::Zero:
        return negative_ ? -0.0f : 0.0f;
    case TKind::Infinite:
        return negative_ ? -INFINITY : INFINITY;
    case TKind::NaN:
        return NAN;
    case TKind::Finite:
        break;
    }
    // 24 significant bits, fewer where the Single is subnormal.
    const int shift = 40 + std::max(0, -126 - exponent_);
    if (shift > 64)
        return negative_ ? -0.0f : 0.0f;
    Wide kept = Wide(significand_) >> shift;
    const Wide rest = Wide(significand_) & ((Wide(1) << shift) - 1);
    const Wide half = Wide(1) << (shift - 1);
    if (rest > half || (rest == half && (kept & 1)))
        ++kept;
    const float magnitude = std::ldexp(float(std::uint32_t(kept)), exponent_ - 63 + shift);
    return negative_ ? -magnitude : magnitude;
}

TSoftExtended::operator std::int64_t() const
{
    if (kind_ != TKind::Finite || exponent_ < 0)
        return 0;
    if (exponent_ >= 63)
        return std::numeric_limits<std::int64_t>::min();
    const std::uint64_t magnitude = significand_ >> (63 - exponent_);
    return negative_ ? -std::int64_t(magnitude) : std::int64_t(magnitude);
}

TSoftExtended TSoftExtended::operator-() const
{
    TSoftExtended x = *this;
    x.negative_ = !x.negative_;
    return x;
}

TSoftExtended operator+(TSoftExtended a, TSoftExtended b)
{
    using TKind = TSoftExtended::TKind;
    if (a.kind_ == TKind::NaN || b.kind_ == TKind::NaN)
        return TSoftExtended::Special(TKind::NaN);
    if (a.kind_ == TKind::Infinite || b.kind_ == TKind::Infinite) {
        if (a.kind_ == TKind::Infinite && b.kind_ == TKind::Infinite && a.negative_ != b.negative_)
            return TSoftExtended::Special(TKind::NaN);
        return a.kind_ == TKind::Infinite ? a : b;
    }
    if (a.kind_ == TKind::Zero && b.kind_ == TKind::Zero)
        return TSoftExtended::Special(TKind::Zero, a.negative_ && b.negative_);
    if (a.kind_ == TKind::Zero)
        return b;
    if (b.kind_ == TKind::Zero)
        return a;
    if (a.exponent_ < b.exponent_ || (a.exponent_ == b.exponent_ && a.significand_ < b.significand_))
        std::swap(a, b);
    // Both significands 63 bits up, b's then aligned to a's exponent; what
    // b loses below the last bit only tells that something was there.
    const Wide larger = Wide(a.significand_) << 63;
    Wide smaller = Wide(b.significand_) << 63;
    const std::int64_t distance = std::int64_t(a.exponent_) - b.exponent_;
    bool inexact = false;
    if (distance >= 127) {
        inexact = true;
        smaller = 0;
    } else if (distance > 0) {
        inexact = (smaller & ((Wide(1) << distance) - 1)) != 0;
        smaller >>= distance;
    }
    Wide sum;
    if (a.negative_ == b.negative_) {
        sum = larger + smaller;
    } else {
        // larger - (smaller + a fraction) = (larger - smaller - 1) + the rest of one.
        sum = larger - smaller - (inexact ? 1 : 0);
        if (sum == 0)
            return TSoftExtended::Special(TKind::Zero);
    }
    return TSoftExtended::Rounded(a.negative_, sum, a.exponent_ - 126, inexact);
}

TSoftExtended operator-(TSoftExtended a, TSoftExtended b)
{
    return a + -b;
}

TSoftExtended operator*(TSoftExtended a, TSoftExtended b)
{
    using TKind = TSoftExtended::TKind;
    const bool negative = a.negative_ != b.negative_;
    if (a.kind_ == TKind::NaN || b.kind_ == TKind::NaN)
        return TSoftExtended::Special(TKind::NaN);
    if (a.kind_ == TKind::Infinite || b.kind_ == TKind::Infinite) {
        if (a.kind_ == TKind::Zero || b.kind_ == TKind::Zero)
            return TSoftExtended::Special(TKind::NaN);
        return TSoftExtended::Special(TKind::Infinite, negative);
    }
    if (a.kind_ == TKind::Zero || b.kind_ == TKind::Zero)
        return TSoftExtended::Special(TKind::Zero, negative);
    const Wide product = Wide(a.significand_) * b.significand_;
    return TSoftExtended::Rounded(negative, product, a.exponent_ + b.exponent_ - 126, false);
}

TSoftExtended operator/(TSoftExtended a, TSoftExtended b)
{
    using TKind = TSoftExtended::TKind;
    const bool negative = a.negative_ != b.negative_;
    if (a.kind_ == TKind::NaN || b.kind_ == TKind::NaN)
        return TSoftExtended::Special(TKind::NaN);
    if (a.kind_ == TKind::Infinite)
        return TSoftExtended::Special(b.kind_ == TKind::Infinite ? TKind::NaN : TKind::Infinite, negative);
    if (b.kind_ == TKind::Infinite)
        return TSoftExtended::Special(TKind::Zero, negative);
    if (b.kind_ == TKind::Zero)
        return TSoftExtended::Special(a.kind_ == TKind::Zero ? TKind::NaN : TKind::Infinite, negative);
    if (a.kind_ == TKind::Zero)
        return TSoftExtended::Special(TKind::Zero, negative);
    // 64 or 65 quotient bits, then two more, the remainder telling whether
    // anything is left beyond them.
    const Wide dividend = Wide(a.significand_) << 64;
    const Wide quotient = dividend / b.significand_;
    const Wide twoMore = (dividend % b.significand_) << 2;
    const Wide bits = (quotient << 2) | (twoMore / b.significand_);
    return TSoftExtended::Rounded(negative, bits, a.exponent_ - b.exponent_ - 66, twoMore % b.significand_ != 0);
}

bool operator==(TSoftExtended a, TSoftExtended b)
{
    using TKind = TSoftExtended::TKind;
    if (a.kind_ == TKind::NaN || b.kind_ == TKind::NaN || a.kind_ != b.kind_)
        return false;
    if (a.kind_ == TKind::Zero)
        return true;
    return a.negative_ == b.negative_ && a.exponent_ == b.exponent_ && a.significand_ == b.significand_;
}

bool operator<(TSoftExtended a, TSoftExtended b)
{
    using TKind = TSoftExtended::TKind;
    if (a.kind_ == TKind::NaN || b.kind_ == TKind::NaN || a == b)
        return false;
    const bool aNegative = a.negative_ && a.kind_ != TKind::Zero;
    const bool bNegative = b.negative_ && b.kind_ != TKind::Zero;
    if (aNegative != bNegative)
        return aNegative;
    // Same sign: compare the magnitudes, zero below finite below infinite.
    const auto magnitudeBelow = [](const TSoftExtended& x, const TSoftExtended& y) {
        if (x.kind_ != y.kind_)
            return x.kind_ < y.kind_;
        return x.exponent_ < y.exponent_ || (x.exponent_ == y.exponent_ && x.significand_ < y.significand_);
    };
    return aNegative ? magnitudeBelow(b, a) : magnitudeBelow(a, b);
}

TSoftExtended Sqrt(TSoftExtended x)
{
    using TKind = TSoftExtended::TKind;
    if (x.kind_ == TKind::Zero || x.kind_ == TKind::NaN || (x.kind_ == TKind::Infinite && !x.negative_))
        return x;
    if (x.negative_)
        return TSoftExtended::Special(TKind::NaN);
    // x = operand x 2^exponent with an even exponent; the root of the
    // operand with kSqrtExtraPairs pairs of zero bits after it, digit by
    // binary digit, the remainder telling whether it is exact.
    std::int32_t exponent = x.exponent_ - 63;
    Wide operand = x.significand_;
    if (exponent % 2 != 0) {
        operand <<= 1;
        --exponent;
    }
    const int pairs = (BitLength(operand) + 1) / 2 + kSqrtExtraPairs;
    Wide root = 0;
    Wide remainder = 0;
    for (int i = pairs - 1; i >= 0; --i) {
        const int position = 2 * (i - kSqrtExtraPairs);
        const Wide pair = position >= 0 ? (operand >> position) & 3 : 0;
        remainder = (remainder << 2) | pair;
        const Wide trial = (root << 2) | 1;
        root <<= 1;
        if (remainder >= trial) {
            remainder -= trial;
            root |= 1;
        }
    }
    return TSoftExtended::Rounded(false, root, exponent / 2 - kSqrtExtraPairs, remainder != 0);
}

TSoftExtended Abs(TSoftExtended x)
{
    return x.negative_ ? -x : x;
}

bool IsNan(TSoftExtended x)
{
    return x.kind_ == TSoftExtended::TKind::NaN;
}

bool IsInf(TSoftExtended x)
{
    return x.kind_ == TSoftExtended::TKind::Infinite;
}

TDecimal ToDecimal(TSoftExtended magnitude, int digits)
{
    if (magnitude.kind_ != TSoftExtended::TKind::Finite)
        return {};
    // significand x 2^power, exactly: with a negative power it is
    // (significand x 5^-power) x 10^power.
    const int power = magnitude.exponent_ - 63;
    TBigDecimal exact(magnitude.significand_);
    exact.MultiplyByPowerOf(power >= 0 ? 2 : 5, std::abs(power));
    const std::string all = exact.Digits();
    return RoundDecimal(all, int(all.size()) + std::min(power, 0), digits);
}

#ifdef KAVREL_HAS_X87
bool IsNan(Extended x)
{
    return std::isnan(x);
}

bool IsInf(Extended x)
{
    return std::isinf(x);
}

Extended Sqrt(Extended x)
{
    return std::sqrt(x);
}

Extended Abs(Extended x)
{
    return std::fabs(x);
}

// The C library writes the value exactly rounded, to nearest.
TDecimal ToDecimal(Extended magnitude, int digits)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*Le", digits - 1, std::fabs(magnitude));
    TDecimal decimal;
    for (const char* c = text; *c && *c != 'e'; ++c)
        if (*c >= '0' && *c <= '9')
            decimal.digits += *c;
    decimal.exponent = std::atoi(std::strchr(text, 'e') + 1) + 1;
    return decimal;
}
#endif
