// Quillbox.exe: the pharmacy's ordering client.
#include <windows.h>

#include "app/QuillboxApp.h"
#include "app/SetupCommand.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    int exitCode = 0;
    if (RunSetupCommand(commandLine, exitCode))
        return exitCode;
    return theApp.InitInstance();
}
