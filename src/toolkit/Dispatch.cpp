// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/Dispatch.h"

#include "numbers/FloatErrors.h"

#include <QMessageBox>
#include <QPointer>
#include <QWidget>
#include <exception>
#include <utility>

namespace {

QString boxCaption;
std::function<QWidget*()> boxOwner;

// Owned by the main window, the box stays over it and goes with it when it
// is minimised; a box has nothing to minimise or maximise.
//
// In the browser the program cannot wait for OK inside its own stack (that
// takes emscripten's Asyncify, which makes the program half as large
// again): there the box opens modal over the window and the program returns
// to the page's event loop. The window takes no input until OK, as on the
// desktop, and repaints meanwhile meet the error already reported, even
// those of a page that changes its size after a key the box took.
QPointer<QMessageBox> boxInThePage;

void ShowErrorBox(const QString& caption, const QString& text)
{
    QWidget* owner = boxOwner ? boxOwner() : nullptr;
    const Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
#ifdef Q_OS_WASM
    auto* box = new QMessageBox(QMessageBox::Critical, caption, text, QMessageBox::Ok, owner, flags);
    box->setAttribute(Qt::WA_DeleteOnClose);
    boxInThePage = box;
    box->open();
#else
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, owner, flags);
    box.exec();
#endif
}

TErrorBox errorBox = ShowErrorBox;
bool boxOpen = false;
unsigned gesture = 0;
unsigned gestureAtLastReport = ~0u;
TMouseHolder* mouseHolder = nullptr;

void AbandonMouseGesture()
{
    if (TMouseHolder* holder = std::exchange(mouseHolder, nullptr))
        holder->AbandonGesture();
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
}

// The box's own event loop repaints the window, which may meet the same
// error again: that, like every later error of the same gesture, has been
// reported already.
bool ShouldReport()
{
    return !boxOpen && !(boxInThePage && boxInThePage->isVisible()) && gestureAtLastReport != gesture;
}

void Report(const QString& message)
{
    AbandonMouseGesture();
    ResetFloatingPoint();
    if (!ShouldReport())
        return;
    gestureAtLastReport = gesture;
    boxOpen = true;
    errorBox(boxCaption, ErrorBoxText(message));
    boxOpen = false;
}

}  // namespace

bool Dispatch(const std::function<void()>& handler)
{
    try {
        handler();
        return true;
    } catch (const EMathError& error) {
        Report(error.Message());
    } catch (const std::exception& error) {
        Report(QString::fromLocal8Bit(error.what()));
    }
    return false;
}

void BeginUserGesture()
{
    ++gesture;
}

void HoldMouse(TMouseHolder* holder)
{
    mouseHolder = holder;
}

void LetGoOfMouse(TMouseHolder* holder)
{
    if (mouseHolder == holder)
        mouseHolder = nullptr;
}

bool HoldsMouse(const TMouseHolder* holder)
{
    return holder && mouseHolder == holder;
}

void SetErrorBox(TErrorBox box)
{
    errorBox = box ? std::move(box) : TErrorBox(ShowErrorBox);
}

void SetErrorBoxOwner(const QString& caption, std::function<QWidget*()> window)
{
    boxCaption = caption;
    boxOwner = std::move(window);
}

QString ErrorBoxText(const QString& message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}
