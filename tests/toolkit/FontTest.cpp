// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/Font.h"

#include <gtest/gtest.h>
#include <functional>

namespace {

// The test screen has the usual 96 logical pixels per inch.
TEST(Font, SizeAndHeightAreTwoViewsOfOneValue)
{
    ASSERT_EQ(ScreenPixelsPerInch(), 96);
    struct Row {
        const char* what;
        std::function<void(TFont&)> set;
        int height;
        int size;
    };
    const Row rows[] = {
        {"Size 16", [](TFont& f) { f.SetSize(16); }, -21, 16},
        {"Size 12", [](TFont& f) { f.SetSize(12); }, -16, 12},
        {"Size 9", [](TFont& f) { f.SetSize(9); }, -12, 9},
        {"Size 10", [](TFont& f) { f.SetSize(10); }, -13, 10},
        {"Height -12", [](TFont& f) { f.SetHeight(-12); }, -12, 9},
        {"Height -21", [](TFont& f) { f.SetHeight(-21); }, -21, 16},
        {"Height -13", [](TFont& f) { f.SetHeight(-13); }, -13, 10},
        {"Height -14", [](TFont& f) { f.SetHeight(-14); }, -14, 11},
        {"Height 16", [](TFont& f) { f.SetHeight(16); }, 16, -12},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TFont font;
        row.set(font);
        EXPECT_EQ(font.Height(), row.height);
        EXPECT_EQ(font.Size(), row.size);
    }
}

TEST(Font, MulDivRoundsHalvesAwayFromZero)
{
    struct Row {
        int a, b, c, result;
    };
    const Row rows[] = {
        {16, 96, 72, 21},    // 21.33
        {16, 120, 72, 27},   // 26.67: Size 16 at 120 ppi
        {-21, 72, 96, -16},  // -15.75
        {1, 3, 2, 2},        // 1.5
        {-1, 3, 2, -2},      // -1.5
        {1, -3, 2, -2},
        {-1, -3, 2, 2},
        {5, 1, 4, 1},        // 1.25
        {7, 1, 4, 2},        // 1.75
        {0, 5, 3, 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(MulDiv(row.a, row.b, row.c), row.result) << row.a << "*" << row.b << "/" << row.c;
}

// The control that shows the font repaints on OnChange; a value set again
// is no change.
TEST(Font, OnChangeRunsOnlyForARealChange)
{
    TFont font(QStringLiteral("DejaVu Sans"), -12, fsRegular, clBlack, DEFAULT_CHARSET);
    int changes = 0;
    font.OnChange = [&changes] { ++changes; };
    struct Row {
        const char* what;
        std::function<void(TFont&)> set;
        int changes;
    };
    const Row rows[] = {
        {"same colour", [](TFont& f) { f.SetColor(clBlack); }, 0},
        {"new colour", [](TFont& f) { f.SetColor(clRed); }, 1},
        {"same height", [](TFont& f) { f.SetHeight(-12); }, 0},
        {"size giving the same height", [](TFont& f) { f.SetSize(9); }, 0},
        {"new size", [](TFont& f) { f.SetSize(16); }, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        changes = 0;
        row.set(font);
        EXPECT_EQ(changes, row.changes);
    }
    EXPECT_EQ(font.Color(), clRed);
    EXPECT_EQ(font.Height(), -21);
}

TEST(Font, DrawsWithItsHeightInPixelsAndItsStyle)
{
    struct Row {
        int height;
        TFontStyles style;
        int pixels;
        bool bold;
        bool italic;
    };
    const Row rows[] = {
        {-12, fsRegular, 12, false, false},
        {-21, fsBold, 21, true, false},
        {16, fsItalic, 16, false, true},
        {-20, fsBold | fsItalic, 20, true, true},
    };
    for (const Row& row : rows) {
        const QFont font = TFont(QStringLiteral("DejaVu Sans"), row.height, row.style, clBlack).ToQFont();
        EXPECT_EQ(font.pixelSize(), row.pixels) << row.height;
        EXPECT_EQ(font.bold(), row.bold) << row.height;
        EXPECT_EQ(font.italic(), row.italic) << row.height;
    }
}

TEST(Font, DefaultsAreTheWindowFont)
{
    const TFont font;
    EXPECT_EQ(font.Name(), QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(font.Height(), -12);
    EXPECT_EQ(font.Charset(), SHIFTJIS_CHARSET);
    EXPECT_EQ(font.Color(), clWindowText);
}

}  // namespace
