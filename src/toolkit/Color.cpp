// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/Color.h"

#include <QApplication>
#include <QPalette>

namespace {

constexpr TColor kSystemColourFlag = 0x80000000;

QPalette::ColorRole RoleOf(TColor color)
{
    switch (color) {
    case clBtnFace:
        return QPalette::Button;
    case clBtnHighlight:
        return QPalette::Light;
    case clInfoBk:
        return QPalette::ToolTipBase;
    default:
        return QPalette::WindowText;
    }
}

}  // namespace

QColor ToQColor(TColor color)
{
    if (color & kSystemColourFlag)
        return QApplication::palette().color(QPalette::Active, RoleOf(color));
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

TColor ToTColor(QRgb pixel)
{
    return TColor(qRed(pixel)) | TColor(qGreen(pixel)) << 8 | TColor(qBlue(pixel)) << 16;
}
