// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers/Zahyo.h"

#include "numbers/FloatErrors.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <map>
#include <string>

namespace {

// The plane's paint box: 660 x 660, client extents equal to its size.
const TPlaneBox kBox{660, 660, 660, 660};

float Single(long double value)
{
    return static_cast<float>(value);
}

}  // namespace

TEST(Roundoff, HalvesGoAwayFromZero)
{
    const struct {
        const char* what;
        long double x;
        std::int32_t rounded;
    } rows[] = {
        {"2.5", 2.5L, 3},
        {"-2.5", -2.5L, -3},
        {"-0.5", -0.5L, -1},
        {"0.5", 0.5L, 1},
        {"1.5", 1.5L, 2},
        {"-1.4999", -1.4999L, -1},
        {"1.4999", 1.4999L, 1},
        {"0", 0.0L, 0},
        {"-0.0", -0.0L, 0},
        // 0.49999997f + 0.5 is 0.99999997 in extended, but 1.0 in Single.
        {"0.49999997f", 0.49999997f, 0},
        // The largest double below 0.5: + 0.5 needs 54 bits, a double gives 1.0.
        {"0.49999999999999994", 0.49999999999999994, 0},
        {"-0.49999997f", -0.49999997f, 0},
        {"348.33334f", 348.33334f, 348},
        {"311.66666f", 311.66666f, 312},
        {"-2640.5", -2640.5L, -2641},
        {"3300.4", 3300.4L, 3300},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Roundoff(row.x), row.rounded) << row.what;
}

