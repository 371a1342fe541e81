// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConditionsWindow.h"

#include <QTest>

namespace {

class Syokika : public ConditionsWindow {
protected:
    // The whole entry of the line X = −3, F (4, −5) and the ratio 2 : √3,
    // confirmed, so that the plane shows the line and F.
    void EnterAndConfirm()
    {
        Keys({"Ｘ＝", "－", "３", "決定", "４", "決定", "－", "５", "決定", "２", "決定", "√", "３", "決定"});
        ASSERT_EQ(Lesson().InputTarget, 0) << "the entry was not confirmed";
    }

    // Fresh conditions: nothing typed, the keypad at the fixed line.
    static ConditionState ResetConditions(const ConditionState& before)
    {
        ConditionState s = before;
        s.inputTarget = 1;
        s.states = {0, 0, 0, 0, 0};
        s.ratioPF = s.ratioPH = Bits(0.0f);
        s.minusMark.clear();
        s.rootMark.clear();
        s.lineName.clear();
        s.labels = {};
        return s;
    }
};

TEST_F(Syokika, StartUpLeavesTheKeypadAtTheFixedLineWithEverythingEmpty)
{
    EXPECT_EQ(Lesson().Scale, 20);
    EXPECT_EQ(Form().Canvas()->Font.Size(), 16);
    EXPECT_EQ(Form().Canvas()->Font.Height(), -21);

    ConditionState expected;
    expected.inputTarget = 1;
    Choose(expected, kLine);
    EXPECT_EQ(Snapshot(), expected);
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

// The reset lowers the line's button by program: the button that was down
// goes up, yet only the line's caption is coloured, so the raised one keeps
// its red caption.
TEST_F(Syokika, RetryLowersTheLineButtonAndLeavesTheRaisedCaptionAsItWas)
{
    const struct {
        TTerm chosen;
        std::array<TColor, 5> coloursAfterRetry;
    } rows[] = {
        {kLine, {clRed, clMaroon, clMaroon, clMaroon, clMaroon}},
        {kFx, {clRed, clRed, clMaroon, clMaroon, clMaroon}},
        {kFy, {clRed, clMaroon, clRed, clMaroon, clMaroon}},
        {kPf, {clRed, clMaroon, clMaroon, clRed, clMaroon}},
        {kPh, {clRed, clMaroon, clMaroon, clMaroon, clRed}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(GroupButton(row.chosen)->Caption().toStdString());
        ClickButton(Form().SbnZahyo);
        ClickButton(GroupButton(row.chosen));
        ASSERT_TRUE(GroupButton(row.chosen)->Down());
        ASSERT_EQ(GroupButton(row.chosen)->Font().Color(), clRed);
        Keys({"√", "－", "７"});

        Click(Form().BtnSai);

        ConditionState expected = ResetConditions(Snapshot());
        expected.down = expected.checked = {true, false, false, false, false};
        expected.colours = row.coloursAfterRetry;
        EXPECT_EQ(Snapshot(), expected);
    }
}

// The snapshot holds the entered values; the points and texts, which it
// leaves out, are checked one by one.
TEST_F(Syokika, RetryKeepsTheEnteredValuesTheKeptPointsAndF)
{
    EnterAndConfirm();
    const TZahyoR kept[] = {ZahyoR(1.5f, -2.5f), ZahyoR(2.0f, 3.0f), ZahyoR(-4.0f, 1.0f), ZahyoR(0.25f, -0.75f)};
    for (int i = 0; i < 4; ++i)
        Lesson().Ten[i] = kept[i];
    Lesson().ZanzoCount = 3;
    Lesson().TenH = ZahyoR(-3.0f, -2.5f);
    Lesson().ClickDot = TDot{379.5f, 412.5f};
    Lesson().PText = QStringLiteral("( 1.50 , -2.50 )");
    const ConditionState before = Snapshot();

    Click(Form().BtnSai);

    ConditionState expected = ResetConditions(before);
    Choose(expected, kLine);
    EXPECT_EQ(Snapshot(), expected);
    EXPECT_EQ(Lesson().TenF.X, 4.0f);
    EXPECT_EQ(Lesson().TenF.Y, -5.0f);
    EXPECT_EQ(Lesson().ZanzoCount, 3);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Lesson().Ten[i].X, kept[i].X) << "Ten[" << i << "]";
        EXPECT_EQ(Lesson().Ten[i].Y, kept[i].Y) << "Ten[" << i << "]";
    }
    EXPECT_EQ(Lesson().TenH.X, -3.0f);
    EXPECT_EQ(Lesson().TenH.Y, -2.5f);
    EXPECT_EQ(Lesson().ClickDot.X, 379.5f);
    EXPECT_EQ(Lesson().ClickDot.Y, 412.5f);
    EXPECT_EQ(Lesson().PText, QStringLiteral("( 1.50 , -2.50 )"));
}

TEST_F(Syokika, RetryEmptiesBothRatioTermsWhateverWasTyped)
{
    const struct {
        QStringList pf;
        QStringList ph;
        float typedPF;
        float typedPH;
    } rows[] = {
        {{"９"}, {"√", "７"}, 9.0f, 2.6457512f},
        {{"√", "３"}, {"１"}, 1.7320508f, 1.0f},
        {{"√", "４"}, {"√", "９"}, 2.0f, 3.0f},
        {{"５"}, {"√"}, 5.0f, 0.0f},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE((row.pf.join("") + " : " + row.ph.join("")).toStdString());
        ClickButton(Form().SbnHiPF);
        Keys(row.pf);
        ClickButton(Form().SbnHiPH);
        Keys(row.ph);
        ASSERT_EQ(Bits(Lesson().RatioPF), Bits(row.typedPF));
        ASSERT_EQ(Bits(Lesson().RatioPH), Bits(row.typedPH));
        ConditionState expected = ResetConditions(Snapshot());
        Choose(expected, kLine);
        expected.colours[kPh] = clRed;  // the raised button keeps its caption

        Click(Form().BtnSai);

        EXPECT_EQ(Snapshot(), expected);
    }
}

// The reset draws nothing: the plane keeps the line and F although no term
// is complete any more (a repaint now would erase both), and the texts at
// the top of the window stay until something overwrites them.
TEST_F(Syokika, RetryLeavesThePlaneAndTheTopTextsAsTheyWere)
{
    EnterAndConfirm();
    Form().Canvas()->TextRect(kTopStrip, 10, 5, QStringLiteral("P ( 1.00 , 2.00 )"));
    QCoreApplication::processEvents();
    const QImage plane = PlanePicture().copy();
    const QImage top = WindowStrip(kTopStrip);
    ASSERT_EQ(PlanePixel(330 + 4 * 33, 330 + 5 * 33), clMaroon) << "F was not drawn";
    ASSERT_EQ(PlanePixel(330 - 3 * 33, 100), clAqua) << "the line was not drawn";

    Click(Form().BtnSai);
    QTest::qWait(20);

    EXPECT_EQ(PlanePicture(), plane);
    EXPECT_EQ(PlanePixel(330 + 4 * 33, 330 + 5 * 33), clMaroon);
    EXPECT_EQ(PlanePixel(330 - 3 * 33, 100), clAqua);
    EXPECT_EQ(WindowStrip(kTopStrip), top);
}

}  // namespace
