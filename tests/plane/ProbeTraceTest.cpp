// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProbeWindow.h"

#include <vector>

// Clicking over the whole plane leaves kept points exactly where P lies on
// the curve within 0.05, and nowhere else, for each kind of curve.
TEST_F(ProbeWindow, ClicksOverThePlaneKeepExactlyThePointsOnTheCurve)
{
    struct Row {
        const char* curve;
        QString pf;
        QString ph;
        QRect area;  // the pixels clicked, every `step` pixels each way
        int step;
        int farOffAtLeast;
    };
    const QRect wholePlane(QPoint(5, 5), QPoint(659, 659));
    // The ellipse is small: from (0, 1/3) to (0, 3), about 1.15 to either
    // side, so a finer grid covers it and the plane around it.
    const QRect aroundEllipse(QPoint(280, 215), QPoint(380, 335));
    const Row rows[] = {
        {"parabola", "１", "１", wholePlane, 17, 1000},
        {"ellipse", "１", "２", aroundEllipse, 4, 200},
        {"hyperbola", "２", "１", wholePlane, 17, 1000},
    };
    // F = (0, 1) and the line Y = -1 for every curve.
    const TZahyoR f{0, 1};
    const float lineY = -1.0f;

    for (const Row& row : rows) {
        SCOPED_TRACE(row.curve);
        Click(Form().BtnSai);
        Keys(ConditionKeys({"０"}, {"１"}, row.pf, row.ph));
        ASSERT_EQ(Lesson().ZanzoCount, 0);
        const float ratioPF = row.pf == "１" ? 1.0f : 2.0f;
        const float ratioPH = row.ph == "１" ? 1.0f : 2.0f;

        std::vector<Coordinates> onCurve;
        int farOff = 0;
        for (int x = row.area.left(); x <= row.area.right(); x += row.step) {
            for (int y = row.area.top(); y <= row.area.bottom(); y += row.step) {
                ClickPlane(x, y);
                const TZahyoR p = PointAtScale20(x, y);
                ASSERT_EQ(Of(Lesson().Ten[0]), Of(p)) << "click at " << x << ", " << y;
                const float error = ProbeError(p, f, lineY, ratioPF, ratioPH);
                if (Kept(error))
                    onCurve.push_back(Of(p));
                else if (error > 1.0f)
                    ++farOff;
            }
        }

        ASSERT_LE(onCurve.size(), 100u) << "the grid is too fine for the store";
        EXPECT_GE(onCurve.size(), 5u);
        EXPECT_GE(farOff, row.farOffAtLeast);
        EXPECT_EQ(KeptPoints(), onCurve);
        for (const Coordinates& kept : KeptPoints())
            EXPECT_TRUE(Kept(ProbeError(TZahyoR{kept.first, kept.second}, f, lineY, ratioPF, ratioPH)))
                << "kept (" << kept.first << ", " << kept.second << ")";
    }
}
