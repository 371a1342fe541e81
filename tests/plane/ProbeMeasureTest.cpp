// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProbeWindow.h"

#include <QScrollBar>

namespace {

struct ProbeRow {
    QPoint click;
    TZahyoR p;
    TZahyoR h;
    QString pText;
    QString ratioText;
    QPoint segmentPixel;  // on F-P or P-H, away from the dots and the fixed line
    TColor segmentColour;
    bool kept;
};

// P one pixel (1/33 unit) above the parabola's point (2, 1) is still on the
// curve within 0.05; two pixels above it is not.
const float kOnePixel = static_cast<float>(34.0L * 20 / 660);
const float kTwoPixels = static_cast<float>(35.0L * 20 / 660);

// A click far from the rows' points, whose segments cross none of them.
const QPoint kElsewhere(30, 630);

}  // namespace

TEST_F(ProbeWindow, ClickMeasuresPAgainstTheParabolaAndKeepsItWhenTheErrorIsSmall)
{
    const ProbeRow rows[] = {
        {{396, 297}, {2, 1}, {2, -1}, "(2.00 , 1.00)", "ＰＦ：ＰＨ＝1.00:1.00 誤差＝0.00", {350, 297}, clFuchsia, true},
        {{363, 330}, {1, 0}, {1, -1}, "(1.00 , 0.00)", "ＰＦ：ＰＨ＝1.00:0.71 誤差＝0.41", {363, 345}, clYellow, false},
        {{396, 296}, {2, kOnePixel}, {2, -1}, "(2.00 , 1.03)", "ＰＦ：ＰＨ＝1.00:1.02 誤差＝0.03", {396, 345}, clFuchsia, true},
        {{396, 295}, {2, kTwoPixels}, {2, -1}, "(2.00 , 1.06)", "ＰＦ：ＰＨ＝1.00:1.03 誤差＝0.06", {396, 345}, clYellow, false},
    };
    Keys(ParabolaKeys());
    for (const ProbeRow& row : rows) {
        SCOPED_TRACE(row.pText.toStdString());
        Keys({"決定"});  // all conditions complete: the store is emptied
        ASSERT_EQ(Lesson().ZanzoCount, 0);

        ClickPlane(row.click.x(), row.click.y());

        EXPECT_FLOAT_EQ(Lesson().Ten[0].X, row.p.X);
        EXPECT_FLOAT_EQ(Lesson().Ten[0].Y, row.p.Y);
        EXPECT_FLOAT_EQ(Lesson().TenH.X, row.h.X);
        EXPECT_FLOAT_EQ(Lesson().TenH.Y, row.h.Y);
        EXPECT_EQ(Lesson().PText, row.pText);
        EXPECT_EQ(PTextStrip(), ExpectedPText("点Ｐ " + row.pText));
        EXPECT_EQ(RatioTextStrip(), ExpectedRatioText(row.ratioText));
        EXPECT_EQ(PlanePixel(row.segmentPixel.x(), row.segmentPixel.y()), row.segmentColour);
        EXPECT_EQ(PlanePixel(row.click.x() + 1, row.click.y()), clMaroon);  // P's dot, beside the segments
        EXPECT_EQ(Lesson().ZanzoCount, row.kept ? 1 : 0);
        if (row.kept) {
            EXPECT_EQ(Of(Lesson().Ten[1]), Of(Lesson().Ten[0]));
        }

        // Once P has moved on, only a kept point still shows at its pixel.
        ClickPlane(kElsewhere.x(), kElsewhere.y());
        EXPECT_EQ(PlanePixel(row.click.x(), row.click.y()) == clMaroon, row.kept);
    }
}

TEST_F(ProbeWindow, EveryMouseButtonProbesAlike)
{
    const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
    Keys(ParabolaKeys());
    for (Qt::MouseButton button : buttons) {
        SCOPED_TRACE(button);
        Keys({"決定"});
        ClickPlane(363, 330);  // a point off the curve first, so the texts change

        ClickPlane(396, 297, button);

        EXPECT_EQ(Of(Lesson().Ten[0]), Of(TZahyoR{2, 1}));
        EXPECT_EQ(Of(Lesson().TenH), Of(TZahyoR{2, -1}));
        EXPECT_EQ(PTextStrip(), ExpectedPText("点Ｐ (2.00 , 1.00)"));
        EXPECT_EQ(RatioTextStrip(), ExpectedRatioText("ＰＦ：ＰＨ＝1.00:1.00 誤差＝0.00"));
        EXPECT_EQ(PlanePixel(350, 297), clFuchsia);
        EXPECT_EQ(Lesson().ZanzoCount, 1);
        EXPECT_EQ(Of(Lesson().Ten[1]), Of(TZahyoR{2, 1}));
    }
}

TEST_F(ProbeWindow, DoubleClickOnTheCurveKeepsPTwice)
{
    Keys(ParabolaKeys());

    DoubleClickPlane(396, 297);

    EXPECT_EQ(Lesson().ZanzoCount, 2);
    EXPECT_EQ(Of(Lesson().Ten[1]), Of(TZahyoR{2, 1}));
    EXPECT_EQ(Of(Lesson().Ten[2]), Of(TZahyoR{2, 1}));
    EXPECT_EQ(PlanePixel(350, 297), clFuchsia);
}

