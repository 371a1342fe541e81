// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/KavrelWindow.h"
#include "toolkit/Application.h"
#include "toolkit/Dispatch.h"

#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace {

constexpr int kBoxSize = 660;

// Pixel columns (and rows, the grid being the same on both axes) of the
// grid lines inside the box, each line rounded by itself: at scale 36,
// plane X = 1, 2, 3 are 18.33 pixels apart, drawn at 348, 367, 385. At scale
// 4 only X = -2 .. 1 and Y = 2 .. -1 are in the box; X = 2 and Y = -2 fall
// on 660.
const std::vector<int> kLinesAt20{0, 33, 66, 99, 132, 165, 198, 231, 264, 297, 330, 363, 396, 429, 462, 495, 528, 561, 594, 627};
const std::vector<int> kLinesAt36{0, 18, 37, 55, 73, 92, 110, 128, 147, 165, 183, 202, 220, 238, 257, 275, 293, 312,
                                  330, 348, 367, 385, 403, 422, 440, 458, 477, 495, 513, 532, 550, 568, 587, 605, 623, 642};
const std::vector<int> kLinesAt19{17, 52, 87, 122, 156, 191, 226, 261, 295, 330, 365, 399, 434, 469, 504, 538, 573, 608, 643};
const std::vector<int> kLinesAt4{0, 165, 330, 495};

using Scan = std::map<int, TColor>;

// What a grid crossing a scan line looks like: the silver outline at both
// edges of the box, silver lines, and the black axis at pixel 330.
Scan GridScan(const std::vector<int>& lines)
{
    Scan scan{{0, clSilver}, {kBoxSize - 1, clSilver}};
    for (int line : lines)
        scan[line] = line == 330 ? clBlack : clSilver;
    return scan;
}

// Every pixel that is not white along one row or one column of the plane.
Scan NonWhite(const QImage& picture, int fixed, bool alongRow)
{
    Scan scan;
    for (int i = 0; i < kBoxSize; ++i) {
        const TColor colour = ToTColor(alongRow ? picture.pixel(i, fixed) : picture.pixel(fixed, i));
        if (colour != clWhite)
            scan[i] = colour;
    }
    return scan;
}

int CountOf(const QImage& picture, TColor colour)
{
    int count = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            count += ToTColor(picture.pixel(x, y)) == colour;
    return count;
}

}  // namespace

// No drawing here may fail: every test ends with no error reported.
class Heimen : public KavrelWindow {
protected:
    void TearDown() override
    {
        EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
        KavrelWindow::TearDown();
    }

    void ScrollKey(Qt::Key key)
    {
        Form().ScrollBar1->setFocus();
        QTest::keyClick(Form().ScrollBar1, key);
    }

    // A click on one of the scroll bar's arrows, where the style puts it.
    void ClickArrow(QStyle::SubControl arrow)
    {
        TScrollBar* bar = Form().ScrollBar1;
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.orientation = bar->orientation();
        option.minimum = bar->minimum();
        option.maximum = bar->maximum();
        option.sliderPosition = bar->sliderPosition();
        option.sliderValue = bar->value();
        option.singleStep = bar->singleStep();
        option.pageStep = bar->pageStep();
        option.upsideDown = bar->invertedAppearance();
        const QRect rect = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, arrow, bar);
        ASSERT_FALSE(rect.isEmpty());
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, rect.center());
    }

    void ExpectGrid(const std::vector<int>& lines)
    {
        const QImage picture = PlanePicture();
        // Row and column 10 lie between grid lines at every scale used here.
        EXPECT_EQ(NonWhite(picture, 10, true), GridScan(lines)) << "vertical lines along row 10";
        EXPECT_EQ(NonWhite(picture, 10, false), GridScan(lines)) << "horizontal lines along column 10";
    }

    // Enters the line, F = (1, 2) and the ratio 1 : 1 on the keypad and
    // confirms them.
    void EnterConditions(const QStringList& line)
    {
        Keys(line);
        Keys({"決定", "１", "決定", "２", "決定", "１", "決定", "１", "決定"});
    }

    void KeepPoints(const std::vector<TZahyoR>& points)
    {
        Lesson().ZanzoCount = int(points.size());
        for (std::size_t i = 0; i < points.size(); ++i)
            Lesson().Ten[i + 1] = points[i];
    }

    void ExpectDot(int x, int y)
    {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                EXPECT_EQ(PlanePixel(x + dx, y + dy), clMaroon) << "dot at " << x << "," << y;
        // Nothing maroon two pixels away: the dot is 3 pixels across.
        for (const QPoint& ring : {QPoint(x - 2, y), QPoint(x + 2, y), QPoint(x, y - 2), QPoint(x, y + 2)}) {
            if (ring.x() >= 0 && ring.x() < kBoxSize && ring.y() >= 0 && ring.y() < kBoxSize) {
                EXPECT_NE(PlanePixel(ring.x(), ring.y()), clMaroon) << "beside the dot at " << x << "," << y;
            }
        }
    }
};

