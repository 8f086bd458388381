#pragma once
#include <windows.h>

#include "comm/LinkPorts.h"

// The core's timers as window timers of one window: WM_TIMER with the id
// reaches that window, which hands it back to the core. Timer ids are per
// window, so each user of ids keeps a window of its own.
class CWindowTimers : public ITimerHost {
public:
    void SetWindow(HWND window) { m_window = window; }
    void SetTimer(int id, unsigned periodMs) override { ::SetTimer(m_window, static_cast<UINT_PTR>(id), periodMs, nullptr); }
    void KillTimer(int id) override { ::KillTimer(m_window, static_cast<UINT_PTR>(id)); }

private:
    HWND m_window = nullptr;
};
