// SPDX-License-Identifier: GPL-3.0-or-later
#include "ControlHost.h"

#include "toolkit/Canvas.h"

#include <gtest/gtest.h>
#include <QFontMetrics>
#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

namespace {

using Pixels = std::set<std::pair<int, int>>;

// A canvas on a white picture of 40 × 30 pixels.
class CanvasTest : public ::testing::Test {
protected:
    CanvasTest() : picture(40, 30, QImage::Format_RGB32), canvas(picture, nullptr) { picture.fill(Qt::white); }

    TColor At(int x, int y) const { return PixelAt(picture, x, y); }

    // Every pixel of the given colour.
    Pixels PixelsOf(TColor colour) const
    {
        Pixels found;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if (At(x, y) == colour)
                    found.insert({x, y});
        return found;
    }

    QImage picture;
    TCanvas canvas;
};

Pixels Steps(std::pair<int, int> from, int count, int stepX, int stepY)
{
    Pixels pixels;
    for (int i = 0; i < count; ++i)
        pixels.insert({from.first + i * stepX, from.second + i * stepY});
    return pixels;
}

// A 1-pixel pen draws from the pen position up to, not including, the end.
TEST_F(CanvasTest, ThinLineLeavesOutItsEndPixel)
{
    struct Row {
        const char* what;
        TPoint from;
        TPoint to;
        Pixels drawn;
    };
    const Row rows[] = {
        {"rightwards", {2, 5}, {9, 5}, Steps({2, 5}, 7, 1, 0)},
        {"leftwards", {9, 5}, {2, 5}, Steps({9, 5}, 7, -1, 0)},
        {"downwards", {4, 1}, {4, 8}, Steps({4, 1}, 7, 0, 1)},
        {"upwards", {4, 8}, {4, 1}, Steps({4, 8}, 7, 0, -1)},
        {"diagonal", {2, 2}, {8, 8}, Steps({2, 2}, 6, 1, 1)},
        {"anti-diagonal", {8, 2}, {2, 8}, Steps({8, 2}, 6, -1, 1)},
        {"one pixel long", {5, 5}, {6, 5}, {{5, 5}}},
        {"from outside the picture", {-3, 4}, {3, 4}, Steps({0, 4}, 3, 1, 0)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        picture.fill(Qt::white);
        canvas.Pen.Color = clRed;
        canvas.MoveTo(row.from.X, row.from.Y);
        canvas.LineTo(row.to.X, row.to.Y);
        EXPECT_EQ(PixelsOf(clRed), row.drawn);
        EXPECT_EQ(canvas.PenPos(), row.to);
    }
}

TEST_F(CanvasTest, ShallowLineHasOnePixelPerColumnAndNoEndPixel)
{
    canvas.Pen.Color = clBlack;
    canvas.MoveTo(1, 2);
    canvas.LineTo(13, 6);
    const Pixels drawn = PixelsOf(clBlack);
    EXPECT_EQ(drawn.size(), 12u);
    for (int x = 1; x < 13; ++x) {
        int inColumn = 0;
        for (const auto& [px, py] : drawn)
            inColumn += px == x && py >= 2 && py <= 6;
        EXPECT_EQ(inColumn, 1) << "column " << x;
    }
    EXPECT_TRUE(drawn.count({1, 2}));
    EXPECT_FALSE(drawn.count({13, 6}));
}

// A line of no length: nothing with a 1-pixel pen, a dot about as wide as
// the pen and centred on the point with a 3-pixel pen. A negative width is
// ignored: the pen stays 3 pixels wide.
TEST_F(CanvasTest, ZeroLengthLineIsADotOnlyForAWidePen)
{
    canvas.Pen.Color = clMaroon;
    canvas.MoveTo(10, 10);
    canvas.LineTo(10, 10);
    EXPECT_TRUE(PixelsOf(clMaroon).empty());

    canvas.Pen.SetWidth(3);
    canvas.Pen.SetWidth(-2);
    canvas.MoveTo(20, 15);
    canvas.LineTo(20, 15);
    const Pixels dot = PixelsOf(clMaroon);
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{{20, 15}, {19, 15}, {21, 15}, {20, 14}, {20, 16}})
        EXPECT_TRUE(dot.count({x, y})) << x << "," << y;
    for (const auto& [x, y] : dot) {
        EXPECT_LE(std::abs(x - 20), 1) << x << "," << y;
        EXPECT_LE(std::abs(y - 15), 1) << x << "," << y;
    }
    EXPECT_EQ(canvas.PenPos(), (TPoint{20, 15}));
}

TEST_F(CanvasTest, WidePenLineIsWiderThanOnePixel)
{
    canvas.Pen.Color = clBlack;
    canvas.Pen.SetWidth(3);
    canvas.MoveTo(5, 10);
    canvas.LineTo(30, 10);
    for (int x = 8; x <= 27; ++x)
        for (int y = 9; y <= 11; ++y)
            EXPECT_EQ(At(x, y), clBlack) << x << "," << y;
    EXPECT_EQ(At(18, 13), clWhite);
}

// Rectangle(2, 3, 8, 7) with a 1-pixel pen: columns 2..7, rows 3..6, the
// outline on the outermost of them, the inside in the brush colour (or
// left as it was with a clear brush).
TEST_F(CanvasTest, RectangleCoversLeftToRightMinusOne)
{
    for (TBrushStyle style : {bsSolid, bsClear}) {
        SCOPED_TRACE(style == bsSolid ? "solid brush" : "clear brush");
        picture.fill(Qt::white);
        canvas.Pen.Color = clRed;
        canvas.Brush.Color = clAqua;
        canvas.Brush.Style = style;
        canvas.Rectangle(2, 3, 8, 7);
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const bool inside = x >= 2 && x <= 7 && y >= 3 && y <= 6;
                const bool outline = inside && (x == 2 || x == 7 || y == 3 || y == 6);
                const TColor expected = outline ? clRed : inside && style == bsSolid ? clAqua : clWhite;
                ASSERT_EQ(At(x, y), expected) << x << "," << y;
            }
        }
    }
}

