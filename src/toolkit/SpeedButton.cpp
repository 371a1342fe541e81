// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/SpeedButton.h"

#include "toolkit/Accessible.h"
#include "toolkit/Dispatch.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace {

// The lowered face: a one-pixel checkerboard of face and highlight.
QBrush Checkerboard()
{
    QPixmap tile(2, 2);
    tile.fill(ToQColor(clBtnFace));
    QPainter painter(&tile);
    painter.setPen(ToQColor(clBtnHighlight));
    painter.drawPoint(0, 0);
    painter.drawPoint(1, 1);
    return QBrush(tile);
}

void Bevel(QPainter& painter, const QRect& r, const QColor& topLeft, const QColor& bottomRight)
{
    painter.setPen(topLeft);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
}

}  // namespace

TSpeedButton::TSpeedButton(QWidget* parent, const TDescription& description)
    : QWidget(parent),
      caption_(description.Caption),
      font_(description.Font),
      groupIndex_(description.GroupIndex),
      allowAllUp_(description.AllowAllUp)
{
    PlaceControl(this, description);
    MarkWindowless(this);
    setFocusPolicy(Qt::NoFocus);
    font_.OnChange = [this] { update(); };
}

TSpeedButton::~TSpeedButton()
{
    LetGoOfMouse(this);
}

TSpeedButton::TFace TSpeedButton::Face() const
{
    if (down_)
        return TFace::Lowered;
    return held_ && pointerOver_ ? TFace::Pressed : TFace::Raised;
}

void TSpeedButton::SetDown(bool down)
{
    if (groupIndex_ == 0)
        down = false;
    if (down == down_ || (down_ && !allowAllUp_))
        return;
    ChangeDown(down);
    if (!down)
        return;
    for (TSpeedButton* other : Group()) {
        if (other->down_)
            other->ChangeDown(false);
        other->allowAllUp_ = allowAllUp_;
    }
}

void TSpeedButton::ChangeDown(bool down)
{
    down_ = down;
    update();
    AnnounceChecked(this);
}

QList<TSpeedButton*> TSpeedButton::Group() const
{
    QList<TSpeedButton*> group;
    if (!parentWidget() || groupIndex_ == 0)
        return group;
    for (TSpeedButton* button : parentWidget()->findChildren<TSpeedButton*>(Qt::FindDirectChildrenOnly))
        if (button != this && button->groupIndex_ == groupIndex_)
            group.append(button);
    return group;
}

void TSpeedButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    held_ = true;
    pointerOver_ = true;
    HoldMouse(this);
    update();
}

// The second press of a double click is a press like the first.
void TSpeedButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

void TSpeedButton::mouseMoveEvent(QMouseEvent* event)
{
    if (!held_)
        return;
    const bool over = rect().contains(event->position().toPoint());
    if (over != pointerOver_) {
        pointerOver_ = over;
        update();
    }
}

void TSpeedButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !held_)
        return;
    held_ = false;
    LetGoOfMouse(this);
    update();
    if (rect().contains(event->position().toPoint()))
        Click();
}

void TSpeedButton::AbandonGesture()
{
    held_ = false;
    update();
}

void TSpeedButton::Click()
{
    if (groupIndex_ != 0)
        SetDown(!down_);
    if (OnClick)
        Dispatch([this] { OnClick(this); });
}

void TSpeedButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect outer = rect().adjusted(0, 0, -1, -1);
    const QRect inner = outer.adjusted(1, 1, -1, -1);
    const TFace face = Face();
    const QColor light = ToQColor(clBtnHighlight);
    const QColor shadow = palette().color(QPalette::Dark);
    const QColor dark = palette().color(QPalette::Shadow);

    if (face == TFace::Lowered)
        painter.fillRect(rect(), Checkerboard());
    else
        painter.fillRect(rect(), ToQColor(clBtnFace));
    if (face == TFace::Raised) {
        Bevel(painter, outer, light, dark);
        Bevel(painter, inner, ToQColor(clBtnFace), shadow);
    } else {
        Bevel(painter, outer, dark, light);
        Bevel(painter, inner, shadow, ToQColor(clBtnFace));
    }

    const int shift = face == TFace::Raised ? 0 : 1;
    painter.setFont(font_.ToQFont());
    painter.setPen(ToQColor(font_.Color()));
    painter.drawText(rect().translated(shift, shift), Qt::AlignCenter, caption_);
}
