#include "toolkit/Button.h"

#include "toolkit/Dispatch.h"

#include <QKeyEvent>

TButton::TButton(QWidget* parent, const TDescription& description)
    : QPushButton(description.Caption, parent), font_(description.Font)
{
    PlaceControl(this, description);
    setFont(font_.ToQFont());
    QPalette palette = this->palette();
    palette.setColor(QPalette::ButtonText, ToQColor(font_.Color()));
    setPalette(palette);
    setFocusPolicy(Qt::StrongFocus);
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] {
        if (OnClick)
            Dispatch([this] { OnClick(this); });
    });
}

void TButton::keyPressEvent(QKeyEvent* event)
{
    if (!event->isAutoRepeat() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}
