// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kavrelsrc.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

// A test that drives the program's window as a learner would: a new window
// is created and shown as at start-up, with a lesson of its own, and every
// action goes through real mouse and key events.
class KavrelWindow : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    TKavrel_Form& Form() { return *form_; }
    TLesson& Lesson() { return form_->Lesson; }

    // A left click in the middle of a control.
    void Click(QWidget* control);
    // Presses the keypad's keys in turn, by caption: "Ｙ＝", "－", "２", "決定"...
    void Keys(const QStringList& captions);
    // F = (0, 1), the line Y = -1, PF : PH = 1 : 1: a parabola.
    static QStringList ParabolaKeys()
    {
        return {"Ｙ＝", "－", "１", "決定", "０", "決定", "１", "決定", "１", "決定", "１", "決定"};
    }
    TButton* Key(const QString& caption);
    void ClickPlane(int x, int y, Qt::MouseButton button = Qt::LeftButton);

    // What the plane shows, as fixed colours.
    TColor PlanePixel(int x, int y);
    QImage PlanePicture();
    // What the window's client area shows at (x, y), however far its
    // content is scrolled: the window's own canvas where it drew, over the
    // plane and the labels.
    TColor WindowPixel(int x, int y);
    // The strip of the window canvas as the given text would look when
    // written there by the program, for comparing with what it holds.
    QImage WindowStrip(const QRect& rect);
    QImage ExpectedText(const QRect& rect, TColor colour, const QString& text);

    // Errors reported by the error box while the test ran: caption and text.
    QStringList errors;

private:
    TKavrel_Form* form_ = nullptr;
};
