// SPDX-License-Identifier: GPL-3.0-or-later
#include "ControlHost.h"

#include "toolkit/PaintBox.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// The canvas state that one OnPaint run found.
struct PaintSeen {
    QString fontName;
    int fontHeight;
    TColor fontColour;
    TColor brushColour;
    TColor penColour;
    int penWidth;
    TPoint penPos;
};

// One OnMouseDown run.
struct PressSeen {
    TMouseButton button;
    TShiftState shift;
    int x;
    int y;
    friend bool operator==(const PressSeen&, const PressSeen&) = default;
};

void PrintTo(const PressSeen& p, std::ostream* out)
{
    *out << "{button " << int(p.button) << ", shift " << p.shift << ", " << p.x << "," << p.y << "}";
}

const TFont kBoxFont(QStringLiteral("DejaVu Serif"), -18, fsBold, clPurple, DEFAULT_CHARSET);
const TFont kOtherFont(QStringLiteral("DejaVu Sans Mono"), -9, fsRegular, clTeal, DEFAULT_CHARSET);

// A white paint box of 120 × 80 on the test window; its OnPaint draws a
// square with an aqua outline at (100, 60).
class PaintBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TDescription description = Described(QStringLiteral("PaintBox1"), QRect(20, 20, 120, 80));
        description.Color = clWhite;
        description.Font = kBoxFont;
        box = new TPaintBox(&host, description);
        box->OnPaint = [this](TObject* sender) {
            EXPECT_EQ(sender, box);
            TCanvas& canvas = *box->Canvas();
            paints.push_back({canvas.Font.Name(), canvas.Font.Height(), canvas.Font.Color(), canvas.Brush.Color,
                              canvas.Pen.Color, canvas.Pen.Width(), canvas.PenPos()});
            const TColor pen = canvas.Pen.Color;
            canvas.Pen.Color = clAqua;
            canvas.Rectangle(100, 60, 110, 70);
            canvas.Pen.Color = pen;
        };
        box->OnMouseDown = [this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
            EXPECT_EQ(sender, box);
            presses.push_back({button, shift, x, y});
        };
        host.ShowActive();
        paints.clear();
    }

    void DrawRedLine(int fromX, int toX, int y)
    {
        box->Canvas()->Pen.Color = clRed;
        box->Canvas()->MoveTo(fromX, y);
        box->Canvas()->LineTo(toX, y);
    }

    TColor OnScreen(int x, int y) const { return PixelAt(host.OnScreen(box), x, y); }

    ControlHost host;
    TPaintBox* box = nullptr;
    std::vector<PaintSeen> paints;
    std::vector<PressSeen> presses;
};

// What a handler draws outside a paint event is in the picture at once and
// on screen after the event it handles, clipped to the box, without OnPaint.
TEST_F(PaintBoxTest, DrawingOutsideAPaintEventShowsAtOnce)
{
    ASSERT_EQ(OnScreen(100, 65), clAqua);
    DrawRedLine(10, 60, 10);
    EXPECT_EQ(PixelAt(box->Picture(), 30, 10), clRed);
    DrawRedLine(100, 300, 40);  // runs off the box's right edge

    Settle();
    EXPECT_EQ(OnScreen(30, 10), clRed);
    EXPECT_EQ(OnScreen(119, 40), clRed);
    EXPECT_EQ(OnScreen(100, 65), clAqua);
    const QImage window = host.OnScreen(&host);
    EXPECT_EQ(PixelAt(window, 20 + 125, 20 + 40), ControlHost::WindowColour);
    EXPECT_TRUE(paints.empty());
}

