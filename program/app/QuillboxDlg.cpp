#include "app/QuillboxDlg.h"

#include "app/AboutDlg.h"
#include "framework/ResourceString.h"
#include "res/resource.h"

namespace {
constexpr UINT kSkinNotify = WM_APP;
constexpr UINT kQuitRequest = WM_APP + 1;
constexpr WPARAM kQuitWithoutAsking = 10;
constexpr LPARAM kSkinClick = 5;

enum SkinCommand : WPARAM {
    kSkinQuit = 1,
    kSkinMinimise = 2,
    kSkinAbout = 3,
};
} // namespace

CQuillboxDlg theMainWindow;

const MessageEntry<CQuillboxDlg> CQuillboxDlg::kMessages[] = {
    {kSkinNotify, &CQuillboxDlg::OnSkinNotify},
    {kQuitRequest, &CQuillboxDlg::OnQuitRequest},
    {WM_HOTKEY, &CQuillboxDlg::OnHotKey},
    {WM_SYSCOMMAND, &CQuillboxDlg::OnSysCommand},
    {WM_HELP, &CQuillboxDlg::OnHelp},
    {WM_QUERYDRAGICON, &CQuillboxDlg::OnQueryDragIcon},
};

CQuillboxDlg::CQuillboxDlg() : CDialog(IDD_QUILLBOX) {}

BOOL CQuillboxDlg::OnInitDialog()
{
    m_icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    AddAboutToSystemMenu();
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
    return TRUE;
}

bool CQuillboxDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_PAINT && IsIconic(Handle())) {
        result = OnPaint(wParam, lParam);
        return true;
    }
    return DispatchMessageMap(this, kMessages, message, wParam, lParam, result) ||
           CDialog::OnMessage(message, wParam, lParam, result);
}

void CQuillboxDlg::AddAboutToSystemMenu()
{
    HMENU menu = GetSystemMenu(Handle(), FALSE);
    const std::string about = LoadResourceString(IDS_ABOUTBOX);
    if (!menu || about.empty())
        return;
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, IDM_ABOUTBOX, about.c_str());
}

LRESULT CQuillboxDlg::OnSkinNotify(WPARAM id, LPARAM code)
{
    if (code != kSkinClick)
        return 1;
    switch (id) {
    case kSkinQuit:
        Quit(true);
        break;
    case kSkinMinimise:
        ShowWindow(Handle(), SW_MINIMIZE);
        break;
    case kSkinAbout:
        ShowAbout();
        break;
    default:
        break;
    }
    return 1;
}

LRESULT CQuillboxDlg::OnQuitRequest(WPARAM how, LPARAM)
{
    Quit(how != kQuitWithoutAsking);
    return 0;
}

void CQuillboxDlg::OnCancel() {}

void CQuillboxDlg::Quit(bool)
{
    EndDialog(IDCANCEL);
}

LRESULT CQuillboxDlg::OnHotKey(WPARAM, LPARAM)
{
    HWND hwnd = Handle();
    if (!IsIconic(hwnd) && GetForegroundWindow() == hwnd) {
        ShowWindow(hwnd, SW_MINIMIZE);
        return 0;
    }
    ShowWindow(hwnd, SW_MINIMIZE);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    BringWindowToTop(hwnd);
    return 0;
}

LRESULT CQuillboxDlg::OnSysCommand(WPARAM command, LPARAM lParam)
{
    if ((command & 0xFFF0) == IDM_ABOUTBOX) {
        ShowAbout();
        return 0;
    }
    if ((command & 0xFFF0) == SC_HOTKEY)
        return 0;
    return DefWindowProcA(Handle(), WM_SYSCOMMAND, command, lParam);
}

void CQuillboxDlg::ShowAbout()
{
    CAboutDlg about;
    about.DoModal(Handle());
}

LRESULT CQuillboxDlg::OnPaint(WPARAM, LPARAM)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Handle(), &paint);
    SendMessageA(Handle(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(Handle(), &client);
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, m_icon);
    EndPaint(Handle(), &paint);
    return 0;
}

LRESULT CQuillboxDlg::OnQueryDragIcon(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(m_icon);
}
