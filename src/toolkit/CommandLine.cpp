// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/CommandLine.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// The toolkit's standard options, written with one dash or two; those in
// the first list take a value, as the next argument or after "=".
constexpr std::array<std::string_view, 15> TOOLKIT_OPTIONS_WITH_VALUE = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "geometry", "qwindowicon", "icon",
    "qwindowtitle", "title", "display", "name", "style", "stylesheet", "session"};
constexpr std::array<std::string_view, 5> TOOLKIT_FLAGS = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

bool Contains(const auto& names, std::string_view name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::string_view WithoutDashes(std::string_view argument)
{
    const std::size_t dashes = argument.starts_with("--") ? 2 : argument.starts_with("-") ? 1 : 0;
    return argument.substr(dashes);
}

}  // namespace

TCommandLine ParseCommandLine(int argc, const char* const* argv)
{
    TCommandLine line;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            line.action = TCommandLine::TAction::PrintHelp;
            return line;
        }
        if (argument == "--version") {
            line.action = TCommandLine::TAction::PrintVersion;
            return line;
        }
        const std::string_view option = WithoutDashes(argument);
        const std::string_view name = option.substr(0, option.find('='));
        const bool dashed = option.size() < argument.size();
        if (dashed && Contains(TOOLKIT_OPTIONS_WITH_VALUE, name)) {
            if (name.size() == option.size())
                ++i;
            continue;
        }
        if (dashed && name.size() == option.size() && Contains(TOOLKIT_FLAGS, name))
            continue;
        line.action = TCommandLine::TAction::Refuse;
        line.unknown = argument;
        return line;
    }
    return line;
}

std::string HelpText(const std::string& program)
{
    return "Usage: " + program + " [--help | --version] [toolkit options]\n"
           "\n"
           "Kavrel draws parabolas, ellipses and hyperbolas point by point from a\n"
           "fixed line, a fixed point F and a ratio PF : PH, entered on the window's\n"
           "keypad. It has no options of its own beyond these:\n"
           "\n"
           "  -h, --help     show this help and exit\n"
           "  --version      show the version and exit\n"
           "\n"
           "The toolkit's standard options work as in every Qt program, for example\n"
           "-display NAME, -platform NAME, -reverse.\n";
}

std::string VersionText()
{
    return "kavrel " KAVREL_VERSION "\n";
}

std::string RefusalText(const std::string& program, const std::string& unknown)
{
    return program + ": unknown option '" + unknown + "'; see '" + program + " --help'\n";
}
