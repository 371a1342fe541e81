// SPDX-License-Identifier: GPL-3.0-or-later
#include "kavrelsrc.h"

void TKavrel_Form::ScrollBar1Scroll(TObject* Sender, TScrollCode, int& ScrollPos)
{
    Lesson.Scale = ScaleOfPosition(ScrollPos);
    PaintBox1Paint(Sender);
}

namespace {

TPlaneBox BoxOf(const TPaintBox& paintBox)
{
    const QRect client = paintBox.ClientRect();
    return TPlaneBox{client.right() + 1, client.bottom() + 1, paintBox.width(), paintBox.height()};
}

}  // namespace

TDot TKavrel_Form::ZahyotoDot(TZahyoR zahyo) const
{
    return ::ZahyotoDot(zahyo, Lesson.Scale, BoxOf(*PaintBox1));
}

TZahyoR TKavrel_Form::DottoZahyo(TDot dot) const
{
    return ::DottoZahyo(dot, Lesson.Scale, BoxOf(*PaintBox1));
}
