// SPDX-License-Identifier: GPL-3.0-or-later
#include "kavrelsrc.h"

#include "numbers/Extended.h"

#include <algorithm>

namespace {

const QString kMinus = QStringLiteral("－");
const QString kRoot = QStringLiteral("√");
const QString kDigitCaptions[] = {
    QStringLiteral("０"), QStringLiteral("１"), QStringLiteral("２"), QStringLiteral("３"), QStringLiteral("４"),
    QStringLiteral("５"), QStringLiteral("６"), QStringLiteral("７"), QStringLiteral("８"), QStringLiteral("９"),
};

// The minus key counts its presses on an incomplete term, but never so far
// that the term would count as complete without a digit.
int AfterMinus(int state)
{
    return state < STATE_COMPLETE ? std::min(state + 1, STATE_COMPLETE - 1) : state + 1;
}

}  // namespace

void TKavrel_Form::BtnXClick(TObject*)
{
    if (Lesson.InputTarget != 1)
        return;
    Lesson.LineState = 1;
    Lesson.LineAxis = 1;
    Lesson.LineName = BtnX->Caption();
    LblSiki->SetCaption(QLatin1Char(' ') + Lesson.LineName);
}

void TKavrel_Form::BtnYClick(TObject*)
{
    if (Lesson.InputTarget != 1)
        return;
    Lesson.LineState = 1;
    Lesson.LineAxis = 2;
    Lesson.LineName = BtnY->Caption();
    LblSiki->SetCaption(QLatin1Char(' ') + Lesson.LineName);
}

// One rule for every digit key: the digit goes to the term the keypad
// edits, then the pending marks are used up. A digit for the line waits
// until the line's variable is chosen, marks and all.
void TKavrel_Form::DigitKey(int digit)
{
    const QString key = kDigitCaptions[digit];
    const int value = Lesson.MinusMark.isEmpty() ? digit : -digit;
    const QString signedKey = digit == 0 ? key : Lesson.MinusMark + key;
    switch (Lesson.InputTarget) {
    case 1:
        if (Lesson.LineState < 1)
            return;
        Lesson.LineValue = value;
        LblSiki->SetCaption(QLatin1Char(' ') + Lesson.LineName + signedKey);
        Lesson.LineState = STATE_COMPLETE;
        break;
    case 2:
        Lesson.FxValue = value;
        LblXzahyo->SetCaption(QLatin1Char(' ') + signedKey);
        Lesson.FxState = STATE_COMPLETE;
        break;
    case 3:
        Lesson.FyValue = value;
        LblYzahyo->SetCaption(QLatin1Char(' ') + signedKey);
        Lesson.FyState = STATE_COMPLETE;
        break;
    case 4:
        if (digit != 0)
            RatioDigit(digit, Lesson.RatioPF, *LblHiPF, Lesson.PfState);
        break;
    case 5:
        if (digit != 0)
            RatioDigit(digit, Lesson.RatioPH, *LblHiPH, Lesson.PhState);
        break;
    }
    Lesson.MinusMark.clear();
    Lesson.RootMark.clear();
}

// A ratio term is the digit, or its square root under a pending root; the
// root of 1 is 1 and shows no root sign.
void TKavrel_Form::RatioDigit(int digit, float& ratio, TLabel& label, int& state)
{
    const bool root = !Lesson.RootMark.isEmpty() && digit != 1;
    ratio = root ? static_cast<float>(Sqrt(Extended(digit))) : static_cast<float>(digit);
    label.SetCaption(QLatin1Char(' ') + (root ? Lesson.RootMark : QString()) + kDigitCaptions[digit]);
    state = STATE_COMPLETE;
}

void TKavrel_Form::Btn00Click(TObject*)
{
    DigitKey(0);
}

void TKavrel_Form::Btn01Click(TObject*)
{
    DigitKey(1);
}

void TKavrel_Form::Btn02Click(TObject*)
{
    DigitKey(2);
}

void TKavrel_Form::Btn03Click(TObject*)
{
    DigitKey(3);
}

void TKavrel_Form::Btn04Click(TObject*)
{
    DigitKey(4);
}

void TKavrel_Form::Btn05Click(TObject*)
{
    DigitKey(5);
}

void TKavrel_Form::Btn06Click(TObject*)
{
    DigitKey(6);
}

void TKavrel_Form::Btn07Click(TObject*)
{
    DigitKey(7);
}

void TKavrel_Form::Btn08Click(TObject*)
{
    DigitKey(8);
}

void TKavrel_Form::Btn09Click(TObject*)
{
    DigitKey(9);
}

void TKavrel_Form::BtnMinusClick(TObject*)
{
    Lesson.MinusMark = kMinus;
    switch (Lesson.InputTarget) {
    case 1:
        if (Lesson.LineState < 1)
            return;
        LblSiki->SetCaption(QLatin1Char(' ') + Lesson.LineName + Lesson.MinusMark);
        Lesson.LineState = AfterMinus(Lesson.LineState);
        break;
    case 2:
        LblXzahyo->SetCaption(QLatin1Char(' ') + Lesson.MinusMark);
        Lesson.FxState = AfterMinus(Lesson.FxState);
        break;
    case 3:
        LblYzahyo->SetCaption(QLatin1Char(' ') + Lesson.MinusMark);
        Lesson.FyState = AfterMinus(Lesson.FyState);
        break;
    }
}

void TKavrel_Form::BtnRootClick(TObject*)
{
    Lesson.RootMark = kRoot;
    if (Lesson.InputTarget == 4) {
        LblHiPF->SetCaption(QLatin1Char(' ') + Lesson.RootMark);
        Lesson.PfState = 1;
    } else if (Lesson.InputTarget == 5) {
        LblHiPH->SetCaption(QLatin1Char(' ') + Lesson.RootMark);
        Lesson.PhState = 1;
    }
}
