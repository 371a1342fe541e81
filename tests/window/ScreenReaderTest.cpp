// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/KavrelWindow.h"

#include "toolkit/CanvasLayer.h"

#include <QAccessible>
#include <QTest>

namespace {

using ScreenReader = KavrelWindow;

QAccessibleInterface* Read(QObject* control)
{
    return QAccessible::queryAccessibleInterface(control);
}

QString TextOf(QObject* control)
{
    QAccessibleTextInterface* text = Read(control)->textInterface();
    return text->text(0, text->characterCount());
}

// The texts at the top of the window, as one label.
QString ProbeLabel(TKavrel_Form& form)
{
    return Read(form.findChild<TCanvasLayer*>())->text(QAccessible::Name);
}

}  // namespace

// A lesson as a screen reader reads it: the fields, the selected term, the
// plane's conditions and kept points, the probe's texts at the top and the
// zoom bar's scale. (What it is told as they change is checked over AT-SPI,
// tests/xvfb/screen-reader.py.)
TEST_F(ScreenReader, FollowsALessonFromTheKeypadToTheProbe)
{
    Keys({"Ｙ＝", "－", "１"});
    EXPECT_EQ(TextOf(Form().LblSiki), QStringLiteral(" Ｙ＝－１"));
    EXPECT_EQ(Read(Form().LblSiki)->text(QAccessible::Name), QStringLiteral("定直線の方程式"));

    Keys({"決定"});
    EXPECT_TRUE(Read(Form().SbnXzahyo)->state().checked);
    EXPECT_FALSE(Read(Form().SbnLine)->state().checked);

    Keys({"０", "決定", "１", "決定", "１", "決定", "１", "決定"});
    EXPECT_EQ(Read(Form().PaintBox1)->text(QAccessible::Description),
              QStringLiteral("定直線 Ｙ＝－１、定点Ｆ（０，１）、ＰＦ：ＰＨ＝１：１、残った点 0 個"));
    EXPECT_EQ(ProbeLabel(Form()), QString());

    ClickPlane(396, 297);
    EXPECT_EQ(ProbeLabel(Form()), QStringLiteral("点Ｐ (2.00 , 1.00)、ＰＦ：ＰＨ＝1.00:1.00 誤差＝0.00"));
    EXPECT_EQ(Read(Form().PaintBox1)->text(QAccessible::Description),
              QStringLiteral("定直線 Ｙ＝－１、定点Ｆ（０，１）、ＰＦ：ＰＨ＝１：１、残った点 1 個"));

    Keys({"決定"});
    EXPECT_EQ(ProbeLabel(Form()), QString());

    Form().ScrollBar1->setFocus();
    QTest::keyClick(Form().ScrollBar1, Qt::Key_Right);
    EXPECT_EQ(Read(Form().ScrollBar1)->valueInterface()->currentValue().toInt(), 52);
    EXPECT_EQ(Read(Form().ScrollBar1)->text(QAccessible::Description), QStringLiteral("縮尺 19"));
}
