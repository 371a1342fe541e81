// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numbers/Point.h"
#include "toolkit/Color.h"
#include "toolkit/Font.h"

#include <QImage>
#include <QRect>
#include <QString>
#include <functional>

class TPen {
public:
    TColor Color = clBlack;

    int Width() const { return width_; }
    void SetWidth(int width)
    {
        if (width >= 0)
            width_ = width;
    }

private:
    int width_ = 1;
};

enum TBrushStyle { bsSolid, bsClear };

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
};

// The drawing state of a control and its drawing operations. It draws onto
// a retained surface that its control shows, so whatever a handler draws is
// on screen at once, inside or outside a paint event. Pen, brush, font and
// pen position stay as the program left them.
class TCanvas {
public:
    using ChangedHandler = std::function<void(const QRect&)>;

    TCanvas(QImage& surface, ChangedHandler changed);

    TPen Pen;
    TBrush Brush;
    TFont Font;
    // Told of every text that TextRect writes, and of the rectangle it fills.
    std::function<void(const QRect&, const QString&)> TextWritten;

    TPoint PenPos() const { return penPos_; }
    void MoveTo(int x, int y);
    // Draws from the pen position to (x, y); a 1-pixel pen leaves out the
    // end pixel, a wider pen has round ends.
    void LineTo(int x, int y);
    // Outline with the pen over Left..Right-1 x Top..Bottom-1, inside filled
    // with the brush unless the brush is clear.
    void Rectangle(int left, int top, int right, int bottom);
    // Fills rect with the brush (unless clear), then writes text from (x, y),
    // its first character cell's top-left corner, cut at the rect's edges.
    void TextRect(const QRect& rect, int x, int y, const QString& text);

private:
    QRect Bounds() const;
    void FillRect(const QRect& rect, QRgb colour);
    void ThinLine(TPoint from, TPoint to, QRgb colour);
    void WideLine(TPoint from, TPoint to, QRgb colour);
    void Changed(const QRect& rect);

    QImage& surface_;
    ChangedHandler changed_;
    TPoint penPos_;
};
