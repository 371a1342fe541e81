// SPDX-License-Identifier: GPL-3.0-or-later
#include "kavrelsrc.h"

#include "numbers/Fmt.h"

namespace {

const QRect kPTextRect(QPoint(10, 5), QPoint(209, 24));
const QRect kRatioTextRect(QPoint(345, 5), QPoint(699, 24));

}  // namespace

void TKavrel_Form::PaintBox1MouseDown(TObject* Sender, TMouseButton, TShiftState, int X, int Y)
{
    ClickDot = TDot{static_cast<float>(X), static_cast<float>(Y)};
    Ten[0] = DottoZahyo(ClickDot);
    const float c = static_cast<float>(LineValue);
    TenH = LineAxis == 1 ? TZahyoR{c, Ten[0].Y} : TZahyoR{Ten[0].X, c};

    // Only the repaint that answers this click may keep P; later repaints
    // of the same P (zooming, the window system) only draw it.
    struct AfterClick {
        AfterClick() { ProbeAfterClick = true; }
        ~AfterClick() { ProbeAfterClick = false; }
    } afterClick;
    PaintBox1Paint(Sender);
}

void TKavrel_Form::Sen_Dsp()
{
    const TPoint f = ZahyoRtoPoint(ZahyotoDot(TenF));
    const TPoint h = ZahyoRtoPoint(ZahyotoDot(TenH));
    const TPoint p = ZahyoRtoPoint(ZahyotoDot(Ten[0]));

    const TMeasure measure = MeasureRatio(TenF, TenH, Ten[0], RatioPF, RatioPH);

    Canvas()->Font.SetColor(clPurple);
    Canvas()->TextRect(kRatioTextRect, kRatioTextRect.left(), kRatioTextRect.top(),
                       QStringLiteral("ＰＦ：ＰＨ＝") + Fmt(RatioPF) + QLatin1Char(':') + Fmt(measure.m)
                           + QStringLiteral(" 誤差＝") + Fmt(measure.e));
    TenP_Dsp();

    TCanvas* canvas = PaintBox1->Canvas();
    canvas->Pen.Color = OnTheCurve(measure.e) ? clFuchsia : clYellow;
    canvas->MoveTo(f.X, f.Y);
    canvas->LineTo(p.X, p.Y);
    canvas->LineTo(h.X, h.Y);
    if (canvas->Pen.Color == clFuchsia && ProbeAfterClick)
        ZanzoKioku();
}

void TKavrel_Form::TenP_Dsp()
{
    Ten_Dsp(Ten[0]);
    PText = QLatin1Char('(') + Fmt(Ten[0].X) + QStringLiteral(" , ") + Fmt(Ten[0].Y) + QLatin1Char(')');
    Canvas()->Font.SetColor(clRed);
    Canvas()->TextRect(kPTextRect, kPTextRect.left(), kPTextRect.top(), QStringLiteral("点Ｐ ") + PText);
}

void TKavrel_Form::ZanzoKioku()
{
    if (ZanzoCount == ZANZO_MAX)
        return;
    ++ZanzoCount;
    Ten[ZanzoCount] = Ten[0];
}
