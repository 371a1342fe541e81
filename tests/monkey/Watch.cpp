// SPDX-License-Identifier: GPL-3.0-or-later
#include "Watch.h"

#include "Arithmetic.h"

#include "toolkit/Application.h"
#include "toolkit/Dispatch.h"

namespace {

TWatch* activeWatch = nullptr;

// Runs a handler and then `after`, also when the handler throws (the error
// then goes on to the window's own dispatch).
template <class Handler, class After>
void RunThenNote(Handler&& handler, After&& after)
{
    try {
        handler();
    } catch (...) {
        after();
        throw;
    }
    after();
}

// The text of the error box for the error P on F raises now.
QString DivisionErrorOfPOnF(const TLesson& lesson)
{
    // PH² = 0 as well makes 0 ÷ 0.
    const QString message = POnLine(lesson) ? QStringLiteral("不正な浮動小数点数演算命令.")
                                      : QStringLiteral("0 による浮動小数点数除算.");
    return Application->Title() + QLatin1Char('|') + message;
}

}  // namespace

TWatch::TWatch(TKavrel_Form& form)
    : lesson_(form.Lesson)
{
    activeWatch = this;
    SetErrorBox([](const QString& caption, const QString& text) {
        if (activeWatch)
            activeWatch->log.reportedErrors << caption + QLatin1Char('|') + text;
    });
    WrapPlane(form);
    WrapScrollBar(form);
    WrapToggles(form);
    ListenToButtons(form);
}

TWatch::~TWatch()
{
    if (activeWatch == this)
        activeWatch = nullptr;
    SetErrorBox(nullptr);
}

void TWatch::UseModalBox()
{
    SetErrorBox(nullptr);
}

void TWatch::AfterRepaint()
{
    if (!ProbeRuns(lesson_) || !POnF(lesson_))
        return;
    if (reportDue_)
        log.expectedErrors << DivisionErrorOfPOnF(lesson_);
    reportDue_ = false;
}

void TWatch::WrapPlane(TKavrel_Form& form)
{
    TPaintBox* plane = form.PaintBox1;
    plane->OnMouseDown = [this, original = plane->OnMouseDown](TObject* sender, TMouseButton button, TShiftState shift,
                                                               int x, int y) {
        ++log.planePresses;
        RunThenNote([&] { original(sender, button, shift, x, y); }, [&] { AfterRepaint(); });
    };
    plane->OnPaint = [this, original = plane->OnPaint](TObject* sender) {
        RunThenNote([&] { original(sender); },
                    [&] {
                        if (ProbeRuns(lesson_) && POnF(lesson_))
                            ++log.systemRepaintsOnF;
                        AfterRepaint();
                    });
    };
}

void TWatch::WrapScrollBar(TKavrel_Form& form)
{
    TScrollBar* bar = form.ScrollBar1;
    bar->OnScroll = [this, bar, original = bar->OnScroll](TObject* sender, TScrollCode code, int& position) {
        ++log.scrollNotifications;
        if (scrollFailed_)
            ++log.scrollsAfterFailure;
        const int scrollPos = position;
        try {
            original(sender, code, position);
        } catch (...) {
            scrollFailed_ = true;
            log.failedScrollPos = scrollPos;
            log.positionAtFailure = bar->Position();
            AfterRepaint();
            throw;
        }
        log.failedScrollPos = -1;
        AfterRepaint();
    };
}

void TWatch::WrapToggles(TKavrel_Form& form)
{
    for (TSpeedButton* toggle : form.GroupBox2->findChildren<TSpeedButton*>()) {
        toggle->OnClick = [this, toggle, original = toggle->OnClick](TObject* sender) {
            ++log.toggleClicks[toggle->objectName()];
            if (original)
                original(sender);
        };
    }
}

void TWatch::ListenToButtons(TKavrel_Form& form)
{
    for (TButton* button : form.Client()->findChildren<TButton*>())
        QObject::connect(button, &QPushButton::clicked, button, [this, button] { ++log.buttonClicks[button->objectName()]; });
}
