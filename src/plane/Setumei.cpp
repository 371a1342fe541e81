// SPDX-License-Identifier: GPL-3.0-or-later
#include "plane/Setumei.h"

#include "kavrelsrc.h"

namespace {

// A value field as it is read: what it shows, or that nothing is typed yet.
QString Field(const TLabel* label)
{
    const QString shown = label->Caption().trimmed();
    return shown.isEmpty() ? QStringLiteral("未入力") : shown;
}

}  // namespace

QString HeimenSetumei(const TKavrel_Form& form)
{
    return QStringLiteral("定直線 %1、定点Ｆ（%2，%3）、ＰＦ：ＰＨ＝%4：%5、残った点 %6 個")
        .arg(Field(form.LblSiki), Field(form.LblXzahyo), Field(form.LblYzahyo), Field(form.LblHiPF),
             Field(form.LblHiPH), QString::number(form.Lesson.ZanzoCount));
}

QString ScaleSetumei(const TKavrel_Form& form)
{
    return QStringLiteral("縮尺 %1").arg(form.Lesson.Scale);
}