TEST_F(CanvasTest, RectangleFillsWithTheBrushInsideAWidePen)
{
    canvas.Pen.Color = clBlack;
    canvas.Pen.SetWidth(2);
    canvas.Brush.Color = clYellow;
    canvas.Rectangle(5, 5, 20, 15);
    EXPECT_EQ(At(5, 5), clBlack);
    EXPECT_EQ(At(19, 14), clBlack);
    EXPECT_EQ(At(12, 10), clYellow);
    EXPECT_EQ(At(20, 10), clWhite);
    EXPECT_EQ(At(12, 15), clWhite);
}

// A clipped text fills its rectangle with the brush, empty text too, unless
// the brush is clear; nothing outside the rectangle changes.
TEST_F(CanvasTest, TextRectFillsItsRectangleWithTheBrush)
{
    struct Row {
        const char* what;
        TBrushStyle style;
        QString text;
    };
    const Row rows[] = {
        {"empty text, solid brush", bsSolid, QString()},
        {"empty text, clear brush", bsClear, QString()},
        {"text, solid brush", bsSolid, QStringLiteral("x")},
    };
    const QRect rect(5, 4, 20, 12);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        picture.fill(Qt::white);
        canvas.Brush.Color = clMoneyGreen;
        canvas.Brush.Style = row.style;
        canvas.Font = TFont(QStringLiteral("DejaVu Sans"), -10, fsRegular, clBlack, DEFAULT_CHARSET);
        canvas.TextRect(rect, rect.left() + 14, rect.top(), row.text);
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                // The corner of the rect stays clear of the text.
                if (!rect.contains(x, y) || x < rect.left() + 10) {
                    ASSERT_EQ(At(x, y), rect.contains(x, y) && row.style == bsSolid ? clMoneyGreen : clWhite)
                        << x << "," << y;
                }
            }
        }
    }
}

// The text starts with its first character cell at (X, Y), in the font's
// colour, and is cut at the rectangle's edges.
TEST_F(CanvasTest, TextRectClipsTheTextToItsRectangle)
{
    const TFont font(QStringLiteral("DejaVu Sans"), -16, fsBold, clRed, DEFAULT_CHARSET);
    const QString text = QStringLiteral("WWWWWWWW");
    const QFontMetrics metrics(font.ToQFont());

    QImage free(200, 40, QImage::Format_RGB32);
    free.fill(Qt::white);
    TCanvas freeCanvas(free, nullptr);
    freeCanvas.Font = font;
    freeCanvas.TextRect(free.rect(), 3, 2, text);
    const QRect freeInk = InkBounds(free, NotColour(clWhite));
    ASSERT_FALSE(freeInk.isEmpty());
    EXPECT_TRUE(QRect(3, 2, metrics.horizontalAdvance(text), metrics.height()).contains(freeInk));
    EXPECT_GT(freeInk.right(), 30);

    canvas.Font = font;
    canvas.Brush.Style = bsClear;
    const QRect rect(3, 2, 20, 10);
    canvas.TextRect(rect, 3, 2, text);
    const QRect clippedInk = InkBounds(picture, NotColour(clWhite));
    EXPECT_EQ(clippedInk, freeInk & rect);
    EXPECT_FALSE(InkBounds(picture, IsStrongRed).isEmpty());
}

// Pen.Color reads back the TColor that was set, platform colours too,
// while drawing uses the colour it stands for.
TEST_F(CanvasTest, PenColourReadsBackAsSetAndDrawsItsColour)
{
    const TColor colours[] = {clRed, clSilver, clBtnFace, clBtnHighlight, clInfoBk, clWindowText};
    int row = 0;
    for (TColor colour : colours) {
        SCOPED_TRACE(testing::Message() << std::hex << colour);
        canvas.Pen.Color = colour;
        EXPECT_EQ(canvas.Pen.Color, colour);
        canvas.MoveTo(0, row);
        canvas.LineTo(5, row);
        EXPECT_EQ(At(2, row), Shown(colour));
        ++row;
    }
}

// The canvas tells its control which part changed, so that the control can
// show it at once.
TEST_F(CanvasTest, ReportsTheChangedAreaOfEveryDrawing)
{
    QRegion changed;
    TCanvas watched(picture, [&changed](const QRect& rect) { changed += rect; });
    watched.Pen.Color = clPurple;
    watched.MoveTo(3, 3);
    watched.LineTo(20, 12);
    watched.Rectangle(25, 2, 35, 9);
    watched.TextRect(QRect(2, 20, 30, 8), 2, 20, QStringLiteral("Pq"));
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (At(x, y) != clWhite) {
                ASSERT_TRUE(changed.contains(QPoint(x, y))) << x << "," << y;
            }
}

}  // namespace
