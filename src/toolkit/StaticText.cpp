// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/StaticText.h"

TStaticText::TStaticText(QWidget* parent, const TDescription& description)
    : QLabel(description.Caption, parent), font_(description.Font)
{
    PlaceControl(this, description);
    GiveFont(this, font_);
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, ToQColor(font_.Color()));
    palette.setColor(QPalette::Window, ToQColor(description.Color));
    setPalette(palette);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
    setTextFormat(Qt::PlainText);
    setContentsMargins(0, 0, 0, 0);
}
