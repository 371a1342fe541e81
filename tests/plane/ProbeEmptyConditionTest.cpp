// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProbeWindow.h"

#include <cmath>
#include <functional>

namespace {

// The pixel of a plane point at Scale 20.
QPoint PixelAtScale20(TZahyoR p)
{
    return QPoint(static_cast<int>(std::lround(330 + 33.0 * p.X)), static_cast<int>(std::lround(330 - 33.0 * p.Y)));
}

}  // namespace

// While any of F's coordinates or the ratio terms is empty, a click still
// moves P and H, but the repaint measures nothing: no text, no segment, no
// kept point. The rows walk one window from its start through a partly
// entered condition to the state after "再試行".
TEST_F(ProbeWindow, ClickWithAnEmptyConditionMovesPAndHButMeasuresNothing)
{
    struct Row {
        const char* situation;
        std::function<void()> reach;
        float lineY;  // H lies on this line under P
        int keptBefore;
    };
    const Row rows[] = {
        {"at start, no condition entered", [] {}, 0.0f, 0},
        {"line and F entered, no ratio", [this] { Keys({"Ｙ＝", "－", "１", "決定", "０", "決定", "１"}); }, -1.0f, 0},
        {"after 再試行 following a kept point",
         [this] {
             Keys({"決定", "１", "決定", "１", "決定"});
             ClickPlane(396, 297);
             ASSERT_EQ(Lesson().ZanzoCount, 1);
             Click(Form().BtnSai);
         },
         -1.0f, 1},
    };
    // (1, 0) lies off the parabola, (-2, 1) on it.
    const QPoint clicks[] = {{363, 330}, {264, 297}};

    ASSERT_EQ(Lesson().LineAxis, 0);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.situation);
        row.reach();
        const QImage pTextBefore = PTextStrip();
        const QImage ratioTextBefore = RatioTextStrip();
        const QString pTextStateBefore = Lesson().PText;

        for (const QPoint& click : clicks) {
            ClickPlane(click.x(), click.y());

            const TZahyoR p = PointAtScale20(click.x(), click.y());
            EXPECT_EQ(Of(Lesson().Ten[0]), Of(p));
            EXPECT_EQ(Of(Lesson().TenH), Of(TZahyoR{p.X, row.lineY}));
            EXPECT_EQ(PTextStrip(), pTextBefore);
            EXPECT_EQ(RatioTextStrip(), ratioTextBefore);
            EXPECT_EQ(Lesson().PText, pTextStateBefore);
            EXPECT_EQ(Lesson().ZanzoCount, row.keptBefore);
            EXPECT_NE(PlanePixel(click.x() + 1, click.y()), clMaroon);  // no dot for P
            EXPECT_NE(PlanePixel(click.x(), 345), clFuchsia);           // no segment down to H
            EXPECT_NE(PlanePixel(click.x(), 345), clYellow);
            for (int i = 1; i <= Lesson().ZanzoCount; ++i) {
                const QPoint kept = PixelAtScale20(Lesson().Ten[i]);
                EXPECT_EQ(PlanePixel(kept.x() + 1, kept.y()), clMaroon);
            }
        }
    }
}
