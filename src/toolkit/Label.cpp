// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/Label.h"

#include "toolkit/Accessible.h"

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
    MarkWindowless(this);
    setFocusPolicy(Qt::NoFocus);
}

void TLabel::SetCaption(const QString& caption)
{
    if (caption == caption_)
        return;
    const QString before = caption_;
    caption_ = caption;
    update();
    AnnounceCaption(this, before, caption_);
}

namespace {

// The width the text takes: its advance, or further where the last glyph
// reaches past it (italics), with a column for the glyph's smoothed edge.
int TextWidth(const QFont& font, const QString& text)
{
    const QFontMetrics metrics(font);
    return std::max(metrics.horizontalAdvance(text), metrics.boundingRect(text).right() + 2);
}

}  // namespace

// A label that sizes itself keeps the size the layout measured with the
// designer's faces; where a substitute face runs wider, its text is
// narrowed to that width so that it lines up with its neighbours as
// designed. A face's stretch is not exact, so the narrowing goes on until
// the text really fits.
QFont TLabel::FittedFont() const
{
    QFont font = font_.ToQFont();
    const int natural = TextWidth(font, caption_);
    if (!autoSize_ || natural <= width())
        return font;
    int stretch = std::max<int>(QFont::UltraCondensed, width() * QFont::Unstretched / natural);
    font.setStretch(stretch);
    while (stretch > QFont::UltraCondensed && TextWidth(font, caption_) > width())
        font.setStretch(--stretch);
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
