// SPDX-License-Identifier: GPL-3.0-or-later
#include "Session.h"

#include "toolkit/Application.h"

#include <QEvent>
#include <QTest>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>

namespace session {

TKavrel_Form* Kavrel_Form = nullptr;

namespace {

// F and the line of the parabola's conditions.
constexpr TZahyoR kF{0.0f, 1.0f};
constexpr float kLineY = -1.0f;

TButton* KeyOf(const QString& caption)
{
    for (TButton* key : Kavrel_Form->GroupBox1->findChildren<TButton*>())
        if (key->Caption() == caption)
            return key;
    std::fprintf(stderr, "session: the keypad has no key %s\n", qPrintable(caption));
    std::exit(1);
}

// The probe's error for the point under a pixel, as the probe measures it,
// with both ratio terms 1.
float ErrorAt(QPoint pixel)
{
    const TZahyoR p = Kavrel_Form->DottoZahyo(TDot{float(pixel.x()), float(pixel.y())});
    return MeasureRatio(kF, TZahyoR{p.X, kLineY}, p, 1.0f, 1.0f).e;
}

// In one pixel column, the row nearest the parabola whose point the probe
// keeps, if there is one inside the plane.
std::optional<QPoint> KeptPixelInColumn(int column)
{
    const int size = Kavrel_Form->PaintBox1->height();
    const float x = Kavrel_Form->DottoZahyo(TDot{float(column), 0.0f}).X;
    const TDot onCurve = Kavrel_Form->ZahyotoDot(TZahyoR{x, x * x / 4});
    std::optional<QPoint> best;
    float bestError = 0.0f;
    for (int row = int(onCurve.Y) - 3; row <= int(onCurve.Y) + 3; ++row) {
        if (row < 0 || row >= size)
            continue;
        const float error = ErrorAt(QPoint(column, row));
        if (OnTheCurve(error) && (!best || error < bestError)) {
            bestError = error;
            best = QPoint(column, row);
        }
    }
    return best;
}

QtMessageHandler previousHandler = nullptr;

// The plane takes presses only; QTest warns about every release that no
// widget accepts, which would drown the benchmarks' output.
void DropUnacceptedReleases(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("Mouse event \"MouseRelease\" not accepted")))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

}  // namespace

void ShowWindow()
{
    previousHandler = qInstallMessageHandler(DropUnacceptedReleases);
    Application->CreateForm(Kavrel_Form);
    Kavrel_Form->Show();
    if (!QTest::qWaitForWindowExposed(Kavrel_Form)) {
        std::fprintf(stderr, "session: the window was not shown\n");
        std::exit(1);
    }
}

void Keys(const QStringList& captions)
{
    for (const QString& caption : captions) {
        TButton* key = KeyOf(caption);
        QTest::mouseClick(key, Qt::LeftButton, Qt::NoModifier, key->rect().center());
    }
}

void ClickPlane(QPoint pixel)
{
    QTest::mouseClick(Kavrel_Form->PaintBox1, Qt::LeftButton, Qt::NoModifier, pixel);
}

QStringList ParabolaKeys()
{
    return {"Ｙ＝", "－", "１", "決定", "０", "決定", "１", "決定", "１", "決定", "１", "決定"};
}

bool TraceParabola(int count)
{
    Keys(ParabolaKeys());
    // Columns spread evenly over the part of the plane where the parabola
    // is visible (|X| up to about 6.3 at the start scale).
    const int centre = Kavrel_Form->PaintBox1->width() / 2;
    const int reach = 200;
    std::set<int> clicked;
    for (int i = 0; i < count; ++i) {
        const int column = centre - reach + int(std::lround(2.0 * reach * i / std::max(1, count - 1)));
        if (const std::optional<QPoint> pixel = KeptPixelInColumn(column)) {
            ClickPlane(*pixel);
            clicked.insert(column);
        }
    }
    // Fill up from the columns in between when some column had no pixel
    // close enough.
    for (int column = centre - reach; column <= centre + reach && Kavrel_Form->Lesson.ZanzoCount < count; ++column)
        if (!clicked.count(column))
            if (const std::optional<QPoint> pixel = KeptPixelInColumn(column))
                ClickPlane(*pixel);
    return Kavrel_Form->Lesson.ZanzoCount == count;
}

QPoint PointOnParabola()
{
    const TPoint pixel = ZahyoRtoPoint(Kavrel_Form->ZahyotoDot(TZahyoR{2.0f, 1.0f}));
    return QPoint(pixel.X, pixel.Y);
}

void PaintPendingFrame()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

PaintCounter::PaintCounter(QWidget* widget)
{
    widget->installEventFilter(this);
}

bool PaintCounter::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::Paint)
        ++count_;
    return false;
}

}  // namespace session
