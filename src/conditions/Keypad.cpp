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
    if (InputTarget != 1)
        return;
    LineState = 1;
    LineAxis = 1;
    LineName = BtnX->Caption();
    LblSiki->SetCaption(QLatin1Char(' ') + LineName);
}

void TKavrel_Form::BtnYClick(TObject*)
{
    if (InputTarget != 1)
        return;
    LineState = 1;
    LineAxis = 2;
    LineName = BtnY->Caption();
    LblSiki->SetCaption(QLatin1Char(' ') + LineName);
}

// One rule for every digit key: the digit goes to the term the keypad
// edits, then the pending marks are used up. A digit for the line waits
// until the line's variable is chosen, marks and all.
void TKavrel_Form::DigitKey(int digit)
{
    const QString key = kDigitCaptions[digit];
    const int value = MinusMark.isEmpty() ? digit : -digit;
    const QString signedKey = digit == 0 ? key : MinusMark + key;
    switch (InputTarget) {
    case 1:
        if (LineState < 1)
            return;
        LineValue = value;
        LblSiki->SetCaption(QLatin1Char(' ') + LineName + signedKey);
        LineState = STATE_COMPLETE;
        break;
    case 2:
        FxValue = value;
        LblXzahyo->SetCaption(QLatin1Char(' ') + signedKey);
        FxState = STATE_COMPLETE;
        break;
    case 3:
        FyValue = value;
        LblYzahyo->SetCaption(QLatin1Char(' ') + signedKey);
        FyState = STATE_COMPLETE;
        break;
    case 4:
        if (digit != 0)
            RatioDigit(digit, RatioPF, *LblHiPF, PfState);
        break;
    case 5:
        if (digit != 0)
            RatioDigit(digit, RatioPH, *LblHiPH, PhState);
        break;
    }
    MinusMark.clear();
    RootMark.clear();
}

// A ratio term is the digit, or its square root under a pending root; the
// root of 1 is 1 and shows no root sign.
void TKavrel_Form::RatioDigit(int digit, float& ratio, TLabel& label, int& state)
{
    const bool root = !RootMark.isEmpty() && digit != 1;
    ratio = root ? static_cast<float>(Sqrt(Extended(digit))) : static_cast<float>(digit);
    label.SetCaption(QLatin1Char(' ') + (root ? RootMark : QString()) + kDigitCaptions[digit]);
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
    MinusMark = kMinus;
    switch (InputTarget) {
    case 1:
        if (LineState < 1)
            return;
        LblSiki->SetCaption(QLatin1Char(' ') + LineName + MinusMark);
        LineState = AfterMinus(LineState);
        break;
    case 2:
        LblXzahyo->SetCaption(QLatin1Char(' ') + MinusMark);
        FxState = AfterMinus(FxState);
        break;
    case 3:
        LblYzahyo->SetCaption(QLatin1Char(' ') + MinusMark);
        FyState = AfterMinus(FyState);
        break;
    }
}

void TKavrel_Form::BtnRootClick(TObject*)
{
    RootMark = kRoot;
    if (InputTarget == 4) {
        LblHiPF->SetCaption(QLatin1Char(' ') + RootMark);
        PfState = 1;
    } else if (InputTarget == 5) {
        LblHiPH->SetCaption(QLatin1Char(' ') + RootMark);
        PhState = 1;
    }
}
