// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConditionsWindow.h"

#include <QPoint>

namespace {

class Selection : public ConditionsWindow {
protected:
    // Covers the whole plane in red, so that whatever is not drawn again
    // afterwards shows.
    void SpoilPlane()
    {
        TCanvas* canvas = Form().PaintBox1->Canvas();
        const TBrush brush = canvas->Brush;
        canvas->Brush.Color = clRed;
        canvas->Pen.Color = clRed;
        canvas->Rectangle(0, 0, 660, 660);
        canvas->Brush = brush;
        ASSERT_EQ(PlanePixel(100, 100), clRed);
    }

    // Writes over the strip at the top of the window as the probe does.
    void WriteTopStrip()
    {
        Form().Canvas()->TextRect(kTopStrip, 10, 5, QStringLiteral("( 2.50 , 2.50 )  PF／PH＝1.41  誤差 0.01"));
        ASSERT_GT(PixelsNotOf(WindowStrip(kTopStrip), clMoneyGreen), 50) << "nothing was written to the strip";
    }

    static int PixelsNotOf(const QImage& image, TColor colour)
    {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += ToTColor(image.pixel(x, y)) != colour;
        return count;
    }

    // Each group button in turn: a first press chooses its term, a second
    // only raises it, and the keypad still edits that term.
    void ChooseEachTermAndRaiseIt()
    {
        const struct {
            TTerm term;
            int target;
            TTerm downBefore;
            QStringList keys;
            QString label;
        } rows[] = {
            {kFx, 2, kNoTerm, {"７"}, " ７"},  // the line's button is down from start-up
            {kFy, 3, kFx, {"７"}, " ７"},
            {kPf, 4, kPh, {"７"}, " ７"},
            {kPh, 5, kLine, {"√", "７"}, " √７"},
            {kLine, 1, kFy, {"Ｙ＝", "７"}, " Ｙ＝７"},
        };
        for (const auto& row : rows) {
            TSpeedButton* button = GroupButton(row.term);
            SCOPED_TRACE(button->Caption().toStdString());
            if (row.downBefore != kNoTerm)
                ClickButton(GroupButton(row.downBefore));

            ClickButton(button);
            ConditionState expected = Snapshot();
            expected.inputTarget = row.target;
            Choose(expected, row.term);
            EXPECT_EQ(Snapshot(), expected) << "after the first click";

            ClickButton(button);
            Choose(expected, kNoTerm);
            EXPECT_EQ(Snapshot(), expected) << "after the second click";

            // The keypad still edits the raised button's term.
            Keys(row.keys);
            EXPECT_EQ(TermLabels()[row.term]->Caption(), row.label);
            EXPECT_EQ(Lesson().InputTarget, row.target);
        }
    }

