#include "skin/MessageDlg.h"

#include "framework/AppTitle.h"
#include "res/resource.h"

namespace {
constexpr WPARAM kItemYes = 2;
constexpr uint32_t kMainText = 100;
} // namespace

CMessageDlg::CMessageDlg() : CSkinnedDialog(IDD_MESSAGE) {}

bool CMessageDlg::Ask(HWND owner, const char* question, Size size)
{
    CMessageDlg box;
    box.m_message = question;
    box.m_size = size;
    return box.DoModal(owner) == IDYES;
}

void CMessageDlg::Tell(HWND owner, const char* notice, Size size)
{
    CMessageDlg box;
    box.m_notice = true;
    box.m_message = notice;
    box.m_size = size;
    box.DoModal(owner);
}

// Grows about its centre before the skin is attached, which lays itself out
// on the window's size.
void CMessageDlg::Enlarge()
{
    RECT r;
    GetWindowRect(Handle(), &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    SetWindowPos(Handle(), nullptr, r.left - width / 2, r.top - height / 2, 2 * width, 2 * height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CMessageDlg::OnInitDialog()
{
    SetWindowTextA(Handle(), kAppTitle);
    if (m_size == Size::Large)
        Enlarge();
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
