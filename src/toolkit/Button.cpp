// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/Button.h"

#include "toolkit/Dispatch.h"

#include <QKeyEvent>
#include <QMouseEvent>

TButton::TButton(QWidget* parent, const TDescription& description)
    : QPushButton(description.Caption, parent), font_(description.Font)
{
    PlaceControl(this, description);
    GiveFont(this, font_);
    QPalette palette = this->palette();
    palette.setColor(QPalette::ButtonText, ToQColor(font_.Color()));
    setPalette(palette);
    // Tab reaches it; of the mouse buttons only the left one gives it the
    // focus (mousePressEvent), so a right click cannot arm Space.
    setFocusPolicy(Qt::TabFocus);
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] {
        if (OnClick)
            Dispatch([this] { OnClick(this); });
    });
}

void TButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        setFocus(Qt::MouseFocusReason);
    QPushButton::mousePressEvent(event);
}

void TButton::keyPressEvent(QKeyEvent* event)
{
    if (!event->isAutoRepeat() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}
