// SPDX-License-Identifier: GPL-3.0-or-later
#include "ControlHost.h"

#include "toolkit/Button.h"
#include "toolkit/SpeedButton.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <vector>

namespace {

using TFace = TSpeedButton::TFace;

// One run of an OnClick handler: who ran it and the Down states of the
// group's three buttons as the handler saw them.
struct ClickSeen {
    QString sender;
    std::vector<bool> downs;
};

// Three buttons of one group (GroupIndex 1) and a button with GroupIndex 0,
// on a panel of the test window, as the condition panel holds them.
class SpeedButtonTest : public ::testing::Test {
public:
    void SetUp() override
    {
        panel = new QWidget(&host);
        panel->setGeometry(10, 10, 380, 60);
        A = Make(panel, QStringLiteral("A"), 60, 1, true);
        B = Make(panel, QStringLiteral("B"), 140, 1, true);
        C = Make(panel, QStringLiteral("C"), 220, 1, true);
        Z = Make(panel, QStringLiteral("Z"), 300, 0, true);
        host.ShowActive();
    }

    TSpeedButton* Make(QWidget* parent, const QString& name, int left, int groupIndex, bool allowAllUp)
    {
        TDescription description = Described(name, QRect(left, 10, 70, 34), name);
        description.GroupIndex = groupIndex;
        description.AllowAllUp = allowAllUp;
        description.Font = TFont(QStringLiteral("DejaVu Sans"), -16, fsBold, clWindowText, DEFAULT_CHARSET);
        auto* button = new TSpeedButton(parent, description);
        button->OnClick = [this](TObject* sender) { seen.push_back({sender->objectName(), Downs()}); };
        button->show();
        return button;
    }

    std::vector<bool> Downs() const { return {A->Down(), B->Down(), C->Down()}; }

    static void LeftClick(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton); }

    ControlHost host;
    QWidget* panel = nullptr;
    TSpeedButton* A = nullptr;
    TSpeedButton* B = nullptr;
    TSpeedButton* C = nullptr;
    TSpeedButton* Z = nullptr;
    std::vector<ClickSeen> seen;
};

TEST_F(SpeedButtonTest, ClickTogglesTheGroupBeforeOnClickRuns)
{
    struct Row {
        char clicked;
        std::vector<bool> downs;  // A, B, C inside OnClick and afterwards
    };
    const Row rows[] = {
        {'A', {true, false, false}},
        {'B', {false, true, false}},  // lowering B raises A
        {'C', {false, false, true}},
        {'C', {false, false, false}},  // AllowAllUp: the lowered button rises
        {'A', {true, false, false}},
        {'A', {false, false, false}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string("click on ") + row.clicked);
        seen.clear();
        LeftClick(host.findChild<TSpeedButton*>(QString(QChar(row.clicked))));
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].sender, QString(QChar(row.clicked)));
        EXPECT_EQ(seen[0].downs, row.downs);
        EXPECT_EQ(Downs(), row.downs);
    }
}

TEST_F(SpeedButtonTest, WithoutAllowAllUpTheGroupKeepsOneButtonDown)
{
    auto* strict = new QWidget(&host);
    strict->setGeometry(10, 100, 380, 60);
    TSpeedButton* first = Make(strict, QStringLiteral("first"), 60, 2, false);
    TSpeedButton* second = Make(strict, QStringLiteral("second"), 140, 2, false);
    strict->show();
    Settle();

    LeftClick(first);
    LeftClick(first);  // the click still runs OnClick but cannot raise it
    EXPECT_TRUE(first->Down());
    EXPECT_EQ(seen.size(), 2u);
    first->SetDown(false);
    EXPECT_TRUE(first->Down());

    LeftClick(second);
    EXPECT_FALSE(first->Down());
    EXPECT_TRUE(second->Down());
}

TEST_F(SpeedButtonTest, GroupIndexZeroNeverStaysDown)
{
    LeftClick(Z);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].sender, QStringLiteral("Z"));
    EXPECT_FALSE(Z->Down());
    EXPECT_EQ(Z->Face(), TFace::Raised);

    Z->SetDown(true);
    EXPECT_FALSE(Z->Down());
    EXPECT_EQ(Z->Face(), TFace::Raised);
    EXPECT_EQ(seen.size(), 1u);
}

