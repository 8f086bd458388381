#include "skin/MessageDlg.h"

#include "res/resource.h"

namespace {
constexpr WPARAM kItemNo = 1;
constexpr WPARAM kItemYes = 2;
constexpr uint32_t kMainText = 100;
} // namespace

CMessageDlg::CMessageDlg() : CDialog(IDD_MESSAGE) {}

bool CMessageDlg::Ask(HWND owner, const char* question)
{
    CMessageDlg box;
    box.m_message = question;
    return box.DoModal(owner) == IDYES;
}

void CMessageDlg::Tell(HWND owner, const char* notice)
{
    CMessageDlg box;
    box.m_notice = true;
    box.m_message = notice;
    box.DoModal(owner);
}

BOOL CMessageDlg::OnInitDialog()
{
    SetWindowTextA(Handle(), "Quillbox");
    m_skin.Attach(Handle(), m_notice ? "[OkDialog]" : "[YesNoDialog]");
    m_skin.SetText(kMainText, m_message.c_str());
    return TRUE;
}

bool CMessageDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message != WM_APP)
        return CDialog::OnMessage(message, wParam, lParam, result);
    if (lParam == SKIN_CLICK && wParam == kItemNo)
        EndDialog(IDCANCEL);
    else if (lParam == SKIN_CLICK && wParam == kItemYes)
        EndDialog(IDYES);
    result = 0;
    return true;
}
