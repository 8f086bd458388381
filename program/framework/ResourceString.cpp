#include "framework/ResourceString.h"

#include <windows.h>

std::string LoadResourceString(unsigned id)
{
    char text[256] = "";
    const int length = LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
    return std::string(text, length > 0 ? static_cast<size_t>(length) : 0);
}
