#include "framework/SystemLibrary.h"

#include <string>

HMODULE LoadSystemLibrary(const char* fileName)
{
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    const std::string path = std::string(folder, length) + "\\" + fileName;
    return LoadLibraryA(path.c_str());
}
