// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/Centring.h"

#include <algorithm>

QPoint DesktopCentre(QSize desktop, QSize window)
{
    return QPoint(std::max(0, (desktop.width() - window.width()) / 2),
                  std::max(0, (desktop.height() - window.height()) / 2));
}
