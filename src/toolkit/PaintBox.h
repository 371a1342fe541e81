// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/Canvas.h"
#include "toolkit/Description.h"
#include "toolkit/Events.h"

#include <QImage>
#include <QRegion>
#include <QWidget>
#include <memory>

enum TMouseButton { mbLeft, mbRight, mbMiddle };

enum TShiftFlag {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64
};
using TShiftState = int;

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;

// A drawing surface. Its canvas draws at once, inside or outside a paint
// event, onto a retained image that the box shows. A paint event that the
// window system asks for runs OnPaint with the canvas's font and brush
// taken from the box; one that only shows what the program drew does not.
class TPaintBox : public QWidget {
    Q_OBJECT

public:
    TPaintBox(QWidget* parent, const TDescription& description);
    ~TPaintBox() override;

    TCanvas* Canvas() const { return canvas_.get(); }
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    const TFont& Font() const { return font_; }
    QRect ClientRect() const { return QRect(0, 0, width(), height()); }
    // What the box shows, in logical pixels.
    QImage Picture() const;

    TNotifyEvent OnPaint;
    TMouseEvent OnMouseDown;
    TDescribeEvent OnDescribe;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void Press(QMouseEvent* event, TShiftState extra);
    void MakeSurface();

    QImage surface_;
    std::unique_ptr<TCanvas> canvas_;
    QRegion drawnByProgram_;
    TColor color_;
    TFont font_;
    bool painting_ = false;
};
