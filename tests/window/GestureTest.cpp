// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/KavrelWindow.h"

#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <vector>

// The mouse does on each control what that control's gestures say, and
// nothing more.
TEST_F(KavrelWindow, MouseGesturesAreOnlyThoseTheControlsKnow)
{
    TScrollBar* bar = Form().ScrollBar1;
    std::vector<std::pair<TScrollCode, int>> seen;
    bar->OnScroll = [&, original = bar->OnScroll](TObject* sender, TScrollCode code, int& position) {
        seen.emplace_back(code, position);
        original(sender, code, position);
    };

    // A held click in the track pages until the thumb reaches the pointer,
    // then the release ends the scroll: no jump of the thumb to the pointer.
    const QPoint track = bar->PartRect(QStyle::SC_ScrollBarSlider).center() + QPoint(40, 0);
    QTest::mousePress(bar, Qt::LeftButton, {}, track);
    QTest::qWait(1500);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, track);
    ASSERT_GE(seen.size(), 3u);
    for (std::size_t i = 0; i + 1 < seen.size(); ++i)
        EXPECT_EQ(seen[i], std::make_pair(scPageDown, 52 + int(i))) << "notification " << i;
    EXPECT_EQ(seen.back(), std::make_pair(scEndScroll, bar->Position()));
    EXPECT_TRUE(bar->PartRect(QStyle::SC_ScrollBarSlider).contains(track));
    EXPECT_EQ(Lesson().Scale, ScaleOfPosition(bar->Position()));

    // The wheel is no gesture of the zoom bar, nor of the plane.
    seen.clear();
    const int position = bar->Position();
    for (QWidget* target : {static_cast<QWidget*>(bar), static_cast<QWidget*>(Form().PaintBox1)}) {
        const QPointF at = target->rect().center();
        QWheelEvent notch(at, target->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, {}, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(target, &notch);
    }
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(bar->Position(), position);

    // Only the left button gives a push button the focus.
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mouseClick(Form().BtnSyuryo, button);
        EXPECT_EQ(QApplication::focusWidget(), bar) << "button " << button;
    }
    QTest::mousePress(Form().BtnSai, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), Form().BtnSai);
    QTest::mouseRelease(Form().BtnSai, Qt::LeftButton);

    // Buttons beyond left, right and middle are no press on the plane.
    Keys(ParabolaKeys());
    for (Qt::MouseButton button : {Qt::BackButton, Qt::ForwardButton, Qt::ExtraButton3})
        ClickPlane(400, 200, button);
    EXPECT_EQ(Lesson().Ten[0].X, 0.0f);
    EXPECT_EQ(Lesson().Ten[0].Y, 0.0f);
    EXPECT_EQ(Lesson().ZanzoCount, 0);
    EXPECT_TRUE(errors.isEmpty());
}
