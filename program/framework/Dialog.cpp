#include "framework/Dialog.h"

#include "framework/DataExchange.h"

INT_PTR CDialog::DoModal(HWND owner)
{
    m_modal = true;
    m_ended = false;
    m_result = -1;
    HWND hwnd = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_templateId), owner, DialogProc,
                                   reinterpret_cast<LPARAM>(this));
    if (!hwnd) {
        m_modal = false;
        return -1;
    }
    const bool disableOwner = owner && IsWindowEnabled(owner);
    if (disableOwner)
        EnableWindow(owner, FALSE);
    if (!m_ended)
        ShowWindow(hwnd, SW_SHOW);
    MSG msg;
    while (!m_ended) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!PreTranslate(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    // The owner is enabled before the dialog goes, so activation returns to it.
    if (disableOwner)
        EnableWindow(owner, TRUE);
    DestroyWindow(hwnd);
    m_modal = false;
    return m_result;
}

bool CDialog::Create(HWND owner)
{
    m_modal = false;
    return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_templateId), owner, DialogProc,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

void CDialog::EndDialog(INT_PTR result)
{
    if (!m_modal) {
        ShowWindow(Handle(), SW_HIDE);
        return;
    }
    // Not hidden here: hiding the active dialog while its owner is still
    // disabled would leave no window active. DoModal enables the owner first.
    m_result = result;
    m_ended = true;
    PostMessageA(nullptr, WM_NULL, 0, 0);
}

bool CDialog::PreTranslate(MSG& msg)
{
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST)
        return false;
    for (HWND hwnd = msg.hwnd; hwnd; hwnd = GetParent(hwnd)) {
        CWindow* window = FromHandle(hwnd);
        if (window && window->IsDialog())
            return static_cast<CDialog*>(window)->OnShortcutKey(msg) || IsDialogMessageA(hwnd, &msg) != FALSE;
    }
    return false;
}

void CDialog::UpdateData(bool take)
{
    CDataExchange exchange(Handle(), take);
    ExchangeData(exchange);
}

bool CDialog::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    if (message == WM_INITDIALOG) {
        result = OnInitDialog();
        return true;
    }
    if (message == WM_COMMAND && HIWORD(wParam) <= 1) {
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            return true;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return true;
        }
    }
    return false;
}

void CDialog::OnDestroyed()
{
    m_ended = true;
}

bool CDialog::ReturnsDirectly(UINT message)
{
    return message == WM_INITDIALOG || message == WM_QUERYDRAGICON || message == WM_COMPAREITEM ||
           message == WM_VKEYTOITEM || message == WM_CHARTOITEM ||
           (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        reinterpret_cast<CDialog*>(lParam)->Bind(hwnd);
    auto* self = static_cast<CDialog*>(FromHandle(hwnd));
    if (!self)
        return FALSE;
    LRESULT result = 0;
    const bool handled = self->OnMessage(message, wParam, lParam, result);
    if (message == WM_NCDESTROY)
        self->Unbind();
    if (!handled)
        return FALSE;
    if (ReturnsDirectly(message))
        return static_cast<INT_PTR>(result);
    SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}