TEST_F(Heimen, AtStartTheGridIsThirtyThreePixelsApartWithAxesAtTheCentre)
{
    EXPECT_EQ(Lesson().Scale, 20);
    ExpectGrid(kLinesAt20);
    EXPECT_EQ(PlanePixel(330, 330), clBlack);
    EXPECT_EQ(PlanePixel(331, 331), clWhite);
}

// Each row follows the one before it: the scroll bar keeps its position.
TEST_F(Heimen, KeysOnTheScrollBarRescaleAndRepaintTheGrid)
{
    const struct {
        Qt::Key key;
        int position;
        int scale;
        const std::vector<int>& lines;
    } rows[] = {
        {Qt::Key_Right, 52, 19, kLinesAt19},
        {Qt::Key_Left, 51, 20, kLinesAt20},
        {Qt::Key_Left, 50, 20, kLinesAt20},
        {Qt::Key_PageUp, 49, 20, kLinesAt20},
        {Qt::Key_Home, 0, 36, kLinesAt36},
        {Qt::Key_End, 100, 4, kLinesAt4},
        {Qt::Key_Up, 99, 4, kLinesAt4},
    };
    for (const auto& row : rows) {
        ScrollKey(row.key);
        EXPECT_EQ(Form().ScrollBar1->Position(), row.position) << "key " << row.key;
        EXPECT_EQ(Lesson().Scale, row.scale) << "key " << row.key;
        ExpectGrid(row.lines);
    }
}

TEST_F(Heimen, ArrowsOfTheScrollBarRescaleByOneStep)
{
    ClickArrow(QStyle::SC_ScrollBarAddLine);
    EXPECT_EQ(Form().ScrollBar1->Position(), 52);
    EXPECT_EQ(Lesson().Scale, 19);
    // 660 / 19 = 34.7 pixels between lines.
    ExpectGrid(kLinesAt19);

    ClickArrow(QStyle::SC_ScrollBarSubLine);
    EXPECT_EQ(Form().ScrollBar1->Position(), 51);
    EXPECT_EQ(Lesson().Scale, 20);
    ExpectGrid(kLinesAt20);
}

TEST_F(Heimen, ConfirmedFixedLineIsAquaAcrossTheBox)
{
    const struct {
        QStringList keys;
        bool horizontal;
        int at;
    } rows[] = {
        {{"Ｙ＝", "－", "３"}, true, 429},
        {{"Ｙ＝", "９"}, true, 33},
        {{"Ｘ＝", "２"}, false, 396},
        {{"Ｘ＝", "－", "９"}, false, 33},
    };
    for (const auto& row : rows) {
        Click(Form().BtnSai);
        EnterConditions(row.keys);
        // A repaint from the scroll bar, back at scale 20, redraws it too.
        ScrollKey(Qt::Key_Right);
        ScrollKey(Qt::Key_Left);
        ASSERT_EQ(Lesson().Scale, 20);
        const QImage picture = PlanePicture();
        const QString what = row.keys.join(QString());
        for (int i = 0; i < kBoxSize; ++i) {
            const QRgb on = row.horizontal ? picture.pixel(i, row.at) : picture.pixel(row.at, i);
            const QRgb before = row.horizontal ? picture.pixel(i, row.at - 1) : picture.pixel(row.at - 1, i);
            const QRgb after = row.horizontal ? picture.pixel(i, row.at + 1) : picture.pixel(row.at + 1, i);
            EXPECT_EQ(ToTColor(on), clAqua) << what.toStdString() << " pixel " << i;
            EXPECT_NE(ToTColor(before), clAqua) << what.toStdString() << " pixel " << i;
            EXPECT_NE(ToTColor(after), clAqua) << what.toStdString() << " pixel " << i;
        }
    }
}

