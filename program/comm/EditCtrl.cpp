#include "comm/EditCtrl.h"

namespace {
// The batch timer: an id of its own, clear of any timer a subclass runs.
constexpr UINT_PTR kShowTimer = 0x7E57;
constexpr UINT kShowPeriodMs = 1000;
} // namespace

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

void CEditCtrl::AppendText(const std::string& text)
{
    if (m_pending.empty())
        SetTimer(Handle(), kShowTimer, kShowPeriodMs, nullptr);
    m_pending += text;
}

// The text waiting goes on at the very end, whatever the caret position: a
// trace is never typed into.
void CEditCtrl::ShowPending()
{
    KillTimer(Handle(), kShowTimer);
    if (m_pending.empty())
        return;
    const int end = GetWindowTextLengthA(Handle());
    SendMessageA(Handle(), EM_SETSEL, end, end);
    SendMessageA(Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(m_pending.c_str()));
    m_pending.clear();
}

// Once the exchange has ended the dialog only shows the response and closes:
// laying out the reply's trace (20 KB for a 1,000-line order, a fifth of a
// second under Wine) would only hold up the response, and the log file has it.
void CEditCtrl::StopShowing()
{
    KillTimer(Handle(), kShowTimer);
    m_pending.clear();
    m_log.SetScreen(nullptr);
}

// The oldest characters of the whole text, shown or waiting.
void CEditCtrl::RemoveFront(size_t count)
{
    ShowPending();
    SendMessageA(Handle(), EM_SETSEL, 0, static_cast<LPARAM>(count));
    SendMessageA(Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(""));
}

bool CEditCtrl::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    if (message != WM_TIMER || wParam != kShowTimer)
        return false;
    ShowPending();
    result = 0;
    return true;
}
