#include "app/CrashGuard.h"

#include <dbghelp.h>

#include <ctime>
#include <string>

#include "text/CrashReport.h"

namespace {
DWORD g_guardedThread = 0;
LPTOP_LEVEL_EXCEPTION_FILTER g_previousFilter = nullptr;

void WriteDump(const std::string& name, EXCEPTION_POINTERS* pointers)
{
    HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    MINIDUMP_EXCEPTION_INFORMATION info = {GetCurrentThreadId(), pointers, FALSE};
    MiniDumpWriteDump(GetCurrentProcess(), GetCurrentProcessId(), file, MiniDumpNormal, pointers ? &info : nullptr,
                      nullptr, nullptr);
    CloseHandle(file);
}
} // namespace

int WriteCrashReport(EXCEPTION_POINTERS* pointers, const char* programPath)
{
    const std::time_t now = std::time(nullptr);
    std::tm local = {};
    if (const std::tm* converted = std::localtime(&now))
        local = *converted;
    const std::string program = ProgramFileName(programPath);
    // The name is relative: start-up made the program's folder current.
    WriteDump(CrashDumpName(program, local), pointers);
    return MessageBoxA(nullptr, CrashMessageText(program).c_str(), program.c_str(), MB_OK | MB_ICONHAND);
}

CCrashGuard::CCrashGuard()
{
    g_guardedThread = GetCurrentThreadId();
    m_previous = SetUnhandledExceptionFilter(Filter);
    g_previousFilter = m_previous;
}

CCrashGuard::~CCrashGuard()
{
    SetUnhandledExceptionFilter(m_previous);
    g_guardedThread = 0;
}

LONG WINAPI CCrashGuard::Filter(EXCEPTION_POINTERS* pointers)
{
    if (GetCurrentThreadId() != g_guardedThread)
        return g_previousFilter ? g_previousFilter(pointers) : EXCEPTION_CONTINUE_SEARCH;
    char path[1024] = "";
    GetModuleFileNameA(GetModuleHandleA(nullptr), path, sizeof path);
    return WriteCrashReport(pointers, path);
}
