// SPDX-License-Identifier: GPL-3.0-or-later
#include "ControlHost.h"

#include <QEvent>
#include <QPalette>
#include <QScreen>

ControlHost::ControlHost()
{
    resize(400, 300);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, ToQColor(WindowColour));
    setPalette(palette);
    setAutoFillBackground(true);
}

void ControlHost::ShowActive()
{
    show();
    if (!QTest::qWaitForWindowExposed(this))
        qFatal("the test window was not exposed");
    activateWindow();
    if (!QTest::qWaitForWindowActive(this))
        qFatal("the test window did not become active");
    Settle();
}

QImage ControlHost::OnScreen(const QWidget* control) const
{
    const QPoint at = control->mapTo(this, QPoint(0, 0));
    return screen()
        ->grabWindow(winId(), at.x(), at.y(), control->width(), control->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

void Settle()
{
    QTest::qWait(30);
}

PaintCounter::PaintCounter(QWidget* watched)
{
    watched->installEventFilter(this);
}

bool PaintCounter::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::Paint)
        ++count_;
    return false;
}

TDescription Described(const QString& name, const QRect& bounds, const QString& caption)
{
    TDescription description;
    description.Name = name;
    description.Left = bounds.left();
    description.Top = bounds.top();
    description.Width = bounds.width();
    description.Height = bounds.height();
    description.Caption = caption;
    return description;
}

TColor Shown(TColor colour)
{
    return ToTColor(ToQColor(colour).rgb());
}

TColor PixelAt(const QImage& image, int x, int y)
{
    return ToTColor(image.pixel(x, y));
}

QRect InkBounds(const QImage& image, const std::function<bool(QRgb)>& matches)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (matches(image.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

bool IsStrongRed(QRgb pixel)
{
    return qRed(pixel) > 200 && qGreen(pixel) < 90 && qBlue(pixel) < 90;
}

std::function<bool(QRgb)> NotColour(TColor colour)
{
    const TColor shown = Shown(colour);
    return [shown](QRgb pixel) { return ToTColor(pixel) != shown; };
}
