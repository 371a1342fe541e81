// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/PaintBox.h"

#include "toolkit/Dispatch.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>
#include <optional>

namespace {

// Buttons beyond the three (a five-button mouse's back and forward) are
// no press at all.
std::optional<TMouseButton> ButtonOf(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return mbLeft;
    case Qt::RightButton:
        return mbRight;
    case Qt::MiddleButton:
        return mbMiddle;
    default:
        return std::nullopt;
    }
}

TShiftState ShiftOf(const QMouseEvent& event)
{
    TShiftState shift = 0;
    const Qt::KeyboardModifiers keys = event.modifiers();
    const Qt::MouseButtons buttons = event.buttons();
    if (keys & Qt::ShiftModifier)
        shift |= ssShift;
    if (keys & Qt::AltModifier)
        shift |= ssAlt;
    if (keys & Qt::ControlModifier)
        shift |= ssCtrl;
    if (buttons & Qt::LeftButton)
        shift |= ssLeft;
    if (buttons & Qt::RightButton)
        shift |= ssRight;
    if (buttons & Qt::MiddleButton)
        shift |= ssMiddle;
    return shift;
}

// Whether the region covers the whole rectangle (QRegion::contains only
// tells whether they overlap).
bool Covers(const QRegion& region, const QRect& rect)
{
    if (region.rectCount() == 1)
        return region.boundingRect().contains(rect);
    return QRegion(rect).subtracted(region).isEmpty();
}

}  // namespace

TPaintBox::TPaintBox(QWidget* parent, const TDescription& description)
    : QWidget(parent), color_(description.Color), font_(description.Font)
{
    PlaceControl(this, description);
    MarkWindowless(this);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    MakeSurface();
}

TPaintBox::~TPaintBox() = default;

void TPaintBox::MakeSurface()
{
    const qreal ratio = devicePixelRatioF();
    QImage surface(size() * ratio, QImage::Format_RGB32);
    surface.setDevicePixelRatio(ratio);
    surface.fill(ToQColor(color_));
    surface_ = surface;
    if (!canvas_) {
        canvas_ = std::make_unique<TCanvas>(surface_, [this](const QRect& rect) {
            // What lies inside an area already drawn since the last paint
            // event is already waiting to be shown: the plane's repaint
            // starts with the whole box, and its hundreds of lines and dots
            // need no update of their own.
            if (painting_ || Covers(drawnByProgram_, rect))
                return;
            drawnByProgram_ += rect;
            update(rect);
        });
    }
}

void TPaintBox::SetColor(TColor color)
{
    if (color == color_)
        return;
    color_ = color;
    update();
}

QImage TPaintBox::Picture() const
{
    if (surface_.devicePixelRatio() == 1.0)
        return surface_;
    return surface_.scaled(size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// A surface of another pixel density than the screen's is made anew, and
// the picture with it.
void TPaintBox::paintEvent(QPaintEvent* event)
{
    const bool newSurface = devicePixelRatioF() != surface_.devicePixelRatio();
    if (newSurface)
        MakeSurface();
    if (newSurface || !event->region().subtracted(drawnByProgram_).isEmpty()) {
        // As on the window, the part to repaint first shows the window's
        // colour: nothing drawn outside paint events is kept, and the box
        // shows there only what OnPaint draws.
        QPainter background(&surface_);
        background.setClipRegion(event->region());
        background.fillRect(rect(), palette().color(QPalette::Window));
        background.end();
        painting_ = true;
        canvas_->Font = font_;
        canvas_->Brush.Color = color_;
        if (OnPaint)
            Dispatch([this] { OnPaint(this); });
        painting_ = false;
    }
    drawnByProgram_ = QRegion();
    // Only what is exposed is copied: a click's repaint shows the plane, a
    // key's none of it.
    const QRect shown = event->rect() & rect();
    const qreal ratio = surface_.devicePixelRatio();
    QPainter painter(this);
    painter.drawImage(shown, surface_, QRectF(QPointF(shown.topLeft()) * ratio, QSizeF(shown.size()) * ratio));
}

void TPaintBox::mousePressEvent(QMouseEvent* event)
{
    Press(event, 0);
}

// Every press runs OnMouseDown, the second of a double click too.
void TPaintBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    Press(event, ssDouble);
}

void TPaintBox::Press(QMouseEvent* event, TShiftState extra)
{
    const std::optional<TMouseButton> button = ButtonOf(event->button());
    if (!OnMouseDown || !button)
        return;
    const int x = int(std::floor(event->position().x()));
    const int y = int(std::floor(event->position().y()));
    const TShiftState shift = ShiftOf(*event) | extra;
    Dispatch([&] { OnMouseDown(this, *button, shift, x, y); });
}
