#include "toolkit/Canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>

TCanvas::TCanvas(QImage& surface, ChangedHandler changed)
    : surface_(surface), changed_(std::move(changed))
{
}

void TCanvas::MoveTo(int x, int y)
{
    penPos_ = {x, y};
}

void TCanvas::LineTo(int x, int y)
{
    const TPoint to{x, y};
    const QRgb colour = ToQColor(Pen.Color).rgb();
    if (Pen.Width() <= 1)
        ThinLine(penPos_, to, colour);
    else
        WideLine(penPos_, to, colour);
    const int margin = std::max(1, Pen.Width());
    Changed(QRect(QPoint(std::min(penPos_.X, x), std::min(penPos_.Y, y)),
                  QPoint(std::max(penPos_.X, x), std::max(penPos_.Y, y)))
                .adjusted(-margin, -margin, margin, margin));
    penPos_ = to;
}

void TCanvas::Rectangle(int left, int top, int right, int bottom)
{
    const QRect area(QPoint(left, top), QPoint(right - 1, bottom - 1));
    if (area.isEmpty())
        return;
    const int band = std::max(1, Pen.Width());
    const QRgb pen = ToQColor(Pen.Color).rgb();
    FillRect(area, pen);
    if (Brush.Style != bsClear)
        FillRect(area.adjusted(band, band, -band, -band), ToQColor(Brush.Color).rgb());
    Changed(area);
}

void TCanvas::TextRect(const QRect& rect, int x, int y, const QString& text)
{
    QPainter painter(&surface_);
    painter.setClipRect(rect);
    if (Brush.Style != bsClear)
        painter.fillRect(rect, ToQColor(Brush.Color));
    const QFont font = Font.ToQFont();
    painter.setFont(font);
    painter.setPen(ToQColor(Font.Color()));
    painter.drawText(QPoint(x, y + QFontMetrics(font).ascent()), text);
    painter.end();
    Changed(rect);
}

QRect TCanvas::Bounds() const
{
    return QRect(QPoint(0, 0), surface_.deviceIndependentSize().toSize());
}

// Fills whole logical pixels; on a surface of a higher pixel density each
// logical pixel covers a block of device pixels, so edges stay sharp.
void TCanvas::FillRect(const QRect& rect, QRgb colour)
{
    const QRect clipped = rect.intersected(Bounds());
    if (clipped.isEmpty())
        return;
    const qreal ratio = surface_.devicePixelRatio();
    const int x0 = int(std::floor(clipped.left() * ratio));
    const int x1 = int(std::floor((clipped.right() + 1) * ratio));
    const int y0 = int(std::floor(clipped.top() * ratio));
    const int y1 = int(std::floor((clipped.bottom() + 1) * ratio));
    const QRgb opaque = colour | 0xFF000000u;
    for (int row = y0; row < y1; ++row) {
        auto* line = reinterpret_cast<QRgb*>(surface_.scanLine(row));
        std::fill(line + x0, line + x1, opaque);
    }
}

void TCanvas::Plot(int x, int y, QRgb colour)
{
    FillRect(QRect(x, y, 1, 1), colour);
}

void TCanvas::ThinLine(TPoint from, TPoint to, QRgb colour)
{
    if (from.Y == to.Y) {
        if (from.X != to.X) {
            const int step = to.X > from.X ? 1 : -1;
            const int last = to.X - step;
            FillRect(QRect(QPoint(std::min(from.X, last), from.Y), QPoint(std::max(from.X, last), from.Y)), colour);
        }
        return;
    }
    if (from.X == to.X) {
        const int step = to.Y > from.Y ? 1 : -1;
        const int last = to.Y - step;
        FillRect(QRect(QPoint(from.X, std::min(from.Y, last)), QPoint(from.X, std::max(from.Y, last))), colour);
        return;
    }
    const int dx = std::abs(to.X - from.X);
    const int dy = -std::abs(to.Y - from.Y);
    const int sx = from.X < to.X ? 1 : -1;
    const int sy = from.Y < to.Y ? 1 : -1;
    const QRect bounds = Bounds();
    int error = dx + dy;
    TPoint at = from;
    while (at != to) {
        if (bounds.contains(at.X, at.Y))
            Plot(at.X, at.Y, colour);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            at.X += sx;
        }
        if (twice <= dx) {
            error += dx;
            at.Y += sy;
        }
    }
}

void TCanvas::WideLine(TPoint from, TPoint to, QRgb colour)
{
    const int width = Pen.Width();
    if (from == to) {
        // A line of no length shows as a round dot as wide as the pen.
        const double radius = width / 2.0;
        const int reach = width / 2;
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx)
                if (dx * dx + dy * dy <= radius * radius)
                    Plot(from.X + dx, from.Y + dy, colour);
        return;
    }
    QPainter painter(&surface_);
    painter.setPen(QPen(QColor::fromRgb(colour), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(from.X, from.Y, to.X, to.Y);
}

void TCanvas::Changed(const QRect& rect)
{
    const QRect visible = rect.intersected(Bounds());
    if (!visible.isEmpty() && changed_)
        changed_(visible);
}
