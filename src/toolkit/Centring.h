// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QSize>

// Where a window of the given size stands when centred on a desktop of the
// given size: halves of the differences, truncated, never negative.
QPoint DesktopCentre(QSize desktop, QSize window);
