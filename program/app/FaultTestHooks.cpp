#include <windows.h>

#include <cstring>

#include "app/TestHooks.h"
#include "framework/Window.h"

namespace {
constexpr UINT kFaultMessage = WM_APP + 77;

// A hidden window whose posted message is handled inside the main window's
// message loop, where it writes through the pointer the message carries (null).
class CFaultWindow : public CWindow {
protected:
    bool OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) override
    {
        if (message != kFaultMessage)
            return false;
        *reinterpret_cast<volatile int*>(lParam) = 1;
        result = 0;
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
        PostMessageA(g_faultWindow.Handle(), kFaultMessage, 0, 0);
}
