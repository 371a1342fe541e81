#include "kavrelsrc.h"
#include "toolkit/Application.h"

int main(int, char** argv)
{
    // The program reads no command line: only the program's own name goes on.
    int argc = 1;
    TApplication application(argc, argv);
    Application->Initialize();
    Application->CreateForm(Kavrel_Form);
    return Application->Run();
}
