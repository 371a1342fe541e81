// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/NoDisplay.h"

#include "toolkit/CommandLine.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <utility>
#include <vector>

namespace {

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string Quoted(const std::string& text)
{
    return '"' + text + '"';
}

// What could not be opened, by the platforms Qt tries: the one asked for,
// else Wayland when a Wayland display is named and X when an X display is.
std::string WhatIsMissing(const TDisplayRequest& request)
{
    const std::string x11 = request.x11.empty() ? "no X display (DISPLAY is not set)"
                                                : "cannot open the X display " + Quoted(request.x11);
    const std::string wayland = request.wayland.empty()
                                    ? "no Wayland display (WAYLAND_DISPLAY is not set)"
                                    : "cannot open the Wayland display " + Quoted(request.wayland);
    if (request.platform.starts_with("xcb"))
        return x11;
    if (request.platform.starts_with("wayland"))
        return wayland;
    if (!request.platform.empty())
        return "cannot start the display platform " + Quoted(request.platform);
    if (request.x11.empty() && request.wayland.empty())
        return "there is no display (neither DISPLAY nor WAYLAND_DISPLAY is set)";
    if (request.x11.empty())
        return wayland;
    if (request.wayland.empty())
        return x11;
    return wayland + ", nor the X display " + Quoted(request.x11);
}

struct THeldMessage {
    QtMsgType type;
    const char* category;
    QString text;
};

std::string programPath;
TDisplayRequest request;
QtMessageHandler previousHandler = nullptr;
std::vector<THeldMessage> held;

void WatchingHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg) {
        std::fputs(NoDisplayText(programPath, request).c_str(), stderr);
        std::fflush(stderr);
        std::_Exit(2);
    }
    held.push_back({type, context.category, message});
}

}  // namespace

TDisplayRequest DisplayRequestOf(int argc, const char* const* argv)
{
    const TCommandLine line = ParseCommandLine(argc, argv);
    return {line.platform.empty() ? Environment("QT_QPA_PLATFORM") : line.platform,
            line.display.empty() ? Environment("DISPLAY") : line.display, Environment("WAYLAND_DISPLAY")};
}

std::string NoDisplayText(const std::string& programPath, const TDisplayRequest& request)
{
    return std::filesystem::path(programPath).filename().string() + ": " + WhatIsMissing(request)
           + "; run it in a desktop session, or under a virtual X server: xvfb-run -a " + programPath + "\n";
}

int& WatchForNoDisplay(int& argc, char** argv)
{
    programPath = argc > 0 ? argv[0] : "kavrel";
    request = DisplayRequestOf(argc, argv);
    previousHandler = qInstallMessageHandler(WatchingHandler);
    return argc;
}

void DisplayOpened()
{
    qInstallMessageHandler(previousHandler);
    for (const THeldMessage& message : std::exchange(held, {})) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category);
        previousHandler(message.type, context, message.text);
    }
}
