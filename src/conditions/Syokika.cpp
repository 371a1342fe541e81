// SPDX-License-Identifier: GPL-3.0-or-later
#include "kavrelsrc.h"

// Resets the conditions: the keypad aims at the fixed line again and every
// term must be typed anew. The line, F, the kept points and whatever is on
// the plane stay until they are replaced.
void TKavrel_Form::Syokika(TObject*)
{
    Scale = ScaleOfPosition(ScrollBar1->Position());
    Canvas()->Font.SetSize(16);
    LineName.clear();
    MinusMark.clear();
    RootMark.clear();
    LblHiPF->SetCaption(QString());
    LblHiPH->SetCaption(QString());
    LblSiki->SetCaption(QString());
    LblXzahyo->SetCaption(QString());
    LblYzahyo->SetCaption(QString());
    LineState = 0;
    FxState = 0;
    FyState = 0;
    PfState = 0;
    PhState = 0;
    InputTarget = 1;
    SbnLine->SetDown(true);
    SbnLine->Font().SetColor(clRed);
    RatioPF = 0.0f;
    RatioPH = 0.0f;
}
