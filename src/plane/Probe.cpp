// SPDX-License-Identifier: GPL-3.0-or-later
#include "kavrelsrc.h"

#include "numbers/Fmt.h"

namespace {

const QRect kPTextRect(QPoint(10, 5), QPoint(209, 24));
const QRect kRatioTextRect(QPoint(345, 5), QPoint(699, 24));

}  // namespace

void TKavrel_Form::PaintBox1MouseDown(TObject* Sender, TMouseButton, TShiftState, int X, int Y)
{
    Lesson.ClickDot = TDot{static_cast<float>(X), static_cast<float>(Y)};
    Lesson.Ten[0] = DottoZahyo(Lesson.ClickDot);
    const float c = static_cast<float>(Lesson.LineValue);
    Lesson.TenH = Lesson.LineAxis == 1 ? TZahyoR{c, Lesson.Ten[0].Y} : TZahyoR{Lesson.Ten[0].X, c};
    PaintBox1Paint(Sender);
    // The click alone keeps P, when the probe of its repaint found P on the
    // curve; later repaints of the same P (zooming, the window system) only
    // draw it. A repaint that failed has left this handler already and
    // keeps nothing.
    if (Lesson.ProbeRuns() && OnTheCurve(Lesson.Measure().e))
        ZanzoKioku();
}

void TKavrel_Form::Sen_Dsp()
{
    const TPoint f = ZahyoRtoPoint(ZahyotoDot(Lesson.TenF));
    const TPoint h = ZahyoRtoPoint(ZahyotoDot(Lesson.TenH));
    const TPoint p = ZahyoRtoPoint(ZahyotoDot(Lesson.Ten[0]));

    const TMeasure measure = Lesson.Measure();

    Canvas()->Font.SetColor(clPurple);
    Canvas()->TextRect(kRatioTextRect, kRatioTextRect.left(), kRatioTextRect.top(),
                       QStringLiteral("ＰＦ：ＰＨ＝") + Fmt(Lesson.RatioPF) + QLatin1Char(':') + Fmt(measure.m)
                           + QStringLiteral(" 誤差＝") + Fmt(measure.e));
    TenP_Dsp();

    TCanvas* canvas = PaintBox1->Canvas();
    canvas->Pen.Color = OnTheCurve(measure.e) ? clFuchsia : clYellow;
    canvas->MoveTo(f.X, f.Y);
    canvas->LineTo(p.X, p.Y);
    canvas->LineTo(h.X, h.Y);
}

void TKavrel_Form::TenP_Dsp()
{
    const TZahyoR p = Lesson.Ten[0];
    Ten_Dsp(p);
    Lesson.PText = QLatin1Char('(') + Fmt(p.X) + QStringLiteral(" , ") + Fmt(p.Y) + QLatin1Char(')');
    Canvas()->Font.SetColor(clRed);
    Canvas()->TextRect(kPTextRect, kPTextRect.left(), kPTextRect.top(), QStringLiteral("点Ｐ ") + Lesson.PText);
}

void TKavrel_Form::ZanzoKioku()
{
    if (Lesson.ZanzoCount == ZANZO_MAX)
        return;
    ++Lesson.ZanzoCount;
    Lesson.Ten[Lesson.ZanzoCount] = Lesson.Ten[0];
}
