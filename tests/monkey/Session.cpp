// SPDX-License-Identifier: GPL-3.0-or-later
#include "Session.h"

#include "Arithmetic.h"

#include "toolkit/Application.h"
#include "toolkit/Dispatch.h"

#include <QCoreApplication>
#include <QTest>

TSession::TSession(TPlantedFault fault, TErrorBoxKind box, std::uint64_t seed)
    : boxTimes_(seed)
{
    Application->CreateForm(form_);
    watch_ = std::make_unique<TWatch>(*form_);
    Plant(fault);
    if (box == TErrorBoxKind::Modal) {
        watch_->UseModalBox();
        // Mostly a quick OK; now and then one slow enough for a held
        // arrow's repeat to come due while the box is open.
        boxes_ = std::make_unique<ModalErrorBoxes>(std::function<void()>{}, [this] {
            std::uniform_int_distribution<int> quick(10, 120);
            std::uniform_int_distribution<int> slow(550, 800);
            return boxTimes_() % 4 == 0 ? slow(boxTimes_) : quick(boxTimes_);
        });
        boxes_->maxBoxes = -1;
    }
    form_->Show();
    if (!QTest::qWaitForWindowExposed(form_))
        qFatal("monkey: the window was not shown");
    QCoreApplication::processEvents();
}

TSession::~TSession()
{
    delete form_;
    boxes_.reset();
    watch_.reset();
}

QList<TFailure> TSession::Step(const TMonkeyEvent& event)
{
    TKavrel_Form& form = Form();
    const TSnapshot before = Snapshot(form, event);
    const int failedScrollPos = watch_->log.failedScrollPos;
    watch_->log = THandlerLog{};
    watch_->log.failedScrollPos = failedScrollPos;
    const qsizetype boxesBefore = boxes_ ? boxes_->shown.size() : 0;
    const auto interrupted = [&] { return boxes_ && boxes_->shown.size() > boxesBefore; };
    if (boxes_) {
        // The learner lets go of the mouse while the box is open: through
        // the window, so that the box, being modal, takes the release.
        boxes_->whileOpen = [&form, &event] {
            if (event.gesture != TGesture::Key)
                QTest::mouseRelease(form.windowHandle(), event.button, {}, ReleasePoint(form, event));
        };
    }
    if (!Perform(form, event, [this] { watch_->BeginGesture(); }, interrupted)) {
        ++stats_.skippedQuits;
        return {};
    }
    QCoreApplication::processEvents();
    if (boxes_) {
        boxes_->whileOpen = nullptr;
        watch_->log.reportedErrors = boxes_->shown.mid(boxesBefore);
    }
    ++stats_.events;
    Count(before, watch_->log);
    return CheckAfterEvent(form, event, before, watch_->log);
}

void TSession::Count(const TSnapshot& before, const THandlerLog& log)
{
    const long long errors = log.reportedErrors.size();
    stats_.errorsReported += errors;
    stats_.repaintsOnF += log.systemRepaintsOnF;
    if (errors > 0 && before.kind == TInputKind::PlanePress)
        ++stats_.planeClicksOnF;
    if (errors > 0 && (before.kind == TInputKind::ScrollMouse || before.kind == TInputKind::ScrollKey))
        ++stats_.scrollsOnF;
    if (before.kind == TInputKind::PlanePress && before.probeRuns)
        stats_.probes += log.planePresses;
    const int kept = Form().Lesson.ZanzoCount;
    if (kept > before.zanzoCount) {
        stats_.pointsKept += kept - before.zanzoCount;
        if (kept == ZANZO_MAX)
            ++stats_.storeFilled;
    }
    if (before.allComplete)
        stats_.confirmations += ClicksOf(log.buttonClicks, QStringLiteral("BtnKettei"));
    stats_.resets += ClicksOf(log.buttonClicks, QStringLiteral("BtnSai"));
    stats_.scrollNotifications += log.scrollNotifications;
}

void TSession::Plant(TPlantedFault fault)
{
    TKavrel_Form& form = Form();
    switch (fault) {
    case TPlantedFault::None:
        break;
    case TPlantedFault::KeepOnScroll:
        form.ScrollBar1->OnScroll = [&form, original = form.ScrollBar1->OnScroll](TObject* sender, TScrollCode code,
                                                                                 int& position) {
            original(sender, code, position);
            const TLesson& lesson = form.Lesson;
            if (ProbeRuns(lesson) && !POnF(lesson) && ExpectedKept(ProbeError(lesson, lesson.Ten[0], lesson.TenH)))
                form.ZanzoKioku();
        };
        break;
    case TPlantedFault::Runaway:
        // The failing step lets go of nothing: the bar is no longer known
        // to hold the mouse when the error reaches the toolkit.
        form.ScrollBar1->OnScroll = [original = form.ScrollBar1->OnScroll](TObject* sender, TScrollCode code,
                                                                          int& position) {
            try {
                original(sender, code, position);
            } catch (...) {
                HoldMouse(nullptr);
                throw;
            }
        };
        break;
    case TPlantedFault::MinusCompletes:
        form.BtnMinus->OnClick = [&lesson = form.Lesson, original = form.BtnMinus->OnClick](TObject* sender) {
            original(sender);
            if (lesson.InputTarget == 2 && lesson.FxState > 0 && lesson.FxState < STATE_COMPLETE)
                lesson.FxState = STATE_COMPLETE;
        };
        break;
    }
}

TReplay Replay(const QList<TMonkeyEvent>& events, TPlantedFault fault, TErrorBoxKind box)
{
    TSession session(fault, box);
    for (int i = 0; i < events.size(); ++i) {
        const QList<TFailure> failures = session.Step(events[i]);
        if (!failures.isEmpty())
            return {i, failures};
    }
    return {};
}