// Only the low 32 bits of the 64-bit truncation are kept.
TEST(Roundoff, KeepsTheLowThirtyTwoBitsAndRaisesOutsideSixtyFour)
{
    EXPECT_EQ(Roundoff(4294967301.0L), 5);
    EXPECT_EQ(Roundoff(2147483648.0L), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(Roundoff(-2147483649.0L), std::numeric_limits<std::int32_t>::max());
    EXPECT_THROW(Roundoff(1e19L), EInvalidOp);
    EXPECT_THROW(Roundoff(-1e19L), EInvalidOp);
    EXPECT_THROW(Roundoff(std::numeric_limits<long double>::quiet_NaN()), EInvalidOp);
}

TEST(ZahyotoDot, MapsPlaneUnitsToPixelsAtEachScale)
{
    const struct {
        int scale;
        TZahyoR zahyo;
        TDot dot;
    } rows[] = {
        {20, {1, 1}, {363, 297}},
        {20, {-10, 10}, {0, 0}},
        {20, {10, -10}, {660, 660}},
        {20, {0, 0}, {330, 330}},
        {20, {-3, -3}, {231, 429}},
        // 660 / 36 = 18.333...: the sums are rounded to Single once, to
        // 348.33334 and 311.66666, which ZahyoRtoPoint takes to (348, 312).
        {36, {1, 1}, {Single(330.0L + 660.0L / 36), Single(330.0L - 660.0L / 36)}},
        {36, {-18, 18}, {0, 0}},
        {4, {9, -9}, {1815, 1815}},
        {4, {-2, 2}, {0, 0}},
        {19, {1, 0}, {Single(330.0L + 660.0L / 19), 330}},
    };
    for (const auto& row : rows) {
        const TDot dot = ZahyotoDot(row.zahyo, row.scale, kBox);
        EXPECT_EQ(dot.X, row.dot.X) << "scale " << row.scale << " X " << row.zahyo.X;
        EXPECT_EQ(dot.Y, row.dot.Y) << "scale " << row.scale << " Y " << row.zahyo.Y;
    }
}

TEST(DottoZahyo, MapsPixelsBackToPlaneUnits)
{
    const struct {
        int scale;
        TDot dot;
        TZahyoR zahyo;
    } rows[] = {
        {20, {363, 297}, {1, 1}},
        {20, {0, 0}, {-10, 10}},
        {20, {330, 330}, {0, 0}},
        // 329 * 20 / 660: the quotient is formed in extended, then rounded once.
        {20, {659, 659}, {Single(6580.0L / 660), Single(-6580.0L / 660)}},
        {36, {0, 0}, {-18, 18}},
        {36, {348, 312}, {Single(18.0L * 36 / 660), Single(18.0L * 36 / 660)}},
        {4, {495, 165}, {1, 1}},
        {4, {330.5f, 329.5f}, {Single(2.0L / 660), Single(2.0L / 660)}},
    };
    for (const auto& row : rows) {
        const TZahyoR zahyo = DottoZahyo(row.dot, row.scale, kBox);
        EXPECT_EQ(zahyo.X, row.zahyo.X) << "scale " << row.scale << " pixel X " << row.dot.X;
        EXPECT_EQ(zahyo.Y, row.zahyo.Y) << "scale " << row.scale << " pixel Y " << row.dot.Y;
    }
}

TEST(ZahyoRtoPoint, RoundsEachCoordinateByItself)
{
    const struct {
        TDot dot;
        TPoint point;
    } rows[] = {
        {{348.33334f, 311.66666f}, {348, 312}},
        {{329.5f, -0.5f}, {330, -1}},
        {{-330.0f, 990.0f}, {-330, 990}},
        {{0.49999997f, -2.5f}, {0, -3}},
    };
    for (const auto& row : rows) {
        const TPoint point = ZahyoRtoPoint(row.dot);
        EXPECT_EQ(point.X, row.point.X) << row.dot.X;
        EXPECT_EQ(point.Y, row.point.Y) << row.dot.Y;
    }
}

TEST(Kyori, IsTheSquaredDistance)
{
    const struct {
        TZahyoR a;
        TZahyoR b;
        float squared;
    } rows[] = {
        {{0, 0}, {3, 4}, 25},
        {{3, 4}, {0, 0}, 25},
        {{1.5f, -2}, {-1.5f, 2}, 25},
        {{2, -7}, {2, -7}, 0},
        {{-9, 9}, {9, -9}, 648},
        // 0.1f and 0.3f are inexact; the squares are summed in extended and
        // rounded to Single once.
        {{0.1f, 0}, {0.3f, 0}, Single((static_cast<long double>(0.3f) - 0.1f) * (static_cast<long double>(0.3f) - 0.1f))},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Kyori(row.a, row.b), row.squared) << "(" << row.a.X << "," << row.a.Y << ")-(" << row.b.X << "," << row.b.Y << ")";
}

TEST(Kyori, RaisesOverflowWhenTheSquareDoesNotFitASingle)
{
    EXPECT_THROW(Kyori(ZahyoR(-3e38f, 0), ZahyoR(3e38f, 0)), EOverflow);
    EXPECT_THROW(Kyori(ZahyoR(0, 0), ZahyoR(0, 2e19f)), EOverflow);
}

TEST(ZahyotoDot, ScaleZeroRaisesInsteadOfGivingInfinity)
{
    EXPECT_THROW(ZahyotoDot(ZahyoR(1, 1), 0, kBox), EZeroDivide);
    EXPECT_THROW(ZahyotoDot(ZahyoR(0, 0), 0, kBox), EInvalidOp);
}

TEST(ScaleOfPosition, FollowsTheScrollBarFromThirtySixToFour)
{
    const struct {
        int first;
        int last;
        int scale;
    } rows[] = {
        {0, 1, 36},
        {2, 4, 35},
        {48, 48, 21},
        {49, 51, 20},
        {52, 54, 19},
        {96, 98, 5},
        {99, 100, 4},
    };
    for (const auto& row : rows)
        for (int position = row.first; position <= row.last; ++position)
            EXPECT_EQ(ScaleOfPosition(position), row.scale) << "position " << position;
}

// Every scale from 36 down to 4 is reached, each for three or four
// positions, except the two ends, which hold for two.
TEST(ScaleOfPosition, IsMonotoneWithOneStepPerThreeOrFourPositions)
{
    std::map<int, int> positionsPerScale;
    for (int position = 0; position <= 100; ++position) {
        const int scale = ScaleOfPosition(position);
        ++positionsPerScale[scale];
        if (position > 0) {
            const int step = ScaleOfPosition(position - 1) - scale;
            EXPECT_TRUE(step == 0 || step == 1) << "position " << position;
        }
    }
    ASSERT_EQ(positionsPerScale.size(), 33u);
    EXPECT_EQ(positionsPerScale.begin()->first, 4);
    EXPECT_EQ(positionsPerScale.rbegin()->first, 36);
    for (const auto& [scale, count] : positionsPerScale) {
        if (scale == 4 || scale == 36)
            EXPECT_EQ(count, 2) << "scale " << scale;
        else
            EXPECT_TRUE(count == 3 || count == 4) << "scale " << scale << " held for " << count;
    }
    // Symmetric about the middle position 50.
    for (int offset = 0; offset <= 50; ++offset)
        EXPECT_EQ(ScaleOfPosition(50 + offset) - 20, 20 - ScaleOfPosition(50 - offset)) << "offset " << offset;
}
