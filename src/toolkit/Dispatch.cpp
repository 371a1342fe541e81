#include "toolkit/Dispatch.h"

#include "toolkit/Application.h"
#include "toolkit/FloatErrors.h"

#include <QMessageBox>
#include <QWidget>
#include <exception>

namespace {

void ShowErrorBox(const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok);
    box.exec();
}

TErrorBox errorBox = ShowErrorBox;
bool boxOpen = false;
unsigned inputSerial = 0;
unsigned inputSerialAtLastReport = ~0u;

// An error is reported once: not while its box is still open (the box's own
// loop repaints the window, which may meet the same error again), and a
// repaint that no input of the learner caused does not report again what
// the last input already reported.
bool ShouldReport(TEventCause cause)
{
    if (boxOpen)
        return false;
    return cause == TEventCause::UserInput || inputSerialAtLastReport != inputSerial;
}

void Report(TEventCause cause, const QString& message)
{
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    ResetFloatingPoint();
    if (!ShouldReport(cause))
        return;
    inputSerialAtLastReport = inputSerial;
    const QString caption = Application ? Application->Title() : QString();
    boxOpen = true;
    errorBox(caption, ErrorBoxText(message));
    boxOpen = false;
}

}  // namespace

void Dispatch(TEventCause cause, const std::function<void()>& handler)
{
    if (cause == TEventCause::UserInput)
        ++inputSerial;
    try {
        handler();
    } catch (const EMathError& error) {
        Report(cause, error.Message());
    } catch (const std::exception& error) {
        Report(cause, QString::fromLocal8Bit(error.what()));
    }
}

void SetErrorBox(TErrorBox box)
{
    errorBox = box ? std::move(box) : TErrorBox(ShowErrorBox);
}

QString ErrorBoxText(const QString& message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}
