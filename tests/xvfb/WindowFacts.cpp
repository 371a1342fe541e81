// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowFacts.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace WindowFacts {

namespace {

const QJsonObject& Facts()
{
    static const QJsonObject facts = [] {
        QFile file(QStringLiteral(KAVREL_WINDOW_FACTS));
        if (!file.open(QIODevice::ReadOnly))
            qFatal("the window's facts are missing: %s", KAVREL_WINDOW_FACTS);
        return QJsonDocument::fromJson(file.readAll()).object();
    }();
    return facts;
}

QRect Rect(const QJsonValue& control)
{
    const QJsonArray rect = control[QLatin1String("rect")].toArray();
    return QRect(rect[0].toInt(), rect[1].toInt(), rect[2].toInt(), rect[3].toInt());
}

}  // namespace

QString Caption()
{
    return Facts()[QLatin1String("caption")].toString();
}

QRect Control(const QString& name)
{
    return Rect(Facts()[QLatin1String("controls")][name]);
}

QPoint KeyCentre(const QString& caption)
{
    for (const QJsonValue control : Facts()[QLatin1String("controls")].toObject())
        if (control[QLatin1String("kind")] == QLatin1String("TButton") && control[QLatin1String("read")] == caption)
            return Rect(control).center();
    return {-1, -1};
}

}  // namespace WindowFacts
