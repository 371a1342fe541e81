// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

// Where a window of the given size stands when centred on a desktop of the
// given size: halves of the differences, truncated, never negative.
QPoint DesktopCentre(QSize desktop, QSize window);

// The client area of a window whose frame has the given margins, on a
// screen whose work area (the desktop less the panels) is given. A window
// the work area holds is left as it is; a larger one is limited to the
// work area and moved into it, so that its own scroll bars reach every
// control.
QRect FitIntoWorkArea(QRect client, QMargins frame, QRect workArea);
