// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/KavrelWindow.h"

#include "toolkit/Application.h"

#include <QApplication>

TEST_F(KavrelWindow, ActivationResetsOnlyOnce)
{
    Lesson().InputTarget = 3;
    for (int i = 0; i < 3; ++i) {
        QEvent deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(&Form(), &deactivate);
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&Form(), &activate);
        Form().hide();
        Form().show();
    }
    EXPECT_EQ(Lesson().InputTarget, 3);
}

TEST_F(KavrelWindow, QuitKeyEndsTheRunWithExitCodeZero)
{
    Click(Form().BtnSyuryo);
    EXPECT_EQ(Application->exec(), 0);
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(KavrelWindow, CloseBoxEndsTheRunWithoutAQuestion)
{
    EXPECT_TRUE(Form().close());
    EXPECT_EQ(Application->exec(), 0);
    EXPECT_TRUE(errors.isEmpty());
}

namespace {

// A window that looks, while it is being built, for the reference that
// the application fills in.
struct ReachableWindow : TForm {
    static ReachableWindow* reference;
    ReachableWindow() { reachable = reference == this; }
    bool reachable = false;
};
ReachableWindow* ReachableWindow::reference = nullptr;

}  // namespace

TEST(KavrelStart, WindowIsReachableWhileItIsBeingBuilt)
{
    Application->CreateForm(ReachableWindow::reference);
    EXPECT_TRUE(ReachableWindow::reference->reachable);
    delete ReachableWindow::reference;
}

TEST(KavrelStart, CreatedWindowHasTheBoundsItsCreateHandlerGives)
{
    TKavrel_Form* form = nullptr;
    Application->CreateForm(form);
    EXPECT_EQ(form->pos(), QPoint(0, 0));
    EXPECT_EQ(form->size(), QSize(1024, 768));
    EXPECT_FALSE(form->isVisible());
    delete form;
}
