// SPDX-License-Identifier: GPL-3.0-or-later
// The program's start-up, as its main block runs it, ended after the first
// frame of the window for the start-up comparison (StartupCompare.cpp).

#include "FirstFrame.h"

#include "kavrelsrc.h"
#include "toolkit/Application.h"

int main(int, char** argv)
{
    int argc = 1;
    TApplication application(argc, argv);
    Application->Initialize();
    TKavrel_Form* Kavrel_Form = nullptr;
    Application->CreateForm(Kavrel_Form);
    FirstFrame firstFrame(Kavrel_Form->PaintBox1);
    return Application->Run();
}
