// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers/FloatErrors.h"

#include <cfenv>
#include <cfloat>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <sstream>
#include <string>

namespace {

constexpr long double kInf = std::numeric_limits<long double>::infinity();
constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();

const std::string kZeroDivideMessage = "0 による浮動小数点数除算";
const std::string kInvalidOpMessage = "不正な浮動小数点数演算命令";
const std::string kOverflowMessage = "浮動小数点数のオーバーフロー";

// What an operation raised: the error's class and the message it carries,
// or nothing.
const std::string kNothing;
const std::string kZeroDivide = "EZeroDivide: " + kZeroDivideMessage;
const std::string kInvalidOp = "EInvalidOp: " + kInvalidOpMessage;
const std::string kOverflow = "EOverflow: " + kOverflowMessage;

std::string Raised(const std::function<void()>& operation)
{
    try {
        operation();
    } catch (const EZeroDivide& error) {
        return "EZeroDivide: " + error.Message().toStdString();
    } catch (const EInvalidOp& error) {
        return "EInvalidOp: " + error.Message().toStdString();
    } catch (const EOverflow& error) {
        return "EOverflow: " + error.Message().toStdString();
    } catch (...) {
        return "another error";
    }
    return kNothing;
}

}  // namespace

TEST(FloatErrors, ErrorsCarryTheirMessages)
{
    const struct {
        EMathError error;
        std::string message;
    } rows[] = {
        {EZeroDivide(), kZeroDivideMessage},
        {EInvalidOp(), kInvalidOpMessage},
        {EOverflow(), kOverflowMessage},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.error.Message().toStdString(), row.message);
        // what() holds the same text, for code that only knows std::exception.
        EXPECT_EQ(row.error.what(), row.message);
    }
}

TEST(FloatErrors, CheckedDivideRaisesForZeroDivisorAndOverflow)
{
    const struct {
        long double a;
        long double b;
        std::string raised;
        std::optional<long double> quotient;
    } rows[] = {
        {6.0L, 3.0L, kNothing, 2.0L},
        {-1.0L, 4.0L, kNothing, -0.25L},
        {0.0L, 5.0L, kNothing, 0.0L},
        {1.0L, 0.0L, kZeroDivide, std::nullopt},
        {-7.5L, 0.0L, kZeroDivide, std::nullopt},
        {1.0L, -0.0L, kZeroDivide, std::nullopt},
        {0.0L, 0.0L, kInvalidOp, std::nullopt},
        {-0.0L, 0.0L, kInvalidOp, std::nullopt},
        // A quotient too large for the extended type overflows.
        {LDBL_MAX, 0.5L, kOverflow, std::nullopt},
        {-LDBL_MAX, 0.25L, kOverflow, std::nullopt},
        // A quotient too small gives a denormal without error.
        {LDBL_MIN, 4.0L, kNothing, LDBL_MIN / 4},
    };
    for (const auto& row : rows) {
        long double quotient = kNaN;
        const std::string raised = Raised([&] { quotient = CheckedDivide(row.a, row.b); });
        std::ostringstream what;
        what << row.a << " / " << row.b;
        EXPECT_EQ(raised, row.raised) << what.str();
        if (row.quotient) {
            EXPECT_EQ(quotient, *row.quotient) << what.str();
        }
    }
}

TEST(FloatErrors, CheckedSqrtRaisesForNegativeValues)
{
    const struct {
        long double x;
        std::string raised;
        long double root;
    } rows[] = {
        {25.0L, kNothing, 5.0L},
        {0.0L, kNothing, 0.0L},
        {-0.0L, kNothing, 0.0L},
        {2.25L, kNothing, 1.5L},
        {-1.0L, kInvalidOp, 0.0L},
        {-LDBL_TRUE_MIN, kInvalidOp, 0.0L},
        {-kInf, kInvalidOp, 0.0L},
    };
    for (const auto& row : rows) {
        long double root = kNaN;
        const std::string raised = Raised([&] { root = CheckedSqrt(row.x); });
        const std::string what = "sqrt " + std::to_string(static_cast<double>(row.x));
        EXPECT_EQ(raised, row.raised) << what;
        if (row.raised.empty()) {
            EXPECT_EQ(root, row.root) << what;
        }
    }
}

// The largest Single is (2 - 2^-23) * 2^127; values round to nearest, so
// everything below the halfway point to 2^128 still fits.
TEST(FloatErrors, CheckedSingleRaisesOverflowOnlyWhenTheValueDoesNotFit)
{
    const long double halfwayToTwoTo128 = std::ldexp(1.0L, 128) - std::ldexp(1.0L, 103);
    const struct {
        const char* what;
        long double x;
        std::string raised;
        float single;
    } rows[] = {
        {"1.5", 1.5L, kNothing, 1.5f},
        {"FLT_MAX", FLT_MAX, kNothing, FLT_MAX},
        {"-FLT_MAX", -static_cast<long double>(FLT_MAX), kNothing, -FLT_MAX},
        {"just below halfway to 2^128", halfwayToTwoTo128 - std::ldexp(1.0L, 80), kNothing, FLT_MAX},
        {"halfway to 2^128 (ties to even: 2^128)", halfwayToTwoTo128, kOverflow, 0.0f},
        {"3.5e38", 3.5e38L, kOverflow, 0.0f},
        {"-3.5e38", -3.5e38L, kOverflow, 0.0f},
        {"1e4000", 1e4000L, kOverflow, 0.0f},
        {"denormal 1e-40", 1e-40L, kNothing, static_cast<float>(1e-40L)},
        {"underflow 1e-50", 1e-50L, kNothing, 0.0f},
        {"underflow -1e-50", -1e-50L, kNothing, -0.0f},
    };
    for (const auto& row : rows) {
        float single = std::numeric_limits<float>::quiet_NaN();
        const std::string raised = Raised([&] { single = CheckedSingle(row.x); });
        EXPECT_EQ(raised, row.raised) << row.what;
        if (row.raised.empty()) {
            EXPECT_EQ(single, row.single) << row.what;
        }
    }
    // The denormal is really kept, not flushed to zero.
    EXPECT_GT(CheckedSingle(1e-40L), 0.0f);
    EXPECT_TRUE(std::signbit(CheckedSingle(-1e-50L)));
}

