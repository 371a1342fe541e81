// SPDX-License-Identifier: GPL-3.0-or-later
#include "Generator.h"

#include "Arithmetic.h"

#include <QStyle>
#include <array>
#include <cmath>
#include <limits>

namespace {

constexpr int kPlaneSize = 660;

const std::array<const char*, 18> kKeypadKeys = {
    "Btn00", "Btn01", "Btn02", "Btn03", "Btn04", "Btn05", "Btn06", "Btn07",  "Btn08",
    "Btn09", "BtnDot", "BtnKettei", "BtnKesu", "BtnRoot", "BtnMinus", "BtnPlus", "BtnX", "BtnY",
};

const std::array<const char*, 6> kToggleButtons = {"SbnLine", "SbnZahyo", "SbnXzahyo", "SbnYzahyo", "SbnHiPF", "SbnHiPH"};

// Keys that move the focus, press the focused button or move the scroll
// bar, and a few that the window has no use for.
const std::array<QKeyCombination, 18> kKeys = {
    Qt::Key_Tab, Qt::Key_Tab, Qt::ShiftModifier | Qt::Key_Backtab,
    Qt::Key_Space, Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter,
    Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End,
    Qt::Key_Escape, Qt::Key_5, Qt::ControlModifier | Qt::Key_A,
};

bool InsidePlane(QPoint pixel)
{
    return pixel.x() >= 0 && pixel.y() >= 0 && pixel.x() < kPlaneSize && pixel.y() < kPlaneSize;
}

QPoint WholePixel(TDot dot)
{
    return QPoint(int(std::lround(dot.X)), int(std::lround(dot.Y)));
}

}  // namespace

TGenerator::TGenerator(std::uint64_t seed)
    : random_(seed)
{
}

// The weights keep every kind of action frequent enough for 20,000 events
// to complete the conditions many times, keep points, fill the store and
// meet P on F, while resets stay rare enough not to undo it all.
TMonkeyEvent TGenerator::Next(const TKavrel_Form& form)
{
    if (tracing_ == 0 && ProbeRuns(form.Lesson) && OneIn(250))
        tracing_ = 130;
    if (tracing_ > 0) {
        --tracing_;
        return OneIn(15) ? ScrollArrow(form) : PlaneNearCurve(form);
    }
    struct Choice {
        int weight;
        TMonkeyEvent (TGenerator::*make)(const TKavrel_Form&);
    };
    static const Choice choices[] = {
        {34, &TGenerator::KeypadKey},
        {10, &TGenerator::ToggleButton},
        {1, &TGenerator::RetryButton},
        {3, &TGenerator::AnywhereOnWindow},
        {9, &TGenerator::PlaneAtRandom},
        {10, &TGenerator::PlaneNearCurve},
        {3, &TGenerator::PlaneOnF},
        {3, &TGenerator::PlaneOnLine},
        {2, &TGenerator::PlaneOnP},
        {1, &TGenerator::PlaneOnKeptPoint},
        {3, &TGenerator::ScrollArrow},
        {2, &TGenerator::ScrollTrack},
        {3, &TGenerator::ScrollThumbDrag},
        {6, &TGenerator::KeyPress},
    };
    int total = 0;
    for (const Choice& choice : choices)
        total += choice.weight;
    int pick = Below(total);
    for (const Choice& choice : choices) {
        if (pick < choice.weight)
            return (this->*choice.make)(form);
        pick -= choice.weight;
    }
    return KeypadKey(form);
}

int TGenerator::Below(int n)
{
    return n <= 1 ? 0 : int(random_() % std::uint64_t(n));
}

bool TGenerator::OneIn(int n)
{
    return Below(n) == 0;
}

QPoint TGenerator::Inside(const QRect& rect)
{
    if (rect.isEmpty())
        return rect.topLeft();
    return QPoint(rect.left() + Below(rect.width()), rect.top() + Below(rect.height()));
}

