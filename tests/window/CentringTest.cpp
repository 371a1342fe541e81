// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/Centring.h"

#include <gtest/gtest.h>

TEST(DesktopCentre, HalvesTheSpareRoomAndNeverGoesNegative)
{
    const struct {
        QSize desktop;
        QPoint expected;
    } rows[] = {
        {{1024, 768}, {0, 0}},
        {{1280, 1024}, {128, 128}},
        {{1366, 768}, {171, 0}},
        {{800, 600}, {0, 0}},
        {{3840, 1080}, {1408, 156}},
        {{1025, 769}, {0, 0}},
        {{1027, 771}, {1, 1}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(DesktopCentre(row.desktop, QSize(1024, 768)), row.expected)
            << row.desktop.width() << "x" << row.desktop.height();
}

// A window whose client area the work area cannot hold, with its frame, is
// limited to the work area and moved into it; one that fits stays as it is.
TEST(FitIntoWorkArea, LimitsAWindowTheScreenCannotHoldToItsWorkArea)
{
    const QMargins frame(1, 20, 1, 4);
    const struct {
        QRect client;
        QRect workArea;
        QRect expected;
    } rows[] = {
        {{129, 148, 1024, 768}, {0, 0, 1280, 1024}, {129, 148, 1024, 768}},  // fits: unchanged
        {{129, 20, 1024, 768}, {0, 0, 1280, 720}, {129, 20, 1024, 696}},     // 720p: only lower
        {{1, 20, 1024, 768}, {0, 0, 800, 600}, {1, 20, 798, 576}},           // 800 x 600: both ways
        {{300, 200, 1024, 768}, {0, 0, 800, 600}, {1, 20, 798, 576}},        // moved back onto the screen
        {{129, 148, 1024, 768}, {0, 30, 1280, 690}, {129, 50, 1024, 666}},   // a panel at the top
        {{0, 0, 1024, 768}, {0, 0, 1, 10}, {1, 20, 1, 1}},                   // a frame wider than the screen
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "work area " << row.workArea.width() << "x" << row.workArea.height());
        EXPECT_EQ(FitIntoWorkArea(row.client, frame, row.workArea), row.expected);
    }
}
