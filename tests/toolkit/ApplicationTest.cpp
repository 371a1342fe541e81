// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/Application.h"
#include "toolkit/CommandLine.h"
#include "toolkit/Dispatch.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <QStringList>
#include <QTimer>

namespace {

// The terminate request is posted: the handler that made it runs to its
// end, what was queued before it still runs, and the event loop then ends
// with exit code 0.
TEST(Application, TerminateEndsTheEventLoopAfterTheRunningHandler)
{
    QStringList ran;
    QTimer::singleShot(0, [&ran] { ran << "queued before"; });
    QTimer::singleShot(0, [&ran] {
        Dispatch([&ran] {
            Application->Terminate();
            ran << "rest of the handler";
        });
    });
    // Should the request be lost, this ends the loop with another code
    // instead of leaving the test hanging.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    guard.start(5000);

    const int exitCode = Application->exec();
    guard.stop();
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(ran, (QStringList{"queued before", "rest of the handler"}));
}

// The title is the program file's name without its directory, cut at its
// first ".", every character after the first in lower case; the first
// keeps its case.
TEST(Application, TitleRule)
{
    struct Row {
        const char* path;
        const char* title;
    };
    const Row rows[] = {
        {"/usr/bin/Kavrel.exe", "Kavrel"},
        {"KAVREL", "Kavrel"},
        {"my.prog.x", "my"},  // the first character keeps its case
        {"/opt/Some.Dir/ABC.def", "Abc"},
        {"/opt/Some.Dir/kavrel", "kavrel"},
        {"kAVREL.EXE", "kavrel"},
        {"/usr/bin/.hidden", ""},
        {"x", "x"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ApplicationTitle(QString::fromUtf8(row.path)), QString::fromUtf8(row.title)) << row.path;
}

TEST(Application, TitleOfTheRunningProgram)
{
    ASSERT_NE(Application, nullptr);
    EXPECT_EQ(Application->Title(), QStringLiteral("toolkit_tests"));
}

}  // namespace

// The program's own options answer without the toolkit; the toolkit's
// standard options pass through to it; anything else is refused.
TEST(CommandLine, OwnOptionsToolkitOptionsAndTheRest)
{
    using TAction = TCommandLine::TAction;
    struct Row {
        std::vector<const char*> arguments;
        TAction action;
        std::string unknown;
    };
    const Row rows[] = {
        {{}, TAction::Run, ""},
        {{"--version"}, TAction::PrintVersion, ""},
        {{"--help"}, TAction::PrintHelp, ""},
        {{"-h"}, TAction::PrintHelp, ""},
        {{"-platform", "offscreen"}, TAction::Run, ""},
        {{"--platform=offscreen", "-reverse"}, TAction::Run, ""},
        {{"-display", ":3", "-style", "Fusion", "-nograb"}, TAction::Run, ""},
        {{"-display", ":3", "--version"}, TAction::PrintVersion, ""},
        {{"--frobnicate"}, TAction::Refuse, "--frobnicate"},
        {{"lesson.txt"}, TAction::Refuse, "lesson.txt"},
        {{"-reverse=1"}, TAction::Refuse, "-reverse=1"},
        {{"display"}, TAction::Refuse, "display"},
    };
    for (const Row& row : rows) {
        std::vector<const char*> argv{"kavrel"};
        argv.insert(argv.end(), row.arguments.begin(), row.arguments.end());
        const TCommandLine line = ParseCommandLine(int(argv.size()), argv.data());
        EXPECT_EQ(line.action, row.action) << testing::PrintToString(row.arguments);
        EXPECT_EQ(line.unknown, row.unknown);
    }
    EXPECT_EQ(VersionText(), "kavrel " KAVREL_VERSION "\n");
    EXPECT_EQ(RefusalText("kavrel", "-x"), "kavrel: unknown option '-x'; see 'kavrel --help'\n");
}
