// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// What the command line asks for. The program itself takes only --help and
// --version; every other argument is one of the toolkit's standard options
// (-display NAME, -platform NAME, ...), which the toolkit reads itself.
struct TCommandLine {
    enum class TAction { Run, PrintHelp, PrintVersion, Refuse };
    TAction action = TAction::Run;
    std::string unknown;  // the argument refused
};

// Reads argv without the toolkit, so that --help and --version answer
// without a display.
TCommandLine ParseCommandLine(int argc, const char* const* argv);

// What --help and --version print on standard output, and the one line
// an unknown option gets on standard error.
std::string HelpText(const std::string& program);
std::string VersionText();
std::string RefusalText(const std::string& program, const std::string& unknown);
