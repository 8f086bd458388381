#include "framework/DebugOutput.h"

#include <windows.h>

void DebugOutput(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const std::string text = StrFormatV(format, args);
    va_end(args);
    OutputDebugStringA(text.c_str());
}
