// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ScrollBar.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStyleOptionSlider>
#include <QWheelEvent>
#include <algorithm>

namespace {

// The platform's pace for a held arrow or track: a pause, then a step
// every 50 ms.
constexpr int REPEAT_DELAY_MS = 500;
constexpr int REPEAT_INTERVAL_MS = 50;

TScrollCode CodeOf(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        return scLineUp;
    case QAbstractSlider::SliderSingleStepAdd:
        return scLineDown;
    case QAbstractSlider::SliderPageStepSub:
        return scPageUp;
    case QAbstractSlider::SliderPageStepAdd:
        return scPageDown;
    case QAbstractSlider::SliderToMinimum:
        return scTop;
    case QAbstractSlider::SliderToMaximum:
        return scBottom;
    default:
        return scTrack;
    }
}

QAbstractSlider::SliderAction ActionOfKey(int key)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        return QAbstractSlider::SliderSingleStepSub;
    case Qt::Key_Right:
    case Qt::Key_Down:
        return QAbstractSlider::SliderSingleStepAdd;
    case Qt::Key_PageUp:
        return QAbstractSlider::SliderPageStepSub;
    case Qt::Key_PageDown:
        return QAbstractSlider::SliderPageStepAdd;
    case Qt::Key_Home:
        return QAbstractSlider::SliderToMinimum;
    case Qt::Key_End:
        return QAbstractSlider::SliderToMaximum;
    default:
        return QAbstractSlider::SliderNoAction;
    }
}

QAbstractSlider::SliderAction ActionOfPart(QStyle::SubControl part)
{
    switch (part) {
    case QStyle::SC_ScrollBarSubLine:
        return QAbstractSlider::SliderSingleStepSub;
    case QStyle::SC_ScrollBarAddLine:
        return QAbstractSlider::SliderSingleStepAdd;
    case QStyle::SC_ScrollBarSubPage:
        return QAbstractSlider::SliderPageStepSub;
    case QStyle::SC_ScrollBarAddPage:
        return QAbstractSlider::SliderPageStepAdd;
    default:
        return QAbstractSlider::SliderNoAction;
    }
}

}  // namespace

TScrollBar::TScrollBar(QWidget* parent, const TDescription& description)
    : QScrollBar(Qt::Horizontal, parent)
{
    PlaceControl(this, description);
    setRange(0, 100);
    setSingleStep(1);
    setPageStep(1);
    setValue(description.Position);
    setFocusPolicy(Qt::StrongFocus);
    setContextMenuPolicy(Qt::NoContextMenu);
    connect(this, &QAbstractSlider::actionTriggered, this, &TScrollBar::ActionTriggered);
}

TScrollBar::~TScrollBar()
{
    LetGoOfMouse(this);
}

// Qt has moved the slider position but not yet the value: exactly the
// moment at which OnScroll sees the new position and the old Position.
// Qt sets the value from the slider position afterwards, so a failed
// notification puts the slider back where Position is.
void TScrollBar::ActionTriggered(int action)
{
    if (action == SliderNoAction)
        return;
    setSliderPosition(RunOnScroll(CodeOf(action), sliderPosition()).value_or(value()));
}

void TScrollBar::Notify(TScrollCode code, int position)
{
    if (const std::optional<int> scrollPos = RunOnScroll(code, position))
        setValue(*scrollPos);
}

std::optional<int> TScrollBar::RunOnScroll(TScrollCode code, int position)
{
    int scrollPos = std::clamp(position, minimum(), maximum());
    if (OnScroll && !Dispatch([&] { OnScroll(this, code, scrollPos); }))
        return std::nullopt;
    return std::clamp(scrollPos, minimum(), maximum());
}

void TScrollBar::keyPressEvent(QKeyEvent* event)
{
    const SliderAction action = ActionOfKey(event->key());
    if (action == SliderNoAction) {
        event->ignore();
        return;
    }
    triggerAction(action);
}

QRect TScrollBar::PartRect(QStyle::SubControl part) const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_ScrollBar, &option, part, this);
}

QStyle::SubControl TScrollBar::PartAt(QPoint point) const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    return style()->hitTestComplexControl(QStyle::CC_ScrollBar, &option, point, this);
}

int TScrollBar::PositionOfThumbAt(int x) const
{
    const QRect groove = PartRect(QStyle::SC_ScrollBarGroove);
    const QRect thumb = PartRect(QStyle::SC_ScrollBarSlider);
    return QStyle::sliderValueFromPosition(minimum(), maximum(), x - groove.x(), groove.width() - thumb.width());
}

void TScrollBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || pressed_ != QStyle::SC_None)
        return;
    const QPoint point = event->position().toPoint();
    const QStyle::SubControl part = PartAt(point);
    if (part == QStyle::SC_ScrollBarSlider) {
        grabOffset_ = point.x() - PartRect(part).x();
    } else if (ActionOfPart(part) == SliderNoAction) {
        return;
    }
    pressed_ = part;
    pointer_ = point;
    HoldMouse(this);
    update();
    if (part == QStyle::SC_ScrollBarSlider)
        return;
    firstRepeat_ = true;
    repeat_.start(REPEAT_DELAY_MS, this);
    triggerAction(ActionOfPart(part));
}

void TScrollBar::mouseMoveEvent(QMouseEvent* event)
{
    if (pressed_ == QStyle::SC_None)
        return;
    pointer_ = event->position().toPoint();
    if (pressed_ != QStyle::SC_ScrollBarSlider) {
        update();
        return;
    }
    const int position = PositionOfThumbAt(pointer_.x() - grabOffset_);
    if (position != value())
        Notify(scTrack, position);
}

void TScrollBar::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != repeat_.timerId()) {
        QScrollBar::timerEvent(event);
        return;
    }
    if (std::exchange(firstRepeat_, false))
        repeat_.start(REPEAT_INTERVAL_MS, this);
    Repeat();
}

// An arrow steps while the pointer is over it; the track pages while the
// pointer is over the same side of the thumb, so paging stops where the
// thumb reaches the pointer.
void TScrollBar::Repeat()
{
    if (PartAt(pointer_) == pressed_)
        triggerAction(ActionOfPart(pressed_));
}

void TScrollBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || pressed_ == QStyle::SC_None)
        return;
    pointer_ = event->position().toPoint();
    const bool thumb = pressed_ == QStyle::SC_ScrollBarSlider;
    EndPress();
    if (thumb)
        Notify(scPosition, PositionOfThumbAt(pointer_.x() - grabOffset_));
    if (HoldsMouse(this))
        Notify(scEndScroll, value());
    LetGoOfMouse(this);
}

void TScrollBar::EndPress()
{
    repeat_.stop();
    pressed_ = QStyle::SC_None;
    update();
}

void TScrollBar::AbandonGesture()
{
    EndPress();
}

void TScrollBar::wheelEvent(QWheelEvent* event)
{
    event->accept();
}

void TScrollBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls = QStyle::SC_All;
    if (pressed_ != QStyle::SC_None) {
        option.activeSubControls = pressed_;
        if (pressed_ == QStyle::SC_ScrollBarSlider || PartAt(pointer_) == pressed_)
            option.state |= QStyle::State_Sunken;
    }
    style()->drawComplexControl(QStyle::CC_ScrollBar, &option, &painter, this);
    // The style marks the focus of buttons whichever way it came, but that
    // of a scroll bar, which takes the keyboard too, only after Tab: it
    // gets the mark as they do.
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.state |= QStyle::State_KeyboardFocusChange;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}
