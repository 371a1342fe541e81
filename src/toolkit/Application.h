// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QPointer>
#include <QString>
#include <new>

#include "toolkit/Form.h"

// The application object: initialises the toolkit, creates the main window,
// runs the event loop until the terminate request.
class TApplication : public QApplication {
    Q_OBJECT

public:
    TApplication(int& argc, char** argv);
    ~TApplication() override;

    void Initialize();

    // Stores the new window in `reference` before its constructor runs, so
    // code running during construction can reach it; then runs its OnCreate.
    template <class TFormClass>
    void CreateForm(TFormClass*& reference)
    {
        void* memory = ::operator new(sizeof(TFormClass));
        reference = static_cast<TFormClass*>(memory);
        new (memory) TFormClass();
        Created(reference);
    }

    // Shows the main window, centred on the desktop, and runs the event loop.
    int Run();

    // Asks the event loop to end after the running handler has returned.
    void Terminate();

    // The executable's name without directory, cut at its first ".", every
    // character after the first in lower case.
    QString Title() const;

    TForm* MainForm() const { return mainForm_; }

protected:
    // Marks where each gesture of the learner begins (see Dispatch.h).
    bool notify(QObject* receiver, QEvent* event) override;

private:
    void Created(TForm* form);
    void Appeared();

    QPointer<TForm> mainForm_;
    bool appeared_ = false;
};

extern TApplication* Application;

// The title rule applied to a program file path.
QString ApplicationTitle(const QString& programPath);
