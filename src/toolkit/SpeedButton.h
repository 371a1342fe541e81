// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/Description.h"
#include "toolkit/Dispatch.h"
#include "toolkit/Events.h"

#include <QList>
#include <QWidget>

// A toggle button. The buttons with the same non-zero GroupIndex and the
// same parent form a group in which at most one is down; GroupIndex 0 makes
// a button that never stays down. Never takes the keyboard focus.
class TSpeedButton : public QWidget, private TMouseHolder {
    Q_OBJECT

public:
    enum class TFace { Raised, Pressed, Lowered };

    TSpeedButton(QWidget* parent, const TDescription& description);
    ~TSpeedButton() override;

    bool Down() const { return down_; }
    // Never runs OnClick; lowering a button raises the rest of its group.
    void SetDown(bool down);
    int GroupIndex() const { return groupIndex_; }
    bool AllowAllUp() const { return allowAllUp_; }
    QString Caption() const { return caption_; }
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    TFace Face() const;
    // What a click does: toggles a button of a group, then runs OnClick.
    void Click();

    TNotifyEvent OnClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QList<TSpeedButton*> Group() const;
    void ChangeDown(bool down);
    void AbandonGesture() override;

    QString caption_;
    TFont font_;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    bool down_ = false;
    bool held_ = false;
    bool pointerOver_ = false;
};
