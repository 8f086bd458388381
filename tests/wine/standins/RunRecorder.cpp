// Stands in for a program Quillbox starts (the update program, the browser
// command): it writes its command line to a file named after itself with
// ".ran" added, so a test sees which copy ran and with what.
#include <windows.h>

#include <cstdio>
#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char path[MAX_PATH + 8];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 1;
    std::strcat(path, ".ran");
    FILE* record = std::fopen(path, "ab");
    if (!record)
        return 1;
    std::fprintf(record, "%s\r\n", GetCommandLineA());
    std::fclose(record);
    return 0;
}
