// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers/Extended.h"

#include <gtest/gtest.h>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>

// The software extended type against the x87 unit, which it stands in for
// where there is none: the same value, to the last bit, after every
// operation the program uses. 21 significant digits tell any two values of
// a 64-bit significand apart.
namespace {

template <class T>
std::string Seen(T x)
{
    if (IsNan(x))
        return "nan";
    if (IsInf(x))
        return x < 0 ? "-inf" : "inf";
    if (x == 0)
        return "0";
    const TDecimal decimal = ToDecimal(x, 21);
    return (x < 0 ? "-0." : "0.") + decimal.digits + "e" + std::to_string(decimal.exponent);
}

std::string SeenSingle(float x)
{
    std::uint32_t word;
    std::memcpy(&word, &x, sizeof word);
    return std::isnan(x) ? "nan" : std::to_string(word);
}

// Runs the same steps on both types and compares every intermediate value.
struct Pair {
    long double x87;
    TSoftExtended soft;
};

Pair Of(float value)
{
    return {value, value};
}

#define EXPECT_SAME(pair, what) EXPECT_EQ(Seen((pair).soft), Seen((pair).x87)) << (what)

Pair Add(Pair a, Pair b) { return {a.x87 + b.x87, a.soft + b.soft}; }
Pair Sub(Pair a, Pair b) { return {a.x87 - b.x87, a.soft - b.soft}; }
Pair Mul(Pair a, Pair b) { return {a.x87 * b.x87, a.soft * b.soft}; }
Pair Div(Pair a, Pair b) { return {a.x87 / b.x87, a.soft / b.soft}; }
Pair Root(Pair a) { return {std::sqrt(a.x87), Sqrt(a.soft)}; }

void ExpectSameEverywhere(float a, float b, float c)
{
    const std::string what = std::to_string(a) + ", " + std::to_string(b) + ", " + std::to_string(c);
    const Pair x = Of(a), y = Of(b), z = Of(c);
    EXPECT_SAME(x, what);
    const Pair steps[] = {
        Add(x, y), Sub(x, y), Mul(x, y), Div(x, y), Root(Mul(x, x)), Root(Add(Mul(x, x), Mul(y, y))),
        Div(Mul(Mul(x, y), z), Add(y, z)), Sub(Mul(x, z), Mul(y, z)), Add(Div(x, z), Div(y, z)),
        Mul(Root(Div(x, y)), z), Sub(Add(x, Mul(y, z)), x),
    };
    for (const Pair& step : steps) {
        EXPECT_SAME(step, what);
        EXPECT_EQ(SeenSingle(static_cast<float>(step.soft)), SeenSingle(static_cast<float>(step.x87))) << what;
        EXPECT_EQ(step.soft < x.soft, step.x87 < x.x87) << what;
        EXPECT_EQ(step.soft == y.soft, step.x87 == y.x87) << what;
        if (std::fabs(step.x87) < 9e18L) {
            EXPECT_EQ(static_cast<std::int64_t>(step.soft), static_cast<std::int64_t>(step.x87)) << what;
        }
        if (std::isfinite(step.x87) && step.x87 != 0) {
            const TDecimal soft = ToDecimal(step.soft, 18);
            const TDecimal x87 = ToDecimal(step.x87, 18);
            EXPECT_EQ(soft.digits, x87.digits) << what;
            EXPECT_EQ(soft.exponent, x87.exponent) << what;
        }
    }
}

}  // namespace

// Zeros, signs, Singles at the ends of their range, halves that round to
// even, exponents far apart, exact cancellation and the conversions'
// limits.
TEST(SoftExtended, AgreesWithTheX87AtTheEdges)
{
    constexpr float tiny = std::numeric_limits<float>::denorm_min();
    constexpr float huge = std::numeric_limits<float>::max();
    const float rows[][3] = {
        {0.0f, 0.0f, 1.0f},      {-0.0f, 0.0f, -1.0f},   {1.0f, 3.0f, 7.0f},      {2.0f, -2.0f, 0.5f},
        {huge, huge, huge},      {huge, tiny, -huge},    {tiny, tiny, 3.0f},      {1e-38f, 3e-39f, 1e38f},
        {0.1f, 0.2f, 0.3f},      {1.0f, 1e-30f, 1e30f},  {16777215.0f, 1.0f, 3.0f}, {-5.5f, 2.5f, -0.75f},
        {330.0f, 660.0f, 20.0f}, {1.41421354f, 1.73205078f, 2.0f}, {9.996f, 99999.49f, 123456.7f},
    };
    for (const auto& row : rows)
        ExpectSameEverywhere(row[0], row[1], row[2]);

    const std::int64_t integers[] = {0, 1, -1, 25, 1LL << 62, std::numeric_limits<std::int64_t>::max(),
                                     std::numeric_limits<std::int64_t>::min()};
    for (std::int64_t n : integers) {
        EXPECT_EQ(Seen(TSoftExtended(n)), Seen(static_cast<long double>(n))) << n;
        EXPECT_EQ(static_cast<std::int64_t>(TSoftExtended(n)), n);
    }
    EXPECT_EQ(Seen(TSoftExtended(5) / 100), Seen(5.0L / 100));
    EXPECT_EQ(Seen(TSoftExtended(1) / 0), "inf");
    EXPECT_EQ(Seen(TSoftExtended(0) / 0), "nan");
    EXPECT_EQ(Seen(Sqrt(TSoftExtended(-1))), "nan");
}

// Random Singles of every size and sign, through chains of operations whose
// results need rounding: products of three, quotients, roots, sums across
// exponents far apart.
TEST(SoftExtended, AgreesWithTheX87OnRandomOperations)
{
    std::mt19937_64 random(20261208);
    std::uniform_int_distribution<std::uint32_t> bits;
    const auto single = [&] {
        float value;
        do {
            const std::uint32_t word = bits(random);
            std::memcpy(&value, &word, sizeof value);
        } while (!std::isfinite(value));
        return value;
    };
    for (int i = 0; i < 50000; ++i)
        ExpectSameEverywhere(single(), single(), single());
}
