// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/Description.h"
#include "toolkit/Dispatch.h"
#include "toolkit/Events.h"

#include <QBasicTimer>
#include <QScrollBar>
#include <QStyle>
#include <optional>

enum TScrollCode {
    scLineUp,
    scLineDown,
    scPageUp,
    scPageDown,
    scPosition,
    scTrack,
    scTop,
    scBottom,
    scEndScroll
};

using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

// A scroll bar that turns every step of a gesture into a notification:
// OnScroll runs with the new position already clamped to Min..Max while
// Position still holds the previous one; then Position takes whatever
// OnScroll left in ScrollPos. When OnScroll fails, Position and the thumb
// stay where they were.
//
// The mouse gestures are its own, so that each gives exactly its
// notifications: an arrow steps and repeats while held, the track pages
// until the thumb reaches the pointer, the thumb tracks every movement;
// each ends at the release. The wheel is no gesture.
class TScrollBar : public QScrollBar, private TMouseHolder {
    Q_OBJECT

public:
    TScrollBar(QWidget* parent, const TDescription& description);
    ~TScrollBar() override;

    int Position() const { return value(); }
    int Min() const { return minimum(); }
    int Max() const { return maximum(); }
    int SmallChange() const { return singleStep(); }
    int LargeChange() const { return pageStep(); }

    // Where the style lays out a part: an arrow, the track on either side
    // of the thumb, the thumb.
    QRect PartRect(QStyle::SubControl part) const;
    // An arrow, the track or the thumb is held by the mouse.
    bool Held() const { return pressed_ != QStyle::SC_None; }

    TScrollEvent OnScroll;
    TDescribeEvent OnDescribe;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void ActionTriggered(int action);
    // Runs OnScroll for a code that no slider action carries (thumb
    // moved or released, end of a gesture) and takes the position it leaves.
    void Notify(TScrollCode code, int position);
    // The position OnScroll leaves, clamped; none when it failed.
    std::optional<int> RunOnScroll(TScrollCode code, int position);

    QStyle::SubControl PartAt(QPoint point) const;
    int PositionOfThumbAt(int x) const;
    // One step of the held arrow or track, while the pointer is over it.
    void Repeat();
    void EndPress();
    void AbandonGesture() override;

    QStyle::SubControl pressed_ = QStyle::SC_None;
    QPoint pointer_;
    int grabOffset_ = 0;
    QBasicTimer repeat_;
    bool firstRepeat_ = false;
};
