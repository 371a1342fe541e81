// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProbeWindow.h"

#include "toolkit/Application.h"
#include "toolkit/Dispatch.h"
#include "support/ModalErrorBoxes.h"

#include <QStyle>

namespace {

QString Box(const QString& text)
{
    return Application->Title() + QLatin1Char('|') + text;
}

const QString kZeroDivide = QStringLiteral("0 による浮動小数点数除算.");
const QString kInvalidOp = QStringLiteral("不正な浮動小数点数演算命令.");

}  // namespace

// P on F leaves PF = 0 to divide by. The click's probe stops there: the
// error is reported once, the texts, segments and kept points stay as the
// previous click left them, and the next click on another point probes.
TEST_F(ProbeWindow, ClickOnFReportsTheErrorOnceAndLeavesTheLastMeasurement)
{
    struct Row {
        QStringList fy;
        QPoint onCurve;         // kept before the error
        QPoint onCurveSegment;  // on its P-H segment
        QPoint onF;
        TZahyoR f;
        TZahyoR h;
        QString error;
        QPoint next;
        QString nextPText;
    };
    const Row rows[] = {
        // F off the line: PF = 0 over PH = 1.
        {{"０"}, {363, 330}, {363, 345}, {330, 330}, {0, 0}, {0, -1}, kZeroDivide, {429, 198}, "(3.00 , 4.00)"},
        // F on the line: 0 over 0.
        {{"－", "１"}, {330, 264}, {330, 300}, {330, 363}, {0, -1}, {0, -1}, kInvalidOp, {330, 231}, "(0.00 , 3.00)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.error.toStdString());
        Click(Form().BtnSai);
        Keys(ConditionKeys({"０"}, row.fy, "１", "１"));
        ClickPlane(row.onCurve.x(), row.onCurve.y());
        ASSERT_EQ(Lesson().ZanzoCount, 1);
        ASSERT_EQ(PlanePixel(row.onCurveSegment.x(), row.onCurveSegment.y()), clFuchsia);
        const QImage pTextBefore = PTextStrip();
        const QImage ratioTextBefore = RatioTextStrip();
        const QString pTextStateBefore = Lesson().PText;
        errors.clear();

        ClickPlane(row.onF.x(), row.onF.y());

        EXPECT_EQ(errors, QStringList{Box(row.error)});
        EXPECT_EQ(Of(Lesson().Ten[0]), Of(row.f));
        EXPECT_EQ(Of(Lesson().TenH), Of(row.h));
        EXPECT_EQ(Lesson().ZanzoCount, 1);
        EXPECT_EQ(Lesson().PText, pTextStateBefore);
        EXPECT_EQ(PTextStrip(), pTextBefore);
        EXPECT_EQ(RatioTextStrip(), ratioTextBefore);
        // The plane was redrawn up to the probe, which drew no segment.
        EXPECT_NE(PlanePixel(row.onCurveSegment.x(), row.onCurveSegment.y()), clFuchsia);
        EXPECT_NE(PlanePixel(row.onCurveSegment.x(), row.onCurveSegment.y()), clYellow);

        ClickPlane(row.next.x(), row.next.y());

        EXPECT_EQ(errors.size(), 1);
        EXPECT_EQ(Lesson().ZanzoCount, 2);
        EXPECT_EQ(PTextStrip(), ExpectedPText("点Ｐ " + row.nextPText));
        EXPECT_EQ(RatioTextStrip(), ExpectedRatioText("ＰＦ：ＰＨ＝1.00:1.00 誤差＝0.00"));
    }
}

// While P stays on F every probe fails again. Each gesture of the learner
// is reported once; repaints the window system asks for in between report
// nothing more.
TEST_F(ProbeWindow, PStayingOnFReportsOncePerLearnerActionOnly)
{
    Keys(ConditionKeys({"０"}, {"０"}, "１", "１"));  // F at the origin
    ClickPlane(330, 330);
    ASSERT_EQ(errors, QStringList{Box(kZeroDivide)});

    Smudge(100, 100);
    SystemRepaint();
    EXPECT_EQ(PlanePixel(100, 100), clWhite) << "the plane was not repainted";
    Smudge(100, 100);
    Form().PaintBox1->repaint();
    EXPECT_EQ(PlanePixel(100, 100), clWhite) << "the plane was not repainted";
    EXPECT_EQ(errors.size(), 1);

    // Each failing key sets Scale and leaves Position at 51.
    ZoomKey(Qt::Key_Right);
    EXPECT_EQ(Lesson().Scale, 19);
    EXPECT_EQ(Form().ScrollBar1->Position(), 51);
    EXPECT_EQ(errors, QStringList(2, Box(kZeroDivide)));
    SystemRepaint();
    EXPECT_EQ(errors.size(), 2);

    ZoomKey(Qt::Key_Left);
    EXPECT_EQ(Lesson().Scale, ScaleOfPosition(50));
    EXPECT_EQ(Form().ScrollBar1->Position(), 51);
    EXPECT_EQ(errors, QStringList(3, Box(kZeroDivide)));

    // An arrow click's step meets the error, which ends the click: its end
    // of the scroll does not follow, and the click reports once.
    ZoomArrow(true);
    EXPECT_EQ(Form().ScrollBar1->Position(), 51);
    EXPECT_EQ(errors, QStringList(4, Box(kZeroDivide)));
    EXPECT_EQ(Lesson().ZanzoCount, 0);
}

// A box that makes the plane repaint (by covering it, say) meets the same
// error inside its own loop; that opens no second box.
TEST_F(ProbeWindow, RepaintWhileTheErrorBoxIsOpenOpensNoSecondBox)
{
    bool repainted = false;
    SetErrorBox([&](const QString& caption, const QString& text) {
        errors << caption + QLatin1Char('|') + text;
        Smudge(100, 100);
        Form().PaintBox1->repaint();
        repainted = PlanePixel(100, 100) == clWhite;
    });
    Keys(ConditionKeys({"０"}, {"０"}, "１", "１"));  // F at the origin

    ClickPlane(330, 330);

    EXPECT_TRUE(repainted) << "the box's repaint did not reach the plane";
    EXPECT_EQ(errors, QStringList{Box(kZeroDivide)});
}

// Before any click P and H still hold their start value (0, 0): with F
// confirmed at (0, 0) the first zoom meets 0 over 0.
TEST_F(ProbeWindow, ZoomBeforeAnyClickWithFAtTheOriginReportsInvalidOperation)
{
    ASSERT_EQ(Of(Lesson().Ten[0]), Of(TZahyoR{0, 0}));
    Keys(ConditionKeys({"０"}, {"０"}, "１", "１"));  // F at the origin
    ASSERT_TRUE(errors.isEmpty());

    ZoomKey(Qt::Key_Right);

    EXPECT_EQ(errors, QStringList{Box(kInvalidOp)});
    EXPECT_EQ(Lesson().ZanzoCount, 0);
}

// With P on F, a gesture on the zoom bar meets the error and opens the
// real modal box inside the bar's handler. The learner lets go of the
// mouse while the box is open, so the release goes to the box, and presses
// Return. The failing step ends the gesture: no repeat runs inside the
// box's loop or after it, no end of the scroll follows, the thumb is not
// held, no box comes back, and the next click on the plane probes. The
// failing click on F keeps no point, though the P before it was kept. The
// failed notification leaves Position and the thumb where they were; Scale
// keeps what the handler set before it failed.
TEST_F(ProbeWindow, FailingZoomGestureEndsAtItsOneRealErrorBox)
{
    struct Row {
        const char* what;
        QStyle::SubControl part;
        QPoint moveBy;          // a drag of the thumb
        bool failsAtRelease;    // a click on the thumb fails when released
        int scrollPos;          // of the failing notification; -1: ahead of 51
    };
    const Row rows[] = {
        {"arrow held", QStyle::SC_ScrollBarAddLine, {}, false, 52},
        {"track held", QStyle::SC_ScrollBarAddPage, {}, false, 52},
        {"thumb dragged", QStyle::SC_ScrollBarSlider, {40, 0}, false, -1},
        {"thumb clicked", QStyle::SC_ScrollBarSlider, {}, true, 51},
    };
    TScrollBar* bar = Form().ScrollBar1;
    QWindow* window = Form().windowHandle();
    Keys(ConditionKeys({"０"}, {"０"}, "１", "１"));  // F at the origin
    ClickPlane(363, 330);  // (1, 0), on the parabola
    ASSERT_EQ(Lesson().ZanzoCount, 1);
    SetErrorBox(nullptr);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        bar->setValue(51);
        const QRect thumb = bar->PartRect(QStyle::SC_ScrollBarSlider);
        const QPoint press = bar->mapTo(&Form(), bar->PartRect(row.part).center());
        const QPoint release = press + row.moveBy;
        ModalErrorBoxes boxes([&] { QTest::mouseRelease(window, Qt::LeftButton, {}, release); },
                              [] { return 700; });
        ClickPlane(330, 330);
        ASSERT_EQ(boxes.shown, QStringList{Box(kZeroDivide)});
        EXPECT_EQ(Lesson().ZanzoCount, 1);

        QTest::mousePress(window, Qt::LeftButton, {}, press);
        if (!row.moveBy.isNull())
            QTest::mouseMove(window, release);
        if (row.failsAtRelease)
            QTest::mouseRelease(window, Qt::LeftButton, {}, release);
        ASSERT_EQ(boxes.shown.size(), 2);
        EXPECT_EQ(bar->Position(), 51);
        EXPECT_EQ(bar->PartRect(QStyle::SC_ScrollBarSlider), thumb) << "the thumb moved";
        if (row.scrollPos >= 0)
            EXPECT_EQ(Lesson().Scale, ScaleOfPosition(row.scrollPos));
        else
            EXPECT_LT(Lesson().Scale, ScaleOfPosition(51));

        QTest::qWait(800);
        EXPECT_EQ(boxes.shown.size(), 2) << "a box came back after OK";
        EXPECT_EQ(bar->Position(), 51) << "the bar went on moving after OK";
        EXPECT_EQ(bar->sliderPosition(), 51);

        QTest::mouseClick(window, Qt::LeftButton, {}, Form().PaintBox1->mapTo(&Form(), QPoint(330, 264)));
        EXPECT_EQ(boxes.shown.size(), 2);
        EXPECT_EQ(Lesson().Ten[0].X, 0.0f);
        EXPECT_GT(Lesson().Ten[0].Y, 0.0f);
        EXPECT_EQ(bar->Position(), 51);
    }
}
