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
    narrowing_.reset();
    update();
    AnnounceCaption(this, before, caption_);
}

namespace {

// As narrow as a condensed face would make a text.
constexpr qreal kNarrowest = 0.5;

// The width the text takes: its advance, or further where the last glyph
// reaches past it (italics), with a column for the glyph's smoothed edge.
int TextWidth(const QFont& font, const QString& text)
{
    const QFontMetrics metrics(font);
    return std::max(metrics.horizontalAdvance(text), metrics.boundingRect(text).right() + 2);
}

}  // namespace

// A label that sizes itself keeps the size the layout measured with the
// designer's faces; where a substitute face runs wider, its text is drawn
// narrowed to that width so that it lines up with its neighbours as
// designed. The text is narrowed by the drawing, not by a narrower face:
// every face is loaded on its own, which took longer than drawing the
// whole window. Measured once for each caption.
qreal TLabel::Narrowing() const
{
    if (!narrowing_) {
        const qreal natural = autoSize_ ? TextWidth(font_.ToQFont(), caption_) : 0;
        narrowing_ = natural > width() ? std::max(kNarrowest, width() / natural) : 1.0;
    }
    return *narrowing_;
}

void TLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(color_));
    const QFont font = font_.ToQFont();
    const QFontMetrics metrics(font);
    const qreal narrowing = Narrowing();
    const int textWidth = int(metrics.horizontalAdvance(caption_) * narrowing);
    const int x = alignment_ == taCenter ? (width() - textWidth) / 2 : 0;
    const int y = layout_ == tlCenter ? (height() - metrics.height()) / 2 : 0;
    painter.setFont(font);
    painter.setPen(ToQColor(font_.Color()));
    painter.translate(x, 0);
    painter.scale(narrowing, 1);
    painter.drawText(QPoint(0, y + metrics.ascent()), caption_);
}
