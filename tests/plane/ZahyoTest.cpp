// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/KavrelWindow.h"

#include <gtest/gtest.h>

class ZahyoWindow : public KavrelWindow {};

// The window maps through its own paint box, which is the 660-pixel box.
TEST_F(ZahyoWindow, MapsThroughItsPaintBox)
{
    ASSERT_EQ(Lesson().Scale, 20);
    const TDot dot = Form().ZahyotoDot(ZahyoR(1, 1));
    EXPECT_EQ(dot.X, 363.0f);
    EXPECT_EQ(dot.Y, 297.0f);
    const TZahyoR zahyo = Form().DottoZahyo(TDot{659, 659});
    EXPECT_EQ(zahyo.X, static_cast<float>(6580.0L / 660));
    EXPECT_EQ(zahyo.Y, static_cast<float>(-6580.0L / 660));
}
