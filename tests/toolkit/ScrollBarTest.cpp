// SPDX-License-Identifier: GPL-3.0-or-later
#include "ControlHost.h"

#include "toolkit/Dispatch.h"
#include "toolkit/ScrollBar.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QStyle>
#include <QStyleOptionSlider>
#include <ostream>
#include <stdexcept>
#include <vector>

namespace {

// What one OnScroll call saw: its code, the ScrollPos it was handed and the
// Position the scroll bar held during the call.
struct Notification {
    TScrollCode code;
    int scrollPos;
    int positionDuring;
    friend bool operator==(const Notification&, const Notification&) = default;
};

void PrintTo(const Notification& n, std::ostream* out)
{
    *out << "{code " << int(n.code) << ", ScrollPos " << n.scrollPos << ", Position " << n.positionDuring << "}";
}

using Notifications = std::vector<Notification>;

// The scroll bar with the places of its arrows, track and thumb, as its
// style lays them out.
class ProbedScrollBar : public TScrollBar {
public:
    using TScrollBar::TScrollBar;

    QRect Part(QStyle::SubControl part) const
    {
        QStyleOptionSlider option;
        initStyleOption(&option);
        return style()->subControlRect(QStyle::CC_ScrollBar, &option, part, this);
    }

    // The position that a thumb whose left edge stands at pixel x shows.
    int PositionForThumbAt(int x) const
    {
        const QRect groove = Part(QStyle::SC_ScrollBarGroove);
        const QRect thumb = Part(QStyle::SC_ScrollBarSlider);
        return QStyle::sliderValueFromPosition(minimum(), maximum(), x - groove.x(), groove.width() - thumb.width());
    }
};

// A horizontal scroll bar as the window's zoom bar: 0..100, steps of 1,
// starting at 51.
class ScrollBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TDescription description = Described(QStringLiteral("ScrollBar1"), QRect(20, 100, 300, 17));
        description.Position = 51;
        description.TabOrder = 0;
        bar = new ProbedScrollBar(&host, description);
        bar->OnScroll = [this](TObject* sender, TScrollCode code, int& scrollPos) {
            EXPECT_EQ(sender, bar);
            seen.push_back({code, scrollPos, bar->Position()});
            if (handler)
                handler(code, scrollPos);
        };
        host.ShowActive();
    }

    void StartAt(int position)
    {
        bar->setValue(position);
        seen.clear();
    }

    void ClickOn(QStyle::SubControl part, Qt::MouseButton button = Qt::LeftButton)
    {
        const QRect rect = bar->Part(part);
        ASSERT_FALSE(rect.isEmpty());
        QTest::mouseClick(bar, button, {}, rect.center());
    }

    ControlHost host;
    ProbedScrollBar* bar = nullptr;
    Notifications seen;
    std::function<void(TScrollCode, int&)> handler;
};

