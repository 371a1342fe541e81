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
