// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/Canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// Writes whole logical pixels straight into a surface's scan lines. On a
// surface of a higher pixel density each logical pixel covers a block of
// device pixels, so edges stay sharp. Made once per drawing operation: the
// surface is detached once, not once per scan line.
class Raster {
public:
    explicit Raster(QImage& surface)
        : bits_(surface.bits()),
          stride_(surface.bytesPerLine()),
          ratio_(surface.devicePixelRatio()),
          bounds_(QPoint(0, 0), surface.deviceIndependentSize().toSize())
    {
    }

    void Fill(const QRect& rect, QRgb colour)
    {
        const QRect clipped = rect.intersected(bounds_);
        if (clipped.isEmpty() || !bits_)
            return;
        FillDevice(ToDevice(clipped), colour | 0xFF000000u);
    }

    void Plot(int x, int y, QRgb colour)
    {
        if (!bounds_.contains(x, y) || !bits_)
            return;
        if (ratio_ == 1.0)
            Line(y)[x] = colour | 0xFF000000u;
        else
            FillDevice(ToDevice(QRect(x, y, 1, 1)), colour | 0xFF000000u);
    }

    // Puts a picture made at the surface's density over the logical
    // rectangle it was made for, cut at the surface's edges; whether that
    // changed any pixel. Only for whole-number densities, where the
    // rectangle starts on a device pixel.
    bool Copy(const QImage& picture, const QRect& rect)
    {
        const QRect clipped = rect.intersected(bounds_);
        if (clipped.isEmpty() || !bits_)
            return false;
        const QRect device = ToDevice(clipped);
        const QPoint origin = ToDevice(rect).topLeft();
        const std::size_t bytes = std::size_t(device.width()) * sizeof(QRgb);
        bool changed = false;
        for (int row = device.top(); row <= device.bottom(); ++row) {
            const auto* source = reinterpret_cast<const QRgb*>(picture.constScanLine(row - origin.y()));
            QRgb* target = Line(row) + device.left();
            source += device.left() - origin.x();
            if (std::memcmp(target, source, bytes) != 0) {
                std::memcpy(target, source, bytes);
                changed = true;
            }
        }
        return changed;
    }

private:
    QRgb* Line(int row) const { return reinterpret_cast<QRgb*>(bits_ + row * stride_); }

    QRect ToDevice(const QRect& logical) const
    {
        if (ratio_ == 1.0)
            return logical;
        const int x0 = int(std::floor(logical.left() * ratio_));
        const int x1 = int(std::floor((logical.right() + 1) * ratio_));
        const int y0 = int(std::floor(logical.top() * ratio_));
        const int y1 = int(std::floor((logical.bottom() + 1) * ratio_));
        return QRect(x0, y0, x1 - x0, y1 - y0);
    }

    // Narrow areas (the grid's vertical lines) are written pixel by pixel.
    // In wide ones only the first row is; the others are copies of it,
    // which memcpy makes with the processor's widest moves.
    void FillDevice(const QRect& device, QRgb opaque)
    {
        if (device.isEmpty())
            return;
        const int width = device.width();
        if (width < kCopiedWidth) {
            for (int row = device.top(); row <= device.bottom(); ++row)
                std::fill_n(Line(row) + device.left(), width, opaque);
            return;
        }
        QRgb* first = Line(device.top()) + device.left();
        std::fill_n(first, width, opaque);
        const std::size_t bytes = std::size_t(width) * sizeof(QRgb);
        for (int row = device.top() + 1; row <= device.bottom(); ++row)
            std::memcpy(Line(row) + device.left(), first, bytes);
    }

    static constexpr int kCopiedWidth = 16;

    uchar* bits_;
    qsizetype stride_;
    qreal ratio_;
    QRect bounds_;
};

// Fills rect with the brush (unless clear), then writes the text from `at`
// in the font, cut at the rect's edges.
void WriteText(QImage& target, const QRect& rect, QPoint at, const QString& text, const TBrush& brush,
               const TFont& font)
{
    QPainter painter(&target);
    painter.setClipRect(rect);
    if (brush.Style != bsClear)
        painter.fillRect(rect, ToQColor(brush.Color));
    const QFont face = font.ToQFont();
    painter.setFont(face);
    painter.setPen(ToQColor(font.Color()));
    painter.drawText(QPoint(at.x(), at.y() + QFontMetrics(face).ascent()), text);
}

