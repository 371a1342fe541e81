// SPDX-License-Identifier: GPL-3.0-or-later
#include "Shrink.h"

#include <algorithm>
#include <utility>

namespace {

class TShrinker {
public:
    TShrinker(const QString& invariant, TPlantedFault fault, TErrorBoxKind box)
        : invariant_(invariant), fault_(fault), box_(box)
    {
    }

    // True when the events, replayed, break the invariant; the failure
    // and the events up to it are kept.
    bool Fails(const QList<TMonkeyEvent>& events)
    {
        ++replays;
        const TReplay replay = Replay(events, fault_, box_);
        for (const TFailure& failure : replay.failures) {
            if (failure.invariant == invariant_) {
                found = failure;
                shortest = events.mid(0, replay.failedAt + 1);
                return true;
            }
        }
        return false;
    }

    QList<TMonkeyEvent> shortest;
    TFailure found;
    int replays = 0;

private:
    QString invariant_;
    TPlantedFault fault_;
    TErrorBoxKind box_;
};

// The i-th of n chunks of the events, and the events without it.
std::pair<QList<TMonkeyEvent>, QList<TMonkeyEvent>> Split(const QList<TMonkeyEvent>& events, int n, int i)
{
    const qsizetype begin = events.size() * i / n;
    const qsizetype end = events.size() * (i + 1) / n;
    return {events.mid(begin, end - begin), events.mid(0, begin) + events.mid(end)};
}

// One round of ddmin at granularity n: a chunk alone, or everything but a
// chunk, that still fails becomes the new list.
bool ReduceOnce(TShrinker& shrinker, QList<TMonkeyEvent>& events, int& n)
{
    for (int i = 0; i < n; ++i) {
        if (shrinker.Fails(Split(events, n, i).first)) {
            events = shrinker.shortest;
            n = 2;
            return true;
        }
    }
    for (int i = 0; i < n; ++i) {
        if (shrinker.Fails(Split(events, n, i).second)) {
            events = shrinker.shortest;
            n = std::max(n - 1, 2);
            return true;
        }
    }
    return false;
}

}  // namespace

TShrunk Shrink(const QList<TMonkeyEvent>& failing, const QString& invariant, TPlantedFault fault,
               TErrorBoxKind box)
{
    TShrinker shrinker(invariant, fault, box);
    if (!shrinker.Fails(failing))
        return {failing, {invariant, QStringLiteral("does not fail again on a fresh window")}, shrinker.replays};
    QList<TMonkeyEvent> events = shrinker.shortest;
    int n = 2;
    while (events.size() >= 2) {
        if (ReduceOnce(shrinker, events, n))
            continue;
        if (n >= events.size())
            break;
        n = std::min<int>(n * 2, int(events.size()));
    }
    // The last successful replay left the failure of the final list.
    shrinker.Fails(events);
    return {events, shrinker.found, shrinker.replays};
}

QString TestBody(const QList<TMonkeyEvent>& events, const TFailure& failure)
{
    QString body;
    for (const TMonkeyEvent& event : events) {
        for (const QString& line : Code(event).split(QLatin1Char('\n')))
            body += QStringLiteral("    ") + line + QLatin1Char('\n');
        body += QStringLiteral("    QCoreApplication::processEvents();\n");
    }
    body += QStringLiteral("    // then [%1] %2\n").arg(failure.invariant, failure.detail);
    return body;
}
