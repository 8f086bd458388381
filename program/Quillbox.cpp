// Quillbox.exe: the pharmacy's ordering client.
#include <windows.h>

#include "app/QuillboxApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return theApp.InitInstance();
}
