// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/Label.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

TLabel::TLabel(QWidget* parent, const TDescription& description)
    : QWidget(parent),
      caption_(description.Caption),
      font_(description.Font),
      color_(description.Color),
      alignment_(description.Alignment),
      layout_(description.Layout),
      autoSize_(description.AutoSize)
{
    PlaceControl(this, description);
    setFocusPolicy(Qt::NoFocus);
}

void TLabel::SetCaption(const QString& caption)
{
    if (caption == caption_)
        return;
    caption_ = caption;
    update();
}

// A label that sizes itself keeps the size the layout measured with the
// designer's faces; where a substitute face runs wider, its text is
// narrowed to that width so that it lines up with its neighbours as
// designed.
QFont TLabel::FittedFont() const
{
    QFont font = font_.ToQFont();
    const int natural = QFontMetrics(font).horizontalAdvance(caption_);
    if (autoSize_ && natural > width())
        font.setStretch(std::max<int>(QFont::UltraCondensed, width() * QFont::Unstretched / natural));
    return font;
}

void TLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(color_));
    const QFont font = FittedFont();
    const QFontMetrics metrics(font);
    const int textWidth = metrics.horizontalAdvance(caption_);
    const int x = alignment_ == taCenter ? (width() - textWidth) / 2 : 0;
    const int y = layout_ == tlCenter ? (height() - metrics.height()) / 2 : 0;
    painter.setFont(font);
    painter.setPen(ToQColor(font_.Color()));
    painter.drawText(QPoint(x, y + metrics.ascent()), caption_);
}
