#include "skin/MessageDlg.h"

#include "framework/AppTitle.h"
#include "res/resource.h"

namespace {
constexpr WPARAM kItemYes = 2;
constexpr uint32_t kMainText = 100;
} // namespace

CMessageDlg::CMessageDlg() : CSkinnedDialog(IDD_MESSAGE) {}

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
    SetWindowTextA(Handle(), kAppTitle);
    AttachSkin(m_notice ? "[OkDialog]" : "[YesNoDialog]");
    m_skin.SetText(kMainText, m_message.c_str());
    return TRUE;
}

// No (and the notice's button) is item 1, the close control: cancel.
void CMessageDlg::OnSkinCommand(WPARAM id)
{
    if (id == kItemYes)
        EndDialog(IDYES);
    else
        CSkinnedDialog::OnSkinCommand(id);
}
