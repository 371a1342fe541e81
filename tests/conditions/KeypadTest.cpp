// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConditionsWindow.h"

#include <cmath>

namespace {

using Keypad = ConditionsWindow;

// One row per key of a whole entry: the key, then what the keypad holds and
// the panel shows after it.
struct EntryRow {
    const char* key;
    std::array<int, 5> states;
    int lineAxis;
    int lineValue;
    int fxValue;
    int fyValue;
    std::uint32_t ratioPF;
    std::uint32_t ratioPH;
    const char* minusMark;
    const char* rootMark;
    std::array<const char*, 5> labels;
    int chosen;
    int inputTarget;
};

ConditionState StateOf(const EntryRow& row)
{
    ConditionState s;
    s.inputTarget = row.inputTarget;
    s.states = row.states;
    s.lineAxis = row.lineAxis;
    s.lineValue = row.lineValue;
    s.fxValue = row.fxValue;
    s.fyValue = row.fyValue;
    s.ratioPF = row.ratioPF;
    s.ratioPH = row.ratioPH;
    s.minusMark = QString::fromUtf8(row.minusMark);
    s.rootMark = QString::fromUtf8(row.rootMark);
    s.lineName = QStringLiteral("Ｙ＝");
    for (int i = 0; i < 5; ++i)
        s.labels[i] = QString::fromUtf8(row.labels[i]);
    Choose(s, row.chosen);
    return s;
}

TEST_F(Keypad, AWholeEntryKeyByKey)
{
    constexpr std::uint32_t kOne = 0x3F800000;
    constexpr std::uint32_t kRootTwo = 0x3FB504F3;
    // clang-format off
    const EntryRow rows[] = {
        // key     Line Fx Fy PF PH    axis line Fx Fy  PF    PH        minus  root  LblSiki        LblXzahyo LblYzahyo LblHiPF LblHiPH    chosen   target
        {"Ｙ＝", {1, 0, 0, 0, 0},    2,  0,   0, 0,  0,    0,        "",    "",  {" Ｙ＝",     "",     "",     "",     ""},       kLine,   1},
        {"－",   {2, 0, 0, 0, 0},    2,  0,   0, 0,  0,    0,        "－",  "",  {" Ｙ＝－",   "",     "",     "",     ""},       kLine,   1},
        {"２",   {9, 0, 0, 0, 0},    2, -2,   0, 0,  0,    0,        "",    "",  {" Ｙ＝－２", "",     "",     "",     ""},       kLine,   1},
        {"決定", {9, 0, 0, 0, 0},    2, -2,   0, 0,  0,    0,        "",    "",  {" Ｙ＝－２", "",     "",     "",     ""},       kFx,     2},
        {"０",   {9, 9, 0, 0, 0},    2, -2,   0, 0,  0,    0,        "",    "",  {" Ｙ＝－２", " ０",  "",     "",     ""},       kFx,     2},
        {"決定", {9, 9, 0, 0, 0},    2, -2,   0, 0,  0,    0,        "",    "",  {" Ｙ＝－２", " ０",  "",     "",     ""},       kFy,     3},
        {"２",   {9, 9, 9, 0, 0},    2, -2,   0, 2,  0,    0,        "",    "",  {" Ｙ＝－２", " ０",  " ２",  "",     ""},       kFy,     3},
        {"決定", {9, 9, 9, 0, 0},    2, -2,   0, 2,  0,    0,        "",    "",  {" Ｙ＝－２", " ０",  " ２",  "",     ""},       kPf,     4},
        {"１",   {9, 9, 9, 9, 0},    2, -2,   0, 2,  kOne, 0,        "",    "",  {" Ｙ＝－２", " ０",  " ２",  " １",  ""},       kPf,     4},
        {"決定", {9, 9, 9, 9, 0},    2, -2,   0, 2,  kOne, 0,        "",    "",  {" Ｙ＝－２", " ０",  " ２",  " １",  ""},       kPh,     5},
        {"√",    {9, 9, 9, 9, 1},    2, -2,   0, 2,  kOne, 0,        "",    "√", {" Ｙ＝－２", " ０",  " ２",  " １",  " √"},     kPh,     5},
        {"２",   {9, 9, 9, 9, 9},    2, -2,   0, 2,  kOne, kRootTwo, "",    "",  {" Ｙ＝－２", " ０",  " ２",  " １",  " √２"},   kPh,     5},
        {"決定", {9, 9, 9, 9, 9},    2, -2,   0, 2,  kOne, kRootTwo, "",    "",  {" Ｙ＝－２", " ０",  " ２",  " １",  " √２"},   kNoTerm, 0},
    };
    // clang-format on
    for (const EntryRow& row : rows) {
        Keys({QString::fromUtf8(row.key)});
        EXPECT_EQ(Snapshot(), StateOf(row)) << "after " << row.key << " (row " << (&row - rows) << ")";
    }
    EXPECT_EQ(Bits(Lesson().RatioPH), Bits(static_cast<float>(std::sqrt(2.0L))));
}

TEST_F(Keypad, MinusBeforeTheLinesVariableWaitsForTheVariable)
{
    Keys({"－"});
    EXPECT_EQ(Lesson().MinusMark, QStringLiteral("－"));
    EXPECT_EQ(Form().LblSiki->Caption(), QString());
    EXPECT_EQ(Lesson().LineState, 0);

    const ConditionState waiting = Snapshot();
    Keys({"３"});
    EXPECT_EQ(Snapshot(), waiting) << "a digit before the variable changed something";

    Keys({"Ｘ＝"});
    EXPECT_EQ(Form().LblSiki->Caption(), QStringLiteral(" Ｘ＝"));
    EXPECT_EQ(Lesson().LineState, 1);
    Keys({"３"});
    EXPECT_EQ(Lesson().LineValue, -3);
    EXPECT_EQ(Form().LblSiki->Caption(), QStringLiteral(" Ｘ＝－３"));
    EXPECT_EQ(Lesson().LineState, 9);
    EXPECT_EQ(Lesson().MinusMark, QString());
}

TEST_F(Keypad, APendingMinusCrossesToTheNextTarget)
{
    ClickButton(Form().SbnXzahyo);
    Keys({"－"});
    EXPECT_EQ(Form().LblXzahyo->Caption(), QStringLiteral(" －"));
    EXPECT_EQ(Lesson().FxState, 1);

    ClickButton(Form().SbnYzahyo);
    ASSERT_EQ(Lesson().InputTarget, 3);
    Keys({"３"});
    EXPECT_EQ(Lesson().FyValue, -3);
    EXPECT_EQ(Form().LblYzahyo->Caption(), QStringLiteral(" －３"));
    EXPECT_EQ(Lesson().FyState, 9);
    EXPECT_EQ(Lesson().FxState, 1);
    EXPECT_EQ(Form().LblXzahyo->Caption(), QStringLiteral(" －"));
    EXPECT_EQ(Lesson().FxValue, 0);
    EXPECT_EQ(Lesson().MinusMark, QString());
}

TEST_F(Keypad, APendingRootCrossesToTheRatioUnlessADigitUsesItFirst)
{
    ClickButton(Form().SbnXzahyo);
    Keys({"√"});
    EXPECT_EQ(Lesson().RootMark, QStringLiteral("√"));
    EXPECT_EQ(Form().LblXzahyo->Caption(), QString());
    EXPECT_EQ(Lesson().FxState, 0);

    ClickButton(Form().SbnHiPF);
    Keys({"２"});
    EXPECT_EQ(Bits(Lesson().RatioPF), Bits(1.4142135f));
    EXPECT_EQ(Form().LblHiPF->Caption(), QStringLiteral(" √２"));
    EXPECT_EQ(Lesson().PfState, 9);

    ClickButton(Form().SbnXzahyo);
    Keys({"√", "４"});
    EXPECT_EQ(Lesson().FxValue, 4);
    EXPECT_EQ(Form().LblXzahyo->Caption(), QStringLiteral(" ４"));
    ClickButton(Form().SbnHiPF);
    Keys({"２"});
    EXPECT_EQ(Bits(Lesson().RatioPF), Bits(2.0f));
    EXPECT_EQ(Form().LblHiPF->Caption(), QStringLiteral(" ２"));
}

TEST_F(Keypad, RatioDigitsOneAndZero)
{
    ClickButton(Form().SbnHiPF);
    Keys({"√", "１"});
    EXPECT_EQ(Bits(Lesson().RatioPF), 0x3F800000u);
    EXPECT_EQ(Form().LblHiPF->Caption(), QStringLiteral(" １"));
    EXPECT_EQ(Lesson().PfState, 9);
    EXPECT_EQ(Lesson().RootMark, QString());

    // Key 0 is no ratio term: it only uses up the marks.
    ClickButton(Form().SbnHiPH);
    Keys({"√", "－"});
    ConditionState expected = Snapshot();
    expected.minusMark.clear();
    expected.rootMark.clear();
    Keys({"０"});
    EXPECT_EQ(Snapshot(), expected);
    EXPECT_EQ(Lesson().PhState, 1);
    EXPECT_EQ(Form().LblHiPH->Caption(), QStringLiteral(" √"));

    ClickButton(Form().SbnHiPF);
    Keys({"３", "－"});
    expected = Snapshot();
    expected.minusMark.clear();
    Keys({"０"});
    EXPECT_EQ(Snapshot(), expected);
    EXPECT_EQ(Bits(Lesson().RatioPF), Bits(3.0f));
    EXPECT_EQ(Form().LblHiPF->Caption(), QStringLiteral(" ３"));
}

TEST_F(Keypad, MinusAndRootDoNotToggle)
{
    ClickButton(Form().SbnXzahyo);
    Keys({"－", "－"});
    EXPECT_EQ(Form().LblXzahyo->Caption(), QStringLiteral(" －"));
    EXPECT_EQ(Lesson().MinusMark, QStringLiteral("－"));
    EXPECT_EQ(Lesson().FxState, 2);
    Keys({"７"});
    EXPECT_EQ(Lesson().FxValue, -7);
    EXPECT_EQ(Form().LblXzahyo->Caption(), QStringLiteral(" －７"));

    ClickButton(Form().SbnHiPF);
    Keys({"√", "√"});
    EXPECT_EQ(Form().LblHiPF->Caption(), QStringLiteral(" √"));
    EXPECT_EQ(Lesson().RootMark, QStringLiteral("√"));
    EXPECT_EQ(Lesson().PfState, 1);
    Keys({"５"});
    EXPECT_EQ(Bits(Lesson().RatioPF), 0x400F1BBDu);
}

TEST_F(Keypad, RootOnACompleteRatioTermMakesItIncompleteAgain)
{
    Keys({"Ｘ＝", "１", "決定", "１", "決定", "１", "決定", "６", "決定", "２"});
    ASSERT_EQ(Lesson().PfState, 9);
    ASSERT_EQ(Lesson().PhState, 9);

    ClickButton(Form().SbnHiPF);
    Keys({"√"});
    EXPECT_EQ(Lesson().PfState, 1);
    EXPECT_EQ(Form().LblHiPF->Caption(), QStringLiteral(" √"));

    ClickButton(Form().SbnHiPH);
    Keys({"決定"});
    ConditionState expected = Snapshot();
    expected.inputTarget = 4;
    Choose(expected, kPf);
    EXPECT_EQ(Snapshot(), expected);
}

TEST_F(Keypad, ZeroAfterMinusOnACoordinateIsZero)
{
    ClickButton(Form().SbnYzahyo);
    Keys({"５", "－", "０"});
    EXPECT_EQ(Lesson().FyValue, 0);
    EXPECT_EQ(Form().LblYzahyo->Caption(), QStringLiteral(" ０"));
    EXPECT_EQ(Lesson().FyState, 9);
    EXPECT_EQ(Lesson().MinusMark, QString());
}

TEST_F(Keypad, TheLinesVariableKeys)
{
    Keys({"Ｙ＝", "７", "Ｘ＝"});
    EXPECT_EQ(Lesson().LineState, 1);
    EXPECT_EQ(Lesson().LineAxis, 1);
    EXPECT_EQ(Lesson().LineName, QStringLiteral("Ｘ＝"));
    EXPECT_EQ(Form().LblSiki->Caption(), QStringLiteral(" Ｘ＝"));
    EXPECT_EQ(Lesson().LineValue, 7);

    // With any other target, or none, both keys do nothing.
    Keys({"Ｙ＝", "７"});
    for (QWidget* other : {Form().SbnXzahyo, Form().SbnYzahyo, Form().SbnHiPF, Form().SbnHiPH, Form().SbnZahyo}) {
        ClickButton(other);
        const ConditionState before = Snapshot();
        Keys({"Ｙ＝", "Ｘ＝", "Ｙ＝"});
        EXPECT_EQ(Snapshot(), before) << "target " << Lesson().InputTarget;
    }
}

TEST_F(Keypad, WithoutATargetTheKeysOnlySetAndClearTheMarks)
{
    Keys({"Ｙ＝", "４"});
    ClickButton(Form().SbnZahyo);
    ASSERT_EQ(Lesson().InputTarget, 0);
    const ConditionState idle = Snapshot();

    Keys({"－", "√"});
    ConditionState marked = idle;
    marked.minusMark = QStringLiteral("－");
    marked.rootMark = QStringLiteral("√");
    EXPECT_EQ(Snapshot(), marked);

    for (const char* digit : {"０", "１", "２", "５", "９"}) {
        Keys({"－", "√", QString::fromUtf8(digit)});
        EXPECT_EQ(Snapshot(), idle) << "after " << digit;
    }
}

TEST_F(Keypad, EachDigitReplacesTheLastOne)
{
    ClickButton(Form().SbnXzahyo);
    Keys({"３", "５"});
    EXPECT_EQ(Lesson().FxValue, 5);
    EXPECT_EQ(Form().LblXzahyo->Caption(), QStringLiteral(" ５"));
    EXPECT_EQ(Lesson().FxState, 9);
}

TEST_F(Keypad, DotPlusAndCancelDoNothing)
{
    // Inputs that leave marks pending and terms half typed, on each target.
    const QStringList setups[] = {
        {},
        {"Ｙ＝", "－"},
        {"Ｘ＝", "３", "決定", "－", "√"},
        {"Ｘ＝", "３", "決定", "２", "決定", "－", "１", "決定", "√"},
    };
    for (const QStringList& setup : setups) {
        Click(Form().BtnSai);
        Keys(setup);
        const ConditionState before = Snapshot();
        Keys({"．", "＋", "取消", "取消", "＋", "．"});
        EXPECT_EQ(Snapshot(), before) << "after " << setup.join(' ').toStdString();
    }
}

TEST_F(Keypad, RatioTermsUnderARootAreTheNearestSingles)
{
    const struct {
        const char* digit;
        std::uint32_t bits;
    } rows[] = {
        {"２", 0x3FB504F3}, {"３", 0x3FDDB3D7}, {"４", 0x40000000}, {"５", 0x400F1BBD},
        {"６", 0x401CC471}, {"７", 0x402953FD}, {"８", 0x403504F3}, {"９", 0x40400000},
    };
    ClickButton(Form().SbnHiPF);
    for (const auto& row : rows) {
        const QString digit = QString::fromUtf8(row.digit);
        Keys({"√", digit});
        EXPECT_EQ(Bits(Lesson().RatioPF), row.bits) << row.digit;
        EXPECT_EQ(Form().LblHiPF->Caption(), QStringLiteral(" √") + digit);
        EXPECT_EQ(Lesson().PfState, 9);
        Keys({digit});
        EXPECT_EQ(Lesson().RatioPF, static_cast<float>(digit.front().digitValue())) << "without a root: " << row.digit;
        EXPECT_EQ(Form().LblHiPF->Caption(), QLatin1Char(' ') + digit);
    }
}

// The minus key counts its presses on an incomplete term only up to 8: a
// term is complete only once a digit is accepted. Once complete it counts
// on, as a term above 9 is still complete, keeping its value.
TEST_F(Keypad, MinusPressesNeverCompleteATerm)
{
    const struct {
        int presses;
        int coordinateState;
        int lineState;
    } rows[] = {
        {1, 1, 2}, {6, 6, 7}, {7, 7, 8}, {8, 8, 8}, {9, 8, 8}, {12, 8, 8},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.presses);
        Click(Form().BtnSai);
        Keys({"Ｘ＝"});
        Keys(QStringList(row.presses, "－"));
        EXPECT_EQ(Lesson().LineState, row.lineState);
        EXPECT_EQ(Form().LblSiki->Caption(), QStringLiteral(" Ｘ＝－"));

        ClickButton(Form().SbnXzahyo);
        Keys(QStringList(row.presses, "－"));
        EXPECT_EQ(Lesson().FxState, row.coordinateState);
        EXPECT_EQ(Form().LblXzahyo->Caption(), QStringLiteral(" －"));
    }