    // A dot of the 3-pixel pen: its centre and the four pixels around it.
    void ExpectDot(QPoint centre, TColor colour)
    {
        for (const QPoint step : {QPoint(0, 0), QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
            const QPoint p = centre + step;
            EXPECT_EQ(PlanePixel(p.x(), p.y()), colour) << "at (" << p.x() << ", " << p.y() << ")";
        }
    }
};

TEST_F(Selection, ClickingAGroupButtonChoosesItsTermAndASecondClickOnlyRaisesIt)
{
    ChooseEachTermAndRaiseIt();
}

// A screen reader's press acts exactly as a click, and reads the button
// that is down as checked.
TEST_F(Selection, PressingAGroupButtonThroughAScreenReaderActsAsAClick)
{
    pressThroughScreenReader = true;
    ChooseEachTermAndRaiseIt();
}

TEST_F(Selection, TheFixedPointButtonLeavesNoTarget)
{
    const struct {
        TTerm chosenBefore;
        bool retryBefore;
    } rows[] = {
        {kLine, false}, {kFx, false}, {kFy, false}, {kPf, false}, {kPh, false},
        {kPf, true},  // the line's button down and red, PF's caption still red
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(GroupButton(row.chosenBefore)->Caption().toStdString() + (row.retryBefore ? " then retry" : ""));
        ClickButton(Form().SbnZahyo);
        ClickButton(GroupButton(row.chosenBefore));
        if (row.retryBefore)
            Click(Form().BtnSai);
        ConditionState expected = Snapshot();
        ASSERT_NE(expected.inputTarget, 0);

        ClickButton(Form().SbnZahyo);

        expected.inputTarget = 0;
        Choose(expected, kNoTerm);
        EXPECT_EQ(Snapshot(), expected);
        EXPECT_FALSE(Form().SbnZahyo->Down());
        EXPECT_EQ(Form().SbnZahyo->Font().Color(), clMaroon);
    }
}

TEST_F(Selection, TheConfirmKeyChoosesTheFirstIncompleteTerm)
{
    const struct {
        const char* what;
        QStringList keys;
        TTerm downBefore;
        TTerm chosen;
    } rows[] = {
        {"nothing typed", {}, kPh, kLine},
        {"the line only", {"Ｙ＝", "３"}, kPh, kFx},
        {"PF under a pending root", {"Ｘ＝", "１", "決定", "２", "決定", "３", "決定", "√"}, kPh, kPf},
        {"all but PH", {"Ｘ＝", "１", "決定", "２", "決定", "３", "決定", "４"}, kLine, kPh},
        {"the line above 9", {"Ｘ＝", "１", "－"}, kPf, kFx},
        {"F's X above 9", {"Ｘ＝", "１", "決定", "２", "－", "－"}, kLine, kFy},
        {"the line's variable only", {"Ｙ＝", "－"}, kFy, kLine},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Click(Form().BtnSai);
        Keys(row.keys);
        ClickButton(Form().SbnZahyo);
        ClickButton(GroupButton(row.downBefore));
        ConditionState expected = Snapshot();

        Keys({"決定"});

        expected.inputTarget = row.chosen + 1;
        Choose(expected, row.chosen);
        EXPECT_EQ(Snapshot(), expected);
    }
}

// After a retry the line's button is down and red while the raised button
// kept its red caption; the confirm key chooses the line again and so
// recolours all five.
TEST_F(Selection, TheConfirmKeyRecoloursAllFiveWhenItsButtonIsAlreadyDown)
{
    for (const TTerm raised : {kFx, kFy, kPf, kPh}) {
        SCOPED_TRACE(GroupButton(raised)->Caption().toStdString());
        ClickButton(GroupButton(raised));
        Click(Form().BtnSai);
        ASSERT_TRUE(Form().SbnLine->Down());
        ASSERT_EQ(GroupButton(raised)->Font().Color(), clRed);
        ConditionState expected = Snapshot();

        Keys({"決定"});

        Choose(expected, kLine);
        EXPECT_EQ(Snapshot(), expected);
    }
}

struct Drawing {
    const char* what;
    QStringList keys;
    bool vertical;
    int linePixel;  // the column of X = c, or the row of Y = c
    QPoint f;
    TZahyoR tenF;
};

void PrintTo(const Drawing& d, std::ostream* out)
{
    *out << d.what;
}

class ConfirmedDrawing : public Selection, public ::testing::WithParamInterface<Drawing> {
protected:
    // Points that the confirmation must not draw: P, H and two kept points,
    // all away from the grid lines.
    void PlacePointsThatMustGo()
    {
        Lesson().Ten[0] = ZahyoR(2.5f, 2.5f);
        Lesson().TenH = ZahyoR(-1.5f, -6.5f);
        Lesson().Ten[1] = ZahyoR(5.5f, -3.5f);
        Lesson().Ten[2] = ZahyoR(-6.5f, 4.5f);
        Lesson().ZanzoCount = 2;
    }

