// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramStart.h"

#include "kavrelsrc.h"

void RestoreProgramStart()
{
    InputTarget = 0;
    LineState = FxState = FyState = PfState = PhState = 0;
    LineAxis = LineValue = FxValue = FyValue = 0;
    RatioPF = RatioPH = 0.0f;
    MinusMark.clear();
    RootMark.clear();
    LineName.clear();
    Scale = 0;
    TenF = TenH = TZahyoR{};
    Ten.fill(TZahyoR{});
    ZanzoCount = 0;
    ClickDot = TDot{};
    PText.clear();
    ProbeAfterClick = false;
}
