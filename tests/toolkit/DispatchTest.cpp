// SPDX-License-Identifier: GPL-3.0-or-later
#include "ControlHost.h"

#include "numbers/FloatErrors.h"
#include "toolkit/Button.h"
#include "toolkit/Dispatch.h"
#include "toolkit/PaintBox.h"

#include <gtest/gtest.h>
#include <QStringList>

namespace {

// A button whose handler fails after doing part of its work, a button that
// works, and a paint box whose OnPaint fails while `paintFails` is set: the
// situations in which the window meets a floating-point error.
class DispatchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetErrorBox([this](const QString& caption, const QString& text) {
            errors << caption + '|' + text;
            if (whileBoxOpen)
                whileBoxOpen();
        });
        failing = new TButton(&host, Described(QStringLiteral("failing"), QRect(10, 10, 80, 30), QStringLiteral("÷0")));
        failing->OnClick = [this](TObject*) {
            ++failingStarted;
            throwError();
            ++failingFinished;
        };
        working = new TButton(&host, Described(QStringLiteral("working"), QRect(100, 10, 80, 30), QStringLiteral("ok")));
        working->OnClick = [this](TObject*) { ++workingClicks; };
        TDescription boxDescription = Described(QStringLiteral("PaintBox1"), QRect(10, 60, 100, 100));
        boxDescription.Color = clWhite;
        plane = new TPaintBox(&host, boxDescription);
        plane->OnPaint = [this](TObject*) {
            ++paintsStarted;
            if (paintFails)
                throw EZeroDivide();
            plane->Canvas()->Pen.Color = clRed;
            plane->Canvas()->MoveTo(0, 50);
            plane->Canvas()->LineTo(100, 50);
        };
        host.ShowActive();
        // A known start: the last thing that happened is a learner's input.
        QTest::mouseClick(working, Qt::LeftButton);
        workingClicks = 0;
        errors.clear();
    }

    void TearDown() override { SetErrorBox(nullptr); }

    // What the box says for the error that escapes a handler: the caption is
    // the program's title, here the test program's file name.
    static QString BoxFor(const QString& message) { return QStringLiteral("toolkit_tests|") + message; }

    ControlHost host;
    TButton* failing = nullptr;
    TButton* working = nullptr;
    TPaintBox* plane = nullptr;
    std::function<void()> throwError = [] { throw EZeroDivide(); };
    std::function<void()> whileBoxOpen;
    bool paintFails = false;
    int failingStarted = 0;
    int failingFinished = 0;
    int workingClicks = 0;
    int paintsStarted = 0;
    QStringList errors;
};

// The error abandons the rest of the handler and is reported once, with the
// program's title as caption and the message followed by "."; a key press
// is reported like a click; the program then handles the next click normally.
TEST_F(DispatchTest, ErrorEscapingAClickHandlerIsReportedOnce)
{
    struct Row {
        const char* what;
        std::function<void()> raise;
        QString text;
    };
    const Row rows[] = {
        {"division by zero", [] { throw EZeroDivide(); }, QStringLiteral("0 による浮動小数点数除算.")},
        {"invalid operation", [] { throw EInvalidOp(); }, QStringLiteral("不正な浮動小数点数演算命令.")},
        {"overflow", [] { throw EOverflow(); }, QStringLiteral("浮動小数点数のオーバーフロー.")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        errors.clear();
        failingStarted = failingFinished = workingClicks = 0;
        throwError = row.raise;

        QTest::mouseClick(failing, Qt::LeftButton);
        EXPECT_EQ(failingStarted, 1);
        EXPECT_EQ(errors, QStringList{BoxFor(row.text)});
        // The click gave the button the focus: Space runs the handler again.
        QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Space);
        EXPECT_EQ(failingStarted, 2);
        EXPECT_EQ(failingFinished, 0);
        EXPECT_EQ(errors, (QStringList{BoxFor(row.text), BoxFor(row.text)}));

        QTest::mouseClick(working, Qt::LeftButton);
        EXPECT_EQ(workingClicks, 1);
        EXPECT_EQ(errors.size(), 2);
    }
}

