// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowFacts.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

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

}  // namespace

QString WindowFacts::Caption()
{
    return Facts()[QLatin1String("caption")].toString();
}

QRect WindowFacts::Control(const QString& name)
{
    const QJsonArray rect = Facts()[QLatin1String("controls")][name].toArray();
    return QRect(rect[0].toInt(), rect[1].toInt(), rect[2].toInt(), rect[3].toInt());
}

QPoint WindowFacts::KeyCentre(const QString& caption)
{
    const QJsonArray centre = Facts()[QLatin1String("keys")][caption].toArray();
    if (centre.isEmpty())
        qFatal("the window has no push button %s", qPrintable(caption));
    return QPoint(centre[0].toInt(), centre[1].toInt());
}
