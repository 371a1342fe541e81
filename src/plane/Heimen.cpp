// SPDX-License-Identifier: GPL-3.0-or-later
#include "kavrelsrc.h"

void TKavrel_Form::ZahyoHeimen_Draw()
{
    TCanvas* canvas = PaintBox1->Canvas();
    const QRect r = PaintBox1->ClientRect();
    PaintBox1->SetColor(clWhite);
    canvas->Brush.Style = bsSolid;
    canvas->Pen.Color = clSilver;
    canvas->Rectangle(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
    for (int i = -Lesson.Scale; i <= Lesson.Scale; ++i) {
        const TPoint a = ZahyoRtoPoint(ZahyotoDot(ZahyoR(i, -Lesson.Scale)));
        const TPoint b = ZahyoRtoPoint(ZahyotoDot(ZahyoR(i, Lesson.Scale)));
        canvas->Pen.Color = i == 0 ? clBlack : clSilver;
        canvas->MoveTo(a.X, a.Y);
        canvas->LineTo(b.X, b.Y);
        // The box is square and both axes map alike, so the vertical line
        // with its coordinates swapped is the horizontal line at Y = -i.
        canvas->MoveTo(a.Y, a.X);
        canvas->LineTo(b.Y, b.X);
    }
}

void TKavrel_Form::Ten_Dsp(TZahyoR ten)
{
    TCanvas* canvas = PaintBox1->Canvas();
    const TDot dot = ZahyotoDot(ten);
    canvas->Pen.Color = clMaroon;
    canvas->Pen.SetWidth(3);
    canvas->MoveTo(Roundoff(dot.X), Roundoff(dot.Y));
    canvas->LineTo(Roundoff(dot.X), Roundoff(dot.Y));
    canvas->Pen.SetWidth(1);
}

void TKavrel_Form::Zanzo_Dsp()
{
    for (int i = 1; i <= Lesson.ZanzoCount; ++i)
        Ten_Dsp(Lesson.Ten[i]);
}

void TKavrel_Form::Kavrel_Dsp()
{
    TCanvas* canvas = PaintBox1->Canvas();
    canvas->Pen.Color = clAqua;
    const float c = static_cast<float>(Lesson.LineValue);
    const bool vertical = Lesson.LineAxis == 1;
    const TZahyoR from = vertical ? ZahyoR(c, -Lesson.Scale) : ZahyoR(-Lesson.Scale, c);
    const TZahyoR to = vertical ? ZahyoR(c, Lesson.Scale) : ZahyoR(Lesson.Scale, c);
    const TPoint a = ZahyoRtoPoint(ZahyotoDot(from));
    const TPoint b = ZahyoRtoPoint(ZahyotoDot(to));
    canvas->MoveTo(a.X, a.Y);
    canvas->LineTo(b.X, b.Y);
}

// Redraws the whole plane from the state. The entry states gate what is
// drawn: F once both coordinates have been touched, P and H while their
// ratio term waits under a root, the fixed line and the probe once no term
// of F or the ratio is empty.
void TKavrel_Form::PaintBox1Paint(TObject*)
{
    ZahyoHeimen_Draw();
    if (Lesson.ZanzoCount > 0)
        Zanzo_Dsp();
    if (Lesson.TenFShown())
        Ten_Dsp(Lesson.TenF);
    if (Lesson.PfState == 1)
        Ten_Dsp(Lesson.Ten[0]);
    if (Lesson.PhState == 1)
        Ten_Dsp(Lesson.TenH);
    if (Lesson.ProbeRuns()) {
        Kavrel_Dsp();
        Sen_Dsp();
    }
}
