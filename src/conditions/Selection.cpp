// SPDX-License-Identifier: GPL-3.0-or-later
#include "kavrelsrc.h"

// A group button that is down makes its term the keypad's target and is the
// only one with a red caption; raising it keeps the target.
void TKavrel_Form::Selection(TSpeedButton* chosen, int target)
{
    if (!chosen->Down()) {
        chosen->Font().SetColor(clMaroon);
        return;
    }
    Lesson.InputTarget = target;
    for (TSpeedButton* button : {SbnLine, SbnXzahyo, SbnYzahyo, SbnHiPF, SbnHiPH})
        button->Font().SetColor(button == chosen ? clRed : clMaroon);
}

void TKavrel_Form::SbnLineClick(TObject*)
{
    Selection(SbnLine, 1);
}

void TKavrel_Form::SbnXzahyoClick(TObject*)
{
    Selection(SbnXzahyo, 2);
}

void TKavrel_Form::SbnYzahyoClick(TObject*)
{
    Selection(SbnYzahyo, 3);
}

void TKavrel_Form::SbnHiPFClick(TObject*)
{
    Selection(SbnHiPF, 4);
}

void TKavrel_Form::SbnHiPHClick(TObject*)
{
    Selection(SbnHiPH, 5);
}

void TKavrel_Form::SbnZahyoClick(TObject*)
{
    Lesson.InputTarget = 0;
    const auto group = {SbnLine, SbnXzahyo, SbnYzahyo, SbnHiPF, SbnHiPH};
    for (TSpeedButton* button : group)
        button->SetDown(false);
    for (TSpeedButton* button : group)
        button->Font().SetColor(clMaroon);
}

// Walks to the first term still incomplete; when all five are complete,
// clears the plane and the texts above it and draws the fixed line and F.
void TKavrel_Form::BtnKetteiClick(TObject* Sender)
{
    struct Step {
        int state;
        TSpeedButton* button;
        void (TKavrel_Form::*select)(TObject*);
    };
    const Step steps[] = {
        {Lesson.LineState, SbnLine, &TKavrel_Form::SbnLineClick},
        {Lesson.FxState, SbnXzahyo, &TKavrel_Form::SbnXzahyoClick},
        {Lesson.FyState, SbnYzahyo, &TKavrel_Form::SbnYzahyoClick},
        {Lesson.PfState, SbnHiPF, &TKavrel_Form::SbnHiPFClick},
        {Lesson.PhState, SbnHiPH, &TKavrel_Form::SbnHiPHClick},
    };
    for (const Step& step : steps) {
        if (step.state < STATE_COMPLETE) {
            step.button->SetDown(true);
            (this->*step.select)(Sender);
            return;
        }
    }

    Lesson.ZanzoCount = 0;
    ZahyoHeimen_Draw();
    const QRect strip(QPoint(10, 5), QPoint(699, 24));
    Canvas()->TextRect(strip, strip.left(), strip.top(), QString());
    Kavrel_Dsp();
    SbnZahyoClick(Sender);
    Lesson.TenF = ZahyoR(Lesson.FxValue, Lesson.FyValue);
    Ten_Dsp(Lesson.TenF);
}