Qt::MouseButton TGenerator::AnyButton()
{
    switch (Below(8)) {
    case 0:
        return Qt::RightButton;
    case 1:
        return Qt::MiddleButton;
    default:
        return Qt::LeftButton;
    }
}

TMonkeyEvent TGenerator::OnControl(QWidget* control, Qt::MouseButton button)
{
    TMonkeyEvent event;
    event.gesture = OneIn(12) ? TGesture::DoubleClick : TGesture::Click;
    event.control = control->objectName();
    event.button = button;
    // Mostly the middle, sometimes any pixel of the control, edges included.
    event.at = OneIn(3) ? Inside(control->rect()) : control->rect().center();
    return event;
}

TMonkeyEvent TGenerator::KeypadKey(const TKavrel_Form& form)
{
    // The confirm key walks the learner through the terms: press it often.
    const char* name = OneIn(5) ? "BtnKettei" : kKeypadKeys[Below(int(kKeypadKeys.size()))];
    return OnControl(form.GroupBox1->findChild<QWidget*>(QLatin1String(name)), OneIn(20) ? AnyButton() : Qt::LeftButton);
}

TMonkeyEvent TGenerator::ToggleButton(const TKavrel_Form& form)
{
    const char* name = kToggleButtons[Below(int(kToggleButtons.size()))];
    return OnControl(form.GroupBox2->findChild<QWidget*>(QLatin1String(name)), OneIn(20) ? AnyButton() : Qt::LeftButton);
}

TMonkeyEvent TGenerator::RetryButton(const TKavrel_Form& form)
{
    return OnControl(form.BtnSai, OneIn(10) ? AnyButton() : Qt::LeftButton);
}

// Any pixel of the window's client area, given to the control under it
// (labels, static texts, group boxes, the window itself), except the quit
// key.
TMonkeyEvent TGenerator::AnywhereOnWindow(const TKavrel_Form& form)
{
    QWidget* client = form.Client();
    for (;;) {
        const QPoint point = Inside(client->rect());
        QWidget* under = client->childAt(point);
        if (under == form.BtnSyuryo || (under && under->objectName().isEmpty()))
            continue;
        TMonkeyEvent event;
        event.gesture = OneIn(8) ? TGesture::DoubleClick : TGesture::Click;
        event.button = AnyButton();
        event.control = under ? under->objectName() : QString();
        event.at = under ? under->mapFrom(client, point) : point;
        return event;
    }
}

TMonkeyEvent TGenerator::OnPlane(QPoint pixel)
{
    TMonkeyEvent event;
    event.gesture = OneIn(7) ? TGesture::DoubleClick : TGesture::Click;
    event.control = QStringLiteral("PaintBox1");
    event.button = AnyButton();
    event.at = pixel;
    return event;
}

TMonkeyEvent TGenerator::PlaneAtRandom(const TKavrel_Form&)
{
    return OnPlane(QPoint(Below(kPlaneSize), Below(kPlaneSize)));
}

// The pixel of a random row or column whose P lies closest to the curve
// of the current conditions: such clicks are kept.
TMonkeyEvent TGenerator::PlaneNearCurve(const TKavrel_Form& form)
{
    const bool row = OneIn(2);
    const int fixed = Below(kPlaneSize);
    QPoint best(fixed, fixed);
    float bestError = std::numeric_limits<float>::infinity();
    for (int i = 0; i < kPlaneSize; ++i) {
        const QPoint pixel = row ? QPoint(i, fixed) : QPoint(fixed, i);
        const TZahyoR p = form.DottoZahyo(TDot{float(pixel.x()), float(pixel.y())});
        const float error = ProbeError(form.Lesson, p, FootOnLine(form.Lesson, p));
        if (error < bestError) {
            bestError = error;
            best = pixel;
        }
    }
    return OnPlane(best);
}

