// SPDX-License-Identifier: GPL-3.0-or-later
#include "Invariants.h"

#include "Arithmetic.h"

#include <QApplication>
#include <algorithm>
#include <bit>
#include <cmath>

namespace {

const QString kMinus = QStringLiteral("－");
const QString kRoot = QStringLiteral("√");
const QString kLineX = QStringLiteral("Ｘ＝");
const QString kLineY = QStringLiteral("Ｙ＝");

QString Quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString FullWidthDigit(int digit)
{
    return QString(QChar(0xFF10 + digit));
}

// What a coordinate or the line's constant shows once begun: the pending
// minus, or when complete the digit, with the minus only for a negative
// value.
QString EntryText(int state, int value)
{
    if (state != STATE_COMPLETE)
        return kMinus;
    return (value < 0 ? kMinus : QString()) + FullWidthDigit(std::abs(value));
}

bool SameSingle(float a, float b)
{
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

bool SamePoint(TZahyoR a, TZahyoR b)
{
    return SameSingle(a.X, b.X) && SameSingle(a.Y, b.Y);
}

QString PointText(TZahyoR p)
{
    return QStringLiteral("(%1, %2)").arg(double(p.X), 0, 'g', 9).arg(double(p.Y), 0, 'g', 9);
}

float RootOf(int digit)
{
    return static_cast<float>(std::sqrt(static_cast<long double>(digit)));
}

bool IsScrollKey(Qt::Key key)
{
    static constexpr std::array kScrollKeys = {Qt::Key_Left,   Qt::Key_Right,    Qt::Key_Up,   Qt::Key_Down,
                                               Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
    return std::ranges::find(kScrollKeys, key) != kScrollKeys.end();
}

TInputKind KindOf(const TKavrel_Form& form, const TMonkeyEvent& event)
{
    QWidget* target = TargetOf(form, event);
    if (event.gesture == TGesture::Key) {
        if (target == form.ScrollBar1 && IsScrollKey(event.key))
            return TInputKind::ScrollKey;
        if (qobject_cast<TButton*>(target) && ActivatesButton(event))
            return TInputKind::ButtonKey;
        return TInputKind::Other;
    }
    if (target == form.PaintBox1)
        return TInputKind::PlanePress;
    if (target == form.ScrollBar1)
        return TInputKind::ScrollMouse;
    if (qobject_cast<TButton*>(target))
        return TInputKind::ButtonMouse;
    if (qobject_cast<TSpeedButton*>(target))
        return TInputKind::ToggleMouse;
    return TInputKind::Other;
}

struct TGroupButton {
    TSpeedButton* button;
    int target;
};

std::array<TGroupButton, 5> GroupOf(const TKavrel_Form& form)
{
    return {{{form.SbnLine, 1}, {form.SbnXzahyo, 2}, {form.SbnYzahyo, 3}, {form.SbnHiPF, 4}, {form.SbnHiPH, 5}}};
}

class TChecker {
public:
    TChecker(const TKavrel_Form& form, const TMonkeyEvent& event, const TSnapshot& before, const THandlerLog& log)
        : form_(form), lesson_(form.Lesson), event_(event), before_(before), log_(log)
    {
    }

    QList<TFailure> Run()
    {
        CheckGestureEnded();
        CheckWindowAnswers();
        CheckHandlersAnswered();
        CheckScale();
        CheckErrors();
        CheckKeptPoints();
        CheckTargetAndGroup();
        CheckEntryStates();
        CheckLineLabel();
        CheckCoordinateLabel(QStringLiteral("LblXzahyo"), lesson_.FxState, lesson_.FxValue, form_.LblXzahyo->Caption());
        CheckCoordinateLabel(QStringLiteral("LblYzahyo"), lesson_.FyState, lesson_.FyValue, form_.LblYzahyo->Caption());
        CheckRatioLabel(QStringLiteral("LblHiPF"), lesson_.PfState, lesson_.RatioPF, form_.LblHiPF->Caption());
        CheckRatioLabel(QStringLiteral("LblHiPH"), lesson_.PhState, lesson_.RatioPH, form_.LblHiPH->Caption());
        return failures_;
    }

private:
    void Fail(const QString& invariant, const QString& detail) { failures_.append({invariant, detail}); }

    bool Confirmed() const
    {
        return before_.allComplete && ClicksOf(log_.buttonClicks, QStringLiteral("BtnKettei")) > 0;
    }

    // The window is still there and free for the next event: nothing holds
    // the mouse, no box or popup waits, no button is left pressed.
    void CheckWindowAnswers()
    {
        if (!form_.isVisible())
            Fail(QStringLiteral("window"), QStringLiteral("the window is no longer shown"));
        if (QWidget* grabber = QWidget::mouseGrabber())
            Fail(QStringLiteral("window"), QStringLiteral("%1 still holds the mouse").arg(grabber->objectName()));
        if (QApplication::activeModalWidget() || QApplication::activePopupWidget())
            Fail(QStringLiteral("window"), QStringLiteral("a modal box or popup is open"));
        for (const TButton* button : form_.Client()->findChildren<TButton*>())
            if (button->isDown())
                Fail(QStringLiteral("window"), button->objectName() + QStringLiteral(" stays pressed"));
        for (const TSpeedButton* toggle : form_.GroupBox2->findChildren<TSpeedButton*>()) {
            const bool lowered = toggle->Face() == TSpeedButton::TFace::Lowered;
            if (toggle->Face() == TSpeedButton::TFace::Pressed || lowered != toggle->Down())
                Fail(QStringLiteral("window"), toggle->objectName() + QStringLiteral(" shows a face that is not its state"));
        }
    }

    // A gesture whose handler failed ends there: its control lets go of the
    // mouse, and nothing of it runs again (no repeated step, no end of the
    // scroll), in the box's own loop or after it.
    void CheckGestureEnded()
    {
        if (form_.ScrollBar1->Held())
            Fail(QStringLiteral("gesture"), QStringLiteral("the scroll bar stays held"));
        if (log_.scrollsAfterFailure > 0)
            Fail(QStringLiteral("gesture"), QStringLiteral("%1 scroll notifications after the one that failed")
                                                .arg(log_.scrollsAfterFailure));
        if (log_.positionAtFailure >= 0 && form_.ScrollBar1->Position() != log_.positionAtFailure)
            Fail(QStringLiteral("gesture"), QStringLiteral("a failed notification moved Position from %1 to %2")
                                                .arg(log_.positionAtFailure)
                                                .arg(form_.ScrollBar1->Position()));
    }

    // Every gesture reached the handler it is for, as often as it pressed,
    // and no other handler ran.
    void CheckHandlersAnswered()
    {
        // A press whose handler opened the error box takes the rest of the
        // gesture with it: the learner's release goes to the box.
        const int presses = event_.gesture == TGesture::Key ? 0 : log_.gesturesBegun;
        const bool left = event_.button == Qt::LeftButton;
        const TInputKind kind = before_.kind;
        const int planeExpected = kind == TInputKind::PlanePress ? presses : 0;
        if (log_.planePresses != planeExpected)
            Fail(QStringLiteral("answer"), QStringLiteral("the plane's mouse-down handler ran %1 times, not %2")
                                               .arg(log_.planePresses)
                                               .arg(planeExpected));

        const bool scrolls = (kind == TInputKind::ScrollMouse && left) || kind == TInputKind::ScrollKey;
        if (scrolls ? log_.scrollNotifications < 1 : log_.scrollNotifications != 0)
            Fail(QStringLiteral("answer"), QStringLiteral("the scroll bar notified %1 times").arg(log_.scrollNotifications));

        int buttonExpected = 0;
        if (kind == TInputKind::ButtonMouse && left)
            buttonExpected = presses;
        else if (kind == TInputKind::ButtonKey)
            buttonExpected = 1;
        const int targetClicks = ClicksOf(log_.buttonClicks, before_.target);
        if (AllClicks(log_.buttonClicks) != buttonExpected || (buttonExpected > 0 && targetClicks != buttonExpected))
            Fail(QStringLiteral("answer"), QStringLiteral("push buttons clicked %1 times (%2 by %3), not %4")
                                               .arg(AllClicks(log_.buttonClicks))
                                               .arg(targetClicks)
                                               .arg(before_.target)
                                               .arg(buttonExpected));

        const int toggleExpected = kind == TInputKind::ToggleMouse && left ? presses : 0;
        const int targetToggles = ClicksOf(log_.toggleClicks, before_.target);
        if (AllClicks(log_.toggleClicks) != toggleExpected || targetToggles != toggleExpected)
            Fail(QStringLiteral("answer"), QStringLiteral("toggle buttons clicked %1 times, not %2")
                                               .arg(AllClicks(log_.toggleClicks))
                                               .arg(toggleExpected));
    }

    // Scale follows Position, except after a notification that failed: its
    // handler had set Scale before failing, and Position stayed.
    void CheckScale()
    {
        const int position = form_.ScrollBar1->Position();
        const bool ofFailure = log_.failedScrollPos >= 0 && lesson_.Scale == ScaleOfPosition(log_.failedScrollPos);
        if (lesson_.Scale < 4 || lesson_.Scale > 36 || (lesson_.Scale != ScaleOfPosition(position) && !ofFailure))
            Fail(QStringLiteral("Scale"), QStringLiteral("Scale %1 at scroll position %2 (scale of the position: %3)")
                                              .arg(lesson_.Scale)
                                              .arg(position)
                                              .arg(ScaleOfPosition(position)));
    }

    // The division errors of P on F, each reported once, and nothing else.
    void CheckErrors()
    {
        for (const QString& error : log_.reportedErrors)
            if (!error.endsWith(QStringLiteral("|0 による浮動小数点数除算."))
                && !error.endsWith(QStringLiteral("|不正な浮動小数点数演算命令.")))
                Fail(QStringLiteral("errors"), QStringLiteral("an error that is not P on F: ") + error);
        if (log_.reportedErrors != log_.expectedErrors)
            Fail(QStringLiteral("errors"), QStringLiteral("reported [%1], expected [%2] (P %3, F %4, H %5)")
                                               .arg(log_.reportedErrors.join(QStringLiteral("; ")),
                                                    log_.expectedErrors.join(QStringLiteral("; ")),
                                                    PointText(lesson_.Ten[0]), PointText(lesson_.TenF),
                                                    PointText(lesson_.TenH)));
    }

    // The store changes only by a click that keeps P (once per press, up to
    // 100) or by a confirmation that empties it; what it holds stays put.
    void CheckKeptPoints()
    {
        if (lesson_.ZanzoCount < 0 || lesson_.ZanzoCount > ZANZO_MAX) {
            Fail(QStringLiteral("kept"), QStringLiteral("ZanzoCount %1").arg(lesson_.ZanzoCount));
            return;
        }
        if (Confirmed()) {
            if (lesson_.ZanzoCount != 0)
                Fail(QStringLiteral("kept"),
                     QStringLiteral("%1 points kept after the confirmation").arg(lesson_.ZanzoCount));
            return;
        }
        for (int i = 1; i <= std::min(before_.zanzoCount, lesson_.ZanzoCount); ++i)
            if (!SamePoint(lesson_.Ten[i], before_.ten[i]))
                Fail(QStringLiteral("kept"), QStringLiteral("kept point %1 moved from %2 to %3")
                                                 .arg(i)
                                                 .arg(PointText(before_.ten[i]), PointText(lesson_.Ten[i])));
        if (before_.kind == TInputKind::PlanePress && !SamePoint(lesson_.TenH, FootOnLine(lesson_, lesson_.Ten[0])))
            Fail(QStringLiteral("kept"), QStringLiteral("H %1 is not the foot of P %2 on the fixed line")
                                             .arg(PointText(lesson_.TenH), PointText(lesson_.Ten[0])));
        const int expected = ExpectedZanzoCount();
        if (lesson_.ZanzoCount != expected)
            Fail(QStringLiteral("kept"), QStringLiteral("ZanzoCount %1, expected %2 (was %3; P %4, e %5)")
                                             .arg(lesson_.ZanzoCount)
                                             .arg(expected)
                                             .arg(before_.zanzoCount)
                                             .arg(PointText(lesson_.Ten[0]))
                                             .arg(double(ProbeError(lesson_, lesson_.Ten[0], lesson_.TenH)), 0, 'g', 9));
        for (int i = before_.zanzoCount + 1; i <= lesson_.ZanzoCount; ++i) {
            const float e = ProbeError(lesson_, lesson_.Ten[i], FootOnLine(lesson_, lesson_.Ten[i]));
            if (!SamePoint(lesson_.Ten[i], lesson_.Ten[0]) || !ExpectedKept(e))
                Fail(QStringLiteral("kept"), QStringLiteral("kept point %1 %2 has e %3 (P %4)")
                                                 .arg(i)
                                                 .arg(PointText(lesson_.Ten[i]))
                                                 .arg(double(e), 0, 'g', 9)
                                                 .arg(PointText(lesson_.Ten[0])));
        }
    }

    int ExpectedZanzoCount() const
    {
        if (before_.kind != TInputKind::PlanePress || !before_.probeRuns || POnF(lesson_))
            return before_.zanzoCount;
        if (!ExpectedKept(ProbeError(lesson_, lesson_.Ten[0], lesson_.TenH)))
            return before_.zanzoCount;
        return std::min(ZANZO_MAX, before_.zanzoCount + Presses(event_));
    }

    // At most one group button down, and it is the keypad's target with a
    // red caption; the button without a group never stays down.
    void CheckTargetAndGroup()
    {
        if (lesson_.InputTarget < 0 || lesson_.InputTarget > 5)
            Fail(QStringLiteral("target"), QStringLiteral("InputTarget %1").arg(lesson_.InputTarget));
        if (form_.SbnZahyo->Down())
            Fail(QStringLiteral("group"), QStringLiteral("SbnZahyo is down"));
        int down = 0;
        for (const TGroupButton& member : GroupOf(form_)) {
            if (!member.button->Down())
                continue;
            ++down;
            if (lesson_.InputTarget != member.target)
                Fail(QStringLiteral("group"), QStringLiteral("%1 is down while InputTarget is %2")
                                                  .arg(member.button->objectName())
                                                  .arg(lesson_.InputTarget));
            if (member.button->Font().Color() != clRed)
                Fail(QStringLiteral("group"), member.button->objectName() + QStringLiteral(" is down without a red caption"));
        }
        if (down > 1)
            Fail(QStringLiteral("group"), QStringLiteral("%1 group buttons are down").arg(down));
        if (Confirmed() && (down != 0 || lesson_.InputTarget != 0))
            Fail(QStringLiteral("group"), QStringLiteral("the confirmation left a target"));
        if (Confirmed() && !SamePoint(lesson_.TenF, TZahyoR{float(lesson_.FxValue), float(lesson_.FyValue)}))
            Fail(QStringLiteral("group"), QStringLiteral("the confirmation left F at ") + PointText(lesson_.TenF));
    }

    void CheckEntryStates()
    {
        const auto inRange = [](int value, int low, int high) { return value >= low && value <= high; };
        if (lesson_.LineState < 0 || lesson_.FxState < 0 || lesson_.FyState < 0 || !inRange(lesson_.LineAxis, 0, 2)
            || !inRange(lesson_.LineValue, -9, 9)
            || !inRange(lesson_.FxValue, -9, 9) || !inRange(lesson_.FyValue, -9, 9))
            Fail(QStringLiteral("states"), QStringLiteral("line %1/%2/%3, F's X %4/%5, F's Y %6/%7 (state/value)")
                                               .arg(lesson_.LineState)
                                               .arg(lesson_.LineAxis)
                                               .arg(lesson_.LineValue)
                                               .arg(lesson_.FxState)
                                               .arg(lesson_.FxValue)
                                               .arg(lesson_.FyState)
                                               .arg(lesson_.FyValue));
        for (int state : {lesson_.PfState, lesson_.PhState})
            if (state != 0 && state != 1 && state != STATE_COMPLETE)
                Fail(QStringLiteral("states"), QStringLiteral("a ratio term in state %1").arg(state));
        const QString& minus = lesson_.MinusMark;
        const QString& root = lesson_.RootMark;
        if ((!minus.isEmpty() && minus != kMinus) || (!root.isEmpty() && root != kRoot))
            Fail(QStringLiteral("states"), QStringLiteral("marks %1 and %2").arg(Quoted(minus), Quoted(root)));
    }

    // Empty before the variable; the variable alone; the variable and a
    // pending minus while in progress or after a minus on a complete line;
    // the whole equation, its sign that of LineValue, when complete.
    void CheckLineLabel()
    {
        const QString label = form_.LblSiki->Caption();
        QString expected;
        if (lesson_.LineState >= 1) {
            const QString name = lesson_.LineAxis == 1 ? kLineX : kLineY;
            if (lesson_.LineName != name)
                Fail(QStringLiteral("LblSiki"), QStringLiteral("LineName %1 with LineAxis %2")
                                                    .arg(Quoted(lesson_.LineName))
                                                    .arg(lesson_.LineAxis));
            expected = QLatin1Char(' ') + name
                     + (lesson_.LineState == 1 ? QString() : EntryText(lesson_.LineState, lesson_.LineValue));
        }
        if (label != expected)
            Fail(QStringLiteral("LblSiki"), QStringLiteral("shows %1 with LineState %2, LineValue %3; expected %4")
                                                .arg(Quoted(label))
                                                .arg(lesson_.LineState)
                                                .arg(lesson_.LineValue)
                                                .arg(Quoted(expected)));
    }

    void CheckCoordinateLabel(const QString& name, int state, int value, const QString& label)
    {
        const QString expected = state == 0 ? QString() : QLatin1Char(' ') + EntryText(state, value);
        if (label != expected)
            Fail(name, QStringLiteral("shows %1 with state %2, value %3; expected %4")
                           .arg(Quoted(label))
                           .arg(state)
                           .arg(value)
                           .arg(Quoted(expected)));
    }

    // Empty with the value 0 after a reset; " √" under a pending root with
    // the last value or 0; when complete the digit or its root, the value
    // being that digit or the Single nearest its square root.
    void CheckRatioLabel(const QString& name, int state, float ratio, const QString& label)
    {
        const bool shown = state == 0   ? label.isEmpty() && SameSingle(ratio, 0.0f)
                           : state == 1 ? label == QStringLiteral(" √") && IsRatioValueOrZero(ratio)
                                        : CompleteRatioMatches(label, ratio);
        if (!shown)
            Fail(name, QStringLiteral("shows %1 with state %2, value %3")
                           .arg(Quoted(label))
                           .arg(state)
                           .arg(double(ratio), 0, 'g', 9));
    }

    static bool IsRatioValueOrZero(float ratio)
    {
        if (SameSingle(ratio, 0.0f))
            return true;
        for (int digit = 1; digit <= 9; ++digit)
            if (SameSingle(ratio, float(digit)) || SameSingle(ratio, RootOf(digit)))
                return true;
        return false;
    }

    static bool CompleteRatioMatches(const QString& label, float ratio)
    {
        for (int digit = 1; digit <= 9; ++digit) {
            if (label == QLatin1Char(' ') + FullWidthDigit(digit))
                return SameSingle(ratio, float(digit));
            if (digit >= 2 && label == QStringLiteral(" √") + FullWidthDigit(digit))
                return SameSingle(ratio, RootOf(digit));
        }
        return false;
    }

    const TKavrel_Form& form_;
    const TLesson& lesson_;
    const TMonkeyEvent& event_;
    const TSnapshot& before_;
    const THandlerLog& log_;
    QList<TFailure> failures_;
};

}  // namespace

TSnapshot Snapshot(const TKavrel_Form& form, const TMonkeyEvent& event)
{
    TSnapshot snapshot;
    const TLesson& lesson = form.Lesson;
    snapshot.zanzoCount = lesson.ZanzoCount;
    snapshot.ten = lesson.Ten;
    snapshot.allComplete = lesson.LineState >= STATE_COMPLETE && lesson.FxState >= STATE_COMPLETE
                        && lesson.FyState >= STATE_COMPLETE && lesson.PfState >= STATE_COMPLETE
                        && lesson.PhState >= STATE_COMPLETE;
    snapshot.probeRuns = ProbeRuns(lesson);
    QWidget* target = TargetOf(form, event);
    snapshot.target = target ? target->objectName() : QString();
    snapshot.kind = KindOf(form, event);
    return snapshot;
}

QList<TFailure> CheckAfterEvent(const TKavrel_Form& form, const TMonkeyEvent& event, const TSnapshot& before,
                                const THandlerLog& log)
{
    return TChecker(form, event, before, log).Run();
}
