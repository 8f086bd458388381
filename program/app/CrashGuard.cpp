#include "app/CrashGuard.h"

#include <dbghelp.h>

#include <ctime>
#include <string>

#include "framework/SystemLibrary.h"
#include "text/CrashReport.h"

namespace {
DWORD g_guardedThread = 0;
LPTOP_LEVEL_EXCEPTION_FILTER g_previousFilter = nullptr;
// Bound from the system folder when the guard is set up, not imported: the
// pharmacy's users may add files beside the program, and a dbghelp.dll put
// there would otherwise run in every session that starts it.
decltype(&MiniDumpWriteDump) g_writeDump = nullptr;

// How long the user waits for the dump before the crash message shows; the
// writer goes on while the message is read.
constexpr DWORD kDumpWaitMs = 3000;

// One dump to write; the thread that writes it owns it.
struct DumpJob {
    std::string name;
    EXCEPTION_POINTERS* pointers;
    DWORD faultingThread;
};

DWORD WINAPI WriteDump(void* parameter)
{
    DumpJob* job = static_cast<DumpJob*>(parameter);
    HANDLE file = CreateFileA(job->name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        MINIDUMP_EXCEPTION_INFORMATION info = {job->faultingThread, job->pointers, FALSE};
        if (g_writeDump)
            g_writeDump(GetCurrentProcess(), GetCurrentProcessId(), file, MiniDumpNormal,
                        job->pointers ? &info : nullptr, nullptr, nullptr);
        CloseHandle(file);
    }
    delete job;
    return 0;
}

// The dump is written by a thread of its own, as a faulting thread can't
// reliably walk its own state, and so a slow dump writer (Wine's takes minutes
// over a large unwind table) doesn't keep the message from the user.
void WriteDumpBeside(const std::string& name, EXCEPTION_POINTERS* pointers)
{
    auto* job = new DumpJob{name, pointers, GetCurrentThreadId()};
    HANDLE writer = CreateThread(nullptr, 0, WriteDump, job, 0, nullptr);
    if (!writer) {
        WriteDump(job);
        return;
    }
    WaitForSingleObject(writer, kDumpWaitMs);
    CloseHandle(writer);
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
    WriteDumpBeside(CrashDumpName(program, local), pointers);
    return MessageBoxA(nullptr, CrashMessageText(program).c_str(), program.c_str(), MB_OK | MB_ICONHAND);
}

CCrashGuard::CCrashGuard()
{
    if (!g_writeDump)
        g_writeDump =
            LibraryFunction<decltype(&MiniDumpWriteDump)>(LoadSystemLibrary("dbghelp.dll"), "MiniDumpWriteDump");
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
