// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Mouse events go through the platform window, as a real click does: the
// pressed widget keeps the mouse until the release, and a double click
// arrives as press, release, double click, release.
#ifndef QTEST_QPA_MOUSE_HANDLING
#define QTEST_QPA_MOUSE_HANDLING
#endif

#include "toolkit/Color.h"
#include "toolkit/Description.h"

#include <QImage>
#include <QObject>
#include <QRect>
#include <QTest>
#include <QWidget>
#include <functional>

// A plain window for the controls under test, shown and active, so that
// mouse and key events reach them as in the program's window.
class ControlHost : public QWidget {
public:
    ControlHost();

    // The window colour behind windowless controls.
    static constexpr TColor WindowColour = clMoneyGreen;

    void ShowActive();
    // What the screen shows of a control: its pixels as last painted,
    // without asking it to paint again.
    QImage OnScreen(const QWidget* control) const;
};

// Handles pending events, the window's deferred repaints included (the
// platform flushes them on a short timer).
void Settle();

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* watched);
    int Count() const { return count_; }
    void Reset() { count_ = 0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int count_ = 0;
};

// A control's description: name, place and caption, the rest as default.
TDescription Described(const QString& name, const QRect& bounds, const QString& caption = {});

// The fixed colour a platform or fixed TColor shows as on screen.
TColor Shown(TColor colour);
TColor PixelAt(const QImage& image, int x, int y);

// The smallest rectangle holding every pixel that matches.
QRect InkBounds(const QImage& image, const std::function<bool(QRgb)>& matches);
// Pixels of a strong red, as a red caption's solid strokes.
bool IsStrongRed(QRgb pixel);
// Pixels that differ from the given colour.
std::function<bool(QRgb)> NotColour(TColor colour);
