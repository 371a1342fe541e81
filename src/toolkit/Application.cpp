// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/Application.h"

#include "numbers/FloatErrors.h"
#include "toolkit/Accessible.h"
#include "toolkit/Dispatch.h"
#include "toolkit/Font.h"
#include "toolkit/Form.h"
#include "toolkit/NoDisplay.h"
#include "toolkit/ScreenReaders.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStyleFactory>
#include <QTimer>

#ifdef Q_OS_WASM
#include <emscripten.h>
#endif

TApplication* Application = nullptr;

// The watch starts before QApplication's constructor, which opens the
// display.
TApplication::TApplication(int& argc, char** argv)
    : QApplication(WatchForNoDisplay(argc, argv), argv)
{
    DisplayOpened();
    Application = this;
    SetErrorBoxOwner(Title(), [this] { return MainForm(); });
    SetFloatingPointSettings();
    setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    setQuitOnLastWindowClosed(false);
    RegisterFontSubstitutes();
    InstallAccessibility();
    OpenToScreenReaders();
}

TApplication::~TApplication()
{
    delete mainForm_;
    if (Application == this) {
        Application = nullptr;
        SetErrorBoxOwner(QString(), nullptr);
    }
}

void TApplication::Initialize()
{
}

void TApplication::Created(TForm* form)
{
    connect(form, &TForm::Closed, this, &TApplication::Terminate);
    form->DoCreate();
    if (!mainForm_)
        mainForm_ = form;
}

int TApplication::Run()
{
    if (mainForm_)
        mainForm_->Show();
    return exec();
}

// In the browser the event loop is the page's and exec() never returns: the
// page unwound its stack, event loop and all, which can no longer be asked
// to end. The program ends itself there; the page learns of it from
// emscripten.
void TApplication::Terminate()
{
    QTimer::singleShot(0, this, [] {
#ifdef Q_OS_WASM
        emscripten_force_exit(0);
#else
        QCoreApplication::exit(0);
#endif
    });
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
        BeginUserGesture();
        break;
    case QEvent::Expose:
        if (!appeared_)
            Appeared();
        break;
    default:
        break;
    }
    return QApplication::notify(receiver, event);
}

// What needs the system's fonts or Qt's image plugins waits until the first
// window is on the screen: reading the font configuration and looking
// through the plugins took longer than showing the window does. Nothing
// has been drawn yet.
void TApplication::Appeared()
{
    appeared_ = true;
    WindowAppeared();
    WarnIfNoJapaneseFace();
    setWindowIcon(QIcon(QStringLiteral(":/kavrel.png")));
}

// In the browser the program's file is not in its file system: its name
// as the page started it stands in.
QString TApplication::Title() const
{
    const QString path = applicationFilePath();
    return ApplicationTitle(path.isEmpty() ? arguments().value(0) : path);
}

QString ApplicationTitle(const QString& programPath)
{
    const QString name = QFileInfo(programPath).fileName().section(QLatin1Char('.'), 0, 0);
    return name.left(1) + name.mid(1).toLower();
}