// Each row sets Down of one button by program; only the buttons whose Down
// changes are repainted, and OnClick never runs.
TEST_F(SpeedButtonTest, SettingDownByProgramRaisesTheGroupWithoutOnClick)
{
    struct Row {
        char button;
        bool down;
        std::vector<bool> downs;
    };
    const Row rows[] = {
        {'B', true, {false, true, false}},
        {'A', true, {true, false, false}},
        {'A', true, {true, false, false}},   // already down: nothing at all
        {'C', false, {true, false, false}},  // already raised: nothing at all
        {'A', false, {false, false, false}},
        {'A', false, {false, false, false}},
    };
    PaintCounter paintsA(A), paintsB(B), paintsC(C);
    std::vector<bool> before = Downs();
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string("SetDown on ") + row.button);
        Settle();
        paintsA.Reset(), paintsB.Reset(), paintsC.Reset();
        host.findChild<TSpeedButton*>(QString(QChar(row.button)))->SetDown(row.down);
        Settle();
        EXPECT_EQ(Downs(), row.downs);
        EXPECT_TRUE(seen.empty());
        EXPECT_EQ(paintsA.Count() > 0, before[0] != row.downs[0]);
        EXPECT_EQ(paintsB.Count() > 0, before[1] != row.downs[1]);
        EXPECT_EQ(paintsC.Count() > 0, before[2] != row.downs[2]);
        before = row.downs;
    }
}

TEST_F(SpeedButtonTest, LoweringAButtonGivesTheGroupItsAllowAllUp)
{
    auto* mixed = new QWidget(&host);
    mixed->setGeometry(10, 100, 380, 60);
    TSpeedButton* strict = Make(mixed, QStringLiteral("strict"), 60, 3, false);
    TSpeedButton* loose = Make(mixed, QStringLiteral("loose"), 140, 3, true);
    mixed->show();
    Settle();

    loose->SetDown(true);
    EXPECT_TRUE(strict->AllowAllUp());
    strict->SetDown(true);
    LeftClick(strict);  // it may now rise like the rest of the group
    EXPECT_FALSE(strict->Down());
    EXPECT_FALSE(loose->Down());
}

TEST_F(SpeedButtonTest, GroupsAreFormedByParentAndGroupIndex)
{
    auto* otherPanel = new QWidget(&host);
    otherPanel->setGeometry(10, 100, 380, 60);
    TSpeedButton* elsewhere = Make(otherPanel, QStringLiteral("D"), 60, 1, true);
    otherPanel->show();
    Settle();

    LeftClick(elsewhere);
    LeftClick(A);
    EXPECT_TRUE(elsewhere->Down());
    EXPECT_TRUE(A->Down());
    B->SetDown(true);
    EXPECT_TRUE(elsewhere->Down());
    EXPECT_FALSE(A->Down());
}

// The face inside its bevels, where only the caption is drawn.
QImage Inside(const QImage& face)
{
    return face.copy(face.rect().adjusted(3, 3, -3, -3));
}

// Which colour a raised button's caption shows, found in a grab of the screen.
bool CaptionShows(const ControlHost& host, const TSpeedButton* button, TColor colour)
{
    const QImage shown = host.OnScreen(button);
    const TColor wanted = Shown(colour);
    int pixels = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            pixels += PixelAt(shown, x, y) == wanted;
    return pixels >= 10;
}

