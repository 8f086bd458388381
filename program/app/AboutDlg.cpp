#include "app/AboutDlg.h"

#include "res/resource.h"

namespace {
constexpr char kProductLine[] = "Quillbox version 1.6\r\nCopyright \xA9 2002-2008\r\nQuarn Pharmaceutical Suppliers";
}

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

BOOL CAboutDlg::OnInitDialog()
{
    SetWindowTextA(Handle(), "About Quillbox");
    m_skin.Attach(Handle(), "[AboutDialog]");
    m_skin.SetText(100, kProductLine);
    return TRUE;
}

bool CAboutDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_APP) {
        if (wParam == 1 && lParam == SKIN_CLICK)
            OnCancel();
        result = 0;
        return true;
    }
    return CDialog::OnMessage(message, wParam, lParam, result);
}
