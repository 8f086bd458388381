#pragma once
#include <windows.h>

// Writes the minidump of a fault beside the program and tells the user that
// the program must close; returns the message box's result (IDOK).
int WriteCrashReport(EXCEPTION_POINTERS* pointers, const char* programPath);

// While it lives, a structured exception on the thread that made it writes a
// crash report and ends the program. Faults of other threads are left to the
// system. (GCC has no __try/__except; the process-wide filter stands in for it.)
class CCrashGuard {
public:
    CCrashGuard();
    CCrashGuard(const CCrashGuard&) = delete;
    CCrashGuard& operator=(const CCrashGuard&) = delete;
    ~CCrashGuard();

private:
    static LONG WINAPI Filter(EXCEPTION_POINTERS* pointers);

    LPTOP_LEVEL_EXCEPTION_FILTER m_previous;
};
