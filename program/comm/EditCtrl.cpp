#include "comm/EditCtrl.h"

int64_t CPerformanceCounter::Count() const
{
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return count.QuadPart;
}

int64_t CPerformanceCounter::Frequency() const
{
    LARGE_INTEGER frequency;
    // The counter exists on every system the program runs on; a zero would divide by zero.
    return QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0 ? frequency.QuadPart : 1000;
}

CEditCtrl::CEditCtrl() : m_log(m_counter, m_clock) {}

bool CEditCtrl::Attach(HWND dialog, int id)
{
    if (!Subclass(dialog, id))
        return false;
    // The log removes old lines itself once it holds its limit; the edit must take that much.
    SendMessageA(Handle(), EM_SETLIMITTEXT, kTraceScreenLimit + 0x10000, 0);
    m_log.SetScreen(this);
    return true;
}

// At the very end, whatever the caret position: a trace is never typed into.
void CEditCtrl::AppendText(const std::string& text)
{
    const int end = GetWindowTextLengthA(Handle());
    SendMessageA(Handle(), EM_SETSEL, end, end);
    SendMessageA(Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void CEditCtrl::RemoveFront(size_t count)
{
    SendMessageA(Handle(), EM_SETSEL, 0, static_cast<LPARAM>(count));
    SendMessageA(Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(""));
}
