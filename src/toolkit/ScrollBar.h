#pragma once

#include "toolkit/Description.h"
#include "toolkit/Events.h"

#include <QScrollBar>

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
// OnScroll left in ScrollPos.
class TScrollBar : public QScrollBar {
    Q_OBJECT

public:
    TScrollBar(QWidget* parent, const TDescription& description);

    int Position() const { return value(); }
    int Min() const { return minimum(); }
    int Max() const { return maximum(); }
    int SmallChange() const { return singleStep(); }
    int LargeChange() const { return pageStep(); }

    TScrollEvent OnScroll;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void ActionTriggered(int action);
    // Runs OnScroll for a code that no slider action carries (thumb
    // released, end of a gesture) and takes the position it leaves.
    void Notify(TScrollCode code, int position);
    int RunOnScroll(TScrollCode code, int position);

    bool gesture_ = false;
};
