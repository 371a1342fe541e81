// SPDX-License-Identifier: GPL-3.0-or-later
#include "kavrelsrc.h"
#include "toolkit/Application.h"
#include "toolkit/CommandLine.h"

#include <cstdio>
#include <filesystem>

int main(int argc, char** argv)
{
    const std::string program = std::filesystem::path(argv[0]).filename().string();
    const TCommandLine line = ParseCommandLine(argc, argv);
    switch (line.action) {
    case TCommandLine::TAction::PrintHelp:
        std::fputs(HelpText(program).c_str(), stdout);
        return 0;
    case TCommandLine::TAction::PrintVersion:
        std::fputs(VersionText().c_str(), stdout);
        return 0;
    case TCommandLine::TAction::Refuse:
        std::fputs(RefusalText(program, line.unknown).c_str(), stderr);
        return 2;
    case TCommandLine::TAction::Run:
        break;
    }
    TApplication application(argc, argv);
    Application->Initialize();
    TKavrel_Form* Kavrel_Form = nullptr;
    Application->CreateForm(Kavrel_Form);
    return Application->Run();
}
