#include <windows.h>

#include <cstring>

#include "app/TestHooks.h"
#include "framework/Window.h"

namespace {
constexpr UINT kFaultMessage = WM_APP + 77;
constexpr UINT_PTR kFaultTimer = 1;

// A hidden window that, once the main window runs, posts itself a message and
// handles it inside the main window's message loop by writing through the
// pointer the message carries (null).
class CFaultWindow : public CWindow {
protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        result = 0;
        if (message == WM_TIMER && wParam == kFaultTimer) {
            KillTimer(Handle(), kFaultTimer);
            PostMessageA(Handle(), kFaultMessage, 0, 0);
            return true;
        }
        if (message != kFaultMessage)
            return false;
        *reinterpret_cast<volatile int*>(lParam) = 1;
        return true;
    }
};

CFaultWindow g_faultWindow;
} // namespace

void StartTestHooks()
{
    if (!std::strstr(GetCommandLineA(), "/fault"))
        return;
    if (g_faultWindow.CreatePlain("QbxFaultWindow", "", WS_POPUP, nullptr))
        SetTimer(g_faultWindow.Handle(), kFaultTimer, 1000, nullptr);
}