TEST(FloatErrors, TruncateDropsTheFractionWithinTheSixtyFourBitRange)
{
    const long double twoTo63 = std::ldexp(1.0L, 63);
    const struct {
        const char* what;
        long double x;
        std::string raised;
        std::int64_t integer;
    } rows[] = {
        {"2.9", 2.9L, kNothing, 2},
        {"-2.9", -2.9L, kNothing, -2},
        {"0.5", 0.5L, kNothing, 0},
        {"-0.5", -0.5L, kNothing, 0},
        {"-0.0", -0.0L, kNothing, 0},
        {"the largest extended below 1", std::nextafter(1.0L, 0.0L), kNothing, 0},
        {"2^63 - 1 (exact in extended)", twoTo63 - 1, kNothing, std::numeric_limits<std::int64_t>::max()},
        {"-2^63", -twoTo63, kNothing, std::numeric_limits<std::int64_t>::min()},
        {"2^63", twoTo63, kInvalidOp, 0},
        {"-2^63 - 1 (exact in extended)", -twoTo63 - 1, kInvalidOp, 0},
        {"1e30", 1e30L, kInvalidOp, 0},
        {"+infinity", kInf, kInvalidOp, 0},
        {"-infinity", -kInf, kInvalidOp, 0},
        {"NaN", kNaN, kInvalidOp, 0},
    };
    for (const auto& row : rows) {
        std::int64_t integer = -12345;
        const std::string raised = Raised([&] { integer = Truncate(row.x); });
        EXPECT_EQ(raised, row.raised) << row.what;
        if (row.raised.empty()) {
            EXPECT_EQ(integer, row.integer) << row.what;
        }
    }
}

#ifdef KAVREL_HAS_X87

namespace {

unsigned short X87ControlWord()
{
    unsigned short word = 0;
    asm volatile("fnstcw %0" : "=m"(word));
    return word;
}

void SetX87ControlWord(unsigned short word)
{
    asm volatile("fldcw %0" : : "m"(word));
}

// x87 with a 53-bit significand (as some runtimes start) and rounding up:
// both would change every result of the plane arithmetic.
void SpoilFloatingPointSettings()
{
    std::fesetround(FE_UPWARD);
    SetX87ControlWord(0x0A7F);
}

// volatile keeps the compiler from working these out at compile time with
// its own precision instead of the processor's.
bool OnePlusEpsilonDiffersFromOne()
{
    volatile long double one = 1.0L;
    volatile long double epsilon = LDBL_EPSILON;
    return one + epsilon != one;
}

long double HugePlusOneMinusHuge()
{
    volatile long double huge = 1e16L;
    volatile long double sum = huge + 1.0L;
    return sum - huge;
}

long double OnePlusQuarterEpsilon()
{
    volatile long double one = 1.0L;
    volatile long double quarter = LDBL_EPSILON / 4;
    return one + quarter;
}

void ExpectExtendedPrecisionRoundingToNearest()
{
    const unsigned short word = X87ControlWord();
    EXPECT_EQ(word & 0x0300, 0x0300) << "precision control: 64-bit significand, word " << std::hex << word;
    EXPECT_EQ(word & 0x0C00, 0x0000) << "rounding control: nearest, word " << std::hex << word;
    EXPECT_EQ(std::fegetround(), FE_TONEAREST);
    EXPECT_TRUE(OnePlusEpsilonDiffersFromOne());
    // 1e16 + 1 needs 54 bits: a double's 53 lose the 1, extended keeps it.
    EXPECT_EQ(HugePlusOneMinusHuge(), 1.0L);
    // Rounding to nearest drops a quarter unit; rounding up would keep it.
    EXPECT_EQ(OnePlusQuarterEpsilon(), 1.0L);
}

}  // namespace

TEST(FloatErrors, SettingsGiveExtendedPrecisionAndRoundingToNearest)
{
    SpoilFloatingPointSettings();
    // The spoilt settings really change results: 1e16 + 1 is rounded up to
    // 1e16 + 2 with 53 bits.
    ASSERT_EQ(HugePlusOneMinusHuge(), 2.0L);
    SetFloatingPointSettings();
    ExpectExtendedPrecisionRoundingToNearest();
}

TEST(FloatErrors, ResetClearsPendingFlagsAndRestoresTheSettings)
{
    SpoilFloatingPointSettings();
    std::feraiseexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW);
    ResetFloatingPoint();
    EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), 0);
    ExpectExtendedPrecisionRoundingToNearest();
}

#endif
