// SPDX-License-Identifier: GPL-3.0-or-later
#include "ControlHost.h"

#include "toolkit/Button.h"
#include "toolkit/Dispatch.h"

#include <gtest/gtest.h>
#include <QApplication>

namespace {

// Two push buttons with click handlers and one without, as the keypad has
// keys that do nothing.
class ButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetErrorBox([this](const QString& caption, const QString& text) { errors << caption + '|' + text; });
        first = Make(QStringLiteral("first"), 20, &firstClicks);
        Make(QStringLiteral("second"), 120, &secondClicks);
        idle = Make(QStringLiteral("idle"), 220, nullptr);
        host.ShowActive();
    }

    void TearDown() override { SetErrorBox(nullptr); }

    TButton* Make(const QString& name, int left, int* clicks)
    {
        auto* button = new TButton(&host, Described(name, QRect(left, 40, 80, 30), name));
        if (clicks)
            button->OnClick = [clicks, button](TObject* sender) {
                EXPECT_EQ(sender, button);
                ++*clicks;
            };
        return button;
    }

    static void PressKey(Qt::Key key) { QTest::keyClick(static_cast<QWidget*>(nullptr), key); }

    ControlHost host;
    TButton* first = nullptr;
    TButton* idle = nullptr;
    int firstClicks = 0;
    int secondClicks = 0;
    QStringList errors;
};

// Press over the button with a mouse button, release at a point relative
// to it: only the left button released over it clicks.
TEST_F(ButtonTest, ClickRunsOnReleaseOverTheButton)
{
    const QPoint over(40, 15);
    const QPoint away(-10, 60);
    struct Row {
        const char* what;
        Qt::MouseButton button;
        QPoint release;
        int clicks;
    };
    const Row rows[] = {
        {"left, released over it", Qt::LeftButton, over, 1},
        {"left, released away", Qt::LeftButton, away, 0},
        {"right", Qt::RightButton, over, 0},
        {"middle", Qt::MiddleButton, over, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        firstClicks = 0;
        QTest::mousePress(first, row.button, {}, over);
        EXPECT_EQ(firstClicks, 0);  // nothing before the release
        if (row.release != over)
            QTest::mouseMove(first, row.release);
        QTest::mouseRelease(first, row.button, {}, row.release);
        EXPECT_EQ(firstClicks, row.clicks);
        EXPECT_EQ(secondClicks, 0);
    }
}

// After a mouse click has given the button the focus, each key press goes
// to it: Space and Enter click it again.
TEST_F(ButtonTest, SpaceAndEnterClickTheFocusedButton)
{
    struct Row {
        Qt::Key key;
        int clicks;
    };
    const Row rows[] = {
        {Qt::Key_Space, 1},
        {Qt::Key_Return, 1},
        {Qt::Key_Enter, 1},
        {Qt::Key_A, 0},
        {Qt::Key_Escape, 0},
    };
    QTest::mouseClick(first, Qt::LeftButton);
    ASSERT_EQ(firstClicks, 1);
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "key " << int(row.key));
        firstClicks = 0;
        PressKey(row.key);
        EXPECT_EQ(firstClicks, row.clicks);
        EXPECT_EQ(secondClicks, 0);
    }
}

TEST_F(ButtonTest, ButtonWithoutOnClickDoesNothing)
{
    QTest::mouseClick(idle, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), idle);
    PressKey(Qt::Key_Space);
    PressKey(Qt::Key_Return);
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
    EXPECT_EQ(firstClicks, 0);
    EXPECT_EQ(secondClicks, 0);

    QTest::mouseClick(first, Qt::LeftButton);  // the window goes on as before
    EXPECT_EQ(firstClicks, 1);
}

TEST_F(ButtonTest, CaptionAndFontComeFromTheDescription)
{
    TDescription description = Described(QStringLiteral("BtnX"), QRect(20, 120, 60, 30), QStringLiteral("Ｘ＝"));
    description.Font = TFont(QStringLiteral("DejaVu Sans"), -20, fsBold, clRed, DEFAULT_CHARSET);
    auto* key = new TButton(&host, description);
    key->show();
    Settle();
    // The caption is drawn in the font's colour; caption, place, face and
    // size are the window look's (LooksTheSameOnDebian12And13ButForThreeControls).
    EXPECT_FALSE(InkBounds(host.OnScreen(key), IsStrongRed).isEmpty());
}

}  // namespace
