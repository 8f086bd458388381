#include "skin/SkinFailureBox.h"

#include <windows.h>

void CSkinFailureBox::SkinFailed(const char* message)
{
    MessageBoxA(nullptr, message, "Skin", MB_OK);
    ExitProcess(1);
}
