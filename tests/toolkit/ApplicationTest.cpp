// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/Application.h"
#include "toolkit/CommandLine.h"
#include "toolkit/Dispatch.h"
#include "toolkit/NoDisplay.h"

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

}  // namespace

// The program's own options answer without the toolkit; the toolkit's
// standard options pass through to it in the forms Qt reads; those that
// would change the window's look or layout, and anything else, are refused.
TEST(CommandLine, OwnOptionsToolkitOptionsAndTheRest)
{
    using TAction = TCommandLine::TAction;
    struct Row {
        std::vector<const char*> arguments;
        TAction action;
        std::string unknown;
        std::string platform = "";
        std::string display = "";
    };
    const Row rows[] = {
        {{}, TAction::Run, ""},
        {{"--version"}, TAction::PrintVersion, ""},
        {{"--help"}, TAction::PrintHelp, ""},
        {{"-h"}, TAction::PrintHelp, ""},
        {{"-platform", "offscreen"}, TAction::Run, "", "offscreen"},
        {{"--platform", "xcb", "--display", ":3", "-nograb"}, TAction::Run, "", "xcb", ":3"},
        {{"-title", "Hello", "-geometry", "+0+0", "-name", "k"}, TAction::Run, ""},
        {{"-display", ":3", "--version"}, TAction::PrintVersion, ""},
        {{"--platform=offscreen"}, TAction::Refuse, "--platform=offscreen"},
        {{"-title=Hello"}, TAction::Refuse, "-title=Hello"},
        {{"-display"}, TAction::Refuse, "-display"},
        {{"-style", "windows"}, TAction::Refuse, "-style"},
        {{"-style=windows"}, TAction::Refuse, "-style=windows"},
        {{"-stylesheet", "a.qss"}, TAction::Refuse, "-stylesheet"},
        {{"-reverse"}, TAction::Refuse, "-reverse"},
        {{"--frobnicate"}, TAction::Refuse, "--frobnicate"},
        {{"lesson.txt"}, TAction::Refuse, "lesson.txt"},
        {{"display"}, TAction::Refuse, "display"},
    };
    for (const Row& row : rows) {
        std::vector<const char*> argv{"kavrel"};
        argv.insert(argv.end(), row.arguments.begin(), row.arguments.end());
        const TCommandLine line = ParseCommandLine(int(argv.size()), argv.data());
        EXPECT_EQ(line.action, row.action) << testing::PrintToString(row.arguments);
        EXPECT_EQ(line.unknown, row.unknown);
        if (row.action == TAction::Run) {
            EXPECT_EQ(line.platform, row.platform);
            EXPECT_EQ(line.display, row.display);
        }
    }
    EXPECT_EQ(VersionText(), "kavrel " KAVREL_VERSION "\n");
    EXPECT_EQ(RefusalText("kavrel", "-x"), "kavrel: unknown option '-x'; see 'kavrel --help'\n");
}

// With no display to open, one line says which and how to get one.
TEST(CommandLine, NoDisplayNamesWhatIsMissing)
{
    struct Row {
        TDisplayRequest request;
        const char* missing;
    };
    const Row rows[] = {
        {{"", "", ""}, "there is no display (neither DISPLAY nor WAYLAND_DISPLAY is set)"},
        {{"", ":9", ""}, "cannot open the X display \":9\""},
        {{"", "", "wayland-1"}, "cannot open the Wayland display \"wayland-1\""},
        {{"", ":9", "wayland-1"}, "cannot open the Wayland display \"wayland-1\", nor the X display \":9\""},
        {{"xcb", "", "wayland-1"}, "no X display (DISPLAY is not set)"},
        {{"wayland", ":9", ""}, "no Wayland display (WAYLAND_DISPLAY is not set)"},
        {{"nonexistent", ":9", ""}, "cannot start the display platform \"nonexistent\""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(NoDisplayText("build/kavrel", row.request),
                  std::string("kavrel: ") + row.missing
                      + "; run it in a desktop session, or under a virtual X server: xvfb-run -a build/kavrel\n");
}
