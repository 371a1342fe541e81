// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// What the command line asks for. The program itself takes only --help and
// --version; every other argument is one of the toolkit's standard options
// (-display NAME, -platform NAME, ...) in a form the toolkit reads itself.
// Options that would change the window's look or layout (-style,
// -stylesheet, -reverse) are refused: the window keeps its own.
struct TCommandLine {
    enum class TAction { Run, PrintHelp, PrintVersion, Refuse };
    TAction action = TAction::Run;
    std::string unknown;   // the argument refused
    std::string platform;  // the value of -platform, if given
    std::string display;   // the value of -display, if given
};

// Reads argv without the toolkit, so that --help and --version answer
// without a display.
TCommandLine ParseCommandLine(int argc, const char* const* argv);

// What --help and --version print on standard output, and the one line
// an unknown option gets on standard error.
std::string HelpText(const std::string& program);
std::string VersionText();
std::string RefusalText(const std::string& program, const std::string& unknown);