TEST_F(SpeedButtonTest, ARaisedButtonKeepsItsCaptionColour)
{
    struct Row {
        const char* how;
        std::function<void(SpeedButtonTest&)> raiseA;
    };
    const Row rows[] = {
        {"by program", [](SpeedButtonTest& t) { t.B->SetDown(true); }},
        {"by a click on another button", [](SpeedButtonTest& t) { LeftClick(t.B); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.how);
        A->Font().SetColor(clRed);
        A->SetDown(true);
        Settle();
        row.raiseA(*this);
        Settle();
        EXPECT_FALSE(A->Down());
        EXPECT_EQ(A->Font().Color(), clRed);
        EXPECT_TRUE(CaptionShows(host, A, clRed));
        A->Font().SetColor(clBlack);
    }
}

// Press over a button, move along a path of points (relative to the
// button), release at the last one: the click counts only if the pointer is
// back over the button.
TEST_F(SpeedButtonTest, ReleaseAwayFromTheButtonChangesNothing)
{
    const QPoint inside(35, 17);
    const QPoint outside(-40, 17);
    struct Row {
        const char* what;
        TSpeedButton* SpeedButtonTest::*button;
        bool downBefore;
        std::vector<QPoint> path;
        bool counts;
    };
    const Row rows[] = {
        {"raised, released away", &SpeedButtonTest::A, false, {outside}, false},
        {"lowered, released away", &SpeedButtonTest::A, true, {outside}, false},
        {"group index 0, released away", &SpeedButtonTest::Z, false, {outside}, false},
        {"raised, away and back", &SpeedButtonTest::A, false, {outside, inside}, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TSpeedButton* button = this->*row.button;
        button->SetDown(row.downBefore);
        seen.clear();
        QTest::mousePress(button, Qt::LeftButton, {}, inside);
        for (const QPoint& at : row.path)
            QTest::mouseMove(button, at);
        QTest::mouseRelease(button, Qt::LeftButton, {}, row.path.back());
        const bool downAfter = row.counts && button->GroupIndex() != 0 ? !row.downBefore : row.downBefore;
        EXPECT_EQ(button->Down(), downAfter);
        EXPECT_EQ(seen.size(), row.counts ? 1u : 0u);
        EXPECT_EQ(button->Face(), downAfter ? TFace::Lowered : TFace::Raised);
    }
}

TEST_F(SpeedButtonTest, FaceFollowsTheHeldMouseButtonAndDown)
{
    const QPoint inside(35, 17);
    const QPoint outside(-40, 17);
    EXPECT_EQ(A->Face(), TFace::Raised);
    QTest::mousePress(A, Qt::LeftButton, {}, inside);
    EXPECT_EQ(A->Face(), TFace::Pressed);
    QTest::mouseMove(A, outside);
    EXPECT_EQ(A->Face(), TFace::Raised);
    QTest::mouseMove(A, inside);
    EXPECT_EQ(A->Face(), TFace::Pressed);
    QTest::mouseRelease(A, Qt::LeftButton, {}, inside);
    EXPECT_EQ(A->Face(), TFace::Lowered);

    QTest::mousePress(A, Qt::LeftButton, {}, inside);
    EXPECT_EQ(A->Face(), TFace::Lowered);  // a lowered button stays lowered
    QTest::mouseRelease(A, Qt::LeftButton, {}, inside);
    EXPECT_EQ(A->Face(), TFace::Raised);
}

TEST_F(SpeedButtonTest, DoubleClickTogglesTwiceAndRunsOnClickTwice)
{
    QTest::mouseDClick(A, Qt::LeftButton);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].downs, (std::vector<bool>{true, false, false}));
    EXPECT_EQ(seen[1].downs, (std::vector<bool>{false, false, false}));
    EXPECT_FALSE(A->Down());

    seen.clear();
    QTest::mouseDClick(Z, Qt::LeftButton);
    EXPECT_EQ(seen.size(), 2u);
    EXPECT_FALSE(Z->Down());
}

TEST_F(SpeedButtonTest, RightAndMiddleButtonsDoNothing)
{
    for (Qt::MouseButton mouseButton : {Qt::RightButton, Qt::MiddleButton}) {
        for (bool downBefore : {false, true}) {
            SCOPED_TRACE(testing::Message() << "mouse button " << int(mouseButton) << ", down " << downBefore);
            A->SetDown(downBefore);
            const TFace faceBefore = A->Face();
            QTest::mousePress(A, mouseButton);
            EXPECT_EQ(A->Face(), faceBefore);
            QTest::mouseRelease(A, mouseButton);
            EXPECT_EQ(A->Down(), downBefore);
            EXPECT_TRUE(seen.empty());
        }
    }
    QTest::mouseDClick(Z, Qt::RightButton);
    EXPECT_TRUE(seen.empty());
}

