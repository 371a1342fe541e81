// SPDX-License-Identifier: GPL-3.0-or-later
// The monkey: a learner who presses anything in any order. Seeded random
// sequences of real Qt mouse and key events go to the whole window, and
// the window's invariants are checked after every event. A failure is
// shrunk to the shortest event list that still shows it and printed as the
// body of a regular test.
//
//   kavrel_monkey [--events N] [--seed S] [--no-shrink] [--modal-box]
//                 [--plant keep-on-scroll|minus-completes|runaway --expect-failure INVARIANT]
//
// --modal-box shows every error in the program's own modal box, answered
// after a random time, with the learner's release arriving while it is
// open; otherwise a recorder notes the errors.
//
// Exit code 0 when no invariant failed (or, with --expect-failure, when
// the planted fault was found and shrunk); 1 otherwise; 2 for a bad
// command line.

#include "Generator.h"
#include "Session.h"
#include "Shrink.h"

#include "toolkit/Application.h"

#include <QCommandLineParser>
#include <QTextStream>
#include <cstdio>
#include <utility>

namespace {

struct TOptions {
    long long events = 20000;
    std::uint64_t seed = 1;
    bool shrink = true;
    TPlantedFault fault = TPlantedFault::None;
    TErrorBoxKind box = TErrorBoxKind::Recorder;
    QString expectFailure;
};

QTextStream& Out()
{
    static QTextStream out(stdout);
    return out;
}

bool ParseFault(const QString& name, TPlantedFault& fault)
{
    if (name == QLatin1String("keep-on-scroll"))
        fault = TPlantedFault::KeepOnScroll;
    else if (name == QLatin1String("minus-completes"))
        fault = TPlantedFault::MinusCompletes;
    else if (name == QLatin1String("runaway"))
        fault = TPlantedFault::Runaway;
    else
        return false;
    return true;
}

bool ParseOptions(const QStringList& arguments, TOptions& options)
{
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("events"), QStringLiteral("Number of events."), QStringLiteral("N")});
    parser.addOption({QStringLiteral("seed"), QStringLiteral("Seed of the random sequence."), QStringLiteral("S")});
    parser.addOption({QStringLiteral("no-shrink"), QStringLiteral("Print the failing seed only.")});
    parser.addOption({QStringLiteral("modal-box"), QStringLiteral("Show errors in the real modal box.")});
    parser.addOption({QStringLiteral("plant"), QStringLiteral("Plant a fault in the window."), QStringLiteral("FAULT")});
    parser.addOption({QStringLiteral("expect-failure"), QStringLiteral("Succeed only if this invariant fails."),
                      QStringLiteral("INVARIANT")});
    if (!parser.parse(arguments))
        return false;
    bool ok = true;
    if (parser.isSet(QStringLiteral("events")))
        options.events = parser.value(QStringLiteral("events")).toLongLong(&ok);
    if (ok && parser.isSet(QStringLiteral("seed")))
        options.seed = parser.value(QStringLiteral("seed")).toULongLong(&ok);
    if (ok && parser.isSet(QStringLiteral("plant")))
        ok = ParseFault(parser.value(QStringLiteral("plant")), options.fault);
    options.shrink = !parser.isSet(QStringLiteral("no-shrink"));
    if (parser.isSet(QStringLiteral("modal-box")))
        options.box = TErrorBoxKind::Modal;
    options.expectFailure = parser.value(QStringLiteral("expect-failure"));
    return ok && options.events > 0;
}

void PrintStats(const TStats& stats, long long failures)
{
    Out() << "monkey: events run: " << stats.events << " (skipped quit requests: " << stats.skippedQuits << ")\n"
          << "monkey: errors reported: " << stats.errorsReported << " (plane clicks on F: " << stats.planeClicksOnF
          << ", scrolls with P on F: " << stats.scrollsOnF << "; window-system repaints meeting P on F: " << stats.repaintsOnF
          << ")\n"
          << "monkey: probes: " << stats.probes << ", points kept: " << stats.pointsKept
          << ", store filled: " << stats.storeFilled << ", confirmations: " << stats.confirmations
          << ", resets: " << stats.resets << ", scroll notifications: " << stats.scrollNotifications << "\n"
          << "monkey: invariant failures: " << failures << "\n";
    Out().flush();
}