    Click(Form().BtnSai);
    ClickButton(Form().SbnYzahyo);
    Keys({"６", "－"});
    EXPECT_EQ(Lesson().FyState, 10);
    EXPECT_EQ(Lesson().FyValue, 6);
    EXPECT_EQ(Form().LblYzahyo->Caption(), QStringLiteral(" －"));
    Keys({"－"});
    EXPECT_EQ(Lesson().FyState, 11);
    Click(Form().BtnSai);  // drops the pending minus
    Keys({"Ｙ＝", "３", "－"});
    EXPECT_EQ(Lesson().LineState, 10);
    EXPECT_EQ(Lesson().LineValue, 3);
    EXPECT_EQ(Form().LblSiki->Caption(), QStringLiteral(" Ｙ＝－"));
    Keys({"－"});
    EXPECT_EQ(Lesson().LineState, 11);
}

// A coordinate made of minus presses alone is still missing: the confirm
// key goes back to it and never draws F at the value left from before.
TEST_F(Keypad, TheConfirmKeyReturnsToACoordinateOfMinusPressesAlone)
{
    Keys({"Ｙ＝", "２", "決定", "４", "決定", "２", "決定", "１", "決定", "１", "決定"});
    ASSERT_EQ(Lesson().TenF.X, 4.0f);
    Click(Form().BtnSai);
    Lesson().ZanzoCount = 2;

    Keys({"Ｙ＝", "２", "決定"});
    ASSERT_EQ(Lesson().InputTarget, 2);
    Keys(QStringList(9, "－"));
    Keys({"決定"});
    EXPECT_EQ(Lesson().FxState, 8);
    EXPECT_EQ(Lesson().InputTarget, 2);
    ClickButton(Form().SbnYzahyo);
    Keys({"２"});
    ClickButton(Form().SbnHiPF);
    Keys({"１"});
    ClickButton(Form().SbnHiPH);
    Keys({"１", "決定"});
    EXPECT_EQ(Lesson().InputTarget, 2) << "the confirm key passed a coordinate that was never typed";
    EXPECT_TRUE(Form().SbnXzahyo->Down());
    EXPECT_EQ(Form().SbnXzahyo->Font().Color(), clRed);
    EXPECT_EQ(Lesson().ZanzoCount, 2) << "the conditions were drawn";
    EXPECT_EQ(Lesson().TenF.X, 4.0f);

    // And the line: Ｘ＝ with eight presses is still waiting for its digit.
    ClickButton(Form().SbnLine);
    Keys({"Ｘ＝"});
    Keys(QStringList(8, "－"));
    Keys({"決定"});
    EXPECT_EQ(Lesson().LineState, 8);
    EXPECT_EQ(Lesson().InputTarget, 1);
    EXPECT_TRUE(Form().SbnLine->Down());
}

}  // namespace