TEST_F(ScrollBarTest, ArrowAndTrackClicksNotifyThenEndTheScroll)
{
    struct Row {
        const char* what;
        int start;
        QStyle::SubControl part;
        Notifications expected;
    };
    const Row rows[] = {
        {"right arrow", 51, QStyle::SC_ScrollBarAddLine, {{scLineDown, 52, 51}, {scEndScroll, 52, 52}}},
        {"left arrow", 51, QStyle::SC_ScrollBarSubLine, {{scLineUp, 50, 51}, {scEndScroll, 50, 50}}},
        {"right arrow at the end", 100, QStyle::SC_ScrollBarAddLine, {{scLineDown, 100, 100}, {scEndScroll, 100, 100}}},
        {"left arrow at the start", 0, QStyle::SC_ScrollBarSubLine, {{scLineUp, 0, 0}, {scEndScroll, 0, 0}}},
        {"track right of the thumb", 51, QStyle::SC_ScrollBarAddPage, {{scPageDown, 52, 51}, {scEndScroll, 52, 52}}},
        {"track left of the thumb", 51, QStyle::SC_ScrollBarSubPage, {{scPageUp, 50, 51}, {scEndScroll, 50, 50}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        StartAt(row.start);
        ClickOn(row.part);
        EXPECT_EQ(seen, row.expected);
        EXPECT_EQ(bar->Position(), row.expected.back().scrollPos);
    }
}

TEST_F(ScrollBarTest, HeldArrowRepeatsItsStepUntilTheRelease)
{
    const QPoint arrow = bar->Part(QStyle::SC_ScrollBarAddLine).center();
    QTest::mousePress(bar, Qt::LeftButton, {}, arrow);
    QTest::qWait(800);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, arrow);

    ASSERT_GE(seen.size(), 3u);
    int position = 51;
    for (std::size_t i = 0; i + 1 < seen.size(); ++i) {
        EXPECT_EQ(seen[i], (Notification{scLineDown, position + 1, position})) << "step " << i;
        position = seen[i].scrollPos;
    }
    EXPECT_EQ(seen.back(), (Notification{scEndScroll, position, position}));
    EXPECT_EQ(bar->Position(), position);
}

// Drags the thumb by the given offsets from where it was pressed, then
// releases it at the last one.
TEST_F(ScrollBarTest, ThumbDragTracksEveryMovementThenPositionsAndEnds)
{
    struct Row {
        const char* what;
        int start;
        std::vector<int> offsets;
    };
    const Row rows[] = {
        {"to the right", 51, {10, 25, 40}},
        {"to the left", 51, {-12, -30}},
        {"back and forth", 20, {30, 60, 15}},
        {"beyond the end", 90, {15, 60}},
        {"beyond the start", 5, {-40}},
        {"no movement", 51, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        StartAt(row.start);
        const QRect thumb = bar->Part(QStyle::SC_ScrollBarSlider);
        const QPoint grip = thumb.center();
        Notifications expected;
        int position = row.start;
        QTest::mousePress(bar, Qt::LeftButton, {}, grip);
        QPoint at = grip;
        for (int offset : row.offsets) {
            at = grip + QPoint(offset, 0);
            QTest::mouseMove(bar, at);
            const int thumbPosition = bar->PositionForThumbAt(thumb.left() + offset);
            expected.push_back({scTrack, thumbPosition, position});
            position = thumbPosition;
        }
        QTest::mouseRelease(bar, Qt::LeftButton, {}, at);
        expected.push_back({scPosition, position, position});
        expected.push_back({scEndScroll, position, position});
        EXPECT_EQ(seen, expected);
        EXPECT_EQ(bar->Position(), position);
    }
}

TEST_F(ScrollBarTest, EachKeyGivesOneNotification)
{
    struct Row {
        Qt::Key key;
        int start;
        TScrollCode code;
        int scrollPos;
    };
    const Row rows[] = {
        {Qt::Key_Left, 51, scLineUp, 50},
        {Qt::Key_Up, 51, scLineUp, 50},
        {Qt::Key_Right, 51, scLineDown, 52},
        {Qt::Key_Down, 51, scLineDown, 52},
        {Qt::Key_PageUp, 51, scPageUp, 50},
        {Qt::Key_PageDown, 51, scPageDown, 52},
        {Qt::Key_Home, 51, scTop, 0},
        {Qt::Key_End, 51, scBottom, 100},
        {Qt::Key_Left, 0, scLineUp, 0},
        {Qt::Key_PageUp, 0, scPageUp, 0},
        {Qt::Key_Home, 0, scTop, 0},
        {Qt::Key_Right, 100, scLineDown, 100},
        {Qt::Key_PageDown, 100, scPageDown, 100},
        {Qt::Key_End, 100, scBottom, 100},
    };
    bar->setFocus();
    Settle();
    ASSERT_EQ(QApplication::focusWidget(), bar);
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "key " << int(row.key) << " at " << row.start);
        StartAt(row.start);
        QTest::keyClick(static_cast<QWidget*>(nullptr), row.key);
        EXPECT_EQ(seen, (Notifications{{row.code, row.scrollPos, row.start}}));
        EXPECT_EQ(bar->Position(), row.scrollPos);
    }
}