TEST_F(Heimen, FixedLineMovesWithTheScale)
{
    EnterConditions({"Ｙ＝", "－", "３"});
    ScrollKey(Qt::Key_Right);
    ASSERT_EQ(Lesson().Scale, 19);
    // Y = -3 at 660 / 19 pixels per unit: 330 + 104.2.
    EXPECT_EQ(PlanePixel(100, 434), clAqua);
    EXPECT_NE(PlanePixel(100, 429), clAqua);
}

TEST_F(Heimen, KeptPointsAreMaroonDotsAtTheirPixels)
{
    const struct {
        const char* what;
        std::vector<TZahyoR> points;
        std::vector<QPoint> dots;
        int maroonPixels;
    } rows[] = {
        {"one point", {{1, 1}}, {{363, 297}}, 9},
        {"two points", {{1, 1}, {-2, -3}}, {{363, 297}, {264, 429}}, 18},
        {"a point off the box", {{15, 0}}, {}, 0},
        {"a point off the box among others", {{-4, 4}, {0, -12}}, {{198, 198}}, 9},
        // Its pixel is 660: only the dot's left column is in the box.
        {"a point on the right edge", {{10, 0}}, {}, 3},
    };
    // P itself is not a kept point: it is not drawn while the states are 0.
    Lesson().Ten[0] = ZahyoR(3, 3);
    for (const auto& row : rows) {
        KeepPoints(row.points);
        Form().PaintBox1Paint(nullptr);
        const QImage picture = PlanePicture();
        EXPECT_EQ(CountOf(picture, clMaroon), row.maroonPixels) << row.what;
        for (const QPoint& dot : row.dots)
            ExpectDot(dot.x(), dot.y());
    }
    // The picture of the last row: the edge point's left column.
    for (int y : {329, 330, 331})
        EXPECT_EQ(PlanePixel(659, y), clMaroon) << y;
}

TEST_F(Heimen, ZoomingInPutsAKeptPointOffTheBox)
{
    KeepPoints({{1, 1}, {-2, -3}});
    Form().PaintBox1Paint(nullptr);
    ASSERT_EQ(CountOf(PlanePicture(), clMaroon), 18);
    ScrollKey(Qt::Key_End);
    ASSERT_EQ(Lesson().Scale, 4);
    // (1, 1) moves to (495, 165); (-2, -3) to (0, 825), below the box.
    EXPECT_EQ(CountOf(PlanePicture(), clMaroon), 9);
    ExpectDot(495, 165);
}

// Each row starts from a reset with P placed at (2, -2) by a click; a
// repaint from the scroll bar then draws what the entry states allow. F is
// drawn where the last confirmation put it: (0, 0) before any.
TEST_F(Heimen, EntryStatesGateWhatTheRepaintDraws)
{
    const struct {
        const char* what;
        QStringList keys;
        std::vector<QPoint> dots;
    } rows[] = {
        {"nothing entered", {}, {}},
        {"the line only", {"Ｙ＝", "－", "３"}, {}},
        {"F's X only", {"Ｙ＝", "－", "３", "決定", "１"}, {}},
        {"F complete: F is drawn", {"Ｙ＝", "－", "３", "決定", "１", "決定", "２"}, {{330, 330}}},
        {"PF waiting under a root: P is drawn", {"Ｙ＝", "－", "３", "決定", "１", "決定", "２", "決定", "√"}, {{330, 330}, {396, 396}}},
        {"PF complete: P is not drawn", {"Ｙ＝", "－", "３", "決定", "１", "決定", "２", "決定", "√", "２"}, {{330, 330}}},
    };
    for (const auto& row : rows) {
        Click(Form().BtnSai);
        ClickPlane(396, 396);
        Keys(row.keys);
        ScrollKey(Qt::Key_Right);
        ScrollKey(Qt::Key_Left);
        ASSERT_EQ(Lesson().Scale, 20);
        const QImage picture = PlanePicture();
        EXPECT_EQ(CountOf(picture, clMaroon), 9 * int(row.dots.size())) << row.what;
        for (const QPoint& dot : row.dots)
            ExpectDot(dot.x(), dot.y());
        // Without PH no fixed line and no segments.
        EXPECT_EQ(CountOf(picture, clAqua), 0) << row.what;
        EXPECT_EQ(CountOf(picture, clFuchsia) + CountOf(picture, clYellow), 0) << row.what;
    }
}