// A paint event the window system asks for runs OnPaint with the canvas's
// font taken from the box and its brush from the box's colour; the pen
// stays as the program left it. Nothing drawn outside a paint event is
// kept: where OnPaint does not draw, the box then shows the window's colour.
TEST_F(PaintBoxTest, SystemPaintRunsOnPaintWithTheBoxFontAndColour)
{
    struct Row {
        const char* what;
        std::function<void(TPaintBox&)> trigger;
        TColor brush;
    };
    const Row rows[] = {
        {"whole box invalidated", [](TPaintBox& b) { b.update(); }, clWhite},
        {"part of the box invalidated", [](TPaintBox& b) { b.update(QRect(5, 5, 10, 10)); }, clWhite},
        {"repainted at once", [](TPaintBox& b) { b.repaint(); }, clWhite},
        {"hidden and shown", [](TPaintBox& b) { b.hide(), Settle(), b.show(); }, clWhite},
        {"new colour", [](TPaintBox& b) { b.SetColor(clYellow); }, clYellow},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        DrawRedLine(10, 60, 10);
        TCanvas& canvas = *box->Canvas();
        canvas.Font = kOtherFont;
        canvas.Brush.Color = clRed;
        canvas.Pen.Color = clMaroon;
        canvas.Pen.SetWidth(3);
        canvas.MoveTo(7, 9);
        Settle();
        ASSERT_EQ(OnScreen(12, 10), clRed);
        paints.clear();
        row.trigger(*box);
        Settle();
        ASSERT_FALSE(paints.empty());
        const PaintSeen& seen = paints.back();
        EXPECT_EQ(seen.fontName, kBoxFont.Name());
        EXPECT_EQ(seen.fontHeight, kBoxFont.Height());
        EXPECT_EQ(seen.fontColour, kBoxFont.Color());
        EXPECT_EQ(seen.brushColour, row.brush);
        EXPECT_EQ(seen.penColour, clMaroon);
        EXPECT_EQ(seen.penWidth, 3);
        EXPECT_EQ(seen.penPos, (TPoint{7, 9}));
        EXPECT_EQ(box->Color(), row.brush);
        EXPECT_EQ(OnScreen(12, 10), ControlHost::WindowColour);
        EXPECT_EQ(PixelAt(box->Picture(), 12, 10), ControlHost::WindowColour);
        EXPECT_EQ(OnScreen(100, 65), clAqua);
    }
}

TEST_F(PaintBoxTest, SettingTheSameColourRepaintsNothing)
{
    PaintCounter counter(box);
    box->SetColor(clWhite);
    Settle();
    EXPECT_EQ(counter.Count(), 0);
    EXPECT_TRUE(paints.empty());
}

// Every press of any mouse button runs OnMouseDown with the box's pixel
// coordinates, the button, and the held keys and buttons.
TEST_F(PaintBoxTest, EveryMousePressRunsOnMouseDown)
{
    struct Row {
        Qt::MouseButton button;
        Qt::KeyboardModifiers keys;
        QPoint at;
        PressSeen expected;
    };
    const Row rows[] = {
        {Qt::LeftButton, {}, {37, 21}, {mbLeft, ssLeft, 37, 21}},
        {Qt::RightButton, {}, {0, 0}, {mbRight, ssRight, 0, 0}},
        {Qt::MiddleButton, {}, {119, 79}, {mbMiddle, ssMiddle, 119, 79}},
        {Qt::LeftButton, Qt::ShiftModifier, {60, 40}, {mbLeft, ssLeft | ssShift, 60, 40}},
        {Qt::RightButton, Qt::ControlModifier, {5, 70}, {mbRight, ssRight | ssCtrl, 5, 70}},
        {Qt::LeftButton, Qt::AltModifier, {100, 3}, {mbLeft, ssLeft | ssAlt, 100, 3}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "button " << int(row.button) << " at " << row.at.x() << "," << row.at.y());
        presses.clear();
        // Through the window: the box's own (0, 0) would mean its centre to QTest.
        QTest::mouseClick(host.windowHandle(), row.button, row.keys, box->mapTo(&host, row.at));
        EXPECT_EQ(presses, (std::vector<PressSeen>{row.expected}));
    }
}

TEST_F(PaintBoxTest, DoubleClickRunsOnMouseDownTwice)
{
    struct Row {
        Qt::MouseButton button;
        TMouseButton expected;
        TShiftState held;
    };
    const Row rows[] = {
        {Qt::LeftButton, mbLeft, ssLeft},
        {Qt::RightButton, mbRight, ssRight},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "button " << int(row.button));
        presses.clear();
        QTest::mouseDClick(box, row.button, {}, QPoint(44, 33));
        EXPECT_EQ(presses, (std::vector<PressSeen>{{row.expected, row.held, 44, 33},
                                                   {row.expected, row.held | ssDouble, 44, 33}}));
    }
}

}  // namespace
