#include "toolkit/ScrollBar.h"

#include "toolkit/Dispatch.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

namespace {

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
    connect(this, &QAbstractSlider::sliderReleased, this, [this] { Notify(scPosition, sliderPosition()); });
}

// Qt has moved the slider position but not yet the value: exactly the
// moment at which OnScroll sees the new position and the old Position.
void TScrollBar::ActionTriggered(int action)
{
    if (action == SliderNoAction)
        return;
    const int position = RunOnScroll(CodeOf(action), sliderPosition());
    setSliderPosition(std::clamp(position, minimum(), maximum()));
}

void TScrollBar::Notify(TScrollCode code, int position)
{
    setValue(std::clamp(RunOnScroll(code, position), minimum(), maximum()));
}

int TScrollBar::RunOnScroll(TScrollCode code, int position)
{
    int scrollPos = std::clamp(position, minimum(), maximum());
    if (OnScroll)
        Dispatch([&] { OnScroll(this, code, scrollPos); });
    return scrollPos;
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

void TScrollBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    gesture_ = true;
    QScrollBar::mousePressEvent(event);
}

void TScrollBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !gesture_)
        return;
    gesture_ = false;
    QScrollBar::mouseReleaseEvent(event);
    Notify(scEndScroll, value());
}