    void ExpectTheConditionsPicture(const Drawing& d)
    {
        EXPECT_EQ(PlanePixel(33, 100), clSilver) << "grid at X = -9";
        EXPECT_EQ(PlanePixel(100, 33), clSilver) << "grid at Y = 9";
        EXPECT_EQ(PlanePixel(50, 100), clWhite) << "between grid lines";
        EXPECT_EQ(PlanePixel(330, 150), clBlack) << "Y axis";
        EXPECT_EQ(PlanePixel(150, 330), clBlack) << "X axis";
        for (const int along : {10, 100, 600}) {
            const QPoint on = d.vertical ? QPoint(d.linePixel, along) : QPoint(along, d.linePixel);
            const QPoint beside = on + (d.vertical ? QPoint(1, 0) : QPoint(0, 1));
            EXPECT_EQ(PlanePixel(on.x(), on.y()), clAqua) << "fixed line at (" << on.x() << ", " << on.y() << ")";
            EXPECT_NE(PlanePixel(beside.x(), beside.y()), clAqua) << "beside the fixed line";
        }
        ExpectDot(d.f, clMaroon);
        for (const QPoint gone : {QPoint(413, 248), QPoint(281, 545), QPoint(512, 446), QPoint(116, 182)})
            EXPECT_EQ(PlanePixel(gone.x(), gone.y()), clWhite) << "at (" << gone.x() << ", " << gone.y() << ")";
    }

    // No target, the five buttons up and maroon, the terms as typed, F at
    // the entered point and no kept point.
    void ExpectConfirmed(const Drawing& d, ConditionState expected)
    {
        expected.inputTarget = 0;
        Choose(expected, kNoTerm);
        EXPECT_EQ(Snapshot(), expected);
        EXPECT_EQ(Lesson().ZanzoCount, 0);
        EXPECT_EQ(Lesson().TenF.X, d.tenF.X);
        EXPECT_EQ(Lesson().TenF.Y, d.tenF.Y);
        EXPECT_EQ(Lesson().TenF.X, static_cast<float>(Lesson().FxValue));
        EXPECT_EQ(Lesson().TenF.Y, static_cast<float>(Lesson().FyValue));
    }
};

TEST_P(ConfirmedDrawing, AllTermsCompleteDrawTheGridTheLineAndF)
{
    const Drawing& d = GetParam();
    QStringList entry = d.keys;
    const QString last = entry.takeLast();
    ASSERT_EQ(last, QStringLiteral("決定"));
    Keys(entry);
    const ConditionState typed = Snapshot();
    SpoilPlane();
    WriteTopStrip();
    PlacePointsThatMustGo();

    Keys({last});

    ExpectTheConditionsPicture(d);
    ExpectConfirmed(d, typed);
    EXPECT_EQ(PixelsNotOf(WindowStrip(kTopStrip), clMoneyGreen), 0) << "the strip at the top was not erased";

    // Without a target the digits only use up the marks.
    Keys({"－", "√", "５"});
    ExpectConfirmed(d, typed);

    // Confirming again draws the same picture and drops the kept points again.
    const QImage first = PlanePicture().copy();
    SpoilPlane();
    PlacePointsThatMustGo();
    Lesson().ZanzoCount = 3;
    Lesson().Ten[3] = ZahyoR(1.5f, 1.5f);
    Keys({"決定"});
    EXPECT_EQ(PlanePicture(), first);
    ExpectConfirmed(d, typed);
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Entries, ConfirmedDrawing,
    ::testing::Values(
        Drawing{"LineXis3", {"Ｘ＝", "３", "決定", "－", "４", "決定", "１", "決定", "√", "５", "決定", "２", "決定"},
                true, 330 + 3 * 33, QPoint(330 - 4 * 33, 330 - 33), TZahyoR{-4.0f, 1.0f}},
        Drawing{"LineYisMinus2", {"Ｙ＝", "－", "２", "決定", "０", "決定", "２", "決定", "１", "決定", "√", "２", "決定"},
                false, 330 + 2 * 33, QPoint(330, 330 - 2 * 33), TZahyoR{0.0f, 2.0f}}),
    [](const ::testing::TestParamInfo<Drawing>& info) { return std::string(info.param.what); });

}  // namespace
