// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProbeWindow.h"

#include <functional>

// Only the probe that answers a click keeps P. Zooming and repaints asked
// by the window system redraw the segments and rewrite the texts for the
// same P, but keep no copy of it; a new click on the same pixel does.
TEST_F(ProbeWindow, OnlyAClickKeepsPRepaintsAndZoomingDoNot)
{
    struct Row {
        const char* action;
        std::function<void()> act;
        int scale;
        QPoint segmentPixel;  // on P-H at that scale
        QPoint elsewhere;     // on P-H at the other scale
    };
    // P = (2, 1), H = (2, -1): at Scale 19 they lie at pixels (399, 295)
    // and (399, 365), at Scale 20 at (396, 297) and (396, 363).
    static const QPoint atScale19(399, 345);
    static const QPoint atScale20(396, 345);
    const Row rows[] = {
        {"Right key on the scroll bar", [this] { ZoomKey(Qt::Key_Right); }, 19, atScale19, atScale20},
        {"Left key on the scroll bar", [this] { ZoomKey(Qt::Key_Left); }, 20, atScale20, atScale19},
        {"click on the right arrow", [this] { ZoomArrow(true); }, 19, atScale19, atScale20},
        {"click on the left arrow", [this] { ZoomArrow(false); }, 20, atScale20, atScale19},
        {"repaint asked by the window system",
         [this] {
             Smudge(atScale20.x(), atScale20.y());
             SystemRepaint();
         },
         20, atScale20, atScale19},
    };
    Keys(ParabolaKeys());
    ClickPlane(396, 297);
    ASSERT_EQ(Lesson().ZanzoCount, 1);

    for (const Row& row : rows) {
        SCOPED_TRACE(row.action);
        BlankTexts();

        row.act();

        EXPECT_EQ(Lesson().Scale, row.scale);
        EXPECT_EQ(PlanePixel(row.segmentPixel.x(), row.segmentPixel.y()), clFuchsia);
        EXPECT_NE(PlanePixel(row.elsewhere.x(), row.elsewhere.y()), clFuchsia);
        EXPECT_EQ(PTextStrip(), ExpectedPText("点Ｐ (2.00 , 1.00)"));
        EXPECT_EQ(RatioTextStrip(), ExpectedRatioText("ＰＦ：ＰＨ＝1.00:1.00 誤差＝0.00"));
        EXPECT_EQ(Lesson().ZanzoCount, 1);
    }

    ClickPlane(396, 297);

    EXPECT_EQ(Lesson().ZanzoCount, 2);
    EXPECT_EQ(Of(Lesson().Ten[2]), Of(Lesson().Ten[1]));
    EXPECT_EQ(Of(Lesson().Ten[2]), Of(TZahyoR{2, 1}));
}
