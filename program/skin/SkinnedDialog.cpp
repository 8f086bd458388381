#include "skin/SkinnedDialog.h"

#include "framework/AppMessages.h"

namespace {
constexpr WPARAM kSkinClose = 1;
constexpr WPARAM kSkinPrint = 15;
}

void CSkinnedDialog::OnSkinCommand(WPARAM id)
{
    if (id == kSkinClose)
        OnCancel();
    else if (id == kSkinPrint)
        OnPrint();
}

bool CSkinnedDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message != WM_SKIN_NOTIFY)
        return CDialog::OnMessage(message, wParam, lParam, result);
    if (lParam == SKIN_CLICK)
        OnSkinCommand(wParam);
    result = 0;
    return true;
}