TEST_F(Heimen, AfterResetTheRepaintShowsOnlyTheGridAndTheKeptPoints)
{
    // The line Y = -1, F = (0, 1), PF : PH = 1 : 1; P = (2, 1) lies on the
    // parabola, so the click keeps it.
    Keys(ParabolaKeys());
    ClickPlane(396, 297);
    ASSERT_EQ(Lesson().ZanzoCount, 1);
    ASSERT_EQ(PlanePixel(100, 363), clAqua);

    Click(Form().BtnSai);
    ScrollKey(Qt::Key_Right);
    ScrollKey(Qt::Key_Left);
    ASSERT_EQ(Lesson().Scale, 20);
    const QImage picture = PlanePicture();
    EXPECT_EQ(CountOf(picture, clMaroon), 9);
    ExpectDot(396, 297);
    // F's pixel shows the grid again: the Y axis.
    EXPECT_EQ(PlanePixel(330, 297), clBlack);
    EXPECT_EQ(CountOf(picture, clAqua), 0);
    EXPECT_EQ(CountOf(picture, clFuchsia) + CountOf(picture, clYellow), 0);
}

TEST_F(Heimen, DrawingsSetTheirOwnPenColourAndWidth)
{
    Lesson().LineAxis = 2;
    Lesson().LineValue = -3;
    Form().Kavrel_Dsp();
    ASSERT_EQ(PlanePixel(100, 429), clAqua);
    Form().Ten_Dsp(ZahyoR(2, 2));
    ExpectDot(396, 264);
    // The point put the pen back to one pixel: the next line is thin.
    Lesson().LineAxis = 1;
    Lesson().LineValue = 5;
    Form().Kavrel_Dsp();
    EXPECT_EQ(PlanePixel(495, 100), clAqua);
    EXPECT_NE(PlanePixel(494, 100), clAqua);
    EXPECT_NE(PlanePixel(496, 100), clAqua);
    // The next grid is silver and black again, and erases both lines.
    Form().ZahyoHeimen_Draw();
    ExpectGrid(kLinesAt20);
    EXPECT_EQ(CountOf(PlanePicture(), clAqua), 0);
    EXPECT_EQ(CountOf(PlanePicture(), clMaroon), 0);
}

// The first paint of the plane already happens at scale 20: the reset on
// activation comes before it, so no mapping ever divides by a scale of 0.
TEST(HeimenFirstFrame, PlaneIsNeverPaintedWithScaleZero)
{
    QStringList errors;
    SetErrorBox([&](const QString& caption, const QString& text) { errors << caption + QLatin1Char('|') + text; });
    TKavrel_Form* form = nullptr;
    Application->CreateForm(form);
    std::vector<int> scalesPainted;
    const TNotifyEvent paint = form->PaintBox1->OnPaint;
    form->PaintBox1->OnPaint = [&](TObject* sender) {
        scalesPainted.push_back(form->Lesson.Scale);
        paint(sender);
    };
    form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    for (int i = 0; i < 50 && scalesPainted.empty(); ++i)
        QTest::qWait(10);

    ASSERT_FALSE(scalesPainted.empty());
    for (int scale : scalesPainted)
        EXPECT_EQ(scale, 20);
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
    const QImage picture = form->PaintBox1->Picture();
    EXPECT_EQ(ToTColor(picture.pixel(33, 10)), clSilver);
    EXPECT_EQ(ToTColor(picture.pixel(330, 10)), clBlack);

    delete form;
    SetErrorBox(nullptr);
}

// The window maps through its own paint box, which is the 660-pixel box.
TEST_F(Heimen, MapsThroughItsPaintBox)
{
    ASSERT_EQ(Lesson().Scale, 20);
    const TDot dot = Form().ZahyotoDot(ZahyoR(1, 1));
    EXPECT_EQ(dot.X, 363.0f);
    EXPECT_EQ(dot.Y, 297.0f);
    const TZahyoR zahyo = Form().DottoZahyo(TDot{659, 659});
    EXPECT_EQ(zahyo.X, static_cast<float>(6580.0L / 660));
    EXPECT_EQ(zahyo.Y, static_cast<float>(-6580.0L / 660));
}
