// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/GroupBox.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

constexpr int kCaptionLeft = 8;

}  // namespace

TGroupBox::TGroupBox(QWidget* parent, const TDescription& description)
    : QWidget(parent), caption_(description.Caption), font_(description.Font), color_(description.Color)
{
    PlaceControl(this, description);
    setFocusPolicy(Qt::NoFocus);
}

void TGroupBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(color_));
    const QFont font = font_.ToQFont();
    const QFontMetrics metrics(font);
    const int top = metrics.height() / 2 - 1;
    const QRect frame = QRect(0, top, width(), height() - top);

    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(frame.adjusted(0, 0, -2, -2));
    painter.setPen(ToQColor(clBtnHighlight));
    painter.drawRect(frame.adjusted(1, 1, -1, -1));

    const QRect captionRect(kCaptionLeft, 0, metrics.horizontalAdvance(caption_), metrics.height());
    painter.fillRect(captionRect, ToQColor(color_));
    painter.setFont(font);
    painter.setPen(ToQColor(font_.Color()));
    painter.drawText(QPoint(kCaptionLeft, metrics.ascent()), caption_);
}
