// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Lesson.h"
#include "numbers/Zahyo.h"
#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Label.h"
#include "toolkit/PaintBox.h"
#include "toolkit/ScrollBar.h"
#include "toolkit/SpeedButton.h"
#include "toolkit/StaticText.h"

// The program's one window. Its controls are created from the description
// in kavrelsrc.cpp; its methods are the event handlers and drawing
// routines, each defined in the folder of the subsystem that owns it, and
// all of them work on the lesson the window owns.
class TKavrel_Form : public TForm {
    Q_OBJECT

public:
    TKavrel_Form();

    // On the window
    TPaintBox* PaintBox1;
    TLabel* Label1;
    TScrollBar* ScrollBar1;
    TButton* BtnSyuryo;
    TGroupBox* GroupBox1;
    TGroupBox* GroupBox2;
    TButton* BtnSai;

    // The keypad, in GroupBox1
    TButton* Btn00;
    TButton* BtnDot;
    TButton* BtnKettei;
    TButton* BtnKesu;
    TButton* Btn01;
    TButton* BtnRoot;
    TButton* Btn03;
    TButton* Btn02;
    TButton* Btn04;
    TButton* BtnMinus;
    TButton* Btn06;
    TButton* Btn05;
    TButton* Btn07;
    TButton* BtnPlus;
    TButton* Btn09;
    TButton* Btn08;
    TButton* BtnX;
    TButton* BtnY;

    // The condition panel, in GroupBox2
    TLabel* HiLbl2;
    TSpeedButton* SbnLine;
    TLabel* LblSiki;
    TSpeedButton* SbnZahyo;
    TSpeedButton* SbnXzahyo;
    TSpeedButton* SbnYzahyo;
    TLabel* LblKakko;
    TLabel* LblXzahyo;
    TLabel* LblYzahyo;
    TLabel* HiLbl1;
    TLabel* HiLbl;
    TSpeedButton* SbnHiPF;
    TSpeedButton* SbnHiPH;
    TLabel* LblHiPF;
    TLabel* LblHiPH;
    TStaticText* StaticText2;
    TStaticText* StaticText1;
    TStaticText* StaticText3;

    // What the learner has typed and what the plane holds.
    TLesson Lesson;

    // plane/Scale.cpp
    TDot ZahyotoDot(TZahyoR zahyo) const;
    TZahyoR DottoZahyo(TDot dot) const;
    void ScrollBar1Scroll(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos);

    // plane/Heimen.cpp
    void PaintBox1Paint(TObject* Sender);
    void ZahyoHeimen_Draw();
    void Ten_Dsp(TZahyoR ten);
    void Kavrel_Dsp();
    void Zanzo_Dsp();

    // plane/Probe.cpp
    void TenP_Dsp();
    void Sen_Dsp();
    void ZanzoKioku();
    void PaintBox1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

    // conditions/Syokika.cpp
    void Syokika(TObject* Sender);

    // conditions/Selection.cpp
    void SbnLineClick(TObject* Sender);
    void SbnXzahyoClick(TObject* Sender);
    void SbnYzahyoClick(TObject* Sender);
    void SbnZahyoClick(TObject* Sender);
    void SbnHiPFClick(TObject* Sender);
    void SbnHiPHClick(TObject* Sender);
    void BtnKetteiClick(TObject* Sender);

    // conditions/Keypad.cpp
    void BtnXClick(TObject* Sender);
    void BtnYClick(TObject* Sender);
    void Btn00Click(TObject* Sender);
    void Btn01Click(TObject* Sender);
    void Btn02Click(TObject* Sender);
    void Btn03Click(TObject* Sender);
    void Btn04Click(TObject* Sender);
    void Btn05Click(TObject* Sender);
    void Btn06Click(TObject* Sender);
    void Btn07Click(TObject* Sender);
    void Btn08Click(TObject* Sender);
    void Btn09Click(TObject* Sender);
    void BtnMinusClick(TObject* Sender);
    void BtnRootClick(TObject* Sender);

    // kavrelsrc.cpp
    void BtnSyuryoClick(TObject* Sender);
    void FormCreate(TObject* Sender);

private:
    void CreateControls();
    void BindEvents();
    void SetTabOrder();
    void Selection(TSpeedButton* chosen, int target);
    void DigitKey(int digit);
    void RatioDigit(int digit, float& ratio, TLabel& label, int& state);
};
