#include "app/QuillboxDlg.h"

#include <cstdlib>
#include <ctime>

#include "app/AboutDlg.h"
#include "app/WindowsVersion.h"
#include "framework/ResourceString.h"
#include "order/ClockTexts.h"
#include "res/resource.h"
#include "skin/MessageDlg.h"
#include "tapi/TapiLineApp.h"

namespace {
constexpr UINT kSkinNotify = WM_APP;
constexpr UINT kQuitRequest = WM_APP + 1;
constexpr WPARAM kQuitWithoutAsking = 10;
constexpr LPARAM kSkinClick = 5;
constexpr UINT_PTR kClockTimer = 1;
constexpr UINT_PTR kFirstTickTimer = 3;
constexpr char kNotesPrompt[] = "<< enter order notes here, press TAB to select this window >>";

enum SkinId : WPARAM {
    kSkinQuit = 1,
    kSkinMinimise = 2,
    kSkinAbout = 3,
    kSkinSettings = 10,
    kTextCutOff = 101,
    kTextDate = 102,
    kTextTime = 103,
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

const CommandEntry<CQuillboxDlg> CQuillboxDlg::kCommands[] = {
    {IDC_CMD_SETTINGS, &CQuillboxDlg::OnSettings},
    {IDC_CMD_SPECIALS, &CQuillboxDlg::OnNothing},
    {IDC_CMD_PRINT, &CQuillboxDlg::OnNothing},
};

CQuillboxDlg::CQuillboxDlg() : CDialog(IDD_QUILLBOX) {}

BOOL CQuillboxDlg::OnInitDialog()
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    m_icon = LoadIconA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME));
    m_skin.Attach(Handle(), "[QuillboxDialog]");
    theLineApp.Initialize(instance);
    m_settings.Create(Handle());
    Settings().LoadSettings();
    if (Settings().userName.empty())
        ShowWindow(m_settings.Handle(), SW_SHOWNORMAL);
    m_systemTags += "*Win" + OsVersionName();
    AddAboutToSystemMenu();
    m_version = static_cast<float>(std::atof("1.6"));
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
    SetTimer(Handle(), kClockTimer, 1000, nullptr);
    m_notes = kNotesPrompt;
    SetDlgItemTextA(Handle(), IDC_NOTES, m_notes.c_str());
    MoveToStartPosition();
    SetTimer(Handle(), kFirstTickTimer, 100, nullptr);
    return TRUE;
}

bool CQuillboxDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_PAINT && IsIconic(Handle())) {
        PaintIcon();
        return true;
    }
    // Timer messages go on to the default handling as well.
    if (message == WM_TIMER)
        OnTimer(wParam);
    return DispatchMessageMap(this, kMessages, message, wParam, lParam, result) ||
           DispatchCommandMap(this, kCommands, message, wParam) || CDialog::OnMessage(message, wParam, lParam, result);
}

// Centred on the desktop, then minimised and shown again so it opens in front.
void CQuillboxDlg::MoveToStartPosition()
{
    RECT desktop;
    RECT window;
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(Handle(), &window);
    const int x = (desktop.right - window.right) / 2;
    const int y = (desktop.bottom - window.bottom) / 2;
    SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(Handle(), SW_MINIMIZE);
    ShowWindow(Handle(), SW_SHOWNORMAL);
    BringWindowToTop(Handle());
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
    case kSkinSettings:
        OnSettings();
        break;
    default:
        break;
    }
    return 1;
}

void CQuillboxDlg::OnSettings()
{
    ShowWindow(m_settings.Handle(), SW_SHOWNORMAL);
}

LRESULT CQuillboxDlg::OnQuitRequest(WPARAM how, LPARAM)
{
    Quit(how != kQuitWithoutAsking);
    return 0;
}

void CQuillboxDlg::OnCancel()
{
    if (Settings().allowEscClose)
        Quit(true);
}

void CQuillboxDlg::Quit(bool ask)
{
    if (ask && !CMessageDlg::Ask(Handle(), "Are you sure you want to quit?"))
        return;
    Settings().SaveSettings();
    EndDialog(IDCANCEL);
}

LRESULT CQuillboxDlg::OnHotKey(WPARAM, LPARAM)
{
    HWND hwnd = Handle();
    const bool inFront = !IsIconic(hwnd) && GetForegroundWindow() == hwnd;
    ShowWindow(hwnd, SW_MINIMIZE);
    if (inFront)
        return 0;
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

void CQuillboxDlg::OnTimer(WPARAM timer)
{
    if (timer == kClockTimer) {
        ShowClock();
    } else if (timer == kFirstTickTimer) {
        // The clock shows at once rather than a second after start-up.
        PostMessageA(Handle(), WM_TIMER, kClockTimer, 0);
        KillTimer(Handle(), kFirstTickTimer);
    }
}

// The texts are rewritten only when they change.
void CQuillboxDlg::ShowClock()
{
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    if (!local)
        return;
    if (local->tm_min != m_shownMinute) {
        m_shownMinute = local->tm_min;
        m_skin.SetText(kTextDate, DateText(*local).c_str());
        m_skin.SetText(kTextTime, TimeText(*local).c_str());
    }
    const int next = Settings().NextCutOff(local->tm_hour * 60 + local->tm_min);
    if (next == m_shownCutOff)
        return;
    m_shownCutOff = next;
    if (!m_skin.HasItem(kTextCutOff))
        return;
    const CutOffDisplay display = CutOffText(next, Settings().NextCutOff(0));
    m_skin.SetColour(kTextCutOff, GetRValue(display.colour), GetGValue(display.colour), GetBValue(display.colour));
    m_skin.SetText(kTextCutOff, display.text.c_str());
}

void CQuillboxDlg::PaintIcon()
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
}

LRESULT CQuillboxDlg::OnQueryDragIcon(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(m_icon);
}
