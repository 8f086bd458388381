#include "framework/Control.h"

#include <commctrl.h>

namespace {
constexpr UINT_PTR kSubclassId = 1;
}

bool CControl::Subclass(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    if (!control || !SetWindowSubclass(control, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    Bind(control);
    return true;
}

LRESULT CControl::Default(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefSubclassProc(Handle(), message, wParam, lParam);
}

LRESULT CALLBACK CControl::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR self)
{
    auto* control = reinterpret_cast<CControl*>(self);
    LRESULT result = 0;
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, SubclassProc, kSubclassId);
        result = DefSubclassProc(hwnd, message, wParam, lParam);
        control->Unbind();
        return result;
    }
    if (control->OnMessage(message, wParam, lParam, result))
        return result;
    return DefSubclassProc(hwnd, message, wParam, lParam);
}