// F's own pixel: P lands exactly on F wherever the scale puts F on a whole
// pixel.
TMonkeyEvent TGenerator::PlaneOnF(const TKavrel_Form& form)
{
    const QPoint f = WholePixel(form.ZahyotoDot(form.Lesson.TenF));
    return InsidePlane(f) ? OnPlane(f) : PlaneAtRandom(form);
}

TMonkeyEvent TGenerator::PlaneOnLine(const TKavrel_Form& form)
{
    const float c = float(form.Lesson.LineValue);
    const bool vertical = form.Lesson.LineAxis == 1;
    const QPoint onLine = WholePixel(form.ZahyotoDot(vertical ? TZahyoR{c, 0} : TZahyoR{0, c}));
    const QPoint pixel = vertical ? QPoint(onLine.x(), Below(kPlaneSize)) : QPoint(Below(kPlaneSize), onLine.y());
    return InsidePlane(pixel) ? OnPlane(pixel) : PlaneAtRandom(form);
}

TMonkeyEvent TGenerator::PlaneOnP(const TKavrel_Form& form)
{
    const QPoint p(int(form.Lesson.ClickDot.X), int(form.Lesson.ClickDot.Y));
    return InsidePlane(p) ? OnPlane(p) : PlaneAtRandom(form);
}

TMonkeyEvent TGenerator::PlaneOnKeptPoint(const TKavrel_Form& form)
{
    if (form.Lesson.ZanzoCount < 1 || form.Lesson.ZanzoCount > ZANZO_MAX)
        return PlaneAtRandom(form);
    const QPoint kept = WholePixel(form.ZahyotoDot(form.Lesson.Ten[1 + Below(form.Lesson.ZanzoCount)]));
    return InsidePlane(kept) ? OnPlane(kept) : PlaneAtRandom(form);
}

// A click on a part of the scroll bar, now and then with another button.
TMonkeyEvent TGenerator::OnScrollBar(const TKavrel_Form& form, const QRect& part)
{
    TMonkeyEvent event;
    event.gesture = OneIn(8) ? TGesture::DoubleClick : TGesture::Click;
    event.control = form.ScrollBar1->objectName();
    event.button = OneIn(10) ? AnyButton() : Qt::LeftButton;
    event.at = Inside(part);
    return event;
}

TMonkeyEvent TGenerator::ScrollArrow(const TKavrel_Form& form)
{
    const QStyle::SubControl arrow = OneIn(2) ? QStyle::SC_ScrollBarSubLine : QStyle::SC_ScrollBarAddLine;
    return OnScrollBar(form, form.ScrollBar1->PartRect(arrow));
}

TMonkeyEvent TGenerator::ScrollTrack(const TKavrel_Form& form)
{
    const QRect before = form.ScrollBar1->PartRect(QStyle::SC_ScrollBarSubPage);
    const QRect after = form.ScrollBar1->PartRect(QStyle::SC_ScrollBarAddPage);
    return OnScrollBar(form, before.isEmpty() || (!after.isEmpty() && OneIn(2)) ? after : before);
}

// From a pixel of the thumb to anywhere along the bar, past its ends too.
TMonkeyEvent TGenerator::ScrollThumbDrag(const TKavrel_Form& form)
{
    const TScrollBar& bar = *form.ScrollBar1;
    TMonkeyEvent event;
    event.gesture = TGesture::Drag;
    event.control = bar.objectName();
    event.at = Inside(bar.PartRect(QStyle::SC_ScrollBarSlider));
    event.to = QPoint(Below(bar.width() + 80) - 40, Below(bar.height() + 20) - 10);
    return event;
}

TMonkeyEvent TGenerator::KeyPress(const TKavrel_Form&)
{
    const QKeyCombination keys = kKeys[Below(int(kKeys.size()))];
    TMonkeyEvent event;
    event.gesture = TGesture::Key;
    event.key = keys.key();
    event.modifiers = keys.keyboardModifiers();
    return event;
}