// While the box is open, the window's repaints still run; an error they
// raise, or any other error, opens no second box.
TEST_F(DispatchTest, ErrorWhileTheBoxIsOpenIsNotReported)
{
    int paintsWhileOpen = 0;
    whileBoxOpen = [this, &paintsWhileOpen] {
        whileBoxOpen = nullptr;
        paintFails = true;
        const int before = paintsStarted;
        plane->repaint();
        paintsWhileOpen = paintsStarted - before;
        Dispatch([] { throw EInvalidOp(); });
        Dispatch([] { throw EOverflow(); });
    };
    QTest::mouseClick(failing, Qt::LeftButton);
    EXPECT_EQ(paintsWhileOpen, 1);
    EXPECT_EQ(errors, QStringList{BoxFor(QStringLiteral("0 による浮動小数点数除算."))});

    // After OK the program goes on: the next click's error is reported.
    paintFails = false;
    QTest::mouseClick(failing, Qt::LeftButton);
    EXPECT_EQ(errors.size(), 2);
}

// A repaint the window system asks for does not report again an error
// already reported since the learner's last input; after new input it does.
// The fixture's click is the first input: the first failing repaint is
// reported, and the box draws again once the cause is gone.
TEST_F(DispatchTest, RepaintErrorIsReportedOncePerInput)
{
    enum Action { ClickFailing, ClickWorking, RepaintFailing, RepaintWorking };
    struct Row {
        const char* what;
        Action action;
        int errors;
    };
    const Row rows[] = {
        {"first repaint that fails", RepaintFailing, 1},
        {"repaint that works after it", RepaintWorking, 1},
        {"click whose handler fails", ClickFailing, 2},
        {"repaint that fails", RepaintFailing, 2},
        {"repaint that fails again", RepaintFailing, 2},
        {"repaint that works", RepaintWorking, 2},
        {"repaint that fails after a good one", RepaintFailing, 2},
        {"click that works", ClickWorking, 2},
        {"repaint that fails after new input", RepaintFailing, 3},
        {"repaint that fails once more", RepaintFailing, 3},
        {"click that works", ClickWorking, 3},
        {"click whose handler fails", ClickFailing, 4},
        {"click whose handler fails again", ClickFailing, 5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const int paintsBefore = paintsStarted;
        switch (row.action) {
        case ClickFailing:
            QTest::mouseClick(failing, Qt::LeftButton);
            break;
        case ClickWorking:
            QTest::mouseClick(working, Qt::LeftButton);
            break;
        case RepaintFailing:
        case RepaintWorking:
            paintFails = row.action == RepaintFailing;
            plane->update();
            Settle();
            EXPECT_GE(paintsStarted, paintsBefore + 1);
            if (!paintFails) {
                EXPECT_EQ(PixelAt(host.OnScreen(plane), 40, 50), clRed);
            }
            break;
        }
        EXPECT_EQ(errors.size(), row.errors);
    }
    EXPECT_EQ(errors.front(), BoxFor(QStringLiteral("0 による浮動小数点数除算.")));
}

// "." is added when the message's last character sorts after ".".
TEST(ErrorBox, TextAddsAFullStopAfterMessagesEndingAboveIt)
{
    struct Row {
        const char* message;
        const char* text;
    };
    const Row rows[] = {
        {"0 による浮動小数点数除算", "0 による浮動小数点数除算."},
        {"abc", "abc."},
        {"value 5", "value 5."},
        {"a/", "a/."},
        {"ends.", "ends."},
        {"a-", "a-"},
        {"wow!", "wow!"},
        {"space ", "space "},
        {"", ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ErrorBoxText(QString::fromUtf8(row.message)), QString::fromUtf8(row.text)) << row.message;
}

}  // namespace
