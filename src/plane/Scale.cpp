// SPDX-License-Identifier: GPL-3.0-or-later
#include "kavrelsrc.h"

void TKavrel_Form::ScrollBar1Scroll(TObject* Sender, TScrollCode, int& ScrollPos)
{
    Scale = ScaleOfPosition(ScrollPos);
    PaintBox1Paint(Sender);
}
