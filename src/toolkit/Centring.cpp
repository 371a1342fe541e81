// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/Centring.h"

#include <algorithm>

QPoint DesktopCentre(QSize desktop, QSize window)
{
    return QPoint(std::max(0, (desktop.width() - window.width()) / 2),
                  std::max(0, (desktop.height() - window.height()) / 2));
}

QRect FitIntoWorkArea(QRect client, QMargins frame, QRect workArea)
{
    const QSize room = workArea.marginsRemoved(frame).size();
    if (room.width() >= client.width() && room.height() >= client.height())
        return client;
    QRect framed = QRect(client.topLeft(), client.size().boundedTo(room.expandedTo(QSize(1, 1)))).marginsAdded(frame);
    // The far edges first: a frame wider than the whole work area keeps
    // its top-left corner, with the caption bar, on the screen.
    framed.moveLeft(std::max(workArea.left(), std::min(framed.left(), workArea.right() + 1 - framed.width())));
    framed.moveTop(std::max(workArea.top(), std::min(framed.top(), workArea.bottom() + 1 - framed.height())));
    return framed.marginsRemoved(frame);
}