// A run that never reached the probe, kept nothing or never met P on F
// would pass without having looked at what matters.
QStringList UnreachedStates(const TStats& stats, long long events)
{
    QStringList unreached;
    if (events < 10000)
        return unreached;
    const std::pair<long long, const char*> counts[] = {
        {stats.confirmations, "no confirmation"},
        {stats.pointsKept, "no kept point"},
        {stats.storeFilled, "the store never filled"},
        {stats.planeClicksOnF, "no click on F"},
        {stats.scrollsOnF, "no scroll with P on F"},
    };
    for (const auto& [count, missing] : counts)
        if (count == 0)
            unreached << QString::fromLatin1(missing);
    return unreached;
}

void PrintFailure(long long index, const TOptions& options, const QList<TFailure>& failures)
{
    Out() << "monkey: FAILED after event " << index + 1 << " of seed " << options.seed << ":\n";
    for (const TFailure& failure : failures)
        Out() << "  [" << failure.invariant << "] " << failure.detail << "\n";
    Out().flush();
}

TShrunk ShrinkAndPrint(const QList<TMonkeyEvent>& events, const TFailure& failure, const TOptions& options)
{
    Out() << "monkey: shrinking " << events.size() << " events ...\n";
    Out().flush();
    const TShrunk shrunk = Shrink(events, failure.invariant, options.fault, options.box);
    Out() << "monkey: shortest sequence: " << shrunk.events.size() << " events (" << shrunk.replays
          << " replays on a fresh window); as the body of a test on the KavrelWindow fixture"
          << " (tests/support; with <QTest> and <QCoreApplication>):\n"
          << TestBody(shrunk.events, shrunk.failure);
    Out().flush();
    return shrunk;
}

int Run(const TOptions& options)
{
    Out() << "monkey: seed " << options.seed << ", " << options.events << " events\n";
    TGenerator generator(options.seed);
    QList<TMonkeyEvent> events;
    QList<TFailure> failures;
    long long index = 0;
    TStats stats;
    {
        TSession session(options.fault, options.box, options.seed);
        // Skipped quit requests do not count as events run.
        for (; session.Stats().events < options.events && failures.isEmpty(); ++index) {
            events.append(generator.Next(session.Form()));
            failures = session.Step(events.back());
        }
        stats = session.Stats();
    }
    PrintStats(stats, failures.isEmpty() ? 0 : 1);
    if (failures.isEmpty()) {
        const QStringList unreached = UnreachedStates(stats, options.events);
        if (!unreached.isEmpty())
            Out() << "monkey: the run did not reach what it must check: " << unreached.join(QStringLiteral(", ")) << "\n";
        if (!options.expectFailure.isEmpty())
            Out() << "monkey: the planted fault was not found\n";
        return unreached.isEmpty() && options.expectFailure.isEmpty() ? 0 : 1;
    }
    PrintFailure(index - 1, options, failures);
    if (options.expectFailure.isEmpty()) {
        if (options.shrink)
            ShrinkAndPrint(events, failures.first(), options);
        return 1;
    }
    // A planted fault counts as found when it breaks the expected invariant
    // and a shorter replay on a fresh window still breaks it.
    const TShrunk shrunk = ShrinkAndPrint(events, failures.first(), options);
    const bool found = failures.first().invariant == options.expectFailure
                    && shrunk.failure.invariant == options.expectFailure && shrunk.events.size() < events.size();
    Out() << "monkey: the planted fault was " << (found ? "found and shrunk" : "not found as expected") << "\n";
    return found ? 0 : 1;
}

}  // namespace

// QTest warns of every mouse release that a control ignores (the plane,
// the labels): expected here, thousands of times.
QtMessageHandler defaultMessageHandler = nullptr;

void QuietAboutIgnoredReleases(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(QLatin1String("not accepted by receiving widget")))
        return;
    if (defaultMessageHandler)
        defaultMessageHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

int main(int argc, char** argv)
{
    defaultMessageHandler = qInstallMessageHandler(QuietAboutIgnoredReleases);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", KAVREL_HEADLESS_PLATFORM);
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    TOptions options;
    if (!ParseOptions(arguments, options)) {
        std::fprintf(stderr, "usage: %s [--events N] [--seed S] [--no-shrink] [--modal-box] "
                             "[--plant keep-on-scroll|minus-completes|runaway --expect-failure INVARIANT]\n", argv[0]);
        return 2;
    }
    // The window's application sees only the program's name, as the program does.
    int qtArgc = 1;
    TApplication application(qtArgc, argv);
    return Run(options);
}
