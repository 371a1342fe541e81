// SPDX-License-Identifier: GPL-3.0-or-later
#include "KavrelWindow.h"

#include "toolkit/Application.h"
#include "toolkit/Dispatch.h"

#include <QPainter>
#include <QTest>

void KavrelWindow::SetUp()
{
    SetErrorBox([this](const QString& caption, const QString& text) { errors << caption + QLatin1Char('|') + text; });
    Application->CreateForm(form_);
    form_->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form_));
}

void KavrelWindow::TearDown()
{
    delete form_;
    SetErrorBox(nullptr);
}

void KavrelWindow::Click(QWidget* control)
{
    QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, control->rect().center());
}

TButton* KavrelWindow::Key(const QString& caption)
{
    for (TButton* key : Form().GroupBox1->findChildren<TButton*>())
        if (key->Caption() == caption)
            return key;
    ADD_FAILURE() << "no key " << caption.toStdString();
    return nullptr;
}

void KavrelWindow::Keys(const QStringList& captions)
{
    for (const QString& caption : captions)
        if (TButton* key = Key(caption))
            Click(key);
}

void KavrelWindow::ClickPlane(int x, int y, Qt::MouseButton button)
{
    QTest::mouseClick(Form().PaintBox1, button, Qt::NoModifier, QPoint(x, y));
}

QImage KavrelWindow::PlanePicture()
{
    return Form().PaintBox1->Picture();
}

TColor KavrelWindow::PlanePixel(int x, int y)
{
    return ToTColor(PlanePicture().pixel(x, y));
}

QImage KavrelWindow::WindowStrip(const QRect& rect)
{
    return Form().viewport()->grab(rect).toImage().convertToFormat(QImage::Format_RGB32);
}

TColor KavrelWindow::WindowPixel(int x, int y)
{
    return ToTColor(WindowStrip(QRect(x, y, 1, 1)).pixel(0, 0));
}

QImage KavrelWindow::ExpectedText(const QRect& rect, TColor colour, const QString& text)
{
    QImage expected(rect.size(), QImage::Format_RGB32);
    expected.fill(ToQColor(Form().Color()));
    TCanvas canvas(expected, nullptr);
    canvas.Font = Form().Canvas()->Font;
    canvas.Font.SetColor(colour);
    canvas.Brush = Form().Canvas()->Brush;
    canvas.TextRect(QRect(QPoint(0, 0), rect.size()), 0, 0, text);
    return expected;
}
