// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <cstdint>

// A colour as the window's description gives it: 0x00BBGGRR for fixed
// colours, 0x80000000 plus an index for the platform's own colours.
using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clPurple = 0x800080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clTeal = 0x808000;
constexpr TColor clMoneyGreen = 0xC0DCC0;

constexpr TColor clWindowText = 0x80000008;
constexpr TColor clBtnFace = 0x8000000F;
constexpr TColor clBtnHighlight = 0x80000014;
constexpr TColor clInfoBk = 0x80000018;

// Platform colours come from the application's palette, so the program
// follows the desktop's scheme where it has one.
QColor ToQColor(TColor color);

// The fixed colour of a pixel, for comparing what is on screen with the
// constants above.
TColor ToTColor(QRgb pixel);
