// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/CommandLine.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// The toolkit's standard options, written with one dash or two, as Qt 6
// reads them: those in the first list take their value as the next
// argument (Qt reads no "=" form of them).
constexpr std::array<std::string_view, 14> TOOLKIT_OPTIONS_WITH_VALUE = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "geometry", "qwindowicon",
    "icon", "qwindowtitle", "title", "session", "display", "name", "visual"};
constexpr std::array<std::string_view, 3> TOOLKIT_FLAGS = {"nograb", "dograb", "widgetcount"};

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
    const auto refuse = [&line](std::string_view argument) {
        line.action = TCommandLine::TAction::Refuse;
        line.unknown = argument;
        return line;
    };
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
        if (option.size() == argument.size())
            return refuse(argument);
        if (Contains(TOOLKIT_OPTIONS_WITH_VALUE, option)) {
            if (++i == argc)
                return refuse(argument);
            if (option == "platform")
                line.platform = argv[i];
            else if (option == "display")
                line.display = argv[i];
            continue;
        }
        if (!Contains(TOOLKIT_FLAGS, option))
            return refuse(argument);
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
           "Qt's standard options are read as every Qt program reads them, for\n"
           "example -display NAME or -platform NAME, except those that would change\n"
           "the window's look or layout (-style, -stylesheet, -reverse): the window\n"
           "keeps its own.\n";
}

std::string VersionText()
{
    return "kavrel " KAVREL_VERSION "\n";
}

std::string RefusalText(const std::string& program, const std::string& unknown)
{
    return program + ": unknown option '" + unknown + "'; see '" + program + " --help'\n";
}
