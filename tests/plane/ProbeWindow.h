// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ProbeExpectation.h"
#include "support/KavrelWindow.h"

#include <QRect>
#include <QStringList>
#include <QTest>
#include <QWindow>
#include <utility>
#include <vector>

// The window with conditions entered on the keypad, and what the probe
// writes at the top of the window and draws on the plane.
class ProbeWindow : public KavrelWindow {
protected:
    // The line Y = -1, F = (fx, fy) and the ratio pf : ph, each given as
    // the keys that type it ("－", "１" for -1).
    static QStringList ConditionKeys(const QStringList& fx, const QStringList& fy, const QString& pf,
                                     const QString& ph)
    {
        return QStringList{"Ｙ＝", "－", "１", "決定"} + fx + QStringList{"決定"} + fy
               + QStringList{"決定", pf, "決定", ph, "決定"};
    }

    static QRect PTextRect() { return QRect(QPoint(10, 5), QPoint(209, 24)); }
    static QRect RatioTextRect() { return QRect(QPoint(345, 5), QPoint(699, 24)); }

    QImage PTextStrip() { return WindowStrip(PTextRect()); }
    QImage RatioTextStrip() { return WindowStrip(RatioTextRect()); }
    QImage ExpectedPText(const QString& text) { return ExpectedText(PTextRect(), clRed, text); }
    QImage ExpectedRatioText(const QString& text) { return ExpectedText(RatioTextRect(), clPurple, text); }

    // A double click as the window system delivers it: press, release, then
    // the second press as a double-click event, and its release.
    void DoubleClickPlane(int x, int y)
    {
        QWidget* plane = Form().PaintBox1;
        QWindow* window = plane->window()->windowHandle();
        const QPoint at = plane->mapTo(plane->window(), QPoint(x, y));
        QTest::mouseDClick(window, Qt::LeftButton, Qt::NoModifier, at);
    }

    // Lets pending paint events of the window system run.
    static void ProcessEvents() { QTest::qWait(0); }

    // Marks a pixel of the plane black, so that a later repaint of the
    // plane shows by having drawn over it.
    void Smudge(int x, int y)
    {
        TCanvas* canvas = Form().PaintBox1->Canvas();
        const TColor previous = canvas->Pen.Color;
        canvas->Pen.Color = clBlack;
        canvas->MoveTo(x, y);
        canvas->LineTo(x + 1, y);
        canvas->Pen.Color = previous;
        ProcessEvents();
    }

    // A repaint of the whole plane asked by the window system, as when the
    // window is uncovered.
    void SystemRepaint()
    {
        Form().PaintBox1->update();
        ProcessEvents();
    }

    // Blanks both texts at the top of the window, so that a later probe
    // shows by having written them again.
    void BlankTexts()
    {
        const QRect strip(QPoint(10, 5), QPoint(699, 24));
        Form().Canvas()->TextRect(strip, strip.left(), strip.top(), QString());
        ProcessEvents();
    }

    // One step of the zoom scroll bar from the keyboard: Right zooms in.
    void ZoomKey(Qt::Key key)
    {
        Form().ScrollBar1->setFocus();
        QTest::keyClick(Form().ScrollBar1, key);
    }

    // A click on the scroll bar's left or right arrow.
    void ZoomArrow(bool right)
    {
        TScrollBar* bar = Form().ScrollBar1;
        const int x = right ? bar->width() - 4 : 3;
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, QPoint(x, bar->height() / 2));
    }

    // The plane point under a pixel of the plane at Scale 20: 33 pixels a
    // unit, the origin at pixel (330, 330).
    static TZahyoR PointAtScale20(int x, int y)
    {
        return TZahyoR{static_cast<float>((x - 330.0L) * 20 / 660), static_cast<float>(-(y - 330.0L) * 20 / 660)};
    }

    // The probe's error for P against F and the line Y = lineY, and its
    // 0.05 rule, worked out apart from the program (ProbeExpectation.h).
    static float ProbeError(TZahyoR p, TZahyoR f, float lineY, float ratioPF, float ratioPH)
    {
        return ExpectedProbeError(p, f, TZahyoR{p.X, lineY}, ratioPF, ratioPH);
    }

    static bool Kept(float error) { return ExpectedKept(error); }

    using Coordinates = std::pair<float, float>;
    static Coordinates Of(TZahyoR p) { return {p.X, p.Y}; }

    // Ten[1..ZanzoCount], oldest first.
    std::vector<Coordinates> KeptPoints()
    {
        std::vector<Coordinates> kept;
        for (int i = 1; i <= Lesson().ZanzoCount; ++i)
            kept.push_back(Of(Lesson().Ten[i]));
        return kept;
    }
};