// Everything that the picture of a text written with a solid brush depends
// on: the brush covers the whole rectangle first, so nothing that was there
// before shows through.
struct TextKey {
    QString text;
    QSize size;
    QPoint offset;  // of the text's start from the rectangle's corner
    QString fontName;
    int fontHeight = 0;
    TFontStyles fontStyle = fsRegular;
    QRgb ink = 0;
    QRgb paper = 0;
    qreal ratio = 1.0;
    QImage::Format format = QImage::Format_Invalid;

    bool operator==(const TextKey&) const = default;
};

// The pictures of the last few texts written with a solid brush. The probe
// writes the same two texts at every repaint of the plane, at every step
// of a zoom too; copying their pictures costs a small part of laying out
// and drawing their glyphs again.
class TextPictures {
public:
    const QImage& PictureOf(const TextKey& key, const TBrush& brush, const TFont& font)
    {
        for (const Entry& entry : entries_)
            if (entry.key == key)
                return entry.picture;
        QImage picture(key.size * key.ratio, key.format);
        picture.setDevicePixelRatio(key.ratio);
        WriteText(picture, QRect(QPoint(0, 0), key.size), key.offset, key.text, brush, font);
        if (entries_.size() < kKept) {
            entries_.push_back({key, picture});
            return entries_.back().picture;
        }
        // The oldest picture makes room.
        Entry& replaced = entries_[next_];
        next_ = (next_ + 1) % kKept;
        replaced = {key, picture};
        return replaced.picture;
    }

private:
    struct Entry {
        TextKey key;
        QImage picture;
    };
    static constexpr std::size_t kKept = 4;
    std::vector<Entry> entries_;
    std::size_t next_ = 0;
};

TextPictures& KeptTextPictures()
{
    static TextPictures pictures;
    return pictures;
}

}  // namespace

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
    const QRect inside = area.adjusted(band, band, -band, -band);
    // A clear brush leaves the inside as it was, so only the outline's
    // band is drawn with the pen.
    if (Brush.Style != bsClear)
        FillRect(inside, ToQColor(Brush.Color).rgb());
    const QRgb pen = ToQColor(Pen.Color).rgb();
    for (const QRect& part : QRegion(area).subtracted(QRegion(inside)))
        FillRect(part, pen);
    Changed(area);
}

void TCanvas::TextRect(const QRect& rect, int x, int y, const QString& text)
{
    const qreal ratio = surface_.devicePixelRatio();
    const QColor paper = ToQColor(Brush.Color);
    // Only an opaque brush hides what was there; only at a whole-number
    // density does the rectangle start on a device pixel.
    const bool copied = Brush.Style != bsClear && paper.alpha() == 255 && !rect.isEmpty() && surface_.depth() == 32
                        && ratio == std::round(ratio);
    bool changed = true;
    if (copied) {
        const TextKey key{text, rect.size(), QPoint(x, y) - rect.topLeft(), Font.Name(), Font.Height(), Font.Style(),
                          ToQColor(Font.Color()).rgb(), paper.rgb(), ratio, surface_.format()};
        changed = Raster(surface_).Copy(KeptTextPictures().PictureOf(key, Brush, Font), rect);
    } else {
        WriteText(surface_, rect, QPoint(x, y), text, Brush, Font);
    }
    // The same text written again over itself shows nothing new, and its
    // strip is not shown again: the probe writes its two texts at every
    // step of a zoom, and showing them again repaints what lies under the
    // canvas there too.
    if (changed)
        Changed(rect);
    if (TextWritten)
        TextWritten(rect, text);
}

QRect TCanvas::Bounds() const
{
    return QRect(QPoint(0, 0), surface_.deviceIndependentSize().toSize());
}

void TCanvas::FillRect(const QRect& rect, QRgb colour)
{
    Raster(surface_).Fill(rect, colour);
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
    Raster raster(surface_);
    int error = dx + dy;
    TPoint at = from;
    while (at != to) {
        raster.Plot(at.X, at.Y, colour);
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
        Raster raster(surface_);
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx)
                if (dx * dx + dy * dy <= radius * radius)
                    raster.Plot(from.X + dx, from.Y + dy, colour);
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
