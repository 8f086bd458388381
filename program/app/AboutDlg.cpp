#include "app/AboutDlg.h"

#include "res/resource.h"

namespace {
constexpr char kProductLine[] = "Quillbox version 1.6\r\nCopyright \xA9 2002-2008\r\nQuarn Pharmaceutical Suppliers";
}

CAboutDlg::CAboutDlg() : CSkinnedDialog(IDD_ABOUTBOX) {}

BOOL CAboutDlg::OnInitDialog()
{
    SetWindowTextA(Handle(), "About Quillbox");
    AttachSkin("[AboutDialog]");
    m_skin.SetText(100, kProductLine);
    return TRUE;
}
