// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/Color.h"

#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QString>

// The window as the program builds it, read from the facts that
// tests/facts/WriteWindowFacts.cpp writes into the build folder.
namespace WindowFacts {

QString Caption();
// A control's rectangle in the client area, by name ("ScrollBar1").
QRect Control(const QString& name);
// The centre of the push button with the caption, in the client area; a
// caption the window lacks is a mistake of the test, which ends there.
QPoint KeyCentre(const QString& caption);

}  // namespace WindowFacts

// A fixed colour of the toolkit (0x00BBGGRR) as the X server holds it.
constexpr QRgb SeenRgb(TColor colour)
{
    return 0xFF000000u | (colour & 0xFFu) << 16 | (colour & 0xFF00u) | (colour >> 16 & 0xFFu);
}
