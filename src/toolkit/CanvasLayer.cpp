// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/CanvasLayer.h"

#include "toolkit/Accessible.h"

#include <QPaintEvent>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <cstdlib>

namespace {

// A transparent surface at a pixel density. It costs no memory until drawn
// on: its pixels are zeroed pages (transparent black), which the system
// maps only when they are first written, and the window's canvas is only
// written where the program puts texts.
QImage TransparentSurface(QSize size, qreal ratio)
{
    const QSize device = (QSizeF(size) * ratio).toSize();
    if (device.isEmpty())
        return QImage();
    const qsizetype stride = qsizetype(device.width()) * qsizetype(sizeof(QRgb));
    void* pixels = std::calloc(std::size_t(device.height()), std::size_t(stride));
    QImage surface;
    if (pixels) {
        surface = QImage(static_cast<uchar*>(pixels), device.width(), device.height(), stride,
                         QImage::Format_ARGB32_Premultiplied, [](void* memory) { std::free(memory); }, pixels);
    } else {
        surface = QImage(device, QImage::Format_ARGB32_Premultiplied);
        surface.fill(Qt::transparent);
    }
    surface.setDevicePixelRatio(ratio);
    return surface;
}

}  // namespace

TCanvasLayer::TCanvasLayer(QWidget* content)
    : QWidget(content)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void TCanvasLayer::MakeSurface(QSize size)
{
    surface_ = TransparentSurface(size, devicePixelRatioF());
    drawn_ = QRect();
    texts_.clear();
}

void TCanvasLayer::Written(const QRect& rect, const QString& text)
{
    const QString before = Caption();
    std::erase_if(texts_, [&rect](const auto& shown) { return shown.first.intersects(rect); });
    if (!text.isEmpty()) {
        texts_.emplace_back(rect, text);
        std::sort(texts_.begin(), texts_.end(), [](const auto& a, const auto& b) {
            return std::pair(a.first.top(), a.first.left()) < std::pair(b.first.top(), b.first.left());
        });
    }
    const QString after = Caption();
    if (after != before)
        AnnounceCaption(this, before, after);
}

QString TCanvasLayer::Caption() const
{
    QStringList shown;
    for (const auto& [rect, text] : texts_)
        shown << text;
    return shown.join(QStringLiteral("、"));
}

void TCanvasLayer::CanvasChanged(const QRect& rect)
{
    drawn_ |= rect;
    update(rect);
}

void TCanvasLayer::Follow(QPoint offset, QSize client)
{
    setGeometry(QRect(offset, client));
}

void TCanvasLayer::paintEvent(QPaintEvent* event)
{
    FollowPixelRatio();
    // Where the canvas never drew it is transparent: nothing to show.
    const QRect shown = event->rect() & drawn_;
    if (shown.isEmpty() || surface_.isNull())
        return;
    const qreal ratio = surface_.devicePixelRatio();
    QPainter painter(this);
    painter.drawImage(shown, surface_, QRectF(QPointF(shown.topLeft()) * ratio, QSizeF(shown.size()) * ratio));
}

// The surface has the pixel density of the screen the window is on, so its
// texts are as sharp as the controls'. Made anew for another density, it
// keeps what was drawn, scaled, until the program draws there again.
void TCanvasLayer::FollowPixelRatio()
{
    const qreal ratio = devicePixelRatioF();
    if (surface_.isNull() || surface_.devicePixelRatio() == ratio)
        return;
    const QSize size = surface_.deviceIndependentSize().toSize();
    QImage remade = TransparentSurface(size, ratio);
    if (!drawn_.isEmpty() && !remade.isNull()) {
        QPainter painter(&remade);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        const qreal old = surface_.devicePixelRatio();
        painter.drawImage(QRectF(drawn_), surface_, QRectF(QPointF(drawn_.topLeft()) * old, QSizeF(drawn_.size()) * old));
    }
    surface_ = remade;
}
