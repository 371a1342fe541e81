#include "Session.h"

#include "Arithmetic.h"
#include "support/ProgramStart.h"

#include "toolkit/Application.h"

#include <QCoreApplication>
#include <QTest>

TSession::TSession(TPlantedFault fault)
{
    delete Kavrel_Form;
    Kavrel_Form = nullptr;
    RestoreProgramStart();
    Application->CreateForm(Kavrel_Form);
    watch_ = std::make_unique<TWatch>(*Kavrel_Form);
    Plant(fault);
    Kavrel_Form->Show();
    if (!QTest::qWaitForWindowExposed(Kavrel_Form))
        qFatal("monkey: the window was not shown");
    QCoreApplication::processEvents();
}

TSession::~TSession()
{
    delete Kavrel_Form;
    Kavrel_Form = nullptr;
    watch_.reset();
}

QList<TFailure> TSession::Step(const TMonkeyEvent& event)
{
    TKavrel_Form& form = Form();
    const TSnapshot before = Snapshot(form, event);
    watch_->log = THandlerLog{};
    if (!Perform(form, event, [this] { watch_->BeginGesture(); })) {
        ++stats_.skippedQuits;
        return {};
    }
    QCoreApplication::processEvents();
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
    if (ZanzoCount > before.zanzoCount) {
        stats_.pointsKept += ZanzoCount - before.zanzoCount;
        if (ZanzoCount == ZANZO_MAX)
            ++stats_.storeFilled;
    }
    const auto clicks = [&](const char* name) {
        const auto found = log.buttonClicks.find(QLatin1String(name));
        return found == log.buttonClicks.end() ? 0 : found->second;
    };
    if (before.allComplete)
        stats_.confirmations += clicks("BtnKettei");
    stats_.resets += clicks("BtnSai");
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
            if (ProbeRuns() && !POnF() && Keepable(ProbeError(Ten[0], TenF, TenH)))
                form.ZanzoKioku();
        };
        break;
    case TPlantedFault::MinusCompletes:
        form.BtnMinus->OnClick = [original = form.BtnMinus->OnClick](TObject* sender) {
            original(sender);
            if (InputTarget == 2 && FxState > 0 && FxState < STATE_COMPLETE)
                FxState = STATE_COMPLETE;
        };
        break;
    }
}

TReplay Replay(const QList<TMonkeyEvent>& events, TPlantedFault fault)
{
    TSession session(fault);
    for (int i = 0; i < events.size(); ++i) {
        const QList<TFailure> failures = session.Step(events[i]);
        if (!failures.isEmpty())
            return {i, failures};
    }
    return {};
}
