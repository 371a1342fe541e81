// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Qt ends a program that can open no display with a fatal error and an
// abort, and advises reinstalling it. Kavrel says instead which display it
// could not open and how to get one, on one line, and ends with exit code 2.

// The display a start asked for: -platform and -display from the command
// line, else the environment's QT_QPA_PLATFORM and DISPLAY; WAYLAND_DISPLAY.
struct TDisplayRequest {
    std::string platform;
    std::string x11;
    std::string wayland;
};

TDisplayRequest DisplayRequestOf(int argc, const char* const* argv);

// The line said when none of the displays asked for could be opened, for
// the program started as `programPath`.
std::string NoDisplayText(const std::string& programPath, const TDisplayRequest& request);

// From the call until DisplayOpened, a fatal error of the toolkit prints the
// line and ends the program with exit code 2; the toolkit's other messages
// are held back meanwhile (its warnings about the platform, Qt 6.8's notice
// that it switched a locale that is not UTF-8 to one that is), and given
// out by DisplayOpened.
// Returns argc, so that it can run before the application's constructor.
int& WatchForNoDisplay(int& argc, char** argv);
void DisplayOpened();
