// SPDX-License-Identifier: GPL-3.0-or-later
#include "kavrelsrc.h"

// Resets the conditions: the keypad aims at the fixed line again and every
// term must be typed anew. The line, F, the kept points and whatever is on
// the plane stay until they are replaced.
void TKavrel_Form::Syokika(TObject*)
{
    Lesson.Scale = ScaleOfPosition(ScrollBar1->Position());
    Canvas()->Font.SetSize(16);
    Lesson.LineName.clear();
    Lesson.MinusMark.clear();
    Lesson.RootMark.clear();
    LblHiPF->SetCaption(QString());
    LblHiPH->SetCaption(QString());
    LblSiki->SetCaption(QString());
    LblXzahyo->SetCaption(QString());
    LblYzahyo->SetCaption(QString());
    Lesson.LineState = 0;
    Lesson.FxState = 0;
    Lesson.FyState = 0;
    Lesson.PfState = 0;
    Lesson.PhState = 0;
    Lesson.InputTarget = 1;
    SbnLine->SetDown(true);
    SbnLine->Font().SetColor(clRed);
    Lesson.RatioPF = 0.0f;
    Lesson.RatioPH = 0.0f;
}
