// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/Description.h"
#include "toolkit/Events.h"

#include <QPushButton>

// A push button: clicks when the left button is released over it, takes
// the keyboard focus when pressed, and clicks again on Space or Enter
// while it has the focus.
class TButton : public QPushButton {
    Q_OBJECT

public:
    TButton(QWidget* parent, const TDescription& description);

    QString Caption() const { return text(); }
    const TFont& Font() const { return font_; }

    TNotifyEvent OnClick;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TFont font_;
};