TEST_F(ScrollBarTest, HeldKeyNotifiesForEveryRepeat)
{
    bar->setFocus();
    Settle();
    QTest::simulateEvent(bar, true, Qt::Key_Right, {}, QString(), false);
    QTest::simulateEvent(bar, true, Qt::Key_Right, {}, QString(), true);
    QTest::simulateEvent(bar, true, Qt::Key_Right, {}, QString(), true);
    QTest::simulateEvent(bar, false, Qt::Key_Right, {}, QString(), false);
    EXPECT_EQ(seen, (Notifications{{scLineDown, 52, 51}, {scLineDown, 53, 52}, {scLineDown, 54, 53}}));
    EXPECT_EQ(bar->Position(), 54);
}

TEST_F(ScrollBarTest, OtherKeysAndMouseButtonsDoNothing)
{
    bar->setFocus();
    Settle();
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_A);
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Space);
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        ClickOn(QStyle::SC_ScrollBarAddLine, button);
        ClickOn(QStyle::SC_ScrollBarAddPage, button);
        ClickOn(QStyle::SC_ScrollBarSlider, button);
    }
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(bar->Position(), 51);
}

// Position takes whatever the handler leaves in ScrollPos, clamped to
// Min..Max; the next notification starts from there.
TEST_F(ScrollBarTest, PositionTakesTheScrollPosTheHandlerLeaves)
{
    struct Row {
        int handlerSets;
        int position;
    };
    const Row rows[] = {{10, 10}, {77, 77}, {500, 100}, {-5, 0}, {100, 100}};
    bar->setFocus();
    Settle();
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "handler sets " << row.handlerSets);
        StartAt(51);
        handler = [&row](TScrollCode, int& scrollPos) { scrollPos = row.handlerSets; };
        QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Right);
        EXPECT_EQ(bar->Position(), row.position);

        handler = nullptr;
        QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Left);
        const int next = std::max(row.position - 1, 0);
        EXPECT_EQ(seen.back(), (Notification{scLineUp, next, row.position}));
        EXPECT_EQ(bar->Position(), next);
    }
}

// A step's handler moves the bar elsewhere: the end of the scroll starts
// from there. In a drag, the release still carries the thumb's place under
// the pointer.
TEST_F(ScrollBarTest, HandlerChangingScrollPosDuringAGesture)
{
    handler = [](TScrollCode code, int& scrollPos) {
        if (code == scLineDown || code == scTrack)
            scrollPos = 80;
    };
    ClickOn(QStyle::SC_ScrollBarAddLine);
    EXPECT_EQ(seen, (Notifications{{scLineDown, 52, 51}, {scEndScroll, 80, 80}}));
    EXPECT_EQ(bar->Position(), 80);

    StartAt(51);
    const QRect thumb = bar->Part(QStyle::SC_ScrollBarSlider);
    const QPoint to = thumb.center() + QPoint(10, 0);
    const int underPointer = bar->PositionForThumbAt(thumb.left() + 10);
    QTest::mousePress(bar, Qt::LeftButton, {}, thumb.center());
    QTest::mouseMove(bar, to);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, to);
    EXPECT_EQ(seen, (Notifications{{scTrack, underPointer, 51},
                                   {scPosition, underPointer, 80},
                                   {scEndScroll, underPointer, underPointer}}));
}

// A handler that fails leaves Position and the thumb where they were, for
// a key as for a step of the mouse.
TEST_F(ScrollBarTest, FailedNotificationLeavesPositionAndThumb)
{
    handler = [](TScrollCode, int&) { throw std::runtime_error("failed"); };
    SetErrorBox([](const QString&, const QString&) {});
    const QRect thumb = bar->Part(QStyle::SC_ScrollBarSlider);
    bar->setFocus();
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End})
        QTest::keyClick(bar, key);
    ClickOn(QStyle::SC_ScrollBarSubLine);
    ClickOn(QStyle::SC_ScrollBarAddPage);
    QTest::mousePress(bar, Qt::LeftButton, {}, thumb.center());
    QTest::mouseMove(bar, thumb.center() + QPoint(30, 0));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, thumb.center() + QPoint(30, 0));
    SetErrorBox(nullptr);

    EXPECT_EQ(seen.size(), 7u) << "each gesture ends at its failing notification";
    EXPECT_EQ(bar->Position(), 51);
    EXPECT_EQ(bar->sliderPosition(), 51);
    EXPECT_EQ(bar->Part(QStyle::SC_ScrollBarSlider), thumb);
}

}  // namespace
