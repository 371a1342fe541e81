// SPDX-License-Identifier: GPL-3.0-or-later
// The window on a screen of higher pixel density. ctest runs these tests
// twice: among window.* at the usual density, and as window.2x.* with
// QT_SCALE_FACTOR=2. The layout keeps its logical sizes while the plane and
// the window's canvas draw with the screen's own pixels: grid lines and dots
// cover whole device pixels in their exact colours, and the texts at the
// top are drawn at the screen's density rather than enlarged.

#include "support/KavrelWindow.h"

#include <QPixmap>
#include <QTest>
#include <map>
#include <set>

namespace {

constexpr int kBoxSize = 660;

// The scale factor this process runs at (1 without QT_SCALE_FACTOR).
int ScreenRatio()
{
    bool ok = false;
    const int factor = qEnvironmentVariableIntValue("QT_SCALE_FACTOR", &ok);
    return ok ? factor : 1;
}

// The plane's own colours; anything else on it would be a blend.
const std::set<TColor> kPlaneColours{clWhite, clSilver, clBlack, clMaroon, clAqua, clFuchsia, clYellow};

// Two pixels of the parabola at the start scale, plane (2, 1) and (-2, 1):
// both kept.
const QPoint kOnTheParabola(396, 297);
const QPoint kAlsoOnTheParabola(264, 297);

const QRect kPTextRect(QPoint(10, 5), QPoint(209, 24));

}  // namespace

class HighDensity : public KavrelWindow {
protected:
    // What the screen shows of the plane, in device pixels.
    QImage PlaneGrab()
    {
        const QPixmap grab = Form().PaintBox1->grab();
        EXPECT_EQ(grab.devicePixelRatio(), ScreenRatio());
        return grab.toImage().convertToFormat(QImage::Format_RGB32);
    }

    static TColor At(const QImage& image, int x, int y) { return ToTColor(image.pixel(x, y)); }

    // The non-white runs along one device row: first device column and
    // (width, colour) of each run, whose pixels must all be one colour.
    static std::map<int, std::pair<int, TColor>> Runs(const QImage& image, int row)
    {
        std::map<int, std::pair<int, TColor>> runs;
        for (int x = 0; x < image.width(); ++x) {
            const TColor colour = At(image, x, row);
            if (colour == clWhite)
                continue;
            const int start = x;
            while (x + 1 < image.width() && At(image, x + 1, row) == colour)
                ++x;
            runs[start] = {x - start + 1, colour};
        }
        return runs;
    }
};

TEST_F(HighDensity, TheLayoutKeepsItsLogicalSizes)
{
    EXPECT_EQ(Form().devicePixelRatioF(), ScreenRatio());
    EXPECT_EQ(Form().size(), QSize(1024, 768));
    EXPECT_EQ(Form().PaintBox1->geometry(), QRect(8, 29, kBoxSize, kBoxSize));
    EXPECT_EQ(PlaneGrab().size(), QSize(kBoxSize, kBoxSize) * ScreenRatio());
    EXPECT_EQ(PlanePicture().size(), QSize(kBoxSize, kBoxSize));
}

// At the start scale the grid lines stand every 33 pixels from pixel 0,
// the Y axis at 330, the box's outline at 0 and 659. Across a row between
// two horizontal lines each of them is exactly one logical pixel wide, that
// is `ratio` device pixels of pure silver (black for the axis) between pure
// white: no line is smeared over its neighbours.
TEST_F(HighDensity, GridLinesCoverWholeDevicePixelsInTheirOwnColour)
{
    const int ratio = ScreenRatio();
    std::map<int, std::pair<int, TColor>> expected;
    for (int column = 0; column < kBoxSize; column += 33)
        expected[column * ratio] = {ratio, column == 330 ? clBlack : clSilver};
    expected[(kBoxSize - 1) * ratio] = {ratio, clSilver};

    const QImage plane = PlaneGrab();
    // Logical row 310 lies between the lines at 297 and 330.
    for (int row = 310 * ratio; row < 311 * ratio; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(Runs(plane, row), expected);
    }
}

// After a parabola's conditions and two clicks on it, the plane holds the
// grid, F, the fixed line, a kept dot, P, the segments: nothing but their
// own colours, and the kept dot (away from the segments) is a square of
// 3 x 3 logical pixels of pure maroon.
TEST_F(HighDensity, ThePlaneHoldsOnlyItsOwnColoursAndSharpDots)
{
    Keys(ParabolaKeys());
    ClickPlane(kOnTheParabola.x(), kOnTheParabola.y());
    ClickPlane(kAlsoOnTheParabola.x(), kAlsoOnTheParabola.y());
    ASSERT_EQ(Lesson().ZanzoCount, 2);

    const int ratio = ScreenRatio();
    const QImage plane = PlaneGrab();
    std::set<TColor> colours;
    for (int y = 0; y < plane.height(); ++y)
        for (int x = 0; x < plane.width(); ++x)
            colours.insert(At(plane, x, y));
    for (TColor colour : colours)
        EXPECT_TRUE(kPlaneColours.count(colour)) << std::hex << colour;
    EXPECT_TRUE(colours.count(clFuchsia));
    EXPECT_TRUE(colours.count(clAqua));

    const QRect dot((kOnTheParabola - QPoint(1, 1)) * ratio, QSize(3, 3) * ratio);
    for (int y = dot.top(); y <= dot.bottom(); ++y)
        for (int x = dot.left(); x <= dot.right(); ++x)
            ASSERT_EQ(At(plane, x, y), clMaroon) << x << "," << y;
}

// The text about P that the probe writes at the top of the window is drawn
// with the screen's pixels: exactly as the window's canvas draws it at that
// density, and (on a denser screen) not a 1x picture blown up, whose device
// pixels would come in uniform blocks.
TEST_F(HighDensity, TheTextsAtTheTopAreDrawnAtTheScreensDensity)
{
    Keys(ParabolaKeys());
    ClickPlane(kOnTheParabola.x(), kOnTheParabola.y());

    const int ratio = ScreenRatio();
    const QPixmap grab = Form().Client()->grab(kPTextRect);
    ASSERT_EQ(grab.devicePixelRatio(), ratio);
    const QImage shown = grab.toImage().convertToFormat(QImage::Format_RGB32);

    QImage expected(kPTextRect.size() * ratio, QImage::Format_RGB32);
    expected.setDevicePixelRatio(ratio);
    expected.fill(ToQColor(Form().Color()));
    TCanvas canvas(expected, nullptr);
    canvas.Font = Form().Canvas()->Font;
    canvas.Font.SetColor(clRed);
    canvas.Brush = Form().Canvas()->Brush;
    canvas.TextRect(QRect(QPoint(0, 0), kPTextRect.size()), 0, 0, QStringLiteral("点Ｐ ") + Lesson().PText);
    ASSERT_EQ(shown.size(), expected.size());
    EXPECT_EQ(shown, expected.convertToFormat(QImage::Format_RGB32));

    int finerThanALogicalPixel = 0;
    for (int y = 0; y + ratio <= shown.height(); y += ratio)
        for (int x = 0; x + ratio <= shown.width(); x += ratio)
            for (int dy = 0; dy < ratio; ++dy)
                for (int dx = 0; dx < ratio; ++dx)
                    finerThanALogicalPixel += shown.pixel(x + dx, y + dy) != shown.pixel(x, y);
    if (ratio > 1) {
        EXPECT_GT(finerThanALogicalPixel, 0);
    }
}
