#include "app/AboutDlg.h"

#include "res/resource.h"

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

bool CAboutDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_APP) {
        if (wParam == 1 && lParam == 5)
            OnCancel();
        result = 0;
        return true;
    }
    return CDialog::OnMessage(message, wParam, lParam, result);
}