TEST_F(ProbeWindow, StoreStopsAtOneHundredPoints)
{
    Keys(ParabolaKeys());
    for (int i = 1; i <= 100; ++i)
        ClickPlane(396, 297);
    ASSERT_EQ(Lesson().ZanzoCount, 100);

    // (-2, 1) lies on the curve too: its segments are fuchsia, but the full
    // store keeps its hundredth point as it was.
    ClickPlane(264, 297);
    ClickPlane(264, 297);

    EXPECT_EQ(Lesson().ZanzoCount, 100);
    EXPECT_EQ(Of(Lesson().Ten[0]), Of(TZahyoR{-2, 1}));
    EXPECT_EQ(Of(Lesson().Ten[100]), Of(TZahyoR{2, 1}));
    EXPECT_EQ(PlanePixel(300, 297), clFuchsia);
    EXPECT_EQ(PlanePixel(264, 345), clFuchsia);
    EXPECT_EQ(RatioTextStrip(), ExpectedRatioText("ＰＦ：ＰＨ＝1.00:1.00 誤差＝0.00"));
    EXPECT_EQ(PlanePixel(396, 297), clMaroon);
}

// On the fixed line P and H coincide: the measured term is 0 and the error
// is all of PF, taken PH's term times. F = (0, 1) each time.
TEST_F(ProbeWindow, ClickOnTheFixedLineMeasuresNoDistanceToIt)
{
    // Each "－" on a complete coordinate counts up its state, to 5209 here:
    // the product of F's and the ratio's states would pass 2^31.
    const QStringList manyMinus(5200, QStringLiteral("－"));
    struct Row {
        QString pf;
        QString ph;
        QString ratioText;
        QStringList fx = {"０"};
        QStringList fy = {"１"};
    };
    const Row rows[] = {
        {"１", "１", "ＰＦ：ＰＨ＝1.00:0.00 誤差＝2.83"},
        {"１", "２", "ＰＦ：ＰＨ＝1.00:0.00 誤差＝5.66"},
        {"２", "１", "ＰＦ：ＰＨ＝2.00:0.00 誤差＝2.83"},
        // The minus left pending after X goes to Y's "０", not to its "１".
        {"１", "１", "ＰＦ：ＰＨ＝1.00:0.00 誤差＝2.83", QStringList{"０"} + manyMinus,
         QStringList{"０", "１"} + manyMinus},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.ratioText.toStdString() + ", keys for F: " + std::to_string(row.fx.size() + row.fy.size()));
        Click(Form().BtnSai);
        Keys(ConditionKeys(row.fx, row.fy, row.pf, row.ph));

        ClickPlane(396, 363);  // P = (2, -1), PF = √8

        EXPECT_EQ(Of(Lesson().Ten[0]), Of(TZahyoR{2, -1}));
        EXPECT_EQ(Of(Lesson().TenH), Of(TZahyoR{2, -1}));
        EXPECT_EQ(Lesson().PText, "(2.00 , -1.00)");
        EXPECT_EQ(PTextStrip(), ExpectedPText("点Ｐ (2.00 , -1.00)"));
        EXPECT_EQ(RatioTextStrip(), ExpectedRatioText(row.ratioText));
        EXPECT_EQ(PlanePixel(340, 307), clYellow);  // on F-P, the diagonal from (330, 297)
        EXPECT_EQ(Lesson().ZanzoCount, 0);
    }
}

// In a window smaller than its content and scrolled both ways, the texts
// at the top stay at their places in the client area, over the plane that
// has scrolled under them; clicks there still reach the plane, and the
// confirmation blanks the same places. The condition panel, a window of its
// own, has scrolled into the strip's right end and stays over the texts.
TEST_F(ProbeWindow, ScrolledWindowKeepsTheTextsAtTheTopInTheClientArea)
{
    Form().resize(800, 400);
    QTest::qWait(0);
    Form().horizontalScrollBar()->setValue(200);
    Form().verticalScrollBar()->setValue(100);
    ASSERT_EQ(Form().PaintBox1->mapTo(Form().viewport(), QPoint(0, 0)), QPoint(8 - 200, 29 - 100));
    const int panelLeft = Form().GroupBox2->mapTo(Form().viewport(), QPoint(0, 0)).x();
    ASSERT_EQ(panelLeft, 691 - 200);
    const auto leftOfThePanel = [panelLeft](const QImage& strip, const QRect& rect) {
        return strip.copy(0, 0, panelLeft - rect.left(), rect.height());
    };

    Keys(ParabolaKeys());
    ClickPlane(396, 297);
    EXPECT_EQ(PTextStrip(), ExpectedPText("点Ｐ (2.00 , 1.00)"));
    EXPECT_EQ(leftOfThePanel(RatioTextStrip(), RatioTextRect()),
              leftOfThePanel(ExpectedRatioText("ＰＦ：ＰＨ＝1.00:1.00 誤差＝0.00"), RatioTextRect()));
    const QPoint overTheText = Form().Client()->mapFrom(Form().viewport(), QPoint(100, 15));
    EXPECT_EQ(Form().Client()->childAt(overTheText), Form().PaintBox1);

    Keys({"決定"});
    const QRect strip(QPoint(10, 5), QPoint(699, 24));
    EXPECT_EQ(leftOfThePanel(WindowStrip(strip), strip), leftOfThePanel(ExpectedText(strip, clRed, QString()), strip));
}