TEST_F(SpeedButtonTest, ClickLeavesTheKeyboardFocusWhereItWas)
{
    auto* push = new TButton(&host, Described(QStringLiteral("push"), QRect(10, 200, 80, 30), QStringLiteral("push")));
    push->show();
    push->setFocus();
    Settle();
    ASSERT_EQ(QApplication::focusWidget(), push);
    LeftClick(A);
    EXPECT_TRUE(A->Down());
    EXPECT_EQ(QApplication::focusWidget(), push);
}

// The lowered face is a one-pixel checkerboard of button face and
// highlight: every pixel is one of the two, and neighbours differ.
TEST_F(SpeedButtonTest, LoweredFaceIsACheckerboardOfFaceAndHighlight)
{
    const TColor face = Shown(clBtnFace);
    const TColor highlight = Shown(clBtnHighlight);
    ASSERT_NE(face, highlight);
    const QRect plain(4, 4, 10, 6);  // inside the bevel, clear of the caption

    const QImage raised = A->grab().toImage();
    for (int y = plain.top(); y <= plain.bottom(); ++y)
        for (int x = plain.left(); x <= plain.right(); ++x)
            ASSERT_EQ(PixelAt(raised, x, y), face) << x << "," << y;

    A->SetDown(true);
    const QImage lowered = A->grab().toImage();
    for (int y = plain.top(); y <= plain.bottom(); ++y) {
        for (int x = plain.left(); x <= plain.right(); ++x) {
            const TColor pixel = PixelAt(lowered, x, y);
            ASSERT_TRUE(pixel == face || pixel == highlight) << x << "," << y;
            ASSERT_NE(pixel, PixelAt(lowered, x + 1, y)) << x << "," << y;
            ASSERT_NE(pixel, PixelAt(lowered, x, y + 1)) << x << "," << y;
            ASSERT_EQ(pixel, PixelAt(lowered, x + 1, y + 1)) << x << "," << y;
        }
    }
}

TEST_F(SpeedButtonTest, CaptionMovesOnePixelOnPressedAndLoweredFaces)
{
    A->Font().SetColor(clRed);
    const QRect raised = InkBounds(A->grab().toImage(), IsStrongRed);
    ASSERT_FALSE(raised.isEmpty());

    QTest::mousePress(A, Qt::LeftButton);
    ASSERT_EQ(A->Face(), TFace::Pressed);
    EXPECT_EQ(InkBounds(A->grab().toImage(), IsStrongRed), raised.translated(1, 1));
    QTest::mouseRelease(A, Qt::LeftButton);

    ASSERT_EQ(A->Face(), TFace::Lowered);
    EXPECT_EQ(InkBounds(A->grab().toImage(), IsStrongRed), raised.translated(1, 1));

    A->SetDown(false);
    EXPECT_EQ(InkBounds(A->grab().toImage(), IsStrongRed), raised);
}

// The caption's colour changes on screen at the next paint, with Down and
// the face as they were; the same colour again does not repaint.
TEST_F(SpeedButtonTest, FontColourChangeRedrawsTheCaption)
{
    for (bool down : {false, true}) {
        SCOPED_TRACE(testing::Message() << "down " << down);
        A->SetDown(down);
        A->Font().SetColor(clBlack);
        Settle();
        const QRect blackInk = InkBounds(Inside(host.OnScreen(A)), [](QRgb p) { return ToTColor(p) == clBlack; });
        ASSERT_FALSE(blackInk.isEmpty());
        EXPECT_FALSE(CaptionShows(host, A, clRed));

        A->Font().SetColor(clRed);
        Settle();
        EXPECT_EQ(InkBounds(Inside(host.OnScreen(A)), [](QRgb p) { return ToTColor(p) == clRed; }), blackInk);
        EXPECT_EQ(A->Down(), down);
        EXPECT_EQ(A->Face(), down ? TFace::Lowered : TFace::Raised);

        PaintCounter paints(A);
        A->Font().SetColor(clRed);
        Settle();
        EXPECT_EQ(paints.Count(), 0);
    }
}

}  // namespace
