// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MonkeyEvent.h"
#include "Session.h"

#include <QList>
#include <QString>

// Delta debugging over a failing event list: the shortest sub-list found
// that, replayed on a fresh window, still breaks the same invariant; no
// single event of it can be left out.
struct TShrunk {
    QList<TMonkeyEvent> events;
    TFailure failure;
    int replays = 0;
};

TShrunk Shrink(const QList<TMonkeyEvent>& failing, const QString& invariant, TPlantedFault fault,
               TErrorBoxKind box);

// The events as the body of a test on the KavrelWindow fixture.
QString TestBody(const QList<TMonkeyEvent>& events, const TFailure& failure);
