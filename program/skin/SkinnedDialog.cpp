#include "skin/SkinnedDialog.h"

#include "framework/AppMessages.h"

namespace {
constexpr WPARAM kSkinClose = 1;
}

void CSkinnedDialog::OnSkinCommand(WPARAM id)
{
    if (id == kSkinClose)
        OnCancel();
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
